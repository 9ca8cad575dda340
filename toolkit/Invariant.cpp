#include "Invariant.h"

#include <cstdio>
#include <cstdlib>

namespace platform {

void InvariantBroken(const char* statement, const std::source_location& where)
{
    std::fprintf(stderr, "%s:%u: invariant broken: %s\n", where.file_name(), static_cast<unsigned>(where.line()),
                 statement);
    std::fflush(stderr);
    std::abort();
}

} // namespace platform
