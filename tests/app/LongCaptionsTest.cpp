// Page labels and profile-button captions of any length: kept exactly, shown
// so that the main window stays within the screen, also after a restart.
#include "ProgramFixture.h"

#include <gtkmm.h>

namespace {

// A pasted paragraph of about n characters, with a line break in it.
std::string Paragraph(std::size_t n)
{
    std::string text = "A pasted paragraph,\nwith a line break and";
    while (text.size() < n)
        text += " words that go on and on";
    return text.substr(0, n);
}

} // namespace

class LongCaptionsTest : public ProgramFixture {
protected:
    // The window can be as narrow as the screen, is maximised to it, and
    // every profile button lies inside it.
    void ExpectWithinScreen(const std::string& when)
    {
        const int screen = Main().get_screen()->get_width();
        int minimum = 0, natural = 0;
        Main().get_preferred_width(minimum, natural);
        EXPECT_LE(minimum, screen) << when << ": the window cannot be narrower than " << minimum << " px";
        const bool settled = RunUntil([&] {
            int x = 0, y = 0;
            ProfileButton(0).translate_coordinates(Main(), 0, 0, x, y);
            return Main().is_maximized() && Main().get_allocated_width() <= screen &&
                   x + ProfileButton(0).get_allocated_width() <= Main().get_allocated_width();
        });
        EXPECT_TRUE(settled) << when << ": window " << Main().get_allocated_width() << " px wide on a " << screen
                             << " px screen";
    }
};

TEST_F(LongCaptionsTest, LongLabelAndCaptionKeepTheWindowWithinTheScreenAcrossARestart)
{
    Start();
    const std::string label = Paragraph(5000);
    const std::string caption(1000, 'W');
    ASSERT_EQ(Main().Pages().List().PageCount(), 1);
    Main().Pages().List().SetPageLabel(label);
    ExpectWithinScreen("after the label");
    Main().Profiles().SetProfileButtonCaption(ProfileButton(5), caption);
    ExpectWithinScreen("after the caption");
    EXPECT_EQ(Main().Pages().List().Caption(0), label);
    EXPECT_EQ(ProfileButton(5).get_accessible()->get_name(), "Profile 5: " + caption) << "the whole caption is in its accessible name";

    CloseByTitleBar();
    Stop();
    Start();
    ExpectWithinScreen("after a restart");
    EXPECT_EQ(StoredText("Profile1", "Label0"), label) << "the label is stored as given";
    EXPECT_EQ(StoredText("", "ProfileName5"), caption);
    EXPECT_EQ(Main().Pages().List().Caption(0), label);
    EXPECT_EQ(ProfileButton(5).get_label(), caption);
    EXPECT_TRUE(reports_.empty());
}
