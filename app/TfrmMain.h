#pragma once
// The main window: tool bars, URL box, busy animation, profile buttons and the
// tabbed pages, with the pop-up menu popMain and the window's lifecycle.
#include "AnimationControl.h"
#include "MainMenu.h"
#include "MainPageSet.h"
#include "MainShortcuts.h"
#include "MainToolbar.h"
#include "Pages.h"
#include "Profiles.h"
#include "RecoveryRecorder.h"
#include "RegistryStore.h"
#include "SandboxNotice.h"
#include "SiteDataNotice.h"

#include <gtkmm/box.h>
#include <gtkmm/comboboxtext.h>
#include <gtkmm/eventbox.h>
#include <gtkmm/label.h>
#include <gtkmm/notebook.h>
#include <gtkmm/window.h>

class TfrmAbout;
class TfrmWelcome;
namespace pages { class TdlgProperties; }
namespace profiles { class TfrmProfileButtonSettings; }

// The dialogs the main window's commands show, each made when first asked for.
struct MainDialogs {
    std::function<TfrmAbout&()> about;
    std::function<pages::TdlgProperties&()> properties;
    std::function<TfrmWelcome&()> welcome;
    std::function<profiles::TfrmProfileButtonSettings&()> buttonSettings;
};

class TfrmMain : public Gtk::Window {
public:
    // The private message that maximises the main window once it is shown.
    static constexpr unsigned WM_MAXIMIZE_MAIN = 0x40F;

    // FormCreate runs here. The store holds everything kept between runs.
    explicit TfrmMain(platform::RegistryStore& store);
    ~TfrmMain() override;

    // The dialogs its commands show.
    void AttachDialogs(MainDialogs dialogs);

    void itmQuitClick();
    // Closes without asking anything, whatever holds the input: for a session
    // that is ending. Call it from the program's own loop, no dialog open.
    void CloseWithoutAsking();
    // How many downloads are under way; quitting with one running asks first.
    void SetRunningDownloadsQuery(std::function<int()> query) { runningDownloads_ = std::move(query); }
    void itmAboutClick();
    void itmToolbarClick();
    void itmLoadPagesWhenShownClick();
    void WMMaximizeMain();
    // Tells the user, above the pages, when web content runs unsandboxed.
    void ShowSandboxNotice(const platform::WebKitSandboxState& state) { barSandbox.Show(state); }
    // Tells the user, above the pages, that a profile's own site data was
    // missing or damaged and it starts empty.
    void ShowSiteDataNotice(const platform::SiteData& siteData, const platform::SiteDataProblem& problem)
    {
        barSiteData.Show(siteData, problem);
    }
    // Who keeps the site data (the engine), for the commands that forget it.
    void SetSiteDataKeeper(profiles::SiteDataKeeper* keeper) { profiles_->SetSiteDataKeeper(keeper); }

    // True once the show step is over (also when an error ended it): profile 1
    // is open and the Welcome dialog (if any) has closed.
    bool Started() const { return started_; }

    MainMenu& Menu() { return popMain; }
    MainToolbar& Toolbar() { return tlbMain; }
    Gtk::Widget& TopPanel() { return pnlTop; }
    SandboxNotice& SandboxBar() { return barSandbox; }
    SiteDataNotice& SiteDataBar() { return barSiteData; }
    platform::AnimationControl& BusyAnimation() { return anmState; }
    Gtk::ComboBoxText& URLBox() { return cboURL; }
    Gtk::Notebook& PageControl() { return pgcMain; }
    pages::Pages& Pages() { return *pages_; }
    profiles::Profiles& Profiles() { return *profiles_; }
    RecoveryRecorder& Recovery() { return *recovery_; }

protected:
    void on_show() override;
    bool on_delete_event(GdkEventAny* event) override;
    bool on_button_press_event(GdkEventButton* event) override;
    bool on_key_press_event(GdkEventKey* event) override;

private:
    void FormCreate();
    void FormShow();
    void FormClose();
    void CloseAndHide();
    void PostMaximizeMain();
    void BuildLayout();
    void ConnectCommands();
    void AddURLToHistory(const std::string& url);
    bool HasOwnMenu(GdkEventButton* event);
    bool ConfirmQuitWithRunningDownloads();
    // Keyboard (TfrmMainKeys.cpp).
    void ConnectShortcuts();
    void FocusURLBox();
    bool PopupMenuFromKeyboard();

    platform::RegistryStore& store_;
    MainDialogs dialogs_;
    bool shown_ = false;
    bool started_ = false;
    bool closeFailed_ = false;
    std::function<int()> runningDownloads_;
    sigc::connection maximizeMessage_;

    Gtk::Box root_{Gtk::ORIENTATION_VERTICAL};
    SandboxNotice barSandbox;
    SiteDataNotice barSiteData;
    Gtk::Box pnlTop{Gtk::ORIENTATION_HORIZONTAL};
    MainToolbar tlbMain;
    Gtk::Label lblURL{"URL:"};
    Gtk::ComboBoxText cboURL{true};
    Gtk::EventBox pnlState;
    platform::AnimationControl anmState{32, 29, 100};
    Gtk::Box pnlBrowser{Gtk::ORIENTATION_VERTICAL};
    Gtk::Notebook pgcMain;
    MainMenu popMain;

    // FBrowsers and FPageInfos live in the page list; FCurrentProfile and
    // FLastProfileButton with the profiles.
    std::unique_ptr<pages::Pages> pages_;
    std::unique_ptr<MainPageSet> pageSet_;
    std::unique_ptr<profiles::Profiles> profiles_;
    std::unique_ptr<RecoveryRecorder> recovery_;
    std::unique_ptr<MainShortcuts> shortcuts_;
};
