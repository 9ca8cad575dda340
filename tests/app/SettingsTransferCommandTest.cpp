// The settings export and import options: a private export file, a merge that
// reports what it took, and a malformed file refused by line with nothing changed.
#include "RegistryStore.h"
#include "SettingsTransferCommand.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <sstream>

using namespace platform;

namespace {

std::string Program(RegistryStore& store, const std::string& name)
{
    RegKey key;
    RegValue value;
    if (store.OpenKey(RegRoot::CurrentUser, "Software\\Kestrane\\Pandrel", key) != kRegSuccess
        || store.QueryValue(key, name, value) != kRegSuccess)
        return "<missing>";
    return TextOfValueData(value.data);
}

std::string Contents(std::istream&& in)
{
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The process's peak memory; with reset, counted from now (as Linux allows).
long PeakKiB(bool reset = false)
{
    if (reset)
        std::ofstream("/proc/self/clear_refs") << "5";
    rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

TEST(SettingsTransferCommandTest, ExportIsPrivateAndABrokenImportChangesNothing)
{
    TempDir dir;
    RegistryStore store(dir / "store");
    {
        RegKey key;
        ASSERT_EQ(store.CreateKey(RegRoot::CurrentUser, "Software\\Kestrane\\Pandrel", key), kRegSuccess);
        ASSERT_EQ(store.SetValue(key, "ProfileName1", REG_SZ, std::string("Work\0", 5)), kRegSuccess);
    }
    std::ostringstream out, err;
    const std::string exported = (dir / "out.reg").string();
    ASSERT_EQ(ExportSettingsFile(store, exported, out, err), 0) << err.str();
    struct stat info {};
    ASSERT_EQ(::stat(exported.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(out.str(), "Exported 1 keys and 1 values to " + exported + "\n");

    const std::string broken = (dir / "broken.reg").string();
    std::ofstream(broken, std::ios::binary)
        << "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Kestrane\\Pandrel]\r\n"
           "\"ProfileName1\"=\"Home\"\r\n\"ProfileName2\"=hex:0\r\n";
    std::ostringstream out2, err2;
    EXPECT_EQ(ImportSettingsFile(store, broken, out2, err2), 1);
    EXPECT_NE(err2.str().find("line 4:"), std::string::npos) << err2.str();
    EXPECT_EQ(Program(store, "ProfileName1"), "Work");

    const std::string good = (dir / "good.reg").string();
    std::ofstream(good, std::ios::binary)
        << "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Kestrane\\Pandrel]\r\n\"ProfileName1\"=\"Home\"\r\n"
           "[HKEY_LOCAL_MACHINE\\Software\\Kestrane\\Pandrel]\r\n\"ProfileName1\"=\"Machine\"\r\n";
    std::ostringstream out3, err3;
    EXPECT_EQ(ImportSettingsFile(store, good, out3, err3), 0) << err3.str();
    EXPECT_EQ(Program(store, "ProfileName1"), "Home");
    EXPECT_NE(out3.str().find("1 keys and 1 values written"), std::string::npos) << out3.str();
    EXPECT_NE(out3.str().find("Skipped line 4: [HKEY_LOCAL_MACHINE"), std::string::npos) << out3.str();

    // The export round-trips back over a changed store.
    std::ostringstream out4, err4;
    EXPECT_EQ(ImportSettingsFile(store, exported, out4, err4), 0) << err4.str();
    EXPECT_EQ(Program(store, "ProfileName1"), "Work");
}

// After damage the store starts empty: exported then, it would replace the
// backup that can bring the settings back. An export replaces its file whole.
TEST(SettingsTransferCommandTest, NoExportAfterDamageAndAnExportReplacesItsFileWhole)
{
    TempDir dir;
    const std::string backup = (dir / "backup.reg").string(), kept = "REGEDIT4\r\n; the good settings\r\n";
    std::ofstream(backup, std::ios::binary) << kept;
    std::ofstream(dir / "settings.db", std::ios::binary) << "not a database";
    {
        RegistryStore damaged(dir.path());
        ASSERT_FALSE(damaged.DamagedCopy().empty());
        std::ostringstream out, err;
        EXPECT_EQ(ExportSettingsFile(damaged, backup, out, err), 1);
        EXPECT_NE(err.str().find(damaged.DamagedCopy().string()), std::string::npos) << err.str();
        EXPECT_EQ(Contents(std::ifstream(backup, std::ios::binary)), kept);
    }
    RegistryStore store(dir.path());
    std::ifstream before(backup, std::ios::binary);
    std::ostringstream out, err;
    ASSERT_EQ(ExportSettingsFile(store, backup, out, err), 0) << err.str();
    EXPECT_EQ(Contents(std::move(before)), kept) << "the old file was overwritten in place";
}

// An import holds one line in memory, never the file: 32 MiB of empty lines.
TEST(SettingsTransferCommandTest, ImportReadsOneLineAtATime)
{
    TempDir dir;
    RegistryStore store(dir / "store");
    const auto file = dir / "blank.reg";
    std::ofstream(file, std::ios::binary) << "REGEDIT4\r\n" << std::string(32 << 20, '\n')
                                          << "[HKEY_CURRENT_USER\\Software\\Kestrane\\Pandrel]\r\n\"ProfileName1\"=\"Home\"\r\n";
    const long before = PeakKiB(true);
    std::ostringstream out, err;
    ASSERT_EQ(ImportSettingsFile(store, file.string(), out, err), 0) << err.str();
    EXPECT_EQ(Program(store, "ProfileName1"), "Home");
    EXPECT_LT(PeakKiB() - before, 16 * 1024) << "KiB more at the peak";
}
