// The real program meeting damaged values in its store: it reports them, and
// what it could not read it never writes back, so nothing the user kept is lost.
#include "LocalHttpServer.h"
#include "ProgramProcess.h"
#include "ProgramStore.h"
#include "SettingsNames.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using namespace profiles;

namespace {
// The error report's box carries the program's name.
constexpr const char* kReportTitle = "Pandrel";
} // namespace

TEST(ProgramDamagedStore, AStartEndedByADamagedProfileWritesBackNothingItDidNotRead)
{
    ASSERT_TRUE(std::filesystem::exists(ProgramFile())) << ProgramFile();
    TempDir settings;
    SeedStore(settings.path(), "http://127.0.0.1:9/");
    WithStore(settings.path(), [](SettingsKey& key) {
        key.WriteString(Numbered(kProfileNameStem, 2), "Work");
        key.WriteInteger(kHideEmptyProfiles, 1);
        ASSERT_TRUE(key.OpenKey(kStartProfileKey, false));
        key.WriteString(kSites, "one");
    });
    ProgramProcess running({}, On(settings));
    ASSERT_TRUE(running.WaitForWindow(kReportTitle)) << running.Errors();
    EXPECT_EQ(running.Terminate(), 0) << running.Errors();

    WithStore(settings.path(), [](SettingsKey& key) {
        EXPECT_EQ(key.ReadString(Numbered(kProfileNameStem, 2)), "Work");
        EXPECT_FALSE(key.ValueExists(Numbered(kProfileNameStem, 1)));
        EXPECT_EQ(key.ReadInteger(kHideEmptyProfiles), 1);
        ASSERT_TRUE(key.OpenKey(kStartProfileKey, false));
        EXPECT_EQ(key.ReadString(kSites), "one");
    });
}

TEST(ProgramDamagedStore, AProfileWhoseLoadFailedIsNotSavedOverAtTheClose)
{
    ASSERT_TRUE(std::filesystem::exists(ProgramFile())) << ProgramFile();
    LocalHttpServer server;
    server.AddPage("/first", "<html><body>first</body></html>");
    TempDir settings;
    SeedStore(settings.path(), server.Url("/first"));
    // Profile 3 says nine pages but holds one page's values.
    WithStore(settings.path(), [&server](SettingsKey& key) {
        ASSERT_TRUE(key.OpenKey(Numbered(kProfileKeyStem, 3), true));
        key.WriteInteger(kSites, 9);
        key.WriteString(Numbered(kLabelStem, 0), "Kept");
        key.WriteString(Numbered(kFirstURLStem, 0), server.Url("/kept"));
        key.WriteString(Numbered(kPageURLStem, 0), server.Url("/kept"));
        key.WriteString(Numbered(kRemURLStem, 0), kNo);
    });
    ProgramProcess running({}, On(settings));
    ASSERT_TRUE(WaitForRequest(server, "/first")) << running.Errors();
    ASSERT_TRUE(running.PressKeys("alt+3")) << "xdotool is missing (scripts/install-deps.sh)";
    ASSERT_TRUE(running.WaitForWindow(kReportTitle)) << running.Errors();
    EXPECT_EQ(running.Terminate(), 0) << running.Errors();

    WithStore(settings.path(), [](SettingsKey& key) {
        ASSERT_TRUE(key.OpenKey(Numbered(kProfileKeyStem, 3), false));
        EXPECT_EQ(key.ReadInteger(kSites), 9);
        EXPECT_EQ(key.ReadString(Numbered(kLabelStem, 0)), "Kept");
    });
}
