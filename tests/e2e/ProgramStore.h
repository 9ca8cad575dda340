#pragma once
// Settings folders for runs of the real program: seeded before it starts,
// read back after it ends, and waiting for what it asks the local server.
#include "LocalHttpServer.h"
#include "TempDir.h"

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

// A settings folder past its first run, with one page in profile 1.
void SeedStore(const std::filesystem::path& folder, const std::string& pageUrl);

struct StoredPage {
    std::string label;
    std::string url;
};
// Profile 1's pages as the program stored them: label and first URL.
std::vector<StoredPage> StoredProfile1(const std::filesystem::path& folder);

// The environment that points the program at settings.
std::map<std::string, std::string> On(const TempDir& settings);

// True once the server was asked for path, within limit.
bool WaitForRequest(const LocalHttpServer& server, const std::string& path,
                    std::chrono::milliseconds limit = std::chrono::seconds(30));
