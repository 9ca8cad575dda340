#include "UrlCompletion.h"

#include "Utf8Text.h"

#include <algorithm>

namespace pages {
namespace {

// Removes from prefix the characters of [start, end) that lie inside it.
void RemoveRange(std::u32string& prefix, int start, int end)
{
    const int length = static_cast<int>(prefix.size());
    start = std::clamp(start, 0, length);
    end = std::clamp(end, 0, length);
    if (start < end)
        prefix.erase(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
}

// The field after the character replaced its selection, as the edit field
// itself would do it.
UrlEditState TypedIntoField(const UrlEditState& field, char32_t character)
{
    std::u32string text = DecodeUtf8(field.text);
    const int length = static_cast<int>(text.size());
    const int start = std::clamp(field.SelectionStart(), 0, length);
    const int end = std::clamp(field.SelectionEnd(), 0, length);
    text.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start), 1, character);
    return UrlEditState{EncodeUtf8(text), start + 1, start + 1};
}

} // namespace

std::string UrlCompletion::Prefix() const
{
    return EncodeUtf8(prefix_);
}

UrlCompletionOutcome UrlCompletion::TypeCharacter(const UrlEditState& field, char32_t character)
{
    if (!enabled_)
        return {};
    const int selectionStart = field.SelectionStart();
    RemoveRange(prefix_, selectionStart, field.SelectionEnd());
    const int insertAt = std::clamp(selectionStart, 0, static_cast<int>(prefix_.size()));
    prefix_.insert(static_cast<std::size_t>(insertAt), 1, character);
    return CompletePrefix(TypedIntoField(field, character));
}

UrlCompletionOutcome UrlCompletion::Backspace(const UrlEditState& field)
{
    if (!enabled_)
        return {};
    if (prefix_.empty()) {
        UrlCompletionOutcome outcome;
        outcome.consumed = true;
        outcome.beep = true;
        return outcome;
    }
    const int length = static_cast<int>(prefix_.size());
    const int start = field.SelectionStart();
    const int end = field.SelectionEnd();
    if (start < end && start < length) {
        RemoveRange(prefix_, start, end);
    } else {
        // No selection, or only the completed tail after the prefix is
        // selected: the character before the caret goes.
        const int caret = std::clamp(start, 0, length);
        if (caret > 0)
            prefix_.erase(static_cast<std::size_t>(caret - 1), 1);
    }
    if (prefix_.empty())
        return ClearBox();
    const std::string typed = EncodeUtf8(prefix_);
    const int typedLength = static_cast<int>(prefix_.size());
    UrlCompletionOutcome outcome = CompletePrefix(UrlEditState{typed, typedLength, typedLength});
    outcome.consumed = true;
    return outcome;
}

UrlCompletionOutcome UrlCompletion::Escape()
{
    if (!enabled_)
        return {};
    return ClearBox();
}

void UrlCompletion::ListKey()
{
    if (enabled_)
        prefix_.clear();
}

void UrlCompletion::TakeWholeText(const std::string& text)
{
    if (enabled_)
        prefix_ = DecodeUtf8(text);
}

void UrlCompletion::FocusLost()
{
    if (enabled_)
        prefix_.clear();
}

UrlCompletionOutcome UrlCompletion::ProgramSetText(const std::string& text)
{
    const int length = CodePointCount(text);
    UrlEditState written{text, length, length};
    if (!enabled_) {
        UrlCompletionOutcome outcome;
        outcome.edit = std::move(written);
        return outcome;
    }
    prefix_ = DecodeUtf8(text);
    return CompletePrefix(std::move(written));
}

UrlCompletionOutcome UrlCompletion::CompletePrefix(std::optional<UrlEditState> fallback)
{
    UrlCompletionOutcome outcome;
    const int found = list_.FindFirst(FoldCase(prefix_));
    if (found == UrlListIndex::kNotFound) {
        // Free text is allowed: the field shows what was typed.
        outcome.edit = std::move(fallback);
        outcome.selectEntry = UrlCompletionOutcome::kNoEntry;
        return outcome;
    }
    const std::string& entry = list_.Entry(found);
    const int prefixLength = static_cast<int>(prefix_.size());
    outcome.consumed = true;
    outcome.edit = UrlEditState{entry, prefixLength, CodePointCount(entry)};
    outcome.selectEntry = found;
    return outcome;
}

UrlCompletionOutcome UrlCompletion::ClearBox()
{
    prefix_.clear();
    UrlCompletionOutcome outcome;
    outcome.consumed = true;
    outcome.edit = UrlEditState{};
    outcome.selectEntry = UrlCompletionOutcome::kNoEntry;
    return outcome;
}

} // namespace pages
