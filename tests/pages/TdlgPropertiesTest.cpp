// The Page Properties dialog on its own: layout texts, the radio group and
// how each way of closing answers.
#include "ModalAnswer.h"
#include "TdlgProperties.h"

#include <gtest/gtest.h>
#include <gtkmm.h>

TEST(TdlgProperties, CaptionsGroupAndInitialChoice)
{
    pages::TdlgProperties dialog;
    EXPECT_EQ(dialog.get_title(), "Page Properties");
    EXPECT_FALSE(dialog.get_resizable());
    EXPECT_EQ(dialog.radRememberLast.get_label(), "Remember Last URL");
    EXPECT_EQ(dialog.radUseInitialURL.get_label(), "Use Initial URL every session");
    EXPECT_TRUE(dialog.radUseInitialURL.get_active());
    EXPECT_FALSE(dialog.RememberLast());

    // The user's clicks: one group, exactly one checked, and the answer follows it.
    dialog.radRememberLast.clicked();
    EXPECT_TRUE(dialog.RememberLast());
    EXPECT_FALSE(dialog.radUseInitialURL.get_active()) << "one group: exactly one is checked";
    dialog.radUseInitialURL.clicked();
    EXPECT_FALSE(dialog.RememberLast());
    EXPECT_FALSE(dialog.radRememberLast.get_active());
}

TEST(TdlgProperties, EnterAnswersOkAndClientAreaHasItsSize)
{
    pages::TdlgProperties dialog;
    int clientWidth = 0;
    int clientHeight = 0;
    ModalAnswer enter("Page Properties", [&](Gtk::Window& w) {
        clientWidth = dialog.get_content_area()->get_allocated_width();
        clientHeight = dialog.get_content_area()->get_allocated_height();
        SendKey(w, GDK_KEY_Return);
    });
    EXPECT_TRUE(dialog.Execute(nullptr));
    EXPECT_TRUE(enter.Answered());
    EXPECT_EQ(clientWidth, 282);
    EXPECT_EQ(clientHeight, 117);

    ModalAnswer escape("Page Properties", [](Gtk::Window& w) { SendKey(w, GDK_KEY_Escape); });
    EXPECT_FALSE(dialog.Execute(nullptr));
    EXPECT_TRUE(escape.Answered());
}
