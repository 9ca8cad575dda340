#include "MainShortcuts.h"

#include "MainMenu.h"

#include <gdk/gdkkeysyms.h>
#include <gtkmm/accellabel.h>
#include <gtkmm/window.h>

namespace {

constexpr auto kNone = GdkModifierType(0);
constexpr auto kCtrl = GDK_CONTROL_MASK;
constexpr auto kAlt = GDK_MOD1_MASK;
constexpr auto kShift = GDK_SHIFT_MASK;
constexpr auto kCtrlShift = GdkModifierType(GDK_CONTROL_MASK | GDK_SHIFT_MASK);
constexpr guint kModifierMask = GDK_CONTROL_MASK | GDK_SHIFT_MASK | GDK_MOD1_MASK;

constexpr bool kFirst = true;  // taken before the focused control
constexpr bool kLast = false;  // only when the focused control leaves it

std::vector<Shortcut> BuildTable()
{
    using C = MainCommand;
    std::vector<Shortcut> table = {
        {GDK_KEY_t, kCtrl, C::NewPage, kFirst},
        {GDK_KEY_l, kCtrlShift, C::NewURL, kFirst},
        {GDK_KEY_l, kCtrl, C::FocusURLBox, kFirst},
        {GDK_KEY_d, kAlt, C::FocusURLBox, kFirst},
        {GDK_KEY_F6, kNone, C::FocusURLBox, kFirst},
        {GDK_KEY_w, kCtrl, C::ClosePage, kFirst},
        {GDK_KEY_F2, kNone, C::LabelPage, kLast},
        {GDK_KEY_Return, kAlt, C::Properties, kFirst},
        {GDK_KEY_KP_Enter, kAlt, C::Properties, kFirst},
        {GDK_KEY_Home, kAlt, C::Home, kFirst},
        {GDK_KEY_Left, kAlt, C::Back, kFirst},
        {GDK_KEY_Right, kAlt, C::Forward, kFirst},
        {GDK_KEY_r, kCtrl, C::Refresh, kFirst},
        {GDK_KEY_F5, kNone, C::Refresh, kLast},
        {GDK_KEY_Escape, kNone, C::Stop, kLast},
        {GDK_KEY_b, kCtrlShift, C::MainToolbar, kFirst},
        {GDK_KEY_p, kCtrlShift, C::ProfileButtonsToolbar, kFirst},
        {GDK_KEY_e, kCtrlShift, C::ShowEmptyProfileButtons, kFirst},
        {GDK_KEY_F1, kNone, C::About, kLast},
        {GDK_KEY_q, kCtrl, C::Quit, kFirst},
        {GDK_KEY_F10, kShift, C::PopupMenu, kFirst},
        {GDK_KEY_Menu, kNone, C::PopupMenu, kFirst},
    };
    constexpr MainCommand kProfiles[] = {C::Profile0, C::Profile1, C::Profile2, C::Profile3, C::Profile4,
                                         C::Profile5, C::Profile6, C::Profile7, C::Profile8, C::Profile9};
    for (guint digit = 0; digit <= 9; ++digit) {
        table.push_back({GDK_KEY_0 + digit, kAlt, kProfiles[digit], kFirst});
        table.push_back({GDK_KEY_KP_0 + digit, kAlt, kProfiles[digit], kFirst});
    }
    return table;
}

// The key as the table spells it: letters in lower case, Shift+Tab and the
// keypad as their plain keys.
guint TableKey(guint keyval)
{
    return gdk_keyval_to_lower(keyval);
}

} // namespace

const std::vector<Shortcut>& MainShortcutTable()
{
    static const std::vector<Shortcut> table = BuildTable();
    return table;
}

const Shortcut* FindShortcut(const GdkEventKey& event)
{
    const guint modifiers = event.state & kModifierMask;
    const guint key = TableKey(event.keyval);
    for (const Shortcut& shortcut : MainShortcutTable())
        if (shortcut.keyval == key && shortcut.modifiers == modifiers)
            return &shortcut;
    return nullptr;
}

bool ModalDialogShown()
{
    for (Gtk::Window* window : Gtk::Window::list_toplevels())
        if (window->get_modal() && window->get_visible())
            return true;
    return false;
}

void MainShortcuts::ShowInMenu(MainMenu& menu) const
{
    using C = MainCommand;
    const std::pair<Gtk::MenuItem*, MainCommand> items[] = {
        {&menu.itmNewPage, C::NewPage},
        {&menu.itmNewURL, C::NewURL},
        {&menu.itmOptions, C::Properties},
        {&menu.itmBack, C::Back},
        {&menu.itmForward, C::Forward},
        {&menu.itmLabelPage, C::LabelPage},
        {&menu.itmClosePage, C::ClosePage},
        {&menu.itmToolbar, C::MainToolbar},
        {&menu.itmProfileButtonsToolbar, C::ProfileButtonsToolbar},
        {&menu.itmShowEmptyProfileButtons, C::ShowEmptyProfileButtons},
        {&menu.itmAbout, C::About},
        {&menu.itmQuit, C::Quit},
    };
    for (const auto& [item, command] : items) {
        auto* label = dynamic_cast<Gtk::AccelLabel*>(item->get_child());
        if (!label)
            continue;
        for (const Shortcut& shortcut : MainShortcutTable())
            if (shortcut.command == command) {
                label->set_accel(shortcut.keyval, Gdk::ModifierType(shortcut.modifiers));
                break;
            }
    }
}

bool MainShortcuts::Run(const GdkEventKey& event, bool beforeFocus) const
{
    if (event.type != GDK_KEY_PRESS)
        return false;
    const Shortcut* shortcut = FindShortcut(event);
    if (!shortcut || shortcut->beforeFocus != beforeFocus || ModalDialogShown())
        return false;
    const auto handler = handlers_.find(shortcut->command);
    if (handler == handlers_.end() || !handler->second)
        return false;
    return handler->second();
}
