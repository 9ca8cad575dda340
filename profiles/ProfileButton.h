#pragma once
// One profile button: a toggle button whose caption may be of any length. It
// asks for the width the profile bar gives it, shows its caption on one line
// cut with an ellipsis, and carries the whole caption in its accessible name
// and, when the caption is cut, in its tooltip. The button of a profile that
// keeps its logins apart is underlined in the theme's accent colour and says
// so in its tooltip.
#include "CaptionText.h"

#include <gtkmm/togglebutton.h>

#include <string>

namespace profiles {

class ProfileButton : public Gtk::ToggleButton {
public:
    // Width a button asks for at least, and its height.
    static constexpr int kButtonSize = 24;

    ProfileButton();

    // The caption exactly as given; cut tells whether it is shown in full.
    void SetCaption(const std::string& caption, bool cut);
    // Marks the button (or not) as a profile that keeps its logins apart;
    // description, which says so, is then its tooltip.
    void SetKeptApart(bool apart, const std::string& description);
    bool KeptApart() const { return keptApart_; }
    // The width the button asks for; with less room it shrinks to kButtonSize.
    void SetShownWidth(int width);
    const std::string& LongTooltipText() const { return tooltip_.Text(); }

protected:
    void get_preferred_width_vfunc(int& minimum, int& natural) const override;

private:
    void ShowTooltip();

    int shownWidth_ = kButtonSize;
    bool keptApart_ = false;
    std::string captionTooltip_; // the whole caption when it is cut
    std::string apartTooltip_;
    platform::LongTooltip tooltip_{*this};
};

} // namespace profiles
