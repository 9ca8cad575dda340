// The real program with profile 1 keeping its logins apart, run after run on
// one settings folder: its own logins and the shared ones both outlive a
// restart without ever meeting, and a URL handed over by a second start opens
// with the data of the profile on show.
#include "ProfileSiteData.h"
#include "ProgramProcess.h"
#include "ProgramStore.h"
#include "RegistryStore.h"
#include "SiteDataPages.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

// Seeds profile 1 with one page at path, kept apart or not.
void SeedProfile1(const TempDir& settings, const LocalHttpServer& server, const std::string& path, bool apart)
{
    SeedStore(settings.path(), server.Url(path));
    platform::RegistryStore store(settings.path());
    profiles::WriteKeepLoginsApart(store, 1, apart);
}

// Runs the program on profile 1 until it asked for path; the Cookie header of lastOf.
std::string RunUntil(const TempDir& settings, LocalHttpServer& server, const std::string& path,
                     const std::string& lastOf)
{
    server.ClearLog();
    ProgramProcess program({}, On(settings));
    EXPECT_TRUE(WaitForRequest(server, path)) << program.Errors();
    EXPECT_EQ(program.Terminate(), 0) << program.Errors();
    return server.LastRequestHeader(lastOf, "Cookie");
}

} // namespace

TEST(ProgramSiteData, EachDataKeepsItsLoginsAcrossRestartsAndNeverMeetsTheOther)
{
    ASSERT_TRUE(std::filesystem::exists(ProgramFile())) << ProgramFile();
    LocalHttpServer server;
    AddSiteDataPages(server);
    TempDir settings;
    SeedProfile1(settings, server, "/sd/login?apart", true);
    RunUntil(settings, server, "/sd/logged?apart", "/sd/login");
    SeedProfile1(settings, server, "/sd/login?shared", false);
    const std::string sharedAtLogin = RunUntil(settings, server, "/sd/logged?shared", "/sd/login");
    EXPECT_FALSE(LoggedIn(sharedAtLogin, "apart")) << sharedAtLogin;

    for (const bool apart : {true, false}) {
        SCOPED_TRACE(apart ? "kept apart" : "shared");
        SeedProfile1(settings, server, "/sd/check?restarted", apart);
        const std::string sent = RunUntil(settings, server, "/sd/stored?restarted=" + std::string(apart ? "apart" : "shared"),
                                          "/sd/check");
        EXPECT_TRUE(LoggedIn(sent, apart ? "apart" : "shared")) << "still logged in: [" << sent << "]";
        EXPECT_FALSE(LoggedIn(sent, apart ? "shared" : "apart")) << sent;
    }
}

TEST(ProgramSiteData, AUrlHandedOverOpensWithTheDataOfTheProfileOnShow)
{
    LocalHttpServer server;
    AddSiteDataPages(server);
    TempDir settings;
    SeedProfile1(settings, server, "/sd/login?shared", false);
    RunUntil(settings, server, "/sd/logged?shared", "/sd/login");

    SeedProfile1(settings, server, "/sd/login?apart", true);
    server.ClearLog();
    ProgramProcess running({}, On(settings));
    ASSERT_TRUE(WaitForRequest(server, "/sd/logged?apart")) << running.Errors();
    ProgramProcess second({server.Url("/sd/check?handed")}, On(settings));
    EXPECT_EQ(second.WaitForExit(std::chrono::seconds(20)), 0) << second.Errors();
    ASSERT_TRUE(WaitForRequest(server, "/sd/stored?handed=apart")) << "the handed-over page reads the profile's storage";
    const std::string sent = server.LastRequestHeader("/sd/check", "Cookie");
    EXPECT_TRUE(LoggedIn(sent, "apart")) << sent;
    EXPECT_FALSE(LoggedIn(sent, "shared")) << sent;
    EXPECT_EQ(running.Terminate(), 0) << running.Errors();
}
