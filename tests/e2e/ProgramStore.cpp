#include "ProgramStore.h"

#include "RegistryStore.h"
#include "SettingsNames.h"

#include <gtest/gtest.h>

#include <thread>

using namespace profiles;
using namespace std::chrono_literals;

std::ostream& operator<<(std::ostream& out, const StoredPage& page)
{
    return out << "{" << page.label << ", " << page.firstUrl << ", " << page.url << ", "
               << (page.remember ? kYes : kNo) << "}";
}

bool WaitForRequest(const LocalHttpServer& server, const std::string& path, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!server.WasRequested(path)) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

void SeedStore(const std::filesystem::path& folder, const std::vector<StoredPage>& pages,
               const std::function<void(SettingsKey&)>& programValues)
{
    platform::RegistryStore store(folder);
    SettingsKey key(store);
    ASSERT_TRUE(key.OpenProgramKey(true));
    key.WriteString(kWelcomed, kYes);
    if (programValues)
        programValues(key);
    ASSERT_TRUE(key.OpenKey(kStartProfileKey, true));
    key.WriteInteger(kSites, static_cast<std::int32_t>(pages.size()));
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const auto n = static_cast<long long>(i);
        key.WriteString(Numbered(kLabelStem, n), pages[i].label);
        key.WriteString(Numbered(kFirstURLStem, n), pages[i].firstUrl);
        key.WriteString(Numbered(kPageURLStem, n), pages[i].url);
        key.WriteString(Numbered(kRemURLStem, n), pages[i].remember ? kYes : kNo);
    }
    key.Commit();
}

void SeedStore(const std::filesystem::path& folder, const std::string& pageUrl)
{
    SeedStore(folder, {{"First", pageUrl, pageUrl}});
}

void WithStore(const std::filesystem::path& folder, const std::function<void(SettingsKey&)>& use)
{
    platform::RegistryStore store(folder);
    SettingsKey key(store);
    ASSERT_TRUE(key.OpenProgramKey(true));
    use(key);
    key.Commit();
}

std::vector<StoredPage> StoredProfile1(const std::filesystem::path& folder)
{
    platform::RegistryStore store(folder);
    SettingsKey key(store, SettingsKey::Access::Read);
    std::vector<StoredPage> pages;
    if (!key.OpenProgramKey(false) || !key.OpenKey(kStartProfileKey, false))
        return pages;
    for (int i = 0; i < key.ReadInteger(kSites); ++i)
        pages.push_back({key.ReadString(Numbered(kLabelStem, i)), key.ReadString(Numbered(kFirstURLStem, i)),
                         key.ReadString(Numbered(kPageURLStem, i)),
                         key.ReadString(Numbered(kRemURLStem, i)) == kYes});
    return pages;
}

std::map<std::string, std::string> On(const TempDir& settings)
{
    return {{"PANDREL_CONFIG_DIR", settings.path().string()}};
}
