// Typed text reaches the page through one reading, whichever way it comes in:
// the URL box, "&New Page", "New &URL", Home and a page opened from the store.
#include "ModalAnswer.h"
#include "PagesFixture.h"

using Strings = std::vector<std::string>;

namespace {

const std::string kUmlauts = "http://127.0.0.1:8080/\xc3\xa4 \xc3\xb6.html";
const std::string kUmlautsEncoded = "http://127.0.0.1:8080/%C3%A4%20%C3%B6.html";

} // namespace

using TypedAddressTest = PagesFixture;

TEST_F(TypedAddressTest, EveryWayInSendsTheOneReadingOfTheText)
{
    PressEnter("/tmp/page.html");
    ASSERT_EQ(List().PageCount(), 1);
    EXPECT_EQ(Scripted(0).PendingURL(), "file:///tmp/page.html");
    EXPECT_EQ(List().PageInfo(0).FirstURL(), "/tmp/page.html") << "the page keeps what was typed";

    PressEnter("linux desktop browser");
    EXPECT_EQ(Scripted(0).PendingURL(), "https://duckduckgo.com/?q=linux%20desktop%20browser");
    List().SetSearchAddress([] { return std::string("http://127.0.0.1:9/find?w=%s"); });
    PressEnter("a b");
    EXPECT_EQ(Scripted(0).PendingURL(), "http://127.0.0.1:9/find?w=a%20b");
    EXPECT_EQ(history, (Strings{"/tmp/page.html", "linux desktop browser", "a b"})) << "history keeps the typed text";

    auto answer = AnswerPrompt("New URL", kUmlauts);
    Commands().itmNewURLClick();
    EXPECT_EQ(Scripted(0).PendingURL(), kUmlautsEncoded);
    Scripted(0).CompleteNavigation();
    Nav().btnHomeClick();
    EXPECT_EQ(Scripted(0).PendingURL(), kUmlautsEncoded) << "Home encodes the stored text once too";

    answer = AnswerPrompt("New URL", " HTTP://www.bbb.ccc ");
    Commands().itmNewPageClick();
    ASSERT_EQ(List().PageCount(), 2);
    EXPECT_EQ(Scripted(1).PendingURL(), "http://www.bbb.ccc");
    EXPECT_EQ(List().Caption(1), "Bbb");

    // A page set loaded from the store: typed text and engine locations alike.
    List().OpenPage(kUmlauts, "typed");
    List().OpenPage(kUmlautsEncoded, "location");
    EXPECT_EQ(Scripted(2).PendingURL(), kUmlautsEncoded);
    EXPECT_EQ(Scripted(3).PendingURL(), kUmlautsEncoded) << "an encoded address is not encoded again";

    // The box shows the document's address readably.
    List().OpenPage("http://xn--bcher-kva.example/%C3%A4", "idn");
    Complete(4);
    EXPECT_EQ(BoxText(), "http://b\xc3\xbc" "cher.example/\xc3\xa4");
    EXPECT_TRUE(reports.empty());
}

TEST_F(TypedAddressTest, TheEngineIsGivenTheReadingMadeWhenTheTextCameIn)
{
    // Each reading asks for the web search anew and gets a new one: a text read
    // again on its way to the engine would arrive with a later search.
    int searches = 0;
    List().SetSearchAddress([&] { return "http://127.0.0.1:9/find?n=" + std::to_string(++searches) + "&w=%s"; });
    const auto readingWith = [](const std::string& text, int search) {
        return pages::ReadTypedUrl(text, "http://127.0.0.1:9/find?n=" + std::to_string(search) + "&w=%s").address;
    };
    const std::string odd = " \xc3\xa4 b%41 <c>#\t";
    PressEnter(odd);
    ASSERT_EQ(List().PageCount(), 1);
    EXPECT_EQ(Scripted(0).PendingURL(), readingWith(odd, 1)) << "Enter with no page open";
    Complete(0);
    PressEnter(odd + "2");
    EXPECT_EQ(Scripted(0).PendingURL(), readingWith(odd + "2", 2)) << "Enter on a page";

    auto answer = AnswerPrompt("New URL", odd);
    Commands().itmNewPageClick();
    ASSERT_EQ(List().PageCount(), 2);
    EXPECT_EQ(Scripted(1).PendingURL(), readingWith(odd, 3)) << "New Page";
    Complete(1);
    Nav().btnHomeClick();
    EXPECT_EQ(Scripted(1).PendingURL(), readingWith(odd, 3)) << "Home goes where the page's home read as";
    EXPECT_TRUE(reports.empty());
}

TEST_F(TypedAddressTest, BlankAndRefusedTextsOpenNothingAndSayWhy)
{
    for (const std::string blank : {"", "   "}) {
        auto answer = AnswerPrompt("New URL", blank);
        Commands().itmNewPageClick();
        answer = AnswerPrompt("New URL", blank);
        Commands().itmNewURLClick();
        EXPECT_TRUE(answer->Answered());
    }
    EXPECT_EQ(List().PageCount(), 0) << "blank text does what Cancel does";
    EXPECT_TRUE(reports.empty());
    EXPECT_TRUE(history.empty());

    const std::string refusal =
        "Pandrel cannot open \u201cjavascript:alert(1)\u201d: scripts cannot be typed as addresses";
    auto answer = AnswerPrompt("New URL", "javascript:alert(1)");
    Commands().itmNewPageClick();
    EXPECT_EQ(List().PageCount(), 0);
    EXPECT_EQ(reports, (Strings{refusal}));
    EXPECT_TRUE(history.empty());

    List().OpenPage("http://home.example/", "H");
    Complete(0);
    const std::size_t calls = Scripted(0).Calls().size();
    PressEnter("javascript:alert(1)");
    answer = AnswerPrompt("New URL", "javascript:alert(1)");
    Commands().itmNewURLClick();
    EXPECT_EQ(Scripted(0).Calls().size(), calls) << "a refused text reaches no browser";
    EXPECT_EQ(List().PageInfo(0).FirstURL(), "http://home.example/");
    EXPECT_EQ(reports, (Strings{refusal, refusal, refusal}));
    EXPECT_TRUE(history.empty()) << "a refused text is not recorded";

    PressEnter("");
    EXPECT_EQ(Scripted(0).Calls().size(), calls) << "Enter in an empty box goes nowhere";
    EXPECT_EQ(reports.size(), 3u);

    // Handed-over text takes the road of "&New Page": refused, it opens no page.
    const Strings recorded = history;
    EXPECT_THROW(Commands().OpenNewPage("javascript:alert(1)"), pages::ERefusedAddress);
    Commands().OpenNewPage(" ");
    EXPECT_EQ(List().PageCount(), 1);
    EXPECT_EQ(history, recorded);
}
