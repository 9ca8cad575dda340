#pragma once
// The first-run check: the Welcome dialog until "Welcomed" is stored.
#include "RegistryStore.h"

#include <functional>

namespace profiles {

// Shows the welcome (showWelcomeModal returns when the dialog has closed) unless
// the program's key holds "Welcomed" of any type, then stores "Welcomed" = "Y".
// Every error is swallowed; a store that cannot be opened shows it every time.
void ShowWelcomeOnce(platform::RegistryStore& store, const std::function<void()>& showWelcomeModal);
// Whether ShowWelcomeOnce would show the welcome now; reads only.
bool WelcomeDue(platform::RegistryStore& store);

} // namespace profiles
