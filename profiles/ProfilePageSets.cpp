#include "ProfilePageSets.h"

#include "ProgramIdentity.h"
#include "SettingsKey.h"
#include "SettingsNames.h"

#include <cstdint>

namespace profiles {

namespace {

// Writes FirstURL, URL and RemURL of page `page` as entry `entry`.
void WritePageURLs(SettingsKey& key, int entry, PageSetHost& pages, int page)
{
    const std::string firstURL = pages.PageFirstURL(page);
    key.WriteString(Numbered(kFirstURLStem, entry), firstURL);
    if (pages.PageRememberLastURL(page)) {
        key.WriteString(Numbered(kPageURLStem, entry), pages.PageLocationURL(page));
        key.WriteString(Numbered(kRemURLStem, entry), kYes);
    } else {
        key.WriteString(Numbered(kPageURLStem, entry), firstURL);
        key.WriteString(Numbered(kRemURLStem, entry), kNo);
    }
}

} // namespace

void WritePageSession(SettingsKey& key, long long entry, const std::string& state)
{
    const std::string name = Numbered(kSessionStem, entry);
    if (!state.empty())
        key.WriteBinary(name, state);
    else if (key.ValueExists(name))
        key.DeleteValue(name); // an old list must not come back with a new page
}

namespace {

bool ProgramKeyExists(platform::RegistryStore& store)
{
    SettingsKey key(store);
    return key.OpenProgramKey(false);
}

// A stored page count that the key cannot hold (every stored page has values in
// it) is damage; it is refused before anything is opened or written.
void CheckPageCount(SettingsKey& key, const std::string& profileKey, std::int32_t count)
{
    const std::int64_t values = key.ValueCount();
    if (count > values)
        throw ESettingsError("The stored pages of '" + profileKey + "' are damaged: '"
                             + std::string(kSites) + "' says " + std::to_string(count)
                             + " pages, but the key holds only " + std::to_string(values)
                             + " values. Nothing was opened or changed.");
}

} // namespace

std::string ProfileKeyName(int number)
{
    return Numbered(kProfileKeyStem, number);
}

void SaveProfilePages(platform::RegistryStore& store, const std::string& profileKey, PageSetHost& pages)
{
    SettingsKey key(store);
    if (!key.OpenProgramKey(true) || !key.OpenKey(profileKey, true))
        return;
    const int count = pages.PageCount();
    key.WriteInteger(kSites, count);
    for (int i = 0; i < count; ++i) {
        key.WriteString(Numbered(kLabelStem, i), pages.PageCaption(i));
        WritePageURLs(key, i, pages, i);
        WritePageSession(key, i, pages.PageSessionState(i));
    }
    key.Commit();
}

void LoadProfilePages(platform::RegistryStore& store, const std::string& profileKey, PageSetHost& pages)
{
    if (!ProgramKeyExists(store))
        SaveProfilePages(store, profileKey, pages);

    SettingsKey key(store);
    if (!key.OpenProgramKey(false) || !key.OpenKey(profileKey, true))
        return;
    const std::int32_t count = key.ValueExists(kSites) ? key.ReadInteger(kSites) : 0;
    if (count == 0) {
        if (profileKey == kStartProfileKey)
            pages.OpenPage(platform::kMakerWebSite, platform::kMakerName);
        key.Commit();
        return;
    }
    if (count < 0) {
        key.Commit();
        return;
    }
    CheckPageCount(key, profileKey, count);
    for (int i = 0; i < count; ++i) {
        const std::string url = key.ReadString(Numbered(kPageURLStem, i));
        const std::string label = key.ReadString(Numbered(kLabelStem, i));
        const std::string firstURL = key.ReadString(Numbered(kFirstURLStem, i));
        pages.OpenPage(url, label);
        const int page = pages.PageCount() - 1;
        pages.SetPageFirstURL(page, firstURL);
        pages.SetPageRememberLastURL(page, key.ReadString(Numbered(kRemURLStem, i)) == kYes);
        if (auto session = key.ReadBinary(Numbered(kSessionStem, i)))
            pages.RestorePageSessionState(page, *session);
        pages.MakePageCurrent(0);
        WritePageURLs(key, i, pages, page);
    }
    key.Commit();
}

bool ProfileExists(platform::RegistryStore& store, const std::string& profileKey)
{
    SettingsKey key(store);
    std::string path(kProgramKey);
    path.append("\\").append(profileKey);
    return key.OpenKey(path, false);
}

bool IsProfileEmpty(platform::RegistryStore& store, int number)
{
    SettingsKey key(store);
    if (!key.OpenProgramKey(false) || !key.OpenKey(ProfileKeyName(number), true))
        return true;
    const bool empty = !key.ValueExists(kSites) || key.ReadInteger(kSites) == 0;
    key.Commit(); // keeps the profile key it may have created
    return empty;
}

} // namespace profiles
