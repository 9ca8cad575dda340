// Every command of the main window on the keyboard, with key presses
// dispatched as the X server's are: each shortcut runs its command, the menu
// shows the keys, a focused page keeps its plain keys, and nothing fires while
// a modal dialog is up.
#include "KeyEvents.h"
#include "ModalAnswer.h"
#include "ProgramFixture.h"
#include "ScriptedBrowserEngine.h"

#include <gdk/gdkkeysyms.h>
#include <gtkmm.h>

#include <algorithm>

namespace {

constexpr auto kCtrl = GDK_CONTROL_MASK;
constexpr auto kAlt = GDK_MOD1_MASK;
constexpr auto kShift = GDK_SHIFT_MASK;
constexpr auto kCtrlShift = GdkModifierType(GDK_CONTROL_MASK | GDK_SHIFT_MASK);

class ShortcutsTest : public ProgramFixture {
protected:
    long CallsOf(const std::string& name)
    {
        const auto& calls = Scripted(List().CurrentIndex()).Calls();
        return std::count_if(calls.begin(), calls.end(),
                             [&](const std::string& call) { return call.rfind(name, 0) == 0; });
    }
    void Press(guint keyval, GdkModifierType state = GdkModifierType(0))
    {
        PressKey(Main(), keyval, state);
        RunPendingEvents();
    }
    // Puts the focus on the tab strip, which uses none of the keys tested.
    void FocusTabs()
    {
        Main().PageControl().set_can_focus(true);
        Main().PageControl().grab_focus();
        ASSERT_TRUE(Main().PageControl().is_focus());
    }
    // Presses a key that opens a dialog titled title, and answers it.
    bool PressAndAnswer(guint keyval, GdkModifierType state, const std::string& title,
                        std::function<void(Gtk::Window&)> answer)
    {
        ModalAnswer modal(title, std::move(answer));
        Press(keyval, state);
        return modal.Answered();
    }
    Gtk::MenuItem& MenuItem(const std::string& label)
    {
        if (auto* item = FindDescendant<Gtk::MenuItem>(Main().Menu(), [&](auto& i) { return i.get_label() == label; }))
            return *item;
        throw std::runtime_error("no item " + label);
    }
    std::string AccelOf(const std::string& label)
    {
        auto* accel = dynamic_cast<Gtk::AccelLabel*>(MenuItem(label).get_child());
        if (!accel)
            return "";
        guint key = 0;
        Gdk::ModifierType mods{};
        accel->get_accel(key, mods);
        return key ? Gtk::AccelGroup::get_label(key, mods) : "";
    }
};

} // namespace

TEST_F(ShortcutsTest, EachShortcutRunsItsCommandAndTheMenuShowsIt)
{
    Start();
    ASSERT_EQ(List().PageCount(), 1);
    FocusTabs();

    // New Page, captioned as typed text is.
    EXPECT_TRUE(PressAndAnswer(GDK_KEY_t, kCtrl, "New URL", [](Gtk::Window& prompt) {
        SetPromptText(prompt, "www.bbb.ccc");
        ClickButton(prompt, "OK");
    }));
    ASSERT_EQ(List().PageCount(), 2);
    EXPECT_EQ(List().Caption(1), "Bbb");
    EXPECT_EQ(List().CurrentIndex(), 1);

    // New URL: the current page goes there and keeps its caption.
    EXPECT_TRUE(PressAndAnswer(GDK_KEY_L, kCtrlShift, "New URL", [](Gtk::Window& prompt) {
        SetPromptText(prompt, "http://other.example/");
        ClickButton(prompt, "OK");
    }));
    EXPECT_EQ(List().PageCount(), 2);
    EXPECT_EQ(List().PageInfo(1).FirstURL(), "http://other.example/");
    EXPECT_EQ(List().Caption(1), "Bbb");

    FocusTabs();
    EXPECT_TRUE(PressAndAnswer(GDK_KEY_F2, GdkModifierType(0), "New Page Label", [](Gtk::Window& prompt) {
        SetPromptText(prompt, "Labelled");
        ClickButton(prompt, "OK");
    }));
    EXPECT_EQ(List().Caption(1), "Labelled");
    EXPECT_TRUE(PressAndAnswer(GDK_KEY_Return, kAlt, "Page Properties",
                               [](Gtk::Window& dialog) { ClickButton(dialog, "Cancel"); }));

    FocusTabs();
    const long navigations = CallsOf("Navigate2");
    Press(GDK_KEY_Home, kAlt);
    EXPECT_EQ(CallsOf("Navigate2"), navigations + 1) << "Alt+Home goes home";
    const long refreshes = CallsOf("Refresh");
    Press(GDK_KEY_r, kCtrl);
    Press(GDK_KEY_F5);
    EXPECT_EQ(CallsOf("Refresh"), refreshes + 2) << "Ctrl+R and F5";
    const long stops = CallsOf("Stop");
    Press(GDK_KEY_Escape);
    EXPECT_EQ(CallsOf("Stop"), stops + 1) << "Esc";
    const long backs = CallsOf("GoBack");
    const long forwards = CallsOf("GoForward");
    Press(GDK_KEY_Left, kAlt);
    Press(GDK_KEY_Right, kAlt);
    EXPECT_EQ(CallsOf("GoBack"), backs + 1);
    EXPECT_EQ(CallsOf("GoForward"), forwards + 1);

    // The URL box, its text selected, from Ctrl+L, Alt+D and F6.
    Gtk::Entry& urlEntry = *Main().URLBox().get_entry();
    for (auto [key, state] : {std::pair{GDK_KEY_l, kCtrl}, {GDK_KEY_d, kAlt}, {GDK_KEY_F6, GdkModifierType(0)}}) {
        SCOPED_TRACE(gdk_keyval_name(key));
        urlEntry.set_text("http://typed.example/");
        FocusTabs();
        Press(key, state);
        EXPECT_TRUE(urlEntry.is_focus());
        int start = -1, end = -1;
        EXPECT_TRUE(urlEntry.get_selection_bounds(start, end));
        EXPECT_EQ(start, 0);
        EXPECT_EQ(end, static_cast<int>(urlEntry.get_text_length()));
    }
    {
        // In the URL box Alt+Enter is Enter: the page goes there, and Page
        // Properties (which would run before the key returns) stays shut.
        ModalAnswer properties("Page Properties", [](Gtk::Window& dialog) { ClickButton(dialog, "Cancel"); });
        urlEntry.set_text("http://alt-enter.example/");
        urlEntry.grab_focus();
        Press(GDK_KEY_Return, kAlt);
        EXPECT_FALSE(properties.Answered()) << "Alt+Enter in the URL box opened Page Properties";
        EXPECT_EQ(List().PageInfo(List().CurrentIndex()).FirstURL(), "http://alt-enter.example/");
    }

    FocusTabs();
    Press(GDK_KEY_B, kCtrlShift);
    EXPECT_FALSE(Main().TopPanel().get_visible()) << "Ctrl+Shift+B hides the main tool bar";
    EXPECT_FALSE(Main().Menu().itmToolbar.get_active());
    Press(GDK_KEY_B, kCtrlShift);
    EXPECT_TRUE(Main().TopPanel().get_visible());
    Press(GDK_KEY_E, kCtrlShift);
    EXPECT_FALSE(Main().Menu().itmShowEmptyProfileButtons.get_active());
    Press(GDK_KEY_E, kCtrlShift);
    EXPECT_TRUE(Main().Menu().itmShowEmptyProfileButtons.get_active());
    Press(GDK_KEY_P, kCtrlShift);
    EXPECT_FALSE(Main().Profiles().pnlQuickLaunch().get_visible());
    Press(GDK_KEY_P, kCtrlShift);
    EXPECT_TRUE(Main().Profiles().pnlQuickLaunch().get_visible());

    Press(GDK_KEY_F1);
    EXPECT_TRUE(program_->frmAbout().get_visible()) << "F1 shows About";
    program_->frmAbout().hide();

    for (auto [key, profile] : {std::pair{GDK_KEY_2, "Profile2"}, {GDK_KEY_0, "Profile0"}, {GDK_KEY_1, "Profile1"}}) {
        FocusTabs();
        Press(key, kAlt);
        EXPECT_EQ(Main().Profiles().CurrentProfile(), profile);
    }
    EXPECT_EQ(List().PageCount(), 2) << "profile 1 back with its two pages";

    int menusShown = 0;
    sigc::connection shown = Main().Menu().signal_show().connect([&menusShown] { ++menusShown; });
    for (guint key : {GDK_KEY_F10, GDK_KEY_Menu}) {
        SCOPED_TRACE(gdk_keyval_name(key));
        FocusTabs();
        PressKey(Main(), key, key == GDK_KEY_F10 ? kShift : GdkModifierType(0));
        EXPECT_TRUE(Main().Menu().get_visible()) << "the pop-up menu opens from the keyboard";
        Main().Menu().popdown();
        RunPendingEvents();
    }
    shown.disconnect();
    EXPECT_EQ(menusShown, 2);

    EXPECT_EQ(AccelOf("_New Page"), "Ctrl+T");
    EXPECT_EQ(AccelOf("New _URL"), "Shift+Ctrl+L");
    EXPECT_EQ(AccelOf("_Properties"), "Alt+Return");
    EXPECT_EQ(AccelOf("_Back"), "Alt+Left");
    EXPECT_EQ(AccelOf("_Forward"), "Alt+Right");
    EXPECT_EQ(AccelOf("_Label Page"), "F2");
    EXPECT_EQ(AccelOf("_Close Page"), "Ctrl+W");
    EXPECT_EQ(AccelOf("Main _Toolbar"), "Shift+Ctrl+B");
    EXPECT_EQ(AccelOf("P_rofile Buttons Toolbar"), "Shift+Ctrl+P");
    EXPECT_EQ(AccelOf("Show Empty Profile Buttons"), "Shift+Ctrl+E");
    EXPECT_EQ(AccelOf("_About"), "F1");
    EXPECT_EQ(AccelOf("_Quit"), "Ctrl+Q");

    FocusTabs();
    Press(GDK_KEY_w, kCtrl);
    EXPECT_EQ(List().PageCount(), 1) << "Ctrl+W closes the current page";
    Press(GDK_KEY_q, kCtrl);
    EXPECT_FALSE(Main().get_visible()) << "Ctrl+Q quits";
    EXPECT_EQ(StoredNumber("Profile1", "Sites"), 1) << "quitting saved the pages";
    EXPECT_TRUE(reports_.empty());
}

TEST_F(ShortcutsTest, AFocusedPageKeepsItsPlainKeysAndLosesOnlyTheTakenOnes)
{
    Start();
    Gtk::Widget& page = List().Browser(0);
    page.set_can_focus(true);
    page.grab_focus();
    ASSERT_TRUE(page.is_focus());
    // The page uses Esc, F1, F2 and F5 itself, and no other key.
    std::vector<guint> seen;
    page.add_events(Gdk::KEY_PRESS_MASK);
    auto recorder = page.signal_key_press_event().connect([&seen](GdkEventKey* event) {
        seen.push_back(event->keyval);
        return event->keyval == GDK_KEY_Escape || event->keyval == GDK_KEY_F1 || event->keyval == GDK_KEY_F2 ||
               event->keyval == GDK_KEY_F5;
    });

    // Should any key open a prompt, it is cancelled and noted.
    ModalAnswer anyPrompt("New URL", [](Gtk::Window& prompt) { ClickButton(prompt, "Cancel"); });
    const long refreshes = CallsOf("Refresh");
    const long stops = CallsOf("Stop");
    std::vector<std::pair<guint, GdkModifierType>> plain;
    for (guint key = GDK_KEY_a; key <= GDK_KEY_z; ++key)
        plain.push_back({key, GdkModifierType(0)});
    for (guint key = GDK_KEY_A; key <= GDK_KEY_Z; ++key)
        plain.push_back({key, kShift});
    for (guint key = GDK_KEY_0; key <= GDK_KEY_9; ++key)
        plain.push_back({key, GdkModifierType(0)});
    for (guint key : {GDK_KEY_space, GDK_KEY_Return, GDK_KEY_BackSpace, GDK_KEY_Home, GDK_KEY_Escape, GDK_KEY_F1,
                      GDK_KEY_F2, GDK_KEY_F5})
        plain.push_back({key, GdkModifierType(0)});
    for (auto [key, state] : plain)
        Press(key, state);

    ASSERT_EQ(seen.size(), plain.size()) << "the page got every plain key";
    EXPECT_FALSE(anyPrompt.Answered()) << "no prompt from a plain key";
    EXPECT_EQ(List().PageCount(), 1);
    EXPECT_EQ(Main().Profiles().CurrentProfile(), "Profile1");
    EXPECT_FALSE(program_->frmAbout().get_visible()) << "F1 stayed with the page";
    EXPECT_EQ(CallsOf("Refresh"), refreshes) << "F5 stayed with the page";
    EXPECT_EQ(CallsOf("Stop"), stops) << "Esc stayed with the page";
    EXPECT_TRUE(page.is_focus());
    EXPECT_TRUE(Main().get_visible());

    // Shift+F10 leaves the page its own menu.
    Press(GDK_KEY_F10, kShift);
    EXPECT_FALSE(Main().Menu().get_visible());

    // Ctrl+L and Ctrl+W are taken: the page never sees them.
    seen.clear();
    Press(GDK_KEY_l, kCtrl);
    EXPECT_TRUE(Main().URLBox().get_entry()->is_focus());
    page.grab_focus();
    Press(GDK_KEY_w, kCtrl);
    EXPECT_EQ(List().PageCount(), 0);
    EXPECT_TRUE(std::find(seen.begin(), seen.end(), GDK_KEY_l) == seen.end());
    EXPECT_TRUE(std::find(seen.begin(), seen.end(), GDK_KEY_w) == seen.end());
    recorder.disconnect();
}

TEST_F(ShortcutsTest, NothingFiresWhileAModalDialogIsUp)
{
    Start();
    ASSERT_EQ(List().PageCount(), 1);
    int newUrlPromptsAtOnce = 0;
    bool keysSent = false;
    // A second prompt opened from inside the first would run its own loop;
    // this watch notes and cancels it so the test cannot hang.
    sigc::connection watch = Glib::signal_timeout().connect(
        [&] {
            const int prompts = static_cast<int>(VisibleWindows("New URL").size());
            newUrlPromptsAtOnce = std::max(newUrlPromptsAtOnce, prompts);
            if (prompts > 1)
                if (auto* dialog = dynamic_cast<Gtk::Dialog*>(Gtk::Window::list_toplevels().front()))
                    dialog->response(Gtk::RESPONSE_CANCEL);
            return true;
        },
        10);
    EXPECT_TRUE(PressAndAnswer(GDK_KEY_t, kCtrl, "New URL", [&](Gtk::Window& prompt) {
        const std::pair<guint, GdkModifierType> keys[] = {
            {GDK_KEY_t, kCtrl}, {GDK_KEY_w, kCtrl},       {GDK_KEY_q, kCtrl},    {GDK_KEY_2, kAlt},
            {GDK_KEY_F1, {}},   {GDK_KEY_B, kCtrlShift}, {GDK_KEY_Return, kAlt}, {GDK_KEY_F10, kShift},
        };
        // To the main window (GTK hands them to the dialog) and to the dialog.
        for (auto [key, state] : keys) {
            PressKey(Main(), key, state);
            PressKey(prompt, key, state);
        }
        keysSent = true;
        ClickButton(prompt, "Cancel");
    }));
    RunPendingEvents();
    watch.disconnect();
    EXPECT_TRUE(keysSent);
    EXPECT_EQ(newUrlPromptsAtOnce, 1);
    EXPECT_EQ(List().PageCount(), 1);
    EXPECT_EQ(Main().Profiles().CurrentProfile(), "Profile1");
    EXPECT_TRUE(Main().get_visible());
    EXPECT_TRUE(Main().TopPanel().get_visible());
    EXPECT_FALSE(program_->frmAbout().get_visible());
    EXPECT_FALSE(Main().Menu().get_visible());
    EXPECT_EQ(FindVisibleWindow("Page Properties"), nullptr);

    // With the dialog gone the keys work again.
    Press(GDK_KEY_w, kCtrl);
    EXPECT_EQ(List().PageCount(), 0);
}

TEST_F(ShortcutsTest, QuittingWithADownloadRunningAsksFirst)
{
    Start();
    int running = 1;
    Main().SetRunningDownloadsQuery([&running] { return running; });
    std::string question;
    EXPECT_TRUE(PressAndAnswer(GDK_KEY_q, kCtrl, "Quit Pandrel?", [&question](Gtk::Window& dialog) {
        question = dynamic_cast<Gtk::MessageDialog&>(dialog).property_secondary_text().get_value();
        ClickButton(dialog, "_Cancel");
    }));
    EXPECT_EQ(question, "A download is still running. Quitting stops it.");
    EXPECT_TRUE(Main().get_visible()) << "Cancel keeps the program running";

    // The title bar's close button asks the same; Quit goes on.
    ModalAnswer quit("Quit Pandrel?", [](Gtk::Window& dialog) { ClickButton(dialog, "_Quit"); });
    CloseByTitleBar();
    EXPECT_TRUE(quit.Answered());
    EXPECT_FALSE(Main().get_visible());
    EXPECT_EQ(StoredNumber("Profile1", "Sites"), 1) << "the pages were saved";

    // No download, no question.
    Stop();
    Start();
    running = 0;
    Main().SetRunningDownloadsQuery([&running] { return running; });
    ModalAnswer none("Quit Pandrel?", [](Gtk::Window& dialog) { ClickButton(dialog, "_Cancel"); });
    Press(GDK_KEY_q, kCtrl);
    EXPECT_FALSE(none.Answered());
    EXPECT_FALSE(Main().get_visible());
}
