#pragma once
// The WebKitGTK engine of the browser-control contract.
#include "GObjectPtr.h"
#include "SiteData.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

typedef struct _WebKitWebContext WebKitWebContext;

namespace platform {

class WebKitDownloadList;
class WebKitPopupWindows;
class WebKitSiteContexts;

// What the program does when the user asks a window that a page opened to
// become one of its pages: open url as a new page. Called from the main loop.
using WebKitOpenAsPage = std::function<void(const std::string& url)>;
// The user-agent tokens browser hosts registered (contract/BrowserUserAgentToken.h),
// asked for each time a page's view is made.
using WebKitUserAgentTokens = std::function<std::vector<std::string>()>;

// What the engine found of a profile's own site data when it opened it, if
// that was not as it should be. The profile then starts empty.
struct SiteDataProblem {
    enum class Kind {
        None,
        Missing,  // its folder was not there (and was made)
        Damaged,  // its folder could not be used; moved aside as setAsideAs
        Unusable, // no folder could be made (detail says why): kept in memory
    };
    Kind kind = Kind::None;
    std::string setAsideAs;
    std::string detail;
};
// Told from the main loop, while the first page of that data is made.
using WebKitSiteDataNotice = std::function<void(const SiteData& siteData, const SiteDataProblem& problem)>;

// The engine while it is registered: the owner of what its pages open beside
// themselves (the windows pages open, every download and its windows). Those
// go when the engine goes; the pages' views keep the engine's context.
class WebKitEngine {
public:
    explicit WebKitEngine(WebKitOpenAsPage openAsPage, WebKitUserAgentTokens userAgentTokens = {});
    ~WebKitEngine();
    WebKitEngine(const WebKitEngine&) = delete;
    WebKitEngine& operator=(const WebKitEngine&) = delete;

    // Downloads whose progress window is open and which have not ended yet.
    int RunningDownloads() const;

    // Who hears of a profile's own site data that was missing or damaged.
    void SetSiteDataNotice(WebKitSiteDataNotice notice);
    // Whether siteData is kept on disk (a profile's own once it was used).
    bool HasSiteData(const SiteData& siteData) const;
    // Clears siteData's cookies, storage, service workers and caches, and
    // nothing else; done(cleared) is called from the main loop when finished.
    void ForgetSiteData(const SiteData& siteData, std::function<void(bool cleared)> done = {});
    // How many profiles' own contexts are alive (each has its own processes).
    int LiveProfileContexts() const;

    // For the engine's controls: the context a view of siteData is made in
    // (made on first use, so the sandbox probe has until the first page to
    // answer) and the owner of the windows their pages open.
    GObjectPtr<WebKitWebContext> Context(const SiteData& siteData);
    WebKitPopupWindows& PopupWindows() { return *popups_; }
    // The tokens to add to a new view's user agent (none without a source).
    std::vector<std::string> UserAgentTokens() const;

private:
    // Destroyed in reverse: the windows, then the downloads, the contexts last.
    std::unique_ptr<WebKitSiteContexts> contexts_;
    std::unique_ptr<WebKitDownloadList> downloads_;
    std::unique_ptr<WebKitPopupWindows> popups_;
    WebKitUserAgentTokens userAgentTokens_;
};

// Registers the WebKit engine for CLSID_WebBrowser; call before the first
// browser control is created. Controls are made while the engine returned is
// held: the program holds it until its windows have closed. Without
// openAsPage, windows that pages open do not offer to become pages; without
// userAgentTokens, views keep WebKit's own user agent.
[[nodiscard]] std::shared_ptr<WebKitEngine> RegisterWebKitEngine(WebKitOpenAsPage openAsPage = {},
                                                                 WebKitUserAgentTokens userAgentTokens = {});

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
// answer when it is created. The program starts it first thing, and
// RegisterWebKitEngine when nothing has yet.
void StartWebKitSandboxProbe();

} // namespace platform
