// The real program asked to end by the system (SIGTERM, as a session end
// sends it) while one of its modal dialogs is open: the dialog is answered,
// the window closes the ordinary way, the pages are stored and the exit
// status is 0.
#include "LocalHttpServer.h"
#include "ProgramProcess.h"
#include "ProgramStore.h"
#include "SettingsNames.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct OpenDialog {
    const char* name;
    std::function<bool(ProgramProcess&)> open;
    const char* title;
};

class ProgramSessionEnd : public testing::TestWithParam<OpenDialog> {};

} // namespace

TEST_P(ProgramSessionEnd, EndsAndStoresThePagesWithTheDialogOpen)
{
    ASSERT_TRUE(std::filesystem::exists(ProgramFile())) << ProgramFile();
    LocalHttpServer server;
    server.AddPage("/first", "<html><body>first</body></html>");
    server.AddPage("/second", "<html><body>second</body></html>");
    TempDir settings;
    SeedStore(settings.path(), server.Url("/first"));
    auto environment = On(settings);
    environment["PANDREL_ALLOW_UNSANDBOXED"] = "1";
    // The second page is opened in this run: only the close can store it.
    ProgramProcess running({server.Url("/second")}, environment);
    ASSERT_TRUE(WaitForRequest(server, "/first")) << running.Errors();
    ASSERT_TRUE(WaitForRequest(server, "/second")) << running.Errors();

    ASSERT_TRUE(GetParam().open(running)) << "xdotool is missing (scripts/install-deps.sh)";
    ASSERT_TRUE(running.WaitForWindow(GetParam().title)) << GetParam().title << " did not open";
    EXPECT_EQ(running.Terminate(), 0) << running.Errors();
    const std::vector<StoredPage> pages = StoredProfile1(settings.path());
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[1].firstUrl, server.Url("/second"));
}

INSTANTIATE_TEST_SUITE_P(
    EachKindOfDialog, ProgramSessionEnd,
    testing::Values(
        OpenDialog{"Prompt", [](ProgramProcess& p) { return p.PressKeys("ctrl+t"); }, "New URL"},
        OpenDialog{"PageProperties", [](ProgramProcess& p) { return p.PressKeys("alt+Return"); },
                   "Page Properties"},
        // A refused address is told in the error report's box.
        OpenDialog{"ErrorReport",
                   [](ProgramProcess& p) {
                       return p.PressKeys("ctrl+t") && p.WaitForWindow("New URL") &&
                              p.TypeKeys("j a v a s c r i p t colon x Return");
                   },
                   "Pandrel"},
        // A right click on profile button 1 opens its menu; C its caption dialog.
        OpenDialog{"ButtonSettings",
                   [](ProgramProcess& p) { return p.Click(20, 52, 3) && p.PressKeys("c"); },
                   "Profile Button Settings"}),
    [](const testing::TestParamInfo<OpenDialog>& info) { return info.param.name; });

TEST(ProgramSessionEndAtStart, EndsWithTheWelcomeDialogOpenAndStoresWhatTheStartOpened)
{
    ASSERT_TRUE(std::filesystem::exists(ProgramFile())) << ProgramFile();
    LocalHttpServer server;
    server.AddPage("/first", "<html><body>first</body></html>");
    TempDir settings;
    SeedStore(settings.path(), server.Url("/first"));
    WithStore(settings.path(), [](profiles::SettingsKey& key) { key.DeleteValue(profiles::kWelcomed); });
    ProgramProcess running({}, On(settings));
    ASSERT_TRUE(running.WaitForWindow("Welcome")) << running.Errors();
    EXPECT_EQ(running.Terminate(), 0) << running.Errors();
    const std::vector<StoredPage> pages = StoredProfile1(settings.path());
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].firstUrl, server.Url("/first"));
}
