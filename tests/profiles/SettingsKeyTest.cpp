// The per-operation accessor: the store's messages for wrong types and sizes,
// and one transaction per operation.
#include "Raised.h"
#include "SettingsKey.h"
#include "StoreInspection.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace profiles;
using platform::RegistryStore;

TEST(SettingsKey, ReadsTextAndNumbersAndReportsWrongTypesAndSizes)
{
    TempDir dir;
    RegistryStore store(dir.path());
    StoreText(store, "", "Plain", "abc");
    Store(store, "", "Expand", platform::REG_EXPAND_SZ, std::string("%HOME%\0tail", 11));
    Store(store, "", "Unterminated", platform::REG_SZ, "xyz");
    StoreNumber(store, "", "Negative", -7);
    StoreText(store, "", "Short", "123");       // 4 bytes with its NUL
    StoreText(store, "", "Long", "1234");       // 5 bytes
    Store(store, "", "Wide", platform::REG_DWORD, std::string(8, '\0'));
    Store(store, "", "Half", platform::REG_DWORD, std::string("\x05\x01", 2));

    SettingsKey key(store);
    ASSERT_TRUE(key.OpenProgramKey(false));
    EXPECT_EQ(key.ReadString("plain"), "abc");
    EXPECT_EQ(key.ReadString("Expand"), "%HOME%"); // not expanded, ends at NUL
    EXPECT_EQ(key.ReadString("Unterminated"), "xyz");
    EXPECT_EQ(key.ReadString("Missing"), "");
    EXPECT_EQ(key.ReadInteger("Negative"), -7);
    EXPECT_TRUE(key.ReadBool("Negative"));
    EXPECT_EQ(key.ReadInteger("Half"), 0x0105);

    EXPECT_EQ(MessageOf<ESettingsError>([&] { key.ReadInteger("Short"); }), "Invalid data type for 'Short'");
    EXPECT_EQ(MessageOf<ESettingsError>([&] { key.ReadInteger("Long"); }), "Failed to get data for 'Long'");
    EXPECT_EQ(MessageOf<ESettingsError>([&] { key.ReadInteger("Wide"); }), "Failed to get data for 'Wide'");
    EXPECT_EQ(MessageOf<ESettingsError>([&] { key.ReadInteger("Missing"); }), "Failed to get data for 'Missing'");
    EXPECT_EQ(MessageOf<ESettingsError>([&] { key.ReadString("Negative"); }), "Invalid data type for 'Negative'");
    // Looking for a text among numbered values names the first that is not text.
    StoreText(store, "", "URL1", "a");
    StoreNumber(store, "", "URL12", 1);
    StoreNumber(store, "", "URL3", 1);
    EXPECT_EQ(MessageOf<ESettingsError>([&] { key.NumberedTextExists("URL", 1, 20, "b"); }),
              "Invalid data type for 'URL3'");
    EXPECT_TRUE(key.ValueExists("Wide"));
    EXPECT_FALSE(key.ValueExists("Missing"));
}

TEST(SettingsKey, WritesAreOneTransactionKeptOnlyWhenCommitted)
{
    TempDir dir;
    RegistryStore store(dir.path());
    {
        SettingsKey key(store);
        ASSERT_TRUE(key.OpenProgramKey(true));
        ASSERT_TRUE(key.OpenKey("Profile2", true));
        key.WriteString("Label0", "kept");
        key.WriteInteger("Sites", 1);
        key.Commit();
    }
    EXPECT_EQ(StoredText(store, "Profile2", "Label0"), "kept");
    auto raw = StoredValue(store, "Profile2", "Label0");
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->type, platform::REG_SZ);
    EXPECT_EQ(raw->data, std::string("kept\0", 5)); // the NUL is counted
    EXPECT_EQ(StoredNumber(store, "Profile2", "Sites"), 1);

    {
        SettingsKey key(store);
        ASSERT_TRUE(key.OpenKey("\\Software\\Kestrane\\Pandrel\\Profile2", false));
        key.WriteString("Label0", "dropped");
        key.WriteBool("Sites", false);
    } // no commit: an error ended the operation
    EXPECT_EQ(StoredText(store, "Profile2", "Label0"), "kept");
    EXPECT_EQ(StoredNumber(store, "Profile2", "Sites"), 1);

    SettingsKey key(store);
    EXPECT_FALSE(key.OpenKey("\\Software\\Kestrane\\Pandrel\\Profile3", false));
    EXPECT_EQ(MessageOf<ESettingsError>([&] { key.WriteString("Label0", "x"); }), "Failed to set data for 'Label0'");
    EXPECT_EQ(MessageOf<ESettingsError>([&] { key.WriteInteger("Sites", 1); }), "Failed to set data for 'Sites'");
}

TEST(SettingsKey, UnavailableStoreOpensNothing)
{
    TempDir dir;
    std::ofstream(dir / "file") << "x";
    RegistryStore store(dir / "file" / "sub");
    SettingsKey key(store);
    EXPECT_FALSE(key.OpenProgramKey(true));
    EXPECT_FALSE(key.ValueExists("Welcomed"));
    EXPECT_NO_THROW(key.Commit());
}
