// The WebKit engine's pure mapping tables: settings and request headers.
#include "BrowserHostInterfaces.h"
#include "BrowserRequestHeaders.h"
#include "WebKitSettingsTable.h"

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
