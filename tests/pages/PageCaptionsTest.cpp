// Tab captions made from URLs, and the separator split they rest on.
#include "PageCaptions.h"

#include <gtest/gtest.h>

using pages::CaptionFromURL;
using pages::SplitAtSeparator;

TEST(SplitAtSeparator, HeadBeforeFirstSeparatorRestAfterIt)
{
    std::string text = "www.bbb.ccc";
    EXPECT_EQ(SplitAtSeparator(text, "."), "www");
    EXPECT_EQ(text, "bbb.ccc");

    std::string none = "localhost";
    EXPECT_EQ(SplitAtSeparator(none, "."), "localhost");
    EXPECT_EQ(none, "");

    std::string leading = ".x";
    EXPECT_EQ(SplitAtSeparator(leading, "."), "");
    EXPECT_EQ(leading, "x");

    std::string longer = "a::b::c";
    EXPECT_EQ(SplitAtSeparator(longer, "::"), "a");
    EXPECT_EQ(longer, "b::c");
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
