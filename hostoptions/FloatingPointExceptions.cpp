#include "FloatingPointExceptions.h"

#include <cfenv>

namespace platform {
namespace {

// The floating-point environment the program started with, saved when this
// file's statics are initialised (before main), so switching exceptions back
// on can restore it.
const std::fenv_t& StartupFloatingPointEnvironment()
{
    static const std::fenv_t saved = [] {
        std::fenv_t env;
        std::fegetenv(&env);
        return env;
    }();
    return saved;
}
[[maybe_unused]] const std::fenv_t& kSavedAtProgramStart = StartupFloatingPointEnvironment();

void MaskAllFloatingPointExceptions()
{
    std::fenv_t env;
    std::fegetenv(&env);
#if defined(__x86_64__) || defined(__i386__)
    env.__control_word = kAllExceptionsMaskedWord;
#if defined(__x86_64__)
    env.__mxcsr |= 0x1F80;
#endif
    std::fesetenv(&env);
#else
    std::fesetenv(FE_DFL_ENV);
#endif
}

} // namespace

void SetFloatingPointExceptions(bool enabled)
{
    if (enabled)
        std::fesetenv(&StartupFloatingPointEnvironment());
    else
        MaskAllFloatingPointExceptions();
}

} // namespace platform
