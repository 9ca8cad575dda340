// The loaded step of a host built from a stored description: dialog captions,
// the key hook and the user-agent token.
#include "BrowserUserAgentToken.h"
#include "ScriptedBrowserEngine.h"
#include "TBrowserHost.h"
#include "KeyMessage.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(TBrowserHostLoaded, DialogCaptionsLoseTheMakerAndGainTheProgram)
{
    EXPECT_EQ(TBrowserHost::ReplacedDialogCaption("Microsoft Internet Explorer", "Pandrel"), "Pandrel");
    EXPECT_EQ(TBrowserHost::ReplacedDialogCaption("Internet Explorer Script Error", "Pandrel"),
              "Pandrel Script Error");
    EXPECT_EQ(TBrowserHost::ReplacedDialogCaption("microsoft internet explorer", "Pandrel"),
              "microsoft internet explorer")
        << "case-sensitive";
    EXPECT_EQ(TBrowserHost::ReplacedDialogCaption("Internet Explorer - Internet Explorer", "P"),
              "P - Internet Explorer")
        << "first occurrence only";
}

TEST(TBrowserHostLoaded, KeysLeftToTheToolkitAreBackspaceReturnAndExtendedArrows)
{
    Msg msg;
    msg.wParam = 8;
    EXPECT_TRUE(TBrowserHost::IsKeyLeftAlone(msg));
    msg.wParam = 13;
    EXPECT_TRUE(TBrowserHost::IsKeyLeftAlone(msg));
    msg.wParam = 37;
    EXPECT_FALSE(TBrowserHost::IsKeyLeftAlone(msg)) << "the keypad arrow (not extended)";
    msg.lParam = 0x01000000;
    EXPECT_TRUE(TBrowserHost::IsKeyLeftAlone(msg));
    msg.wParam = 38;
    EXPECT_FALSE(TBrowserHost::IsKeyLeftAlone(msg));
}

TEST(TBrowserHostLoaded, RegistersItsUserAgentTokenAndTheDestructorRemovesIt)
{
    RegisterScriptedEngine();
    Gtk::Window owner;
    {
        TBrowserHost host;
        owner.add(host);
        owner.show_all();
        host.UserAgent = "PandrelTest";
        host.SetDownloadOptions({TDownloadControlOption::DLCTL_NO_SCRIPTS});
        host.Loaded();
        EXPECT_EQ(UserAgentTokens(), std::vector<std::string>{"PandrelTest"});
        EXPECT_EQ(host.DownloadControlFlags(), 0x80u);

        GdkEventKey key{};
        key.type = GDK_KEY_PRESS;
        key.keyval = GDK_KEY_F5;
        key.window = owner.get_window()->gobj();
        host.event(reinterpret_cast<GdkEvent*>(&key));
        const auto& calls = ScriptedBrowserControl::Of(host.ControlInstance())->Calls();
        EXPECT_NE(std::find(calls.begin(), calls.end(), "TranslateAccelerator 116"), calls.end())
            << "F5 was offered to the control";
        owner.remove();
    }
    EXPECT_TRUE(UserAgentTokens().empty());
}
