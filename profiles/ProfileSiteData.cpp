#include "ProfileSiteData.h"

#include "ProfilePageSets.h"
#include "SettingsKey.h"
#include "SettingsNames.h"

namespace profiles {

bool ReadKeepLoginsApart(platform::RegistryStore& store, int number)
{
    SettingsKey key(store, SettingsKey::Access::Read);
    if (!key.OpenProgramKey(false) || !key.OpenKey(ProfileKeyName(number), false) ||
        !key.ValueExists(kKeepLoginsApart))
        return false;
    return key.ReadInteger(kKeepLoginsApart) != 0;
}

void WriteKeepLoginsApart(platform::RegistryStore& store, int number, bool apart)
{
    SettingsKey key(store);
    // Not stored would show as done: a key that cannot be made is reported.
    if (!key.OpenProgramKey(true) || !key.OpenKey(ProfileKeyName(number), true))
        throw ESettingsError("Failed to set data for '" + std::string(kKeepLoginsApart) + "'");
    key.WriteBool(kKeepLoginsApart, apart);
    key.Commit();
}

} // namespace profiles
