// The page commands of the pop-up menu, answered through their real prompts.
#include "ModalAnswer.h"
#include "PagesFixture.h"

using Strings = std::vector<std::string>;

using PageCommandsTest = PagesFixture;

TEST_F(PageCommandsTest, NewPageCaptionsFromUrlOrNumberAndRecordsHistory)
{
    auto answer = AnswerPrompt("New URL", "www.bbb.ccc");
    Commands().itmNewPageClick();
    EXPECT_TRUE(answer->Answered());
    EXPECT_EQ(Captions(), (Strings{"Bbb"}));
    EXPECT_EQ(history, (Strings{"www.bbb.ccc"}));

    answer = AnswerPrompt("New URL", "intranet");
    Commands().itmNewPageClick();
    answer = AnswerPrompt("New URL", " intranet ");
    Commands().itmNewPageClick();
    EXPECT_EQ(Captions(), (Strings{"Bbb", "2", "3"}));
    EXPECT_EQ(List().PageInfo(2).FirstURL(), " intranet ") << "the text goes on untrimmed";

    // Captions are never renumbered.
    List().ClosePage(0);
    answer = AnswerPrompt("New URL", "intranet");
    Commands().itmNewPageClick();
    EXPECT_EQ(Captions(), (Strings{"2", "3", "3"}));

    answer = AnswerPrompt("New URL", "www.ddd.eee", false);
    Commands().itmNewPageClick();
    EXPECT_TRUE(answer->Answered());
    answer = AnswerPrompt("New URL", "");
    Commands().itmNewPageClick();
    EXPECT_EQ(List().PageCount(), 3) << "Cancel and empty text open nothing";
    EXPECT_EQ(history.size(), 4u);
    EXPECT_TRUE(reports.empty());
}

TEST_F(PageCommandsTest, NewUrlOpensPageOneOrSendsTheCurrentPageWithoutHistory)
{
    auto answer = AnswerPrompt("New URL", "www.bbb.ccc");
    Commands().itmNewURLClick();
    EXPECT_EQ(Captions(), (Strings{"1"}));

    List().OpenPage("http://x.example/", "X");
    List().SetCurrentPage(0);
    answer = AnswerPrompt("New URL", "http://y.example/");
    Commands().itmNewURLClick();
    EXPECT_EQ(Captions(), (Strings{"1", "X"}));
    EXPECT_EQ(List().PageInfo(0).FirstURL(), "http://y.example/");
    EXPECT_EQ(Scripted(0).PendingURL(), "http://y.example/");
    EXPECT_EQ(List().PageInfo(1).FirstURL(), "http://x.example/");

    Complete(0);
    Scripted(0).SetCompleteNavigationsAutomatically(true);
    List().NavigatePage(0, "http://z.example/"); // by hand: FirstURL follows
    Nav().btnHomeClick();
    EXPECT_EQ(List().LocationURL(0), "http://z.example/");

    answer = AnswerPrompt("New URL", "http://w.example/", false);
    Commands().itmNewURLClick();
    EXPECT_EQ(List().PageInfo(0).FirstURL(), "http://z.example/");
    EXPECT_TRUE(history.empty());
}

TEST_F(PageCommandsTest, LabelPageSetsCaptionAndCancelKeepsIt)
{
    // With no page open the prompt is shown and its answer discarded.
    auto answer = AnswerPrompt("New Page Label", "nobody");
    Commands().itmLabelPageClick();
    EXPECT_TRUE(answer->Answered());
    EXPECT_EQ(List().PageCount(), 0);

    List().OpenPage("http://a.example/", "A");
    List().OpenPage("http://b.example/", "B");
    answer = AnswerPrompt("New Page Label", " My page ");
    Commands().itmLabelPageClick();
    EXPECT_EQ(Captions(), (Strings{"A", " My page "}));

    answer = AnswerPrompt("New Page Label", "ignored", false);
    Commands().itmLabelPageClick();
    EXPECT_EQ(Captions(), (Strings{"A", " My page "})) << "Cancel keeps the caption";

    answer = std::make_unique<ModalAnswer>("New Page Label", [](Gtk::Window& prompt) { SendKey(prompt, GDK_KEY_Escape); });
    Commands().itmLabelPageClick();
    EXPECT_TRUE(answer->Answered());
    EXPECT_EQ(List().Caption(1), " My page ") << "Esc keeps the caption";

    answer = AnswerPrompt("New Page Label", "");
    Commands().itmLabelPageClick();
    EXPECT_EQ(Captions(), (Strings{"A", ""})) << "an empty answer confirmed with OK empties it";
}

TEST_F(PageCommandsTest, ClosePageClosesTheCurrentPageOrNothing)
{
    Commands().itmClosePageClick();
    EXPECT_TRUE(reports.empty());
    List().OpenPage("http://a.example/", "A");
    List().OpenPage("http://b.example/", "B");
    List().OpenPage("http://c.example/", "C");
    List().SetCurrentPage(1);
    Commands().itmClosePageClick();
    EXPECT_EQ(Captions(), (Strings{"A", "C"}));
    EXPECT_EQ(List().CurrentIndex(), 1);
    Commands().itmClosePageClick();
    EXPECT_EQ(List().CurrentIndex(), 0);
}

TEST_F(PageCommandsTest, PropertiesEditTheCurrentPagesOptionOnlyOnOk)
{
    pages::TdlgProperties dialog;
    Commands().SetPropertiesDialog([&]() -> pages::TdlgProperties& { return dialog; });
    Commands().itmOptionsClick(); // no page: nothing shown, nothing waits
    EXPECT_FALSE(dialog.get_visible());

    List().OpenPage("http://a.example/", "A");
    List().OpenPage("http://b.example/", "B");
    bool shownUseInitial = false;
    ModalAnswer ok("Page Properties", [&](Gtk::Window&) {
        shownUseInitial = dialog.radUseInitialURL.get_active();
        dialog.radRememberLast.set_active(true);
        dialog.btnOk.clicked();
    });
    Commands().itmOptionsClick();
    EXPECT_TRUE(ok.Answered());
    EXPECT_TRUE(shownUseInitial) << "a new page opens the dialog on Use Initial URL";
    EXPECT_TRUE(List().PageInfo(1).RememberLastURL());
    EXPECT_FALSE(List().PageInfo(0).RememberLastURL());
    EXPECT_FALSE(dialog.get_visible());

    // Cancel, Esc and the close button change nothing, whatever was clicked.
    const std::vector<std::function<void(Gtk::Window&)>> refusals = {
        [&](Gtk::Window&) { dialog.btnCancel.clicked(); },
        [](Gtk::Window& w) { SendKey(w, GDK_KEY_Escape); },
        [](Gtk::Window& w) { SendDeleteEvent(w); },
    };
    for (const auto& refuse : refusals) {
        bool shownRemember = false;
        ModalAnswer answer("Page Properties", [&](Gtk::Window& w) {
            shownRemember = dialog.radRememberLast.get_active();
            dialog.radUseInitialURL.set_active(true);
            refuse(w);
        });
        Commands().itmOptionsClick();
        EXPECT_TRUE(answer.Answered());
        EXPECT_TRUE(shownRemember) << "the dialog shows the page's stored choice";
        EXPECT_TRUE(List().PageInfo(1).RememberLastURL());
        EXPECT_FALSE(dialog.get_visible());
    }

    // The dialog shows the option of the page that is current now.
    List().SetCurrentPage(0);
    bool shownRememberForA = true;
    ModalAnswer cancel("Page Properties", [&](Gtk::Window&) {
        shownRememberForA = dialog.radRememberLast.get_active();
        dialog.btnCancel.clicked();
    });
    Commands().itmOptionsClick();
    EXPECT_FALSE(shownRememberForA);
}
