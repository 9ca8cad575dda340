#include "ProfileButtonBar.h"

#include "AccessibleNames.h"

#include <algorithm>
#include <string>

namespace profiles {

namespace {

constexpr int kPanelHeight = 27;
constexpr int kToolbarWidth = 253;
constexpr int kSeparatorWidth = 8;
constexpr int kButtonSize = ProfileButton::kButtonSize;
constexpr int kButtonTop = 2;
// Followed by the profile's number: each button says which profile it opens.
constexpr const char* kTooltipStem = "open profile ";
// Left to right: profiles 1..9, then 0.
constexpr std::array<int, ProfileButtonBar::kButtonCount> kOrder = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0};
// Buttons as small as their 24-pixel size, whatever the theme's padding. A
// profile that keeps its logins apart is underlined in the theme's accent
// colour drawn a third of the way towards its text colour: darker on a light
// theme, lighter on a dark one, so it stands out on both.
constexpr const char* kButtonCss =
    "button { padding: 0; min-width: 0; min-height: 0; }"
    "button.pandrel-kept-apart { box-shadow: inset 0 -3px mix(@theme_selected_bg_color, @theme_fg_color, 0.33); }";
constexpr const char* kKeptApartSuffix = ", logins kept apart";

} // namespace

ProfileButtonBar::ProfileButtonBar(std::function<void(int)> pressed,
                                   std::function<void(int, unsigned)> released)
    : pnlQuickLaunch(Gtk::ORIENTATION_HORIZONTAL),
      tlbProfileButtons(Gtk::ORIENTATION_HORIZONTAL),
      itmSetButtonCaption("Set Button _Caption", true),
      itmKeepLoginsApart("Keep Logins Apart", false),
      itmForgetSiteData("Forget This Profile's Site Data…", false),
      separator_(Gtk::ORIENTATION_HORIZONTAL),
      buttonStyle_(Gtk::CssProvider::create()),
      pressed_(std::move(pressed)),
      released_(std::move(released)),
      toolbarWidth_(kToolbarWidth)
{
    pnlQuickLaunch.set_size_request(-1, kPanelHeight);
    pnlQuickLaunch.pack_start(tlbProfileButtons, Gtk::PACK_SHRINK);
    // The buttons ask for their widths themselves, so that long captions can
    // give way when the window is narrow.
    tlbProfileButtons.set_size_request(-1, kPanelHeight);
    separator_.set_size_request(kSeparatorWidth, -1);
    tlbProfileButtons.pack_start(separator_, Gtk::PACK_SHRINK);

    buttonStyle_->load_from_data(kButtonCss);
    for (int number : kOrder) {
        auto& button = buttons_[number];
        widths_[number] = kButtonSize;
        button.SetCaption(std::to_string(number), false);
        button.set_name("spdProfile" + std::to_string(number));
        button.set_tooltip_text(kTooltipStem + std::to_string(number));
        button.set_relief(Gtk::RELIEF_NONE);
        button.set_focus_on_click(false);
        button.set_size_request(-1, kButtonSize);
        button.SetShownWidth(kButtonSize);
        button.set_valign(Gtk::ALIGN_START);
        button.set_margin_top(kButtonTop);
        button.get_style_context()->add_provider(buttonStyle_, GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
        button.add_events(Gdk::BUTTON_RELEASE_MASK);
        button.signal_clicked().connect([this, number] { OnClicked(number); });
        button.signal_button_release_event().connect(
            [this, number](GdkEventButton* event) { return OnReleased(event, number); }, false);
        tlbProfileButtons.pack_start(button, Gtk::PACK_SHRINK);
        NameForScreenReaders(number);
    }
    popProfileButtons.append(itmSetButtonCaption);
    popProfileButtons.append(itmKeepLoginsApart);
    popProfileButtons.append(itmForgetSiteData);
    popProfileButtons.show_all();
    pnlQuickLaunch.show_all();
}

int ProfileButtonBar::NumberOf(const Gtk::ToggleButton& button) const
{
    for (int number = 0; number < kButtonCount; ++number)
        if (&buttons_[number] == &button)
            return number;
    return kNoButton;
}

void ProfileButtonBar::SetDown(int number)
{
    settingDown_ = true;
    for (int n = 0; n < kButtonCount; ++n)
        buttons_[n].set_active(n == number);
    settingDown_ = false;
    down_ = number;
}

void ProfileButtonBar::Widen(int number, int delta)
{
    widths_[number] += delta;
    toolbarWidth_ += delta;
    buttons_[number].SetShownWidth(widths_[number]);
}

std::string ProfileButtonBar::ProfileName(int number) const
{
    std::string name = "Profile " + std::to_string(number);
    const std::string caption = buttons_[number].get_label();
    if (caption != std::to_string(number)) {
        name += ": ";
        name += caption;
    }
    return name;
}

void ProfileButtonBar::NameForScreenReaders(int number)
{
    auto& button = buttons_[number];
    const std::string name = ProfileName(number);
    const std::string apart = name + kKeptApartSuffix;
    platform::SetAccessibleName(button, button.KeptApart() ? apart : name);
    button.SetKeptApart(button.KeptApart(), apart);
}

void ProfileButtonBar::SetKeptApart(int number, bool apart)
{
    buttons_[number].SetKeptApart(apart, {});
    NameForScreenReaders(number);
}

int ProfileButtonBar::TextWidth(int number, const std::string& text)
{
    int width = 0;
    int height = 0;
    buttons_[number].create_pango_layout(text)->get_pixel_size(width, height);
    return width;
}

int ProfileButtonBar::ShownTextWidth(int number, const std::string& caption)
{
    return std::min(TextWidth(number, platform::OneLine(caption)), kLongestCaptionWidth);
}

void ProfileButtonBar::SetCaption(int number, const std::string& caption)
{
    buttons_[number].SetCaption(caption, TextWidth(number, platform::OneLine(caption)) > kLongestCaptionWidth);
}

void ProfileButtonBar::OnClicked(int number)
{
    if (settingDown_)
        return; // our own state change, not a press
    // The toggle has flipped itself; put it back until the press is handled.
    SetDown(down_);
    pressed_(number);
}

bool ProfileButtonBar::OnReleased(GdkEventButton* event, int number)
{
    released_(number, event->button);
    if (event->button == GDK_BUTTON_SECONDARY) {
        popProfileButtons.popup_at_pointer(reinterpret_cast<GdkEvent*>(event));
        return true;
    }
    return false;
}

} // namespace profiles
