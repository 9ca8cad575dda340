// The settings export and import options: a private export file, a merge that
// reports what it took, and a malformed file refused by line with nothing changed.
#include "RegistryStore.h"
#include "SettingsTransferCommand.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
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
