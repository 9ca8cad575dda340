#pragma once
// WebKitGTK gives every web view a hidden text view of its own, which turns
// key bindings into editing commands. When the view is disposed, WebKit
// forgets that text view without destroying it, so the text view and all it
// holds (buffer, layout, adjustments, style and font contexts) would outlive
// every page and window the program ever closed.
typedef struct _WebKitWebView WebKitWebView;

namespace platform {

// Destroys view's key-binding text view. Call it only when view takes no
// more input: right before the view itself goes.
void DestroyKeyBindingTextView(WebKitWebView* view);

} // namespace platform
