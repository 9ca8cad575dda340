// The value types of the browser-control contract and the engine's pure
// mapping tables: identifiers, variants, reading by name, settings, keys.
#include "BrowserControlFactory.h"
#include "BrowserInterfaceIds.h"
#include "BrowserPropertyBag.h"
#include "BrowserRequestHeaders.h"
#include "EOleException.h"
#include "Guid.h"
#include "Variant.h"
#include "WebKitEnginePages.h"
#include "WebKitKeys.h"
#include "WebKitSettingsTable.h"

#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>

#include <algorithm>

using namespace platform;

TEST(Guid, parsesFormatsAndRejectsMalformedText)
{
    auto parsed = Guid::Parse("{8856f961-340a-11d0-a96b-00c04fd705a2}");
    ASSERT_TRUE(parsed);
    EXPECT_EQ(*parsed, CLSID_WebBrowser);
    EXPECT_EQ(parsed->Data1, 0x8856F961u);
    EXPECT_EQ(parsed->Data4[7], 0xA2);
    EXPECT_EQ(CLSID_WebBrowser.ToString(), "8856F961-340A-11D0-A96B-00C04FD705A2");
    EXPECT_FALSE(Guid::Parse("8856F961-340A-11D0-A96B-00C04FD705A"));
    EXPECT_FALSE(Guid::Parse("8856F961+340A-11D0-A96B-00C04FD705A2"));
    EXPECT_FALSE(Guid::Parse("8856F961-340A-11D0-A96B-00C04FD705AG"));
    EXPECT_NE(IID_IDocHostUIHandler, IID_IDocHostShowUI) << "they differ in the first field only";
}

TEST(Variant, convertsWherePlainAndRaisesATypeMismatchOtherwise)
{
    EXPECT_EQ(Variant().AsText(), "");
    EXPECT_EQ(Variant(std::int32_t{-42}).AsText(), "-42");
    EXPECT_EQ(Variant(WordBool(true)).AsText(), "True");
    EXPECT_EQ(Variant("17").AsInt32(), 17);
    EXPECT_EQ(Variant(WordBool(true)).AsInt32(), -1);
    EXPECT_TRUE(Variant(std::int32_t{2}).AsBool());
    EXPECT_EQ(WordBool::FromRaw(1).Raw(), 1);
    EXPECT_TRUE(WordBool::FromRaw(1));
    EXPECT_EQ(Variant().AsDispatch(), nullptr);
    try {
        Variant("12x").AsInt32();
        FAIL() << "not a number";
    } catch (const EOleException& e) {
        EXPECT_EQ(e.HResult(), DISP_E_TYPEMISMATCH);
    }
    EXPECT_THROW(Variant("").AsInt32(), EOleException);
    EXPECT_THROW(Variant(ByteArray{1, 2}).AsText(), EOleException);
    EXPECT_THROW(Variant("x").AsDispatch(), EOleException);

    Variant byReference;
    byReference.BoolRef() = true;
    EXPECT_EQ(byReference.GetKind(), Variant::Kind::Bool);
    EXPECT_EQ(byReference.AsBool().Raw(), -1);
    Variant number("5");
    number.Int32Ref() += 1;
    EXPECT_EQ(number, Variant(std::int32_t{6}));
}

TEST(GetPropertyByName, readsCaseInsensitivelyAndNamesAMissingProperty)
{
    BrowserPropertyBag bag;
    bag.AddProperty("URL", Variant("http://127.0.0.1/"));
    bag.AddProperty("errorline", [] { return Variant(std::int32_t{12}); });
    bag.AddProperty("broken", []() -> Variant { throw std::runtime_error("cannot read"); });
    EXPECT_EQ(GetPropertyByName(bag, "url").AsText(), "http://127.0.0.1/");
    EXPECT_EQ(GetPropertyByName(bag, "errorLine").AsText(), "12");
    try {
        GetPropertyByName(bag, "title");
        FAIL() << "missing property";
    } catch (const EOleException& e) {
        EXPECT_STREQ(e.what(), "'title' not supported.");
        EXPECT_EQ(e.HResult(), DISP_E_UNKNOWNNAME);
    }
    try {
        GetPropertyByName(bag, "broken");
        FAIL() << "a failing read";
    } catch (const EOleException& e) {
        EXPECT_STREQ(e.what(), "cannot read");
    }
}

TEST(ControlFactory, createsRegisteredClassesAndRefusesOthers)
{
    const Guid testClass = "11111111-2222-3333-4444-555555555555"_guid;
    try {
        CreateControlInstance(testClass);
        FAIL() << "nothing registered";
    } catch (const EOleException& e) {
        EXPECT_EQ(e.HResult(), REGDB_E_CLASSNOTREG);
    }
    RegisterControlClass(testClass, [] { return std::make_shared<BrowserPropertyBag>(); });
    EXPECT_NE(CreateControlInstance(testClass), nullptr);
    UnregisterControlClass(testClass);
    EXPECT_THROW(CreateControlInstance(testClass), EOleException);
}

TEST(EngineSettings, followTheDownloadControlAndHostUIFlags)
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

TEST(EngineKeys, mapToVirtualKeysAndTheEnginesOwnCommands)
{
    auto key = [](guint keyval, guint state) {
        GdkEventKey event{};
        event.type = GDK_KEY_PRESS;
        event.keyval = keyval;
        event.state = state;
        return event;
    };
    GdkEventKey left = key(GDK_KEY_Left, 0);
    Msg msg = KeyMessageFor(&left, nullptr);
    EXPECT_EQ(msg.message, WM_KEYDOWN);
    EXPECT_EQ(msg.wParam, 37u);
    EXPECT_EQ(msg.lParam & 0x01000000, 0x01000000);
    GdkEventKey back = key(GDK_KEY_BackSpace, 0);
    EXPECT_EQ(KeyMessageFor(&back, nullptr).wParam, 8u);
    EXPECT_EQ(KeyMessageFor(&back, nullptr).lParam, 0);
    GdkEventKey letter = key(GDK_KEY_f, GDK_CONTROL_MASK);
    EXPECT_EQ(KeyMessageFor(&letter, nullptr).wParam, static_cast<std::uintptr_t>('F'));
    GdkEventKey f5 = key(GDK_KEY_F5, 0);
    EXPECT_EQ(KeyMessageFor(&f5, nullptr).wParam, 0x74u);

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

TEST(EnginePages, escapeWhatTheyQuote)
{
    EXPECT_EQ(EscapeHtml("<a href=\"x\">&'"), "&lt;a href=&quot;x&quot;&gt;&amp;&#39;");
    const std::string page = FailedLoadPage("http://127.0.0.1/<script>", "refused");
    EXPECT_EQ(page.find("<script>"), std::string::npos);
    EXPECT_NE(page.find("&lt;script&gt;"), std::string::npos);
}

TEST(RequestHeaders, keepWellFormedLinesAndDropTheRest)
{
    using Headers = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(ParseRequestHeaders(""), Headers{});
    EXPECT_EQ(ParseRequestHeaders("Referer: http://127.0.0.1/\r\nX-A:1\r\n"),
              (Headers{{"Referer", "http://127.0.0.1/"}, {"X-A", "1"}}));
    EXPECT_EQ(ParseRequestHeaders("no colon\r\n: empty name\r\nX-B: a\nInjected: 1\r\nX-C: \t c"),
              (Headers{{"X-C", "c"}}))
        << "a bare LF inside a line could smuggle a header";
}
