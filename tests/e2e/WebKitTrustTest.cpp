// What web content must not slip past on the real engine: a refused
// certificate, a navigation the host refused and links to other programs.
#include "BrowserEngineFixture.h"

#include "LocalTlsServer.h"
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

TEST_F(WebKitTrustTest, ALinkToAnotherProgramGoesToTheDesktopAndThePageStays)
{
    ScopedShellOpener shell;
    std::vector<std::string> errors;
    f.Host().OnNavigateError = [&](TBrowserControl*, const DispatchPtr&, Variant& URL, Variant&, Variant&,
                                   WordBool&) { errors.push_back(URL.AsText()); };
    f.Server().AddPage("/mail.html", "<html><head><title>mail</title></head><body>"
                                     "<a id='m' href='mailto:someone@example.com'>write</a>"
                                     "<script>document.getElementById('m').click();</script></body></html>");
    const std::string page = f.Server().Url("/mail.html");
    ASSERT_TRUE(f.NavigateAndWait(page));
    ASSERT_TRUE(f.WaitFor([&] { return !shell.opened.empty() || !errors.empty(); }, 15)) << "the link went nowhere";
    EXPECT_EQ(shell.opened, std::vector<std::string>{"mailto:someone@example.com"});
    EXPECT_TRUE(errors.empty()) << "the view tried to show " << errors.front();
    EXPECT_EQ(f.Host().LocationURL(), page);
}
