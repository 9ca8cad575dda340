#pragma once
// The shell's "open": hands a target (a URL or a file) to the desktop's default
// handler. The opener is program-wide and replaceable, so tests can watch what
// would be opened without opening anything.
#include <functional>
#include <string>

namespace platform {

// Returns whether the handler accepted the target.
using ShellOpener = std::function<bool(const std::string& target)>;

// Opens target through the current opener.
bool ShellOpen(const std::string& target);

// Replaces the opener and returns the previous one; an empty function restores
// the desktop's default handler.
ShellOpener SetShellOpener(ShellOpener opener);

// The desktop's default handler (GIO); failure is reported by the result only.
bool OpenWithDefaultHandler(const std::string& target);

} // namespace platform
