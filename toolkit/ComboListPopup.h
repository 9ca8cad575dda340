#pragma once
// A combo box whose drop-down is a scrolled list instead of a menu. A menu
// gets one item per row and selecting a row walks them all; a list stays fast
// with a hundred thousand rows (the URL history).
#include <gtkmm/combobox.h>

namespace platform {

// Switches combo to the list pop-up, now and also before it is first shown,
// whose rows have one fixed height. Calling it again for the same combo does nothing.
void UseListPopup(Gtk::ComboBox& combo);

} // namespace platform
