#pragma once
// The windows pages opened, when the host does not take them: each shows its
// page until the user or the page closes it. This owner holds them all; a
// window leaves it when it closes, and those still open go with it.
#include "OwnerList.h"

#include <functional>
#include <string>

typedef struct _WebKitWebView WebKitWebView;
typedef struct _GtkWidget GtkWidget;

namespace platform {

class WebKitPopupWindow;

class WebKitPopupWindows {
public:
    // What the program does when the user asks a window to become one of its
    // pages: open url as a new page. Without it nothing is offered.
    using OpenAsPage = std::function<void(const std::string& url)>;
    explicit WebKitPopupWindows(OpenAsPage openAsPage);
    ~WebKitPopupWindows();
    WebKitPopupWindows(const WebKitPopupWindows&) = delete;
    WebKitPopupWindows& operator=(const WebKitPopupWindows&) = delete;

    // A new view related to `related`, for WebKit's "create" signal; its window
    // shows once the view is ready.
    GtkWidget* CreateView(WebKitWebView* related);
    // A window of its own showing url, shown at once.
    void Open(WebKitWebView* related, const std::string& url);
    // For the windows: what "Open as Page" calls, and their leaving once closed.
    const OpenAsPage& OpenAsPageHandler() const { return openAsPage_; }
    void Release(const WebKitPopupWindow& window);

private:
    OpenAsPage openAsPage_;
    OwnerList<WebKitPopupWindow> windows_;
};

} // namespace platform
