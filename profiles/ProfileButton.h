#pragma once
// One profile button: a toggle button whose caption may be of any length. It
// asks for the width the profile bar gives it, shows its caption on one line
// cut with an ellipsis, and carries the whole caption in its accessible name
// and, when the caption is cut, in its tooltip.
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
    // The width the button asks for; with less room it shrinks to kButtonSize.
    void SetShownWidth(int width);
    const std::string& LongTooltipText() const { return tooltip_.Text(); }

protected:
    void get_preferred_width_vfunc(int& minimum, int& natural) const override;

private:
    int shownWidth_ = kButtonSize;
    platform::LongTooltip tooltip_{*this};
};

} // namespace profiles
