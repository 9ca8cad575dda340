// Back and forward kept across a profile switch on the real WebKit engine: a
// page that went on twice, switched away and back, goes Back twice to where it
// started; a damaged stored list leaves the page opening as before.
#include "LocalHttpServer.h"
#include "MainPageSet.h"
#include "ProgramStore.h"
#include "Profiles.h"
#include "RegistryStore.h"
#include "SettingsNames.h"
#include "WebKitPagesFixture.h"

using SessionHistory = WebKitPagesFixture;

TEST_F(SessionHistory, BackAfterASwitchAwayAndBackGoesWhereItWentBefore)
{
    LocalHttpServer server;
    for (const char* path : {"/a", "/b", "/c"})
        server.AddPage(path, std::string("<html><body>") + path + "</body></html>");
    TempDir settings;
    SeedStore(settings.path(), {{"A", server.Url("/a"), server.Url("/a"), true}});
    platform::RegistryStore store(settings.path());
    MainPageSet pageSet(List());
    profiles::Profiles profiles(store, pageSet);
    auto loaded = [&](const char* path) {
        return WaitFor([&] {
            return List().PageCount() == 1 && !List().Browser(0).Busy() && List().LocationURL(0) == server.Url(path);
        });
    };

    profiles.LoadProfilePages(profiles::kStartProfileKey);
    ASSERT_TRUE(loaded("/a"));
    // Two navigations that leave FirstURL alone, as followed links do.
    for (const char* path : {"/b", "/c"}) {
        Navigate(List().Browser(0), server.Url(path));
        ASSERT_TRUE(loaded(path)) << path;
    }

    profiles.spdProfileClick(profiles.ButtonBar().Button(2));
    EXPECT_EQ(List().PageCount(), 0);
    profiles.spdProfileClick(profiles.ButtonBar().Button(1));
    ASSERT_TRUE(loaded("/c"));
    List().Browser(0).GoBack();
    EXPECT_TRUE(loaded("/b")) << "Back after the switch goes where it went before";
    List().Browser(0).GoBack();
    EXPECT_TRUE(loaded("/a"));
    List().Browser(0).GoForward();
    EXPECT_TRUE(loaded("/b"));

    // A damaged list is ignored: the page opens where it was, with no history.
    profiles.spdProfileClick(profiles.ButtonBar().Button(2));
    {
        profiles::SettingsKey key(store);
        ASSERT_TRUE(key.OpenProgramKey(false));
        ASSERT_TRUE(key.OpenKey(profiles::kStartProfileKey, false));
        const std::string session = profiles::Numbered(profiles::kSessionStem, 0);
        ASSERT_TRUE(key.ReadBinary(session).has_value()) << "the switch stored the list";
        key.WriteBinary(session, std::string("WebKitGTK 0.0.0\ndamaged", 23));
        key.Commit();
    }
    server.ClearLog();
    profiles.spdProfileClick(profiles.ButtonBar().Button(1));
    EXPECT_TRUE(loaded("/b"));
    EXPECT_TRUE(server.WasRequested("/b"));
    EXPECT_TRUE(List().Browser(0).SessionState().size() > 0);
}
