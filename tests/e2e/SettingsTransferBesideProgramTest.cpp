// Settings moved in or out beside a Pandrel running on the same folder would be
// overwritten at its close: refused then, taken once it has ended.
#include "LocalHttpServer.h"
#include "ProgramProcess.h"
#include "ProgramStore.h"
#include "RegistryStore.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace std::chrono_literals;

TEST(SettingsTransfer, RefusedWhilePandrelRunsOnTheFolder)
{
    LocalHttpServer server;
    server.AddPage("/first", "<html><body>first</body></html>");
    TempDir settings, files;
    SeedStore(settings.path(), server.Url("/first"));
    const std::string import = (files / "import.reg").string(), exported = (files / "export.reg").string();
    std::ofstream(import, std::ios::binary)
        << "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Kestrane\\Pandrel\\Profile7]\r\n\"Sites\"=dword:00000000\r\n";
    const auto profile7 = [&] {
        platform::RegistryStore store(settings.path());
        platform::RegKey key;
        return store.OpenKey(platform::RegRoot::CurrentUser, "Software\\Kestrane\\Pandrel\\Profile7", key)
            == platform::kRegSuccess;
    };

    ProgramProcess running({}, On(settings));
    ASSERT_TRUE(WaitForRequest(server, "/first")) << running.Errors();
    for (const std::string option : {"--import-settings", "--export-settings"}) {
        ProgramProcess transfer({option, option == "--import-settings" ? import : exported}, On(settings));
        EXPECT_EQ(transfer.WaitForExit(20s), 1) << option << ": " << transfer.Output();
        EXPECT_NE(transfer.Errors().find("Pandrel is running on the settings folder " + settings.path().string()),
                  std::string::npos) << transfer.Errors();
    }
    EXPECT_FALSE(std::filesystem::exists(exported));
    ASSERT_EQ(running.Terminate(), 0) << running.Errors();
    EXPECT_FALSE(profile7()) << "the import changed nothing";

    ProgramProcess after({"--import-settings", import}, On(settings));
    EXPECT_EQ(after.WaitForExit(20s), 0) << after.Errors();
    EXPECT_TRUE(profile7());
}
