#pragma once
// The URL box's drop-down list as the stored URL history.
#include "RegistryStore.h"

#include <gtkmm/comboboxtext.h>

#include <string>

namespace profiles {

// Fills the (empty) list of cboURL from the store; on the first run records the
// maker's web site as entry 1. Store errors are swallowed.
void LoadURLHistory(platform::RegistryStore& store, Gtk::ComboBoxText& cboURL);

// Records url in the store and appends it to the list, unless it is stored
// already. Store errors are swallowed; the list changes only after both writes.
void AddURLToHistory(platform::RegistryStore& store, Gtk::ComboBoxText& cboURL,
                     const std::string& url);

} // namespace profiles
