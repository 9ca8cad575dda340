#include "WebKitFindBar.h"

#include "AccessibleNames.h"

#include <webkit2/webkit2.h>

namespace platform {

WebKitFindBar::WebKitFindBar(WebKitWebView* view) : view_(view)
{
    add(entry_);
    connect_entry(entry_);
    set_show_close_button(true);
    platform::NameCloseButtons(*this);
    entry_.signal_search_changed().connect([this] {
        webkit_find_controller_search(webkit_web_view_get_find_controller(view_), entry_.get_text().c_str(),
                                      WEBKIT_FIND_OPTIONS_CASE_INSENSITIVE | WEBKIT_FIND_OPTIONS_WRAP_AROUND,
                                      G_MAXUINT);
    });
    entry_.signal_activate().connect(
        [this] { webkit_find_controller_search_next(webkit_web_view_get_find_controller(view_)); });
    property_search_mode_enabled().signal_changed().connect([this] {
        if (!get_search_mode())
            webkit_find_controller_search_finish(webkit_web_view_get_find_controller(view_));
    });
}

void WebKitFindBar::Open()
{
    set_search_mode(true);
    entry_.grab_focus();
}

bool WebKitFindBar::Close()
{
    if (!get_search_mode())
        return false;
    set_search_mode(false);
    return true;
}

} // namespace platform
