// The profile buttons and menu items under a display, with pages in memory.
#include "ESettingsError.h"
#include "ErrorReport.h"
#include "FakePageSetHost.h"
#include "MainLoop.h"
#include "ModalAnswer.h"
#include "ProfileSiteData.h"
#include "Profiles.h"
#include "ProgramIdentity.h"
#include "ShowWelcomeOnce.h"
#include "StoreInspection.h"
#include "TempDir.h"
#include "URLHistory.h"

#include <gtest/gtest.h>
#include <gtkmm.h>

using namespace profiles;
using platform::RegistryStore;

namespace {

class ProfilesGuiTest : public ::testing::Test {
protected:
    ProfilesGuiTest()
    {
        itmProfileButtonsToolbar.set_active(true);
        itmShowEmptyProfileButtons.set_active(true);
        profiles.AttachMenuItems(itmProfileButtonsToolbar, itmShowEmptyProfileButtons);
        profiles.SetButtonSettingsDialog([this]() -> TfrmProfileButtonSettings& { return dialog; });
        window.add(profiles.pnlQuickLaunch());
        window.set_default_size(600, 40);
        window.show_all();
        RunPendingEvents();
        platform::InstallDefaultErrorReport();
        previousSink = platform::SetErrorSink([this](const std::string& text) { reports.push_back(text); });
    }
    ~ProfilesGuiTest() override { platform::SetErrorSink(previousSink); }

    // Lays the row out now, as the next frame would.
    void Relayout()
    {
        RunPendingEvents();
        window.check_resize();
        RunPendingEvents();
    }

    Gtk::ToggleButton& Button(int n) { return profiles.ButtonBar().Button(n); }
    int Down() const
    {
        int down = -1;
        for (int n = 0; n < 10; ++n)
            if (const_cast<ProfilesGuiTest*>(this)->profiles.ButtonBar().Button(n).get_active())
                down = down == -1 ? n : -2; // -2: more than one
        return down;
    }
    // Answers the caption dialog, when it runs, with text and OK or Cancel: as
    // soon as its caption field has the focus, or after a bounded wait (when the
    // missing focus fails the test).
    void AnswerDialog(const std::string& text, bool ok)
    {
        const gint64 limit = g_get_monotonic_time() + 5 * G_USEC_PER_SEC;
        Glib::signal_timeout().connect([this, text, ok, limit] {
            const bool waiting = g_get_monotonic_time() < limit;
            if (!dialog.get_visible())
                return waiting;
            if (!dialog.edtButtonCaption.has_focus() && waiting)
                return true;
            ++dialogRuns;
            focusOnShow = dialog.edtButtonCaption.has_focus();
            shownCaption = dialog.edtButtonCaption.get_text();
            dialog.edtButtonCaption.set_text(text);
            dialog.response(ok ? Gtk::RESPONSE_OK : Gtk::RESPONSE_CANCEL);
            return false;
        }, 10);
    }

    TempDir dir;
    RegistryStore store{dir.path()};
    FakePageSetHost host;
    Gtk::CheckMenuItem itmProfileButtonsToolbar{"P_rofile Buttons Toolbar", true};
    Gtk::CheckMenuItem itmShowEmptyProfileButtons{"Show Empty Profile Buttons"};
    TfrmProfileButtonSettings dialog;
    Profiles profiles{store, host};
    Gtk::Window window;
    std::vector<std::string> reports;
    platform::ErrorSink previousSink;
    int dialogRuns = 0;
    bool focusOnShow = false;
    std::string shownCaption;
};

} // namespace

TEST_F(ProfilesGuiTest, ButtonRowStartsAsLaidOutWithNoButtonDown)
{
    EXPECT_EQ(profiles.CurrentProfile(), "Profile1");
    EXPECT_EQ(Down(), -1);
    EXPECT_EQ(profiles.ButtonBar().ToolbarWidth(), 253);
    const std::vector<std::string> order = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0"};
    auto children = profiles.ButtonBar().tlbProfileButtons.get_children();
    ASSERT_EQ(children.size(), 11u);
    EXPECT_EQ(children[0]->get_allocated_width(), 8);
    for (std::size_t i = 0; i < order.size(); ++i) {
        auto* button = dynamic_cast<Gtk::ToggleButton*>(children[i + 1]);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->get_label(), order[i]);
        EXPECT_EQ(button->get_tooltip_text(), "open profile " + order[i]) << "each tells which profile it opens";
        EXPECT_EQ(button->get_allocated_width(), 24) << order[i];
        EXPECT_EQ(button->get_allocated_height(), 24);
        EXPECT_EQ(button->get_allocation().get_x() - children[0]->get_allocation().get_x(),
                  8 + 24 * static_cast<int>(i));
    }
    EXPECT_EQ(profiles.ButtonBar().itmSetButtonCaption.get_label(), "Set Button _Caption");
}

TEST_F(ProfilesGuiTest, SwitchingSavesClosesAndOpensTheChosenProfile)
{
    host.Add("Local", "http://127.0.0.1/a", true, "http://127.0.0.1/a/later");
    host.Add("Other", "http://127.0.0.1/b", false, "http://127.0.0.1/b/later");

    Button(3).clicked(); // never used before
    EXPECT_TRUE(reports.empty()) << reports.front();
    EXPECT_EQ(profiles.CurrentProfile(), "Profile3");
    EXPECT_EQ(Down(), 3);
    EXPECT_EQ(host.PageCount(), 0);
    EXPECT_EQ(StoredNumber(store, "Profile3", "Sites"), 0);
    EXPECT_EQ(StoredNumber(store, "Profile1", "Sites"), 2);

    Button(3).clicked(); // the current, down button stays down
    EXPECT_EQ(Down(), 3);
    EXPECT_EQ(profiles.CurrentProfile(), "Profile3");

    Button(1).clicked();
    EXPECT_EQ(Down(), 1);
    ASSERT_EQ(host.PageCount(), 2);
    EXPECT_EQ(host.pages[0].location, "http://127.0.0.1/a/later"); // remembered
    EXPECT_EQ(host.pages[1].location, "http://127.0.0.1/b");       // back at its first URL
    EXPECT_EQ(host.current, 0);

    // Pressing the current profile's button saves, closes and reopens it.
    host.pages[0].location = "http://127.0.0.1/a/latest";
    Button(1).clicked();
    ASSERT_EQ(host.PageCount(), 2);
    EXPECT_EQ(host.pages[0].location, "http://127.0.0.1/a/latest");

    Button(0).clicked();
    EXPECT_EQ(profiles.CurrentProfile(), "Profile0");
    EXPECT_TRUE(profiles.ProfileExists("Profile0"));
    EXPECT_EQ(host.PageCount(), 0);
    EXPECT_EQ(Down(), 0);
}

TEST_F(ProfilesGuiTest, EmptyProfile1OpensTheMakersPage)
{
    profiles.LoadProfilePages(profiles.CurrentProfile());
    ASSERT_EQ(host.PageCount(), 1);
    EXPECT_EQ(host.pages[0].caption, "Kestrane");
    EXPECT_EQ(host.pages[0].location, platform::kMakerWebSite);
    host.CloseAllPages();
    Button(2).clicked();
    Button(1).clicked(); // switching back to an empty profile 1 also opens it
    ASSERT_EQ(host.PageCount(), 1);
    EXPECT_EQ(host.pages[0].caption, "Kestrane");
}

TEST_F(ProfilesGuiTest, FailedSaveKeepsPagesAndProfileAndShowsTheRealCurrentButton)
{
    Button(4).clicked();
    host.Add("Busy", "http://127.0.0.1/x", true, "http://127.0.0.1/x/2");
    host.failLocation = true;
    Button(6).clicked();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], "The browser could not tell its location.");
    EXPECT_EQ(profiles.CurrentProfile(), "Profile4");
    EXPECT_EQ(host.PageCount(), 1);
    EXPECT_EQ(Down(), 4);
    EXPECT_EQ(StoredNumber(store, "Profile4", "Sites"), 0);
    EXPECT_FALSE(profiles.ProfileExists("Profile6"));
}

TEST_F(ProfilesGuiTest, AProfileWhoseLoadFailedIsSavedOverOnlyOnceTheUserOpensAPageInIt)
{
    StoreNumber(store, "Profile3", "Sites", 9);
    StoreText(store, "Profile3", "Label0", "Kept");
    Button(3).clicked();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("They were not opened; they are kept as they are in the store."), std::string::npos)
        << reports[0];
    Button(3).clicked(); // the same profile again: saved first, then found damaged again
    Button(2).clicked();
    EXPECT_EQ(StoredNumber(store, "Profile3", "Sites"), 9);

    Button(3).clicked();
    host.OpenPage("http://127.0.0.1/new", "New");
    Button(2).clicked();
    EXPECT_EQ(StoredNumber(store, "Profile3", "Sites"), 1);
    EXPECT_EQ(StoredText(store, "Profile3", "Label0"), "New");
}

TEST_F(ProfilesGuiTest, CaptionsChangeWidthsAndComeFromTheDialog)
{
    Relayout();
    const int x4 = Button(4).get_allocation().get_x();
    const int digitWidth = profiles.ButtonBar().TextWidth(3, "3");
    const int wideWidth = profiles.ButtonBar().TextWidth(3, "Research");
    profiles.SetProfileButtonCaption(Button(3), "Research");
    Relayout();
    EXPECT_EQ(Button(3).get_label(), "Research");
    EXPECT_EQ(profiles.ButtonBar().ButtonWidth(3), 24 + wideWidth - digitWidth);
    EXPECT_EQ(profiles.ButtonBar().ToolbarWidth(), 253 + wideWidth - digitWidth);
    EXPECT_EQ(Button(3).get_allocated_width(), 24 + wideWidth - digitWidth);
    EXPECT_EQ(Button(4).get_allocation().get_x(), x4 + wideWidth - digitWidth);

    // An empty caption narrows the button by its former caption's width.
    profiles.SetProfileButtonCaption(Button(5), "");
    EXPECT_EQ(profiles.ButtonBar().ButtonWidth(5), 24 - profiles.ButtonBar().TextWidth(5, "5"));

    // The dialog, through the button last released and the menu item.
    profiles.spdProfile1MouseUp(Button(7), 3);
    EXPECT_EQ(profiles.LastProfileButton(), &Button(7));
    AnswerDialog("Mail", true);
    profiles.ButtonBar().itmSetButtonCaption.activate();
    EXPECT_EQ(dialogRuns, 1);
    EXPECT_TRUE(focusOnShow);
    EXPECT_EQ(shownCaption, "7");
    EXPECT_EQ(Button(7).get_label(), "Mail");
    EXPECT_EQ(profiles.LastProfileButton(), nullptr);
    EXPECT_FALSE(dialog.get_visible());

    profiles.spdProfile1MouseUp(Button(7), 3);
    AnswerDialog("Ignored", false);
    profiles.itmSetButtonCaptionClick();
    EXPECT_EQ(dialogRuns, 2);
    EXPECT_EQ(Button(7).get_label(), "Mail");
    EXPECT_EQ(profiles.LastProfileButton(), nullptr);

    profiles.itmSetButtonCaptionClick(); // nothing released since: no dialog
    EXPECT_EQ(dialogRuns, 2);
}

TEST_F(ProfilesGuiTest, ButtonSettingsLoadAndSave)
{
    StoreNumber(store, "", "HideEmptyProfiles", 1);
    StoreText(store, "", "ProfileName2", "Work");
    StoreText(store, "", "ProfileName5", "");
    StoreNumber(store, "Profile2", "Sites", 3);
    StoreNumber(store, "Profile8", "Sites", 1);
    profiles.LoadProfileButtonSettings();
    EXPECT_FALSE(itmShowEmptyProfileButtons.get_active());
    EXPECT_EQ(Button(2).get_label(), "Work");
    EXPECT_EQ(Button(5).get_label(), "5");
    for (int n = 0; n < 10; ++n)
        EXPECT_EQ(Button(n).get_visible(), n == 2 || n == 8) << n;

    itmShowEmptyProfileButtons.activate(); // checked again: all shown
    EXPECT_TRUE(itmShowEmptyProfileButtons.get_active());
    for (int n = 0; n < 10; ++n)
        EXPECT_TRUE(Button(n).get_visible()) << n;

    profiles.SetProfileButtonCaption(Button(0), "Zero");
    profiles.SaveProfileButtonSettings();
    EXPECT_EQ(StoredNumber(store, "", "HideEmptyProfiles"), 0);
    EXPECT_EQ(StoredText(store, "", "ProfileName0"), "Zero");
    EXPECT_EQ(StoredText(store, "", "ProfileName2"), "Work");
    EXPECT_EQ(StoredText(store, "", "ProfileName5"), "5");

    // A caption that is not valid UTF-8 is shown with replacement characters
    // and stored back byte for byte.
    const std::string notUtf8 = "W\xc0\xafrk\xed\xa0\x80";
    StoreText(store, "", "ProfileName3", notUtf8);
    profiles.LoadProfileButtonSettings();
    EXPECT_EQ(Button(3).get_label(), "W\xef\xbf\xbd\xef\xbf\xbdrk\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd");
    profiles.SaveProfileButtonSettings();
    EXPECT_EQ(StoredText(store, "", "ProfileName3"), notUtf8);

    StoreText(store, "", "HideEmptyProfiles", "1");
    EXPECT_THROW(profiles.LoadProfileButtonSettings(), ESettingsError);
}

TEST_F(ProfilesGuiTest, HidingGoesByTheStoreAlsoForTheCurrentProfile)
{
    Button(2).clicked(); // Profile1 saved with no pages; Profile2 current
    host.Add("New", "http://127.0.0.1/n", false, "");
    Button(1).clicked(); // Profile2 saved with one page; Profile1 (empty) opens its default page
    ASSERT_EQ(host.PageCount(), 1);
    itmShowEmptyProfileButtons.activate(); // unchecked: hide empty ones
    EXPECT_FALSE(Button(1).get_visible()); // the current profile, stored empty
    EXPECT_TRUE(Button(2).get_visible());
    EXPECT_FALSE(Button(0).get_visible());
    Button(2).clicked(); // a switch does not recompute visibility
    EXPECT_FALSE(Button(1).get_visible());
}

TEST_F(ProfilesGuiTest, ToolbarItemShowsAndHidesTheRowAndEnablesTheOtherItem)
{
    itmProfileButtonsToolbar.activate();
    EXPECT_FALSE(itmProfileButtonsToolbar.get_active());
    EXPECT_FALSE(profiles.pnlQuickLaunch().get_visible());
    EXPECT_FALSE(itmShowEmptyProfileButtons.get_sensitive());
    itmProfileButtonsToolbar.activate();
    EXPECT_TRUE(profiles.pnlQuickLaunch().get_visible());
    EXPECT_TRUE(itmShowEmptyProfileButtons.get_sensitive());
}

// An empty store, one start and one close with no user action.
TEST_F(ProfilesGuiTest, FirstStartAndCloseLeaveTheExpectedStore)
{
    Gtk::ComboBoxText cboURL(true);
    int welcomed = 0;
    profiles.LoadProfilePages(profiles.CurrentProfile());
    profiles.LoadProfileButtonSettings();
    LoadURLHistory(store, cboURL);
    ShowWelcomeOnce(store, [&welcomed] { ++welcomed; });
    profiles.SaveProfilePages(profiles.CurrentProfile());
    profiles.SaveProfileButtonSettings();

    EXPECT_EQ(welcomed, 1);
    ExpectFirstRunStore(store);
}

TEST_F(ProfilesGuiTest, LongCaptionsWidenTheirButtonOnlySoFarAndShowWholeInTooltipAndName)
{
    Relayout();
    const int digitWidth = profiles.ButtonBar().TextWidth(2, "2");
    const std::string caption = "Project notes\n" + std::string(986, 'x');
    profiles.SetProfileButtonCaption(Button(2), caption);
    Relayout();
    const int widest = 24 + ProfileButtonBar::kLongestCaptionWidth - digitWidth;
    EXPECT_EQ(profiles.ButtonBar().ButtonWidth(2), widest);
    EXPECT_LE(Button(2).get_allocated_width(), widest);
    EXPECT_EQ(Button(2).get_label(), caption) << "the caption is kept as given";
    EXPECT_EQ(Button(2).get_accessible()->get_name(), "Profile 2: " + caption) << "its number, then the whole caption";
    auto& shown = dynamic_cast<ProfileButton&>(Button(2));
    EXPECT_EQ(shown.LongTooltipText(), caption);
    EXPECT_EQ(dynamic_cast<Gtk::Label*>(Button(2).get_child())->get_text().raw().find('\n'), std::string::npos);

    // Back to a short caption: the width follows and the usual tooltip returns.
    profiles.SetProfileButtonCaption(Button(2), "Work");
    EXPECT_EQ(profiles.ButtonBar().ButtonWidth(2), 24 + profiles.ButtonBar().TextWidth(2, "Work") - digitWidth);
    EXPECT_EQ(shown.LongTooltipText(), "");
    EXPECT_EQ(Button(2).get_tooltip_text(), "open profile 2");
}

namespace {

// The keeper of the site data, in memory: which data is on disk, and what was forgotten.
struct FakeSiteDataKeeper : SiteDataKeeper {
    bool onDisk = false;
    std::vector<platform::SiteData> forgotten;
    bool HasSiteData(const platform::SiteData&) const override { return onDisk; }
    void ForgetSiteData(const platform::SiteData& siteData, std::function<void(bool)> done) override
    {
        forgotten.push_back(siteData);
        done(true);
    }
};

// Answers the message box titled title with the button labelled button; the question it asked.
std::unique_ptr<ModalAnswer> AnswerQuestion(const std::string& title, const std::string& button, std::string& asked)
{
    return std::make_unique<ModalAnswer>(title, [&asked, button](Gtk::Window& box) {
        asked = dynamic_cast<Gtk::MessageDialog&>(box).property_text().get_value();
        ClickButton(box, button);
    });
}

} // namespace

TEST_F(ProfilesGuiTest, KeepLoginsApartAsksThenReopensTheProfileOnShowWithItsOwnData)
{
    host.Add("A", "http://127.0.0.1/a", false, "http://127.0.0.1/a");
    host.Add("B", "http://127.0.0.1/b", false, "http://127.0.0.1/b");
    const int added = host.opened;
    auto& item = profiles.ButtonBar().itmKeepLoginsApart;
    auto chooseItem = [&] {
        profiles.spdProfile1MouseUp(Button(1), 3);
        profiles.popProfileButtonsPopup();
        item.activate();
    };
    std::string asked;
    auto cancelled = AnswerQuestion("Keep Logins Apart", "_Cancel", asked);
    chooseItem();
    EXPECT_EQ(asked, "Profile 1 will keep its own logins. Its 2 pages reload and you may need to sign in again. Continue?");
    EXPECT_EQ(StoredNumber(store, "Profile1", "KeepLoginsApart"), std::nullopt) << "cancelled";
    EXPECT_EQ(host.opened, added);

    auto answered = AnswerQuestion("Keep Logins Apart", "C_ontinue", asked);
    chooseItem();
    EXPECT_TRUE(answered->Answered());
    EXPECT_EQ(StoredNumber(store, "Profile1", "KeepLoginsApart"), 1);
    ASSERT_EQ(host.PageCount(), 2) << "saved, closed and opened again";
    EXPECT_EQ(host.pages[1].siteData, platform::SiteData::OfProfile(1));
    EXPECT_TRUE(host.pages[1].siteData.IsNew()) << "no data of its own is expected yet";
    auto& button = dynamic_cast<ProfileButton&>(Button(1));
    EXPECT_TRUE(button.KeptApart());
    EXPECT_EQ(button.LongTooltipText(), "Profile 1, logins kept apart");
    EXPECT_EQ(Button(1).get_accessible()->get_name(), "Profile 1, logins kept apart");

    chooseItem(); // unchecked: back to the shared data, without a question
    EXPECT_EQ(StoredNumber(store, "Profile1", "KeepLoginsApart"), 0);
    ASSERT_EQ(host.PageCount(), 2);
    EXPECT_TRUE(host.pages[1].siteData.IsShared());
    EXPECT_EQ(Button(1).get_accessible()->get_name(), "Profile 1");
    EXPECT_EQ(host.opened, added + 4);
}

TEST_F(ProfilesGuiTest, AProfileKeptApartIsMarkedAndEveryWayIntoItUsesItsData)
{
    WriteKeepLoginsApart(store, 3, true);
    profiles.SetProfileButtonCaption(Button(3), "Work");
    profiles.LoadProfileButtonSettings();
    EXPECT_EQ(Button(3).get_accessible()->get_name(), "Profile 3: Work, logins kept apart");
    EXPECT_EQ(dynamic_cast<ProfileButton&>(Button(3)).LongTooltipText(), "Profile 3: Work, logins kept apart");
    EXPECT_FALSE(dynamic_cast<ProfileButton&>(Button(2)).KeptApart());

    Button(3).clicked();
    EXPECT_EQ(host.siteData, platform::SiteData::OfProfile(3));
    EXPECT_FALSE(host.siteData.IsNew()) << "its data should be on disk: missing data is told";
    Button(2).clicked();
    EXPECT_TRUE(host.siteData.IsShared());
    profiles.RestoreRecoveredPages({"Profile3", {{"R", "http://127.0.0.1/r", "http://127.0.0.1/r", false, {}}}});
    ASSERT_EQ(host.PageCount(), 1);
    EXPECT_EQ(host.pages[0].siteData, platform::SiteData::OfProfile(3));
}

TEST_F(ProfilesGuiTest, ForgetAsksNamingTheDataAndForgetsThatDataOnly)
{
    FakeSiteDataKeeper keeper;
    profiles.SetSiteDataKeeper(&keeper);
    Gtk::MenuItem itmForgetShared;
    profiles.AttachForgetSharedItem(itmForgetShared);
    profiles.SetProfileButtonCaption(Button(4), "Home");
    profiles.spdProfile1MouseUp(Button(4), 3);
    profiles.popProfileButtonsPopup();
    EXPECT_FALSE(profiles.ButtonBar().itmForgetSiteData.get_sensitive()) << "nothing of its own to forget";
    keeper.onDisk = true;
    profiles.popProfileButtonsPopup();
    ASSERT_TRUE(profiles.ButtonBar().itmForgetSiteData.get_sensitive());

    std::string asked;
    auto answer = AnswerQuestion("Forget Site Data", "_Forget", asked);
    profiles.ButtonBar().itmForgetSiteData.activate();
    EXPECT_EQ(asked, "Forget the site data of Profile 4: Home? Its logins, cookies, stored site data and cache are "
                     "removed. Nothing else is touched.");
    EXPECT_EQ(keeper.forgotten, std::vector<platform::SiteData>{platform::SiteData::OfProfile(4)});

    auto cancelled = AnswerQuestion("Forget Site Data", "_Cancel", asked);
    itmForgetShared.activate();
    EXPECT_EQ(keeper.forgotten.size(), 1u) << "cancelled";
    answer = AnswerQuestion("Forget Site Data", "_Forget", asked);
    itmForgetShared.activate();
    EXPECT_EQ(keeper.forgotten.back(), platform::SiteData::Shared());
    EXPECT_EQ(keeper.forgotten.size(), 2u);
}
