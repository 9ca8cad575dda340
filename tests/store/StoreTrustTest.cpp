// The store's trust at start: a store held by another process is waited for and
// reported with nothing renamed, a read-only file is reported as read-only, and
// the folder and files are owner-only whatever the umask.
#include "PrivateFiles.h"
#include "RegistryStore.h"
#include "SettingsFolderLock.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <dlfcn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>

using namespace platform;

namespace {

std::size_t MovedAsideCount(const std::filesystem::path& folder)
{
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().find("damaged") != std::string::npos)
            ++count;
    return count;
}

mode_t ModeOf(const std::filesystem::path& path)
{
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

// Another process writing into the store: it starts a write transaction,
// writes `sql`, says so through a pipe, and commits only when told.
class OtherWriter {
public:
    OtherWriter(const std::filesystem::path& file, const std::string& sql)
    {
        if (::pipe(started_) != 0 || ::pipe(release_) != 0)
            throw std::runtime_error("pipe");
        pid_ = ::fork();
        if (pid_ == 0) {
            sqlite3* db = nullptr;
            char go = 0;
            const bool ok = sqlite3_open(file.c_str(), &db) == SQLITE_OK
                && sqlite3_exec(db, "PRAGMA journal_mode=WAL; BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK
                && sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
            if (::write(started_[1], ok ? "1" : "0", 1) != 1 || !ok || ::read(release_[0], &go, 1) != 1)
                _exit(2);
            _exit(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK
                  && sqlite3_close(db) == SQLITE_OK ? 0 : 3);
        }
        char answer = 0;
        started_ok_ = ::read(started_[0], &answer, 1) == 1 && answer == '1';
    }
    ~OtherWriter() { Finish(); }

    bool Started() const { return started_ok_; }
    // Lets the other process commit and returns whether it ended well.
    bool Finish()
    {
        if (pid_ <= 0)
            return finished_ok_;
        (void)!::write(release_[1], "1", 1);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = 0;
        for (int fd : {started_[0], started_[1], release_[0], release_[1]})
            ::close(fd);
        finished_ok_ = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        return finished_ok_;
    }

private:
    int started_[2] = {-1, -1};
    int release_[2] = {-1, -1};
    pid_t pid_ = -1;
    bool started_ok_ = false;
    bool finished_ok_ = false;
};

std::int64_t RowsOf(const std::filesystem::path& file, const char* table)
{
    sqlite3* db = nullptr;
    sqlite3_stmt* statement = nullptr;
    std::int64_t rows = -1;
    std::string sql = "SELECT count(*) FROM ";
    sql.append(table);
    if (sqlite3_open(file.c_str(), &db) == SQLITE_OK
        && sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK
        && sqlite3_step(statement) == SQLITE_ROW)
        rows = sqlite3_column_int64(statement, 0);
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return rows;
}

constexpr auto kShortWait = std::chrono::milliseconds(300);
constexpr uid_t kNobody = 65534;

// When set, the next lstat of first answers, then moves the link second over it.
std::pair<std::filesystem::path, std::filesystem::path> gSwapAfterLstat;

} // namespace

extern "C" int lstat(const char* path, struct stat* info) noexcept
{
    static const auto real = reinterpret_cast<int (*)(const char*, struct stat*)>(::dlsym(RTLD_NEXT, "lstat"));
    const int result = real(path, info);
    if (!gSwapAfterLstat.first.empty() && gSwapAfterLstat.first == path) {
        ::rename(gSwapAfterLstat.second.c_str(), path);
        gSwapAfterLstat = {};
    }
    return result;
}

TEST(StoreTrust, StoreHeldByAnotherProcessIsWaitedForAndNeverTakenForDamage)
{
    TempDir dir;
    const auto file = dir / "settings.db";
    { RegistryStore create(dir.path()); ASSERT_TRUE(create.IsAvailable()); }

    // A store that has its tables opens and reads while another process writes.
    {
        OtherWriter other(file, "CREATE TABLE other(x); INSERT INTO other VALUES (1), (2);");
        ASSERT_TRUE(other.Started());
        RegistryStore store(dir.path(), kShortWait);
        EXPECT_TRUE(store.IsAvailable()) << store.RecoveryMessage();
        EXPECT_TRUE(store.RecoveryMessage().empty()) << store.RecoveryMessage();
        Transaction reading(store, TransactionKind::Read);
        EXPECT_EQ(reading.Begin(), kRegSuccess) << "reading takes no write lock";
        RegKey key;
        EXPECT_EQ(store.OpenKey(RegRoot::CurrentUser, "Software", key), kRegFileNotFound);
        reading.Commit();
        Transaction writing(store);
        EXPECT_EQ(writing.Begin(), kRegBusy);
        EXPECT_EQ(MovedAsideCount(dir.path()), 0u);
        EXPECT_TRUE(other.Finish());
    }
    EXPECT_EQ(RowsOf(file, "other"), 2) << "the other process's writes are intact";

    // A new file needs its tables written: busy for longer than the wait is
    // reported as busy, and nothing is renamed.
    std::filesystem::remove(file);
    std::filesystem::remove(file.string() + "-wal");
    std::filesystem::remove(file.string() + "-shm");
    {
        OtherWriter other(file, "CREATE TABLE other(x); INSERT INTO other VALUES (3);");
        ASSERT_TRUE(other.Started());
        RegistryStore store(dir.path(), kShortWait);
        EXPECT_FALSE(store.IsAvailable());
        EXPECT_NE(store.RecoveryMessage().find("in use by another program"), std::string::npos)
            << store.RecoveryMessage();
        EXPECT_NE(store.RecoveryMessage().find(file.string()), std::string::npos);
        EXPECT_EQ(MovedAsideCount(dir.path()), 0u);
        EXPECT_TRUE(other.Finish());
    }
    EXPECT_EQ(RowsOf(file, "other"), 1) << "the other process's writes are intact";
    RegistryStore after(dir.path());
    EXPECT_TRUE(after.IsAvailable());
    EXPECT_TRUE(after.RecoveryMessage().empty()) << after.RecoveryMessage();
    EXPECT_EQ(RowsOf(file, "other"), 1);
}

// Run in a child process, as an ordinary user when the tests run as root (root
// writes into read-only files).
TEST(StoreTrust, ReadOnlySettingsFileIsReportedAsReadOnlyAndLeftInPlace)
{
    TempDir dir;
    const auto folder = dir / "settings";
    { RegistryStore create(folder); ASSERT_TRUE(create.IsAvailable()); }
    const auto file = folder / "settings.db";
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        if (::geteuid() == 0) {
            for (const auto& path : {dir.path(), folder, file})
                if (::chown(path.c_str(), kNobody, kNobody) != 0)
                    _exit(10);
            if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
                _exit(11);
        }
        ::chmod(file.c_str(), 0400);
        RegistryStore store(folder, kShortWait);
        if (store.IsAvailable())
            _exit(1);
        if (store.RecoveryMessage().find("is read-only") == std::string::npos)
            _exit(2);
        if (MovedAsideCount(folder) != 0 || !std::filesystem::exists(file))
            _exit(3);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0)
        << "1: the store opened for writing; 2: the message does not say read-only; 3: the file was moved";
}

TEST(StoreTrust, FolderAndFilesAreOwnerOnlyWhateverTheUmask)
{
    TempDir dir;
    const mode_t previous = ::umask(0);
    const auto folder = dir / "kestrane" / "pandrel";
    {
        // The lock, taken before the store opens, makes its folders and file private at once.
        SettingsFolderLock lock(folder);
        ASSERT_TRUE(lock.Owns()) << lock.Problem();
        EXPECT_EQ(ModeOf(dir / "kestrane"), 0700u);
        EXPECT_EQ(ModeOf(folder), 0700u);
        EXPECT_EQ(ModeOf(folder / "pandrel.lock"), 0600u);
        RegistryStore store(folder);
        ASSERT_TRUE(store.IsAvailable());
        RegKey key;
        ASSERT_EQ(store.CreateKey(RegRoot::CurrentUser, "Software", key), kRegSuccess);
        ASSERT_EQ(store.SetValue(key, "URL1", REG_SZ, std::string("http://a/\0", 10)), kRegSuccess);
        for (const char* name : {"settings.db", "settings.db-wal", "settings.db-shm"})
            EXPECT_EQ(ModeOf(folder / name), 0600u) << name;
    }
    // Looser modes found at start are tightened.
    std::filesystem::permissions(folder, std::filesystem::perms(0755));
    std::filesystem::permissions(folder / "settings.db", std::filesystem::perms(0644));
    {
        RegistryStore store(folder);
        ASSERT_TRUE(store.IsAvailable());
        EXPECT_EQ(ModeOf(folder), 0700u);
        EXPECT_EQ(ModeOf(folder / "settings.db"), 0600u);
        EXPECT_EQ(ModeOf(folder / "settings.db-shm"), 0600u);
    }
    ::umask(previous);
}

TEST(StoreTrust, ASettingsFolderThatIsNotTheUsersOwnIsRefused)
{
    // Root gives a folder and a link to another user; anyone else has /tmp, root's.
    TempDir dir;
    const bool root = ::geteuid() == 0;
    const auto others = root ? dir / "others" : std::filesystem::path("/tmp");
    std::filesystem::create_directories(others);
    std::filesystem::create_directory(dir / "mine");
    std::filesystem::create_symlink(others, dir / "to-others");
    std::filesystem::create_symlink(dir / "mine", dir / "others-link");
    std::vector<std::filesystem::path> refused = {dir / "to-others"};
    if (root) {
        ASSERT_EQ(::chown(others.c_str(), kNobody, kNobody) | ::lchown((dir / "others-link").c_str(), kNobody, kNobody), 0);
        refused.push_back(dir / "others-link");
    }
    for (const auto& folder : refused) {
        SettingsFolderLock lock(folder);
        EXPECT_FALSE(lock.Owns()) << folder;
        EXPECT_NE(lock.Problem().find("another user"), std::string::npos) << lock.Problem();
        EXPECT_FALSE(RegistryStore(folder).IsAvailable()) << folder;
    }
    EXPECT_FALSE(std::filesystem::exists(others / "pandrel.lock"));
    EXPECT_TRUE(std::filesystem::is_empty(dir / "mine"));
}

// A file swapped for a link right after it was looked at, as another process
// could: modes change only through the opened file, never on the link's target.
TEST(StoreTrust, TighteningNeverFollowsALinkSwappedIn)
{
    TempDir dir;
    const auto victim = dir / "victim", file = dir / "settings.db-wal";
    for (const auto& path : {victim, file}) {
        std::ofstream(path).put('x');
        std::filesystem::permissions(path, std::filesystem::perms(0644));
    }
    std::filesystem::create_symlink(victim, dir / "link");
    gSwapAfterLstat = {file, dir / "link"};
    TightenIfPresent(file);
    EXPECT_EQ(ModeOf(victim), 0644u);
    // Unless the link came in, the file itself was tightened, through its descriptor.
    EXPECT_EQ(ModeOf(file), gSwapAfterLstat.first.empty() ? 0777u : 0600u);
    gSwapAfterLstat = {};
}
