#include "WebKitKeys.h"

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

EngineKeyCommand EngineKeyCommandFor(const GdkEventKey* event)
{
    const guint modifiers = event->state & (GDK_CONTROL_MASK | GDK_MOD1_MASK | GDK_SHIFT_MASK);
    const guint key = event->keyval;
    if (modifiers == 0 && key == GDK_KEY_F5)
        return EngineKeyCommand::Refresh;
    if (modifiers == 0 && key == GDK_KEY_Escape)
        return EngineKeyCommand::Stop;
    if (modifiers == GDK_MOD1_MASK && (key == GDK_KEY_Left || key == GDK_KEY_KP_Left))
        return EngineKeyCommand::Back;
    if (modifiers == GDK_MOD1_MASK && (key == GDK_KEY_Right || key == GDK_KEY_KP_Right))
        return EngineKeyCommand::Forward;
    if (!(modifiers & GDK_CONTROL_MASK) || (modifiers & GDK_MOD1_MASK))
        return EngineKeyCommand::None;
    switch (gdk_keyval_to_lower(key)) {
    case GDK_KEY_f: return EngineKeyCommand::Find;
    case GDK_KEY_p: return EngineKeyCommand::Print;
    case GDK_KEY_plus: case GDK_KEY_equal: case GDK_KEY_KP_Add: return EngineKeyCommand::ZoomIn;
    case GDK_KEY_minus: case GDK_KEY_KP_Subtract: return EngineKeyCommand::ZoomOut;
    case GDK_KEY_0: case GDK_KEY_KP_0: return EngineKeyCommand::ZoomReset;
    default: return EngineKeyCommand::None;
    }
}

} // namespace platform
