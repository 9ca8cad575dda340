#pragma once
// The WebKitGTK engine of the browser-control contract.
#include <functional>
#include <string>

namespace platform {

// What the program does when the user asks a window that a page opened to
// become one of its pages: open url as a new page. Called from the main loop.
using WebKitOpenAsPage = std::function<void(const std::string& url)>;

// Registers the WebKit engine for CLSID_WebBrowser. Call once at start,
// before the first browser control is created. Without openAsPage, windows
// that pages open do not offer to become pages.
void RegisterWebKitEngine(WebKitOpenAsPage openAsPage = {});

// Whether web content runs in WebKit's bubblewrap sandbox, and why not if not.
struct WebKitSandboxState {
    bool enabled = false;
    std::string reason; // empty when enabled
};
// Decided when the engine's context is first created (which creates it).
WebKitSandboxState CurrentWebKitSandboxState();
// Tries bubblewrap now, the way the engine would start it, and says why it
// cannot be used if it cannot.
WebKitSandboxState ProbeWebKitSandbox();
// Runs the probe on a worker thread, once; the engine's context takes its
// answer when it is created. RegisterWebKitEngine starts it.
void StartWebKitSandboxProbe();

// Downloads whose progress window is open and which have not ended yet.
int RunningWebKitDownloads();

} // namespace platform
