#pragma once
// The tab of one page: shows the page's label on one line, cut with an
// ellipsis past a sensible width, with the whole label as its tooltip. The
// label itself is kept exactly as given.
#include "CaptionText.h"

#include <gtkmm/label.h>

#include <string>

namespace pages {

class TabCaption {
public:
    // Characters a tab's label is shown with at most.
    static constexpr int kShownChars = 30;

    explicit TabCaption(const std::string& caption) { SetCaption(caption); }

    void SetCaption(const std::string& caption)
    {
        caption_ = caption;
        platform::ShowCaption(label_, caption, kShownChars);
        // The label shown differs from the text when it is cut or had line breaks.
        const bool whole = label_.get_text().raw() == caption && label_.get_text().size() <= kShownChars;
        tooltip_.SetText(whole ? std::string() : caption);
        label_.show();
    }
    const std::string& Caption() const { return caption_; }
    Gtk::Label& Widget() { return label_; }
    const std::string& Tooltip() const { return tooltip_.Text(); }

private:
    std::string caption_;
    Gtk::Label label_;
    platform::LongTooltip tooltip_{label_};
};

} // namespace pages
