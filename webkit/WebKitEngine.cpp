#include "WebKitEngine.h"

#include "BrowserControlFactory.h"
#include "BrowserInterfaceIds.h"
#include "ErrorReport.h"
#include "WebKitBrowserControl.h"
#include "WebKitDownloadList.h"
#include "WebKitEngineContext.h"
#include "WebKitPopupWindows.h"

#include <webkit2/webkit2.h>

namespace platform {
namespace {

void OnDownloadStarted(WebKitWebContext*, WebKitDownload* download, gpointer data)
{
    RunGuarded([&] { static_cast<WebKitDownloadList*>(data)->Add(download); });
}

} // namespace

WebKitEngine::WebKitEngine(WebKitOpenAsPage openAsPage, WebKitUserAgentTokens userAgentTokens)
    : downloads_(std::make_unique<WebKitDownloadList>()),
      popups_(std::make_unique<WebKitPopupWindows>(std::move(openAsPage))),
      userAgentTokens_(std::move(userAgentTokens))
{
}

std::vector<std::string> WebKitEngine::UserAgentTokens() const
{
    return userAgentTokens_ ? userAgentTokens_() : std::vector<std::string>();
}

WebKitEngine::~WebKitEngine()
{
    if (downloadStarted_)
        g_signal_handler_disconnect(context_.get(), downloadStarted_);
}

WebKitWebContext* WebKitEngine::Context()
{
    if (!context_) {
        context_ = GObjectPtr<WebKitWebContext>::Ref(SharedWebKitContext());
        // Every download, from any page or window, gets a save-as choice and a progress window.
        downloadStarted_ =
            g_signal_connect(context_.get(), "download-started", G_CALLBACK(OnDownloadStarted), downloads_.get());
    }
    return context_.get();
}

int WebKitEngine::RunningDownloads() const
{
    return downloads_->Running();
}

std::shared_ptr<WebKitEngine> RegisterWebKitEngine(WebKitOpenAsPage openAsPage, WebKitUserAgentTokens userAgentTokens)
{
    StartWebKitSandboxProbe();
    auto engine = std::make_shared<WebKitEngine>(std::move(openAsPage), std::move(userAgentTokens));
    RegisterControlClass(CLSID_WebBrowser, [weak = std::weak_ptr<WebKitEngine>(engine)]() -> std::shared_ptr<IUnknown> {
        auto held = weak.lock();
        if (!held)
            return nullptr; // the engine was let go: no more pages
        return std::make_shared<WebKitBrowserControl>(weak, held->Context(), held->UserAgentTokens());
    });
    return engine;
}

} // namespace platform
