#pragma once
// A window that the desktop maps before its first draw shows the theme's
// window colour meanwhile, not whatever the display server leaves there.
#include <gtkmm/window.h>

namespace platform {

// Realizes window and gives its surface the theme's background colour.
void ShowThemeColourUntilDrawn(Gtk::Window& window);

} // namespace platform
