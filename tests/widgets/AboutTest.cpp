// The About box: its content, one window shown and hidden again, the keys that
// close it and the link.
#include "KeyEvents.h"
#include "MainLoop.h"
#include "ModalAnswer.h"
#include "ProgramIdentity.h"
#include "RenderWidget.h"
#include "ScopedShellOpener.h"
#include "TfrmAbout.h"
#include "WidgetSearch.h"

#include <gtest/gtest.h>

namespace {

// A key pressed in window, and what it set off run.
void Press(Gtk::Window& window, guint keyval)
{
    PressKey(window, keyval);
    RunPendingEvents();
}

} // namespace

TEST(TfrmAbout, ShowsItsVersionAndLinkOnABlueToRedBackdropAndItsClipPlaysWhileHidden)
{
    TfrmAbout about;
    EXPECT_FALSE(about.get_visible());
    const int frame = about.Animation().CurrentFrame();
    EXPECT_TRUE(RunUntil([&] { return about.Animation().CurrentFrame() != frame; }, std::chrono::seconds(5)))
        << "the clip moves on while the box is hidden";

    about.ShowModeless();
    ASSERT_TRUE(WaitForNextPaint(about));
    EXPECT_EQ(about.get_title(), "About");
    EXPECT_FALSE(about.get_resizable());
    EXPECT_EQ(about.VersionLabel().get_text(), "Version 2.0 Build 31");
    EXPECT_EQ(about.UrlLabel().Caption(), platform::kMakerWebSite) << "the link shows where it leads";
    EXPECT_EQ(about.OkButton().get_label(), "_OK");
    EXPECT_TRUE(about.OkButton().get_use_underline());
    const auto backdrop = DrawShown(about.GradFill());
    EXPECT_EQ(PixelAt(backdrop, 1, 0), clBlue);
    EXPECT_EQ(PixelAt(backdrop, 1, backdrop->get_height() - 1), 0x0300FB) << "nearly red at the bottom";
    about.hide();
}

TEST(TfrmAbout, ShowsOneWindowAndOkHidesIt)
{
    TfrmAbout about;
    about.ShowModeless();
    about.ShowModeless();
    RunPendingEvents();
    EXPECT_TRUE(about.get_visible());
    EXPECT_EQ(VisibleWindows("About").size(), 1u);
    EXPECT_EQ(about.get_focus(), &about.OkButton());

    about.OkButton().clicked();
    EXPECT_FALSE(about.get_visible());
    EXPECT_TRUE(VisibleWindows("About").empty());

    // Shown again, it is the same box with the same state.
    about.ShowModeless();
    RunPendingEvents();
    EXPECT_TRUE(about.get_visible());
    EXPECT_EQ(about.VersionLabel().get_text(), "Version 2.0 Build 31");
    about.hide();
}

TEST(TfrmAbout, EnterAndSpaceCloseItEscapeDoesNot)
{
    TfrmAbout about;
    for (guint key : {GDK_KEY_Return, GDK_KEY_space}) {
        about.ShowModeless();
        RunPendingEvents();
        Press(about, GDK_KEY_Escape);
        EXPECT_TRUE(about.get_visible()) << "Escape";
        Press(about, key);
        EXPECT_FALSE(about.get_visible()) << "key " << key;
    }
}

TEST(TfrmAbout, CloseButtonHidesAndLinkOpensTheMakersSite)
{
    ScopedShellOpener shell;
    TfrmAbout about;
    about.ShowModeless();
    RunPendingEvents();
    about.UrlLabel().Click();
    EXPECT_EQ(shell.opened, std::vector<std::string>{platform::kMakerWebSite});

    SendDeleteEvent(about);
    RunPendingEvents();
    EXPECT_FALSE(about.get_visible());
}

TEST(TfrmAbout, TheLinkIsReachedFromTheKeyboardAndOpensWithEnter)
{
    ScopedShellOpener shell;
    TfrmAbout about;
    about.ShowModeless();
    RunPendingEvents();
    TUrlLabel& link = about.UrlLabel();
    AtkObject* accessible = link.get_accessible()->gobj();
    EXPECT_EQ(atk_object_get_role(accessible), ATK_ROLE_LINK);
    EXPECT_STREQ(atk_object_get_name(accessible), platform::kMakerWebSite);

    // Tab follows the controls' places: the box must be laid out and active.
    ASSERT_TRUE(RunUntil(
        [&] {
            return about.is_active() && link.get_allocated_width() > 1 && about.OkButton().get_allocated_width() > 1;
        },
        std::chrono::seconds(5)));
    // Tab from OK reaches the link.
    ASSERT_EQ(about.get_focus(), &about.OkButton());
    Press(about, GDK_KEY_Tab);
    ASSERT_EQ(about.get_focus(), &link) << "the link takes the focus, not "
                                        << (about.get_focus() ? G_OBJECT_TYPE_NAME(about.get_focus()->gobj()) : "none");
    Press(about, GDK_KEY_Return);
    EXPECT_EQ(shell.opened, std::vector<std::string>{platform::kMakerWebSite});
    EXPECT_TRUE(about.get_visible()) << "Enter on the link opens it, not closes the box";
    link.grab_focus();
    Press(about, GDK_KEY_space);
    EXPECT_EQ(shell.opened.size(), 2u);
}
