#pragma once
// Ties the completion state machine to the URL box: feeds it the entry's keys,
// mouse presses, paste, cut and focus loss, keeps its list in step with the
// combo's model, and writes back the text, selection and list entry it asks for.
#include "UrlCompletion.h"

#include <gtkmm/comboboxtext.h>
#include <gtkmm/entry.h>

#include <functional>
#include <vector>

namespace pages {

class UrlBoxCompletion {
public:
    // Construct it before box is first shown: it makes the box show its
    // drop-down as a scrolled list, which stays fast with a long history
    // (as a menu, every row added costs time in proportion to the rows
    // already there). box must outlive it.
    explicit UrlBoxCompletion(Gtk::ComboBoxText& box);
    ~UrlBoxCompletion();
    UrlBoxCompletion(const UrlBoxCompletion&) = delete;
    UrlBoxCompletion& operator=(const UrlBoxCompletion&) = delete;

    void SetEnabled(bool enabled) { completion_.SetEnabled(enabled); }
    bool Enabled() const { return completion_.Enabled(); }

    // The program writes the box's text; with completion on it is completed
    // like typed text.
    void SetText(const std::string& text);

    // Replaces the beep (the display's bell), e.g. to count beeps in tests.
    void SetBeep(std::function<void()> beep) { beep_ = std::move(beep); }

    const UrlCompletion& Completion() const { return completion_; }

private:
    Gtk::Entry& Entry() const;
    UrlEditState FieldState() const;
    void Apply(const UrlCompletionOutcome& outcome);
    bool OnKeyPress(GdkEventKey* event);
    bool OnButtonPress(GdkEventButton* event);
    bool OnFocusOut(GdkEventFocus* event);
    void OnEntryChanged();
    void OnActiveChanged();
    void ConnectModel();
    void ReloadList();
    void BuildIndexWhenIdle();
    void OnRowInserted(const Gtk::TreeModel::Path& path, const Gtk::TreeModel::iterator& row);
    void OnRowChanged(const Gtk::TreeModel::Path& path, const Gtk::TreeModel::iterator& row);
    static void OnPasteClipboard(UrlBoxCompletion* self);
    static void OnCutClipboard(UrlBoxCompletion* self);
    std::string RowText(const Gtk::TreeModel::iterator& row) const;

    Gtk::ComboBoxText& box_;
    UrlCompletion completion_;
    std::function<void()> beep_;
    bool writing_ = false;       // our own writes are not user edits
    bool pastePending_ = false;  // a paste lands asynchronously, on the next change
    std::vector<sigc::connection> connections_;
    std::vector<sigc::connection> modelConnections_; // to the box's current list
    sigc::connection indexing_;
    gulong pasteHandler_ = 0;
    gulong cutHandler_ = 0;
};

} // namespace pages
