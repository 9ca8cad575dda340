// The first-run check.
#include "ShowWelcomeOnce.h"
#include "StoreInspection.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace profiles;
using platform::RegistryStore;

TEST(ShowWelcomeOnce, ShowsUntilWelcomedIsStoredWhateverItsTypeOrText)
{
    TempDir dir;
    RegistryStore store(dir.path());
    int shown = 0;
    auto show = [&shown] { ++shown; };
    ShowWelcomeOnce(store, show);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(StoredText(store, "", "Welcomed"), "Y");
    ShowWelcomeOnce(store, show);
    EXPECT_EQ(shown, 1);

    StoreText(store, "", "Welcomed", "");
    ShowWelcomeOnce(store, show);
    StoreNumber(store, "", "Welcomed", 0);
    ShowWelcomeOnce(store, show);
    EXPECT_EQ(shown, 1);
}

TEST(ShowWelcomeOnce, ErrorsAreSwallowedAndAnUnusableStoreShowsEveryTime)
{
    TempDir dir;
    RegistryStore store(dir.path());
    EXPECT_NO_THROW(ShowWelcomeOnce(store, [] { throw std::runtime_error("dialog failed"); }));
    EXPECT_FALSE(StoredValue(store, "", "Welcomed"));

    std::ofstream(dir / "file") << "x";
    RegistryStore unusable(dir / "file" / "sub");
    int shown = 0;
    ShowWelcomeOnce(unusable, [&shown] { ++shown; });
    ShowWelcomeOnce(unusable, [&shown] { ++shown; });
    EXPECT_EQ(shown, 2);
}
