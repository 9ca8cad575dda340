// A new view's first load waits its turn to start the view's web process; while
// it waits the view already answers as a navigation under way, so a page set
// saved at that moment keeps where each page is going.
#include "BrowserEngineFixture.h"

TEST(WebKitFirstLoad, AQueuedFirstLoadReadsAsUnderWay)
{
    BrowserEngineFixture f(EngineKind::WebKit);
    f.Server().AddPage("/first", "<html><body>first</body></html>");
    const std::string url = f.Server().Url("/first");

    Navigate(f.Host(), url);
    // Nothing of the main loop has run yet.
    EXPECT_EQ(f.Host().LocationURL(), url);
    EXPECT_TRUE(f.Host().Busy());
    EXPECT_TRUE(f.WaitForDocumentComplete(url, 0));
    EXPECT_EQ(f.Host().LocationURL(), url);
    EXPECT_TRUE(f.Server().WasRequested("/first"));
}

TEST(WebKitFirstLoad, StopBeforeTheFirstLoadStartsMeansItNeverStarts)
{
    BrowserEngineFixture f(EngineKind::WebKit);
    f.Server().AddPage("/never", "<html><body>never</body></html>");
    Navigate(f.Host(), f.Server().Url("/never"));
    f.Host().Stop();
    EXPECT_FALSE(f.Host().Busy());
    EXPECT_EQ(f.CountEvents("DocumentComplete"), 0u);
    // The next load completing is the barrier: a first load left queued would
    // have been requested before it.
    f.Server().AddPage("/later", "<html><body>later</body></html>");
    ASSERT_TRUE(f.NavigateAndWait(f.Server().Url("/later")));
    EXPECT_FALSE(f.Server().WasRequested("/never"));
    EXPECT_EQ(f.CountEvents("DocumentComplete " + f.Server().Url("/never")), 0u);
}
