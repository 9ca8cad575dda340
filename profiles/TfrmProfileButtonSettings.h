#pragma once
// The dialog that edits one profile button's caption. Created once, reused.
#include <gtkmm/button.h>
#include <gtkmm/dialog.h>
#include <gtkmm/entry.h>
#include <gtkmm/fixed.h>
#include <gtkmm/label.h>

namespace profiles {

class TfrmProfileButtonSettings : public Gtk::Dialog {
public:
    TfrmProfileButtonSettings();

    // Runs the dialog modally; true when it closed with "OK". It is hidden again
    // however it closed.
    bool ShowModal();

    Gtk::Entry edtButtonCaption;

private:
    void FormShow();

    Gtk::Fixed layout_;
    Gtk::Label lblButtonCaption_;
    Gtk::Button btnOK_;
    Gtk::Button btnCancel_;
};

} // namespace profiles
