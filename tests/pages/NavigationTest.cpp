// Navigation commands, Enter in the URL box, the busy animation and the URL
// box through the browsers' event orders, and user versus program tab changes.
#include "BrowserDispIds.h"
#include "BrowserPropertyBag.h"
#include "ModalAnswer.h"
#include "PagesFixture.h"

using Strings = std::vector<std::string>;

using NavigationTest = PagesFixture;

TEST_F(NavigationTest, CommandsWithNoPageDoNothingAndReportNothing)
{
    Nav().btnHomeClick();
    Nav().btnBackClick();
    Nav().itmBackClick();
    Nav().btnForwardClick();
    Nav().itmForwardClick();
    Nav().btnRefreshClick();
    Nav().btnStop1Click();
    Nav().btnStopAllClick();
    Nav().UpdateURLBox(nullptr);
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(List().PageCount(), 0);
    EXPECT_FALSE(anmState.Active());
}

TEST_F(NavigationTest, HomeBackForwardRefreshAndStopsReachTheRightBrowsers)
{
    List().OpenPage("http://home.example/", "H");
    Scripted(0).SetCompleteNavigationsAutomatically(true);
    Complete(0);
    List().OpenPage("http://other.example/", "O");
    List().SetCurrentPage(0);

    // A followed link (a navigation the page makes itself) keeps home.
    platform::Variant link("http://home.example/link"), none1, none2, none3, none4;
    List().Browser(0).Navigate2(link, none1, none2, none3, none4);
    EXPECT_EQ(List().PageInfo(0).FirstURL(), "http://home.example/");
    Nav().btnHomeClick();
    EXPECT_EQ(List().LocationURL(0), "http://home.example/");
    EXPECT_EQ(Scripted(0).History(), (Strings{"http://home.example/", "http://home.example/link",
                                              "http://home.example/"}));

    Nav().btnBackClick();
    EXPECT_EQ(List().LocationURL(0), "http://home.example/link");
    Nav().itmBackClick();
    Nav().itmBackClick(); // no earlier entry: swallowed
    EXPECT_EQ(List().LocationURL(0), "http://home.example/");
    Nav().btnForwardClick();
    Nav().itmForwardClick();
    Nav().itmForwardClick(); // no later entry: swallowed
    EXPECT_EQ(List().LocationURL(0), "http://home.example/");
    EXPECT_EQ(Scripted(0).HistoryIndex(), 2);
    Scripted(0).FailNextCall(platform::E_FAIL);
    Nav().btnBackClick();
    EXPECT_TRUE(reports.empty()) << "Back and Forward show no message";

    const std::size_t before = Scripted(0).Calls().size();
    Nav().btnRefreshClick();
    Nav().btnStop1Click();
    const Strings calls(Scripted(0).Calls().begin() + static_cast<std::ptrdiff_t>(before), Scripted(0).Calls().end());
    EXPECT_NE(std::find(calls.begin(), calls.end(), "Refresh"), calls.end());
    EXPECT_NE(std::find(calls.begin(), calls.end(), "Stop"), calls.end());
    EXPECT_TRUE(Scripted(1).PendingURL()) << "Stop current leaves the other page loading";

    Nav().btnStopAllClick();
    EXPECT_FALSE(Scripted(1).PendingURL());
    EXPECT_TRUE(reports.empty());
}

TEST_F(NavigationTest, ControlErrorsGoToTheReportAndStopAllStopsThere)
{
    List().OpenPage("http://a.example/", "A");
    List().OpenPage("http://b.example/", "B");
    Scripted(0).FailNextCall(platform::E_FAIL);
    Nav().btnStopAllClick();
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_TRUE(Scripted(1).PendingURL()) << "the pages after the failing one stay unstopped";

    Scripted(1).FailNextCall(platform::E_FAIL);
    Nav().btnRefreshClick();
    Scripted(1).FailNextCall(platform::E_FAIL);
    Nav().btnHomeClick();
    EXPECT_EQ(reports.size(), 3u);
}

TEST_F(NavigationTest, EnterWithoutPageOpensOneCaptionedFromTheUrl)
{
    PressEnter("intranet", GDK_SHIFT_MASK);
    ASSERT_EQ(List().PageCount(), 1);
    EXPECT_EQ(List().Caption(0), "1") << "numbered as \"&New Page\" numbers it";
    EXPECT_EQ(history, (Strings{"intranet"}));

    List().ClosePage(0);
    PressEnter("http://www.bbb.ccc/", GDK_CONTROL_MASK);
    EXPECT_EQ(Captions(), (Strings{"Bbb"}));
    EXPECT_EQ(Scripted(0).PendingURL(), "http://www.bbb.ccc/");
    EXPECT_TRUE(anmState.Active()) << "the first page is current at once, so its navigation starts the animation";
}

TEST_F(NavigationTest, EnterOnAPageMakesTheTextItsHomeAndIsNotConsumed)
{
    List().OpenPage("http://a.example/", "A");
    bool activated = false;
    cboURL.get_entry()->signal_activate().connect([&activated] { activated = true; });
    PressEnter(" http://b.example/");
    EXPECT_TRUE(activated) << "the key goes on to the box";
    EXPECT_EQ(List().PageInfo(0).FirstURL(), " http://b.example/");
    EXPECT_EQ(List().Caption(0), "A");
    EXPECT_EQ(history, (Strings{" http://b.example/"}));

    // A rejected navigation: report, home unchanged, nothing recorded.
    Scripted(0).FailNextCall(platform::E_FAIL);
    PressEnter("http://c.example/");
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_EQ(List().PageInfo(0).FirstURL(), " http://b.example/");
    EXPECT_EQ(history.size(), 1u);

    // Other keys do nothing.
    guint key = GDK_KEY_a;
    Nav().cboURLKeyDown(key, GdkModifierType(0));
    EXPECT_EQ(List().PageCount(), 1);
    EXPECT_EQ(history.size(), 1u);
}

TEST_F(NavigationTest, AnimationFollowsOnlyTheCurrentPage)
{
    List().OpenPage("http://a.example/", "A");
    EXPECT_TRUE(anmState.Active());
    Complete(0);
    EXPECT_FALSE(anmState.Active());
    EXPECT_EQ(BoxText(), "http://a.example/");

    // A page opened while another is current: its first navigation starts
    // before it becomes current and so does not start the animation; the box
    // shows where the new page goes.
    List().OpenPage("http://b.example/", "B");
    EXPECT_FALSE(anmState.Active());
    EXPECT_EQ(BoxText(), "http://b.example/");
    Complete(1);
    EXPECT_FALSE(anmState.Active());
    EXPECT_EQ(BoxText(), "http://b.example/");

    // A navigation in a window the current page opened is not the page loading.
    Scripted(1).RaiseEvent(platform::DISPID_BEFORENAVIGATE2,
                           {platform::DispatchPtr(std::make_shared<platform::BrowserPropertyBag>()),
                            Variant("http://w.example/"), Variant(), Variant(), Variant(), Variant(), WordBool(false)});
    EXPECT_FALSE(anmState.Active());

    // The current page loads; a background page finishing does not stop the
    // animation but refreshes the box from the current page's document.
    List().NavigatePage(0, "http://a2.example/");
    List().NavigatePage(1, "http://b2.example/");
    EXPECT_TRUE(anmState.Active());
    cboURL.get_entry()->set_text("typing");
    Complete(0);
    EXPECT_TRUE(anmState.Active());
    EXPECT_EQ(BoxText(), "http://b.example/");

    // Stop leaves the animation running until a document completes.
    Nav().btnStop1Click();
    EXPECT_TRUE(anmState.Active());
    Nav().btnStopAllClick();
    EXPECT_TRUE(anmState.Active());
}

TEST_F(NavigationTest, UserTabChangesFollowBusyAndWrapProgramChangesDoNot)
{
    List().OpenPage("http://a.example/", "A");
    Complete(0);
    List().OpenPage("http://b.example/", "B"); // still loading
    List().OpenPage("http://c.example/", "C");
    Complete(2);
    ASSERT_EQ(List().CurrentIndex(), 2);
    ASSERT_FALSE(anmState.Active());

    List().Browser(2).grab_focus();
    SendKey(List().Browser(2), GDK_KEY_Tab, GDK_CONTROL_MASK); // wraps to the first
    EXPECT_EQ(List().CurrentIndex(), 0);
    EXPECT_FALSE(anmState.Active());
    EXPECT_EQ(BoxText(), "http://a.example/");

    SendKey(List().Browser(0), GDK_KEY_Tab, GDK_CONTROL_MASK);
    EXPECT_EQ(List().CurrentIndex(), 1);
    EXPECT_TRUE(anmState.Active()) << "the chosen page is still loading";
    EXPECT_EQ(BoxText(), "http://b.example/") << "a page with no document shows its own address";

    SendKey(List().Browser(1), GDK_KEY_ISO_Left_Tab, GdkModifierType(GDK_CONTROL_MASK | GDK_SHIFT_MASK));
    SendKey(List().Browser(0), GDK_KEY_ISO_Left_Tab, GdkModifierType(GDK_CONTROL_MASK | GDK_SHIFT_MASK));
    EXPECT_EQ(List().CurrentIndex(), 2) << "backwards wraps to the last";
    EXPECT_FALSE(anmState.Active());
    EXPECT_EQ(BoxText(), "http://c.example/");

    // A click on a tab is a user change as well (the notebook switches itself).
    pgcMain.set_current_page(1);
    EXPECT_TRUE(anmState.Active());

    // The program's own changes run no reaction.
    List().SetCurrentPage(0);
    EXPECT_TRUE(anmState.Active());
    List().SetCurrentPage(2);
    EXPECT_TRUE(anmState.Active());
    EXPECT_EQ(BoxText(), "http://c.example/");
    EXPECT_TRUE(reports.empty());
}

TEST_F(NavigationTest, UrlBoxUpdateWritesWithoutCompletionAndSwallowsErrors)
{
    cboURL.append("http://a.example/longer");
    List().OpenPage("http://a.example/", "A");
    Complete(0);
    EXPECT_EQ(BoxText(), "http://a.example/") << "written as is, not completed from the list";
    EXPECT_TRUE(pages->Completion().Enabled());

    cboURL.get_entry()->set_text("kept");
    Scripted(0).FailNextCall(platform::E_FAIL);
    Nav().UpdateURLBox(&List().Browser(0));
    EXPECT_EQ(BoxText(), "kept");
    EXPECT_TRUE(reports.empty());
    EXPECT_TRUE(pages->Completion().Enabled()) << "completion is on again after a failure";
}

TEST_F(NavigationTest, BeforeNavigateOfAnUnknownSenderChangesNothing)
{
    List().OpenPage("http://a.example/", "A");
    Complete(0);
    Nav().BrowserBeforeNavigate2(nullptr);
    Nav().BrowserDocumentComplete(nullptr);
    EXPECT_FALSE(anmState.Active());
    EXPECT_EQ(BoxText(), "http://a.example/");
}

TEST_F(NavigationTest, OnlyTheTopFramesCommitAndFailureReachTheBox)
{
    using platform::Variant;
    List().OpenPage("http://a.example/", "A");
    Complete(0);
    const platform::DispatchPtr top = List().Browser(0).Application();
    const platform::DispatchPtr frame = std::make_shared<platform::BrowserPropertyBag>();
    const auto failure = [](const platform::DispatchPtr& where, const std::string& url) {
        return std::vector<Variant>{where, Variant(url), Variant(""), Variant(std::int32_t{404}),
                                    platform::WordBool(false)};
    };
    anmState.SetActive(true);
    Scripted(0).RaiseEvent(platform::DISPID_NAVIGATEERROR, failure(frame, "http://ads.example/"));
    Scripted(0).RaiseEvent(platform::DISPID_NAVIGATECOMPLETE2, {frame, Variant("http://ads.example/")});
    EXPECT_EQ(BoxText(), "http://a.example/") << "a frame's address went into the box";
    EXPECT_TRUE(anmState.Active());
    Scripted(0).RaiseEvent(platform::DISPID_NAVIGATEERROR, failure(top, "http://a.example/gone"));
    EXPECT_EQ(BoxText(), "http://a.example/gone");
    EXPECT_FALSE(anmState.Active());
}
