#pragma once
// A host's own window in the in-process DDE layer. Until the loaded step
// hooks it, it only closes (a close hides the host). Hooked, a close asks
// OnCloseQuery first, and the DDE terminate and execute of a shell-request
// conversation are answered.
#include "DdeRouter.h"
#include "HostOptionsSite.h"

#include <cstdint>

namespace platform {

class ShellRequestRedirection;

class HostOwnWindow {
public:
    explicit HostOwnWindow(HostOptionsSite& site);

    DdeWindow Handle() const { return window_.Handle(); }
    // The loaded step's hook; executes go to requests.
    void Hook(ShellRequestRedirection& requests) { requests_ = &requests; }
    // Sends the window a close request; returns whether the host closed.
    bool RequestClose();

private:
    std::intptr_t Procedure(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
    std::intptr_t DefaultProcedure(std::uint32_t message);

    HostOptionsSite& site_;
    ShellRequestRedirection* requests_ = nullptr; // set by the hook
    DdeWindowRegistration window_;
};

} // namespace platform
