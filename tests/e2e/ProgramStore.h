#pragma once
// Settings folders for runs of the real program: seeded before it starts,
// read back after it ends, and waiting for what it asks the local server.
#include "LocalHttpServer.h"
#include "SettingsKey.h"
#include "TempDir.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

// One page of profile 1 as the store holds it.
struct StoredPage {
    std::string label;
    std::string firstUrl;
    std::string url; // where the page was last
    bool remember = false;
    bool operator==(const StoredPage&) const = default;
};
std::ostream& operator<<(std::ostream& out, const StoredPage& page);

// Writes a settings folder past its first run whose profile 1 holds pages;
// programValues, when given, writes more values into the program's key.
void SeedStore(const std::filesystem::path& folder, const std::vector<StoredPage>& pages,
               const std::function<void(profiles::SettingsKey&)>& programValues = {});
// The same with one page, labelled "First", at pageUrl.
void SeedStore(const std::filesystem::path& folder, const std::string& pageUrl);

// Runs use on the program's key (created when missing) through the store's
// own accessor, then commits: to seed other keys before a run or to read
// any value after it.
void WithStore(const std::filesystem::path& folder, const std::function<void(profiles::SettingsKey&)>& use);

// Profile 1's pages as the program stored them.
std::vector<StoredPage> StoredProfile1(const std::filesystem::path& folder);

// The environment that points the program at settings.
std::map<std::string, std::string> On(const TempDir& settings);

// True once the server was asked for path, within limit.
bool WaitForRequest(const LocalHttpServer& server, const std::string& path,
                    std::chrono::milliseconds limit = std::chrono::seconds(30));
