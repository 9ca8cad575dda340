#pragma once
// The "Load Pages When Shown" option, kept as one value of the program's key.
#include "RegistryStore.h"

namespace profiles {

// The stored choice; off when it was never made or cannot be read.
bool ReadLoadPagesWhenShown(platform::RegistryStore& store);
// Stores the choice at once; a store that cannot be written raises.
void WriteLoadPagesWhenShown(platform::RegistryStore& store, bool on);

} // namespace profiles
