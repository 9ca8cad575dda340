#include "ProgramStore.h"

#include "RegistryStore.h"
#include "SettingsKey.h"
#include "SettingsNames.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace profiles;
using namespace std::chrono_literals;

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

void SeedStore(const std::filesystem::path& folder, const std::string& pageUrl)
{
    platform::RegistryStore store(folder);
    SettingsKey key(store);
    ASSERT_TRUE(key.OpenProgramKey(true));
    key.WriteString(kWelcomed, kYes);
    ASSERT_TRUE(key.OpenKey(kStartProfileKey, true));
    key.WriteInteger(kSites, 1);
    key.WriteString(Numbered(kLabelStem, 0), "First");
    key.WriteString(Numbered(kFirstURLStem, 0), pageUrl);
    key.WriteString(Numbered(kPageURLStem, 0), pageUrl);
    key.WriteString(Numbered(kRemURLStem, 0), kNo);
    key.Commit();
}

std::vector<StoredPage> StoredProfile1(const std::filesystem::path& folder)
{
    platform::RegistryStore store(folder);
    SettingsKey key(store);
    std::vector<StoredPage> pages;
    if (!key.OpenProgramKey(false) || !key.OpenKey(kStartProfileKey, false))
        return pages;
    for (int i = 0; i < key.ReadInteger(kSites); ++i)
        pages.push_back({key.ReadString(Numbered(kLabelStem, i)), key.ReadString(Numbered(kFirstURLStem, i))});
    return pages;
}

std::map<std::string, std::string> On(const TempDir& settings)
{
    return {{"PANDREL_CONFIG_DIR", settings.path().string()}};
}
