// What keeping logins apart costs, in the real program on the real engine,
// measured side by side in one run:
//  - a switch between two profiles that keep their logins apart beside a
//    switch between two profiles on the shared data, all four holding the
//    same pages, from the press of the button until the current page is shown;
//  - the memory (PSS of the program and every process below it) and the
//    engine's network processes after all ten profiles were visited in turn,
//    all of them kept apart beside all of them shared.
// Pages come from a server on 127.0.0.1. Run under scripts/with-display.sh.
#include "DisplayBenchmarkMain.h"
#include "ProgramRig.h"
#include "ProcessTree.h"
#include "ProfileSiteData.h"
#include "SettingsNames.h"

#include <benchmark/benchmark.h>
#include <gtkmm.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include <unistd.h>

namespace {

constexpr int kPages = 3;
// Left to right on the button row.
constexpr int kVisitOrder[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0};
// The pairs switched between: shared, and kept apart.
constexpr int kSharedPair[] = {1, 2};
constexpr int kApartPair[] = {3, 4};
// How long the processes of a profile left behind may take to end.
constexpr auto kProcessesEnd = std::chrono::seconds(10);

// Every profile holds the same kPages pages, which set a cookie and local storage.
void SeedProfiles(platform::RegistryStore& store, LocalHttpServer& server)
{
    std::vector<std::string> urls;
    for (int i = 0; i < kPages; ++i) {
        const std::string path = "/site/" + std::to_string(i) + ".html";
        server.AddPage(path, ParagraphPage(i, "document.cookie = 'seen=' + Date.now() + '; max-age=3600';"
                                              "localStorage.setItem('page', '" + std::to_string(i) + "');"));
        urls.push_back(server.Url(path));
    }
    for (int profile = 0; profile < 10; ++profile)
        SeedProfilePages(store, profile, urls);
}

template <std::size_t N> void KeepLoginsApart(platform::RegistryStore& store, const int (&profiles)[N], bool apart)
{
    for (int profile : profiles)
        profiles::WriteKeepLoginsApart(store, profile, apart);
}

class Rig {
public:
    Rig()
        : rig_([](platform::RegistryStore& store, LocalHttpServer& server) {
              SeedProfiles(store, server);
              KeepLoginsApart(store, kApartPair, true);
          })
    {
        WaitUntil([&] { return Shown(1); }, std::chrono::seconds(30));
    }

    template <std::size_t N> void KeepApart(const int (&profiles)[N], bool apart)
    {
        KeepLoginsApart(rig_.Store(), profiles, apart);
    }

    // Waits until at most count profiles' own contexts are alive.
    void WaitForLiveProfileContexts(int count)
    {
        WaitUntil([&] { return rig_.Engine().LiveProfileContexts() <= count; }, kProcessesEnd);
    }

    // Presses profile button n; the time from the press until its current page is shown, in milliseconds.
    double Press(int profile)
    {
        const BenchClock::time_point start = BenchClock::now();
        rig_.Main().Profiles().ButtonBar().Button(profile).clicked();
        WaitUntil([&] { return Shown(profile); }, std::chrono::seconds(60));
        return MsSince(start);
    }

private:
    bool Shown(int profile)
    {
        auto& main = rig_.Main();
        return main.Profiles().CurrentProfile() == profiles::Numbered(profiles::kProfileKeyStem, profile) &&
               main.PageControl().get_n_pages() == kPages && main.Pages().List().CurrentBrowser() &&
               main.URLBox().get_entry_text() == rig_.Server().Url("/site/0.html") && !main.BusyAnimation().Active();
    }

    ProgramRig rig_;
};

Rig& TheRig()
{
    static Rig rig;
    return rig;
}

// Each round switches within the shared pair, then within the kept-apart
// pair, first soon after the profile pressed was left (its context still
// lingers) and then once its context has gone; the shared pair waits as long
// before its second switch. The iteration's time is the cold kept-apart switch's.
void BM_SwitchKeptApartBesideShared(benchmark::State& state)
{
    Rig& rig = TheRig();
    std::vector<double> shared, apart, sharedRested, apartCold;
    for (auto _ : state) {
        state.PauseTiming();
        rig.Press(kSharedPair[0]);
        Settle(std::chrono::milliseconds(250));
        shared.push_back(rig.Press(kSharedPair[1]));
        rig.Press(kApartPair[0]);
        Settle(std::chrono::milliseconds(250));
        apart.push_back(rig.Press(kApartPair[1]));
        rig.Press(kSharedPair[0]);
        rig.WaitForLiveProfileContexts(0);
        sharedRested.push_back(rig.Press(kSharedPair[1]));
        rig.Press(kApartPair[0]);
        rig.WaitForLiveProfileContexts(1);
        state.ResumeTiming();
        const double ms = rig.Press(kApartPair[1]);
        state.SetIterationTime(ms / 1000.0);
        apartCold.push_back(ms);
    }
    const double ratio = Median(apart) / std::max(Median(shared), 1.0);
    const double coldRatio = Median(apartCold) / std::max(Median(sharedRested), 1.0);
    state.counters["shared_ms"] = Median(shared);
    state.counters["apart_ms"] = Median(apart);
    state.counters["ratio"] = ratio;
    state.counters["cold_ratio"] = coldRatio;
    std::printf("switch, median of %zu rounds: two shared profiles %.0f ms, two kept apart %.0f ms, ratio %.2f; "
                "after the profile's context has gone: shared %.0f ms, kept apart %.0f ms, ratio %.2f "
                "(target <= 1.2)\n",
                apart.size(), Median(shared), Median(apart), ratio, Median(sharedRested), Median(apartCold),
                coldRatio);
}
BENCHMARK(BM_SwitchKeptApartBesideShared)->Iterations(9)->UseManualTime()->Unit(benchmark::kMillisecond);

struct Visit {
    long pssKiB = 0;
    long networkPssKiB = 0; // of the network processes alone
    long programPssKiB = 0; // of the program's own process alone
    std::size_t webAfter = 0;
    std::size_t networkMost = 0; // the most seen after a profile was shown
    std::size_t networkAfter = 0;  // once those of the profiles left have ended
};

// Visits the ten profiles in turn; the memory is read once the profiles left
// have let go of their contexts (none lingers but, kept apart, the current
// one) and every page of the last profile has its web process.
Visit VisitAllTen(Rig& rig, bool apart)
{
    Visit visit;
    for (int profile : kVisitOrder) {
        rig.Press(profile);
        visit.networkMost = std::max(visit.networkMost, NetworkProcessesOf(getpid()).size());
    }
    rig.WaitForLiveProfileContexts(apart ? 1 : 0);
    const std::size_t networks = apart ? 2 : 1; // the shared data's stays
    WaitUntil([&] { return NetworkProcessesOf(getpid()).size() <= networks; }, kProcessesEnd);
    WaitUntil([] { return WebProcessesOf(getpid()).size() == kPages; }, kProcessesEnd);
    visit.networkAfter = NetworkProcessesOf(getpid()).size();
    visit.pssKiB = SummedPss(getpid());
    visit.webAfter = WebProcessesOf(getpid()).size();
    for (int network : NetworkProcessesOf(getpid()))
        visit.networkPssKiB += SummedPss(network);
    std::ifstream rollup("/proc/self/smaps_rollup");
    for (std::string line; std::getline(rollup, line);)
        if (line.rfind("Pss:", 0) == 0)
            visit.programPssKiB = std::stol(line.substr(4));
    return visit;
}

// Rounds of visiting all ten profiles shared, then all ten kept apart.
void BM_TenProfilesKeptApartBesideShared(benchmark::State& state)
{
    Rig& rig = TheRig();
    const int all[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    std::vector<double> sharedPss, apartPss;
    Visit shared, apart;
    for (auto _ : state) {
        rig.KeepApart(all, false);
        shared = VisitAllTen(rig, false);
        rig.KeepApart(all, true);
        apart = VisitAllTen(rig, true);
        sharedPss.push_back(static_cast<double>(shared.pssKiB));
        apartPss.push_back(static_cast<double>(apart.pssKiB));
    }
    rig.KeepApart(all, false);
    rig.KeepApart(kApartPair, true);
    const double ratio = Median(apartPss) / std::max(Median(sharedPss), 1.0);
    state.counters["shared_pss_kib"] = Median(sharedPss);
    state.counters["apart_pss_kib"] = Median(apartPss);
    state.counters["ratio"] = ratio;
    std::printf("ten profiles visited, median of %zu rounds: shared %.0f KiB PSS, %zu network processes; "
                "kept apart %.0f KiB PSS, at most %zu network processes while visiting, %zu after; ratio %.2f "
                "(target <= 1.2); in the last round, the network processes' PSS: shared %ld KiB, kept apart %ld KiB; "
                "the program's own: shared %ld KiB, kept apart %ld KiB; web processes: shared %zu, kept apart %zu\n",
                apartPss.size(), Median(sharedPss), shared.networkAfter, Median(apartPss), apart.networkMost,
                apart.networkAfter, ratio, shared.networkPssKiB, apart.networkPssKiB, shared.programPssKiB,
                apart.programPssKiB, shared.webAfter, apart.webAfter);
}
BENCHMARK(BM_TenProfilesKeptApartBesideShared)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunBenchmarksOnDisplay(argc, argv);
}
