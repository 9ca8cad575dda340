// One write of the recovery record for a 30-page set (one transaction, the
// step the main loop takes after a change) beside the save of the same 30 pages
// to their profile key, and beside the once-a-second check that finds nothing
// changed. Pages are kept in memory, so no browser work is measured.
#include "PageSetHost.h"
#include "ProfilePageSets.h"
#include "RecoveryRecord.h"
#include "RegistryStore.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <vector>

namespace {

struct MemoryPage {
    std::string caption, firstURL, location;
};

class MemoryPages : public profiles::PageSetHost {
public:
    std::vector<MemoryPage> pages;
    int PageCount() const override { return static_cast<int>(pages.size()); }
    std::string PageCaption(int i) const override { return pages[i].caption; }
    std::string PageFirstURL(int i) const override { return pages[i].firstURL; }
    void SetPageFirstURL(int i, const std::string& url) override { pages[i].firstURL = url; }
    bool PageRememberLastURL(int) const override { return true; }
    void SetPageRememberLastURL(int, bool) override {}
    std::string PageLocationURL(int i) override { return pages[i].location; }
    void OpenPage(const std::string& url, const std::string& caption) override
    {
        pages.push_back({caption, url, url});
        ++opened;
    }
    void CloseAllPages() override { pages.clear(); }
    void UseSiteData(const platform::SiteData&) override {}
    void MakePageCurrent(int) override {}
    std::uint64_t PagesOpened() const override { return opened; }
    std::uint64_t opened = 0;
};

struct Setup {
    std::filesystem::path folder;
    MemoryPages pages;
    Setup()
    {
        char pattern[] = "/tmp/pandrel-bench-XXXXXX";
        folder = mkdtemp(pattern);
        for (int i = 0; i < 30; ++i) {
            const std::string url = "http://127.0.0.1:8080/site" + std::to_string(i) + "/index.html";
            pages.pages.push_back({"Site " + std::to_string(i), url, url + "?page=2"});
        }
    }
    ~Setup() { std::filesystem::remove_all(folder); }
};

void BM_RecoveryWrite30(benchmark::State& state)
{
    Setup setup;
    platform::RegistryStore store(setup.folder);
    int n = 0;
    for (auto _ : state) {
        setup.pages.pages[0].location = "http://127.0.0.1:8080/moved" + std::to_string(++n);
        profiles::WriteRecoveryRecord(store, profiles::TakeRecoverySnapshot("Profile1", setup.pages));
    }
}

void BM_ProfileSave30(benchmark::State& state)
{
    Setup setup;
    platform::RegistryStore store(setup.folder);
    for (auto _ : state)
        profiles::SaveProfilePages(store, "Profile1", setup.pages);
}

void BM_RecoveryCheckUnchanged30(benchmark::State& state)
{
    Setup setup;
    const auto written = profiles::TakeRecoverySnapshot("Profile1", setup.pages);
    for (auto _ : state)
        benchmark::DoNotOptimize(profiles::TakeRecoverySnapshot("Profile1", setup.pages) == written);
}

} // namespace

BENCHMARK(BM_RecoveryWrite30)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProfileSave30)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecoveryCheckUnchanged30)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
