#include "ProfileButton.h"

#include "Utf8Strict.h"

#include <gtkmm/label.h>

#include <algorithm>

namespace profiles {
namespace {
// The ellipsis needs this much room at the least.
constexpr int kNarrowest = 12;
} // namespace

ProfileButton::ProfileButton() = default;

void ProfileButton::SetCaption(const std::string& caption, bool cut)
{
    set_label(platform::ValidUtf8(caption));
    if (auto* label = dynamic_cast<Gtk::Label*>(get_child()))
        platform::ShowCaption(*label, caption, 1); // the width comes from SetShownWidth
    get_accessible()->set_name(platform::ValidUtf8(caption));
    tooltip_.SetText(cut || platform::OneLine(caption) != caption ? caption : std::string());
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
