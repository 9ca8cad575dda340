// What web content must not slip past on the real engine: a refused
// certificate, a navigation the host refused and links to other programs.
#include "BrowserEngineFixture.h"

#include "LocalTlsServer.h"
#include "MainLoop.h"
#include "ScopedShellOpener.h"

#include <gtk/gtk.h>

#include <algorithm>

using namespace platform;

namespace {

// The page asks the server every few milliseconds whether to move on, so the
// test decides when the page's own script navigates.
constexpr const char* kPollingPage =
    "<html><head><title>start</title></head><body><script>"
    "setInterval(function () {"
    "  fetch('/trigger?' + Date.now(), {cache: 'no-store'}).then(function (r) { return r.text(); })"
    "    .then(function (t) { if (t === 'go') location.href = '/refused.html'; });"
    "}, 50);"
    "</script></body></html>";

class WebKitTrustTest : public testing::Test {
protected:
    BrowserEngineFixture f{EngineKind::WebKit};
};

bool Contains(const std::vector<std::string>& list, const std::string& item)
{
    return std::find(list.begin(), list.end(), item) != list.end();
}

} // namespace

TEST_F(WebKitTrustTest, ARefusedCertificateIsExplainedAndAcceptedOnlyWhenTheUserFollowsThePageLink)
{
    LocalTlsServer tls("<html><head><title>secret</title></head><body>secret</body></html>");
    std::vector<std::int32_t> errors;
    f.Host().OnNavigateError = [&](TBrowserControl*, const DispatchPtr&, Variant&, Variant&, Variant& StatusCode,
                                   WordBool&) { errors.push_back(StatusCode.AsInt32()); };
    Navigate(f.Host(), tls.Url("/"));
    ASSERT_TRUE(f.WaitFor([&] { return Contains(f.Titles(), "This connection is not secure"); }, 20))
        << "no certificate page; titles seen: " << testing::PrintToString(f.Titles());
    EXPECT_EQ(errors, std::vector<std::int32_t>{static_cast<std::int32_t>(0x800C0019)});
    EXPECT_EQ(tls.PagesServed(), 0) << "the certificate was accepted without the user";
    ASSERT_TRUE(f.WaitFor([&] { return !f.Host().Busy(); }));
    EXPECT_EQ(f.CountEvents("DocumentComplete " + tls.Url("/")), 0u) << "the certificate page posed as the site";

    // A script's click on the link is not the user's.
    Navigate(f.Host(), "javascript:document.getElementById('accept').click()");
    f.Server().AddPage("/later.html", "<title>later</title>");
    ASSERT_TRUE(f.CompleteInSecondView(f.Server().Url("/later.html")));
    EXPECT_EQ(tls.PagesServed(), 0) << "a script's click accepted the certificate";

    // Tab to the page's one link and follow it with Enter, as the user does.
    GtkWidget* view = FindEngineView(GTK_WIDGET(f.Host().gobj()));
    ASSERT_NE(view, nullptr);
    GtkWindow* window = GTK_WINDOW(gtk_widget_get_toplevel(view));
    gtk_window_present(window);
    ASSERT_TRUE(f.WaitFor([&] { return gtk_window_is_active(window) != FALSE; }, 10)) << "the window never got focus";
    gtk_widget_grab_focus(view);
    ASSERT_TRUE(f.WaitFor([&] { return gtk_widget_has_focus(view) != FALSE; }, 10))
        << "the view never got the keyboard focus";
    ASSERT_EQ(std::system("xdotool key --delay 100 Tab Return"), 0) << "xdotool is missing (scripts/install-deps.sh)";
    ASSERT_TRUE(f.WaitFor([&] { return Contains(f.Titles(), "secret"); }, 20)) << "accepting did not show the site";
    EXPECT_EQ(tls.PagesServed(), 1);
}

TEST_F(WebKitTrustTest, ARefusedNavigationStaysRefusedAfterANavigate2ThatNeverLoads)
{
    f.Server().AddPage("/start.html", kPollingPage);
    f.Server().AddPage("/trigger", "wait", "text/plain");
    f.Server().AddPage("/refused.html", "<title>refused</title>");
    const std::string start = f.Server().Url("/start.html");
    const std::string refused = f.Server().Url("/refused.html");
    ASSERT_TRUE(f.NavigateAndWait(start));

    std::vector<std::string> asked;
    f.Host().OnBeforeNavigate2 = [&](TBrowserControl*, const DispatchPtr&, Variant& URL, Variant&, Variant&, Variant&,
                                     Variant&, WordBool& Cancel) {
        asked.push_back(URL.AsText());
        if (URL.AsText() == refused)
            Cancel = true;
    };
    // The host lets this one go, but the view never loads it.
    Navigate(f.Host(), "javascript://%0A1");
    ASSERT_TRUE(Contains(asked, "javascript://%0A1"));
    f.Server().AddPage("/trigger", "go", "text/plain");

    ASSERT_TRUE(f.WaitFor([&] { return Contains(asked, refused) || f.Server().WasRequested("/refused.html"); }, 20))
        << "the page's script never navigated";
    EXPECT_TRUE(Contains(asked, refused)) << "the page's own navigation skipped BeforeNavigate2";
    EXPECT_FALSE(f.Server().WasRequested("/refused.html")) << "a navigation the host refused was loaded";
}

// A page that starts other programs by script: five clicks on a mailto: link
// as it loads, five on a tel: link from a frame of another origin, and, when
// the user clicks, four more from a timer the click started.
TEST_F(WebKitTrustTest, APageStartsAnotherProgramOnlyOncePerUserClickAndSaysWhenItTriedByItself)
{
    ScopedShellOpener shell;
    LocalHttpServer other;
    other.AddPage("/frame.html", "<a id='t' href='tel:+100'>call</a><script>"
                                 "for (var i = 0; i < 5; ++i) document.getElementById('t').click();"
                                 "parent.postMessage('tried', '*');</script>");
    f.Server().AddPage("/programs.html",
                       "<html><head><title>loading</title></head><body style='margin:0'>"
                       "<a id='m' href='mailto:someone@example.com' style='display:block;height:200px'>write</a>"
                       "<a id='n' href='mailto:more@example.com'>more</a><iframe src='" + other.Url("/frame.html") +
                           "'></iframe><script>"
                           "var m = document.getElementById('m'), n = document.getElementById('n');"
                           "for (var i = 0; i < 5; ++i) m.click();"
                           "window.onmessage = function () { document.title = 'tried'; };"
                           "m.onclick = function () { setTimeout(function () {"
                           "  for (var i = 0; i < 4; ++i) n.click(); document.title = 'clicked'; }, 0); };"
                           "</script></body></html>");
    const std::string page = f.Server().Url("/programs.html");
    ASSERT_TRUE(f.NavigateAndWait(page));
    ASSERT_TRUE(f.WaitFor([&] { return f.Title() == "tried"; }, 20)) << "the page's scripts did not run";
    RunPendingEvents();
    EXPECT_EQ(shell.opened, std::vector<std::string>{}) << "a page's script started another program";
    EXPECT_NE(ShownBar(f.Host(), "This page tried to open another program"), nullptr) << "the user was not told";

    GtkWidget* view = FindEngineView(GTK_WIDGET(f.Host().gobj()));
    GtkWindow* window = GTK_WINDOW(gtk_widget_get_toplevel(view));
    gtk_window_present(window);
    ASSERT_TRUE(f.WaitFor([&] { return gtk_window_is_active(window) != FALSE; }, 10)) << "the window never got focus";
    ASSERT_TRUE(ClickAt(view, 40, 40)) << "xdotool is missing (scripts/install-deps.sh)";
    ASSERT_TRUE(f.WaitFor([&] { return f.Title() == "clicked"; }, 20)) << "the click did not reach the page";
    RunPendingEvents();
    EXPECT_EQ(shell.opened, std::vector<std::string>{"mailto:someone@example.com"}) << "one click, one program";
    EXPECT_EQ(f.Host().LocationURL(), page);
}
