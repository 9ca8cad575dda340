// Reading typed text as an address: one table per class of text.
#include "ReadableUrl.h"
#include "TypedUrl.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using pages::ReadableUrl;
using pages::ReadTypedUrl;
using pages::TypedUrl;

namespace {

struct Case {
    std::string typed;
    std::string address;
};

void ExpectAddresses(const std::vector<Case>& cases, const std::string& search = pages::kDefaultSearchAddress)
{
    for (const Case& c : cases) {
        const TypedUrl result = ReadTypedUrl(c.typed, search);
        EXPECT_EQ(result.kind, TypedUrl::Kind::Address) << c.typed << ": " << result.message;
        EXPECT_EQ(result.address, c.address) << c.typed;
    }
}

} // namespace

TEST(TypedUrl, BlankTextIsEmpty)
{
    for (const std::string& text : std::vector<std::string>{"", " ", "\t \n", std::string(" \0 ", 3)})
        EXPECT_EQ(ReadTypedUrl(text).kind, TypedUrl::Kind::Empty) << "[" << text << "]";
}

TEST(TypedUrl, WebAddressesAreTrimmedAndEncodedOnce)
{
    ExpectAddresses({
        {"http://127.0.0.1:8080/index.html", "http://127.0.0.1:8080/index.html"},
        {"  https://www.bbb.ccc/  ", "https://www.bbb.ccc/"},
        {"HTTP://Example.com/a", "http://Example.com/a"},
        {"HtTpS://example.com", "https://example.com"},
        {"http://127.0.0.1:8080/\xc3\xa4 \xc3\xb6.html", "http://127.0.0.1:8080/%C3%A4%20%C3%B6.html"},
        {"http://127.0.0.1:8080/%C3%A4%20%C3%B6.html", "http://127.0.0.1:8080/%C3%A4%20%C3%B6.html"},
        {"http://x/?q=\xc3\xa4#s\xc3\xa4", "http://x/?q=%C3%A4#s%C3%A4"},
        {"http://b\xc3\xbc" "cher.example/", "http://xn--bcher-kva.example/"},
        {"http://[::1]:8080/x", "http://[::1]:8080/x"},
    });
}

TEST(TypedUrl, HostsAndAddressesWithoutSchemeGetHttp)
{
    ExpectAddresses({
        {"intranet", "http://intranet"},
        {"www.bbb.ccc", "http://www.bbb.ccc"},
        {"localhost:8080/page.html", "http://localhost:8080/page.html"},
        {"127.0.0.1", "http://127.0.0.1"},
        {"10.20.30.40:81", "http://10.20.30.40:81"},
        {"[::1]:9000/", "http://[::1]:9000/"},
        {"b\xc3\xbc" "cher.example/\xc3\xa4", "http://xn--bcher-kva.example/%C3%A4"},
    });
}

TEST(TypedUrl, AbsolutePathsBecomeFileAddresses)
{
    const std::string home = g_get_home_dir();
    ExpectAddresses({
        {"/tmp/page.html", "file:///tmp/page.html"},
        {" /tmp/a b\xc3\xa4.html ", "file:///tmp/a%20b%C3%A4.html"},
        {"/tmp/100%.html", "file:///tmp/100%25.html"},
        {"~/page.html", "file://" + home + "/page.html"},
        {"FILE:///tmp/x.html", "file:///tmp/x.html"},
    });
}

TEST(TypedUrl, SchemesTheViewShowsAreTaken)
{
    ExpectAddresses({
        {"about:blank", "about:blank"},
        {"ABOUT:blank", "about:blank"},
        {"data:text/html,<b>hi</b>", "data:text/html,<b>hi</b>"},
        {"file:///tmp/a.html", "file:///tmp/a.html"},
    });
}

TEST(TypedUrl, ScriptsAndOtherSchemesAreRefusedWithAReason)
{
    const TypedUrl script = ReadTypedUrl(" javascript:alert(1) ");
    EXPECT_EQ(script.kind, TypedUrl::Kind::Refused);
    EXPECT_EQ(script.message,
              "Pandrel cannot open \u201cjavascript:alert(1)\u201d: scripts cannot be typed as addresses");
    EXPECT_EQ(ReadTypedUrl("JavaScript:x").kind, TypedUrl::Kind::Refused);
    EXPECT_EQ(ReadTypedUrl("javascript:void 0").kind, TypedUrl::Kind::Refused) << "a blank does not make it words";

    const TypedUrl mail = ReadTypedUrl("mailto:someone@example.com");
    EXPECT_EQ(mail.kind, TypedUrl::Kind::Refused);
    EXPECT_EQ(mail.message, "Pandrel cannot open \u201cmailto:someone@example.com\u201d: "
                            "the page view cannot show \u201cmailto:\u201d addresses");
    EXPECT_EQ(ReadTypedUrl("http://a b/").kind, TypedUrl::Kind::Refused);
    EXPECT_EQ(ReadTypedUrl("http://").kind, TypedUrl::Kind::Refused);

    const TypedUrl longOne = ReadTypedUrl("javascript:" + std::string(5000, 'x'));
    EXPECT_LT(longOne.message.size(), 400u) << "a long text is quoted in part";
}

TEST(TypedUrl, WordsGoToTheStoredSearch)
{
    ExpectAddresses({
        {"linux desktop browser", "https://duckduckgo.com/?q=linux%20desktop%20browser"},
        {"  c++  ", "https://duckduckgo.com/?q=c%2B%2B"},
        {"note: milk", "https://duckduckgo.com/?q=note%3A%20milk"},
        {"caf\xc3\xa9 & bar", "https://duckduckgo.com/?q=caf%C3%A9%20%26%20bar"},
    });
    ExpectAddresses({{"a b", "http://127.0.0.1:9/find?w=a%20b&x=1"}}, "http://127.0.0.1:9/find?w=%s&x=1");
    // A damaged stored search (no place for the words, another scheme) is not used.
    ExpectAddresses({{"a b", "https://duckduckgo.com/?q=a%20b"}}, "http://127.0.0.1:9/find");
    ExpectAddresses({{"a b", "https://duckduckgo.com/?q=a%20b"}}, "javascript:%s");
    ExpectAddresses({{"a b", "https://duckduckgo.com/?q=a%20b"}}, "");
}

TEST(TypedUrl, AddressesReadBackReadablyAndUnchanged)
{
    const std::vector<Case> cases = {
        {"http://127.0.0.1:8080/%C3%A4%20%C3%B6.html", "http://127.0.0.1:8080/\xc3\xa4%20\xc3\xb6.html"},
        {"http://xn--bcher-kva.example/", "http://b\xc3\xbc" "cher.example/"},
        {"http://x/%E2%80%AEevil", "http://x/%E2%80%AEevil"},   // direction mark stays escaped
        {"http://x/%FF%FE", "http://x/%FF%FE"},                 // not UTF-8
        {"http://x/a%2Fb", "http://x/a%2Fb"},                   // reserved ASCII stays
        {"http://x/a%E3%85%A4b%E2%A0%80", "http://x/a%E3%85%A4b%E2%A0%80"}, // Hangul filler, braille blank
        {"https://example.com/plain", "https://example.com/plain"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadableUrl(c.typed), c.address) << c.typed;
        EXPECT_EQ(ReadTypedUrl(ReadableUrl(c.typed)).address, c.typed) << "typing it again gives the same address";
    }
}

TEST(TypedUrl, HostsShowInUnicodeOnlyWhereTheyCannotPoseAsAnotherName)
{
    const std::vector<Case> shown = {
        {"http://xn--e1afmkfd.xn--p1ai/", "http://\u043f\u0440\u0438\u043c\u0435\u0440.\u0440\u0444/"}, // пример.рф
        {"http://xn--80ak6aa92e.xn--p1ai/", "http://\u0430\u0440\u0440\u04cf\u0435.\u0440\u0444/"}, // under its own script
        {"http://xn--eckwd4c7cu47r2wf.jp/", "http://\u30c9\u30e1\u30a4\u30f3\u540d\u4f8b.jp/"},   // Katakana and Han
        {"http://xn--hxakic4aa.gr/", "http://\u03b5\u03bb\u03bb\u03ac\u03b4\u03b1.gr/"},           // ελλάδα
    };
    const std::vector<std::string> punycode = {
        "http://xn--80ak6aa92e.com/",       // аррӏе: Cyrillic letters that pass for Latin
        "http://xn--pple-43d.com/",         // аpple: Cyrillic and Latin in one label
        "http://xn--uxaly.com/",            // οχι: Greek that passes for Latin
        "http://xn--googlecom-l74h.jp/",    // googleノcom: a Katakana slash beside Latin
        "http://a.xn--vhk.com/",            // a Hangul filler alone
        "http://xn--example-2z6c.com/",     // a zero-width space
        "http://xn--example-8u93b.com/",    // a full-width digit
        "http://xn--ab-c6t.com/",           // a fraction slash
        "http://xn--info-qwc.com/",         // a combining dot on i
    };
    EXPECT_EQ(ReadableUrl("http://\u0430pple.com/"), "http://xn--pple-43d.com/") << "a host given in Unicode";
    for (const Case& c : shown)
        EXPECT_EQ(ReadableUrl(c.typed), c.address) << c.typed;
    for (const std::string& address : punycode)
        EXPECT_EQ(ReadableUrl(address), address);
}
