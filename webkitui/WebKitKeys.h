#pragma once
// The WebKit engine's own key commands, for keys the host left to it.
#include <gdk/gdk.h>

namespace platform {

enum class EngineKeyCommand { None, Refresh, Back, Forward, Stop, Find, Print, ZoomIn, ZoomOut, ZoomReset };

// F5, Alt+Left/Right, Esc, Ctrl+F, Ctrl+P, Ctrl+plus/minus/0.
EngineKeyCommand EngineKeyCommandFor(const GdkEventKey* event);

} // namespace platform
