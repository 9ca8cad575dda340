// The test programs themselves: whatever the environment names, tests keep
// their settings in a temporary folder of their own.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

TEST(TestSettingsFolder, IsATemporaryFolderWhateverTheEnvironmentNamed)
{
    const char* folder = std::getenv("PANDREL_CONFIG_DIR");
    ASSERT_NE(folder, nullptr);
    const std::string expectedStart = (std::filesystem::temp_directory_path() / "pandrel-test-").string();
    EXPECT_EQ(std::string(folder).rfind(expectedStart, 0), 0u) << folder;
    EXPECT_TRUE(std::filesystem::is_directory(folder)) << folder;
}
