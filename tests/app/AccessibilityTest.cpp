// What a screen reader meets: every interactive control of the main window
// and of each dialog has a name to speak; the busy animation tells busy from
// idle; the About box's link takes the focus and opens with Enter.
#include "KeyEvents.h"
#include "ModalAnswer.h"
#include "ProgramFixture.h"

#include <atk/atk.h>
#include <gdk/gdkkeysyms.h>
#include <gtkmm.h>

namespace {

bool Interactive(AtkRole role)
{
    switch (role) {
    case ATK_ROLE_PUSH_BUTTON: case ATK_ROLE_TOGGLE_BUTTON: case ATK_ROLE_CHECK_BOX:
    case ATK_ROLE_RADIO_BUTTON: case ATK_ROLE_ENTRY: case ATK_ROLE_PASSWORD_TEXT:
    case ATK_ROLE_COMBO_BOX: case ATK_ROLE_MENU_ITEM: case ATK_ROLE_CHECK_MENU_ITEM:
    case ATK_ROLE_RADIO_MENU_ITEM: case ATK_ROLE_PAGE_TAB: case ATK_ROLE_LINK:
    case ATK_ROLE_SPIN_BUTTON: case ATK_ROLE_SLIDER: case ATK_ROLE_ANIMATION:
    case ATK_ROLE_PROGRESS_BAR: case ATK_ROLE_TEXT:
        return true;
    default:
        return false;
    }
}

std::string NameOf(AtkObject* object)
{
    const char* name = atk_object_get_name(object);
    if (name && *name)
        return name;
    // Labelled by a named label, as "URL:" labels the URL box.
    AtkRelationSet* relations = atk_object_ref_relation_set(object);
    std::string labelled;
    if (AtkRelation* by = relations ? atk_relation_set_get_relation_by_type(relations, ATK_RELATION_LABELLED_BY)
                                    : nullptr) {
        GPtrArray* targets = atk_relation_get_target(by);
        for (guint i = 0; i < targets->len && labelled.empty(); ++i)
            if (const char* text = atk_object_get_name(ATK_OBJECT(g_ptr_array_index(targets, i))))
                labelled = text;
    }
    if (relations)
        g_object_unref(relations);
    return labelled;
}

// "role 'push button' at window/filler/..." for every interactive control
// without a name, hidden ones included (they show when their band does).
void CollectUnnamed(AtkObject* object, const std::string& path, std::vector<std::string>& unnamed,
                    std::vector<std::string>& named)
{
    const AtkRole role = atk_object_get_role(object);
    const std::string here = path + "/" + atk_role_get_name(role);
    if (Interactive(role)) {
        const std::string name = NameOf(object);
        if (name.empty())
            unnamed.push_back(here);
        else
            named.push_back(std::string(atk_role_get_name(role)) + " '" + name + "'");
    }
    const int count = atk_object_get_n_accessible_children(object);
    for (int i = 0; i < count; ++i)
        if (AtkObject* child = atk_object_ref_accessible_child(object, i)) {
            CollectUnnamed(child, here, unnamed, named);
            g_object_unref(child);
        }
}

struct Walk {
    std::vector<std::string> unnamed;
    std::vector<std::string> named;
    bool Has(const std::string& entry) const
    {
        return std::find(named.begin(), named.end(), entry) != named.end();
    }
};

Walk WalkTree(Gtk::Widget& root)
{
    Walk walk;
    CollectUnnamed(root.get_accessible()->gobj(), "", walk.unnamed, walk.named);
    return walk;
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

bool HasState(Gtk::Widget& widget, AtkStateType state)
{
    AtkStateSet* states = atk_object_ref_state_set(widget.get_accessible()->gobj());
    const bool has = atk_state_set_contains_state(states, state);
    g_object_unref(states);
    return has;
}

} // namespace

TEST_F(ProgramFixture, EveryInteractiveControlHasANameToSpeak)
{
    Start();
    TfrmMain& main = program_->frmMain;
    Walk window = WalkTree(main);
    EXPECT_TRUE(window.unnamed.empty()) << "main window, unnamed:\n" << Joined(window.unnamed);
    for (const char* expected : {"push button 'Home'", "push button 'Back'", "push button 'Forward'",
                                 "push button 'Refresh'", "push button 'Stop all pages'",
                                 "push button 'Stop current page'", "text 'URL'", "toggle button 'Profile 1'",
                                 "toggle button 'Profile 0'", "animation 'Page loading'"})
        EXPECT_TRUE(window.Has(expected)) << expected << " in\n" << Joined(window.named);

    Walk menu = WalkTree(main.Menu());
    EXPECT_TRUE(menu.unnamed.empty()) << "pop-up menu, unnamed:\n" << Joined(menu.unnamed);

    // A captioned profile button says both.
    main.Profiles().SetProfileButtonCaption(main.Profiles().ButtonBar().Button(3), "News");
    EXPECT_TRUE(WalkTree(main).Has("toggle button 'Profile 3: News'")) << Joined(WalkTree(main).named);

    for (Gtk::Window* dialog : std::initializer_list<Gtk::Window*>{
             &program_->frmAbout(), &program_->dlgProperties(), &program_->frmWelcome(),
             &program_->frmProfileButtonSettings()}) {
        Walk walk = WalkTree(*dialog);
        EXPECT_TRUE(walk.unnamed.empty()) << dialog->get_title() << ", unnamed:\n" << Joined(walk.unnamed);
    }

    // The prompts' fields are named by their prompts.
    Walk prompt;
    ModalAnswer answer("New URL", [&prompt](Gtk::Window& dialog) {
        prompt = WalkTree(dialog);
        ClickButton(dialog, "Cancel");
    });
    main.Menu().itmNewPage.activate();
    ASSERT_TRUE(answer.Answered());
    EXPECT_TRUE(prompt.unnamed.empty()) << "New URL prompt, unnamed:\n" << Joined(prompt.unnamed);
    EXPECT_TRUE(prompt.Has("text 'Please enter the new URL'")) << Joined(prompt.named);
}

TEST_F(ProgramFixture, TheBusyAnimationTellsBusyFromIdle)
{
    Start();
    platform::AnimationControl& busy = program_->frmMain.BusyAnimation();
    busy.SetActive(false);
    EXPECT_FALSE(HasState(busy, ATK_STATE_BUSY));
    int changes = 0;
    const gulong handler = g_signal_connect_swapped(busy.get_accessible()->gobj(), "state-change::busy",
                                                    G_CALLBACK(+[](int* count) { ++*count; }), &changes);
    busy.SetActive(true);
    EXPECT_TRUE(HasState(busy, ATK_STATE_BUSY));
    busy.SetActive(false);
    EXPECT_FALSE(HasState(busy, ATK_STATE_BUSY));
    EXPECT_EQ(changes, 2) << "screen readers hear of each change";
    g_signal_handler_disconnect(busy.get_accessible()->gobj(), handler);
}
