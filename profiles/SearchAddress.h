#pragma once
// The web search that words typed as an address go to: one stored text of the
// program's key, "SearchURL", in which "%s" stands for the words.
#include "RegistryStore.h"

#include <string>

namespace profiles {

// The stored search address, or fallback when it is missing, not text, longer
// than any address needs, or the store cannot be read. The program never
// writes it; a user may.
std::string ReadSearchAddress(platform::RegistryStore& store, const std::string& fallback);

} // namespace profiles
