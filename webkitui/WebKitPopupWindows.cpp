#include "WebKitPopupWindows.h"

#include "WebKitPopupWindow.h"

#include <webkit2/webkit2.h>

namespace platform {

WebKitPopupWindows::WebKitPopupWindows(OpenAsPage openAsPage) : openAsPage_(std::move(openAsPage)) {}

WebKitPopupWindows::~WebKitPopupWindows() = default;

GtkWidget* WebKitPopupWindows::CreateView(WebKitWebView* related, WebKitOpenerPolicy opener)
{
    auto* view = WEBKIT_WEB_VIEW(webkit_web_view_new_with_related_view(related));
    windows_.Add(std::make_unique<WebKitPopupWindow>(view, *this, std::move(opener)));
    return GTK_WIDGET(view);
}

void WebKitPopupWindows::Release(const WebKitPopupWindow& window)
{
    windows_.Release(window);
}

void WebKitPopupWindows::Open(WebKitWebView* related, const std::string& url, WebKitOpenerPolicy opener)
{
    GtkWidget* view = CreateView(related, std::move(opener));
    webkit_web_view_load_uri(WEBKIT_WEB_VIEW(view), url.c_str());
    gtk_widget_show_all(gtk_widget_get_toplevel(view));
}

} // namespace platform
