#pragma once
// Key events built the way the X server's arrive: with the hardware key code
// GTK's key bindings are looked up by, from the seat's keyboard.
#include <gtkmm/window.h>

// A new key event (free it with gdk_event_free) for window, or no window.
GdkEvent* NewKeyEvent(GdkEventType type, GdkWindow* window, guint keyval, GdkModifierType state);

// Presses and releases keyval with the given modifiers in window, through
// GTK's own event dispatch, so grabs of modal dialogs and the focus apply.
void PressKey(Gtk::Window& window, guint keyval, GdkModifierType state = GdkModifierType(0));
