#include "UrlBoxCompletion.h"

#include "ComboListPopup.h"
#include "TextListModel.h"

#include <gdk/gdkkeysyms.h>

namespace pages {
namespace {

constexpr int kTextColumn = 0;

// A key the completion treats as typed text: it yields a printable character
// and is not a shortcut.
bool IsTypedCharacter(const GdkEventKey* event, gunichar& character)
{
    if (event->state & (GDK_CONTROL_MASK | GDK_MOD1_MASK | GDK_SUPER_MASK | GDK_META_MASK))
        return false;
    character = gdk_keyval_to_unicode(event->keyval);
    return character >= 32 && g_unichar_isprint(character);
}

bool HasShortcutModifier(const GdkEventKey* event)
{
    return event->state & (GDK_CONTROL_MASK | GDK_MOD1_MASK | GDK_SUPER_MASK | GDK_META_MASK);
}

class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~ScopedFlag() { flag_ = old_; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    bool& flag_;
    bool old_;
};

} // namespace

UrlBoxCompletion::UrlBoxCompletion(Gtk::ComboBoxText& box)
    : box_(box), beep_([this] { gdk_display_beep(box_.get_display()->gobj()); })
{
    platform::UseListPopup(box_);
    Gtk::Entry& entry = Entry();
    connections_.push_back(entry.signal_key_press_event().connect(
        sigc::mem_fun(*this, &UrlBoxCompletion::OnKeyPress), false));
    connections_.push_back(entry.signal_button_press_event().connect(
        sigc::mem_fun(*this, &UrlBoxCompletion::OnButtonPress), false));
    connections_.push_back(entry.signal_focus_out_event().connect(
        sigc::mem_fun(*this, &UrlBoxCompletion::OnFocusOut), false));
    // gtkmm wraps neither action signal; the handlers go when the entry does,
    // or in the destructor.
    pasteHandler_ = g_signal_connect_swapped(entry.gobj(), "paste-clipboard", G_CALLBACK(&OnPasteClipboard), this);
    cutHandler_ = g_signal_connect_data(entry.gobj(), "cut-clipboard", G_CALLBACK(&OnCutClipboard), this, nullptr,
                                        GConnectFlags(G_CONNECT_SWAPPED | G_CONNECT_AFTER));
    connections_.push_back(entry.signal_changed().connect(
        sigc::mem_fun(*this, &UrlBoxCompletion::OnEntryChanged)));
    connections_.push_back(box_.signal_changed().connect(
        sigc::mem_fun(*this, &UrlBoxCompletion::OnActiveChanged)));
    // A list given to the box whole is read whole, once.
    connections_.push_back(box_.property_model().signal_changed().connect(
        sigc::mem_fun(*this, &UrlBoxCompletion::ConnectModel)));
    ConnectModel();
}

UrlBoxCompletion::~UrlBoxCompletion()
{
    for (sigc::connection& c : connections_)
        c.disconnect();
    for (sigc::connection& c : modelConnections_)
        c.disconnect();
    indexing_.disconnect();
    GObject* entry = G_OBJECT(Entry().gobj());
    g_signal_handler_disconnect(entry, pasteHandler_);
    g_signal_handler_disconnect(entry, cutHandler_);
}

void UrlBoxCompletion::OnPasteClipboard(UrlBoxCompletion* self)
{
    self->pastePending_ = true;
}

void UrlBoxCompletion::OnCutClipboard(UrlBoxCompletion* self)
{
    self->completion_.TakeWholeText(self->Entry().get_text());
}

Gtk::Entry& UrlBoxCompletion::Entry() const
{
    Gtk::Entry* entry = box_.get_entry();
    g_assert(entry != nullptr); // the URL box is a combo with an entry
    return *entry;
}

UrlEditState UrlBoxCompletion::FieldState() const
{
    Gtk::Entry& entry = Entry();
    UrlEditState state;
    state.text = entry.get_text();
    int start = 0;
    int end = 0;
    const int cursor = entry.get_position();
    if (entry.get_selection_bounds(start, end)) {
        state.caret = cursor;
        state.selectionBound = cursor == start ? end : start;
    } else {
        state.caret = state.selectionBound = cursor;
    }
    return state;
}

void UrlBoxCompletion::Apply(const UrlCompletionOutcome& outcome)
{
    ScopedFlag writing(writing_);
    if (outcome.selectEntry && *outcome.selectEntry != box_.get_active_row_number())
        box_.set_active(*outcome.selectEntry);
    if (outcome.edit) {
        Gtk::Entry& entry = Entry();
        if (entry.get_text() != outcome.edit->text)
            entry.set_text(outcome.edit->text);
        // select_region puts the selection bound at its first argument and
        // the caret at its second.
        entry.select_region(outcome.edit->selectionBound, outcome.edit->caret);
    }
    if (outcome.beep && beep_)
        beep_();
}

void UrlBoxCompletion::SetText(const std::string& text)
{
    Apply(completion_.ProgramSetText(text));
}

bool UrlBoxCompletion::OnKeyPress(GdkEventKey* event)
{
    pastePending_ = false;
    if (!completion_.Enabled())
        return false;
    gunichar character = 0;
    if (IsTypedCharacter(event, character)) {
        const UrlCompletionOutcome outcome = completion_.TypeCharacter(FieldState(), character);
        Apply(outcome);
        return true; // the field already shows the result
    }
    if (HasShortcutModifier(event))
        return false;
    switch (event->keyval) {
    case GDK_KEY_BackSpace: {
        const UrlCompletionOutcome outcome = completion_.Backspace(FieldState());
        Apply(outcome);
        return outcome.consumed;
    }
    case GDK_KEY_Escape:
        Apply(completion_.Escape());
        return true;
    case GDK_KEY_Up: case GDK_KEY_KP_Up:
    case GDK_KEY_Down: case GDK_KEY_KP_Down:
    case GDK_KEY_Page_Up: case GDK_KEY_KP_Page_Up:
    case GDK_KEY_Page_Down: case GDK_KEY_KP_Page_Down:
        completion_.ListKey();
        return false;
    case GDK_KEY_Home: case GDK_KEY_KP_Home:
    case GDK_KEY_End: case GDK_KEY_KP_End:
    case GDK_KEY_Left: case GDK_KEY_KP_Left:
    case GDK_KEY_Right: case GDK_KEY_KP_Right:
        // Moving the caret changes no text, so the text now is the text after.
        completion_.TakeWholeText(Entry().get_text());
        return false;
    default:
        return false;
    }
}

bool UrlBoxCompletion::OnButtonPress(GdkEventButton*)
{
    completion_.TakeWholeText(Entry().get_text());
    return false;
}

bool UrlBoxCompletion::OnFocusOut(GdkEventFocus*)
{
    completion_.FocusLost();
    return false;
}

void UrlBoxCompletion::OnEntryChanged()
{
    if (writing_ || !pastePending_)
        return;
    pastePending_ = false;
    completion_.TakeWholeText(Entry().get_text());
}

void UrlBoxCompletion::OnActiveChanged()
{
    // The user picked a list entry: what was typed no longer counts.
    if (!writing_ && box_.get_active_row_number() >= 0)
        completion_.ListKey();
}

std::string UrlBoxCompletion::RowText(const Gtk::TreeModel::iterator& row) const
{
    Glib::ustring text;
    row->get_value(kTextColumn, text);
    return text;
}

void UrlBoxCompletion::ConnectModel()
{
    for (sigc::connection& c : modelConnections_)
        c.disconnect();
    modelConnections_.clear();
    Glib::RefPtr<Gtk::TreeModel> model = box_.get_model();
    if (!model) {
        completion_.List().Clear();
        return;
    }
    modelConnections_.push_back(model->signal_row_inserted().connect(
        sigc::mem_fun(*this, &UrlBoxCompletion::OnRowInserted)));
    modelConnections_.push_back(model->signal_row_changed().connect(
        sigc::mem_fun(*this, &UrlBoxCompletion::OnRowChanged)));
    modelConnections_.push_back(model->signal_row_deleted().connect(
        [this](const Gtk::TreeModel::Path& path) { completion_.List().Remove(path.front()); }));
    modelConnections_.push_back(model->signal_rows_reordered().connect(
        [this](const Gtk::TreeModel::Path&, const Gtk::TreeModel::iterator&, int*) { ReloadList(); }));
    ReloadList();
}

void UrlBoxCompletion::ReloadList()
{
    const Glib::RefPtr<Gtk::TreeModel> model = box_.get_model();
    completion_.List().Assign(platform::TextListModel::RowTexts(model));
    if (platform::TextListModel::Texts(model)) // a long history, handed over whole
        BuildIndexWhenIdle();
}

// A long list is indexed once the program has nothing else to do, so that
// neither handing it over nor the first typed key waits for it.
void UrlBoxCompletion::BuildIndexWhenIdle()
{
    indexing_.disconnect();
    indexing_ = Glib::signal_idle().connect(
        [this] {
            completion_.List().Build();
            return false;
        },
        Glib::PRIORITY_LOW);
}

void UrlBoxCompletion::OnRowInserted(const Gtk::TreeModel::Path& path, const Gtk::TreeModel::iterator& row)
{
    completion_.List().Insert(path.front(), RowText(row));
}

void UrlBoxCompletion::OnRowChanged(const Gtk::TreeModel::Path& path, const Gtk::TreeModel::iterator& row)
{
    const int index = path.front();
    if (index < completion_.List().Count() && completion_.List().Entry(index) == RowText(row))
        return;
    completion_.List().Replace(index, RowText(row));
}

} // namespace pages

