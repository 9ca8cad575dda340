#pragma once
// The engine's find-in-page bar (Ctrl+F): search as you type, Enter for the
// next match, Esc or the close button to leave and clear the highlights.
#include <gtkmm/searchbar.h>
#include <gtkmm/searchentry.h>

typedef struct _WebKitWebView WebKitWebView;

namespace platform {

class WebKitFindBar : public Gtk::SearchBar {
public:
    explicit WebKitFindBar(WebKitWebView* view);
    void Open();
    // Closes the bar; false when it was not open.
    bool Close();

private:
    WebKitWebView* view_; // the owner's view, which outlives this bar
    Gtk::SearchEntry entry_;
};

} // namespace platform
