#pragma once
// The user's gestures in a view: each click or key press the user makes there
// lets the page do one thing that needs the user (open a window, start another
// program, download a file), and only when WebKit says the request came from
// a gesture. A page's script cannot do these by itself, nor many from one
// gesture.
#include "GObjectPtr.h"

#include <gtk/gtk.h>

typedef struct _WebKitWebView WebKitWebView;
typedef struct _WebKitNavigationAction WebKitNavigationAction;

namespace platform {

class WebKitGestureGate {
public:
    // Watches view's input; holds a reference on view until destroyed.
    explicit WebKitGestureGate(WebKitWebView* view);
    ~WebKitGestureGate();
    WebKitGestureGate(const WebKitGestureGate&) = delete;
    WebKitGestureGate& operator=(const WebKitGestureGate&) = delete;

    // Whether what action asks for may happen; a yes uses up the gesture that
    // started it.
    bool Admit(WebKitNavigationAction* action);
    // Uses up the user's last gesture, for a request WebKit found to carry
    // one earlier; false when there is none left.
    bool TakeGesture();

private:
    static gboolean OnInput(GtkWidget*, GdkEvent*, gpointer);

    GObjectPtr<WebKitWebView> view_;
    gulong signals_[2] = {};
    bool gestureUnused_ = false;
};

} // namespace platform
