// The value types of the browser-control contract: identifiers, variants,
// reading by name, the control factory, key messages.
#include "BrowserControlFactory.h"
#include "BrowserInterfaceIds.h"
#include "BrowserPropertyBag.h"
#include "EOleException.h"
#include "Guid.h"
#include "Variant.h"
#include "KeyMessage.h"

#include <gdk/gdkkeysyms.h>
#include <gtest/gtest.h>


using namespace platform;

TEST(Guid, ParsesFormatsAndRejectsMalformedText)
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

TEST(Variant, ConvertsWherePlainAndRaisesATypeMismatchOtherwise)
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

TEST(GetPropertyByName, ReadsCaseInsensitivelyAndNamesAMissingProperty)
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

TEST(ControlFactory, CreatesRegisteredClassesAndRefusesOthers)
{
    const Guid testClass = "11111111-2222-3333-4444-555555555555"_guid;
    try {
        CreateControlInstance(testClass);
        FAIL() << "nothing registered";
    } catch (const EOleException& e) {
        EXPECT_EQ(e.HResult(), REGDB_E_CLASSNOTREG);
    }
    RegisterControlClass(testClass, [](const SiteData&) { return std::make_shared<BrowserPropertyBag>(); });
    EXPECT_NE(CreateControlInstance(testClass), nullptr);
    UnregisterControlClass(testClass);
    EXPECT_THROW(CreateControlInstance(testClass), EOleException);
}

TEST(KeyMessage, MapsToVirtualKeys)
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
}
