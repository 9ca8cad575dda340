#pragma once
// An address as the URL box shows it.
#include <string>

namespace pages {

// An address as a person reads it: the host name in its own script where
// that cannot pose as another name (ReadableHost), escaped UTF-8 text
// decoded, except where decoding would hide what the address is (blanks,
// control, direction and invisible characters, reserved ASCII stay escaped).
// Reading the result back with ReadTypedUrl gives the same address.
std::string ReadableUrl(const std::string& address);

} // namespace pages
