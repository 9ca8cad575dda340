#pragma once
// Secrets the program makes up, such as the token of a link that only the
// program's own page may carry: drawn from the system's cryptographic source
// (getrandom), never from a generator meant for ids or simulations.
#include <cstddef>
#include <string>

namespace platform {

// byteCount random bytes as lowercase hexadecimal (twice as many digits).
// Raises std::system_error when the system cannot give them.
std::string SecureToken(std::size_t byteCount = 16);

} // namespace platform
