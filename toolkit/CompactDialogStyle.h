#pragma once
// Small fixed-layout dialogs place their controls at pixel positions made for
// an 8-point font; this gives such a dialog that font and compact edit boxes
// and buttons, so the controls fit where they are placed.
#include <gtkmm/window.h>

namespace platform {

void UseCompactDialogStyle(Gtk::Window& dialog);

} // namespace platform
