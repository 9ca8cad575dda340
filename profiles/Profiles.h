#pragma once
// The ten profiles of the main window: switching between their stored page sets,
// the profile-button row with its captions, and hiding the buttons of empty
// profiles. The main window packs pnlQuickLaunch() below its tool bar, hands over
// its two menu items and the caption dialog, and calls the load and save steps at
// show and close.
#include "PageSetHost.h"
#include "RecoveryRecord.h"
#include "ProfileButtonBar.h"
#include "RegistryStore.h"
#include "TfrmProfileButtonSettings.h"

#include <gtkmm/checkmenuitem.h>

#include <array>
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
    void SetButtonSettingsDialog(TfrmProfileButtonSettings& dialog) { frmProfileButtonSettings_ = &dialog; }

    // Page sets of profiles (key names "Profile0".."Profile9").
    void SaveProfilePages(const std::string& key);
    void LoadProfilePages(const std::string& key);
    bool ProfileExists(const std::string& key);
    bool IsProfileEmpty(int number);
    // Makes the snapshot's profile current with the snapshot's pages, as a switch
    // to it would (the current set is saved first), but opening what the
    // recovery record kept.
    void RestoreRecoveredPages(const RecoverySnapshot& snapshot);

    // Captions and the empty-button option.
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

    const std::string& CurrentProfile() const { return FCurrentProfile; }
    Gtk::ToggleButton* LastProfileButton() const { return FLastProfileButton; }
    ProfileButtonBar& ButtonBar() { return bar_; }

private:
    void LetPendingEventsRun();
    void SwitchTo(int number);

    platform::RegistryStore& store_;
    PageSetHost& pages_;
    ProfileButtonBar bar_;
    TfrmProfileButtonSettings* frmProfileButtonSettings_ = nullptr;
    Gtk::CheckMenuItem* itmProfileButtonsToolbar_ = nullptr;
    Gtk::CheckMenuItem* itmShowEmptyProfileButtons_ = nullptr;
    sigc::connection toolbarItemConnection_;
    sigc::connection showEmptyItemConnection_;

    bool switching_ = false;
    int pendingPress_ = ProfileButtonBar::kNoButton; // the last press during a switch

    std::string FCurrentProfile;
    Gtk::ToggleButton* FLastProfileButton = nullptr;
    // Captions as given (and as stored); the buttons show them as valid UTF-8.
    std::array<std::string, ProfileButtonBar::kButtonCount> captions_;
};

} // namespace profiles
