#pragma once
// tlbMain: the six flat navigation buttons with their pictures and tooltips,
// and the separators between them.
#include "ScaledPicture.h"

#include <gtkmm/separatortoolitem.h>
#include <gtkmm/toolbar.h>
#include <gtkmm/toolbutton.h>

#include <string>

class MainToolbar : public Gtk::Toolbar {
public:
    MainToolbar();

    Gtk::ToolButton btnHome;
    Gtk::ToolButton btnBack;
    Gtk::ToolButton btnForward;
    Gtk::ToolButton btnRefresh;
    Gtk::ToolButton btnStopAll;
    Gtk::ToolButton btnStop1;

private:
    void SetUpButton(Gtk::ToolButton& button, platform::ScaledImage& picture, const std::string& pictureName,
                     const char* tooltip,
                     const char* accessibleName);

    Gtk::SeparatorToolItem btnSep1;
    Gtk::SeparatorToolItem btnSep2;
    Gtk::SeparatorToolItem btnSep3;
    Gtk::SeparatorToolItem ToolButton1;
    platform::ScaledImage imgHome, imgBack, imgForward, imgRefresh, imgStopAll, imgStop1;
};
