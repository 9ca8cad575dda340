#include "KeyMessage.h"

#include <gdk/gdkkeysyms.h>

namespace platform {
namespace {

struct KeyCode {
    guint keyval;
    std::uintptr_t vk;
    bool extended;
};

constexpr KeyCode kKeyCodes[] = {
    {GDK_KEY_BackSpace, 0x08, false}, {GDK_KEY_Tab, 0x09, false},       {GDK_KEY_Return, 0x0D, false},
    {GDK_KEY_KP_Enter, 0x0D, true},   {GDK_KEY_Escape, 0x1B, false},    {GDK_KEY_space, 0x20, false},
    {GDK_KEY_Page_Up, 0x21, true},    {GDK_KEY_Page_Down, 0x22, true},  {GDK_KEY_End, 0x23, true},
    {GDK_KEY_Home, 0x24, true},       {GDK_KEY_Left, 0x25, true},       {GDK_KEY_Up, 0x26, true},
    {GDK_KEY_Right, 0x27, true},      {GDK_KEY_Down, 0x28, true},       {GDK_KEY_Insert, 0x2D, true},
    {GDK_KEY_Delete, 0x2E, true},     {GDK_KEY_plus, 0xBB, false},      {GDK_KEY_equal, 0xBB, false},
    {GDK_KEY_minus, 0xBD, false},     {GDK_KEY_KP_Add, 0x6B, false},    {GDK_KEY_KP_Subtract, 0x6D, false},
};

} // namespace

Msg KeyMessageFor(const GdkEventKey* event, WindowHandle window)
{
    Msg msg;
    msg.hwnd = window;
    msg.message = event->type == GDK_KEY_RELEASE ? WM_KEYUP : WM_KEYDOWN;
    msg.time = event->time;
    guint key = gdk_keyval_to_upper(event->keyval);
    if ((key >= GDK_KEY_A && key <= GDK_KEY_Z) || (key >= GDK_KEY_0 && key <= GDK_KEY_9))
        msg.wParam = key;
    else if (key >= GDK_KEY_F1 && key <= GDK_KEY_F24)
        msg.wParam = 0x70 + (key - GDK_KEY_F1);
    else
        for (const KeyCode& code : kKeyCodes)
            if (code.keyval == event->keyval) {
                msg.wParam = code.vk;
                if (code.extended)
                    msg.lParam |= 0x01000000;
            }
    return msg;
}

} // namespace platform
