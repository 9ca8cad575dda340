// The strict UTF-8 decoder: every class of invalid sequence becomes U+FFFD.
#include "Utf8Strict.h"

#include <gtest/gtest.h>

#include <glib.h>

using platform::ValidUtf8;

TEST(Utf8Strict, InvalidSequencesBecomeReplacementCharactersAndValidTextIsKept)
{
    const std::string r = "\xef\xbf\xbd";
    struct Case {
        const char* what;
        std::string in, out;
    };
    const Case cases[] = {
        {"ascii", "http://a/", "http://a/"},
        {"two, three and four bytes", "\xc3\xa4\xe2\x82\xac\xf0\x9f\x98\x80", "\xc3\xa4\xe2\x82\xac\xf0\x9f\x98\x80"},
        {"U+FFFD itself", r, r},
        {"largest value", "\xf4\x8f\xbf\xbf", "\xf4\x8f\xbf\xbf"},
        {"overlong two bytes", "\xc0\xaf", r + r},
        {"overlong three bytes", "\xe0\x80\xaf", r + r + r},
        {"overlong four bytes", "\xf0\x80\x80\xaf", r + r + r + r},
        {"high surrogate", "\xed\xa0\x80", r + r + r},
        {"low surrogate", "\xed\xbf\xbf", r + r + r},
        {"above U+10FFFF", "\xf4\x90\x80\x80", r + r + r + r},
        {"five-byte lead", "\xf8\x88\x80\x80\x80", r + r + r + r + r},
        {"stray continuation", "a\x80z", "a" + r + "z"},
        {"cut short", "a\xe2\x82", "a" + r + r},
        {"Latin-1", "caf\xe9!", "caf" + r + "!"},
    };
    for (const Case& c : cases) {
        const std::string shown = ValidUtf8(c.in);
        EXPECT_EQ(shown, c.out) << c.what;
        EXPECT_TRUE(g_utf8_validate(shown.data(), static_cast<gssize>(shown.size()), nullptr)) << c.what;
    }

    const std::string surrogate = "\xed\xa0\x80";
    const auto* p = reinterpret_cast<const unsigned char*>(surrogate.data());
    EXPECT_EQ(platform::DecodeUtf8CodePoint(p, p + 3), platform::kReplacementCharacter);
}
