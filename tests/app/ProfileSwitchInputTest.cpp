// Profile-button presses that arrive while a profile switch lets pending input
// run: they wait for the switch, the last one counts, and the button shown
// down is always the profile whose pages are open.
#include "ProgramFixture.h"

#include <gtkmm.h>

namespace {
using Strings = std::vector<std::string>;
} // namespace

class ProfileSwitchInputTest : public ProgramFixture {
protected:
    // The profile number of the one button shown down (-1 none, -2 several).
    int ShownDown()
    {
        int down = -1;
        for (int n = 0; n < 10; ++n)
            if (ProfileButton(n).get_active())
                down = down == -1 ? n : -2;
        return down;
    }
    // The profile the open pages belong to, by their labels ("P<n>-...").
    int OpenProfile()
    {
        if (List().PageCount() == 0)
            return -1;
        return List().Caption(0).size() > 1 ? List().Caption(0)[1] - '0' : -1;
    }
    void Open(int profile, int count)
    {
        for (int i = 0; i < count; ++i)
            List().OpenPage("http://127.0.0.1:9/p" + std::to_string(profile) + "/" + std::to_string(i),
                            "P" + std::to_string(profile) + "-" + std::to_string(i));
    }
};

TEST_F(ProfileSwitchInputTest, PressesDuringASwitchRunAfterItAndTheDownButtonFollowsThePages)
{
    Start();
    List().CloseAllPages();
    Open(1, 30);
    ProfileButton(2).clicked();
    Open(2, 2);
    ProfileButton(3).clicked();
    Open(3, 3);
    ProfileButton(1).clicked();
    ASSERT_EQ(List().PageCount(), 30);
    ASSERT_EQ(ShownDown(), 1);

    // Presses 2 and 3 are waiting while the switch to 1 lets pending input run;
    // each check sees the shown button and the open pages agree.
    std::vector<std::pair<int, int>> seen; // (button shown down, profile of the open pages)
    auto look = [&] { seen.emplace_back(ShownDown(), OpenProfile()); };
    Glib::signal_idle().connect_once([&] { look(); ProfileButton(2).clicked(); look(); });
    Glib::signal_idle().connect_once([&] { look(); ProfileButton(3).clicked(); look(); });
    ProfileButton(1).clicked();
    look();
    RunPendingEvents();

    EXPECT_EQ(Main().Profiles().CurrentProfile(), "Profile3") << "the last press counts";
    EXPECT_EQ(ShownDown(), 3);
    EXPECT_EQ(OpenProfile(), 3);
    EXPECT_EQ(List().PageCount(), 3);
    ASSERT_EQ(seen.size(), 5u) << "the queued presses ran during the switch";
    for (const auto& [down, open] : seen)
        EXPECT_EQ(down, open) << "the button shown down is the profile whose pages are open";

    // A new page now belongs to profile 3, and profile 2 keeps its two pages.
    List().OpenPage("http://127.0.0.1:9/new", "P3-new");
    ProfileButton(2).clicked();
    EXPECT_EQ(StoredNumber("Profile3", "Sites"), 4);
    EXPECT_EQ(StoredText("Profile3", "Label3"), "P3-new");
    EXPECT_EQ(StoredNumber("Profile2", "Sites"), 2);
    EXPECT_EQ(StoredNumber("Profile1", "Sites"), 30);
    EXPECT_EQ(ShownDown(), 2);
    EXPECT_EQ(OpenProfile(), 2);
    EXPECT_TRUE(reports_.empty());
}
