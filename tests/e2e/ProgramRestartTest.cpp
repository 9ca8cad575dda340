// The real program, run twice as a separate process on one settings folder:
// what one run saves at its close, the next run opens, and the store between
// the runs holds exactly that.
#include "LocalHttpServer.h"
#include "RegistryStore.h"
#include "SettingsKey.h"
#include "SettingsNames.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace profiles;
using Clock = std::chrono::steady_clock;

std::filesystem::path ProgramFile()
{
    const char* binaryDir = std::getenv("PANDREL_TEST_BINARY_DIR");
    return std::filesystem::path(binaryDir ? binaryDir : ".") / "app" / "pandrel";
}

class RunningProgram {
public:
    explicit RunningProgram(const std::filesystem::path& settings)
    {
        pid_ = fork();
        if (pid_ == 0) {
            setenv("PANDREL_CONFIG_DIR", settings.c_str(), 1);
            umask(022); // an ordinary umask: private files must be private anyway
            execl(ProgramFile().c_str(), "pandrel", static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~RunningProgram()
    {
        if (pid_ > 0 && !exited_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    // Asks the program to end the way a session end does, and waits for it.
    int Terminate()
    {
        kill(pid_, SIGTERM);
        int status = 0;
        const auto deadline = Clock::now() + std::chrono::seconds(20);
        while (waitpid(pid_, &status, WNOHANG) == 0) {
            if (Clock::now() > deadline)
                return -1;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
    bool exited_ = false;
};

bool WaitForRequests(const LocalHttpServer& server, const std::vector<std::string>& paths)
{
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    for (;;) {
        bool all = true;
        for (const std::string& path : paths)
            all = all && server.WasRequested(path);
        if (all)
            return true;
        if (Clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

// Welcomed, with profile 1 holding one page at url.
void StoreOnePageProfile(const std::filesystem::path& settings, const std::string& url)
{
    platform::RegistryStore store(settings);
    SettingsKey key(store);
    ASSERT_TRUE(key.OpenProgramKey(true));
    key.WriteString(kWelcomed, kYes);
    ASSERT_TRUE(key.OpenKey(Numbered(kProfileKeyStem, 1), true));
    key.WriteInteger(kSites, 1);
    key.WriteString("Label0", "Login");
    key.WriteString("FirstURL0", url);
    key.WriteString("URL0", url);
    key.WriteString("RemURL0", "N");
    key.Commit();
}

unsigned ModeOf(const std::filesystem::path& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
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
    StoreOnePageProfile(settings.path(), server.Url("/login"));

    {
        RunningProgram first(settings.path());
        ASSERT_TRUE(WaitForRequests(server, {"/after-login"}));
        EXPECT_EQ(server.LastRequestHeader("/login", "Cookie"), "");
        const std::string sent = server.LastRequestHeader("/after-login", "Cookie");
        EXPECT_NE(sent.find("login=kept"), std::string::npos) << sent;
        EXPECT_NE(sent.find("session=ends"), std::string::npos) << sent;
        ASSERT_EQ(first.Terminate(), 0);
    }
    // The engine's data is as private as the settings.
    EXPECT_EQ(ModeOf(settings / "webkit-data"), 0700u);
    EXPECT_EQ(ModeOf(settings / "webkit-cache"), 0700u);
    EXPECT_EQ(ModeOf(settings / "webkit-data" / "cookies.sqlite"), 0600u);
    EXPECT_EQ(ModeOf(settings.path()), 0700u);
    EXPECT_EQ(ModeOf(settings / "settings.db"), 0600u);

    server.ClearLog();
    RunningProgram second(settings.path());
    ASSERT_TRUE(WaitForRequests(server, {"/after-login"}));
    const std::string atStart = server.LastRequestHeader("/login", "Cookie");
    EXPECT_NE(atStart.find("login=kept"), std::string::npos) << "still logged in: [" << atStart << "]";
    EXPECT_EQ(atStart.find("session=ends"), std::string::npos) << "the session ended: [" << atStart << "]";
    ASSERT_EQ(second.Terminate(), 0);
}

TEST(ProgramRestart, PagesAndButtonSettingsSurviveTwoRunsOfTheRealProgram)
{
    ASSERT_TRUE(std::filesystem::exists(ProgramFile())) << ProgramFile();
    LocalHttpServer server;
    for (const char* path : {"/alpha", "/beta", "/beta-later"})
        server.AddPage(path, std::string("<html><body>") + path + "</body></html>");
    TempDir settings;
    {
        platform::RegistryStore store(settings.path());
        SettingsKey key(store);
        ASSERT_TRUE(key.OpenProgramKey(true));
        key.WriteString(kWelcomed, kYes);
        key.WriteInteger(kHideEmptyProfiles, 1);
        key.WriteString(Numbered(kProfileNameStem, 3), "Work");
        ASSERT_TRUE(key.OpenKey(Numbered(kProfileKeyStem, 1), true));
        key.WriteInteger(kSites, 2);
        key.WriteString("Label0", "Alpha");
        key.WriteString("FirstURL0", server.Url("/alpha"));
        key.WriteString("URL0", server.Url("/alpha"));
        key.WriteString("RemURL0", "N");
        // The second page remembers where it was: it opens there, not at its home.
        key.WriteString("Label1", "Beta");
        key.WriteString("FirstURL1", server.Url("/beta"));
        key.WriteString("URL1", server.Url("/beta-later"));
        key.WriteString("RemURL1", "Y");
        key.Commit();
    }

    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        server.ClearLog();
        RunningProgram program(settings.path());
        ASSERT_TRUE(WaitForRequests(server, {"/alpha", "/beta-later"}));
        EXPECT_FALSE(server.WasRequested("/beta")) << "a remembering page opens where it was";
        ASSERT_EQ(program.Terminate(), 0);

        platform::RegistryStore store(settings.path());
        SettingsKey key(store);
        ASSERT_TRUE(key.OpenProgramKey(false));
        EXPECT_EQ(key.ReadInteger(kHideEmptyProfiles), 1);
        EXPECT_EQ(key.ReadString(Numbered(kProfileNameStem, 3)), "Work");
        EXPECT_EQ(key.ReadString(Numbered(kProfileNameStem, 0)), "0");
        ASSERT_TRUE(key.OpenKey(Numbered(kProfileKeyStem, 1), false));
        EXPECT_EQ(key.ReadInteger(kSites), 2);
        EXPECT_EQ(key.ReadString("Label0"), "Alpha");
        EXPECT_EQ(key.ReadString("URL0"), server.Url("/alpha"));
        EXPECT_EQ(key.ReadString("Label1"), "Beta");
        EXPECT_EQ(key.ReadString("FirstURL1"), server.Url("/beta"));
        EXPECT_EQ(key.ReadString("URL1"), server.Url("/beta-later"));
        EXPECT_EQ(key.ReadString("RemURL1"), "Y");
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
    {
        platform::RegistryStore store(settings.path());
        SettingsKey key(store);
        ASSERT_TRUE(key.OpenProgramKey(true));
        key.WriteString(kWelcomed, kYes);
        key.WriteInteger(kLoadPagesWhenShown, 1);
        ASSERT_TRUE(key.OpenKey(Numbered(kProfileKeyStem, 1), true));
        key.WriteInteger(kSites, 2);
        key.WriteString("Label0", "Alpha");
        key.WriteString("FirstURL0", server.Url("/alpha"));
        key.WriteString("URL0", server.Url("/alpha"));
        key.WriteString("RemURL0", "N");
        key.WriteString("Label1", "Beta");
        key.WriteString("FirstURL1", server.Url("/beta"));
        key.WriteString("URL1", server.Url("/beta-later"));
        key.WriteString("RemURL1", "Y");
        key.Commit();
    }
    RunningProgram program(settings.path());
    ASSERT_TRUE(WaitForRequests(server, {"/alpha-loaded"}));
    ASSERT_EQ(program.Terminate(), 0);
    EXPECT_FALSE(server.WasRequested("/beta-later")) << "the page never shown never loaded";

    platform::RegistryStore store(settings.path());
    SettingsKey key(store);
    ASSERT_TRUE(key.OpenProgramKey(false));
    EXPECT_EQ(key.ReadInteger(kLoadPagesWhenShown), 1);
    ASSERT_TRUE(key.OpenKey(Numbered(kProfileKeyStem, 1), false));
    EXPECT_EQ(key.ReadInteger(kSites), 2);
    EXPECT_EQ(key.ReadString("FirstURL1"), server.Url("/beta"));
    EXPECT_EQ(key.ReadString("URL1"), server.Url("/beta-later")) << "saved where it is, unloaded";
    EXPECT_EQ(key.ReadString("RemURL1"), "Y");
}
