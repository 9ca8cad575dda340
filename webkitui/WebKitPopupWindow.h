#pragma once
// A window a page opened: its address always in sight (read-only, with whether
// the connection is secure), the size the page asked for within the screen,
// closed with Ctrl+W or by its page; "Open as Page" hands its page to the
// program and closes it. Its navigations and the windows it opens in turn are
// decided by the page that opened it (WebKitOpenerPolicy); what its page tries
// by itself is refused in bars above it (WebKitPageGuard). Its owner,
// WebKitPopupWindows, lets it go once closed.
#include "WebKitPageGuard.h"
#include "WebKitPopupWindows.h"

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/entry.h>
#include <gtkmm/window.h>

namespace platform {

class WebKitPopupWindow : public Gtk::Window {
public:
    // Shows view (a new view WebKit has not shown yet) once it is ready.
    WebKitPopupWindow(WebKitWebView* view, WebKitPopupWindows& owner, WebKitOpenerPolicy opener);
    ~WebKitPopupWindow() override;

    // Closes the window, shown yet or not.
    void Close();

protected:
    void on_hide() override;
    bool on_key_press_event(GdkEventKey* event) override;

private:
    void OpenAsPage();
    void ApplyRequestedSize();

    static void OnReadyToShow(WebKitWebView*, gpointer data);
    static void OnClose(WebKitWebView*, gpointer data);
    static void OnTitle(WebKitWebView* view, GParamSpec*, gpointer data);
    static void OnAddress(WebKitWebView* view, GParamSpec*, gpointer data);
    static void OnLoadChanged(WebKitWebView* view, int event, gpointer data);
    static GtkWidget* OnCreate(WebKitWebView* view, WebKitNavigationAction* action, gpointer data);
    static gboolean OnDecidePolicy(WebKitWebView* view, WebKitPolicyDecision* decision, int type, gpointer data);

    WebKitWebView* view_; // held by box_ from the window's start to its end
    WebKitPopupWindows& owner_;
    WebKitOpenerPolicy opener_;
    Gtk::Box box_{Gtk::ORIENTATION_VERTICAL};
    WebKitPageGuard guard_{view_, box_};
    Gtk::Box bar_;
    Gtk::Entry address_;
    Gtk::Button openAsPageButton_;
    gulong signals_[7] = {};
};

} // namespace platform
