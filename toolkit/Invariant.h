#pragma once
// States the program relies on, checked where they must hold. The checks stay
// in every build (they do not depend on NDEBUG): a broken one is a programming
// fault, and the program stops at once, naming the statement and its place.
#include <source_location>

namespace platform {

[[noreturn]] void InvariantBroken(const char* statement, const std::source_location& where);

inline void Invariant(bool holds, const char* statement,
                      const std::source_location& where = std::source_location::current())
{
    if (!holds)
        InvariantBroken(statement, where);
}

} // namespace platform
