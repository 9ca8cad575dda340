// The completion list's prefix index against a plain scan of the list.
#include "UrlListIndex.h"
#include "Utf8Text.h"

#include <gtest/gtest.h>

#include <random>

using pages::FoldCase;
using pages::UrlListIndex;

namespace {

int ScanFirst(const UrlListIndex& list, const std::string& foldedPrefix)
{
    for (int i = 0; i < list.Count(); ++i)
        if (FoldCase(list.Entry(i)).rfind(foldedPrefix, 0) == 0)
            return i;
    return UrlListIndex::kNotFound;
}

std::string RandomUrl(std::mt19937& random)
{
    static const std::string letters = "abAB.:/x";
    std::string url = "h";
    const int length = static_cast<int>(random() % 6);
    for (int i = 0; i < length; ++i)
        url += letters[random() % letters.size()];
    return url;
}

} // namespace

// Lookups come after runs of changes of random length, and the list is handed
// over anew now and then, so changes also meet a list not yet folded or indexed.
TEST(UrlListIndex, AnswersLikeAScanThroughAppendsInsertsReplacementsAndRemovals)
{
    std::mt19937 random(7);
    UrlListIndex list;
    auto assignNew = [&] {
        std::vector<std::string> initial;
        for (int i = 0; i < 300; ++i)
            initial.push_back(RandomUrl(random));
        list.Assign(initial);
    };
    assignNew();

    for (int round = 0; round < 4000; ++round) {
        switch (random() % 40) {
        case 0: assignNew(); break;
        case 1: case 2: case 3: case 4: case 5:
            list.Insert(static_cast<int>(random() % (list.Count() + 1)), RandomUrl(random)); break;
        case 6: case 7: case 8: case 9: case 10:
            list.Replace(static_cast<int>(random() % list.Count()), RandomUrl(random)); break;
        case 11: case 12: case 13: case 14: case 15:
            list.Remove(static_cast<int>(random() % list.Count())); break;
        default: list.Append(RandomUrl(random)); break;
        }
        if (random() % 4 != 0)
            continue;
        const std::string prefix = FoldCase(RandomUrl(random).substr(0, random() % 4));
        ASSERT_EQ(list.FindFirst(prefix), ScanFirst(list, prefix)) << "round " << round << " prefix " << prefix;
    }
}

TEST(UrlListIndex, EmptyPrefixAndEmptyList)
{
    UrlListIndex list;
    EXPECT_EQ(list.FindFirst(""), UrlListIndex::kNotFound);
    EXPECT_EQ(list.FindFirst("h"), UrlListIndex::kNotFound);
    list.Assign({"b", "a"});
    EXPECT_EQ(list.FindFirst(""), 0);
    EXPECT_EQ(list.FindFirst("a"), 1);
    list.Clear();
    EXPECT_EQ(list.FindFirst(""), UrlListIndex::kNotFound);
}

TEST(Utf8Text, OverlongsSurrogatesAndValuesAboveTheLastCodePointAreInvalid)
{
    // An overlong '/', a surrogate and U+110000 each become one U+FFFD per byte.
    EXPECT_EQ(pages::DecodeUtf8("\xc0\xaf"), std::u32string(2, 0xFFFD));
    EXPECT_EQ(pages::DecodeUtf8("\xed\xa0\x80"), std::u32string(3, 0xFFFD));
    EXPECT_EQ(pages::DecodeUtf8("\xf4\x90\x80\x80"), std::u32string(4, 0xFFFD));
    EXPECT_EQ(pages::DecodeUtf8("\xf0\x9f\x98\x80"), std::u32string(1, 0x1F600));
    EXPECT_EQ(pages::CodePointCount("\xe0\x80\xaf"), 3);
}
