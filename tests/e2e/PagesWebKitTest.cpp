// The pages on the real WebKit engine against a local server: Enter, Home,
// links, Back and Forward, and the busy animation with a background page.
#include "AnimationControl.h"
#include "ErrorReport.h"
#include "LocalHttpServer.h"
#include "MainLoop.h"
#include "Pages.h"
#include "TempDir.h"
#include "WebKitEngine.h"

#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>
#include <gtkmm.h>

#include <chrono>
#include <filesystem>

namespace {

const TempDir& EngineData()
{
    static TempDir folder;
    return folder;
}

class PagesWebKitTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(std::filesystem::exists("/.flatpak-info")) << "a sandboxed WebKit left /.flatpak-info on the root";
        setenv("PANDREL_CONFIG_DIR", EngineData().path().c_str(), 0);
        platform::RegisterWebKitEngine();
        previousSink_ = platform::SetErrorSink([this](const std::string& text) { reports.push_back(text); });
        layout.pack_start(cboURL, Gtk::PACK_SHRINK);
        layout.pack_start(anmState, Gtk::PACK_SHRINK);
        layout.pack_start(pgcMain, Gtk::PACK_EXPAND_WIDGET);
        window.add(layout);
        window.set_default_size(800, 600);
        window.show_all();
        pages = std::make_unique<pages::Pages>(pgcMain, cboURL, anmState,
                                               [this](const std::string& url) { history.push_back(url); });
    }
    void TearDown() override
    {
        pages.reset();
        // Closing the pages queues their last work on the main loop.
        RunPendingEvents();
        platform::SetErrorSink(previousSink_);
        EXPECT_TRUE(reports.empty()) << (reports.empty() ? "" : reports.front());
    }

    bool WaitFor(const std::function<bool()>& condition, int limitSeconds = 30)
    {
        return RunUntil(condition, std::chrono::seconds(limitSeconds));
    }
    void Enter(const std::string& text)
    {
        cboURL.get_entry()->set_text(text);
        guint key = GDK_KEY_Return;
        pages->Nav().cboURLKeyDown(key, GdkModifierType(0));
    }
    // The current page shows url: its document completed and the box says so.
    bool WaitForShown(const std::string& url)
    {
        if (WaitFor([&] { return cboURL.get_entry_text() == url && !anmState.Active(); }))
            return true;
        ADD_FAILURE() << "box shows " << cboURL.get_entry_text() << ", animation "
                      << (anmState.Active() ? "active" : "inactive") << ", location "
                      << pages->List().LocationURL(pages->List().CurrentIndex());
        return false;
    }
    // The engine may ask about a navigation after Navigate2 returns.
    bool WaitForAnimation() { return WaitFor([&] { return anmState.Active(); }, 10); }
    bool WaitForLoaded(int page, const std::string& url)
    {
        return WaitFor([&] {
            auto& browser = pages->List().Browser(page);
            return !browser.Busy() && browser.LocationURL() == url;
        });
    }

    LocalHttpServer server;
    Gtk::Window window;
    Gtk::Box layout{Gtk::ORIENTATION_VERTICAL};
    Gtk::ComboBoxText cboURL{true};
    platform::AnimationControl anmState{32, 29, 100};
    Gtk::Notebook pgcMain;
    std::unique_ptr<pages::Pages> pages;
    std::vector<std::string> history;
    std::vector<std::string> reports;

private:
    platform::ErrorSink previousSink_;
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

    Enter(start);
    ASSERT_EQ(pages->List().PageCount(), 1);
    EXPECT_EQ(pages->List().Caption(0), "0") << "second dot-separated part of 127.0.0.1";
    EXPECT_TRUE(WaitForAnimation());
    ASSERT_TRUE(WaitForShown(linked)) << "the page followed its link";
    EXPECT_EQ(pages->List().PageInfo(0).FirstURL(), start) << "a followed link does not change home";
    EXPECT_EQ(history, std::vector<std::string>{start});

    pages->Nav().btnHomeClick();
    EXPECT_TRUE(WaitForAnimation());
    ASSERT_TRUE(WaitForShown(start));
    EXPECT_EQ(pages->List().LocationURL(0), start);

    pages->Nav().btnBackClick();
    ASSERT_TRUE(WaitForShown(linked));
    pages->Nav().itmForwardClick();
    ASSERT_TRUE(WaitForShown(start));
    server.ClearLog();
    pages->Nav().btnForwardClick(); // no later entry: nothing happens, nothing shown
    // A navigation it began would have been asked about and requested before
    // a second page's document completes.
    pages->List().OpenPage(other, "barrier");
    ASSERT_TRUE(WaitForLoaded(1, other));
    EXPECT_EQ(server.RequestedPaths(), std::vector<std::string>{"/other.html"});
    EXPECT_FALSE(pages->List().Busy(0));
    EXPECT_EQ(pages->List().LocationURL(0), start);
    pages->List().ClosePage(1);

    Enter(other);
    ASSERT_TRUE(WaitForShown(other));
    EXPECT_EQ(pages->List().PageInfo(0).FirstURL(), other);
    pages->Nav().btnBackClick();
    ASSERT_TRUE(WaitForShown(start));
    pages->Nav().btnHomeClick();
    ASSERT_TRUE(WaitForShown(other)) << "Home leads to the URL last entered";
    EXPECT_EQ(pages->List().PageCount(), 1);
}

TEST_F(PagesWebKitTest, BackgroundPageFinishingDoesNotStopTheAnimation)
{
    server.AddPage("/a.html", "<html><body>a</body></html>");
    server.AddPage("/b.html", "<html><body>b</body></html>");
    server.AddPage("/b2.html", "<html><body>b2</body></html>");
    server.AddPage("/slow.html", "<html><body>slow</body></html>", "text/html; charset=utf-8",
                   std::chrono::milliseconds(2500));
    const std::string a = server.Url("/a.html");

    pages->List().OpenPage(a, "A");
    ASSERT_TRUE(WaitForShown(a));
    pages->List().OpenPage(server.Url("/b.html"), "B");
    ASSERT_TRUE(WaitForLoaded(1, server.Url("/b.html")));
    pages->List().SetCurrentPage(0);

    Enter(server.Url("/slow.html"));
    EXPECT_TRUE(WaitForAnimation());
    // Watch the background page's DocumentComplete after the pages have handled it.
    TBrowserHost& background = pages->List().Browser(1);
    const TBrowserControlDocumentComplete handled = background.OnDocumentComplete;
    bool backgroundCompleted = false;
    background.OnDocumentComplete = [&](TBrowserControl* sender, const DispatchPtr& pDisp, Variant& URL) {
        handled(sender, pDisp, URL);
        if (URL.AsText() == server.Url("/b2.html"))
            backgroundCompleted = true;
    };
    pages->List().NavigatePage(1, server.Url("/b2.html"));
    ASSERT_TRUE(WaitFor([&] { return backgroundCompleted; }));
    background.OnDocumentComplete = handled;
    EXPECT_TRUE(anmState.Active()) << "the background page finished, the current one is still loading";
    EXPECT_EQ(cboURL.get_entry_text(), a) << "the box shows the current page's document";

    ASSERT_TRUE(WaitForShown(server.Url("/slow.html")));
    EXPECT_FALSE(anmState.Active());
}

TEST_F(PagesWebKitTest, APageLoadedWhenShownReadsAsItsUrlAndLoadsWhenTheUserShowsIt)
{
    server.AddPage("/a.html", "<html><body>a</body></html>");
    server.AddPage("/b.html", "<html><body>b</body></html>");
    const std::string a = server.Url("/a.html");
    const std::string b = server.Url("/b.html");
    pages->List().SetLoadPagesWhenShown(true);
    pages->List().OpenPage(a, "A");
    pages->List().OpenPage(b, "B");
    pages->List().SetCurrentPage(0);
    ASSERT_TRUE(WaitForShown(a));
    EXPECT_TRUE(pages->List().IsUnloaded(1));
    EXPECT_EQ(pages->List().LocationURL(1), b) << "an unloaded page is at its URL";
    EXPECT_FALSE(pages->List().Busy(1)) << "and not busy";
    EXPECT_TRUE(pages->List().Browser(1).LocationURL().empty()) << "its view went nowhere";
    pages->Nav().btnStopAllClick();
    EXPECT_TRUE(pages->List().IsUnloaded(1));

    pgcMain.set_current_page(1); // as a click on the tab does
    ASSERT_TRUE(WaitForShown(b));
    EXPECT_TRUE(server.WasRequested("/b.html"));
    EXPECT_FALSE(pages->List().IsUnloaded(1));
}

TEST_F(PagesWebKitTest, NonAsciiAddressesAreRequestedEncodedOnceAndShownReadably)
{
    // The file "ä ö.html" as the server names it on the wire.
    const std::string wire = "/%C3%A4%20%C3%B6.html";
    server.AddPage(wire, "<html><body>umlauts</body></html>");
    const std::string typed = server.Url("/\xc3\xa4 \xc3\xb6.html");
    const std::string shown = server.Url("/\xc3\xa4%20\xc3\xb6.html");

    Enter(typed);
    ASSERT_TRUE(WaitForShown(shown)) << "requested: " << testing::PrintToString(server.RequestedPaths());
    EXPECT_TRUE(server.WasRequested(wire));
    EXPECT_EQ(history, std::vector<std::string>{typed}) << "the history keeps the typed text";

    // The box's own text entered again, and the same text from a stored page set.
    server.ClearLog();
    Enter(cboURL.get_entry_text());
    pages->List().OpenPage(typed, "stored");
    ASSERT_TRUE(WaitForLoaded(1, server.Url(wire)));
    ASSERT_TRUE(WaitForShown(shown));
    EXPECT_EQ(server.RequestedPaths(), (std::vector<std::string>{wire, wire}));
}
