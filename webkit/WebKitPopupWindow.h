#pragma once
// Windows the WebKit engine opens by itself for pages that open new windows
// when the host does not take them: a plain window holding a related view,
// closed when the page closes it.
#include <string>

typedef struct _WebKitWebView WebKitWebView;
typedef struct _GtkWidget GtkWidget;

namespace platform {

// A new view related to `related`, shown in its own window once it is ready.
GtkWidget* CreateEnginePopupView(WebKitWebView* related);
// A window of its own showing url.
void OpenEnginePopupWindow(WebKitWebView* related, const std::string& url);

} // namespace platform
