// A save killed at any moment leaves each profile as its old or its new page
// set, never a mixture: a helper process saves in a loop and is SIGKILLed.
#include "FakePageSetHost.h"
#include "ProfilePageSets.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

using namespace profiles;

namespace {

// Page set number g: 1 to 7 pages, every entry tagged with g.
FakePageSetHost PageSet(long g)
{
    FakePageSetHost host;
    const int count = 1 + static_cast<int>(g % 7);
    for (int i = 0; i < count; ++i) {
        const std::string tag = std::to_string(g) + "/" + std::to_string(i);
        host.Add("g" + tag, "http://127.0.0.1/first/" + tag, i % 2 == 1, "http://127.0.0.1/last/" + tag);
    }
    return host;
}

// The number g of the page set stored under key, or -1 when it is not one whole set.
long StoredGeneration(platform::RegistryStore& store, const std::string& key)
{
    FakePageSetHost loaded;
    LoadProfilePages(store, key, loaded);
    if (loaded.pages.empty())
        return -1;
    const std::string label = loaded.pages[0].caption;
    const long g = std::stol(label.substr(1, label.find('/') - 1));
    const FakePageSetHost expected = PageSet(g);
    if (loaded.PageCount() != expected.PageCount())
        return -1;
    for (int i = 0; i < loaded.PageCount(); ++i) {
        const auto& want = expected.pages[i];
        const auto& got = loaded.pages[i];
        const std::string wantLocation = want.rememberLastURL ? want.location : want.firstURL;
        if (got.caption != want.caption || got.firstURL != want.firstURL
            || got.rememberLastURL != want.rememberLastURL || got.location != wantLocation)
            return -1;
    }
    return g;
}

[[noreturn]] void SaveForever(const std::filesystem::path& folder, long firstGeneration, int readyPipe)
{
    platform::RegistryStore store(folder);
    for (long g = firstGeneration;; ++g) {
        FakePageSetHost host = PageSet(g);
        SaveProfilePages(store, g % 2 ? "Profile3" : "Profile4", host);
        if (g == firstGeneration + 1) {
            const char ready = 1;
            if (write(readyPipe, &ready, 1) != 1)
                _exit(3);
        }
    }
}

} // namespace

TEST(ProfileSaveKilled, EveryProfileReadsBackAsAWholePageSet)
{
    TempDir dir;
    {
        platform::RegistryStore store(dir.path());
        FakePageSetHost initial3 = PageSet(1), initial4 = PageSet(2);
        SaveProfilePages(store, "Profile3", initial3);
        SaveProfilePages(store, "Profile4", initial4);
    }
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> delayMicroseconds(0, 20000);
    constexpr int kRounds = 40;
    long last3 = 1, last4 = 2;
    for (int round = 0; round < kRounds; ++round) {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        const long first = (round + 1) * 1000000L;
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            close(fds[0]);
            SaveForever(dir.path(), first, fds[1]);
        }
        close(fds[1]);
        char ready = 0;
        ASSERT_EQ(read(fds[0], &ready, 1), 1) << "the saving process failed to start";
        close(fds[0]);
        usleep(static_cast<useconds_t>(delayMicroseconds(random)));
        ASSERT_EQ(kill(pid, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving process ended by itself: " << status;

        platform::RegistryStore store(dir.path());
        const long g3 = StoredGeneration(store, "Profile3");
        const long g4 = StoredGeneration(store, "Profile4");
        ASSERT_NE(g3, -1) << "round " << round << ": Profile3 holds a mixture";
        ASSERT_NE(g4, -1) << "round " << round << ": Profile4 holds a mixture";
        // Each round saved both profiles at least once before it was killed.
        EXPECT_GE(g3, first);
        EXPECT_GE(g4, first);
        EXPECT_GT(g3, last3);
        EXPECT_GT(g4, last4);
        last3 = g3;
        last4 = g4;
    }
}
