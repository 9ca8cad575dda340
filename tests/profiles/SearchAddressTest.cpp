// The stored web search: used when it is text, the given default otherwise.
#include "SearchAddress.h"
#include "StoreInspection.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using profiles::ReadSearchAddress;

TEST(SearchAddress, StoredTextIsUsedAndAnythingElseGivesTheDefault)
{
    TempDir dir;
    platform::RegistryStore store(dir.path());
    const std::string fallback = "https://default.example/?q=%s";
    EXPECT_EQ(ReadSearchAddress(store, fallback), fallback) << "no program key";

    StoreText(store, "", "SearchURL", "http://127.0.0.1:9/find?w=%s");
    EXPECT_EQ(ReadSearchAddress(store, fallback), "http://127.0.0.1:9/find?w=%s");
    StoreNumber(store, "", "SearchURL", 7);
    EXPECT_EQ(ReadSearchAddress(store, fallback), fallback) << "a number is no address";
    StoreText(store, "", "SearchURL", "");
    EXPECT_EQ(ReadSearchAddress(store, fallback), fallback);
    StoreText(store, "", "SearchURL", "http://x/?q=%s" + std::string(5000, 'x'));
    EXPECT_EQ(ReadSearchAddress(store, fallback), fallback);
    EXPECT_EQ(StoredText(store, "", "SearchURL").size(), 5014u) << "the stored value is left as it is";
}
