#include "WebKitEngine.h"

#include "BrowserControlFactory.h"
#include "BrowserInterfaceIds.h"
#include "ErrorReport.h"
#include "WebKitBrowserControl.h"
#include "WebKitDownloadList.h"
#include "WebKitEngineContext.h"
#include "WebKitPopupWindows.h"
#include "WebKitSiteContexts.h"

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
    // Every download, from any page or window of any site data, gets a
    // save-as choice and a progress window.
    contexts_ = std::make_unique<WebKitSiteContexts>(
        [list = downloads_.get()](WebKitWebContext* context) {
            return g_signal_connect(context, "download-started", G_CALLBACK(OnDownloadStarted), list);
        },
        SharedWebKitDataFolders());
}

std::vector<std::string> WebKitEngine::UserAgentTokens() const
{
    return userAgentTokens_ ? userAgentTokens_() : std::vector<std::string>();
}

WebKitEngine::~WebKitEngine() = default;

GObjectPtr<WebKitWebContext> WebKitEngine::Context(const SiteData& siteData)
{
    return contexts_->For(siteData);
}

void WebKitEngine::SetSiteDataNotice(WebKitSiteDataNotice notice)
{
    contexts_->SetNotice(std::move(notice));
}

bool WebKitEngine::HasSiteData(const SiteData& siteData) const
{
    return contexts_->HasData(siteData);
}

void WebKitEngine::ForgetSiteData(const SiteData& siteData, std::function<void(bool)> done)
{
    contexts_->Forget(siteData, std::move(done));
}

int WebKitEngine::LiveProfileContexts() const
{
    return contexts_->LiveProfileContexts();
}

int WebKitEngine::RunningDownloads() const
{
    return downloads_->Running();
}

std::shared_ptr<WebKitEngine> RegisterWebKitEngine(WebKitOpenAsPage openAsPage, WebKitUserAgentTokens userAgentTokens)
{
    StartWebKitSandboxProbe();
    auto engine = std::make_shared<WebKitEngine>(std::move(openAsPage), std::move(userAgentTokens));
    RegisterControlClass(CLSID_WebBrowser, [weak = std::weak_ptr<WebKitEngine>(engine)](
                                               const SiteData& siteData) -> std::shared_ptr<IUnknown> {
        auto held = weak.lock();
        if (!held)
            return nullptr; // the engine was let go: no more pages
        return std::make_shared<WebKitBrowserControl>(weak, held->Context(siteData).get(), held->UserAgentTokens());
    });
    return engine;
}

} // namespace platform
