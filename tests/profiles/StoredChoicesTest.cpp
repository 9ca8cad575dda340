// Values the store hands back are taken only in the shape the program wrote
// them: the page-load choice as the number 1, the recovery record only whole.
#include "PageLoadOption.h"
#include "RecoveryRecord.h"
#include "StoreInspection.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using namespace profiles;

TEST(StoredChoices, LoadPagesWhenShownIsOnOnlyAsTheNumberOne)
{
    TempDir dir;
    platform::RegistryStore store(dir.path());
    EXPECT_FALSE(ReadLoadPagesWhenShown(store)) << "never chosen";
    StoreNumber(store, "", "LoadPagesWhenShown", 1);
    EXPECT_TRUE(ReadLoadPagesWhenShown(store));
    StoreNumber(store, "", "LoadPagesWhenShown", 2);
    EXPECT_FALSE(ReadLoadPagesWhenShown(store)) << "any other number is off";
    StoreNumber(store, "", "LoadPagesWhenShown", -1);
    EXPECT_FALSE(ReadLoadPagesWhenShown(store));
    StoreText(store, "", "LoadPagesWhenShown", "1");
    EXPECT_FALSE(ReadLoadPagesWhenShown(store)) << "text is no choice";
}

TEST(StoredChoices, ARecoveryRecordIsOfferedOnlyWhole)
{
    TempDir dir;
    platform::RegistryStore store(dir.path());
    const RecoverySnapshot written{"Profile4",
                                   {{"News", "http://127.0.0.1:9/news", "http://127.0.0.1:9/news/2", true, ""},
                                    {"Mail", "http://127.0.0.1:9/mail", "http://127.0.0.1:9/mail", false, ""}}};
    const std::string record = kRecoveryKey;
    const auto damaged = [&](auto damage) {
        WriteRecoveryRecord(store, written);
        EXPECT_EQ(ReadPendingRecovery(store), written) << "the record before its damage";
        damage();
        return !ReadPendingRecovery(store).has_value();
    };
    EXPECT_TRUE(damaged([&] { MarkRecoveryClean(store); })) << "a clean close offers nothing";
    EXPECT_TRUE(damaged([&] { StoreText(store, record, "Profile", "Profile10"); }));
    EXPECT_TRUE(damaged([&] { StoreText(store, record, "Profile", "..\\Profile4"); }));
    EXPECT_TRUE(damaged([&] { StoreNumber(store, record, "Sites", 0); }));
    EXPECT_TRUE(damaged([&] { StoreNumber(store, record, "Sites", 3); })) << "more pages than values";
    EXPECT_TRUE(damaged([&] { StoreNumber(store, record, "Sites", 0x7fffffff); }));
    EXPECT_TRUE(damaged([&] { StoreText(store, record, "Sites", "2"); }));
    const auto dropOnePagesValue = [&] {
        platform::RegKey key;
        ASSERT_EQ(store.OpenKey(platform::RegRoot::CurrentUser, KeyPath(record), key), platform::kRegSuccess);
        ASSERT_EQ(store.DeleteValue(key, "RemURL1"), platform::kRegSuccess);
        StoreText(store, record, "Unrelated", "keeps the count of values up");
    };
    EXPECT_TRUE(damaged(dropOnePagesValue)) << "a page missing one of its values";
}
