// The WebKit engine's pure mapping tables: settings, its own keys, request
// headers.
#include "BrowserHostInterfaces.h"
#include "BrowserRequestHeaders.h"
#include "WebKitKeys.h"
#include "WebKitSettingsTable.h"

#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>

#include <algorithm>

using namespace platform;

TEST(EngineSettings, FollowTheDownloadControlAndHostUIFlags)
{
    auto value = [](const std::vector<EngineSettingValue>& values, const std::string& name) {
        auto found = std::find_if(values.begin(), values.end(), [&](const auto& v) { return v.setting == name; });
        EXPECT_NE(found, values.end()) << name;
        return found != values.end() && found->value;
    };
    const auto defaults = EngineSettingsFor(0x70, 0);
    EXPECT_TRUE(value(defaults, "auto-load-images"));
    EXPECT_TRUE(value(defaults, "enable-media"));
    EXPECT_TRUE(value(defaults, "enable-javascript"));
    const auto none = EngineSettingsFor(0, 0);
    EXPECT_FALSE(value(none, "auto-load-images"));
    EXPECT_FALSE(value(none, "enable-media"));
    EXPECT_TRUE(value(none, "enable-javascript"));
    const auto noScripts = EngineSettingsFor(0x70 | DLCTL_NO_SCRIPTS, 0);
    EXPECT_FALSE(value(noScripts, "enable-javascript"));
    EXPECT_TRUE(value(noScripts, "auto-load-images"));

    EXPECT_EQ(EngineStyleSheetFor(0), "");
    EXPECT_NE(EngineStyleSheetFor(DOCHOSTUIFLAG_SCROLL_NO).find("overflow: hidden"), std::string::npos);
    EXPECT_EQ(EngineStyleSheetFor(DOCHOSTUIFLAG_NO3DBORDER), "") << "the border is the frame's, not the page's";
}

TEST(EngineKeys, MapToTheEnginesOwnCommands)
{
    auto key = [](guint keyval, guint state) {
        GdkEventKey event{};
        event.type = GDK_KEY_PRESS;
        event.keyval = keyval;
        event.state = state;
        return event;
    };
    GdkEventKey left = key(GDK_KEY_Left, 0);
    GdkEventKey letter = key(GDK_KEY_f, GDK_CONTROL_MASK);
    GdkEventKey f5 = key(GDK_KEY_F5, 0);
    EXPECT_EQ(EngineKeyCommandFor(&f5), EngineKeyCommand::Refresh);
    EXPECT_EQ(EngineKeyCommandFor(&letter), EngineKeyCommand::Find);
    GdkEventKey altLeft = key(GDK_KEY_Left, GDK_MOD1_MASK);
    EXPECT_EQ(EngineKeyCommandFor(&altLeft), EngineKeyCommand::Back);
    EXPECT_EQ(EngineKeyCommandFor(&left), EngineKeyCommand::None) << "a plain arrow scrolls the page";
    GdkEventKey ctrlAltF = key(GDK_KEY_f, GDK_CONTROL_MASK | GDK_MOD1_MASK);
    EXPECT_EQ(EngineKeyCommandFor(&ctrlAltF), EngineKeyCommand::None);
    GdkEventKey zoomIn = key(GDK_KEY_plus, GDK_CONTROL_MASK | GDK_SHIFT_MASK);
    EXPECT_EQ(EngineKeyCommandFor(&zoomIn), EngineKeyCommand::ZoomIn);
    GdkEventKey zoomReset = key(GDK_KEY_0, GDK_CONTROL_MASK);
    EXPECT_EQ(EngineKeyCommandFor(&zoomReset), EngineKeyCommand::ZoomReset);
}

TEST(RequestHeaders, KeepWellFormedLinesAndDropTheRest)
{
    using Headers = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(ParseRequestHeaders(""), Headers{});
    EXPECT_EQ(ParseRequestHeaders("Referer: http://127.0.0.1/\r\nX-A:1\r\n"),
              (Headers{{"Referer", "http://127.0.0.1/"}, {"X-A", "1"}}));
    EXPECT_EQ(ParseRequestHeaders("no colon\r\n: empty name\r\nX-B: a\nInjected: 1\r\nX-C: \t c"),
              (Headers{{"X-C", "c"}}))
        << "a bare LF inside a line could smuggle a header";
}
