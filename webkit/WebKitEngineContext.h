#pragma once
// The engine's WebKitWebContexts, internal to the WebKit engine. The shared
// one is created on first use (sandbox decided then) and kept for the
// program's life; a profile that keeps its logins apart gets one of its own
// on folders of its own (WebKitSiteContexts), made the same way.
#include "GObjectPtr.h"

#include <filesystem>
#include <optional>

typedef struct _WebKitWebContext WebKitWebContext;

namespace platform {

// Where a context keeps its data (cookies, storage) and its HTTP cache.
struct WebKitDataFolders {
    std::filesystem::path data, cache;
};

// The shared data's folders: under PANDREL_CONFIG_DIR when it is set (tests),
// else under the user's data and cache folders.
WebKitDataFolders SharedWebKitDataFolders();
// Makes both folders (and missing parents) owner-only, and the cookie file
// owner-only before the engine opens it; a failure is told on stderr.
void MakeWebKitFoldersPrivate(const WebKitDataFolders& folders);
// A new context with the program's settings and sandbox state on folders
// (made private already); without folders its data lives in memory only.
GObjectPtr<WebKitWebContext> NewWebKitContext(const std::optional<WebKitDataFolders>& folders);

WebKitWebContext* SharedWebKitContext();

} // namespace platform
