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
#include "ErrorReport.h"
#include "LocalHttpServer.h"
#include "ProcessTree.h"
#include "ProfileSiteData.h"
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
#include <fstream>
#include <string>
#include <thread>

#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPages = 3;
// Left to right on the button row.
constexpr int kVisitOrder[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0};
// The pairs switched between: shared, and kept apart.
constexpr int kSharedPair[] = {1, 2};
constexpr int kApartPair[] = {3, 4};
// How long the processes of a profile left behind may take to end.
constexpr auto kProcessesEnd = std::chrono::seconds(10);

std::string PageBody(int n)
{
    std::string body = "<html><head><title>Page " + std::to_string(n) + "</title></head><body>";
    for (int i = 0; i < 100; ++i)
        body += "<p>Paragraph " + std::to_string(i) + " of page " + std::to_string(n) + ".</p>";
    body += "<script>document.cookie = 'seen=' + Date.now() + '; max-age=3600';"
            "localStorage.setItem('page', '" + std::to_string(n) + "');</script>";
    return body + "</body></html>";
}

// Every profile holds the same kPages pages.
void SeedProfiles(platform::RegistryStore& store, LocalHttpServer& server)
{
    using namespace profiles;
    SettingsKey key(store);
    key.OpenProgramKey(true);
    key.WriteString(kWelcomed, kYes);
    for (int i = 0; i < kPages; ++i)
        server.AddPage("/site/" + std::to_string(i) + ".html", PageBody(i));
    for (int profile = 0; profile < 10; ++profile) {
        key.OpenProgramKey(false);
        key.OpenKey(Numbered(kProfileKeyStem, profile), true);
        key.WriteInteger(kSites, kPages);
        for (int i = 0; i < kPages; ++i) {
            const std::string url = server.Url("/site/" + std::to_string(i) + ".html");
            key.WriteString(Numbered(kLabelStem, i), "Site " + std::to_string(i));
            key.WriteString(Numbered(kFirstURLStem, i), url);
            key.WriteString(Numbered(kPageURLStem, i), url);
            key.WriteString(Numbered(kRemURLStem, i), kNo);
        }
    }
    key.Commit();
}

double Ms(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void WaitUntil(const std::function<bool()>& done, Clock::duration limit)
{
    const Clock::time_point end = Clock::now() + limit;
    while (!done() && Clock::now() < end)
        if (!g_main_context_iteration(nullptr, FALSE))
            std::this_thread::sleep_for(std::chrono::microseconds(500));
}

void Settle(Clock::duration span)
{
    const Clock::time_point end = Clock::now() + span;
    WaitUntil([&] { return Clock::now() >= end; }, span);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

class Rig {
public:
    Rig() : folder_(MakeFolder())
    {
        setenv("PANDREL_CONFIG_DIR", folder_.c_str(), 1);
        store_ = std::make_unique<platform::RegistryStore>(folder_);
        SeedProfiles(*store_, server_);
        KeepApart(kApartPair, true);
        engine_ = platform::RegisterWebKitEngine();
        platform::SetErrorSink([](const std::string& text) { std::fprintf(stderr, "report: %s\n", text.c_str()); });
        program_ = std::make_unique<Program>(*store_);
        program_->frmMain.show();
        WaitUntil([&] { return Shown(1); }, std::chrono::seconds(30));
    }
    ~Rig()
    {
        program_.reset();
        store_.reset();
        std::filesystem::remove_all(folder_);
    }

    template <std::size_t N> void KeepApart(const int (&profiles)[N], bool apart)
    {
        for (int profile : profiles)
            profiles::WriteKeepLoginsApart(*store_, profile, apart);
    }

    // Waits until at most count profiles' own contexts are alive.
    void WaitForLiveProfileContexts(int count)
    {
        WaitUntil([&] { return engine_->LiveProfileContexts() <= count; }, kProcessesEnd);
    }

    // Presses profile button n; the time from the press until its current page is shown, in milliseconds.
    double Press(int profile)
    {
        const Clock::time_point start = Clock::now();
        program_->frmMain.Profiles().ButtonBar().Button(profile).clicked();
        WaitUntil([&] { return Shown(profile); }, std::chrono::seconds(60));
        return Ms(start);
    }

private:
    static std::filesystem::path MakeFolder()
    {
        char pattern[] = "/tmp/pandrel-bench-sitedata-XXXXXX";
        return mkdtemp(pattern);
    }
    bool Shown(int profile)
    {
        auto& main = program_->frmMain;
        return main.Profiles().CurrentProfile() == profiles::Numbered(profiles::kProfileKeyStem, profile) &&
               main.PageControl().get_n_pages() == kPages && main.Pages().List().CurrentBrowser() &&
               main.URLBox().get_entry_text() == server_.Url("/site/0.html") && !main.BusyAnimation().Active();
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
