// The real program, run twice as a separate process on one settings folder:
// what one run saves at its close, the next run opens, and the store between
// the runs holds exactly that.
#include "LocalHttpServer.h"
#include "ProgramProcess.h"
#include "ProgramStore.h"
#include "RegistryStore.h"
#include "SettingsNames.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>

#include <sys/stat.h>

namespace {

using namespace profiles;

unsigned ModeOf(const std::filesystem::path& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// Two pages: Alpha at its home, Beta remembering where it was (not its home).
std::vector<StoredPage> AlphaAndBeta(const LocalHttpServer& server)
{
    return {{"Alpha", server.Url("/alpha"), server.Url("/alpha")},
            {"Beta", server.Url("/beta"), server.Url("/beta-later"), true}};
}

} // namespace

TEST(ProgramRestart, CookiesWithAnExpirySurviveARestartAndSessionCookiesDoNot)
{
    ASSERT_TRUE(std::filesystem::exists(ProgramFile())) << ProgramFile();
    LocalHttpServer server;
    // The page logs in (a day-long cookie) and opens a session; the image request
    // after that shows the engine took both.
    server.AddPage("/login", "<html><body><script>"
                             "document.cookie = 'login=kept; max-age=86400; path=/';"
                             "document.cookie = 'session=ends; path=/';"
                             "new Image().src = '/after-login';"
                             "</script></body></html>");
    server.AddPage("/after-login", "", "image/gif");
    TempDir settings;
    SeedStore(settings.path(), server.Url("/login"));

    {
        ProgramProcess first({}, On(settings));
        ASSERT_TRUE(WaitForRequest(server, "/after-login")) << first.Errors();
        EXPECT_EQ(server.LastRequestHeader("/login", "Cookie"), "");
        const std::string sent = server.LastRequestHeader("/after-login", "Cookie");
        EXPECT_NE(sent.find("login=kept"), std::string::npos) << sent;
        EXPECT_NE(sent.find("session=ends"), std::string::npos) << sent;
        ASSERT_EQ(first.Terminate(), 0) << first.Errors();
    }
    // The engine's data is as private as the settings.
    EXPECT_EQ(ModeOf(settings / "webkit-data"), 0700u);
    EXPECT_EQ(ModeOf(settings / "webkit-cache"), 0700u);
    EXPECT_EQ(ModeOf(settings / "webkit-data" / "cookies.sqlite"), 0600u);
    EXPECT_EQ(ModeOf(settings.path()), 0700u);
    EXPECT_EQ(ModeOf(settings / "settings.db"), 0600u);

    server.ClearLog();
    ProgramProcess second({}, On(settings));
    ASSERT_TRUE(WaitForRequest(server, "/after-login")) << second.Errors();
    const std::string atStart = server.LastRequestHeader("/login", "Cookie");
    EXPECT_NE(atStart.find("login=kept"), std::string::npos) << "still logged in: [" << atStart << "]";
    EXPECT_EQ(atStart.find("session=ends"), std::string::npos) << "the session ended: [" << atStart << "]";
    ASSERT_EQ(second.Terminate(), 0) << second.Errors();
}

TEST(ProgramRestart, PagesAndButtonSettingsSurviveTwoRunsOfTheRealProgram)
{
    ASSERT_TRUE(std::filesystem::exists(ProgramFile())) << ProgramFile();
    LocalHttpServer server;
    for (const char* path : {"/alpha", "/beta", "/beta-later"})
        server.AddPage(path, std::string("<html><body>") + path + "</body></html>");
    TempDir settings;
    SeedStore(settings.path(), AlphaAndBeta(server), [](SettingsKey& key) {
        key.WriteInteger(kHideEmptyProfiles, 1);
        key.WriteString(Numbered(kProfileNameStem, 3), "Work");
    });

    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        server.ClearLog();
        ProgramProcess program({}, On(settings));
        ASSERT_TRUE(WaitForRequest(server, "/alpha")) << program.Errors();
        ASSERT_TRUE(WaitForRequest(server, "/beta-later"));
        EXPECT_FALSE(server.WasRequested("/beta")) << "a remembering page opens where it was";
        ASSERT_EQ(program.Terminate(), 0) << program.Errors();

        EXPECT_EQ(StoredProfile1(settings.path()), AlphaAndBeta(server));
        platform::RegistryStore store(settings.path());
        SettingsKey key(store, SettingsKey::Access::Read);
        ASSERT_TRUE(key.OpenProgramKey(false));
        EXPECT_EQ(key.ReadInteger(kHideEmptyProfiles), 1);
        EXPECT_EQ(key.ReadString(Numbered(kProfileNameStem, 3)), "Work");
        EXPECT_EQ(key.ReadString(Numbered(kProfileNameStem, 0)), "0");
    }
}

TEST(ProgramRestart, PagesLoadedWhenShownAreSavedWhereTheyAreWithoutLoading)
{
    LocalHttpServer server;
    server.AddPage("/alpha", "<html><body onload=\"fetch('/alpha-loaded')\">alpha</body></html>");
    server.AddPage("/alpha-loaded", "ok", "text/plain");
    for (const char* path : {"/beta", "/beta-later"})
        server.AddPage(path, std::string("<html><body>") + path + "</body></html>");
    TempDir settings;
    SeedStore(settings.path(), AlphaAndBeta(server), [](SettingsKey& key) { key.WriteInteger(kLoadPagesWhenShown, 1); });
    ProgramProcess program({}, On(settings));
    ASSERT_TRUE(WaitForRequest(server, "/alpha-loaded")) << program.Errors();
    ASSERT_EQ(program.Terminate(), 0) << program.Errors();
    EXPECT_FALSE(server.WasRequested("/beta-later")) << "the page never shown never loaded";

    EXPECT_EQ(StoredProfile1(settings.path()), AlphaAndBeta(server)) << "saved where it is, unloaded";
    platform::RegistryStore store(settings.path());
    SettingsKey key(store, SettingsKey::Access::Read);
    ASSERT_TRUE(key.OpenProgramKey(false));
    EXPECT_EQ(key.ReadInteger(kLoadPagesWhenShown), 1);
}
