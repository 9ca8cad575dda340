// The loaded step of a host built from a stored description: the key hook
// and the user-agent token, which the host registers and takes away again.
#include "KeyEvents.h"
#include "RegistryStore.h"
#include "ScriptedBrowserEngine.h"
#include "TBrowserHost.h"
#include "UserAgentTokens.h"

#include <gtest/gtest.h>

using namespace platform;

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
        EXPECT_EQ(UserAgentTokens(RegistryStore::Program()), std::vector<std::string>{"PandrelTest"});
        EXPECT_EQ(host.DownloadControlFlags(), 0x80u);

        GdkEvent* key = NewKeyEvent(GDK_KEY_PRESS, owner.get_window()->gobj(), GDK_KEY_F5, GdkModifierType(0));
        host.event(key);
        gdk_event_free(key);
        const auto& calls = ScriptedBrowserControl::Of(host.ControlInstance())->Calls();
        EXPECT_NE(std::find(calls.begin(), calls.end(), "TranslateAccelerator 116"), calls.end())
            << "F5 was offered to the control";
        owner.remove();
    }
    EXPECT_TRUE(UserAgentTokens(RegistryStore::Program()).empty());
}

TEST(TBrowserHostLoaded, AHostTakesAwayOnlyTheTokenItRegistered)
{
    RegisterScriptedEngine();
    RegistryStore& store = RegistryStore::Program();
    TBrowserHost loaded;
    loaded.UserAgent = "PandrelShared";
    loaded.Loaded();
    {
        TBrowserHost sameName;
        sameName.UserAgent = "PandrelShared";
        sameName.EnableDDE = true; // its machinery runs, but it never registered the token
    }
    EXPECT_EQ(UserAgentTokens(store), std::vector<std::string>{"PandrelShared"});
    loaded.UserAgent = "PandrelRenamed";
    loaded.Loaded();
    EXPECT_EQ(UserAgentTokens(store), std::vector<std::string>{"PandrelRenamed"}) << "the old token goes with the new";
}
