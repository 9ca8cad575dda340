#include "ProfileButton.h"

#include "Utf8Strict.h"

#include <gtkmm/label.h>

#include <algorithm>

namespace profiles {
namespace {
// The ellipsis needs this much room at the least.
constexpr int kNarrowest = 12;
constexpr const char* kKeptApartClass = "pandrel-kept-apart";
} // namespace

ProfileButton::ProfileButton() = default;

void ProfileButton::SetCaption(const std::string& caption, bool cut)
{
    set_label(platform::ValidUtf8(caption));
    if (auto* label = dynamic_cast<Gtk::Label*>(get_child()))
        platform::ShowCaption(*label, caption, 1); // the width comes from SetShownWidth
    get_accessible()->set_name(platform::ValidUtf8(caption));
    captionTooltip_ = cut || platform::OneLine(caption) != caption ? caption : std::string();
    ShowTooltip();
}

void ProfileButton::SetKeptApart(bool apart, const std::string& description)
{
    keptApart_ = apart;
    apartTooltip_ = apart ? description : std::string();
    if (apart)
        get_style_context()->add_class(kKeptApartClass);
    else
        get_style_context()->remove_class(kKeptApartClass);
    ShowTooltip();
}

void ProfileButton::ShowTooltip()
{
    tooltip_.SetText(keptApart_ ? apartTooltip_ : captionTooltip_);
}

void ProfileButton::SetShownWidth(int width)
{
    shownWidth_ = std::max(width, kNarrowest);
    queue_resize();
}

void ProfileButton::get_preferred_width_vfunc(int& minimum, int& natural) const
{
    natural = shownWidth_;
    minimum = std::min(shownWidth_, kButtonSize);
}

} // namespace profiles
