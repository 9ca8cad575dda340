#include "ShowWelcomeOnce.h"

#include "SettingsKey.h"
#include "SettingsNames.h"

namespace profiles {

namespace {

bool WasWelcomed(platform::RegistryStore& store)
{
    SettingsKey key(store);
    key.OpenProgramKey(true);
    return key.ValueExists(kWelcomed);
}

void RecordWelcomed(platform::RegistryStore& store)
{
    SettingsKey key(store);
    if (!key.OpenProgramKey(true))
        return;
    key.WriteString(kWelcomed, kYes);
    key.Commit();
}

} // namespace

bool WelcomeDue(platform::RegistryStore& store)
{
    try {
        SettingsKey key(store, SettingsKey::Access::Read);
        return !key.OpenProgramKey(false) || !key.ValueExists(kWelcomed);
    } catch (...) {
        return true; // as ShowWelcomeOnce, which shows it when the store fails
    }
}

void ShowWelcomeOnce(platform::RegistryStore& store, const std::function<void()>& showWelcomeModal)
{
    // The dialog is shown between two short store operations, so the store is
    // not held while the user reads it.
    try {
        if (WasWelcomed(store))
            return;
        showWelcomeModal();
        RecordWelcomed(store);
    } catch (...) {
        // The welcome is a courtesy: whatever fails here, the start goes on.
    }
}

} // namespace profiles
