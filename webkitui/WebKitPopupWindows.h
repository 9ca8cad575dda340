#pragma once
// The windows pages opened, when the host does not take them: each shows its
// page until the user or the page closes it. This owner holds them all; a
// window leaves it when it closes, and those still open go with it.
#include "OwnerList.h"

#include <functional>
#include <string>

typedef struct _WebKitWebView WebKitWebView;
typedef struct _WebKitNavigationAction WebKitNavigationAction;
typedef struct _WebKitPolicyDecision WebKitPolicyDecision;
typedef struct _GtkWidget GtkWidget;

namespace platform {

// What the page that opened a window decides for it, as for its own view:
// each navigation of the window's view (decide: true when decided, the
// signal's answer; type is the WebKitPolicyDecisionType) and each window it
// asks for in turn (create: the new view, or null for none).
struct WebKitOpenerPolicy {
    std::function<bool(WebKitWebView* view, WebKitPolicyDecision* decision, int type)> decide;
    std::function<GtkWidget*(WebKitWebView* view, WebKitNavigationAction* action)> create;
};

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
    // shows once the view is ready. opener decides for it.
    GtkWidget* CreateView(WebKitWebView* related, WebKitOpenerPolicy opener);
    // A window of its own showing url, shown at once.
    void Open(WebKitWebView* related, const std::string& url, WebKitOpenerPolicy opener);
    // For the windows: what "Open as Page" calls, and their leaving once closed.
    const OpenAsPage& OpenAsPageHandler() const { return openAsPage_; }
    void Release(const WebKitPopupWindow& window);

private:
    OpenAsPage openAsPage_;
    OwnerList<WebKitPopupWindow> windows_;
};

} // namespace platform
