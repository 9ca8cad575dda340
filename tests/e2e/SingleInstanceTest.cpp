// The real program as a command-line program and as the one instance of its
// settings folder: answers to --version, --help and mistakes; a second start
// handing its URL to the running instance over the private session bus; and a
// copy that cannot reach the running one never writing its store.
#include "LocalHttpServer.h"
#include "MainLoop.h"
#include "PageCaptions.h"
#include "ProgramProcess.h"
#include "ProgramStore.h"
#include "SettingsNames.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

// Whether a process holds the settings folder's lock (the running instance).
bool FolderLocked(const std::filesystem::path& folder)
{
    const int fd = ::open((folder / "pandrel.lock").c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd); // a lock taken here goes with the descriptor
    return held;
}

} // namespace

TEST(CommandLine, VersionHelpAndMistakesAreAnsweredWithoutStartingTheWindow)
{
    ASSERT_TRUE(std::filesystem::exists(ProgramFile())) << ProgramFile();
    TempDir settings;
    {
        ProgramProcess version({"--version"}, On(settings));
        EXPECT_EQ(version.WaitForExit(10s), 0);
        EXPECT_EQ(version.Output(), "Pandrel 2.0.0.31\n");
    }
    {
        ProgramProcess help({"--help"}, On(settings));
        EXPECT_EQ(help.WaitForExit(10s), 0);
        EXPECT_NE(help.Output().find("Usage: pandrel [OPTION...] [URL...]"), std::string::npos) << help.Output();
        EXPECT_NE(help.Output().find("--version"), std::string::npos);
    }
    {
        ProgramProcess unknown({"--no-such-option", "http://127.0.0.1:1/"}, On(settings));
        EXPECT_EQ(unknown.WaitForExit(10s), 2);
        EXPECT_NE(unknown.Errors().find("unrecognized option '--no-such-option'"), std::string::npos)
            << unknown.Errors();
        EXPECT_NE(unknown.Errors().find("pandrel --help"), std::string::npos);
        EXPECT_TRUE(unknown.Output().empty());
    }
    EXPECT_FALSE(std::filesystem::exists(settings / "pandrel.lock")) << "nothing started";
}

TEST(SingleInstance, ASecondStartHandsItsUrlsToTheRunningInstanceAndEnds)
{
    LocalHttpServer server;
    for (const char* path : {"/first", "/from-start", "/handed-over"})
        server.AddPage(path, std::string("<html><body>") + path + "</body></html>");
    TempDir settings;
    SeedStore(settings.path(), server.Url("/first"));

    // A URL on the first start opens after profile 1's page.
    ProgramProcess running({server.Url("/from-start")}, On(settings));
    ASSERT_TRUE(WaitForRequest(server, "/from-start")) << running.Errors();
    ASSERT_TRUE(server.WasRequested("/first"));

    ProgramProcess second({server.Url("/handed-over")}, On(settings));
    EXPECT_EQ(second.WaitForExit(20s), 0) << second.Errors();
    EXPECT_TRUE(WaitForRequest(server, "/handed-over")) << "the running instance opens the page";

    ASSERT_EQ(running.Terminate(), 0) << running.Errors();
    const std::vector<StoredPage> pages = StoredProfile1(settings.path());
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].firstUrl, server.Url("/first"));
    EXPECT_EQ(pages[1].firstUrl, server.Url("/from-start"));
    EXPECT_EQ(pages[2].firstUrl, server.Url("/handed-over"));
    // Captioned as "&New Page" captions what is typed: "0" here, from 127.0.0.1.
    EXPECT_EQ(pages[2].label, pages::CaptionFromURL(server.Url("/handed-over")));
}

// The first start joins the session bus only once its window is drawn: a
// second start that comes before then (the copy just started, or a first
// run's Welcome dialog open for as long as the user likes) waits for it and
// still hands over.
TEST(SingleInstance, ASecondStartBeforeTheFirstWindowIsDrawnStillHandsItsUrlsOver)
{
    for (const bool firstRun : {false, true}) {
        SCOPED_TRACE(firstRun ? "Welcome open" : "just started");
        LocalHttpServer server;
        server.AddPage("/first", "<html><body>first</body></html>");
        server.AddPage("/handed-over", "<html><body>handed over</body></html>");
        TempDir settings;
        SeedStore(settings.path(), server.Url("/first"));
        if (firstRun)
            WithStore(settings.path(), [](profiles::SettingsKey& key) { key.DeleteValue(profiles::kWelcomed); });

        ProgramProcess running({}, On(settings));
        ASSERT_TRUE(firstRun ? running.WaitForWindow("Welcome")
                             : RunUntil([&] { return FolderLocked(settings.path()); }, 20s))
            << running.Errors();
        ProgramProcess second({server.Url("/handed-over")}, On(settings));
        EXPECT_EQ(second.WaitForExit(30s), 0) << second.Errors();
        if (firstRun) {
            ASSERT_TRUE(running.TypeKeys("Return")) << "Welcome answered";
        }
        EXPECT_TRUE(WaitForRequest(server, "/handed-over")) << "the running instance opens the page";

        ASSERT_EQ(running.Terminate(), 0) << running.Errors();
        const std::vector<StoredPage> pages = StoredProfile1(settings.path());
        ASSERT_EQ(pages.size(), 2u);
        EXPECT_EQ(pages[1].firstUrl, server.Url("/handed-over"));
    }
}

TEST(SingleInstance, ACopyThatCannotReachTheRunningOneNeverWritesItsStore)
{
    LocalHttpServer server;
    for (const char* path : {"/first", "/second-copy"})
        server.AddPage(path, std::string("<html><body>") + path + "</body></html>");
    TempDir settings;
    SeedStore(settings.path(), server.Url("/first"));
    ProgramProcess running({}, On(settings));
    ASSERT_TRUE(WaitForRequest(server, "/first")) << running.Errors();

    // Without the session bus the copy cannot find the running instance: it
    // must find the settings folder taken, say so and stop.
    auto environment = On(settings);
    environment["DBUS_SESSION_BUS_ADDRESS"] = "unix:path=" + (settings / "no-bus").string();
    ProgramProcess copy({server.Url("/second-copy")}, environment);
    ASSERT_TRUE(copy.WaitForError("already running with the settings folder", 20s)) << copy.Errors();
    EXPECT_FALSE(server.WasRequested("/second-copy"));
    // Its message box stays up until read; the copy has opened nothing.
    EXPECT_FALSE(copy.WaitForExit(std::chrono::milliseconds(0)));

    ASSERT_EQ(running.Terminate(), 0) << running.Errors();
    const std::vector<StoredPage> pages = StoredProfile1(settings.path());
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].firstUrl, server.Url("/first"));
}
