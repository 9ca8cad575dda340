// The URL history in the store and in the URL box's list.
#include "ProgramIdentity.h"
#include "StoreInspection.h"
#include "TempDir.h"
#include "URLHistory.h"
#include "URLHistoryStore.h"

#include <gtest/gtest.h>
#include <gtkmm/comboboxtext.h>

#include <fstream>

using namespace profiles;
using platform::RegistryStore;

namespace {

std::vector<std::string> Items(Gtk::ComboBoxText& box)
{
    std::vector<std::string> items;
    auto model = box.get_model();
    for (auto it = model->children().begin(); it != model->children().end(); ++it) {
        gchar* text = nullptr;
        gtk_tree_model_get(model->gobj(), const_cast<GtkTreeIter*>(it->gobj()), 0, &text, -1);
        items.emplace_back(text ? text : "");
        g_free(text);
    }
    return items;
}

class URLHistoryTest : public ::testing::Test {
protected:
    TempDir dir;
    RegistryStore store{dir.path()};
    Gtk::ComboBoxText cboURL{true};
};

} // namespace

TEST_F(URLHistoryTest, FirstRunRecordsTheMakersSiteAndLaterAddsAreByteExact)
{
    LoadURLHistory(store, cboURL);
    EXPECT_EQ(Items(cboURL), std::vector<std::string>{platform::kMakerWebSite});
    EXPECT_EQ(StoredNumber(store, "", "URLCount"), 1);
    EXPECT_EQ(StoredText(store, "", "URL1"), platform::kMakerWebSite);

    AddURLToHistory(store, cboURL, "http://127.0.0.1/a");
    AddURLToHistory(store, cboURL, "http://127.0.0.1/a");   // same: once
    AddURLToHistory(store, cboURL, "HTTP://127.0.0.1/a");   // other case: new
    AddURLToHistory(store, cboURL, "http://127.0.0.1/a/");  // trailing slash: new
    AddURLToHistory(store, cboURL, " http://127.0.0.1/a");  // blank: new
    AddURLToHistory(store, cboURL, "");                     // empty: recorded once
    AddURLToHistory(store, cboURL, "");
    const std::vector<std::string> expected = {platform::kMakerWebSite, "http://127.0.0.1/a",
                                               "HTTP://127.0.0.1/a", "http://127.0.0.1/a/",
                                               " http://127.0.0.1/a", ""};
    EXPECT_EQ(Items(cboURL), expected);
    EXPECT_EQ(StoredNumber(store, "", "URLCount"), 6);

    // The next run lists exactly what is stored, and what is typed then joins it.
    Gtk::ComboBoxText next(true);
    LoadURLHistory(store, next);
    EXPECT_EQ(Items(next), expected);
    AddURLToHistory(store, next, "http://127.0.0.1/b");
    std::vector<std::string> grown = expected;
    grown.push_back("http://127.0.0.1/b");
    EXPECT_EQ(Items(next), grown);
    EXPECT_EQ(StoredNumber(store, "", "URLCount"), 7);
}

TEST_F(URLHistoryTest, UnusualTextsAreStoredByteForByteAndListedAsValidText)
{
    StoreNumber(store, "", "URLCount", 0);
    const std::string latin1 = "http://127.0.0.1/caf\xe9?q=\xff\x80";
    const std::string utf8 = "http://127.0.0.1/\xc3\xa4\xe2\x82\xac\xf0\x9f\x98\x80";
    // An overlong '/', a surrogate and a value above U+10FFFF.
    const std::string notUtf8 = "http://127.0.0.1/\xc0\xaf\xed\xa0\x80\xf4\x90\x80\x80";
    std::string big = "http://127.0.0.1/";
    while (big.size() < 64 * 1024)
        big += static_cast<char>('a' + big.size() % 26);
    for (const auto& url : {latin1, utf8, std::string(), big, notUtf8})
        AddURLToHistory(store, cboURL, url);

    const std::string r = "\xef\xbf\xbd"; // U+FFFD
    const std::vector<std::string> expected = {"http://127.0.0.1/caf" + r + "?q=" + r + r, utf8, "", big,
                                               "http://127.0.0.1/" + r + r + r + r + r + r + r + r + r};
    EXPECT_EQ(Items(cboURL), expected);
    EXPECT_EQ(StoredText(store, "", "URL1"), latin1);
    EXPECT_EQ(StoredText(store, "", "URL4"), big);
    EXPECT_EQ(StoredText(store, "", "URL5"), notUtf8);
    Gtk::ComboBoxText next(true);
    LoadURLHistory(store, next);
    EXPECT_EQ(Items(next), expected);
    for (const auto& item : Items(next))
        EXPECT_TRUE(g_utf8_validate(item.data(), static_cast<gssize>(item.size()), nullptr));
    AddURLToHistory(store, next, big);
    AddURLToHistory(store, next, latin1);
    EXPECT_EQ(Items(next).size(), 5u);
    EXPECT_EQ(StoredText(store, "", "URL1"), latin1) << "stored bytes are never rewritten";
}

TEST_F(URLHistoryTest, StoredOdditiesLoadAsTheStoreSays)
{
    // "URLCount" missing while entry 1 exists: written as 0, entry 1 overwritten.
    StoreText(store, "", "URL1", "http://127.0.0.1/old");
    LoadURLHistory(store, cboURL);
    EXPECT_EQ(Items(cboURL), std::vector<std::string>{platform::kMakerWebSite});
    EXPECT_EQ(StoredText(store, "", "URL1"), platform::kMakerWebSite);

    // "URLCount" = 0 with entries stored: nothing loaded; the next add overwrites entry 1.
    StoreNumber(store, "", "URLCount", 0);
    Gtk::ComboBoxText zero(true);
    LoadURLHistory(store, zero);
    EXPECT_TRUE(Items(zero).empty());
    AddURLToHistory(store, zero, "http://127.0.0.1/new");
    EXPECT_EQ(StoredText(store, "", "URL1"), "http://127.0.0.1/new");

    // The same text twice, a missing entry (empty) and a lower-case name.
    StoreText(store, "", "URL2", "http://127.0.0.1/new");
    StoreText(store, "", "url4", "http://127.0.0.1/four");
    StoreNumber(store, "", "URLCount", 4);
    Gtk::ComboBoxText twice(true);
    LoadURLHistory(store, twice);
    const std::vector<std::string> expected = {"http://127.0.0.1/new", "http://127.0.0.1/new", "",
                                               "http://127.0.0.1/four"};
    EXPECT_EQ(Items(twice), expected);
    AddURLToHistory(store, twice, "http://127.0.0.1/new");
    AddURLToHistory(store, twice, "");  // entry 3 is missing, so reads as empty
    EXPECT_EQ(Items(twice).size(), 4u);
    EXPECT_EQ(StoredNumber(store, "", "URLCount"), 4);
}

TEST_F(URLHistoryTest, WrongTypesEndTheOperationSilently)
{
    StoreNumber(store, "", "URLCount", 3);
    StoreText(store, "", "URL1", "http://127.0.0.1/1");
    StoreNumber(store, "", "URL2", 99);
    StoreText(store, "", "URL3", "http://127.0.0.1/3");
    LoadURLHistory(store, cboURL);
    EXPECT_EQ(Items(cboURL), std::vector<std::string>{"http://127.0.0.1/1"}); // stops at entry 2
    AddURLToHistory(store, cboURL, "http://127.0.0.1/new");
    EXPECT_EQ(Items(cboURL).size(), 1u);
    EXPECT_EQ(StoredNumber(store, "", "URLCount"), 3);
    EXPECT_FALSE(StoredValue(store, "", "URL4"));

    StoreText(store, "", "URLCount", "3");
    Gtk::ComboBoxText textCount(true);
    LoadURLHistory(store, textCount);
    EXPECT_TRUE(Items(textCount).empty());
    AddURLToHistory(store, textCount, "http://127.0.0.1/new");
    EXPECT_TRUE(Items(textCount).empty());
    EXPECT_FALSE(StoredValue(store, "", "URL4"));
}

TEST_F(URLHistoryTest, HugeOrNegativeCountsNeitherHangNorInventEntries)
{
    StoreText(store, "", "URL1", "http://127.0.0.1/1");
    StoreText(store, "", "URL7", "http://127.0.0.1/7");
    StoreNumber(store, "", "URLCount", 2000000000);
    LoadURLHistory(store, cboURL);
    // More entries than the key holds: the count is damaged; the stored entries load.
    const std::vector<std::string> stored = {"http://127.0.0.1/1", "http://127.0.0.1/7"};
    EXPECT_EQ(Items(cboURL), stored);
    AddURLToHistory(store, cboURL, "http://127.0.0.1/7");
    EXPECT_EQ(Items(cboURL).size(), 2u);
    AddURLToHistory(store, cboURL, "http://127.0.0.1/new");
    EXPECT_EQ(StoredText(store, "", "URL2000000001"), "http://127.0.0.1/new");
    EXPECT_EQ(StoredNumber(store, "", "URLCount"), 2000000001);

    StoreNumber(store, "", "URLCount", 2147483647);
    AddURLToHistory(store, cboURL, "http://127.0.0.1/overflow");
    EXPECT_EQ(StoredNumber(store, "", "URLCount"), 2147483647);

    StoreNumber(store, "", "URLCount", -5);
    Gtk::ComboBoxText negative(true);
    LoadURLHistory(store, negative);
    EXPECT_TRUE(Items(negative).empty());
}

TEST(URLHistory, UnavailableStoreLoadsAndRecordsNothing)
{
    TempDir dir;
    std::ofstream(dir / "file") << "x";
    RegistryStore store(dir / "file" / "sub");
    Gtk::ComboBoxText cboURL(true);
    LoadURLHistory(store, cboURL);
    AddURLToHistory(store, cboURL, "http://127.0.0.1/");
    EXPECT_TRUE(Items(cboURL).empty());
    EXPECT_FALSE(StoreNewHistoryURL(store, "http://127.0.0.1/"));
}
