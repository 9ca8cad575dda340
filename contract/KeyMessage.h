#pragma once
// The key message a browser control offers its host's TranslateAccelerator
// (and the host its own handlers) for a GTK key event.
#include "BrowserHostInterfaces.h"

#include <gdk/gdk.h>

namespace platform {

// The platform's virtual-key code for a key (0 when it has none); arrows and
// the navigation block carry the extended-key bit in lParam.
Msg KeyMessageFor(const GdkEventKey* event, WindowHandle window);

} // namespace platform
