#pragma once
// The main window's keyboard shortcuts: one table gives each command its keys,
// says whether the key is taken before the focused control sees it or only
// when the focused control (a page, the URL box) leaves it unused, and puts
// the keys beside the pop-up menu's items.
//
// Keys with Ctrl or Alt are taken first: a page never gets Ctrl+L or Ctrl+W.
// Keys a page or the URL box may need for itself (Esc, F1, F2, F5) act only
// when the focused control did not use them. Plain letters are never taken.
// Nothing fires while a modal dialog is up.
#include <gdk/gdk.h>

#include <functional>
#include <map>
#include <vector>

class MainMenu;
namespace Gtk { class MenuItem; }

enum class MainCommand {
    NewPage, NewURL, FocusURLBox, ClosePage, LabelPage, Properties, Home, Back, Forward,
    Refresh, Stop, MainToolbar, ProfileButtonsToolbar, ShowEmptyProfileButtons, About, Quit,
    Profile1, Profile2, Profile3, Profile4, Profile5, Profile6, Profile7, Profile8, Profile9, Profile0,
    PopupMenu,
};

struct Shortcut {
    guint keyval;
    GdkModifierType modifiers; // Ctrl, Shift and Alt only
    MainCommand command;
    bool beforeFocus;          // taken before the focused control sees the key
};

// Every shortcut; the first one of a command is the one the menu shows.
const std::vector<Shortcut>& MainShortcutTable();

// The shortcut a key press means, or nullptr. Lock keys are ignored; letters
// match in either case.
const Shortcut* FindShortcut(const GdkEventKey& event);

class MainShortcuts {
public:
    // A handler returns false to leave the key to the focused control.
    using Handlers = std::map<MainCommand, std::function<bool()>>;

    explicit MainShortcuts(Handlers handlers) : handlers_(std::move(handlers)) {}

    // Shows each item's shortcut beside it.
    void ShowInMenu(MainMenu& menu) const;

    // Runs the command of a key taken before the focused control, or of a key
    // the focused control left unused; true when one ran.
    bool BeforeFocus(const GdkEventKey& event) const { return Run(event, true); }
    bool AfterFocus(const GdkEventKey& event) const { return Run(event, false); }

private:
    bool Run(const GdkEventKey& event, bool beforeFocus) const;

    Handlers handlers_;
};

// True while a modal dialog of the program is shown.
bool ModalDialogShown();
