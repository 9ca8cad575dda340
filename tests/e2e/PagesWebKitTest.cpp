// The pages on the real WebKit engine against a local server: Enter, Home,
// links, Back and Forward, the busy animation with a background page, and
// what a closed page leaves behind.
#include "LocalHttpServer.h"
#include "WebKitPagesFixture.h"

namespace {

class PagesWebKitTest : public WebKitPagesFixture {
protected:
    LocalHttpServer server;
};

} // namespace

TEST_F(PagesWebKitTest, EnterSetsHomeLinksDoNotHomeReturnsBackAndForwardMove)
{
    // The start page follows its link once, as a user's click would.
    server.AddPage("/start.html", "<html><body><a id='l' href='/linked.html'>next</a><script>"
                                  "if (!sessionStorage.followed) { sessionStorage.followed = '1';"
                                  " setTimeout(function () { document.getElementById('l').click(); }, 50); }"
                                  "</script></body></html>");
    server.AddPage("/linked.html", "<html><body>linked</body></html>");
    server.AddPage("/other.html", "<html><body>other</body></html>");
    const std::string start = server.Url("/start.html");
    const std::string linked = server.Url("/linked.html");
    const std::string other = server.Url("/other.html");

    PressEnter(start);
    ASSERT_EQ(List().PageCount(), 1);
    EXPECT_EQ(List().Caption(0), "0") << "second dot-separated part of 127.0.0.1";
    EXPECT_TRUE(WaitForAnimation());
    ASSERT_TRUE(WaitForShown(linked)) << "the page followed its link";
    EXPECT_EQ(List().PageInfo(0).FirstURL(), start) << "a followed link does not change home";
    EXPECT_EQ(history, std::vector<std::string>{start});

    Nav().btnHomeClick();
    EXPECT_TRUE(WaitForAnimation());
    ASSERT_TRUE(WaitForShown(start));
    EXPECT_EQ(List().LocationURL(0), start);

    Nav().btnBackClick();
    ASSERT_TRUE(WaitForShown(linked));
    Nav().itmForwardClick();
    ASSERT_TRUE(WaitForShown(start));
    server.ClearLog();
    Nav().btnForwardClick(); // no later entry: nothing happens, nothing shown
    // A navigation it began would have been asked about and requested before
    // a second page's document completes.
    List().OpenPage(other, "barrier");
    ASSERT_TRUE(WaitForLoaded(1, other));
    EXPECT_EQ(server.RequestedPaths(), std::vector<std::string>{"/other.html"});
    EXPECT_FALSE(List().Busy(0));
    EXPECT_EQ(List().LocationURL(0), start);
    List().ClosePage(1);

    PressEnter(other);
    ASSERT_TRUE(WaitForShown(other));
    EXPECT_EQ(List().PageInfo(0).FirstURL(), other);
    Nav().btnBackClick();
    ASSERT_TRUE(WaitForShown(start));
    Nav().btnHomeClick();
    ASSERT_TRUE(WaitForShown(other)) << "Home leads to the URL last entered";
    EXPECT_EQ(List().PageCount(), 1);
}

TEST_F(PagesWebKitTest, BackgroundPageFinishingDoesNotStopTheAnimation)
{
    server.AddPage("/a.html", "<html><body>a</body></html>");
    server.AddPage("/b.html", "<html><body>b</body></html>");
    server.AddPage("/b2.html", "<html><body>b2</body></html>");
    server.AddPage("/slow.html", "<html><body>slow</body></html>", "text/html; charset=utf-8",
                   std::chrono::milliseconds(2500));
    const std::string a = server.Url("/a.html");

    List().OpenPage(a, "A");
    ASSERT_TRUE(WaitForShown(a));
    List().OpenPage(server.Url("/b.html"), "B");
    ASSERT_TRUE(WaitForLoaded(1, server.Url("/b.html")));
    List().SetCurrentPage(0);

    PressEnter(server.Url("/slow.html"));
    EXPECT_TRUE(WaitForAnimation());
    // Watch the background page's DocumentComplete after the pages have handled it.
    TBrowserHost& background = List().Browser(1);
    const TBrowserControlDocumentComplete handled = background.OnDocumentComplete;
    bool backgroundCompleted = false;
    background.OnDocumentComplete = [&](TBrowserControl* sender, const DispatchPtr& pDisp, Variant& URL) {
        handled(sender, pDisp, URL);
        if (URL.AsText() == server.Url("/b2.html"))
            backgroundCompleted = true;
    };
    List().NavigatePage(1, server.Url("/b2.html"));
    ASSERT_TRUE(WaitFor([&] { return backgroundCompleted; }));
    background.OnDocumentComplete = handled;
    EXPECT_TRUE(anmState.Active()) << "the background page finished, the current one is still loading";
    EXPECT_EQ(BoxText(), a) << "the box shows the current page's document";

    ASSERT_TRUE(WaitForShown(server.Url("/slow.html")));
    EXPECT_FALSE(anmState.Active());
}

TEST_F(PagesWebKitTest, APageLoadedWhenShownReadsAsItsUrlAndLoadsWhenTheUserShowsIt)
{
    server.AddPage("/a.html", "<html><body>a</body></html>");
    server.AddPage("/b.html", "<html><body>b</body></html>");
    const std::string a = server.Url("/a.html");
    const std::string b = server.Url("/b.html");
    List().SetLoadPagesWhenShown(true);
    List().OpenPage(a, "A");
    List().OpenPage(b, "B");
    List().SetCurrentPage(0);
    ASSERT_TRUE(WaitForShown(a));
    EXPECT_TRUE(List().IsUnloaded(1));
    EXPECT_EQ(List().LocationURL(1), b) << "an unloaded page is at its URL";
    EXPECT_FALSE(List().Busy(1)) << "and not busy";
    EXPECT_TRUE(List().Browser(1).LocationURL().empty()) << "its view went nowhere";
    Nav().btnStopAllClick();
    EXPECT_TRUE(List().IsUnloaded(1));

    pgcMain.set_current_page(1); // as a click on the tab does
    ASSERT_TRUE(WaitForShown(b));
    EXPECT_TRUE(server.WasRequested("/b.html"));
    EXPECT_FALSE(List().IsUnloaded(1));
}

TEST_F(PagesWebKitTest, NonAsciiAddressesAreRequestedEncodedOnceAndShownReadably)
{
    // The file "ä ö.html" as the server names it on the wire.
    const std::string wire = "/%C3%A4%20%C3%B6.html";
    server.AddPage(wire, "<html><body>umlauts</body></html>");
    const std::string typed = server.Url("/\xc3\xa4 \xc3\xb6.html");
    const std::string shown = server.Url("/\xc3\xa4%20\xc3\xb6.html");

    PressEnter(typed);
    ASSERT_TRUE(WaitForShown(shown)) << "requested: " << testing::PrintToString(server.RequestedPaths());
    EXPECT_TRUE(server.WasRequested(wire));
    EXPECT_EQ(history, std::vector<std::string>{typed}) << "the history keeps the typed text";

    // The box's own text entered again, and the same text from a stored page set.
    server.ClearLog();
    PressEnter(BoxText());
    List().OpenPage(typed, "stored");
    ASSERT_TRUE(WaitForLoaded(1, server.Url(wire)));
    ASSERT_TRUE(WaitForShown(shown));
    EXPECT_EQ(server.RequestedPaths(), (std::vector<std::string>{wire, wire}));
}

TEST_F(PagesWebKitTest, AClosedPageLeavesNoWidgetBehind)
{
    server.AddPage("/a.html", "<html><body>a</body></html>");
    server.AddPage("/b.html", "<html><body>b</body></html>");
    List().OpenPage(server.Url("/a.html"), "A");
    ASSERT_TRUE(WaitForShown(server.Url("/a.html")));
    List().OpenPage(server.Url("/b.html"), "B");
    ASSERT_TRUE(WaitForLoaded(1, server.Url("/b.html")));

    // Every widget of page A, the engine's own inner ones and the tab's included.
    Gtk::Widget& sheet = *pgcMain.get_nth_page(0);
    ASSERT_NE(FindEngineView(sheet.gobj()), nullptr);
    WidgetWatch watch;
    watch.Add(sheet.gobj());
    watch.Add(pgcMain.get_tab_label(sheet)->gobj());

    List().ClosePage(0);
    WaitFor([&] { return watch.Alive().empty(); });
    EXPECT_EQ(watch.Alive(), std::vector<std::string>{}) << "widgets of the closed page, of " << watch.Count();
}
