// Opening, sending and closing pages: the three sequences, the current page
// after each kind of close, and navigations the control rejects.
#include "BrowserControlFactory.h"
#include "BrowserInterfaceIds.h"
#include "MainLoop.h"
#include "ModalAnswer.h"
#include "PagesFixture.h"

using Strings = std::vector<std::string>;

namespace {

// A control that rejects every navigation.
class RejectingControl : public platform::ScriptedBrowserControl {
public:
    platform::HRESULT Navigate2(platform::Variant*, platform::Variant*, platform::Variant*, platform::Variant*,
                                platform::Variant*) override
    {
        return platform::E_FAIL;
    }
};

} // namespace

using PageListTest = PagesFixture;

TEST_F(PageListTest, OpenPageAppendsToAllThreeSequencesAndNavigates)
{
    EXPECT_EQ(List().CurrentIndex(), -1);
    List().OpenPage("http://a.example/", "A");
    EXPECT_EQ(List().CurrentIndex(), 0);
    List().OpenPage("http://b.example/", "B");
    EXPECT_EQ(List().PageCount(), 2);
    EXPECT_EQ(pgcMain.get_n_pages(), 2);
    EXPECT_EQ(List().CurrentIndex(), 1) << "the new page becomes current";
    EXPECT_EQ(Captions(), (Strings{"A", "B"}));
    EXPECT_EQ(List().PageInfo(1).FirstURL(), "http://b.example/");
    EXPECT_FALSE(List().PageInfo(1).RememberLastURL());
    EXPECT_EQ(Scripted(1).PendingURL(), "http://b.example/");
    EXPECT_TRUE(List().Browser(1).Visible());
    EXPECT_EQ(pgcMain.get_nth_page(1), List().Browser(1).get_parent()) << "browser i lives on sheet i";

    Complete(1);
    EXPECT_EQ(List().LocationURL(1), "http://b.example/");
    List().NavigatePage(0, "http://c.example/");
    EXPECT_EQ(List().PageInfo(0).FirstURL(), "http://c.example/");
    EXPECT_EQ(List().Caption(0), "A") << "sending a page elsewhere keeps its caption";
    EXPECT_TRUE(history.empty());
}

TEST_F(PageListTest, CaptionsThatAreNotUtf8AreShownValidAndKeptAsGiven)
{
    const std::string overlong = "Caf\xc0\xa9 \xf4\x90\x80\x80";
    List().OpenPage("http://a.example/", overlong);
#define R "\xef\xbf\xbd"
    EXPECT_EQ(pgcMain.get_tab_label_text(*pgcMain.get_nth_page(0)), "Caf" R R " " R R R R);
    EXPECT_EQ(List().Caption(0), overlong) << "the caption saved is the one given";
    List().SetPageLabel("\xed\xbf\xbf");
    EXPECT_EQ(pgcMain.get_tab_label_text(*pgcMain.get_nth_page(0)), R R R);
#undef R
    EXPECT_EQ(List().Caption(0), "\xed\xbf\xbf");
}

TEST_F(PageListTest, ClosingChoosesTheFollowingPageOrTheFirst)
{
    for (const char* name : {"0", "1", "2"})
        List().OpenPage(std::string("http://") + name + ".example/", name);
    ASSERT_EQ(List().CurrentIndex(), 2);

    List().ClosePage(2); // the rightmost
    EXPECT_EQ(Captions(), (Strings{"0", "1"}));
    EXPECT_EQ(List().CurrentIndex(), 0);

    List().OpenPage("http://3.example/", "3");
    List().SetCurrentPage(2);
    List().ClosePage(1); // the middle one, not current
    EXPECT_EQ(Captions(), (Strings{"0", "3"}));
    EXPECT_EQ(List().CurrentIndex(), 1) << "the page that followed the closed one";
    EXPECT_EQ(List().PageInfo(1).FirstURL(), "http://3.example/");

    List().ClosePage(-1);
    List().ClosePage(2);
    EXPECT_EQ(List().PageCount(), 2) << "out-of-range indices do nothing";

    List().ClosePage(0);
    EXPECT_EQ(Captions(), (Strings{"3"}));
    EXPECT_EQ(List().CurrentIndex(), 0);
    List().ClosePage(0);
    EXPECT_EQ(List().PageCount(), 0);
    EXPECT_EQ(List().CurrentIndex(), -1);
    EXPECT_EQ(List().CurrentBrowser(), nullptr);
    EXPECT_EQ(platform::ScriptedBrowserControl::LiveInstances().size(), 0u) << "closed browsers are destroyed";
}

TEST_F(PageListTest, CloseAllPagesEmptiesTheStripAndShowsItAgain)
{
    for (const char* name : {"a", "b", "c"})
        List().OpenPage(std::string("http://") + name + ".example/", name);
    List().CloseAllPages();
    EXPECT_EQ(List().PageCount(), 0);
    EXPECT_EQ(pgcMain.get_n_pages(), 0);
    EXPECT_TRUE(pgcMain.get_visible());
    List().CloseAllPages();
    EXPECT_EQ(List().PageCount(), 0);
}

TEST_F(PageListTest, ProgramPageChangesLeaveTheAnimationAloneAndTheBoxShowsTheCurrentPage)
{
    List().OpenPage("http://a.example/", "A");
    Complete(0);
    List().OpenPage("http://b.example/", "B"); // B loading, current
    anmState.SetActive(false);
    cboURL.get_entry()->set_text("typed");

    List().SetCurrentPage(0);
    List().SetCurrentPage(1);
    List().ClosePage(0);
    EXPECT_FALSE(anmState.Active()) << "B is busy, but no tab-change reaction ran";
    EXPECT_EQ(BoxText(), "http://b.example/");
}

TEST_F(PageListTest, RejectedNavigationKeepsFirstUrlAndLeavesNewPageNotCurrent)
{
    List().OpenPage("http://a.example/", "A");
    Scripted(0).FailNextCall(platform::E_FAIL);
    EXPECT_ANY_THROW(List().NavigatePage(0, "http://b.example/"));
    EXPECT_EQ(List().PageInfo(0).FirstURL(), "http://a.example/");

    platform::RegisterControlClass(platform::CLSID_WebBrowser,
                                   [](const platform::SiteData&) { return std::make_shared<RejectingControl>(); });
    EXPECT_ANY_THROW(List().OpenPage("http://c.example/", "C"));
    platform::RegisterScriptedEngine();
    ASSERT_EQ(List().PageCount(), 2) << "the tab and browser stay open";
    EXPECT_EQ(pgcMain.get_n_pages(), 2);
    EXPECT_EQ(List().CurrentIndex(), 0) << "but the page does not become current";
    EXPECT_EQ(List().Caption(1), "C");
}

TEST_F(PageListTest, NewPageWithRejectedNavigationRecordsNoHistory)
{
    platform::RegisterControlClass(platform::CLSID_WebBrowser,
                                   [](const platform::SiteData&) { return std::make_shared<RejectingControl>(); });
    ModalAnswer answer("New URL", [](Gtk::Window& prompt) {
        SetPromptText(prompt, "www.bbb.ccc");
        ActivatePromptField(prompt);
    });
    Commands().itmNewPageClick();
    platform::RegisterScriptedEngine();
    EXPECT_TRUE(answer.Answered());
    EXPECT_EQ(List().PageCount(), 1);
    EXPECT_EQ(reports.size(), 1u) << "the failure goes to the default report";
    EXPECT_TRUE(history.empty());
}

TEST_F(PageListTest, UnknownControlClassOpensNoHalfPage)
{
    platform::UnregisterControlClass(platform::CLSID_WebBrowser);
    EXPECT_ANY_THROW(List().OpenPage("http://a.example/", "A"));
    platform::RegisterScriptedEngine();
    EXPECT_EQ(List().PageCount(), 0);
    EXPECT_EQ(pgcMain.get_n_pages(), 0) << "tabs and browsers stay in step";
}

TEST_F(PageListTest, ATabTakenAwayBehindTheListsBackStopsTheProgram)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    List().OpenPage("http://a.example/", "A");
    List().OpenPage("http://b.example/", "B");
    EXPECT_DEATH(
        {
            pgcMain.remove_page(0);
            List().Browser(1);
        },
        "invariant broken: every tab of pgcMain is a page");
    EXPECT_DEATH(
        {
            List().Browser(0).unparent();
            List().Browser(0);
        },
        "invariant broken: a page's browser lives on its tab while the tab exists");
}

TEST_F(PageListTest, PagesLoadedWhenShownStayAtTheirUrlAndNotBusyUntilFirstShown)
{
    List().SetLoadPagesWhenShown(true);
    List().OpenPage("http://a.example/", "A");
    List().OpenPage("http://b.example/", "B");
    List().OpenPage("http://c.example/", "C");
    List().SetCurrentPage(0);
    RunPendingEvents();
    EXPECT_EQ(Scripted(0).PendingURL(), "http://a.example/") << "the first page loads as it opens";
    for (int page : {1, 2}) {
        SCOPED_TRACE(page);
        EXPECT_FALSE(Scripted(page).PendingURL()) << "an unshown page starts nothing";
        EXPECT_TRUE(List().IsUnloaded(page));
        EXPECT_FALSE(List().Busy(page));
    }
    EXPECT_EQ(List().LocationURL(1), "http://b.example/");
    EXPECT_EQ(List().Caption(1), "B");
    Nav().btnStopAllClick();
    EXPECT_TRUE(List().IsUnloaded(1)) << "Stop All leaves an unloaded page at its URL";

    // The user shows B: it loads then, as it would have when it opened.
    pgcMain.set_current_page(1);
    EXPECT_EQ(Scripted(1).PendingURL(), "http://b.example/");
    EXPECT_TRUE(anmState.Active()) << "B is loading now";
    Complete(1);
    EXPECT_FALSE(List().IsUnloaded(1));
    EXPECT_EQ(List().LocationURL(1), "http://b.example/");

    // The program makes C current: it loads once the main loop is idle.
    List().SetCurrentPage(2);
    RunPendingEvents();
    EXPECT_EQ(Scripted(2).PendingURL(), "http://c.example/");
    EXPECT_EQ(List().PageInfo(2).FirstURL(), "http://c.example/");
    EXPECT_TRUE(reports.empty());
}

TEST_F(PageListTest, AWaitingPageKeepsTheHistoryItIsGivenAndGetsItWhenItsLoadStarts)
{
    List().OpenPage("http://a.example/one", "A");
    Complete(0);
    List().NavigatePage(0, "http://a.example/two");
    Complete(0);
    const platform::ByteArray history = List().SessionState(0);
    ASSERT_FALSE(history.empty());

    List().OpenPageInSet(List().ReadTyped("http://b.example/"), "B");
    List().SetCurrentPage(0); // its first load waits for page 0
    ASSERT_FALSE(Scripted(1).PendingURL());
    List().SetSessionState(1, history);
    EXPECT_EQ(List().SessionState(1), history) << "a save while it waits keeps its history";

    ASSERT_TRUE(RunUntil([&] { return Scripted(1).PendingURL().has_value(); }, std::chrono::seconds(5)));
    Complete(1);
    EXPECT_EQ(List().LocationURL(1), "http://b.example/");
    List().Browser(1).GoBack();
    Complete(1);
    EXPECT_EQ(List().LocationURL(1), "http://a.example/two") << "the engine got the history with the load";
}
