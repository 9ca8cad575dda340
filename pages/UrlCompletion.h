#pragma once
// Type-ahead completion of the URL box from its drop-down list, with no
// toolkit in it: it takes the edit field's state and the user's keys and says
// what the field must show, which list entry to select and when to beep.
//
// Besides the visible text it keeps the typed prefix. A printable character
// goes into the prefix at the caret and the first list entry (in list order)
// beginning with the prefix, regardless of letter case, is shown with the part
// after the prefix selected.
#include "UrlListIndex.h"

#include <optional>
#include <string>

namespace pages {

// What the edit field shows: UTF-8 text, the caret and the other end of the
// selection, both counted in characters. caret == selectionBound: no selection.
struct UrlEditState {
    std::string text;
    int caret = 0;
    int selectionBound = 0;

    int SelectionStart() const { return caret < selectionBound ? caret : selectionBound; }
    int SelectionEnd() const { return caret < selectionBound ? selectionBound : caret; }
    bool operator==(const UrlEditState&) const = default;
};

struct UrlCompletionOutcome {
    static constexpr int kNoEntry = -1;

    bool consumed = false;              // the key must not reach the edit field
    std::optional<UrlEditState> edit;   // the field's new state, when it changes
    std::optional<int> selectEntry;     // list entry to select (kNoEntry: none)
    bool beep = false;
};

class UrlCompletion {
public:
    UrlListIndex& List() { return list_; }
    const UrlListIndex& List() const { return list_; }

    // Completion on (the default) or off. Off, keys and program writes leave
    // the prefix alone and nothing is completed.
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    bool Enabled() const { return enabled_; }

    std::string Prefix() const;

    // A printable character typed in the field in state `field`.
    UrlCompletionOutcome TypeCharacter(const UrlEditState& field, char32_t character);
    UrlCompletionOutcome Backspace(const UrlEditState& field);
    UrlCompletionOutcome Escape();
    // Up, Down, Page Up, Page Down.
    void ListKey();
    // Home, End, Left, Right, a mouse press in the field, a paste or a cut:
    // the field's whole text (after the action) becomes the prefix.
    void TakeWholeText(const std::string& text);
    void FocusLost();
    // The program sets the field's text: with completion on it becomes the
    // prefix and is completed like typed text.
    UrlCompletionOutcome ProgramSetText(const std::string& text);

private:
    UrlCompletionOutcome CompletePrefix(std::optional<UrlEditState> fallback);
    UrlCompletionOutcome ClearBox();

    UrlListIndex list_;
    std::u32string prefix_;
    bool enabled_ = true;
};

} // namespace pages
