#include "Profiles.h"

#include "Invariant.h"
#include "ProfilePageSets.h"
#include "SettingsKey.h"
#include "SettingsNames.h"

#include <glibmm/main.h>

namespace profiles {

namespace {
// Bounds the "let pending events run" step, so a stream of events cannot hold it.
constexpr int kMaxPendingEvents = 10000;

// FCurrentProfile names one of the ten profiles, "Profile0" to "Profile9".
void CheckCurrentProfile(const std::string& key)
{
    bool known = false;
    for (int number = 0; number < ProfileButtonBar::kButtonCount; ++number)
        known = known || key == ProfileKeyName(number);
    platform::Invariant(known, "the current profile is one of the ten");
}
} // namespace

Profiles::Profiles(platform::RegistryStore& store, PageSetHost& pages)
    : store_(store),
      pages_(pages),
      bar_([this](int number) { spdProfileClick(bar_.Button(number)); },
           [this](int number, unsigned mouseButton) { spdProfile1MouseUp(bar_.Button(number), mouseButton); }),
      FCurrentProfile(kStartProfileKey)
{
    bar_.itmSetButtonCaption.signal_activate().connect(
        sigc::mem_fun(*this, &Profiles::itmSetButtonCaptionClick));
    CheckCurrentProfile(FCurrentProfile);
}

Profiles::~Profiles()
{
    toolbarItemConnection_.disconnect();
    showEmptyItemConnection_.disconnect();
}

void Profiles::AttachMenuItems(Gtk::CheckMenuItem& itmProfileButtonsToolbar,
                               Gtk::CheckMenuItem& itmShowEmptyProfileButtons)
{
    toolbarItemConnection_.disconnect();
    showEmptyItemConnection_.disconnect();
    itmProfileButtonsToolbar_ = &itmProfileButtonsToolbar;
    itmShowEmptyProfileButtons_ = &itmShowEmptyProfileButtons;
    // A check item has flipped its mark by the time "activate" reaches these.
    toolbarItemConnection_ = itmProfileButtonsToolbar.signal_activate().connect(
        sigc::mem_fun(*this, &Profiles::itmProfileButtonsToolbarClick));
    showEmptyItemConnection_ = itmShowEmptyProfileButtons.signal_activate().connect(
        sigc::mem_fun(*this, &Profiles::itmShowEmptyProfileButtonsClick));
}

// --- page sets --------------------------------------------------------------

void Profiles::SaveProfilePages(const std::string& key)
{
    profiles::SaveProfilePages(store_, key, pages_);
}

void Profiles::LoadProfilePages(const std::string& key)
{
    profiles::LoadProfilePages(store_, key, pages_);
}

bool Profiles::ProfileExists(const std::string& key)
{
    return profiles::ProfileExists(store_, key);
}

bool Profiles::IsProfileEmpty(int number)
{
    return profiles::IsProfileEmpty(store_, number);
}

// --- switching ----------------------------------------------------------------

void Profiles::LetPendingEventsRun()
{
    auto context = Glib::MainContext::get_default();
    for (int i = 0; i < kMaxPendingEvents && context->pending(); ++i)
        context->iteration(false);
}

void Profiles::spdProfileClick(Gtk::ToggleButton& sender)
{
    const int number = bar_.NumberOf(sender);
    if (number == ProfileButtonBar::kNoButton)
        return;
    // The group shows the pressed button down already; a failed save keeps the
    // old profile current, so the buttons go back to showing what they showed.
    try {
        SaveProfilePages(FCurrentProfile);
    } catch (...) {
        bar_.SetDown(bar_.PreviousDown());
        throw;
    }
    LetPendingEventsRun();
    pages_.CloseAllPages();
    FCurrentProfile = ProfileKeyName(number);
    CheckCurrentProfile(FCurrentProfile);
    if (!ProfileExists(FCurrentProfile))
        SaveProfilePages(FCurrentProfile);
    LoadProfilePages(FCurrentProfile);
}

void Profiles::spdProfile1MouseUp(Gtk::ToggleButton& sender, unsigned /*mouseButton*/)
{
    FLastProfileButton = &sender;
}

// --- captions -----------------------------------------------------------------

void Profiles::SetProfileButtonCaption(Gtk::ToggleButton& button, const std::string& text)
{
    const int number = bar_.NumberOf(button);
    const int before = bar_.TextWidth(number, button.get_label());
    button.set_label(text);
    bar_.NameForScreenReaders(number);
    const int after = bar_.TextWidth(number, text);
    bar_.Widen(number, after - before);
}

void Profiles::itmSetButtonCaptionClick()
{
    Gtk::ToggleButton* button = FLastProfileButton;
    FLastProfileButton = nullptr;
    if (!button || !frmProfileButtonSettings_)
        return;
    frmProfileButtonSettings_->edtButtonCaption.set_text(button->get_label());
    if (frmProfileButtonSettings_->ShowModal())
        SetProfileButtonCaption(*button, frmProfileButtonSettings_->edtButtonCaption.get_text());
}

void Profiles::LoadProfileButtonSettings()
{
    SettingsKey key(store_);
    if (!key.OpenProgramKey(false))
        return;
    if (key.ValueExists(kHideEmptyProfiles)) {
        const bool hide = key.ReadBool(kHideEmptyProfiles);
        if (itmShowEmptyProfileButtons_)
            itmShowEmptyProfileButtons_->set_active(!hide);
        UpdateProfileButtons();
    } else if (itmShowEmptyProfileButtons_) {
        itmShowEmptyProfileButtons_->set_active(true);
    }
    for (int number = 0; number < ProfileButtonBar::kButtonCount; ++number) {
        const std::string name = Numbered(kProfileNameStem, number);
        if (!key.ValueExists(name))
            continue;
        std::string caption = key.ReadString(name);
        if (caption.empty())
            caption = std::to_string(number);
        SetProfileButtonCaption(bar_.Button(number), caption);
    }
    key.Commit();
}

void Profiles::SaveProfileButtonSettings()
{
    SettingsKey key(store_);
    if (!key.OpenProgramKey(false))
        return;
    const bool showEmpty = !itmShowEmptyProfileButtons_ || itmShowEmptyProfileButtons_->get_active();
    key.WriteBool(kHideEmptyProfiles, !showEmpty);
    for (int number = 0; number < ProfileButtonBar::kButtonCount; ++number)
        key.WriteString(Numbered(kProfileNameStem, number), bar_.Button(number).get_label());
    key.Commit();
}

// --- hiding empty profiles ------------------------------------------------------

void Profiles::SetProfileButtonVisible(int number, bool visible)
{
    bar_.Button(number).set_visible(visible);
}

void Profiles::ShowAllProfileButtons()
{
    for (int number = 0; number < ProfileButtonBar::kButtonCount; ++number)
        SetProfileButtonVisible(number, true);
}

void Profiles::HideEmptyProfileButtons()
{
    for (int number = 0; number < ProfileButtonBar::kButtonCount; ++number)
        SetProfileButtonVisible(number, !IsProfileEmpty(number));
}

void Profiles::UpdateProfileButtons()
{
    if (!itmShowEmptyProfileButtons_ || itmShowEmptyProfileButtons_->get_active())
        ShowAllProfileButtons();
    else
        HideEmptyProfileButtons();
}

void Profiles::itmShowEmptyProfileButtonsClick()
{
    UpdateProfileButtons();
}

void Profiles::itmProfileButtonsToolbarClick()
{
    const bool shown = itmProfileButtonsToolbar_ && itmProfileButtonsToolbar_->get_active();
    bar_.pnlQuickLaunch.set_visible(shown);
    if (itmShowEmptyProfileButtons_)
        itmShowEmptyProfileButtons_->set_sensitive(shown);
}

} // namespace profiles
