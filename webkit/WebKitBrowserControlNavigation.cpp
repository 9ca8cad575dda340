// The WebKit control's load events: each WebKit signal becomes the contract's
// event, raised to the host's sink (the navigation policy is in
// WebKitBrowserControlPolicy.cpp).
#include "WebKitBrowserControl.h"

#include "BrowserDispIds.h"
#include "BrowserInterfaceIds.h"
#include "ErrorReport.h"
#include "GObjectPtr.h"
#include "WebKitEnginePages.h"

#include <utility>

namespace platform {

// --- navigation ---

std::optional<std::string> WebKitBrowserControl::TranslatedUrl(const std::string& url)
{
    auto* handler = Host<IDocHostUIHandler>(IID_IDocHostUIHandler);
    if (!handler || url == translatedURL_)
        return std::nullopt;
    std::string out;
    if (handler->TranslateUrl(0, url, out) == S_OK && !out.empty() && out != url)
        return out;
    return std::nullopt;
}

// BeforeNavigate2; true when the navigation may go on.
bool WebKitBrowserControl::BeforeNavigate(const std::string& url)
{
    return events_.BeforeNavigate2(Self(), url, Variant(std::int32_t{0}), Variant(""), Variant(), Variant(""));
}

void WebKitBrowserControl::OnLoadChanged(WebKitWebView* view, WebKitLoadEvent event, gpointer data)
{
    WhileOpen(data, [&](Held& self) {
        if (event == WEBKIT_LOAD_FINISHED && self->endingLoad_) {
            // The end of a load that failed or was stopped: no document
            // completed. A failure closes its DownloadBegin; a stopped load
            // raises nothing, so the host goes on as if it were still loading.
            const EndingLoad ending = *std::exchange(self->endingLoad_, std::nullopt);
            if (ending == EndingLoad::Failed)
                self->events_.Raise(DISPID_DOWNLOADCOMPLETE, {});
            return;
        }
        if (self->internalPageLoads_ > 0) {
            if (event == WEBKIT_LOAD_FINISHED)
                --self->internalPageLoads_;
            return;
        }
        const char* uri = webkit_web_view_get_uri(view);
        std::string url = uri ? uri : "";
        switch (event) {
        case WEBKIT_LOAD_STARTED:
            self->approvedURL_.reset(); // whatever was approved has been decided or replaced
            self->endingLoad_.reset();
            self->events_.Raise(DISPID_DOWNLOADBEGIN, {});
            break;
        case WEBKIT_LOAD_COMMITTED: {
            self->committedURL_ = url;
            self->translatedURL_.clear();
            if (self->refusedCertificate_ && self->refusedCertificate_->Url() != url)
                self->refusedCertificate_.reset(); // moved on from the certificate page
            self->events_.NavigateComplete2(self->Self(), url);
            if (!self)
                return; // the host closed the page
            GTlsCertificate* certificate = nullptr;
            GTlsCertificateFlags errors{};
            bool secure = webkit_web_view_get_tls_info(view, &certificate, &errors) && errors == 0;
            self->events_.Raise(DISPID_SETSECURELOCKICON,
                                {secure ? secureLockIconSecureUnknownBits : secureLockIconUnsecure});
            break;
        }
        case WEBKIT_LOAD_FINISHED:
            self->events_.Raise(DISPID_DOWNLOADCOMPLETE, {});
            if (self && !self->committedURL_.empty())
                self->events_.DocumentComplete(self->Self(), self->committedURL_);
            break;
        default: break;
        }
    });
}

gboolean WebKitBrowserControl::OnLoadFailed(WebKitWebView*, WebKitLoadEvent, gchar* uri, GError* error,
                                            gpointer data)
{
    gboolean handled = FALSE;
    WhileOpen(data, [&](Held& self) {
        if (self->internalPageLoads_ > 0)
            return;
        self->approvedURL_.reset();
        if (g_error_matches(error, WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_CANCELLED)) {
            self->endingLoad_ = EndingLoad::Stopped;
            handled = TRUE; // stopped: no error page, and no document completes
            return;
        }
        if (g_error_matches(error, WEBKIT_POLICY_ERROR, WEBKIT_POLICY_ERROR_FRAME_LOAD_INTERRUPTED_BY_POLICY_CHANGE) ||
            g_error_matches(error, WEBKIT_PLUGIN_ERROR, WEBKIT_PLUGIN_ERROR_WILL_HANDLE_LOAD)) {
            handled = TRUE; // taken over: no error page
            return;
        }
        self->endingLoad_ = EndingLoad::Failed;
        const std::string url = uri ? uri : "";
        std::int32_t status = error ? error->code : 0;
        DispParams args = self->events_.Raise(DISPID_NAVIGATEERROR, {self->Self(), Variant(url), Variant(""),
                                                                     Variant(status), WordBool(false)});
        handled = TRUE;
        if (!args.Arg(4).AsBool() && self)
            self->ShowErrorPage(FailedLoadPage(url, error ? error->message : "Unknown error"), url);
    });
    return handled;
}

void WebKitBrowserControl::ShowInternalPage(const std::string& html, const std::string& baseUri)
{
    ++internalPageLoads_;
    webkit_web_view_load_alternate_html(view_.get(), html.c_str(), baseUri.c_str(), nullptr);
}

// The engine's page for a load that failed takes the place of the document:
// the view is at the failed address, and no document is, until one completes.
void WebKitBrowserControl::ShowErrorPage(const std::string& html, const std::string& failedUrl)
{
    committedURL_.clear();
    ShowInternalPage(html, failedUrl);
}

void WebKitBrowserControl::OnTitle(WebKitWebView* view, GParamSpec*, gpointer data)
{
    WhileOpen(data, [&](Held& self) {
        const char* title = webkit_web_view_get_title(view);
        self->events_.Raise(DISPID_TITLECHANGE, {Variant(std::string(title ? title : ""))});
    });
}

void WebKitBrowserControl::OnProgress(WebKitWebView* view, GParamSpec*, gpointer data)
{
    WhileOpen(data, [&](Held& self) {
        auto progress = static_cast<std::int32_t>(webkit_web_view_get_estimated_load_progress(view) * 10000);
        self->events_.Raise(DISPID_PROGRESSCHANGE, {progress, std::int32_t{10000}});
    });
}

void WebKitBrowserControl::OnMouseTarget(WebKitWebView*, WebKitHitTestResult* hit, guint, gpointer data)
{
    WhileOpen(data, [&](Held& self) {
        const char* link = webkit_hit_test_result_context_is_link(hit) ? webkit_hit_test_result_get_link_uri(hit)
                                                                         : nullptr;
        self->events_.Raise(DISPID_STATUSTEXTCHANGE, {Variant(std::string(link ? link : ""))});
    });
}

void WebKitBrowserControl::RaiseCommandStates()
{
    events_.CommandStates(webkit_web_view_can_go_back(view_.get()) != FALSE, webkit_web_view_can_go_forward(view_.get()) != FALSE);
}

void WebKitBrowserControl::OnHistoryChanged(WebKitBackForwardList*, WebKitBackForwardListItem*, gpointer,
                                            gpointer data)
{
    WhileOpen(data, [&](Held& self) { self->RaiseCommandStates(); });
}

// --- closing ---

void WebKitBrowserControl::OnClose(WebKitWebView*, gpointer data)
{
    WhileOpen(data, [&](Held& self) { self->events_.Raise(DISPID_WINDOWCLOSING, {WordBool(false), WordBool(false)}); });
}

void WebKitBrowserControl::OnWebProcessTerminated(WebKitWebView* view, WebKitWebProcessTerminationReason reason,
                                                  gpointer data)
{
    WhileOpen(data, [&](Held& self) {
        const char* uri = webkit_web_view_get_uri(view);
        self->crashedURL_ = uri && *uri ? uri : self->committedURL_;
        const char* why = reason == WEBKIT_WEB_PROCESS_EXCEEDED_MEMORY_LIMIT ? "The page used too much memory."
                          : reason == WEBKIT_WEB_PROCESS_TERMINATED_BY_API ? "The page was stopped."
                                                                          : "The process showing the page ended unexpectedly.";
        self->internalPageLoads_ = 0;
        self->ShowInternalPage(CrashedPage(self->crashedURL_, why), self->crashedURL_);
        self->approvedURL_.reset();
        self->events_.Raise(DISPID_DOWNLOADCOMPLETE, {});
    });
}

} // namespace platform
