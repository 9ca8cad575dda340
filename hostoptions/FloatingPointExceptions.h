#pragma once
// The floating-point exception switch a host offers (fpExceptions). The
// floating-point environment is the process's: every host shares it.
#include <cstdint>

namespace platform {

// The x87 control word that masks every floating-point exception.
inline constexpr std::uint16_t kAllExceptionsMaskedWord = 0x133F;

// true: back to the floating-point environment the program started with;
// false: every floating-point exception masked (the x87 control word above
// and the matching SSE mask), the rounding mode kept.
void SetFloatingPointExceptions(bool enabled);

} // namespace platform
