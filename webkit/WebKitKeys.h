#pragma once
// Keys of the WebKit engine: the key message offered to the host's
// TranslateAccelerator, and the engine's own key commands.
#include "BrowserHostInterfaces.h"

#include <gdk/gdk.h>

namespace platform {

// The platform's virtual-key code for a key (0 when it has none); arrows and
// the navigation block carry the extended-key bit in lParam.
Msg KeyMessageFor(const GdkEventKey* event, WindowHandle window);

enum class EngineKeyCommand { None, Refresh, Back, Forward, Stop, Find, Print, ZoomIn, ZoomOut, ZoomReset };

// F5, Alt+Left/Right, Esc, Ctrl+F, Ctrl+P, Ctrl+plus/minus/0.
EngineKeyCommand EngineKeyCommandFor(const GdkEventKey* event);

} // namespace platform
