// The main window's keyboard: shortcuts for every command of the pop-up menu
// and the tool bar, the URL box, the profile buttons and the menu itself.
#include "TfrmMain.h"

#include "ErrorReport.h"

#include <gdk/gdkkeysyms.h>

namespace {

// A handler for a command that always takes its key.
std::function<bool()> Taking(std::function<void()> command)
{
    return [command = std::move(command)] {
        command();
        return true;
    };
}

} // namespace

void TfrmMain::ConnectShortcuts()
{
    using C = MainCommand;
    MainMenu& m = popMain;
    MainToolbar& t = tlbMain;
    MainShortcuts::Handlers handlers = {
        {C::NewPage, Taking([&m] { m.itmNewPage.activate(); })},
        {C::NewURL, Taking([&m] { m.itmNewURL.activate(); })},
        {C::FocusURLBox, Taking([this] { FocusURLBox(); })},
        {C::ClosePage, Taking([&m] { m.itmClosePage.activate(); })},
        {C::LabelPage, Taking([&m] { m.itmLabelPage.activate(); })},
        // Enter in the URL box navigates whatever the shift state, Alt too.
        {C::Properties, [this, &m] {
             if (get_focus() == cboURL.get_entry())
                 return false;
             m.itmOptions.activate();
             return true;
         }},
        {C::Home, Taking([&t] { g_signal_emit_by_name(t.btnHome.gobj(), "clicked"); })},
        {C::Back, Taking([&m] { m.itmBack.activate(); })},
        {C::Forward, Taking([&m] { m.itmForward.activate(); })},
        {C::Refresh, Taking([&t] { g_signal_emit_by_name(t.btnRefresh.gobj(), "clicked"); })},
        {C::Stop, Taking([&t] { g_signal_emit_by_name(t.btnStop1.gobj(), "clicked"); })},
        {C::MainToolbar, Taking([&m] { m.itmToolbar.activate(); })},
        {C::ProfileButtonsToolbar, Taking([&m] { m.itmProfileButtonsToolbar.activate(); })},
        {C::ShowEmptyProfileButtons, Taking([&m] {
             // Disabled while the profile buttons are hidden, as in the menu.
             if (m.itmShowEmptyProfileButtons.is_sensitive())
                 m.itmShowEmptyProfileButtons.activate();
         })},
        {C::About, Taking([&m] { m.itmAbout.activate(); })},
        {C::Quit, Taking([&m] { m.itmQuit.activate(); })},
        {C::PopupMenu, [this] { return PopupMenuFromKeyboard(); }},
    };
    constexpr MainCommand kProfiles[] = {C::Profile0, C::Profile1, C::Profile2, C::Profile3, C::Profile4,
                                         C::Profile5, C::Profile6, C::Profile7, C::Profile8, C::Profile9};
    for (int number = 0; number <= 9; ++number)
        handlers[kProfiles[number]] = Taking([this, number] {
            // A press of the button itself, so it goes the way a click goes.
            Gtk::ToggleButton& button = profiles_->ButtonBar().Button(number);
            if (button.get_visible() && profiles_->pnlQuickLaunch().get_visible())
                button.clicked();
        });
    shortcuts_ = std::make_unique<MainShortcuts>(std::move(handlers));
    shortcuts_->ShowInMenu(popMain);
}

bool TfrmMain::on_key_press_event(GdkEventKey* event)
{
    bool handled = false;
    platform::RunGuarded([&] { handled = shortcuts_ && shortcuts_->BeforeFocus(*event); });
    if (handled || Gtk::Window::on_key_press_event(event))
        return true;
    platform::RunGuarded([&] { handled = shortcuts_ && shortcuts_->AfterFocus(*event); });
    return handled;
}

void TfrmMain::FocusURLBox()
{
    if (!pnlTop.get_visible())
        return;
    Gtk::Entry* entry = cboURL.get_entry();
    entry->grab_focus();
    entry->select_region(0, -1);
}

// Shift+F10 and the Menu key open the menu a right click would open there: a
// page and the URL box keep their own, a profile button opens the buttons'
// menu, everywhere else it is popMain, placed at the focused control.
bool TfrmMain::PopupMenuFromKeyboard()
{
    Gtk::Widget* focus = get_focus();
    if (focus && (GTK_IS_EDITABLE(focus->gobj()) ||
                  (focus != &pgcMain && focus->is_ancestor(pgcMain))))
        return false;
    profiles::ProfileButtonBar& bar = profiles_->ButtonBar();
    for (int number = 0; number < profiles::ProfileButtonBar::kButtonCount; ++number)
        if (focus == &bar.Button(number)) {
            profiles_->spdProfile1MouseUp(bar.Button(number), GDK_BUTTON_SECONDARY);
            bar.popProfileButtons.popup_at_widget(focus, Gdk::GRAVITY_SOUTH_WEST, Gdk::GRAVITY_NORTH_WEST,
                                                  nullptr);
            return true;
        }
    Gtk::Widget& anchor = focus ? *focus : static_cast<Gtk::Widget&>(pgcMain);
    popMain.popup_at_widget(&anchor, Gdk::GRAVITY_SOUTH_WEST, Gdk::GRAVITY_NORTH_WEST, nullptr);
    popMain.select_first(false);
    return true;
}
