// The real program with a window that a page opened: "Open as Page" makes it
// a page of the current profile, captioned as "&New Page" captions one.
#include "LocalHttpServer.h"
#include "PageCaptions.h"
#include "ProgramProcess.h"
#include "ProgramStore.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

using namespace std::chrono_literals;

TEST(ProgramPopup, OpenAsPageMakesTheWindowAPageOfTheCurrentProfileAndClosesIt)
{
    ASSERT_TRUE(std::filesystem::exists(ProgramFile())) << ProgramFile();
    LocalHttpServer server;
    // Every click anywhere on the page opens the same named window, so clicks
    // until one lands never open two.
    server.AddPage("/opener", "<html><body style='margin:0'><div style='height:100vh' "
                              "onclick=\"window.open('/opened', 'one', 'width=400,height=300')\">open</div>"
                              "</body></html>");
    server.AddPage("/opened", "<html><head><title>opened</title></head><body>opened</body></html>");
    TempDir settings;
    SeedStore(settings.path(), server.Url("/opener"));
    auto environment = On(settings);
    environment["PANDREL_ALLOW_UNSANDBOXED"] = "1";
    ProgramProcess running({}, environment);
    ASSERT_TRUE(WaitForRequest(server, "/opener")) << running.Errors();

    // The page fills the maximised main window: click its middle until the
    // window opens (the first clicks may come before the page is drawn).
    const std::string click = "xdotool search --sync --onlyvisible --pid " + std::to_string(running.Pid()) +
                              " --name 'Pandrel' windowactivate --sync mousemove --window %1 400 400 click 1";
    bool opened = false;
    for (int tries = 0; tries < 40 && !opened; ++tries) {
        ASSERT_EQ(std::system(click.c_str()), 0) << "xdotool is missing (scripts/install-deps.sh)";
        opened = WaitForRequest(server, "/opened", 500ms);
    }
    ASSERT_TRUE(opened) << "no click opened the window";
    server.ClearLog();

    // A click on "Open as Page", at the right end of the window's address bar.
    ASSERT_EQ(std::system("xdotool search --sync --onlyvisible --name '^opened$' windowactivate --sync "
                          "mousemove --window %1 340 17 click 1"),
              0);
    ASSERT_TRUE(WaitForRequest(server, "/opened")) << "the page did not open in the main window";

    EXPECT_NE(std::system("xdotool search --onlyvisible --name '^opened$' >/dev/null"), 0)
        << "the window stayed open";
    ASSERT_EQ(running.Terminate(), 0) << running.Errors();
    const std::vector<StoredPage> pages = StoredProfile1(settings.path());
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[1].firstUrl, server.Url("/opened"));
    EXPECT_EQ(pages[1].label, pages::CaptionFromURL(server.Url("/opened")));
}
