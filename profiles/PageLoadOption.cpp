#include "PageLoadOption.h"

#include "SettingsKey.h"
#include "SettingsNames.h"

namespace profiles {

bool ReadLoadPagesWhenShown(platform::RegistryStore& store)
{
    try {
        SettingsKey key(store);
        if (!key.OpenProgramKey(false) || !key.ValueExists(kLoadPagesWhenShown))
            return false;
        // Anything but the number 1 (a damaged or foreign value) means off.
        return key.ReadInteger(kLoadPagesWhenShown) == 1;
    } catch (...) {
        // An unreadable store means off, as a missing value does: the pages
        // then load as they open, which is never less than the user asked for.
        return false;
    }
}

void WriteLoadPagesWhenShown(platform::RegistryStore& store, bool on)
{
    SettingsKey key(store);
    if (!key.OpenProgramKey(true))
        return;
    key.WriteBool(kLoadPagesWhenShown, on);
    key.Commit();
}

} // namespace profiles
