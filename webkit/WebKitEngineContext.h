#pragma once
// The program's own WebKitWebContext, created on first use (sandbox decided
// then) and kept for the program's life. Internal to the WebKit engine.
typedef struct _WebKitWebContext WebKitWebContext;

namespace platform {

WebKitWebContext* SharedWebKitContext();

} // namespace platform
