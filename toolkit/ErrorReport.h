#pragma once
// The program's default error report: an exception that escapes a command or
// event handler is shown in a message box with its text, and the program goes
// on with the state as the handler left it.
#include <functional>
#include <string>

namespace platform {

// Routes exceptions escaping gtkmm signal handlers to the report. Call once at start.
void InstallDefaultErrorReport();

// Shows text in a plain modal message box over the program's active window.
void ShowMessageBox(const std::string& text);

// The text of the exception being handled; call only inside a catch block.
std::string CurrentExceptionText();

// Reports the exception being handled; call only inside a catch block.
void ReportCurrentException();

// Reports a problem found outside any handler, the same way.
void ReportError(const std::string& text);

// Replaces where reports go (tests collect them instead of showing a box).
// Returns the previous sink; an empty function restores the message box.
using ErrorSink = std::function<void(const std::string& text)>;
ErrorSink SetErrorSink(ErrorSink sink);

// Runs fn behind the report: for callbacks that do not pass through gtkmm
// (C signal handlers, idle work), where an escaping exception must not unwind
// into C code.
template <typename Fn>
void RunGuarded(Fn&& fn) noexcept
{
    try {
        fn();
    } catch (...) {
        ReportCurrentException();
    }
}

} // namespace platform
