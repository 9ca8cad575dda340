#pragma once
// Storing and loading the page set of a profile ("Profile0".."Profile9" beneath
// the program's key). Each call is one store operation; errors are thrown as
// ESettingsError (or whatever the host throws) for the default report.
#include "PageSetHost.h"
#include "RegistryStore.h"
#include "SettingsKey.h"

#include <string>

namespace profiles {

// "Profile%d" for profile number n.
std::string ProfileKeyName(int number);

void SaveProfilePages(platform::RegistryStore& store, const std::string& key, PageSetHost& pages);
// Call with no page open.
void LoadProfilePages(platform::RegistryStore& store, const std::string& key, PageSetHost& pages);
bool ProfileExists(platform::RegistryStore& store, const std::string& key);
bool IsProfileEmpty(platform::RegistryStore& store, int number);
// Writes the engine's back/forward bytes of entry (none: removes the value).
void WritePageSession(SettingsKey& key, long long entry, const std::string& state);

} // namespace profiles
