// Every dialog belongs to the main window and offers neither minimise nor
// maximise; a prompt opened while About is open comes up above it.
#include "ModalAnswer.h"
#include "ProgramFixture.h"
#include "WidgetSearch.h"

#include <gtkmm.h>

#include <algorithm>

namespace {

// What the window manager lets the user do with window (its
// _NET_WM_ALLOWED_ACTIONS), empty until it has managed the window.
std::vector<std::string> AllowedActions(Gtk::Window& window)
{
    std::vector<std::string> actions;
    GdkAtom type = GDK_NONE;
    gint format = 0, length = 0;
    guchar* data = nullptr;
    if (!window.get_window() ||
        !gdk_property_get(window.get_window()->gobj(), gdk_atom_intern_static_string("_NET_WM_ALLOWED_ACTIONS"),
                          gdk_atom_intern_static_string("ATOM"), 0, 1024, FALSE, &type, &format, &length, &data))
        return actions;
    auto* atoms = reinterpret_cast<GdkAtom*>(data);
    for (std::size_t i = 0; i < length / sizeof(GdkAtom); ++i) {
        gchar* name = gdk_atom_name(atoms[i]);
        actions.push_back(name);
        g_free(name);
    }
    g_free(data);
    return actions;
}

// The Motif hints a window gives its window manager: flags, functions,
// decorations, input mode, status; empty when it gives none.
constexpr long kMwmFuncMinimize = 1L << 3;
constexpr long kMwmFuncMaximize = 1L << 4;
constexpr long kMwmDecorMinimize = 1L << 5;
constexpr long kMwmDecorMaximize = 1L << 6;

std::vector<long> MotifHints(Gtk::Window& window)
{
    std::vector<long> hints;
    GdkAtom type = GDK_NONE;
    gint format = 0, length = 0;
    guchar* data = nullptr;
    const GdkAtom name = gdk_atom_intern_static_string("_MOTIF_WM_HINTS");
    if (!window.get_window() ||
        !gdk_property_get(window.get_window()->gobj(), name, name, 0, 1024, FALSE, &type, &format, &length, &data))
        return hints;
    const auto* values = reinterpret_cast<const long*>(data);
    hints.assign(values, values + length / static_cast<gint>(sizeof(long)));
    g_free(data);
    return hints;
}

bool Has(const std::vector<std::string>& list, const std::string& item)
{
    return std::find(list.begin(), list.end(), item) != list.end();
}

// Position of window in the window manager's stacking order, bottom first; -1
// when it is not there.
int StackIndex(Gtk::Window& window)
{
    if (!window.get_window())
        return -1;
    GList* stack = gdk_screen_get_window_stack(gdk_screen_get_default());
    int index = -1, i = 0;
    for (GList* l = stack; l; l = l->next, ++i) {
        if (l->data == window.get_window()->gobj())
            index = i;
        g_object_unref(l->data);
    }
    g_list_free(stack);
    return index;
}

} // namespace

using DialogsTest = ProgramFixture;

TEST_F(DialogsTest, EveryDialogBelongsToTheMainWindowWithoutMinimiseOrMaximise)
{
    Start();
    TfrmMain& main = program_->frmMain;
    std::vector<std::pair<std::string, Gtk::Window*>> dialogs = {
        {"About", &program_->frmAbout()},
        {"Page Properties", &program_->dlgProperties()},
        {"Welcome", &program_->frmWelcome()},
        {"Profile Button Settings", &program_->frmProfileButtonSettings()}};
    for (auto& [name, dialog] : dialogs) {
        EXPECT_EQ(dialog->get_transient_for(), &main) << name;
        EXPECT_FALSE(dialog->get_resizable()) << name;
        EXPECT_EQ(dialog->get_type_hint(), Gdk::WINDOW_TYPE_HINT_DIALOG) << name;
    }

    main.Menu().itmAbout.activate();
    ASSERT_TRUE(RunUntil([&] { return !AllowedActions(program_->frmAbout()).empty(); }))
        << "the window manager manages About";
    const std::vector<std::string> actions = AllowedActions(program_->frmAbout());
    EXPECT_TRUE(Has(actions, "_NET_WM_ACTION_CLOSE"));
    EXPECT_TRUE(Has(actions, "_NET_WM_ACTION_MOVE"));
    EXPECT_FALSE(Has(actions, "_NET_WM_ACTION_MAXIMIZE_HORZ")) << "About offers no maximise";
    EXPECT_FALSE(Has(actions, "_NET_WM_ACTION_MAXIMIZE_VERT"));
    // What the border asks of the window manager: no minimise or maximise box
    // and no such function (openbox still lists minimise in its own menu).
    const std::vector<long> hints = MotifHints(program_->frmAbout());
    EXPECT_EQ(hints.size(), 5u) << "About states its border";
    if (hints.size() == 5u) {
        EXPECT_EQ(hints[0] & 3, 3) << "functions and decorations given";
        EXPECT_EQ(hints[1] & (kMwmFuncMinimize | kMwmFuncMaximize), 0) << "no minimise or maximise function";
        EXPECT_EQ(hints[2] & (kMwmDecorMinimize | kMwmDecorMaximize), 0) << "no minimise or maximise box";
    }

    // With About open, the New Page prompt comes up above it.
    int aboutAt = -1, promptAt = -1, tries = 0;
    bool answered = false;
    sigc::connection watch = Glib::signal_timeout().connect(
        [&] {
            auto* prompt = dynamic_cast<Gtk::Dialog*>(FindVisibleWindow("New URL"));
            if (!prompt)
                return true;
            aboutAt = StackIndex(program_->frmAbout());
            promptAt = StackIndex(*prompt);
            // Give the window manager its time to stack the new prompt.
            if (promptAt > aboutAt || ++tries > 100) {
                answered = true;
                prompt->response(Gtk::RESPONSE_CANCEL);
                return false;
            }
            return true;
        },
        20);
    main.Menu().itmNewPage.activate();
    watch.disconnect();
    EXPECT_TRUE(answered);
    EXPECT_GE(aboutAt, 0);
    EXPECT_GT(promptAt, aboutAt) << "the prompt is stacked above About";
    EXPECT_TRUE(reports_.empty());
}

// A dialog is made the first time it is shown: a second run starts with the
// main window alone, and the Page Properties dialog made late by "&Properties"
// is the program's own, with its texts, its owner and its border.
TEST_F(DialogsTest, ADialogIsMadeWhenFirstShownWithItsTextsAndOwner)
{
    Start();
    Stop();
    Start(); // no Welcome on a second run
    std::string others;
    for (Gtk::Window* window : Gtk::Window::list_toplevels())
        if (window != &Main() && window->get_window_type() == Gtk::WINDOW_TOPLEVEL)
            others += " \"" + window->get_title() + "\"";
    EXPECT_EQ(others, "") << "windows made at start besides the main window";

    ASSERT_EQ(List().PageCount(), 1);
    bool checked = false;
    ModalAnswer answer("Page Properties", [&](Gtk::Window& dialog) {
        auto* properties = dynamic_cast<pages::TdlgProperties*>(&dialog);
        ASSERT_NE(properties, nullptr);
        EXPECT_EQ(properties->radRememberLast.get_label(), "Remember Last URL");
        EXPECT_EQ(properties->radUseInitialURL.get_label(), "Use Initial URL every session");
        EXPECT_EQ(dialog.get_transient_for(), &Main());
        EXPECT_FALSE(dialog.get_resizable());
        checked = true;
        ClickButton(dialog, "Cancel");
    });
    Main().Menu().itmOptions.activate();
    EXPECT_TRUE(answer.Answered());
    EXPECT_TRUE(checked);
}
