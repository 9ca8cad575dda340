#pragma once
// Whether a profile keeps its logins apart: the REG_DWORD "KeepLoginsApart"
// in its key. 0 or absent: its pages use the site data all profiles share;
// any other number: data of its own. Each call is one store operation; a value
// of another type raises ESettingsError.
#include "RegistryStore.h"

namespace profiles {

bool ReadKeepLoginsApart(platform::RegistryStore& store, int number);
// Creates the program's and the profile's key when missing; raises when the
// value cannot be stored.
void WriteKeepLoginsApart(platform::RegistryStore& store, int number, bool apart);

} // namespace profiles
