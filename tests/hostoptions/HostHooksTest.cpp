// What the loaded step's hooks do to a dialog's caption, and which keys the
// key hook leaves to the toolkit.
#include "ControlKeyHook.h"
#include "OwnerDialogHook.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(OwnerDialogHook, DialogCaptionsLoseTheMakerAndGainTheProgram)
{
    EXPECT_EQ(OwnerDialogHook::ReplacedDialogCaption("Microsoft Internet Explorer", "Pandrel"), "Pandrel");
    EXPECT_EQ(OwnerDialogHook::ReplacedDialogCaption("Internet Explorer Script Error", "Pandrel"),
              "Pandrel Script Error");
    EXPECT_EQ(OwnerDialogHook::ReplacedDialogCaption("microsoft internet explorer", "Pandrel"),
              "microsoft internet explorer")
        << "case-sensitive";
    EXPECT_EQ(OwnerDialogHook::ReplacedDialogCaption("Internet Explorer - Internet Explorer", "P"),
              "P - Internet Explorer")
        << "first occurrence only";
}

TEST(ControlKeyHook, KeysLeftToTheToolkitAreBackspaceReturnAndExtendedArrows)
{
    Msg msg;
    msg.wParam = 8;
    EXPECT_TRUE(ControlKeyHook::IsKeyLeftAlone(msg));
    msg.wParam = 13;
    EXPECT_TRUE(ControlKeyHook::IsKeyLeftAlone(msg));
    msg.wParam = 37;
    EXPECT_FALSE(ControlKeyHook::IsKeyLeftAlone(msg)) << "the keypad arrow (not extended)";
    msg.lParam = 0x01000000;
    EXPECT_TRUE(ControlKeyHook::IsKeyLeftAlone(msg));
    msg.wParam = 38;
    EXPECT_FALSE(ControlKeyHook::IsKeyLeftAlone(msg));
}
