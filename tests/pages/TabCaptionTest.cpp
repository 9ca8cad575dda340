// Page labels of any length on their tabs: one line, a bounded width, the
// whole text kept and shown as the tab's tooltip.
#include "PagesFixture.h"

using TabCaptionTest = PagesFixture;
using pages::TabCaption;

TEST_F(TabCaptionTest, LabelsShowOnOneLineAtABoundedWidthWithTheWholeTextAsTooltip)
{
    List().OpenPage("http://a.example/", "Bbb");
    EXPECT_EQ(List().Tab(0).Tooltip(), "") << "a short label needs no tooltip";

    const std::string label = "first line\r\nsecond line\t" + std::string(200, 'w');
    List().SetPageLabel(label);
    EXPECT_EQ(List().Caption(0), label);
    Gtk::Label& tab = List().Tab(0).Widget();
    EXPECT_EQ(tab.get_text().substr(0, 24), "first line  second line ");
    EXPECT_EQ(List().Tab(0).Tooltip(), label);
    int minimum = 0, natural = 0;
    tab.get_preferred_width(minimum, natural);
    int charWidth = 0, height = 0;
    tab.create_pango_layout(std::string(TabCaption::kShownChars, 'w'))->get_pixel_size(charWidth, height);
    EXPECT_LE(natural, charWidth + 8) << "the tab asks for no more than its shown characters";
    EXPECT_GE(minimum, charWidth / 2) << "a notebook gives a tab its least width: enough to read the label by";

    // Invalid bytes from the store still show, and the label stays as stored.
    List().OpenPage("http://b.example/", "caf\xe9");
    EXPECT_EQ(List().Caption(1), "caf\xe9");
    EXPECT_EQ(List().Tab(1).Widget().get_text(), "caf\xef\xbf\xbd");
}
