// Tab captions made from URLs, and the separator split they rest on.
#include "PageCaptions.h"

#include <gtest/gtest.h>

using pages::CaptionFromURL;
using pages::SplitAtSeparator;

TEST(SplitAtSeparator, HeadBeforeFirstSeparatorRestAfterIt)
{
    const struct {
        std::string text, separator, head, rest;
    } cases[] = {{"www.bbb.ccc", ".", "www", "bbb.ccc"},
                 {"localhost", ".", "localhost", ""},
                 {".x", ".", "", "x"},
                 {"a::b::c", "::", "a", "b::c"}};
    for (const auto& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(SplitAtSeparator(text, c.separator), c.head) << c.text;
        EXPECT_EQ(text, c.rest) << c.text;
    }
}

TEST(CaptionFromURL, WorkedExamples)
{
    EXPECT_EQ(CaptionFromURL("http://www.bbb.ccc/index.html"), "Bbb");
    EXPECT_EQ(CaptionFromURL("www.bbb.ccc"), "Bbb");
    EXPECT_EQ(CaptionFromURL("  \thttp://aaa.bbb.ccc \r\n"), "Bbb");
    EXPECT_EQ(CaptionFromURL("https://www.bbb.ccc"), "Bbb");
    EXPECT_EQ(CaptionFromURL("http://10.20.30.40/"), "20");
    EXPECT_EQ(CaptionFromURL("bbb.ccc"), "");
    EXPECT_EQ(CaptionFromURL("http://localhost/"), "");
    EXPECT_EQ(CaptionFromURL("intranet"), "");
    EXPECT_EQ(CaptionFromURL(""), "");
}

TEST(CaptionFromURL, OnlyExactHttpSchemeIsDroppedAndOnlyAsciiLettersUpperCased)
{
    // "HTTP://" is not the scheme text, so "HTTP://www" is the first part.
    EXPECT_EQ(CaptionFromURL("HTTP://www.bbb.ccc"), "Bbb");
    EXPECT_EQ(CaptionFromURL("HTTP://bbb.ccc.ddd"), "Ccc") << "first part is HTTP://bbb";
    EXPECT_EQ(CaptionFromURL("HTTP://bbb.ccc"), "");
    // Everything up to the first "http://", wherever it stands, goes.
    EXPECT_EQ(CaptionFromURL("view-source:http://www.bbb.ccc"), "Bbb");
    // An empty part between dots gives no caption.
    EXPECT_EQ(CaptionFromURL("www..ccc"), "");
    EXPECT_EQ(CaptionFromURL("www.bbb."), "");
    EXPECT_EQ(CaptionFromURL("www.Bbb.ccc"), "Bbb");
    EXPECT_EQ(CaptionFromURL("www._x.ccc"), "_x");
    EXPECT_EQ(CaptionFromURL("www.\xc3\xa9t\xc3\xa9.fr"), "\xc3\xa9t\xc3\xa9");
}
