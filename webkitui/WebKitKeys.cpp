#include "WebKitKeys.h"

#include <gdk/gdkkeysyms.h>

namespace platform {

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
