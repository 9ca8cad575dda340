// A profile switch as the user sees it, in the real program on the real
// engine: from the press of a profile button until all of the profile's tabs
// are listed, and until its current page is shown (document complete, URL box
// set). A 30-page profile is measured beside a one-page profile in one run;
// before each press the program goes back to a one-page start profile.
// Pages come from a server on 127.0.0.1. Run under scripts/with-display.sh.
#include "DisplayBenchmarkMain.h"
#include "ErrorReport.h"
#include "LocalHttpServer.h"
#include "Program.h"
#include "RegistryStore.h"
#include "SettingsKey.h"
#include "SettingsNames.h"
#include "WebKitEngine.h"

#include <benchmark/benchmark.h>
#include <gtkmm.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kLargeProfile = 2;
constexpr int kLargePages = 30;
constexpr int kSmallProfile = 3;
constexpr int kStartProfile = 1;

std::string PageBody(int n)
{
    std::string body = "<html><head><title>Page " + std::to_string(n) + "</title></head><body>";
    for (int i = 0; i < 100; ++i)
        body += "<p>Paragraph " + std::to_string(i) + " of page " + std::to_string(n) + ".</p>";
    return body + "</body></html>";
}

std::string PageURL(LocalHttpServer& server, int profile, int page)
{
    return server.Url("/p" + std::to_string(profile) + "/" + std::to_string(page) + ".html");
}

void SeedProfile(platform::RegistryStore& store, LocalHttpServer& server, int profile, int pages)
{
    using namespace profiles;
    SettingsKey key(store);
    key.OpenProgramKey(true);
    key.WriteString(kWelcomed, kYes);
    key.OpenKey(Numbered(kProfileKeyStem, profile), true);
    key.WriteInteger(kSites, pages);
    for (int i = 0; i < pages; ++i) {
        const std::string url = PageURL(server, profile, i);
        server.AddPage(url.substr(url.find('/', 7)), PageBody(i));
        key.WriteString(Numbered(kLabelStem, i), "Site " + std::to_string(i));
        key.WriteString(Numbered(kFirstURLStem, i), url);
        key.WriteString(Numbered(kPageURLStem, i), url);
        key.WriteString(Numbered(kRemURLStem, i), kNo);
    }
    key.Commit();
}

class Rig {
public:
    Rig() : folder_(MakeFolder())
    {
        setenv("PANDREL_CONFIG_DIR", folder_.c_str(), 1);
        store_ = std::make_unique<platform::RegistryStore>(folder_);
        SeedProfile(*store_, server_, kStartProfile, 1);
        SeedProfile(*store_, server_, kLargeProfile, kLargePages);
        SeedProfile(*store_, server_, kSmallProfile, 1);
        engine_ = platform::RegisterWebKitEngine();
        platform::SetErrorSink([](const std::string& text) { std::fprintf(stderr, "report: %s\n", text.c_str()); });
        program_ = std::make_unique<Program>(*store_);
        program_->frmMain.show();
        WaitUntil([&] { return Shown(PageURL(server_, kStartProfile, 0)); }, std::chrono::seconds(30));
    }
    ~Rig()
    {
        program_.reset();
        store_.reset();
        std::filesystem::remove_all(folder_);
    }

    // Presses profile button n; the times from the press until the tabs are
    // listed and until the current page is shown, in milliseconds.
    std::pair<double, double> Press(int profile, int pages)
    {
        auto& main = program_->frmMain;
        const std::string last = "Site " + std::to_string(pages - 1);
        const std::string first = PageURL(server_, profile, 0);
        const Clock::time_point start = Clock::now();
        main.Profiles().ButtonBar().Button(profile).clicked();
        double listed = -1;
        WaitUntil(
            [&] {
                auto& list = main.Pages().List();
                if (listed < 0 && main.PageControl().get_n_pages() == pages && list.Caption(pages - 1) == last &&
                    main.Profiles().CurrentProfile() == profiles::Numbered(profiles::kProfileKeyStem, profile))
                    listed = Ms(start);
                return listed >= 0 && Shown(first);
            },
            std::chrono::seconds(60));
        return {listed, Ms(start)};
    }
    void ResetToStart()
    {
        Press(kStartProfile, 1);
        Settle(std::chrono::milliseconds(1500));
    }

private:
    static std::filesystem::path MakeFolder()
    {
        char pattern[] = "/tmp/pandrel-bench-switch-XXXXXX";
        return mkdtemp(pattern);
    }
    static double Ms(Clock::time_point start)
    {
        return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }
    bool Shown(const std::string& url)
    {
        auto& main = program_->frmMain;
        TBrowserHost* browser = main.Pages().List().CurrentBrowser();
        return browser && main.URLBox().get_entry_text() == url && !main.BusyAnimation().Active();
    }
    static void WaitUntil(const std::function<bool()>& done, Clock::duration limit)
    {
        const Clock::time_point end = Clock::now() + limit;
        while (!done() && Clock::now() < end)
            if (!g_main_context_iteration(nullptr, FALSE))
                std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    static void Settle(Clock::duration span)
    {
        const Clock::time_point end = Clock::now() + span;
        WaitUntil([&] { return Clock::now() >= end; }, span);
    }

    LocalHttpServer server_;
    std::filesystem::path folder_;
    std::unique_ptr<platform::RegistryStore> store_;
    std::shared_ptr<platform::WebKitEngine> engine_;
    std::unique_ptr<Program> program_;
};

Rig& TheRig()
{
    static Rig rig;
    return rig;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Each round presses the one-page profile and then the 30-page one, each time
// from the start profile; the iteration's time is the large switch's.
void BM_SwitchShownSideBySide(benchmark::State& state)
{
    std::vector<double> listedLarge, shownLarge, listedSmall, shownSmall;
    for (auto _ : state) {
        state.PauseTiming();
        TheRig().ResetToStart();
        const auto [sl, ss] = TheRig().Press(kSmallProfile, 1);
        TheRig().ResetToStart();
        state.ResumeTiming();
        const auto [ll, ls] = TheRig().Press(kLargeProfile, kLargePages);
        state.SetIterationTime(ls / 1000.0);
        listedSmall.push_back(sl);
        shownSmall.push_back(ss);
        listedLarge.push_back(ll);
        shownLarge.push_back(ls);
    }
    state.counters["large_listed_ms"] = Median(listedLarge);
    state.counters["large_shown_ms"] = Median(shownLarge);
    state.counters["small_listed_ms"] = Median(listedSmall);
    state.counters["small_shown_ms"] = Median(shownSmall);
    state.counters["shown_ratio"] = Median(shownLarge) / std::max(Median(shownSmall), 1.0);
    std::printf("median of %zu rounds: 30 pages listed %.0f ms, shown %.0f ms; 1 page listed %.0f ms, "
                "shown %.0f ms; shown ratio 30:1 %.2f\n",
                shownLarge.size(), Median(listedLarge), Median(shownLarge), Median(listedSmall), Median(shownSmall),
                Median(shownLarge) / std::max(Median(shownSmall), 1.0));
}
BENCHMARK(BM_SwitchShownSideBySide)->Iterations(7)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunBenchmarksOnDisplay(argc, argv);
}
