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

TEST(UrlListIndex, AnswersLikeAScanThroughAppendsInsertsReplacementsAndRemovals)
{
    std::mt19937 random(7);
    UrlListIndex list;
    std::vector<std::string> initial;
    for (int i = 0; i < 300; ++i)
        initial.push_back(RandomUrl(random));
    list.Assign(initial);

    for (int round = 0; round < 2000; ++round) {
        switch (random() % 8) {
        case 0: list.Insert(static_cast<int>(random() % (list.Count() + 1)), RandomUrl(random)); break;
        case 1: list.Replace(static_cast<int>(random() % list.Count()), RandomUrl(random)); break;
        case 2: list.Remove(static_cast<int>(random() % list.Count())); break;
        default: list.Append(RandomUrl(random)); break;
        }
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
