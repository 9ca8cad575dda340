#pragma once
// Every dialog of the program: fixed size, no minimise or maximise, and owned
// by the main window, so the window manager keeps it (and every later prompt)
// stacked above its owner in the order they opened.
#include <gtkmm/window.h>

namespace platform {

// Fixed size and a border with move and close only. Call before it is shown.
void SetDialogBorder(Gtk::Window& dialog);

// Makes owner the dialog's owner (transient parent) and gives it the border.
void SetDialogOwner(Gtk::Window& dialog, Gtk::Window& owner);

} // namespace platform
