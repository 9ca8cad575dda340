#pragma once
// The Page Properties dialog: which URL a page gets back in the next session.
// Created once and shown again for each use; its radio buttons keep their state.
#include <gtkmm/button.h>
#include <gtkmm/dialog.h>
#include <gtkmm/fixed.h>
#include <gtkmm/image.h>
#include <gtkmm/radiobutton.h>

namespace pages {

class TdlgProperties : public Gtk::Dialog {
public:
    TdlgProperties();

    // true checks radRememberLast, false radUseInitialURL.
    void SetRememberLast(bool flag);
    bool RememberLast() const;

    // Shows the dialog modally; true when it closed with OK.
    bool Execute(Gtk::Window* parent);

    Gtk::RadioButton radRememberLast;
    Gtk::RadioButton radUseInitialURL;
    Gtk::Button btnOk;
    Gtk::Button btnCancel;

private:
    Gtk::Fixed layout_;
    Gtk::Image okPicture_;
    Gtk::Image cancelPicture_;
};

} // namespace pages
