#include "HostOwnWindow.h"

#include "ShellRequestRedirection.h"

#include <gtkmm/widget.h>

namespace platform {

HostOwnWindow::HostOwnWindow(HostOptionsSite& site)
    : site_(site), window_([this](std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam) { return Procedure(message, wParam, lParam); },
                           false)
{
}

bool HostOwnWindow::RequestClose()
{
    DdeRouter::Program().Send(Handle(), WM_CLOSE, 0, 0);
    return !site_.HostWidget().get_visible();
}

std::intptr_t HostOwnWindow::Procedure(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam)
{
    if (!requests_)
        return DefaultProcedure(message);
    switch (message) {
    case WM_CLOSE: {
        bool CanClose = true;
        site_.CloseQuery(CanClose);
        return CanClose ? DefaultProcedure(message) : 0;
    }
    case WM_DDE_TERMINATE:
        DdeRouter::Program().Post(static_cast<DdeWindow>(wParam), WM_DDE_TERMINATE, Handle(), 0);
        return 0;
    case WM_DDE_EXECUTE:
        requests_->Execute(static_cast<DdeWindow>(wParam), lParam);
        return 0;
    default:
        return DefaultProcedure(message);
    }
}

// The host's window closing takes the host off the screen.
std::intptr_t HostOwnWindow::DefaultProcedure(std::uint32_t message)
{
    if (message == WM_CLOSE)
        site_.HostWidget().hide();
    return 0;
}

} // namespace platform
