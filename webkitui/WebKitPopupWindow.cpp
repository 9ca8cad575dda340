#include "WebKitPopupWindow.h"

#include "ErrorReport.h"
#include "WebKitKeyBindingView.h"
#include "WebKitPopupWindows.h"

#include <gdk/gdkkeysyms.h>
#include <webkit2/webkit2.h>

#include <algorithm>

namespace platform {
namespace {

constexpr int kDefaultWidth = 800;
constexpr int kDefaultHeight = 600;
constexpr const char* kOpenAsPageCaption = "Open as _Page";
constexpr const char* kOpenAsPageTip = "Open this page as a new page in the main window and close this window";

} // namespace

WebKitPopupWindow::WebKitPopupWindow(WebKitWebView* view, WebKitPopupWindows& owner, WebKitOpenerPolicy opener)
    : view_(view), owner_(owner), opener_(std::move(opener))
{
    set_default_size(kDefaultWidth, kDefaultHeight);
    address_.set_editable(false);
    address_.set_can_focus(true);
    address_.set_icon_from_icon_name("channel-insecure-symbolic", Gtk::ENTRY_ICON_PRIMARY);
    bar_.set_border_width(4);
    bar_.set_spacing(4);
    bar_.pack_start(address_, Gtk::PACK_EXPAND_WIDGET);
    if (owner_.OpenAsPageHandler()) {
        openAsPageButton_.set_label(kOpenAsPageCaption);
        openAsPageButton_.set_use_underline(true);
        openAsPageButton_.set_tooltip_text(kOpenAsPageTip);
        openAsPageButton_.set_sensitive(false); // until there is an address
        openAsPageButton_.signal_clicked().connect([this] { OpenAsPage(); });
        bar_.pack_start(openAsPageButton_, Gtk::PACK_SHRINK);
    }
    box_.pack_start(bar_, Gtk::PACK_SHRINK);
    box_.reorder_child(bar_, 0); // the address first, then the guard's bars, then the page
    gtk_box_pack_start(box_.gobj(), GTK_WIDGET(view_), TRUE, TRUE, 0);
    add(box_);
    signals_[0] = g_signal_connect(view_, "ready-to-show", G_CALLBACK(OnReadyToShow), this);
    signals_[1] = g_signal_connect(view_, "close", G_CALLBACK(OnClose), this);
    signals_[2] = g_signal_connect(view_, "notify::title", G_CALLBACK(OnTitle), this);
    signals_[3] = g_signal_connect(view_, "create", G_CALLBACK(OnCreate), this);
    signals_[4] = g_signal_connect(view_, "notify::uri", G_CALLBACK(OnAddress), this);
    signals_[5] = g_signal_connect(view_, "load-changed", G_CALLBACK(OnLoadChanged), this);
    signals_[6] = g_signal_connect(view_, "decide-policy", G_CALLBACK(OnDecidePolicy), this);
}

WebKitPopupWindow::~WebKitPopupWindow()
{
    for (gulong id : signals_)
        g_signal_handler_disconnect(view_, id);
    DestroyKeyBindingTextView(view_); // the window is closed: no more input
}

// A window the page closes before it was ever shown hides nothing, so the
// owner hears of it here as well as from the hiding.
void WebKitPopupWindow::Close()
{
    hide();
    owner_.Release(*this);
}

void WebKitPopupWindow::on_hide()
{
    Gtk::Window::on_hide();
    owner_.Release(*this);
}

bool WebKitPopupWindow::on_key_press_event(GdkEventKey* event)
{
    const guint modifiers = event->state & (GDK_CONTROL_MASK | GDK_MOD1_MASK | GDK_SHIFT_MASK);
    if (modifiers == GDK_CONTROL_MASK && gdk_keyval_to_lower(event->keyval) == GDK_KEY_w) {
        Close();
        return true;
    }
    return Gtk::Window::on_key_press_event(event);
}

// The page's address, never anything the page says of itself, goes to the
// program, which reads it as typed text; then the window closes.
void WebKitPopupWindow::OpenAsPage()
{
    RunGuarded([this] {
        const char* uri = webkit_web_view_get_uri(view_);
        if (!uri || !*uri)
            return;
        owner_.OpenAsPageHandler()(uri);
        Close();
    });
}

// The size the page asked for (window.open's features), within the screen.
void WebKitPopupWindow::ApplyRequestedSize()
{
    WebKitWindowProperties* properties = webkit_web_view_get_window_properties(view_);
    GdkRectangle asked{};
    webkit_window_properties_get_geometry(properties, &asked);
    if (asked.width <= 0 || asked.height <= 0)
        return;
    GdkRectangle screen{0, 0, kDefaultWidth, kDefaultHeight};
    if (GdkMonitor* monitor = gdk_display_get_primary_monitor(gdk_display_get_default()))
        gdk_monitor_get_workarea(monitor, &screen);
    else if (GdkMonitor* first = gdk_display_get_monitor(gdk_display_get_default(), 0))
        gdk_monitor_get_workarea(first, &screen);
    int addressHeight = 0, natural = 0;
    address_.get_preferred_height(addressHeight, natural);
    set_default_size(std::clamp(asked.width, 100, std::max(100, screen.width)),
                     std::clamp(asked.height + addressHeight, 100, std::max(100, screen.height)));
}

void WebKitPopupWindow::OnReadyToShow(WebKitWebView*, gpointer data)
{
    RunGuarded([&] {
        auto* self = static_cast<WebKitPopupWindow*>(data);
        self->ApplyRequestedSize();
        self->show_all();
        // The keyboard goes to the page; the address is there to read.
        gtk_widget_grab_focus(GTK_WIDGET(self->view_));
    });
}

void WebKitPopupWindow::OnClose(WebKitWebView*, gpointer data)
{
    RunGuarded([&] { static_cast<WebKitPopupWindow*>(data)->Close(); });
}

void WebKitPopupWindow::OnTitle(WebKitWebView* view, GParamSpec*, gpointer data)
{
    RunGuarded([&] {
        const char* title = webkit_web_view_get_title(view);
        static_cast<WebKitPopupWindow*>(data)->set_title(title ? title : "");
    });
}

void WebKitPopupWindow::OnAddress(WebKitWebView* view, GParamSpec*, gpointer data)
{
    RunGuarded([&] {
        const char* uri = webkit_web_view_get_uri(view);
        static_cast<WebKitPopupWindow*>(data)->address_.set_text(uri ? uri : "");
    });
}

void WebKitPopupWindow::OnLoadChanged(WebKitWebView* view, int event, gpointer data)
{
    if (event != WEBKIT_LOAD_COMMITTED)
        return;
    RunGuarded([&] {
        GTlsCertificate* certificate = nullptr;
        GTlsCertificateFlags errors{};
        const bool secure = webkit_web_view_get_tls_info(view, &certificate, &errors) && errors == 0;
        auto* self = static_cast<WebKitPopupWindow*>(data);
        self->openAsPageButton_.set_sensitive(true); // a page has an address now
        auto& address = self->address_;
        address.set_icon_from_icon_name(secure ? "channel-secure-symbolic" : "channel-insecure-symbolic",
                                        Gtk::ENTRY_ICON_PRIMARY);
        address.set_icon_tooltip_text(secure ? "Secure connection" : "Connection not secure",
                                      Gtk::ENTRY_ICON_PRIMARY);
    });
}

GtkWidget* WebKitPopupWindow::OnCreate(WebKitWebView* view, WebKitNavigationAction* action, gpointer data)
{
    GtkWidget* created = nullptr;
    RunGuarded([&] {
        auto* self = static_cast<WebKitPopupWindow*>(data);
        if (self->opener_.create)
            created = self->opener_.create(view, action);
    });
    return created;
}

gboolean WebKitPopupWindow::OnDecidePolicy(WebKitWebView* view, WebKitPolicyDecision* decision, int type,
                                           gpointer data)
{
    gboolean decided = FALSE;
    RunGuarded([&] {
        auto* self = static_cast<WebKitPopupWindow*>(data);
        if (self->opener_.decide)
            decided = self->opener_.decide(view, decision, type) ? TRUE : FALSE;
    });
    return decided;
}

} // namespace platform
