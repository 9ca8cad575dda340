// Storing and loading page sets, without widgets.
#include "FakePageSetHost.h"
#include "ProfilePageSets.h"
#include "ProgramIdentity.h"
#include "Raised.h"
#include "SettingsKey.h"
#include "StoreInspection.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <vector>

using namespace profiles;
using platform::RegistryStore;

namespace {

class ProfilePageSetsTest : public ::testing::Test {
protected:
    TempDir dir;
    RegistryStore store{dir.path()};
    FakePageSetHost host;
};

} // namespace

TEST_F(ProfilePageSetsTest, SaveThenLoadReopensRememberedPagesWhereTheyWere)
{
    host.Add("Local", "http://127.0.0.1/home", false, "http://127.0.0.1/elsewhere");
    host.Add("Docs", "http://127.0.0.1/docs", true, "http://127.0.0.1/docs/page7");
    SaveProfilePages(store, "Profile4", host);

    EXPECT_EQ(StoredNumber(store, "Profile4", "Sites"), 2);
    EXPECT_EQ(StoredText(store, "Profile4", "Label0"), "Local");
    EXPECT_EQ(StoredText(store, "Profile4", "URL0"), "http://127.0.0.1/home"); // not remembered
    EXPECT_EQ(StoredText(store, "Profile4", "RemURL0"), "N");
    EXPECT_EQ(StoredText(store, "Profile4", "FirstURL1"), "http://127.0.0.1/docs");
    EXPECT_EQ(StoredText(store, "Profile4", "URL1"), "http://127.0.0.1/docs/page7");
    EXPECT_EQ(StoredText(store, "Profile4", "RemURL1"), "Y");

    FakePageSetHost loaded;
    LoadProfilePages(store, "Profile4", loaded);
    ASSERT_EQ(loaded.PageCount(), 2);
    EXPECT_EQ(loaded.pages[0].caption, "Local");
    EXPECT_EQ(loaded.pages[0].location, "http://127.0.0.1/home");
    EXPECT_FALSE(loaded.pages[0].rememberLastURL);
    EXPECT_EQ(loaded.pages[1].location, "http://127.0.0.1/docs/page7");
    EXPECT_EQ(loaded.pages[1].firstURL, "http://127.0.0.1/docs"); // Home stays the first URL
    EXPECT_TRUE(loaded.pages[1].rememberLastURL);
    EXPECT_EQ(loaded.current, 0);
}

TEST_F(ProfilePageSetsTest, LoadingHoldsNoWriteLockWhileItsPagesOpen)
{
    host.Add("A", "http://127.0.0.1/a", false, "http://127.0.0.1/a");
    host.Add("B", "http://127.0.0.1/b", true, "http://127.0.0.1/b2");
    SaveProfilePages(store, "Profile2", host);

    // Another connection (as another process would) writes while each page opens.
    RegistryStore other(dir.path(), std::chrono::milliseconds(100));
    std::vector<platform::RegStatus> otherWrites;
    FakePageSetHost loaded;
    loaded.onOpen = [&] {
        platform::Transaction writing(other);
        otherWrites.push_back(writing.Begin());
        if (otherWrites.back() == platform::kRegSuccess)
            writing.Commit();
    };
    LoadProfilePages(store, "Profile2", loaded);
    ASSERT_EQ(loaded.PageCount(), 2);
    EXPECT_EQ(otherWrites, std::vector<platform::RegStatus>(2, platform::kRegSuccess))
        << "170 means the other writer found the store locked";
    EXPECT_EQ(StoredText(store, "Profile2", "URL1"), "http://127.0.0.1/b2"); // written back after
}

TEST_F(ProfilePageSetsTest, SmallerSaveLeavesOldEntriesThatAreNeverReadAgain)
{
    for (int i = 0; i < 3; ++i)
        host.Add("P" + std::to_string(i), "http://127.0.0.1/" + std::to_string(i), false, "");
    SaveProfilePages(store, "Profile2", host);
    host.pages.resize(1);
    SaveProfilePages(store, "Profile2", host);
    EXPECT_EQ(StoredNumber(store, "Profile2", "Sites"), 1);
    EXPECT_EQ(StoredText(store, "Profile2", "Label2"), "P2");
    FakePageSetHost loaded;
    LoadProfilePages(store, "Profile2", loaded);
    EXPECT_EQ(loaded.PageCount(), 1);
}

TEST_F(ProfilePageSetsTest, RememberFlagIsExactlyCapitalYAndIsWrittenBack)
{
    StoreNumber(store, "Profile3", "Sites", 2);
    StoreText(store, "Profile3", "URL0", "http://127.0.0.1/last");
    StoreText(store, "Profile3", "FirstURL0", "http://127.0.0.1/first");
    StoreText(store, "Profile3", "RemURL0", "y");
    // Page 1 has no entries at all: empty texts, not remembering.
    FakePageSetHost loaded;
    LoadProfilePages(store, "Profile3", loaded);
    ASSERT_EQ(loaded.PageCount(), 2);
    EXPECT_FALSE(loaded.pages[0].rememberLastURL);
    EXPECT_EQ(loaded.pages[0].location, "http://127.0.0.1/last");
    EXPECT_EQ(StoredText(store, "Profile3", "RemURL0"), "N");
    EXPECT_EQ(StoredText(store, "Profile3", "URL0"), "http://127.0.0.1/first"); // written back
    EXPECT_EQ(StoredText(store, "Profile3", "Label1"), "<missing>");
    EXPECT_EQ(StoredText(store, "Profile3", "RemURL1"), "N");
}

TEST_F(ProfilePageSetsTest, EmptyProfilesAndTheDefaultPageOfProfile1)
{
    // No program key yet: loading creates it through an empty save.
    LoadProfilePages(store, "Profile1", host);
    ASSERT_EQ(host.PageCount(), 1);
    EXPECT_EQ(host.pages[0].caption, "Kestrane");
    EXPECT_EQ(host.pages[0].location, platform::kMakerWebSite);
    EXPECT_EQ(StoredNumber(store, "Profile1", "Sites"), 0); // reaches the store only when saved

    FakePageSetHost other;
    LoadProfilePages(store, "Profile6", other);
    EXPECT_EQ(other.PageCount(), 0);
    EXPECT_TRUE(ProfileExists(store, "Profile6")); // created by the load
    EXPECT_FALSE(ProfileExists(store, "Profile7"));
    EXPECT_TRUE(ProfileExists(store, "profile6"));

    StoreNumber(store, "Profile8", "Sites", -3);
    LoadProfilePages(store, "Profile8", other);
    EXPECT_EQ(other.PageCount(), 0);

    EXPECT_TRUE(IsProfileEmpty(store, 7)); // never used: empty, and its key now exists
    EXPECT_TRUE(ProfileExists(store, "Profile7"));
    EXPECT_FALSE(IsProfileEmpty(store, 8)); // a negative count is not empty
    StoreNumber(store, "Profile9", "Sites", 2);
    EXPECT_FALSE(IsProfileEmpty(store, 9));
}

TEST_F(ProfilePageSetsTest, DamagedSitesValuesAreReportedWithoutChangingAnything)
{
    StoreText(store, "Profile5", "Sites", "12");
    EXPECT_EQ(MessageOf([&] { LoadProfilePages(store, "Profile5", host); }), "Invalid data type for 'Sites'");
    EXPECT_EQ(MessageOf([&] { IsProfileEmpty(store, 5); }), "Invalid data type for 'Sites'");
    StoreText(store, "Profile5", "Sites", "1234");
    EXPECT_EQ(MessageOf([&] { LoadProfilePages(store, "Profile5", host); }), "Failed to get data for 'Sites'");
    EXPECT_EQ(host.PageCount(), 0);

    // A count larger than the key can hold: refused before anything opens or is written.
    StoreNumber(store, "Profile5", "Sites", 2000000000);
    StoreText(store, "Profile5", "Label0", "keep");
    StoreText(store, "Profile5", "RemURL0", "y");
    const std::string message = MessageOf([&] { LoadProfilePages(store, "Profile5", host); });
    EXPECT_NE(message.find("Profile5"), std::string::npos) << message;
    EXPECT_NE(message.find("2000000000"), std::string::npos) << message;
    EXPECT_EQ(host.opened, 0);
    EXPECT_EQ(StoredText(store, "Profile5", "RemURL0"), "y");
    EXPECT_FALSE(IsProfileEmpty(store, 5));
}

TEST_F(ProfilePageSetsTest, FailedSaveLeavesThePreviousPageSetWhole)
{
    host.Add("One", "http://127.0.0.1/1", true, "http://127.0.0.1/1b");
    SaveProfilePages(store, "Profile1", host);
    host.Add("Two", "http://127.0.0.1/2", false, "");
    host.Add("Three", "http://127.0.0.1/3", true, "http://127.0.0.1/3b");
    host.failLocation = true;
    EXPECT_EQ(MessageOf([&] { SaveProfilePages(store, "Profile1", host); }),
              "The browser could not tell its location.");
    EXPECT_EQ(StoredNumber(store, "Profile1", "Sites"), 1);
    EXPECT_EQ(StoredText(store, "Profile1", "URL0"), "http://127.0.0.1/1b");
    EXPECT_EQ(StoredText(store, "Profile1", "Label1"), "<missing>");
}

TEST(ProfilePageSets, UnavailableStoreWritesNothingAndOpensNothing)
{
    TempDir dir;
    std::ofstream(dir / "file") << "x";
    RegistryStore store(dir / "file" / "sub");
    FakePageSetHost host;
    host.Add("A", "http://127.0.0.1/", false, "");
    EXPECT_NO_THROW(SaveProfilePages(store, "Profile1", host));
    FakePageSetHost loaded;
    EXPECT_NO_THROW(LoadProfilePages(store, "Profile1", loaded));
    EXPECT_EQ(loaded.PageCount(), 0);
    EXPECT_FALSE(ProfileExists(store, "Profile1"));
    EXPECT_TRUE(IsProfileEmpty(store, 1));
}
