// What web content must not slip past on the real engine: a navigation the
// host refused, links to other programs, and a host that closes its page from
// inside the page's own events.
#include "BrowserEngineFixture.h"

#include "ShellOpen.h"

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
    std::vector<std::string> opened;
    ShellOpener previous = SetShellOpener([&](const std::string& target) {
        opened.push_back(target);
        return true;
    });
    std::vector<std::string> errors;
    f.Host().OnNavigateError = [&](TBrowserControl*, const DispatchPtr&, Variant& URL, Variant&, Variant&,
                                   WordBool&) { errors.push_back(URL.AsText()); };
    f.Server().AddPage("/mail.html", "<html><head><title>mail</title></head><body>"
                                     "<a id='m' href='mailto:someone@example.com'>write</a>"
                                     "<script>document.getElementById('m').click();</script></body></html>");
    const std::string page = f.Server().Url("/mail.html");
    ASSERT_TRUE(f.NavigateAndWait(page));
    const bool handedOver = f.WaitFor([&] { return !opened.empty() || !errors.empty(); }, 15);
    SetShellOpener(std::move(previous));

    ASSERT_TRUE(handedOver) << "the link went nowhere";
    EXPECT_EQ(opened, std::vector<std::string>{"mailto:someone@example.com"});
    EXPECT_TRUE(errors.empty()) << "the view tried to show " << errors.front();
    EXPECT_EQ(f.Host().LocationURL(), page);
}
