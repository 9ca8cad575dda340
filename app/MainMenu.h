#pragma once
// The main window's pop-up menu, popMain: its items in order, with their
// captions, access keys, separators and initial check marks.
#include <gtkmm/checkmenuitem.h>
#include <gtkmm/menu.h>
#include <gtkmm/menuitem.h>
#include <gtkmm/separatormenuitem.h>

class MainMenu : public Gtk::Menu {
public:
    MainMenu();

    Gtk::MenuItem itmNewPage;
    Gtk::MenuItem itmNewURL;
    Gtk::MenuItem itmOptions;
    Gtk::MenuItem itmBack;
    Gtk::MenuItem itmForward;
    Gtk::MenuItem itmLabelPage;
    Gtk::MenuItem itmClosePage;
    Gtk::CheckMenuItem itmToolbar;
    Gtk::CheckMenuItem itmProfileButtonsToolbar;
    Gtk::CheckMenuItem itmShowEmptyProfileButtons;
    Gtk::CheckMenuItem itmLoadPagesWhenShown;
    Gtk::MenuItem itmForgetSharedSiteData;
    Gtk::MenuItem itmAbout;
    Gtk::MenuItem itmQuit;

private:
    Gtk::SeparatorMenuItem itmDiv6;
    Gtk::SeparatorMenuItem itmDiv3;
    Gtk::SeparatorMenuItem itmDiv2;
    Gtk::SeparatorMenuItem itmDiv7;
    Gtk::SeparatorMenuItem itmDiv5;
};
