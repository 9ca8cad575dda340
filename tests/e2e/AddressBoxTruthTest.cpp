// Hostile pages against the URL box on the real engine: whatever is on screen,
// the box names where it came from.
#include "LocalHttpServer.h"
#include "WebKitPagesFixture.h"

#include <chrono>

namespace {

// A page that follows its one link to href by itself, shortly after it loads.
std::string FollowingLinkTo(const std::string& href)
{
    return "<html><body><a id='l' href='" + href + "'>next</a><script>"
           "setTimeout(function () { document.getElementById('l').click(); }, 50);</script></body></html>";
}

class AddressBoxTruthTest : public WebKitPagesFixture {
protected:
    LocalHttpServer server;
};

} // namespace

TEST_F(AddressBoxTruthTest, AnotherOriginsPageShowsItsAddressOnceCommittedNotWhenItsLastImageArrives)
{
    LocalHttpServer other; // another port: another origin
    other.AddPage("/never.png", "", "image/png", std::chrono::minutes(10));
    other.AddPage("/login.html", "<html><body><h1>Sign in to your bank</h1><img src='/never.png'></body></html>");
    server.AddPage("/bank.html", FollowingLinkTo(other.Url("/login.html")));

    PressEnter(server.Url("/bank.html"));
    ASSERT_TRUE(WaitFor([&] { return other.WasRequested("/never.png"); })) << "the bank's link was not followed";
    EXPECT_TRUE(WaitFor([&] { return BoxText() == other.Url("/login.html"); }, 10))
        << "the other site's page is on screen under " << BoxText();
    EXPECT_TRUE(anmState.Active()) << "its image is still loading";
}

TEST_F(AddressBoxTruthTest, APageWithoutADocumentShowsWhereItIsGoingNeverAnotherPagesAddress)
{
    server.AddPage("/a.html", "<html><body>a</body></html>");
    server.AddPage("/pending.html", "<html><body>late</body></html>", "text/html", std::chrono::minutes(10));
    const std::string a = server.Url("/a.html");
    const std::string pending = server.Url("/pending.html");
    List().OpenPage(a, "A");
    ASSERT_TRUE(WaitForShown(a));
    List().OpenPage(pending, "P");
    ASSERT_TRUE(WaitFor([&] { return server.WasRequested("/pending.html"); }));

    pgcMain.set_current_page(0); // as a click on the tab does
    ASSERT_EQ(BoxText(), a);
    pgcMain.set_current_page(1);
    EXPECT_EQ(BoxText(), pending) << "a tab with nothing committed kept another tab's address";
    pgcMain.set_current_page(0);
    List().ClosePage(0);
    EXPECT_EQ(BoxText(), pending) << "closing a page left its address over its neighbour";
}

TEST_F(AddressBoxTruthTest, AFailedLoadShowsWhereItFailedAndALookalikeHostInPunycode)
{
    // The page's link is sent on to аррӏе.com (all Cyrillic), on a port the
    // engine refuses before any name lookup: the load fails at once.
    const std::string lookalike = "http://xn--80ak6aa92e.com:25/";
    server.AddRedirect("/offer", lookalike);
    server.AddPage("/lure.html", FollowingLinkTo("/offer"));

    PressEnter(server.Url("/lure.html"));
    EXPECT_TRUE(WaitFor([&] { return BoxText() == lookalike && !anmState.Active(); }, 20))
        << "box: " << BoxText() << ", animation " << (anmState.Active() ? "active" : "inactive");
}
