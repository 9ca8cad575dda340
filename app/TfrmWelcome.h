#pragma once
// The Welcome dialog shown on the first run: a tip on where the pop-up menu is,
// with a picture of it.
#include "ScaledPicture.h"

#include <gtkmm/button.h>
#include <gtkmm/dialog.h>
#include <gtkmm/fixed.h>
#include <gtkmm/label.h>

class TfrmWelcome : public Gtk::Dialog {
public:
    TfrmWelcome();

    // Shows the dialog modally until it is closed, however that happens.
    void ShowModal();

    Gtk::Button btnContinue;

private:
    void btnContinueClick();

    Gtk::Fixed layout_;
    Gtk::Label lblWelcome;
    Gtk::Label lblTip1;
    platform::ScaledImage imgTip1;
};
