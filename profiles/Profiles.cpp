#include "Profiles.h"

#include "Invariant.h"
#include "ProfilePageSets.h"
#include "ProfileSiteData.h"
#include "SettingsKey.h"
#include "SettingsNames.h"
#include "Utf8Strict.h"

#include <glibmm/main.h>

#include <exception>
#include <utility>

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
      FCurrentProfile(kStartProfileKey),
      openedWhenUnread_(pages.PagesOpened())
{
    bar_.itmSetButtonCaption.signal_activate().connect(
        sigc::mem_fun(*this, &Profiles::itmSetButtonCaptionClick));
    bar_.itmKeepLoginsApart.signal_activate().connect(sigc::mem_fun(*this, &Profiles::itmKeepLoginsApartClick));
    bar_.itmForgetSiteData.signal_activate().connect(sigc::mem_fun(*this, &Profiles::itmForgetSiteDataClick));
    bar_.popProfileButtons.signal_show().connect(sigc::mem_fun(*this, &Profiles::popProfileButtonsPopup));
    for (int number = 0; number < ProfileButtonBar::kButtonCount; ++number)
        captions_[static_cast<std::size_t>(number)] = bar_.Button(number).get_label();
    CheckCurrentProfile(FCurrentProfile);
}

Profiles::~Profiles()
{
    toolbarItemConnection_.disconnect();
    showEmptyItemConnection_.disconnect();
    forgetSharedConnection_.disconnect();
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
    if (key == FCurrentProfile && !CurrentPagesKnown())
        return;
    profiles::SaveProfilePages(store_, key, pages_);
}

void Profiles::LoadProfilePages(const std::string& key)
{
    // The profile's pages open with its site data: the choice is read here,
    // where the profile is entered.
    if (const int number = RecoveryProfileNumber(key); number >= 0)
        pages_.UseSiteData(SiteDataOf(number));
    try {
        profiles::LoadProfilePages(store_, key, pages_);
    } catch (...) {
        if (key == FCurrentProfile)
            MarkCurrentPagesUnread(); // the pages a failed load opened are not all it holds
        throw;
    }
    if (key == FCurrentProfile)
        currentPagesRead_ = true;
}

void Profiles::MarkCurrentPagesUnread()
{
    currentPagesRead_ = false;
    openedWhenUnread_ = pages_.PagesOpened();
}

bool Profiles::CurrentPagesKnown() const
{
    return currentPagesRead_ || pages_.PagesOpened() > openedWhenUnread_;
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
    // A press that comes while a switch lets pending input run would nest a
    // second switch inside the first: it is remembered instead (the last one
    // counts) and runs when the switch has ended.
    if (switching_) {
        pendingPress_ = number;
        return;
    }
    for (int next = number; next != ProfileButtonBar::kNoButton;
         next = std::exchange(pendingPress_, ProfileButtonBar::kNoButton))
        SwitchTo(next);
}

void Profiles::SwitchTo(int number)
{
    struct Switch {
        Profiles& self;
        explicit Switch(Profiles& p) : self(p) { self.switching_ = true; }
        ~Switch()
        {
            self.switching_ = false;
            if (std::uncaught_exceptions() > 0)
                self.pendingPress_ = ProfileButtonBar::kNoButton; // a failed switch drops what waited
        }
    } underWay(*this);

    // The button shown down is always the profile whose pages are open: the
    // old one until its pages are closed, the new one from then on.
    SaveProfilePages(FCurrentProfile);
    LetPendingEventsRun();
    pages_.CloseAllPages();
    FCurrentProfile = ProfileKeyName(number);
    CheckCurrentProfile(FCurrentProfile);
    MarkCurrentPagesUnread();
    bar_.SetDown(number);
    if (!ProfileExists(FCurrentProfile))
        profiles::SaveProfilePages(store_, FCurrentProfile, pages_); // no page open: "Sites" = 0
    LoadProfilePages(FCurrentProfile);
}

void Profiles::RestoreRecoveredPages(const RecoverySnapshot& snapshot)
{
    const int number = RecoveryProfileNumber(snapshot.profileKey);
    if (number < 0)
        return;
    SaveProfilePages(FCurrentProfile);
    LetPendingEventsRun();
    pages_.CloseAllPages();
    FCurrentProfile = snapshot.profileKey;
    currentPagesRead_ = true; // the recovered pages are the profile's set from now on
    bar_.SetDown(number);
    pages_.UseSiteData(SiteDataOf(number));
    for (const RecoveryPage& page : snapshot.pages) {
        pages_.OpenPage(page.url, page.label);
        const int index = pages_.PageCount() - 1;
        pages_.SetPageFirstURL(index, page.firstURL);
        pages_.SetPageRememberLastURL(index, page.rememberLastURL);
        if (!page.session.empty())
            pages_.RestorePageSessionState(index, page.session);
    }
    if (pages_.PageCount() > 0)
        pages_.MakePageCurrent(0);
}

void Profiles::spdProfile1MouseUp(Gtk::ToggleButton& sender, unsigned /*mouseButton*/)
{
    FLastProfileButton = &sender;
}

// --- captions -----------------------------------------------------------------

void Profiles::SetProfileButtonCaption(Gtk::ToggleButton& button, const std::string& text)
{
    const int number = bar_.NumberOf(button);
    const int before = bar_.ShownTextWidth(number, captions_[static_cast<std::size_t>(number)]);
    bar_.SetCaption(number, text);
    captions_[static_cast<std::size_t>(number)] = text;
    captionKnown_[static_cast<std::size_t>(number)] = true;
    bar_.NameForScreenReaders(number);
    const int after = bar_.ShownTextWidth(number, text);
    bar_.Widen(number, after - before);
}

void Profiles::itmSetButtonCaptionClick()
{
    Gtk::ToggleButton* button = FLastProfileButton;
    FLastProfileButton = nullptr;
    if (!button || !frmProfileButtonSettings_)
        return;
    TfrmProfileButtonSettings& dialog = frmProfileButtonSettings_();
    dialog.edtButtonCaption.set_text(button->get_label());
    if (dialog.ShowModal())
        SetProfileButtonCaption(*button, dialog.edtButtonCaption.get_text());
}

void Profiles::LoadProfileButtonSettings()
{
    SettingsKey key(store_, SettingsKey::Access::Read);
    if (!key.OpenProgramKey(false)) {
        MarkButtonSettingsKnown(); // nothing stored: the defaults are all there is
        return;
    }
    if (key.ValueExists(kHideEmptyProfiles)) {
        const bool hide = key.ReadBool(kHideEmptyProfiles);
        hideFlagKnown_ = true;
        if (itmShowEmptyProfileButtons_)
            itmShowEmptyProfileButtons_->set_active(!hide);
        UpdateProfileButtons();
    } else {
        hideFlagKnown_ = true;
        if (itmShowEmptyProfileButtons_)
            itmShowEmptyProfileButtons_->set_active(true);
    }
    for (int number = 0; number < ProfileButtonBar::kButtonCount; ++number) {
        const std::string name = Numbered(kProfileNameStem, number);
        if (!key.ValueExists(name)) {
            captionKnown_[static_cast<std::size_t>(number)] = true;
            continue;
        }
        std::string caption = key.ReadString(name);
        if (caption.empty())
            caption = std::to_string(number);
        SetProfileButtonCaption(bar_.Button(number), caption);
    }
    key.Commit();
    for (int number = 0; number < ProfileButtonBar::kButtonCount; ++number)
        bar_.SetKeptApart(number, ReadKeepLoginsApart(store_, number));
}

void Profiles::SaveProfileButtonSettings()
{
    SettingsKey key(store_);
    if (!key.OpenProgramKey(false))
        return;
    const bool showEmpty = !itmShowEmptyProfileButtons_ || itmShowEmptyProfileButtons_->get_active();
    if (hideFlagKnown_)
        key.WriteBool(kHideEmptyProfiles, !showEmpty);
    for (int number = 0; number < ProfileButtonBar::kButtonCount; ++number)
        if (captionKnown_[static_cast<std::size_t>(number)])
            key.WriteString(Numbered(kProfileNameStem, number), captions_[static_cast<std::size_t>(number)]);
    key.Commit();
}

void Profiles::MarkButtonSettingsKnown()
{
    hideFlagKnown_ = true;
    captionKnown_.fill(true);
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
    hideFlagKnown_ = true; // the user's choice, stored at the close
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
