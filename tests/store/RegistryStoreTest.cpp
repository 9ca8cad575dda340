// The registry-shaped settings store: keys, typed values, transactions, damaged
// files, unusable folders and two processes at once.
#include "RegistryStore.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <map>
#include <set>

using namespace platform;

namespace {

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::filesystem::path> DamagedFiles(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().starts_with("settings.db.damaged-")
            && !entry.path().string().ends_with("-wal") && !entry.path().string().ends_with("-shm"))
            found.push_back(entry.path());
    return found;
}

RegValue Query(RegistryStore& store, const RegKey& key, const std::string& name)
{
    RegValue value;
    EXPECT_EQ(store.QueryValue(key, name, value), kRegSuccess) << name;
    return value;
}

} // namespace

TEST(RegistryStore, CreatesParentsAndOpensKeysWithoutRegardToCase)
{
    TempDir dir;
    RegistryStore store(dir.path());
    ASSERT_TRUE(store.IsAvailable());
    EXPECT_TRUE(store.RecoveryMessage().empty());

    RegKey key;
    EXPECT_EQ(store.OpenKey(RegRoot::CurrentUser, "\\Software\\Kestrane\\Pandrel", key), kRegFileNotFound);
    EXPECT_FALSE(key.IsOpen());
    ASSERT_EQ(store.CreateKey(RegRoot::CurrentUser, "\\Software\\Kestrane\\Pandrel", key), kRegSuccess);
    ASSERT_EQ(store.SetValue(key, "Sites", REG_DWORD, std::string("\x02\0\0\0", 4)), kRegSuccess);

    RegKey again;
    ASSERT_EQ(store.OpenKey(RegRoot::CurrentUser, "software\\KESTRANE\\pandrel", again), kRegSuccess);
    EXPECT_EQ(Query(store, again, "SITES").data, std::string("\x02\0\0\0", 4));

    // A subkey beneath an open key, and the other root kept apart.
    RegKey profile;
    ASSERT_EQ(store.CreateKey(again, "Profile1", profile), kRegSuccess);
    RegKey viaPath;
    EXPECT_EQ(store.OpenKey(RegRoot::CurrentUser, "\\Software\\Kestrane\\Pandrel\\PROFILE1", viaPath), kRegSuccess);
    RegKey otherRoot;
    EXPECT_EQ(store.OpenKey(RegRoot::ClassesRoot, "Software\\Kestrane", otherRoot), kRegFileNotFound);

    // A closed handle is refused.
    profile.Close();
    RegValue value;
    EXPECT_EQ(store.QueryValue(profile, "Sites", value), kRegInvalidHandle);
}

TEST(RegistryStore, ValuesKeepTypeAndExactBytes)
{
    TempDir dir;
    RegistryStore store(dir.path());
    RegKey key;
    ASSERT_EQ(store.CreateKey(RegRoot::CurrentUser, "A", key), kRegSuccess);

    const std::string withNul("abc\0def\0", 8);
    const std::string binary("\xff\x00\x80\x7f", 4);
    ASSERT_EQ(store.SetValue(key, "Text", REG_SZ, withNul), kRegSuccess);
    ASSERT_EQ(store.SetValue(key, "Odd", 7, binary), kRegSuccess);
    ASSERT_EQ(store.SetValue(key, "Empty", REG_EXPAND_SZ, ""), kRegSuccess);

    EXPECT_EQ(Query(store, key, "text").type, REG_SZ);
    EXPECT_EQ(Query(store, key, "text").data, withNul);
    EXPECT_EQ(Query(store, key, "odd").type, 7u);
    EXPECT_EQ(Query(store, key, "odd").data, binary);
    EXPECT_EQ(Query(store, key, "Empty").type, REG_EXPAND_SZ);
    EXPECT_EQ(Query(store, key, "Empty").data, "");

    // Writing under a name in other case overwrites the one value, type and all.
    ASSERT_EQ(store.SetValue(key, "TEXT", REG_DWORD, std::string(4, '\0')), kRegSuccess);
    EXPECT_EQ(Query(store, key, "Text").type, REG_DWORD);
    std::int64_t count = 0;
    ASSERT_EQ(store.CountValues(key, count), kRegSuccess);
    EXPECT_EQ(count, 3);

    RegValue missing;
    EXPECT_EQ(store.QueryValue(key, "Nothing", missing), kRegFileNotFound);
}

TEST(RegistryStore, TransactionsRollBackUnlessCommittedAndNest)
{
    TempDir dir;
    RegistryStore store(dir.path());
    RegKey key;
    ASSERT_EQ(store.CreateKey(RegRoot::CurrentUser, "K", key), kRegSuccess);
    {
        Transaction outer(store);
        ASSERT_EQ(outer.Begin(), kRegSuccess);
        ASSERT_EQ(store.SetValue(key, "Outer", REG_SZ, "1"), kRegSuccess);
        {
            Transaction inner(store);
            ASSERT_EQ(inner.Begin(), kRegSuccess);
            ASSERT_EQ(store.SetValue(key, "Inner", REG_SZ, "2"), kRegSuccess);
        } // inner rolled back, outer keeps its write
        {
            Transaction kept(store);
            ASSERT_EQ(kept.Begin(), kRegSuccess);
            ASSERT_EQ(store.SetValue(key, "Kept", REG_SZ, "3"), kRegSuccess);
            ASSERT_EQ(kept.Commit(), kRegSuccess);
        }
        ASSERT_EQ(outer.Commit(), kRegSuccess);
    }
    RegValue value;
    EXPECT_EQ(store.QueryValue(key, "Outer", value), kRegSuccess);
    EXPECT_EQ(store.QueryValue(key, "Inner", value), kRegFileNotFound);
    EXPECT_EQ(store.QueryValue(key, "Kept", value), kRegSuccess);
    {
        Transaction dropped(store);
        ASSERT_EQ(dropped.Begin(), kRegSuccess);
        ASSERT_EQ(store.SetValue(key, "Outer", REG_SZ, "changed"), kRegSuccess);
    }
    EXPECT_EQ(Query(store, key, "Outer").data, "1");
}

TEST(RegistryStore, NumberedValuesAreFoundThroughTheIndex)
{
    TempDir dir;
    RegistryStore store(dir.path());
    RegKey key;
    ASSERT_EQ(store.CreateKey(RegRoot::CurrentUser, "H", key), kRegSuccess);
    ASSERT_EQ(store.SetValue(key, "URL1", REG_SZ, std::string("http://a/\0", 10)), kRegSuccess);
    ASSERT_EQ(store.SetValue(key, "url2", REG_EXPAND_SZ, std::string("http://b/\0junk", 14)), kRegSuccess);
    ASSERT_EQ(store.SetValue(key, "URL03", REG_SZ, std::string("http://c/\0", 10)), kRegSuccess);
    ASSERT_EQ(store.SetValue(key, "URL9", REG_SZ, std::string("http://d/\0", 10)), kRegSuccess);
    ASSERT_EQ(store.SetValue(key, "URLCount", REG_DWORD, std::string("\x04\0\0\0", 4)), kRegSuccess);

    auto find = [&](std::int64_t last, const std::string& text) {
        NumberedTextMatch match{};
        EXPECT_EQ(store.FindNumberedText(key, "URL", 1, last, text, match), kRegSuccess);
        return match;
    };
    EXPECT_EQ(find(4, "http://a/"), NumberedTextMatch::Present);
    EXPECT_EQ(find(4, "http://b/"), NumberedTextMatch::Present);  // text ends at the NUL
    EXPECT_EQ(find(4, "HTTP://A/"), NumberedTextMatch::Absent);   // text compares exactly
    EXPECT_EQ(find(4, "http://c/"), NumberedTextMatch::Absent);   // "URL03" is not entry 3
    EXPECT_EQ(find(4, "http://d/"), NumberedTextMatch::Absent);   // entry 9 is out of range
    EXPECT_EQ(find(9, "http://d/"), NumberedTextMatch::Present);
    EXPECT_EQ(find(2, ""), NumberedTextMatch::Absent);
    EXPECT_EQ(find(3, ""), NumberedTextMatch::Present);           // missing entry 3 reads empty
    EXPECT_EQ(find(0, "http://a/"), NumberedTextMatch::Absent);

    ASSERT_EQ(store.SetValue(key, "URL4", REG_DWORD, std::string(4, '\0')), kRegSuccess);
    EXPECT_EQ(find(3, "http://a/"), NumberedTextMatch::Present); // non-text entry 4 out of range
    EXPECT_EQ(find(4, "http://a/"), NumberedTextMatch::NonTextValue);

    std::map<std::int64_t, std::string> seen;
    ASSERT_EQ(store.ReadNumberedValues(key, "url", 1, 9,
                                       [&](std::int64_t n, RegValue&& v) { seen[n] = v.data; }),
              kRegSuccess);
    EXPECT_EQ(seen.size(), 4u); // 1, 2, 4, 9: neither "URL03" nor "URLCount"
    EXPECT_EQ(seen.count(3), 0u);
    EXPECT_EQ(seen[2], std::string("http://b/\0junk", 14));
}

TEST(RegistryStore, FileThatIsNotADatabaseIsKeptAsideAndAFreshStoreStarts)
{
    TempDir dir;
    const std::string garbage = "This is not a database, but a user's notes.\n" + std::string(3000, 'x');
    WriteFile(dir / "settings.db", garbage);

    RegistryStore store(dir.path());
    ASSERT_TRUE(store.IsAvailable());
    const auto damaged = DamagedFiles(dir.path());
    ASSERT_EQ(damaged.size(), 1u);
    EXPECT_EQ(ReadFile(damaged[0]), garbage);
    EXPECT_NE(store.RecoveryMessage().find((dir / "settings.db").string()), std::string::npos);
    EXPECT_NE(store.RecoveryMessage().find(damaged[0].string()), std::string::npos);

    RegKey key;
    ASSERT_EQ(store.CreateKey(RegRoot::CurrentUser, "Fresh", key), kRegSuccess);
    EXPECT_EQ(store.SetValue(key, "V", REG_SZ, "x"), kRegSuccess);
}

TEST(RegistryStore, TruncatedFileIsKeptAsideAndAFreshStoreStarts)
{
    TempDir dir;
    {
        RegistryStore store(dir.path());
        RegKey key;
        ASSERT_EQ(store.CreateKey(RegRoot::CurrentUser, "Big", key), kRegSuccess);
        Transaction transaction(store);
        ASSERT_EQ(transaction.Begin(), kRegSuccess);
        for (int i = 0; i < 3000; ++i)
            ASSERT_EQ(store.SetValue(key, "V" + std::to_string(i), REG_SZ, std::string(200, 'a' + i % 26)), kRegSuccess);
        ASSERT_EQ(transaction.Commit(), kRegSuccess);
    } // the last connection folds the journal into the file
    const auto file = dir / "settings.db";
    const std::string whole = ReadFile(file);
    ASSERT_GT(whole.size(), 100000u);
    const std::string truncated = whole.substr(0, whole.size() / 2);
    WriteFile(file, truncated);

    auto store = std::make_unique<RegistryStore>(dir.path());
    ASSERT_TRUE(store->IsAvailable());
    EXPECT_FALSE(store->RecoveryMessage().empty());
    const auto damaged = DamagedFiles(dir.path());
    ASSERT_EQ(damaged.size(), 1u);
    EXPECT_EQ(ReadFile(damaged[0]), truncated);
    RegKey key;
    EXPECT_EQ(store->OpenKey(RegRoot::CurrentUser, "Big", key), kRegFileNotFound);
    EXPECT_EQ(store->CreateKey(RegRoot::CurrentUser, "Big", key), kRegSuccess);
    key.Close();

    // A second damaged start keeps the first kept file and adds another.
    store.reset();
    WriteFile(file, "garbage again, long enough to not be an empty database file at all....."
                    "..........................................................................");
    store = std::make_unique<RegistryStore>(dir.path());
    EXPECT_TRUE(store->IsAvailable());
    EXPECT_EQ(DamagedFiles(dir.path()).size(), 2u);
    EXPECT_EQ(ReadFile(damaged[0]), truncated);
}

TEST(RegistryStore, FolderThatCannotBeCreatedLeavesTheStoreUnavailable)
{
    TempDir dir;
    WriteFile(dir / "plainfile", "x");
    RegistryStore store(dir / "plainfile" / "pandrel");
    EXPECT_FALSE(store.IsAvailable());
    RegKey key;
    EXPECT_EQ(store.CreateKey(RegRoot::CurrentUser, "\\Software\\Kestrane\\Pandrel", key), kRegAccessDenied);
    EXPECT_EQ(store.OpenKey(RegRoot::CurrentUser, "\\Software", key), kRegAccessDenied);
    EXPECT_FALSE(key.IsOpen());
    EXPECT_EQ(store.BeginTransaction(), kRegAccessDenied);
}

TEST(RegistryStore, ReadOnlyFolderLeavesTheStoreUnavailable)
{
    TempDir dir;
    const auto folder = dir / "readonly";
    std::filesystem::create_directory(folder);
    std::filesystem::permissions(folder, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    if (::access(folder.c_str(), W_OK) == 0)
        GTEST_SKIP() << "this user can write into read-only folders (root)";
    RegistryStore store(folder);
    EXPECT_FALSE(store.IsAvailable());
    RegKey key;
    EXPECT_EQ(store.CreateKey(RegRoot::CurrentUser, "\\Software", key), kRegAccessDenied);
}

// Two processes each add 300 numbered entries with a read-modify-write of one
// counter: with nothing lost or torn, the counter is 600 and all entries exist.
TEST(RegistryStore, TwoProcessesWritingAtOnceLoseNothing)
{
    TempDir dir;
    { RegistryStore create(dir.path()); ASSERT_TRUE(create.IsAvailable()); }
    constexpr int kPerProcess = 300;
    std::vector<pid_t> children;
    for (int process = 0; process < 2; ++process) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            RegistryStore store(dir.path());
            RegKey key;
            if (store.CreateKey(RegRoot::CurrentUser, "Shared", key) != kRegSuccess)
                _exit(2);
            for (int i = 0; i < kPerProcess; ++i) {
                Transaction transaction(store);
                if (transaction.Begin() != kRegSuccess)
                    _exit(3);
                RegValue count;
                std::uint32_t n = 0;
                if (store.QueryValue(key, "Count", count) == kRegSuccess)
                    std::memcpy(&n, count.data.data(), 4);
                ++n;
                const std::string entry = "process" + std::to_string(process) + "-" + std::to_string(i);
                if (store.SetValue(key, "Entry" + std::to_string(n), REG_SZ, entry) != kRegSuccess
                    || store.SetValue(key, "Count", REG_DWORD, std::string(reinterpret_cast<char*>(&n), 4)) != kRegSuccess
                    || transaction.Commit() != kRegSuccess)
                    _exit(4);
            }
            _exit(0);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;
    }

    RegistryStore store(dir.path());
    RegKey key;
    ASSERT_EQ(store.OpenKey(RegRoot::CurrentUser, "Shared", key), kRegSuccess);
    std::uint32_t n = 0;
    std::memcpy(&n, Query(store, key, "Count").data.data(), 4);
    EXPECT_EQ(n, 2u * kPerProcess);
    std::set<std::string> entries;
    for (std::uint32_t i = 1; i <= n; ++i)
        entries.insert(Query(store, key, "Entry" + std::to_string(i)).data);
    EXPECT_EQ(entries.size(), 2u * kPerProcess);
}
