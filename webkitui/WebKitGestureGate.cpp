#include "WebKitGestureGate.h"

#include <webkit2/webkit2.h>

#include <utility>

namespace platform {

WebKitGestureGate::WebKitGestureGate(WebKitWebView* view) : view_(GObjectPtr<WebKitWebView>::Ref(view))
{
    // Connected before WebKit's own handlers run, so the gesture is counted
    // before the page hears of it.
    signals_[0] = g_signal_connect(view_.get(), "button-press-event", G_CALLBACK(OnInput), this);
    signals_[1] = g_signal_connect(view_.get(), "key-press-event", G_CALLBACK(OnInput), this);
}

WebKitGestureGate::~WebKitGestureGate()
{
    // A view destroyed with its window has dropped its handlers already.
    for (gulong id : signals_)
        if (g_signal_handler_is_connected(view_.get(), id))
            g_signal_handler_disconnect(view_.get(), id);
}

gboolean WebKitGestureGate::OnInput(GtkWidget*, GdkEvent*, gpointer data)
{
    static_cast<WebKitGestureGate*>(data)->gestureUnused_ = true;
    return FALSE; // the view handles the event as usual
}

bool WebKitGestureGate::Admit(WebKitNavigationAction* action)
{
    // WebKit tells whether a gesture started the request; the gate makes sure
    // each gesture does one thing only.
    return action && webkit_navigation_action_is_user_gesture(action) && TakeGesture();
}

bool WebKitGestureGate::TakeGesture()
{
    return std::exchange(gestureUnused_, false);
}

} // namespace platform
