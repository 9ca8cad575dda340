// A profile switch as the user sees it, in the real program on the real
// engine: from the press of a profile button until all of the profile's tabs
// are listed, and until its current page is shown (document complete, URL box
// set). A 30-page profile is measured beside a one-page profile in one run;
// before each press the program goes back to a one-page start profile.
// Pages come from a server on 127.0.0.1. Run under scripts/with-display.sh.
#include "DisplayBenchmarkMain.h"
#include "ProgramRig.h"
#include "SettingsNames.h"

#include <benchmark/benchmark.h>
#include <gtkmm.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>

namespace {

constexpr int kLargeProfile = 2;
constexpr int kLargePages = 30;
constexpr int kSmallProfile = 3;
constexpr int kStartProfile = 1;

std::string PageURL(LocalHttpServer& server, int profile, int page)
{
    return server.Url("/p" + std::to_string(profile) + "/" + std::to_string(page) + ".html");
}

void SeedProfile(platform::RegistryStore& store, LocalHttpServer& server, int profile, int pages)
{
    std::vector<std::string> urls;
    for (int i = 0; i < pages; ++i) {
        urls.push_back(PageURL(server, profile, i));
        server.AddPage(urls.back().substr(urls.back().find('/', 7)), ParagraphPage(i));
    }
    SeedProfilePages(store, profile, urls);
}

class Rig {
public:
    Rig()
        : rig_([](platform::RegistryStore& store, LocalHttpServer& server) {
              SeedProfile(store, server, kStartProfile, 1);
              SeedProfile(store, server, kLargeProfile, kLargePages);
              SeedProfile(store, server, kSmallProfile, 1);
          })
    {
        WaitUntil([&] { return Shown(PageURL(rig_.Server(), kStartProfile, 0)); }, std::chrono::seconds(30));
    }

    // Presses profile button n; the times from the press until the tabs are
    // listed and until the current page is shown, in milliseconds.
    std::pair<double, double> Press(int profile, int pages)
    {
        auto& main = rig_.Main();
        const std::string last = "Site " + std::to_string(pages - 1);
        const std::string first = PageURL(rig_.Server(), profile, 0);
        const BenchClock::time_point start = BenchClock::now();
        main.Profiles().ButtonBar().Button(profile).clicked();
        double listed = -1;
        WaitUntil(
            [&] {
                auto& list = main.Pages().List();
                if (listed < 0 && main.PageControl().get_n_pages() == pages && list.Caption(pages - 1) == last &&
                    main.Profiles().CurrentProfile() == profiles::Numbered(profiles::kProfileKeyStem, profile))
                    listed = MsSince(start);
                return listed >= 0 && Shown(first);
            },
            std::chrono::seconds(60));
        return {listed, MsSince(start)};
    }
    void ResetToStart()
    {
        Press(kStartProfile, 1);
        Settle(std::chrono::milliseconds(1500));
    }

private:
    bool Shown(const std::string& url)
    {
        auto& main = rig_.Main();
        TBrowserHost* browser = main.Pages().List().CurrentBrowser();
        return browser && main.URLBox().get_entry_text() == url && !main.BusyAnimation().Active();
    }

    ProgramRig rig_;
};

Rig& TheRig()
{
    static Rig rig;
    return rig;
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
