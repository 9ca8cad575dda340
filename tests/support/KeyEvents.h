#pragma once
// Key and pointer-button events built the way the X server's arrive: keys
// with the hardware key code GTK's key bindings are looked up by, from the
// seat's keyboard; buttons from the seat's pointer.
#include <gtkmm/window.h>

// A new key event (free it with gdk_event_free) for window, or no window.
GdkEvent* NewKeyEvent(GdkEventType type, GdkWindow* window, guint keyval, GdkModifierType state);

// A key press as a plain record, for code that reads only its key and modifiers.
GdkEventKey KeyPressRecord(guint keyval, guint state = 0);

// A new press or release of button at (x, y) in window (free it with gdk_event_free).
GdkEvent* NewButtonEvent(GdkEventType type, GdkWindow* window, guint button, double x, double y);

// Presses and releases keyval with the given modifiers in window, through
// GTK's own event dispatch, so grabs of modal dialogs and the focus apply.
void PressKey(Gtk::Window& window, guint keyval, GdkModifierType state = GdkModifierType(0));
