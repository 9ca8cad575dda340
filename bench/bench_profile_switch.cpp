// The program's own cost of a profile switch (save the open pages, close them,
// open the other profile's pages) with 10 and 50 pages, on pages kept in memory
// so that no browser work is measured. Run under Xvfb.
#include "DisplayBenchmarkMain.h"
#include "PageSetHost.h"
#include "Profiles.h"
#include "RegistryStore.h"

#include <benchmark/benchmark.h>
#include <gtkmm.h>

#include <filesystem>
#include <vector>

namespace {

struct MemoryPage {
    std::string caption, firstURL, location;
    bool remember = false;
};

class MemoryPages : public profiles::PageSetHost {
public:
    std::vector<MemoryPage> pages;
    int PageCount() const override { return static_cast<int>(pages.size()); }
    std::string PageCaption(int i) const override { return pages[i].caption; }
    std::string PageFirstURL(int i) const override { return pages[i].firstURL; }
    void SetPageFirstURL(int i, const std::string& url) override { pages[i].firstURL = url; }
    bool PageRememberLastURL(int i) const override { return pages[i].remember; }
    void SetPageRememberLastURL(int i, bool remember) override { pages[i].remember = remember; }
    std::string PageLocationURL(int i) override { return pages[i].location; }
    void OpenPage(const std::string& url, const std::string& caption) override
    {
        pages.push_back({caption, url, url, false});
        ++opened;
    }
    void CloseAllPages() override { pages.clear(); }
    void UseSiteData(const platform::SiteData&) override {}
    void MakePageCurrent(int) override {}
    std::uint64_t PagesOpened() const override { return opened; }
    std::uint64_t opened = 0;
};

// Switches back and forth between profiles 2 and 3, each holding `count` pages.
void BM_ProfileSwitch(benchmark::State& state)
{
    char pattern[] = "/tmp/pandrel-bench-XXXXXX";
    const std::filesystem::path folder = mkdtemp(pattern);
    {
        platform::RegistryStore store(folder);
        MemoryPages pages;
        profiles::Profiles profiles(store, pages);
        for (int profile : {2, 3}) {
            pages.CloseAllPages();
            for (int i = 0; i < state.range(0); ++i) {
                const std::string url = "http://127.0.0.1:8080/profile" + std::to_string(profile)
                    + "/site" + std::to_string(i) + "/index.html";
                pages.pages.push_back({"Site " + std::to_string(i), url, url + "#later", i % 2 == 0});
            }
            profiles.SaveProfilePages("Profile" + std::to_string(profile));
        }
        pages.CloseAllPages();
        profiles.LoadProfilePages("Profile2");
        int next = 3;
        for (auto _ : state) {
            profiles.spdProfileClick(profiles.ButtonBar().Button(next));
            next = next == 3 ? 2 : 3;
        }
        state.counters["pages"] = pages.PageCount();
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ProfileSwitch)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return RunBenchmarksOnDisplay(argc, argv);
}
