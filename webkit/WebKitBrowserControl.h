#pragma once
// The browser control of the WebKit engine: a WebKitWebView behind the
// contract's interfaces. Internal to the engine; hosts create it through the
// control factory (RegisterWebKitEngine in WebKitEngine.h).
#include "BrowserControlInterfaces.h"

#include <memory>

namespace platform {

std::shared_ptr<IUnknown> CreateWebKitBrowserControl();

} // namespace platform
