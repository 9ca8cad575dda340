#pragma once
// Key presses delivered the way the X server's are: through GTK's own event
// dispatch to the window, so grabs of modal dialogs and the focus apply.
#include <gtkmm/window.h>

// Presses and releases keyval with the given modifiers in window.
void PressKey(Gtk::Window& window, guint keyval, GdkModifierType state = GdkModifierType(0));
