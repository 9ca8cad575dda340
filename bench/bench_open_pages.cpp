// Opening 20 pages at once on the real engine, as a profile load does: how
// long the main loop stands still. A heartbeat timer ticks every 2 ms; the
// longest gap between ticks, from the first OpenPage until every page has
// loaded, is the longest stall; the longest single iteration's dispatch is
// timed beside it (PANDREL_BENCH_LONG_MS=50 lists the long ones). Opening one
// page is measured beside it.
#include "AnimationControl.h"
#include "ErrorReport.h"
#include "IterationClock.h"
#include "LocalHttpServer.h"
#include "Pages.h"
#include "UrlHandover.h"
#include "WebKitEngine.h"

#include <benchmark/benchmark.h>
#include <gtkmm.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
constexpr unsigned kHeartbeatMs = 2;

LocalHttpServer& Server()
{
    static LocalHttpServer server;
    return server;
}

std::string PageBody(int n)
{
    std::string body = "<html><head><title>Page " + std::to_string(n) + "</title></head><body>";
    for (int i = 0; i < 200; ++i)
        body += "<p>Paragraph " + std::to_string(i) + " of page " + std::to_string(n) +
                " with <a href='/p" + std::to_string(i) + ".html'>a link</a>.</p>";
    return body + "</body></html>";
}

class Heartbeat {
public:
    Heartbeat()
    {
        last_ = Clock::now();
        timer_ = Glib::signal_timeout().connect(
            [this] {
                const Clock::time_point now = Clock::now();
                longest_ = std::max(longest_, now - last_);
                last_ = now;
                return true;
            },
            kHeartbeatMs);
    }
    ~Heartbeat() { timer_.disconnect(); }
    // Counts the time since the last tick too, for a stall still going on.
    double LongestMs() const
    {
        return std::chrono::duration<double, std::milli>(std::max(longest_, Clock::now() - last_)).count();
    }

private:
    Clock::time_point last_;
    Clock::duration longest_{};
    sigc::connection timer_;
};

enum class Opening { Single, InSet, HandedOver };

void OpenPagesAndWait(benchmark::State& state, int count, Opening opening)
{
    static int round = 0;
    for (auto _ : state) {
        Gtk::Window window;
        Gtk::Box layout(Gtk::ORIENTATION_VERTICAL);
        Gtk::ComboBoxText cboURL(true);
        platform::AnimationControl anmState(32, 29, 100);
        Gtk::Notebook pgcMain;
        layout.pack_start(cboURL, Gtk::PACK_SHRINK);
        layout.pack_start(anmState, Gtk::PACK_SHRINK);
        layout.pack_start(pgcMain, Gtk::PACK_EXPAND_WIDGET);
        window.add(layout);
        window.set_default_size(1024, 768);
        window.show_all();
        pages::Pages pages(pgcMain, cboURL, anmState, nullptr);
        while (Gtk::Main::events_pending())
            Gtk::Main::iteration(false);

        ++round;
        double openCallsMs = 0;
        double longestMs = 0;
        double longestIterationMs = 0;
        {
            IterationClock iterations;
            Heartbeat heartbeat;
            const Clock::time_point start = Clock::now();
            // URLs handed over by another start open through the hand-over.
            UrlHandover handover([&](const std::string& url) { pages.Commands().OpenNewPage(url); },
                                 [] { return AtMainLoopLevel(); });
            // Everything in one main-loop callback, as LoadProfilePages runs.
            Glib::signal_idle().connect_once([&] {
                if (opening == Opening::HandedOver) {
                    std::vector<std::string> urls;
                    for (int i = 0; i < count; ++i)
                        urls.push_back(Server().Url("/page" + std::to_string(i) + ".html?r=" + std::to_string(round)));
                    handover.HandOver(urls);
                    openCallsMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                    return;
                }
                for (int i = 0; i < count; ++i) {
                    const std::string url =
                        Server().Url("/page" + std::to_string(i) + ".html?r=" + std::to_string(round));
                    const std::string caption = "Page " + std::to_string(i);
                    if (opening == Opening::InSet) {
                        pages.List().OpenPageInSet(pages.List().ReadTyped(url), caption);
                        pages.List().SetCurrentPage(0);
                    } else {
                        pages.List().OpenPage(url, caption);
                    }
                }
                openCallsMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            });
            const Clock::time_point limit = start + std::chrono::seconds(60);
            auto allLoaded = [&] {
                if (pages.List().PageCount() < count)
                    return false;
                // The browsers' own answers: a page whose first load still
                // waits for the shown one has not loaded.
                for (int i = 0; i < count; ++i)
                    if (pages.List().Browser(i).Busy() || pages.List().Browser(i).LocationURL().empty())
                        return false;
                return true;
            };
            while (!allLoaded() && Clock::now() < limit)
                g_main_context_iteration(nullptr, TRUE);
            longestMs = heartbeat.LongestMs();
            longestIterationMs = iterations.LongestMs();
            if (!allLoaded())
                state.SkipWithError("pages did not finish loading within 60 s");
        }
        state.SetIterationTime(longestMs / 1000.0);
        state.counters["open_calls_ms"] = openCallsMs;
        state.counters["longest_stall_ms"] = longestMs;
        state.counters["longest_iteration_ms"] = longestIterationMs;
        pages.List().CloseAllPages();
        const Clock::time_point settle = Clock::now() + std::chrono::milliseconds(300);
        while (Clock::now() < settle)
            if (!g_main_context_iteration(nullptr, FALSE))
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

// Where an opening's time goes: creating the browsers, then sending them off.
void BM_TwentyBrowsersCreateThenNavigate(benchmark::State& state)
{
    static int round = 0;
    for (auto _ : state) {
        Gtk::Window window;
        Gtk::Notebook notebook;
        window.add(notebook);
        window.set_default_size(1024, 768);
        window.show_all();
        std::vector<std::unique_ptr<Gtk::Box>> sheets;
        std::vector<std::unique_ptr<TBrowserHost>> browsers;
        ++round;
        const Clock::time_point start = Clock::now();
        for (int i = 0; i < 20; ++i) {
            sheets.push_back(std::make_unique<Gtk::Box>());
            sheets.back()->show();
            notebook.append_page(*sheets.back(), "p");
            browsers.push_back(std::make_unique<TBrowserHost>());
            sheets.back()->pack_start(*browsers.back());
            browsers.back()->show();
        }
        const Clock::time_point created = Clock::now();
        for (int i = 0; i < 20; ++i) {
            platform::Variant url(Server().Url("/page" + std::to_string(i) + ".html?n=" + std::to_string(round)));
            platform::Variant flags, target, post, headers;
            browsers[static_cast<std::size_t>(i)]->Navigate2(url, flags, target, post, headers);
        }
        const Clock::time_point navigated = Clock::now();
        state.SetIterationTime(std::chrono::duration<double>(navigated - start).count());
        state.counters["create_ms"] = std::chrono::duration<double, std::milli>(created - start).count();
        state.counters["navigate_ms"] = std::chrono::duration<double, std::milli>(navigated - created).count();
        const Clock::time_point settle = Clock::now() + std::chrono::seconds(3);
        while (Clock::now() < settle)
            if (!g_main_context_iteration(nullptr, FALSE))
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        browsers.clear();
    }
}

void BM_OpenOnePage(benchmark::State& state) { OpenPagesAndWait(state, 1, Opening::Single); }
void BM_OpenTwentyPages(benchmark::State& state) { OpenPagesAndWait(state, 20, Opening::Single); }
// As a stored page set opens: the first page is current, the others wait for it.
void BM_OpenTwentyPagesInSet(benchmark::State& state) { OpenPagesAndWait(state, 20, Opening::InSet); }
// As twenty URLs handed over by another start open.
void BM_OpenTwentyHandedOverPages(benchmark::State& state) { OpenPagesAndWait(state, 20, Opening::HandedOver); }

BENCHMARK(BM_TwentyBrowsersCreateThenNavigate)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenOnePage)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenTwentyPages)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenTwentyPagesInSet)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenTwentyHandedOverPages)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (!gtk_init_check(&argc, &argv)) {
        std::fprintf(stderr, "No display: run under Xvfb (scripts/with-display.sh).\n");
        return 1;
    }
    Gtk::Main::init_gtkmm_internals();
    if (std::filesystem::exists("/.flatpak-info")) {
        std::fprintf(stderr, "/.flatpak-info exists on the root; remove it first.\n");
        return 1;
    }
    const std::filesystem::path data = std::filesystem::temp_directory_path() / "pandrel-bench-open-pages";
    std::filesystem::create_directories(data);
    setenv("PANDREL_CONFIG_DIR", data.c_str(), 0);
    const auto engine = platform::RegisterWebKitEngine();
    platform::SetErrorSink([](const std::string& text) { std::fprintf(stderr, "error: %s\n", text.c_str()); });
    for (int i = 0; i < 20; ++i)
        Server().AddPage("/page" + std::to_string(i) + ".html", PageBody(i));

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(data, ignored);
    return 0;
}
