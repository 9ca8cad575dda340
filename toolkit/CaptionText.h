#pragma once
// Captions of any length (a page's label, a profile button's caption) shown so
// they never widen the window: on one line, cut with an ellipsis, and whole in
// a tooltip that wraps at a readable width.
#include <gtkmm/label.h>
#include <gtkmm/tooltip.h>

#include <string>

namespace platform {

// text as one line of valid UTF-8: line breaks, tabs and other control
// characters become blanks, bytes that are not UTF-8 become U+FFFD.
std::string OneLine(const std::string& text);

// Shows caption in label on one line, cut with an ellipsis at its end where
// the label's room runs out. The label asks for the caption's width, at most
// maxWidthChars characters (-1: as wide as the text).
void ShowCaption(Gtk::Label& label, const std::string& caption, int maxWidthChars);

// A tooltip on widget for a text of any length: wrapped at a readable width,
// also inside a long word. Lives as long as the widget's tooltip is wanted.
class LongTooltip {
public:
    explicit LongTooltip(Gtk::Widget& widget);
    ~LongTooltip();
    LongTooltip(const LongTooltip&) = delete;
    LongTooltip& operator=(const LongTooltip&) = delete;

    // Empty text: the widget's own tooltip, if it has one.
    void SetText(const std::string& text);
    const std::string& Text() const { return text_; }

private:
    bool OnQuery(int x, int y, bool keyboard, const Glib::RefPtr<Gtk::Tooltip>& tooltip);

    Gtk::Widget& widget_;
    std::string text_;
    sigc::connection query_;
};

} // namespace platform
