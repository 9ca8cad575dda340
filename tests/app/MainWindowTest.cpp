// The main window as a user meets it: first run, menus, tool bars, About,
// closing, maximising and the default error report.
#include "ProgramFixture.h"

#include "ErrorReport.h"
#include "ProgramIdentity.h"
#include "WidgetSearch.h"

#include <gtkmm.h>

#include <cstdlib>
#include <fstream>

namespace {

std::vector<std::string> MenuCaptions(Gtk::Menu& menu)
{
    std::vector<std::string> captions;
    for (Gtk::Widget* child : menu.get_children()) {
        if (dynamic_cast<Gtk::SeparatorMenuItem*>(child))
            captions.push_back("-");
        else if (auto* item = dynamic_cast<Gtk::MenuItem*>(child))
            captions.push_back(item->get_label());
    }
    return captions;
}

// A real click of mouse button on a widget, through the X server.
void Click(Gtk::Widget& widget, int x, int y, int button = 3)
{
    int rootX = 0, rootY = 0;
    widget.get_window()->get_root_coords(0, 0, rootX, rootY);
    Gtk::Allocation area = widget.get_allocation();
    if (!widget.get_has_window()) {
        rootX += area.get_x();
        rootY += area.get_y();
    }
    const std::string command = "xdotool mousemove " + std::to_string(rootX + x) + " " +
                                std::to_string(rootY + y) + " click " + std::to_string(button);
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

} // namespace

TEST_F(ProgramFixture, FirstRunWelcomesBeforeTheWindowShowsAndStoresTheDefaults)
{
    Start();
    EXPECT_EQ(welcomesShown_, 1);
    EXPECT_FALSE(mainVisibleDuringWelcome_) << "the Welcome dialog comes before the main window";

    Gtk::Notebook& tabs = program_->frmMain.PageControl();
    ASSERT_EQ(tabs.get_n_pages(), 1);
    EXPECT_EQ(tabs.get_tab_label_text(*tabs.get_nth_page(0)), "Kestrane");

    CloseByTitleBar();
    EXPECT_FALSE(program_->frmMain.get_visible());
    ExpectFirstRunStore(*store_);
    Stop();

    Start();
    EXPECT_EQ(welcomesShown_, 1) << "the second run shows no Welcome";
    EXPECT_EQ(mappedAtFirstPage_, true) << "a later start maps the window before it makes the pages";
    EXPECT_TRUE(reports_.empty());
}

TEST_F(ProgramFixture, QuitAndTitleBarCloseBothSaveTheCurrentProfile)
{
    Start();
    program_->frmMain.Pages().List().OpenPage("http://127.0.0.1:9/a", "A");
    program_->frmMain.Menu().itmQuit.activate();
    RunPendingEvents();
    EXPECT_FALSE(program_->frmMain.get_visible());
    EXPECT_EQ(StoredNumber("Profile1", "Sites"), 2);
    EXPECT_EQ(StoredText("Profile1", "Label1"), "A");
    Stop();

    Start();
    EXPECT_EQ(program_->frmMain.PageControl().get_n_pages(), 2);
    program_->frmMain.Pages().List().OpenPage("http://127.0.0.1:9/b", "B");
    CloseByTitleBar();
    EXPECT_EQ(StoredNumber("Profile1", "Sites"), 3);
    EXPECT_EQ(StoredText("Profile1", "FirstURL2"), "http://127.0.0.1:9/b");
}

TEST_F(ProgramFixture, PopupMenuHoldsEveryCommandAndOpensOnRightClick)
{
    Start();
    MainMenu& menu = program_->frmMain.Menu();
    const std::vector<std::string> expected{
        "_New Page", "New _URL", "-", "_Properties", "-", "_Back", "_Forward", "_Label Page",
        "_Close Page", "-", "Main _Toolbar", "P_rofile Buttons Toolbar",
        "Show Empty Profile Buttons", "Load Pages When Shown", "Forget Shared Site Data…", "-", "_About", "-",
        "_Quit"};
    EXPECT_EQ(MenuCaptions(menu), expected);
    EXPECT_TRUE(menu.itmNewPage.get_use_underline());
    EXPECT_TRUE(menu.itmToolbar.get_active());
    EXPECT_TRUE(menu.itmProfileButtonsToolbar.get_active());
    EXPECT_TRUE(menu.itmShowEmptyProfileButtons.get_active());
    EXPECT_FALSE(menu.itmLoadPagesWhenShown.get_active()) << "pages load as they open by default";

    // Over the tab strip and over a tool button, once the window has settled.
    TfrmMain& window = program_->frmMain;
    Gtk::Notebook& tabs = window.PageControl();
    Gtk::Widget* tab = tabs.get_tab_label(*tabs.get_nth_page(0));
    ASSERT_NE(tab, nullptr);
    // Laid out at the maximised size (wider than the 696 pixels it starts at).
    ASSERT_TRUE(RunUntil([&] {
        return window.is_maximized() && window.get_allocated_width() > 696 &&
               window.get_allocated_width() == window.get_window()->get_width() && tab->get_mapped();
    }));
    Click(*tab, 4, 4);
    EXPECT_TRUE(RunUntil([&] { return menu.get_visible(); })) << "tab strip";
    menu.popdown();
    RunPendingEvents();
    Click(program_->frmMain.Toolbar().btnHome, 5, 5);
    EXPECT_TRUE(RunUntil([&] { return menu.get_visible(); })) << "tool button";
    menu.popdown();
    RunPendingEvents();

    // A profile button opens its own menu instead, for the button under the pointer.
    profiles::ProfileButtonBar& bar = program_->frmMain.Profiles().ButtonBar();
    Click(bar.Button(2), 5, 5);
    EXPECT_TRUE(RunUntil([&] { return bar.popProfileButtons.get_visible(); }));
    EXPECT_FALSE(menu.get_visible());
    EXPECT_EQ(program_->frmMain.Profiles().LastProfileButton(), &bar.Button(2));
    bar.popProfileButtons.popdown();
    RunPendingEvents();

    // After a profile button is pressed, the pointer rests on it and its
    // tooltip shows below, over the pages: a right click there opens the menu.
    Click(bar.Button(3), 5, 5, 1);
    // The hand on the mouse moves a little, and the tooltip comes.
    ASSERT_EQ(std::system("xdotool mousemove_relative 1 0"), 0);
    Gtk::Window* tooltip = nullptr;
    ASSERT_TRUE(RunUntil([&] {
        for (Gtk::Window* shown : Gtk::Window::list_toplevels())
            if (shown->get_type_hint() == Gdk::WINDOW_TYPE_HINT_TOOLTIP && shown->get_mapped())
                tooltip = shown;
        return tooltip != nullptr;
    }));
    Click(*tooltip, tooltip->get_width() / 2, tooltip->get_height() / 2);
    EXPECT_TRUE(RunUntil([&] { return menu.get_visible(); })) << "the click went to the tooltip";
    menu.popdown();
}

TEST_F(ProgramFixture, MainToolbarItemHidesTheWholeTopBandUntilTheNextStart)
{
    Start();
    MainMenu& menu = program_->frmMain.Menu();
    menu.itmToolbar.activate();
    RunPendingEvents();
    EXPECT_FALSE(menu.itmToolbar.get_active());
    EXPECT_FALSE(program_->frmMain.TopPanel().get_visible());
    EXPECT_FALSE(program_->frmMain.URLBox().get_is_drawable());
    EXPECT_FALSE(program_->frmMain.BusyAnimation().get_is_drawable());
    EXPECT_FALSE(program_->frmMain.Toolbar().get_is_drawable());

    menu.itmToolbar.activate();
    RunPendingEvents();
    EXPECT_TRUE(menu.itmToolbar.get_active());
    EXPECT_TRUE(program_->frmMain.URLBox().get_is_drawable());

    menu.itmToolbar.activate();
    program_->frmMain.itmQuitClick();
    Stop();
    Start();
    EXPECT_TRUE(program_->frmMain.Menu().itmToolbar.get_active());
    EXPECT_TRUE(program_->frmMain.TopPanel().get_visible());
}

TEST_F(ProgramFixture, AboutIsModelessAndNeverOpenTwice)
{
    Start();
    MainMenu& menu = program_->frmMain.Menu();
    menu.itmAbout.activate();
    menu.itmAbout.activate();
    ASSERT_TRUE(RunUntil([&] { return program_->frmAbout().get_mapped(); }));
    EXPECT_EQ(VisibleWindows("About").size(), 1u);
    EXPECT_FALSE(program_->frmAbout().get_modal());
    EXPECT_TRUE(program_->frmMain.is_sensitive());

    // The main window still takes commands while About is open.
    menu.itmToolbar.activate();
    EXPECT_FALSE(program_->frmMain.TopPanel().get_visible());

    program_->frmAbout().OkButton().clicked();
    RunPendingEvents();
    EXPECT_FALSE(program_->frmAbout().get_visible());
    menu.itmAbout.activate();
    EXPECT_TRUE(RunUntil([&] { return program_->frmAbout().get_mapped(); }));
    EXPECT_EQ(VisibleWindows("About").size(), 1u);
}

TEST_F(ProgramFixture, MainWindowStartsCentredAtItsSizeAndIsThenMaximised)
{
    Start();
    int width = 0, height = 0;
    program_->frmMain.get_default_size(width, height);
    EXPECT_EQ(width, 696);
    EXPECT_EQ(height, 423);
    EXPECT_EQ(program_->frmMain.get_title(), "Kestrane Pandrel 2.0");
    EXPECT_TRUE(RunUntil([&] { return program_->frmMain.is_maximized(); }));

    program_->frmMain.unmaximize();
    RunUntil([&] { return !program_->frmMain.is_maximized(); });
    program_->frmMain.itmQuitClick();
    Stop();
    Start();
    EXPECT_TRUE(RunUntil([&] { return program_->frmMain.is_maximized(); }))
        << "maximised at every start";
}

TEST_F(ProgramFixture, AnEscapedErrorIsReportedAndTheProgramGoesOn)
{
    platform::InstallDefaultErrorReport();
    Start();
    Gtk::ToolButton& home = program_->frmMain.Toolbar().btnHome;
    sigc::connection failing =
        home.signal_clicked().connect([] { throw std::runtime_error("Something broke"); }, false);
    g_signal_emit_by_name(home.gobj(), "clicked");
    failing.disconnect();
    ASSERT_EQ(reports_.size(), 1u);
    EXPECT_EQ(reports_[0], "Something broke");

    // The state is as the handler left it, and the window still works.
    EXPECT_TRUE(program_->frmMain.get_visible());
    program_->frmMain.Menu().itmToolbar.activate();
    EXPECT_FALSE(program_->frmMain.TopPanel().get_visible());
}

TEST_F(ProgramFixture, DamagedSettingsFileIsSetAsideReportedAndTheProgramStarts)
{
    {
        std::ofstream garbage(dir_ / "settings.db", std::ios::binary);
        garbage << "this is not a database, just some words that took its place";
    }
    Start();
    ASSERT_EQ(reports_.size(), 1u);
    EXPECT_NE(reports_[0].find((dir_ / "settings.db").string()), std::string::npos) << reports_[0];

    int setAside = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path()))
        if (entry.path().filename().string().starts_with("settings.db.damaged"))
            ++setAside;
    EXPECT_EQ(setAside, 1);
    EXPECT_EQ(welcomesShown_, 1);
    EXPECT_EQ(program_->frmMain.PageControl().get_n_pages(), 1);
}

TEST_F(ProgramFixture, UnusableSettingsFolderStillStartsAndWelcomesEveryTime)
{
    { std::ofstream blocker(dir_ / "blocker"); }
    settingsFolder_ = dir_ / "blocker" / "pandrel"; // below a plain file: never a folder
    Start();
    EXPECT_EQ(welcomesShown_, 1);
    // Without a store there is no page set to open, not even the default one.
    EXPECT_EQ(program_->frmMain.PageControl().get_n_pages(), 0);
    program_->frmMain.itmQuitClick();
    RunPendingEvents();
    EXPECT_FALSE(program_->frmMain.get_visible());
    Stop();
    Start();
    EXPECT_EQ(welcomesShown_, 2);
    EXPECT_TRUE(reports_.empty());
}

TEST_F(ProgramFixture, AnUnsandboxedStartSaysWhyAboveThePagesUnlessTheUserOptedOut)
{
    unsetenv(kAllowUnsandboxedVariable);
    Start();
    TfrmMain& frmMain = program_->frmMain;
    frmMain.ShowSandboxNotice({true, {}});
    EXPECT_FALSE(frmMain.SandboxBar().get_visible()) << "nothing to say while the sandbox is on";

    frmMain.ShowSandboxNotice({false, "bubblewrap (bwrap) is missing"});
    RunPendingEvents();
    ASSERT_TRUE(frmMain.SandboxBar().get_mapped()) << "the bar is on screen";
    EXPECT_NE(frmMain.SandboxBar().Text().find("without the sandbox: bubblewrap (bwrap) is missing"),
              std::string::npos)
        << frmMain.SandboxBar().Text();
    int barY = 0, pagesY = 0;
    frmMain.SandboxBar().translate_coordinates(frmMain, 0, 0, barY, barY);
    frmMain.PageControl().translate_coordinates(frmMain, 0, 0, pagesY, pagesY);
    EXPECT_LT(barY, pagesY) << "the bar sits above the pages";

    setenv(kAllowUnsandboxedVariable, "1", 1);
    frmMain.ShowSandboxNotice({false, "bubblewrap (bwrap) is missing"});
    unsetenv(kAllowUnsandboxedVariable);
    EXPECT_FALSE(frmMain.SandboxBar().get_visible()) << "the user opted out of the notice";
}

TEST_F(ProgramFixture, LoadPagesWhenShownIsStoredAndUnloadedPagesAreSavedWhereTheyAre)
{
    Start();
    pages::PageList& list = program_->frmMain.Pages().List();
    program_->frmMain.Menu().itmLoadPagesWhenShown.activate();
    EXPECT_EQ(StoredNumber("", "LoadPagesWhenShown"), 1) << "stored at once";
    list.OpenPage("http://127.0.0.1:9/b", "B");
    list.OpenPage("http://127.0.0.1:9/c", "C");
    list.PageInfo(2).SetRememberLastURL(true);
    list.SetCurrentPage(0);
    RunPendingEvents();
    ASSERT_TRUE(list.IsUnloaded(1));
    ASSERT_TRUE(list.IsUnloaded(2));
    program_->frmMain.Menu().itmQuit.activate();
    RunPendingEvents();
    EXPECT_EQ(StoredNumber("Profile1", "Sites"), 3);
    EXPECT_EQ(StoredText("Profile1", "URL2"), "http://127.0.0.1:9/c") << "an unloaded page is saved at its URL";
    EXPECT_EQ(StoredText("Profile1", "RemURL2"), "Y");
    Stop();

    Start();
    pages::PageList& again = program_->frmMain.Pages().List();
    EXPECT_TRUE(program_->frmMain.Menu().itmLoadPagesWhenShown.get_active());
    ASSERT_EQ(again.PageCount(), 3);
    RunPendingEvents();
    EXPECT_FALSE(again.IsUnloaded(0)) << "the page shown at start loads";
    EXPECT_TRUE(again.IsUnloaded(1));
    EXPECT_EQ(again.LocationURL(2), "http://127.0.0.1:9/c");
    EXPECT_FALSE(again.Busy(2));

    program_->frmMain.Menu().itmLoadPagesWhenShown.activate();
    EXPECT_EQ(StoredNumber("", "LoadPagesWhenShown"), 0);
}
