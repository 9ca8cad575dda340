#pragma once
// The recovery record: the open page set of the current profile, kept in the
// "Recovery" key beside the profile keys while the program runs, so a crash or
// a kill loses nothing. Each write is one transaction; "Clean" is 0 while the
// program runs and 1 after a normal close. The profile keys are never touched.
#include "PageSetHost.h"
#include "RegistryStore.h"

#include <optional>
#include <string>
#include <vector>

namespace profiles {

inline constexpr const char* kRecoveryKey = "Recovery";
inline constexpr const char* kRecoveryProfile = "Profile"; // the profile key the pages belong to
inline constexpr const char* kRecoveryClean = "Clean";

struct RecoveryPage {
    std::string label;
    std::string firstURL;
    std::string url;          // where the page was, whatever RemURL says
    bool rememberLastURL = false;
    std::string session;      // the engine's back/forward bytes, or empty
    bool operator==(const RecoveryPage&) const = default;
};

struct RecoverySnapshot {
    std::string profileKey;   // "Profile0".."Profile9"
    std::vector<RecoveryPage> pages;
    bool operator==(const RecoverySnapshot&) const = default;
};

// The page set as it is now. A page whose location cannot be read keeps its FirstURL.
RecoverySnapshot TakeRecoverySnapshot(const std::string& profileKey, PageSetHost& pages);
// Replaces the record with snapshot and marks the run as not yet closed.
void WriteRecoveryRecord(platform::RegistryStore& store, const RecoverySnapshot& snapshot);
// Marks the run as closed normally.
void MarkRecoveryClean(platform::RegistryStore& store);
// The record a run that did not close normally left, when it holds pages and
// reads back whole; otherwise nothing.
std::optional<RecoverySnapshot> ReadPendingRecovery(platform::RegistryStore& store);
// Removes the record.
void DropRecoveryRecord(platform::RegistryStore& store);
// The profile number of "Profile0".."Profile9", or -1.
int RecoveryProfileNumber(const std::string& profileKey);

} // namespace profiles
