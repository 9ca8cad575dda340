#pragma once
// Windows the WebKit engine opens by itself for pages that open new windows
// when the host does not take them: the page under its read-only address,
// at the size the page asked for, closed by the page or with Ctrl+W, and a
// button that makes the page one of the program's own pages.
#include "WebKitEngine.h"

#include <string>

typedef struct _WebKitWebView WebKitWebView;
typedef struct _GtkWidget GtkWidget;

namespace platform {

// A new view related to `related`, shown in its own window once it is ready.
// openAsPage takes the page when the user asks; without it nothing is offered.
GtkWidget* CreateEnginePopupView(WebKitWebView* related, const WebKitOpenAsPage& openAsPage);
// A window of its own showing url.
void OpenEnginePopupWindow(WebKitWebView* related, const std::string& url, const WebKitOpenAsPage& openAsPage);

} // namespace platform
