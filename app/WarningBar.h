#pragma once
// A warning across the main window: an info bar with a warning sign, a text
// that wraps and a close button. Hidden until a text is shown.
#include <gtkmm/image.h>
#include <gtkmm/infobar.h>
#include <gtkmm/label.h>

#include <string>

class WarningBar : public Gtk::InfoBar {
public:
    WarningBar();

    // Shows the bar with text (taken as valid UTF-8).
    void ShowText(const std::string& text);
    std::string Text() const { return label_.get_text(); }

private:
    Gtk::Image icon_;
    Gtk::Label label_;
};
