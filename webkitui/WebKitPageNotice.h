#pragma once
// A bar above a page's view that says what the page tried by itself: that it
// was refused, or a question about it for the user. Its text is the program's
// own (nothing from the page); hidden until shown.
#include <gtkmm/box.h>
#include <gtkmm/image.h>
#include <gtkmm/infobar.h>
#include <gtkmm/label.h>

#include <string>

namespace platform {

class WebKitPageNotice : public Gtk::InfoBar {
public:
    WebKitPageNotice(Gtk::MessageType type, const char* iconName, const std::string& text);

    // Shows the bar, with detail on the line below its text.
    void Show(const std::string& detail);
    std::string Text() const { return text_.get_text(); }
    std::string Detail() const { return detail_.get_text(); }

private:
    Gtk::Image icon_;
    Gtk::Box lines_{Gtk::ORIENTATION_VERTICAL};
    Gtk::Label text_;
    Gtk::Label detail_;
};

} // namespace platform
