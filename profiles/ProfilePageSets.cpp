#include "ProfilePageSets.h"

#include "ProgramIdentity.h"
#include "SettingsKey.h"
#include "SettingsNames.h"

#include <cstdint>
#include <optional>
#include <vector>

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
    SettingsKey key(store, SettingsKey::Access::Read);
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
                             + " values. They were not opened; they are kept as they are in the store.");
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

    // Read first, with no write lock; the pages open after the store is let go,
    // so another process is never held up while they do.
    struct StoredPage {
        std::string url, label, firstURL;
        bool remember = false;
        std::optional<std::string> session;
    };
    std::vector<StoredPage> stored;
    std::int32_t count = 0;
    bool profileFound = false;
    {
        SettingsKey key(store, SettingsKey::Access::Read);
        if (!key.OpenProgramKey(false))
            return;
        profileFound = key.OpenKey(profileKey, false);
        count = profileFound && key.ValueExists(kSites) ? key.ReadInteger(kSites) : 0;
        if (count > 0) {
            CheckPageCount(key, profileKey, count);
            stored.reserve(static_cast<std::size_t>(count));
            for (int i = 0; i < count; ++i)
                stored.push_back({key.ReadString(Numbered(kPageURLStem, i)),
                                  key.ReadString(Numbered(kLabelStem, i)),
                                  key.ReadString(Numbered(kFirstURLStem, i)),
                                  key.ReadString(Numbered(kRemURLStem, i)) == kYes,
                                  key.ReadBinary(Numbered(kSessionStem, i))});
        }
        key.Commit();
    }
    if (!profileFound) {
        SettingsKey key(store);
        if (key.OpenProgramKey(false) && key.OpenKey(profileKey, true))
            key.Commit();
    }
    if (count == 0 && profileKey == kStartProfileKey)
        pages.OpenPage(platform::kMakerWebSite, platform::kMakerName);
    if (count <= 0)
        return;

    std::vector<int> opened;
    for (const StoredPage& page : stored) {
        pages.OpenPage(page.url, page.label);
        opened.push_back(pages.PageCount() - 1);
        pages.SetPageFirstURL(opened.back(), page.firstURL);
        pages.SetPageRememberLastURL(opened.back(), page.remember);
        if (page.session)
            pages.RestorePageSessionState(opened.back(), *page.session);
        pages.MakePageCurrent(0);
    }
    SettingsKey key(store);
    if (!key.OpenProgramKey(false) || !key.OpenKey(profileKey, true))
        return;
    for (int i = 0; i < count; ++i)
        WritePageURLs(key, i, pages, opened[static_cast<std::size_t>(i)]);
    key.Commit();
}

bool ProfileExists(platform::RegistryStore& store, const std::string& profileKey)
{
    SettingsKey key(store, SettingsKey::Access::Read);
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
