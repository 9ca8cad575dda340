#pragma once
// The main window: tool bars, URL box, busy animation, profile buttons and the
// tabbed pages, with the pop-up menu popMain and the window's lifecycle.
#include "AnimationControl.h"
#include "MainMenu.h"
#include "MainToolbar.h"

#include <gtkmm/box.h>
#include <gtkmm/comboboxtext.h>
#include <gtkmm/eventbox.h>
#include <gtkmm/label.h>
#include <gtkmm/notebook.h>
#include <gtkmm/window.h>

class TfrmAbout;

class TfrmMain : public Gtk::Window {
public:
    // The private message that maximises the main window once it is shown.
    static constexpr unsigned WM_MAXIMIZE_MAIN = 0x40F;

    TfrmMain();
    ~TfrmMain() override;

    void itmQuitClick();
    void itmAboutClick();
    void itmToolbarClick();
    void WMMaximizeMain();

    MainMenu& Menu() { return popMain; }
    MainToolbar& Toolbar() { return tlbMain; }
    Gtk::Widget& TopPanel() { return pnlTop; }
    platform::AnimationControl& BusyAnimation() { return anmState; }

protected:
    void on_show() override;
    bool on_delete_event(GdkEventAny* event) override;
    bool on_button_press_event(GdkEventButton* event) override;

private:
    void FormCreate();
    void FormShow();
    void FormClose();
    void PostMaximizeMain();
    void BuildLayout();
    void ConnectCommands();

    bool shown_ = false;

    Gtk::Box root_{Gtk::ORIENTATION_VERTICAL};
    Gtk::Box pnlTop{Gtk::ORIENTATION_HORIZONTAL};
    MainToolbar tlbMain;
    Gtk::Label lblURL{"URL:"};
    Gtk::ComboBoxText cboURL{true};
    Gtk::EventBox pnlState;
    platform::AnimationControl anmState{32, 29, 100};
    Gtk::Box pnlBrowser{Gtk::ORIENTATION_VERTICAL};
    Gtk::Notebook pgcMain;
    MainMenu popMain;
};
