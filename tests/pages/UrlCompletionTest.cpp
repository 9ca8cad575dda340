// The URL box's type-ahead completion, driven key by key without a display.
#include "UrlCompletion.h"

#include <gtest/gtest.h>

using pages::UrlCompletion;
using pages::UrlCompletionOutcome;
using pages::UrlEditState;

namespace {

// Plays the edit field: applies each outcome as the box would.
class CompletionDriver {
public:
    explicit CompletionDriver(std::vector<std::string> list) { completion.List().Assign(std::move(list)); }

    UrlCompletionOutcome Type(const std::string& characters)
    {
        UrlCompletionOutcome last;
        for (char c : characters)
            last = Apply(completion.TypeCharacter(field, static_cast<unsigned char>(c)));
        return last;
    }
    UrlCompletionOutcome Backspace() { return Apply(completion.Backspace(field)); }
    UrlCompletionOutcome Escape() { return Apply(completion.Escape()); }
    void Select(int bound, int caret)
    {
        field.selectionBound = bound;
        field.caret = caret;
    }
    std::string Selected() const
    {
        return field.text.substr(static_cast<std::size_t>(field.SelectionStart()),
                                 static_cast<std::size_t>(field.SelectionEnd() - field.SelectionStart()));
    }

    UrlCompletion completion;
    UrlEditState field;
    int selectedEntry = UrlCompletionOutcome::kNoEntry;
    int beeps = 0;

private:
    UrlCompletionOutcome Apply(UrlCompletionOutcome outcome)
    {
        if (outcome.edit)
            field = *outcome.edit;
        if (outcome.selectEntry)
            selectedEntry = *outcome.selectEntry;
        beeps += outcome.beep ? 1 : 0;
        return outcome;
    }
};

const std::vector<std::string> kHistory = {
    "http://www.kestrane.com/",
    "http://Example.org/First",
    "http://example.org/",
    "ftp://files.example.org/",
};

} // namespace

TEST(UrlCompletion, TypedPrefixCompletesToFirstEntryInListOrderIgnoringCase)
{
    CompletionDriver box(kHistory);
    UrlCompletionOutcome outcome = box.Type("HTTP://E");
    EXPECT_TRUE(outcome.consumed);
    // The entry's own text is shown, not the typed case; the rest is selected.
    EXPECT_EQ(box.field.text, "http://Example.org/First");
    EXPECT_EQ(box.field.caret, 8);
    EXPECT_EQ(box.Selected(), "xample.org/First");
    EXPECT_EQ(box.selectedEntry, 1) << "entry 1 precedes entry 2, although 2 sorts first";
    EXPECT_EQ(box.completion.Prefix(), "HTTP://E");

    // The next key overwrites the selection and completes again.
    box.Type("xample.org/f");
    EXPECT_EQ(box.field.text, "http://Example.org/First");
    EXPECT_EQ(box.Selected(), "irst");
}

TEST(UrlCompletion, UnmatchedTextIsKeptAsTypedAndNoEntrySelected)
{
    CompletionDriver box(kHistory);
    box.Type("ht");
    EXPECT_EQ(box.selectedEntry, 0);
    UrlCompletionOutcome outcome = box.Type("x");
    EXPECT_FALSE(outcome.consumed) << "free text may be typed";
    EXPECT_EQ(box.field.text, "htx");
    EXPECT_EQ(box.field.caret, 3);
    EXPECT_EQ(box.Selected(), "");
    EXPECT_EQ(box.selectedEntry, UrlCompletionOutcome::kNoEntry);
    EXPECT_EQ(box.completion.Prefix(), "htx");
}

TEST(UrlCompletion, BackspaceShortensPrefixCompletesAgainAndClearsAtEmpty)
{
    CompletionDriver box(kHistory);
    box.Type("ftp");
    EXPECT_EQ(box.field.text, "ftp://files.example.org/");

    // The completed tail is selected: Backspace takes the last typed character.
    UrlCompletionOutcome outcome = box.Backspace();
    EXPECT_TRUE(outcome.consumed);
    EXPECT_EQ(box.completion.Prefix(), "ft");
    EXPECT_EQ(box.field.text, "ftp://files.example.org/");
    EXPECT_EQ(box.Selected(), "p://files.example.org/");

    box.Backspace();
    EXPECT_EQ(box.completion.Prefix(), "f");
    box.Backspace();
    EXPECT_EQ(box.completion.Prefix(), "");
    EXPECT_EQ(box.field, UrlEditState{}) << "an emptied prefix clears the box";
    EXPECT_EQ(box.selectedEntry, UrlCompletionOutcome::kNoEntry);
    EXPECT_EQ(box.beeps, 0);

    // Backspace with nothing typed only beeps.
    outcome = box.Backspace();
    EXPECT_TRUE(outcome.beep);
    EXPECT_FALSE(outcome.edit.has_value());
    EXPECT_EQ(box.beeps, 1);
}

TEST(UrlCompletion, SelectionInsidePrefixIsRemovedByBackspaceAndByTyping)
{
    CompletionDriver box(kHistory);
    box.completion.TakeWholeText("abcdef");
    box.field = UrlEditState{"abcdef", 6, 6};

    box.Select(1, 3); // "bc"
    box.Backspace();
    EXPECT_EQ(box.completion.Prefix(), "adef");
    EXPECT_EQ(box.field.text, "adef");
    EXPECT_EQ(box.field.caret, 4);

    box.Select(3, 1); // "de", caret at 1
    box.Type("X");
    EXPECT_EQ(box.completion.Prefix(), "aXf");
    EXPECT_EQ(box.field.text, "aXf");
    EXPECT_EQ(box.field.caret, 2);

    // Caret in the middle, no selection: the character before it goes.
    box.Select(1, 1);
    box.Backspace();
    EXPECT_EQ(box.completion.Prefix(), "Xf");
}

TEST(UrlCompletion, EscapeListKeysFocusAndCaretKeysSetThePrefix)
{
    CompletionDriver box(kHistory);
    box.Type("http://w");
    UrlCompletionOutcome outcome = box.Escape();
    EXPECT_TRUE(outcome.consumed);
    EXPECT_EQ(box.field.text, "");
    EXPECT_EQ(box.completion.Prefix(), "");
    EXPECT_EQ(box.selectedEntry, UrlCompletionOutcome::kNoEntry);

    box.Type("ftp");
    box.completion.ListKey();
    EXPECT_EQ(box.completion.Prefix(), "");
    // With an empty prefix the next character starts over, whatever the text.
    box.field = UrlEditState{"zzz", 3, 3};
    box.Type("h");
    EXPECT_EQ(box.field.text, "http://www.kestrane.com/");

    box.completion.TakeWholeText("http://example.org/");
    EXPECT_EQ(box.completion.Prefix(), "http://example.org/");
    box.completion.FocusLost();
    EXPECT_EQ(box.completion.Prefix(), "");
}

TEST(UrlCompletion, ProgramWritesCompleteOnlyWhileEnabledAndDisabledKeysDoNothing)
{
    CompletionDriver box(kHistory);
    UrlCompletionOutcome outcome = box.completion.ProgramSetText("http://example.org/");
    ASSERT_TRUE(outcome.edit.has_value());
    // Completed like typed text: the earlier, longer entry wins.
    EXPECT_EQ(outcome.edit->text, "http://Example.org/First");

    box.completion.ListKey();
    box.completion.SetEnabled(false);
    outcome = box.completion.ProgramSetText("http://example.org/");
    ASSERT_TRUE(outcome.edit.has_value());
    EXPECT_EQ(outcome.edit->text, "http://example.org/");
    EXPECT_EQ(outcome.edit->caret, outcome.edit->selectionBound);
    EXPECT_EQ(box.completion.Prefix(), "");

    EXPECT_FALSE(box.completion.TypeCharacter(box.field, 'h').edit.has_value());
    EXPECT_FALSE(box.completion.Backspace(box.field).beep);
    EXPECT_EQ(box.completion.Prefix(), "");
}

TEST(UrlCompletion, NonAsciiTextCountsCharactersNotBytes)
{
    CompletionDriver box({"http://\xc3\x89t\xc3\xa9.fr/"}); // "http://Été.fr/"
    box.completion.TakeWholeText("http://");
    box.field = UrlEditState{"http://", 7, 7};
    UrlCompletionOutcome outcome = box.completion.TypeCharacter(box.field, U'\u00e9'); // é matches É
    ASSERT_TRUE(outcome.edit.has_value());
    EXPECT_EQ(outcome.edit->text, "http://\xc3\x89t\xc3\xa9.fr/");
    EXPECT_EQ(outcome.edit->caret, 8);
    EXPECT_EQ(outcome.edit->selectionBound, 14);
}
