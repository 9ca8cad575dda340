// Completion wired to a real combo box: keys sent to its entry, the list kept
// in step with the combo's model, beeps and focus.
#include "MainLoop.h"
#include "ModalAnswer.h"
#include "UrlBoxCompletion.h"

#include <gtest/gtest.h>
#include <gtkmm.h>

namespace {

class UrlBoxCompletionTest : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* url : {"http://www.kestrane.com/", "http://Example.org/", "ftp://files.example.org/"})
            box.append(url);
        layout.pack_start(box, Gtk::PACK_SHRINK);
        window.add(layout);
        window.show_all();
        completion = std::make_unique<pages::UrlBoxCompletion>(box);
        completion->SetBeep([this] { ++beeps; });
        Entry().grab_focus();
        RunPendingEvents();
    }
    void TearDown() override { completion.reset(); }

    Gtk::Entry& Entry() { return *box.get_entry(); }
    void Type(const std::string& text)
    {
        for (char c : text)
            SendKey(Entry(), gdk_unicode_to_keyval(static_cast<unsigned char>(c)));
    }
    std::string Selected()
    {
        int start = 0;
        int end = 0;
        if (!Entry().get_selection_bounds(start, end))
            return {};
        return Entry().get_text().substr(static_cast<Glib::ustring::size_type>(start),
                                         static_cast<Glib::ustring::size_type>(end - start));
    }

    Gtk::Window window;
    Gtk::Box layout{Gtk::ORIENTATION_VERTICAL};
    Gtk::ComboBoxText box{true};
    std::unique_ptr<pages::UrlBoxCompletion> completion;
    int beeps = 0;
};

} // namespace

TEST_F(UrlBoxCompletionTest, TypingCompletesSelectsTheEntryAndBackspaceEmptiesTheBox)
{
    Type("HTTP://e");
    EXPECT_EQ(Entry().get_text(), "http://Example.org/");
    EXPECT_EQ(Selected(), "xample.org/");
    EXPECT_EQ(Entry().get_position(), 8) << "the caret stands after the typed text";
    EXPECT_EQ(box.get_active_row_number(), 1);

    // No entry begins with the prefix: the key does what it does in any field.
    Type("q");
    EXPECT_EQ(Entry().get_text(), "http://Eq");
    EXPECT_EQ(completion->Completion().Prefix(), "HTTP://eq");
    EXPECT_EQ(box.get_active_row_number(), -1);

    for (int i = 0; i < 9; ++i)
        SendKey(Entry(), GDK_KEY_BackSpace);
    EXPECT_EQ(Entry().get_text(), "");
    EXPECT_EQ(beeps, 0);
    SendKey(Entry(), GDK_KEY_BackSpace);
    EXPECT_EQ(beeps, 1) << "Backspace with nothing typed beeps";
}

TEST_F(UrlBoxCompletionTest, EscapeClearsAndCaretKeysTakeTheWholeText)
{
    Type("ftp");
    SendKey(Entry(), GDK_KEY_Escape);
    EXPECT_EQ(Entry().get_text(), "");
    EXPECT_EQ(completion->Completion().Prefix(), "");

    Entry().set_text("http://www.kestrane.com/x");
    SendKey(Entry(), GDK_KEY_End);
    EXPECT_EQ(completion->Completion().Prefix(), "http://www.kestrane.com/x");
    SendKey(Entry(), GDK_KEY_Down);
    EXPECT_EQ(completion->Completion().Prefix(), "");

    Type("f");
    GdkEvent* focusOut = gdk_event_new(GDK_FOCUS_CHANGE);
    focusOut->focus_change.in = FALSE;
    focusOut->focus_change.window = GDK_WINDOW(g_object_ref(Entry().get_window()->gobj()));
    gtk_widget_send_focus_change(GTK_WIDGET(Entry().gobj()), focusOut);
    gdk_event_free(focusOut);
    EXPECT_EQ(completion->Completion().Prefix(), "") << "losing the focus empties the prefix";
}

TEST_F(UrlBoxCompletionTest, ListFollowsTheComboModelAndProgramWritesRespectTheSwitch)
{
    box.append("http://new.example/");
    box.remove_text(0);
    ASSERT_EQ(completion->Completion().List().Count(), 3);
    EXPECT_EQ(completion->Completion().List().Entry(2), "http://new.example/");
    Type("http://n");
    EXPECT_EQ(Entry().get_text(), "http://new.example/");
    EXPECT_EQ(box.get_active_row_number(), 2);

    completion->SetEnabled(false);
    completion->SetText("http://e");
    EXPECT_EQ(Entry().get_text(), "http://e");
    completion->SetEnabled(true);
    completion->SetText("http://e");
    EXPECT_EQ(Entry().get_text(), "http://Example.org/") << "with completion on, a program write completes";
}

TEST_F(UrlBoxCompletionTest, AListGivenToTheBoxWholeIsFollowedInItsOrder)
{
    GtkListStore* rows = gtk_list_store_new(2, G_TYPE_STRING, G_TYPE_STRING);
    for (const char* url : {"http://zeta.example/", "http://alpha.example/", "http://zebra.example/"})
        gtk_list_store_insert_with_values(rows, nullptr, -1, 0, url, -1);
    box.set_model(Glib::wrap(GTK_TREE_MODEL(rows)));
    ASSERT_EQ(completion->Completion().List().Count(), 3) << "the completion still lists the old entries";
    EXPECT_EQ(completion->Completion().List().Entry(0), "http://zeta.example/");
    EXPECT_EQ(completion->Completion().List().Entry(2), "http://zebra.example/");
    Type("http://ze");
    EXPECT_EQ(Entry().get_text(), "http://zeta.example/") << "the first entry in list order completes";

    box.append("http://kestrel.example/");
    ASSERT_EQ(completion->Completion().List().Count(), 4) << "rows added to the new list are followed";
    EXPECT_EQ(completion->Completion().List().Entry(3), "http://kestrel.example/");
}
