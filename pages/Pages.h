#pragma once
// Everything of the pages on the main window in one place: the page list over
// pgcMain, completion of cboURL, the navigation side (URL box, anmState) and
// the page commands. Connects cboURL's key presses to cboURLKeyDown itself;
// the main window connects its menu items and tool buttons to the handlers.
//
// Construct it after the three widgets and destroy it before them.
#include "Navigation.h"
#include "PageCommands.h"
#include "PageList.h"
#include "UrlBoxCompletion.h"

namespace pages {

class Pages {
public:
    Pages(Gtk::Notebook& pgcMain, Gtk::ComboBoxText& cboURL, platform::AnimationControl& anmState,
          AddURLToHistoryFunction addURLToHistory);
    ~Pages();
    Pages(const Pages&) = delete;
    Pages& operator=(const Pages&) = delete;

    PageList& List() { return list_; }
    Navigation& Nav() { return navigation_; }
    PageCommands& Commands() { return commands_; }
    UrlBoxCompletion& Completion() { return completion_; }

private:
    bool OnURLBoxKeyPress(GdkEventKey* event);

    PageList list_;
    UrlBoxCompletion completion_;
    Navigation navigation_;
    PageCommands commands_;
    Gtk::ComboBoxText& cboURL_;
    sigc::connection keyPress_;
};

} // namespace pages
