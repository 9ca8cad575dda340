#pragma once
// How many windows a page may open: one for each click or key press the user
// makes in its view. A page's script cannot open windows by itself, nor many
// from one gesture.
#include "GObjectPtr.h"

#include <gtk/gtk.h>

typedef struct _WebKitWebView WebKitWebView;
typedef struct _WebKitNavigationAction WebKitNavigationAction;

namespace platform {

class WebKitWindowGate {
public:
    // Watches view's input; holds a reference on view until destroyed.
    explicit WebKitWindowGate(WebKitWebView* view);
    ~WebKitWindowGate();
    WebKitWindowGate(const WebKitWindowGate&) = delete;
    WebKitWindowGate& operator=(const WebKitWindowGate&) = delete;

    // Whether the new window that action asks for may open; a yes uses up the
    // gesture that started it.
    bool Admit(WebKitNavigationAction* action);

private:
    static gboolean OnInput(GtkWidget*, GdkEvent*, gpointer);

    GObjectPtr<WebKitWebView> view_;
    gulong signals_[2] = {};
    bool gestureUnused_ = false;
};

} // namespace platform
