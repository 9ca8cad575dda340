#pragma once
// A web view's back/forward list as bytes, tagged with the WebKit version that
// wrote them, so bytes of another version are refused instead of misread.
#include "Variant.h"

#include <memory>
#include <string>

typedef struct _WebKitWebView WebKitWebView;
typedef struct _WebKitWebViewSessionState WebKitWebViewSessionState;

namespace platform {

// Empty when the view has no history yet.
ByteArray SaveWebKitSessionState(WebKitWebView* view);
struct WebKitSessionStateUnref {
    void operator()(WebKitWebViewSessionState* state) const noexcept;
};
using WebKitSessionStatePtr = std::unique_ptr<WebKitWebViewSessionState, WebKitSessionStateUnref>;

// The session state in bytes SaveWebKitSessionState wrote; null when they are
// damaged or another version's.
WebKitSessionStatePtr LoadWebKitSessionState(const ByteArray& state);
// Gives the view the list (call before its first load starts), then goes to the
// list's current entry when that is target, else loads target as a new entry.
void RestoreWebKitSessionState(WebKitWebView* view, WebKitWebViewSessionState* session, const std::string& target);

} // namespace platform
