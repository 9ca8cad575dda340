#pragma once
// The row of ten profile buttons: pnlQuickLaunch holding tlbProfileButtons (an
// 8-pixel separator, then spdProfile1..spdProfile9, spdProfile0) and their
// pop-up menu. The buttons behave as one group: pressing one leaves it down and
// the others up, pressing a down button keeps it down, and none is down at first.
#include "ProfileButton.h"

#include <gtkmm/box.h>
#include <gtkmm/checkmenuitem.h>
#include <gtkmm/cssprovider.h>
#include <gtkmm/menu.h>
#include <gtkmm/menuitem.h>
#include <gtkmm/togglebutton.h>

#include <array>
#include <functional>

namespace profiles {

class ProfileButtonBar {
public:
    static constexpr int kButtonCount = 10;
    static constexpr int kNoButton = -1;
    // A caption widens its button by at most this much text width; a longer
    // caption is cut with an ellipsis.
    static constexpr int kLongestCaptionWidth = 120;

    // pressed(n): a left click on the button of profile n; the bar keeps
    // showing the button that was down until SetDown says otherwise.
    // released(n, mouseButton): any mouse button let go over it, before the
    // click and before the pop-up menu opens.
    ProfileButtonBar(std::function<void(int)> pressed,
                     std::function<void(int, unsigned)> released);

    Gtk::Box pnlQuickLaunch;
    Gtk::Box tlbProfileButtons;
    Gtk::Menu popProfileButtons;
    Gtk::MenuItem itmSetButtonCaption;
    Gtk::CheckMenuItem itmKeepLoginsApart;
    Gtk::MenuItem itmForgetSiteData;

    // spdProfile%d for profile n (0..9).
    Gtk::ToggleButton& Button(int number) { return buttons_[number]; }
    // The profile number (Tag) of a button of this bar, or kNoButton.
    int NumberOf(const Gtk::ToggleButton& button) const;

    // Shows the button of profile n down and all others up (kNoButton: all up).
    void SetDown(int number);
    int Down() const { return down_; }

    // Widths as laid out: the button's and the tool bar's, changed together.
    int ButtonWidth(int number) const { return widths_[number]; }
    int ToolbarWidth() const { return toolbarWidth_; }
    void Widen(int number, int delta);

    // Names the button for screen readers after its caption: "Profile 3", or
    // "Profile 3: News" once it is captioned News, and "Profile 3: News,
    // logins kept apart" while it keeps its logins apart (also its tooltip).
    void NameForScreenReaders(int number);
    // "Profile 3", or "Profile 3: News" once it is captioned News.
    std::string ProfileName(int number) const;
    // Marks the button of profile n as keeping its logins apart, or not.
    void SetKeptApart(int number, bool apart);
    bool KeptApart(int number) const { return buttons_[number].KeptApart(); }

    // Width in pixels of text drawn in the button's font.
    int TextWidth(int number, const std::string& text);
    // The width caption takes on the button: its text width, at most
    // kLongestCaptionWidth.
    int ShownTextWidth(int number, const std::string& caption);
    // Gives the button of profile n caption, cut when it is wider than it may be.
    void SetCaption(int number, const std::string& caption);

private:
    void OnClicked(int number);
    bool OnReleased(GdkEventButton* event, int number);

    std::array<ProfileButton, kButtonCount> buttons_;
    std::array<int, kButtonCount> widths_{};
    Gtk::Box separator_;
    Glib::RefPtr<Gtk::CssProvider> buttonStyle_;
    std::function<void(int)> pressed_;
    std::function<void(int, unsigned)> released_;
    int toolbarWidth_;
    int down_ = kNoButton;
    bool settingDown_ = false;
};

} // namespace profiles
