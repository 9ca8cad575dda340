#include "RecoveryRecord.h"

#include "ProfilePageSets.h"
#include "SettingsKey.h"
#include "SettingsNames.h"

namespace profiles {

namespace {

std::string RecoveryKeyPath()
{
    std::string path(kProgramKey);
    path.append("\\").append(kRecoveryKey);
    return path;
}

} // namespace

int RecoveryProfileNumber(const std::string& profileKey)
{
    for (int n = 0; n <= 9; ++n)
        if (profileKey == ProfileKeyName(n))
            return n;
    return -1;
}

RecoverySnapshot TakeRecoverySnapshot(const std::string& profileKey, PageSetHost& pages)
{
    RecoverySnapshot snapshot{profileKey, {}};
    const int count = pages.PageCount();
    for (int i = 0; i < count; ++i) {
        RecoveryPage page{pages.PageCaption(i), pages.PageFirstURL(i), {}, pages.PageRememberLastURL(i),
                          pages.PageSessionState(i)};
        try {
            page.url = pages.PageLocationURL(i);
        } catch (...) {
            // A page whose location cannot be read (a failing control) is
            // recorded at its FirstURL: the record is still worth keeping.
        }
        if (page.url.empty())
            page.url = page.firstURL;
        snapshot.pages.push_back(std::move(page));
    }
    return snapshot;
}

void WriteRecoveryRecord(platform::RegistryStore& store, const RecoverySnapshot& snapshot)
{
    SettingsKey key(store);
    // Values of a longer earlier set go with the old key.
    const platform::RegStatus removed = store.DeleteKeyTree(platform::RegRoot::CurrentUser, RecoveryKeyPath());
    if (removed != platform::kRegSuccess && removed != platform::kRegFileNotFound)
        throw ESettingsError("The recovery record could not be replaced.");
    if (!key.OpenKey(RecoveryKeyPath(), true))
        return;
    key.WriteInteger(kRecoveryClean, 0);
    key.WriteString(kRecoveryProfile, snapshot.profileKey);
    key.WriteInteger(kSites, static_cast<std::int32_t>(snapshot.pages.size()));
    for (std::size_t i = 0; i < snapshot.pages.size(); ++i) {
        const auto n = static_cast<long long>(i);
        const RecoveryPage& page = snapshot.pages[i];
        key.WriteString(Numbered(kLabelStem, n), page.label);
        key.WriteString(Numbered(kFirstURLStem, n), page.firstURL);
        key.WriteString(Numbered(kPageURLStem, n), page.url);
        key.WriteString(Numbered(kRemURLStem, n), page.rememberLastURL ? kYes : kNo);
        WritePageSession(key, n, page.session);
    }
    key.Commit();
}

void MarkRecoveryClean(platform::RegistryStore& store)
{
    SettingsKey key(store);
    if (!key.OpenKey(RecoveryKeyPath(), true))
        return;
    key.WriteInteger(kRecoveryClean, 1);
    key.Commit();
}

std::optional<RecoverySnapshot> ReadPendingRecovery(platform::RegistryStore& store)
{
    try {
        SettingsKey key(store);
        if (!key.OpenKey(RecoveryKeyPath(), false) || !key.ValueExists(kRecoveryClean)
            || key.ReadInteger(kRecoveryClean) != 0 || !key.ValueExists(kSites))
            return std::nullopt;
        RecoverySnapshot snapshot{key.ReadString(kRecoveryProfile), {}};
        const std::int32_t count = key.ReadInteger(kSites);
        // At least four values a page, plus the three of the record itself.
        if (RecoveryProfileNumber(snapshot.profileKey) < 0 || count <= 0
            || 4 * static_cast<std::int64_t>(count) + 3 > key.ValueCount())
            return std::nullopt;
        for (std::int32_t i = 0; i < count; ++i) {
            for (const char* stem : {kLabelStem, kFirstURLStem, kPageURLStem, kRemURLStem})
                if (!key.ValueExists(Numbered(stem, i)))
                    return std::nullopt;
            snapshot.pages.push_back({key.ReadString(Numbered(kLabelStem, i)),
                                      key.ReadString(Numbered(kFirstURLStem, i)),
                                      key.ReadString(Numbered(kPageURLStem, i)),
                                      key.ReadString(Numbered(kRemURLStem, i)) == kYes,
                                      key.ReadBinary(Numbered(kSessionStem, i)).value_or("")});
        }
        return snapshot;
    } catch (const ESettingsError&) {
        return std::nullopt; // a damaged record offers nothing
    }
}

void DropRecoveryRecord(platform::RegistryStore& store)
{
    store.DeleteKeyTree(platform::RegRoot::CurrentUser, RecoveryKeyPath());
}

} // namespace profiles
