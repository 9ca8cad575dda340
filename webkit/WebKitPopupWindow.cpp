#include "WebKitPopupWindow.h"

#include "ErrorReport.h"

#include <gtkmm.h>
#include <webkit2/webkit2.h>

namespace platform {
namespace {

// Owns itself: deleted when its window is closed by the user or the page.
class EnginePopupWindow : public Gtk::Window {
public:
    explicit EnginePopupWindow(WebKitWebView* view) : view_(view)
    {
        set_default_size(800, 600);
        gtk_container_add(GTK_CONTAINER(gobj()), GTK_WIDGET(view_));
        signals_[0] = g_signal_connect(view_, "ready-to-show", G_CALLBACK(OnReadyToShow), this);
        signals_[1] = g_signal_connect(view_, "close", G_CALLBACK(OnClose), this);
        signals_[2] = g_signal_connect(view_, "notify::title", G_CALLBACK(OnTitle), this);
        signals_[3] = g_signal_connect(view_, "create", G_CALLBACK(OnCreate), this);
    }
    ~EnginePopupWindow() override
    {
        for (gulong id : signals_)
            g_signal_handler_disconnect(view_, id);
    }

protected:
    void on_hide() override
    {
        Gtk::Window::on_hide();
        Glib::signal_idle().connect_once([this] { delete this; });
    }

private:
    static void OnReadyToShow(WebKitWebView*, gpointer data)
    {
        RunGuarded([&] { static_cast<EnginePopupWindow*>(data)->show_all(); });
    }
    static void OnClose(WebKitWebView*, gpointer data)
    {
        RunGuarded([&] { static_cast<EnginePopupWindow*>(data)->hide(); });
    }
    static void OnTitle(WebKitWebView* view, GParamSpec*, gpointer data)
    {
        RunGuarded([&] {
            const char* title = webkit_web_view_get_title(view);
            static_cast<EnginePopupWindow*>(data)->set_title(title ? title : "");
        });
    }
    static GtkWidget* OnCreate(WebKitWebView* view, WebKitNavigationAction*, gpointer)
    {
        return CreateEnginePopupView(view);
    }

    WebKitWebView* view_;
    gulong signals_[4] = {};
};

} // namespace

GtkWidget* CreateEnginePopupView(WebKitWebView* related)
{
    auto* view = WEBKIT_WEB_VIEW(webkit_web_view_new_with_related_view(related));
    new EnginePopupWindow(view);
    return GTK_WIDGET(view);
}

void OpenEnginePopupWindow(WebKitWebView* related, const std::string& url)
{
    GtkWidget* view = CreateEnginePopupView(related);
    webkit_web_view_load_uri(WEBKIT_WEB_VIEW(view), url.c_str());
    gtk_widget_show_all(gtk_widget_get_toplevel(view));
}

} // namespace platform
