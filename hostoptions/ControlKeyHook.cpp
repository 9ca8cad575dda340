#include "ControlKeyHook.h"

#include "BrowserControlInterfaces.h"
#include "BrowserInterfaceIds.h"
#include "KeyMessage.h"

#include <gtkmm/widget.h>

namespace platform {
namespace {

// The point both coordinates of an offered key message carry.
constexpr std::int32_t kOfferedKeyPoint = 0x115DE1F1;

} // namespace

ControlKeyHook::ControlKeyHook(HostOptionsSite& site) : site_(site)
{
    connection_ = site_.HostWidget().signal_key_press_event().connect(
        [this](GdkEventKey* event) { return KeyPressed(event); }, false);
}

bool ControlKeyHook::IsKeyLeftAlone(const Msg& msg)
{
    const bool extended = (msg.lParam & 0x01000000) != 0;
    return msg.wParam == 8 || msg.wParam == 13 || ((msg.wParam == 37 || msg.wParam == 39) && extended);
}

bool ControlKeyHook::KeyPressed(GdkEventKey* event)
{
    Msg msg = KeyMessageFor(event, site_.HostWidget().gobj());
    if (msg.wParam == 0 || IsKeyLeftAlone(msg))
        return false;
    msg.pt = {kOfferedKeyPoint, kOfferedKeyPoint};
    auto active = QueryInterfacePtr<IOleInPlaceActiveObject>(site_.Application(), IID_IOleInPlaceActiveObject);
    return active && active->TranslateAccelerator(&msg) == S_OK;
}

} // namespace platform
