#pragma once
// The ten profiles of the main window: switching between their stored page sets,
// the profile-button row with its captions, hiding the buttons of empty
// profiles, and whose site data each profile's pages use (the shared data, or
// its own when it keeps its logins apart). The main window packs
// pnlQuickLaunch() below its tool bar, hands over its menu items, the caption
// dialog and the keeper of the site data, and calls the load and save steps at
// show and close. The site-data handlers are in ProfilesSiteData.cpp.
#include "PageSetHost.h"
#include "RecoveryRecord.h"
#include "ProfileButtonBar.h"
#include "RegistryStore.h"
#include "SiteData.h"
#include "SiteDataKeeper.h"
#include "TfrmProfileButtonSettings.h"

#include <gtkmm/checkmenuitem.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace profiles {

class Profiles {
public:
    Profiles(platform::RegistryStore& store, PageSetHost& pages);
    ~Profiles();
    Profiles(const Profiles&) = delete;
    Profiles& operator=(const Profiles&) = delete;

    // The panel with the profile-button tool bar, for the main window to pack.
    Gtk::Box& pnlQuickLaunch() { return bar_.pnlQuickLaunch; }
    // The main window's "P_rofile Buttons Toolbar" and "Show Empty Profile Buttons"
    // items (both checked at start); their handlers are connected here.
    void AttachMenuItems(Gtk::CheckMenuItem& itmProfileButtonsToolbar,
                         Gtk::CheckMenuItem& itmShowEmptyProfileButtons);
    // Gives the caption dialog (made when first asked for).
    void SetButtonSettingsDialog(std::function<TfrmProfileButtonSettings&()> dialog)
    {
        frmProfileButtonSettings_ = std::move(dialog);
    }
    // The main window's item that forgets the shared site data.
    void AttachForgetSharedItem(Gtk::MenuItem& itmForgetSharedSiteData);
    // Who keeps the site data; without one nothing can be forgotten.
    void SetSiteDataKeeper(SiteDataKeeper* keeper) { keeper_ = keeper; }

    // Page sets of profiles (key names "Profile0".."Profile9"). The current
    // profile's set is not saved while its stored pages are unread (its load
    // failed, or none ran) and the user has opened no page since: they are
    // kept as they are in the store.
    void SaveProfilePages(const std::string& key);
    void LoadProfilePages(const std::string& key);
    bool ProfileExists(const std::string& key);
    bool IsProfileEmpty(int number);
    // Makes the snapshot's profile current with the snapshot's pages, as a switch
    // to it would (the current set is saved first), but opening what the
    // recovery record kept.
    void RestoreRecoveredPages(const RecoverySnapshot& snapshot);

    // Captions and the empty-button option. The save writes only the values
    // the load read (or found missing) and those the user has set since.
    void LoadProfileButtonSettings();
    void SaveProfileButtonSettings();
    void SetProfileButtonCaption(Gtk::ToggleButton& button, const std::string& text);
    void SetProfileButtonVisible(int number, bool visible);
    void ShowAllProfileButtons();
    void HideEmptyProfileButtons();
    void UpdateProfileButtons();

    // Handlers.
    void spdProfileClick(Gtk::ToggleButton& sender);
    void spdProfile1MouseUp(Gtk::ToggleButton& sender, unsigned mouseButton);
    void itmSetButtonCaptionClick();
    void itmShowEmptyProfileButtonsClick();
    void itmProfileButtonsToolbarClick();
    // The button menu shows the state of the profile it was opened on.
    void popProfileButtonsPopup();
    void itmKeepLoginsApartClick();
    void itmForgetSiteDataClick();
    void itmForgetSharedSiteDataClick();

    // Whose site data profile n's pages use, read from its key where the
    // profile is entered; its button's mark follows what was read.
    platform::SiteData SiteDataOf(int number);

    const std::string& CurrentProfile() const { return FCurrentProfile; }
    Gtk::ToggleButton* LastProfileButton() const { return FLastProfileButton; }
    ProfileButtonBar& ButtonBar() { return bar_; }

private:
    void LetPendingEventsRun();
    void SwitchTo(int number);
    // The current profile's stored pages are not yet known to the open set.
    void MarkCurrentPagesUnread();
    bool CurrentPagesKnown() const;
    void MarkButtonSettingsKnown();
    void Forget(const platform::SiteData& siteData, const std::string& question);

    platform::RegistryStore& store_;
    PageSetHost& pages_;
    ProfileButtonBar bar_;
    std::function<TfrmProfileButtonSettings&()> frmProfileButtonSettings_;
    Gtk::CheckMenuItem* itmProfileButtonsToolbar_ = nullptr;
    Gtk::CheckMenuItem* itmShowEmptyProfileButtons_ = nullptr;
    sigc::connection toolbarItemConnection_;
    sigc::connection showEmptyItemConnection_;
    sigc::connection forgetSharedConnection_;
    SiteDataKeeper* keeper_ = nullptr;
    bool settingMenu_ = false;         // the button menu's check mark is set, not chosen
    int menuProfile_ = ProfileButtonBar::kNoButton; // the profile the button menu is open on
    // Profiles that began to keep their logins apart in this run: no data of
    // their own is expected on disk yet.
    std::array<bool, ProfileButtonBar::kButtonCount> apartSince_{};

    bool switching_ = false;
    int pendingPress_ = ProfileButtonBar::kNoButton; // the last press during a switch

    std::string FCurrentProfile;
    Gtk::ToggleButton* FLastProfileButton = nullptr;
    // Captions as given (and as stored); the buttons show them as valid UTF-8.
    std::array<std::string, ProfileButtonBar::kButtonCount> captions_;

    // What the open set and the buttons hold of the store: whether the
    // current profile's pages were read (and how many pages had been opened
    // when they were found unread), the hide flag and each caption.
    bool currentPagesRead_ = false;
    std::uint64_t openedWhenUnread_ = 0;
    bool hideFlagKnown_ = false;
    std::array<bool, ProfileButtonBar::kButtonCount> captionKnown_{};
};

} // namespace profiles
