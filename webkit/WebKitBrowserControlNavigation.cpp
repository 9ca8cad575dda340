// The WebKit control's navigation policy, load events and new windows: each
// WebKit signal becomes the contract's event, raised to the host's sink.
#include "WebKitBrowserControl.h"

#include "BrowserDispIds.h"
#include "BrowserInterfaceIds.h"
#include "ErrorReport.h"
#include "GObjectPtr.h"
#include "ShellOpen.h"
#include "WebKitEnginePages.h"
#include "WebKitPopupWindows.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace platform {
namespace {

// Schemes the view shows itself; links to any other go to the desktop.
constexpr std::array<std::string_view, 7> kViewSchemes = {"http", "https", "file", "about", "data", "blob",
                                                          "javascript"};

} // namespace

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

gboolean WebKitBrowserControl::OnDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision,
                                              WebKitPolicyDecisionType type, gpointer data)
{
    gboolean handled = FALSE;
    WhileOpen(data, [&](Held& self) {
        if (self->internalPageLoads_ > 0)
            return;
        if (type == WEBKIT_POLICY_DECISION_TYPE_RESPONSE) {
            auto* response = WEBKIT_RESPONSE_POLICY_DECISION(decision);
            // An HTTP error answer is a navigation error the host hears of;
            // unless it cancels, the server's own error page is shown.
            WebKitURIResponse* answer = webkit_response_policy_decision_get_response(response);
            const guint status = webkit_uri_response_get_status_code(answer);
            if (status >= 400 && webkit_response_policy_decision_is_main_frame_main_resource(response)) {
                const char* uri = webkit_uri_response_get_uri(answer);
                DispParams args = self->events_.Raise(DISPID_NAVIGATEERROR,
                                                      {self->Self(), Variant(std::string(uri ? uri : "")), Variant(""),
                                                       Variant(static_cast<std::int32_t>(status)), WordBool(false)});
                if (args.Arg(4).AsBool() || !self) {
                    webkit_policy_decision_ignore(decision);
                    handled = TRUE;
                    return;
                }
            }
            if (webkit_response_policy_decision_is_mime_type_supported(response))
                return;
            DispParams args = self->events_.Raise(DISPID_FILEDOWNLOAD, {WordBool(false)});
            if (args.Arg(0).AsBool() || !self)
                webkit_policy_decision_ignore(decision);
            else
                webkit_policy_decision_download(decision);
            handled = TRUE;
            return;
        }
        if (type != WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION)
            return;
        WebKitNavigationAction* action =
            webkit_navigation_policy_decision_get_navigation_action(WEBKIT_NAVIGATION_POLICY_DECISION(decision));
        const auto navigationType = webkit_navigation_action_get_navigation_type(action);
        if (navigationType == WEBKIT_NAVIGATION_TYPE_RELOAD || webkit_navigation_action_is_redirect(action))
            return; // a refresh or a server's redirect is not a new navigation
        const char* uri = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
        const std::string url = uri ? uri : "";
        if (WebKitRefusedCertificate::IsAcceptLink(url)) {
            webkit_policy_decision_ignore(decision); // before the accepted site loads in its place
            handled = TRUE;
            self->AcceptCertificateIfAsked(action, url);
            return;
        }
        // Navigate2, GoBack or GoForward raised BeforeNavigate2 for exactly this request.
        const bool approved =
            self->approvedURL_ == url &&
            (navigationType == WEBKIT_NAVIGATION_TYPE_OTHER || navigationType == WEBKIT_NAVIGATION_TYPE_BACK_FORWARD);
        if (approved)
            self->approvedURL_.reset();
        if (!approved) {
            if (auto translated = self->TranslatedUrl(url)) {
                webkit_policy_decision_ignore(decision);
                self->translatedURL_ = *translated;
                webkit_web_view_load_uri(self->view_.get(), translated->c_str());
                handled = TRUE;
                return;
            }
            if (!self->BeforeNavigate(url) || !self) {
                webkit_policy_decision_ignore(decision);
                handled = TRUE;
                return;
            }
        }
        if (self->HandOverToDesktop(action, url, approved)) {
            webkit_policy_decision_ignore(decision);
            handled = TRUE;
            return;
        }
        if (approved)
            return;
        if ((self->hostUIFlags_ & DOCHOSTUIFLAG_OPENNEWWIN) &&
            webkit_navigation_action_get_navigation_type(action) == WEBKIT_NAVIGATION_TYPE_LINK_CLICKED) {
            webkit_policy_decision_ignore(decision);
            if (self->windowGate_.Admit(action))
                self->OpenEngineWindowFor(action);
            handled = TRUE;
        }
    });
    return handled;
}

void WebKitBrowserControl::OnLoadChanged(WebKitWebView* view, WebKitLoadEvent event, gpointer data)
{
    WhileOpen(data, [&](Held& self) {
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
        if (g_error_matches(error, WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_CANCELLED) ||
            g_error_matches(error, WEBKIT_POLICY_ERROR, WEBKIT_POLICY_ERROR_FRAME_LOAD_INTERRUPTED_BY_POLICY_CHANGE) ||
            g_error_matches(error, WEBKIT_PLUGIN_ERROR, WEBKIT_PLUGIN_ERROR_WILL_HANDLE_LOAD)) {
            handled = TRUE; // stopped or taken over: no error page
            return;
        }
        const std::string url = uri ? uri : "";
        std::int32_t status = error ? error->code : 0;
        DispParams args = self->events_.Raise(DISPID_NAVIGATEERROR, {self->Self(), Variant(url), Variant(""),
                                                                     Variant(status), WordBool(false)});
        handled = TRUE;
        if (!args.Arg(4).AsBool() && self)
            self->ShowInternalPage(FailedLoadPage(url, error ? error->message : "Unknown error"), url);
    });
    return handled;
}

void WebKitBrowserControl::ShowInternalPage(const std::string& html, const std::string& baseUri)
{
    ++internalPageLoads_;
    webkit_web_view_load_alternate_html(view_.get(), html.c_str(), baseUri.c_str(), nullptr);
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

// A link to a scheme the view cannot show (mailto:, tel:, ...) opens in the
// desktop's handler for it and the page stays where it is. Only a link the
// user followed, or a navigation the host asked for, is handed over: a page
// cannot start other programs by itself.
bool WebKitBrowserControl::HandOverToDesktop(WebKitNavigationAction* action, const std::string& url, bool askedByHost)
{
    std::string lower = TakeGText(g_uri_parse_scheme(url.c_str()));
    if (lower.empty())
        return false;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return g_ascii_tolower(c); });
    if (std::find(kViewSchemes.begin(), kViewSchemes.end(), lower) != kViewSchemes.end())
        return false;
    if (askedByHost || webkit_navigation_action_is_user_gesture(action) ||
        webkit_navigation_action_get_navigation_type(action) == WEBKIT_NAVIGATION_TYPE_LINK_CLICKED)
        ShellOpen(url);
    return true;
}

// --- new windows, closing ---

void WebKitBrowserControl::OpenEngineWindowFor(WebKitNavigationAction* action)
{
    const char* uri = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
    if (auto engine = engine_.lock())
        engine->PopupWindows().Open(view_.get(), uri ? uri : "");
}

GtkWidget* WebKitBrowserControl::OnCreate(WebKitWebView* view, WebKitNavigationAction* action, gpointer data)
{
    GtkWidget* created = nullptr;
    WhileOpen(data, [&](Held& self) {
        // Refused quietly: the page stays as it is and the host hears nothing.
        if (!self->windowGate_.Admit(action))
            return;
        DispParams args = self->events_.Raise(DISPID_NEWWINDOW2, {DispatchPtr(), WordBool(false)});
        if (args.Arg(1).AsBool() || !self)
            return; // cancelled, or the page closed
        const char* uri = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
        // The handler may hand over another browser to open the window in.
        auto other = QueryInterfacePtr<IWebBrowser2>(args.Arg(0).AsDispatch(), IID_IWebBrowser2);
        if (other) {
            Variant url(std::string(uri ? uri : "")), none1, none2, none3, none4;
            other->Navigate2(&url, &none1, &none2, &none3, &none4);
            return;
        }
        if (self->hostUIFlags_ & DOCHOSTUIFLAG_ENABLE_INPLACE_NAVIGATION) {
            webkit_web_view_load_uri(self->view_.get(), uri ? uri : "about:blank");
            return;
        }
        if (auto engine = self->engine_.lock())
            created = engine->PopupWindows().CreateView(view);
    });
    return created;
}

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
