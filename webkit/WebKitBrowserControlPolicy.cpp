// The WebKit control's navigation policy, for its page's view and for the
// views of the windows that page opened: each navigation a page starts is put
// to the host (BeforeNavigate2, which may cancel it), links to other programs
// go to the desktop only from the user's own gesture, and new windows open
// one per gesture, the host hearing of each with its address (NewWindow2).
#include "WebKitBrowserControl.h"

#include "BrowserDispIds.h"
#include "BrowserInterfaceIds.h"
#include "BrowserPropertyBag.h"
#include "GObjectPtr.h"
#include "ShellOpen.h"
#include "WebKitPageGuard.h"
#include "WebKitPopupWindows.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace platform {
namespace {

// Schemes the view shows itself; links to any other go to the desktop.
constexpr std::array<std::string_view, 7> kViewSchemes = {"http", "https", "file", "about", "data", "blob",
                                                          "javascript"};
constexpr const char* kWindowObjectKey = "pandrel-window-object";

bool IsViewScheme(const std::string& url)
{
    std::string lower = TakeGText(g_uri_parse_scheme(url.c_str()));
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return g_ascii_tolower(c); });
    return lower.empty() || std::find(kViewSchemes.begin(), kViewSchemes.end(), lower) != kViewSchemes.end();
}

} // namespace

gboolean WebKitBrowserControl::OnDecidePolicy(WebKitWebView* view, WebKitPolicyDecision* decision,
                                              WebKitPolicyDecisionType type, gpointer data)
{
    gboolean handled = FALSE;
    WhileOpen(data, [&](Held& self) { handled = self->Decide(view, decision, type) ? TRUE : FALSE; });
    return handled;
}

// What the host's events name as the browser of a navigation in view: this
// control for its own view, else an object standing for the window a page
// opened (one for each window, as long as its view lives).
DispatchPtr WebKitBrowserControl::BrowserOf(WebKitWebView* view)
{
    if (view == view_.get())
        return Self();
    auto* window = static_cast<DispatchPtr*>(g_object_get_data(G_OBJECT(view), kWindowObjectKey));
    if (!window) {
        window = new DispatchPtr(std::make_shared<BrowserPropertyBag>());
        g_object_set_data_full(G_OBJECT(view), kWindowObjectKey, window,
                               [](gpointer held) { delete static_cast<DispatchPtr*>(held); });
    }
    return *window;
}

// The policy for view (this control's or a window's its page opened); true
// when decided here.
bool WebKitBrowserControl::Decide(WebKitWebView* view, WebKitPolicyDecision* decision, WebKitPolicyDecisionType type)
{
    const bool ownView = view == view_.get();
    if (ownView && internalPageLoads_ > 0)
        return false;
    if (type == WEBKIT_POLICY_DECISION_TYPE_RESPONSE)
        return DecideResponse(view, WEBKIT_RESPONSE_POLICY_DECISION(decision));
    if (type != WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION)
        return false;
    WebKitNavigationAction* action =
        webkit_navigation_policy_decision_get_navigation_action(WEBKIT_NAVIGATION_POLICY_DECISION(decision));
    const char* uri = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
    const std::string url = uri ? uri : "";
    WebKitPageGuard* guard = WebKitPageGuard::Of(view);
    const auto navigationType = webkit_navigation_action_get_navigation_type(action);
    if (webkit_navigation_action_is_redirect(action)) {
        if (guard)
            guard->NoteRedirect(url); // the host hears only where it ends (NavigateComplete2)
        return false;
    }
    if (navigationType == WEBKIT_NAVIGATION_TYPE_RELOAD)
        return false; // a refresh is not a new navigation
    if (WebKitRefusedCertificate::IsAcceptLink(url)) {
        webkit_policy_decision_ignore(decision); // before the accepted site loads in its place
        if (ownView)
            AcceptCertificateIfAsked(action, url);
        return true;
    }
    // Navigate2, GoBack or GoForward raised BeforeNavigate2 for exactly this request.
    const bool approved = ownView && approvedURL_ == url &&
                          (navigationType == WEBKIT_NAVIGATION_TYPE_OTHER ||
                           navigationType == WEBKIT_NAVIGATION_TYPE_BACK_FORWARD);
    if (approved)
        approvedURL_.reset();
    if (guard)
        guard->NoteNavigation(url, approved ? WebKitPageGuard::Start::ByHost
                                   : webkit_navigation_action_is_user_gesture(action) ? WebKitPageGuard::Start::ByGesture
                                                                                       : WebKitPageGuard::Start::ByPage);
    if (!approved) {
        if (auto translated = TranslatedUrl(url)) {
            webkit_policy_decision_ignore(decision);
            translatedURL_ = *translated;
            webkit_web_view_load_uri(view, translated->c_str());
            return true;
        }
        if (!events_.BeforeNavigate2(BrowserOf(view), url, Variant(std::int32_t{0}), Variant(""), Variant(),
                                     Variant("")) ||
            events_.IsClosed()) {
            webkit_policy_decision_ignore(decision);
            return true;
        }
    }
    if (HandOverToDesktop(view, action, url, approved)) {
        webkit_policy_decision_ignore(decision);
        return true;
    }
    if (approved || !ownView)
        return false;
    if ((hostUIFlags_ & DOCHOSTUIFLAG_OPENNEWWIN) && navigationType == WEBKIT_NAVIGATION_TYPE_LINK_CLICKED) {
        webkit_policy_decision_ignore(decision);
        if (guard && guard->Gate().Admit(action))
            OpenEngineWindowFor(action);
        return true;
    }
    return false;
}

// An HTTP error answer is a navigation error the host hears of; unless it
// cancels, the server's own error page is shown. What the view cannot show
// is a download the host may cancel (FileDownload).
bool WebKitBrowserControl::DecideResponse(WebKitWebView* view, WebKitResponsePolicyDecision* response)
{
    auto* decision = WEBKIT_POLICY_DECISION(response);
    WebKitURIResponse* answer = webkit_response_policy_decision_get_response(response);
    const guint status = webkit_uri_response_get_status_code(answer);
    if (status >= 400 && webkit_response_policy_decision_is_main_frame_main_resource(response)) {
        const char* uri = webkit_uri_response_get_uri(answer);
        DispParams args = events_.Raise(DISPID_NAVIGATEERROR,
                                        {BrowserOf(view), Variant(std::string(uri ? uri : "")), Variant(""),
                                         Variant(static_cast<std::int32_t>(status)), WordBool(false)});
        if (args.Arg(4).AsBool() || events_.IsClosed()) {
            webkit_policy_decision_ignore(decision);
            return true;
        }
    }
    if (webkit_response_policy_decision_is_mime_type_supported(response))
        return false;
    DispParams args = events_.Raise(DISPID_FILEDOWNLOAD, {WordBool(false)});
    if (args.Arg(0).AsBool() || events_.IsClosed())
        webkit_policy_decision_ignore(decision);
    else
        webkit_policy_decision_download(decision);
    return true;
}

// A link to a scheme the view cannot show (mailto:, tel:, ...) opens in the
// desktop's handler for it and the page stays where it is. Only a navigation
// the host asked for, or one the user's gesture started (one per gesture), is
// handed over; what a page tries by itself is refused and said in its bar.
bool WebKitBrowserControl::HandOverToDesktop(WebKitWebView* view, WebKitNavigationAction* action,
                                             const std::string& url, bool askedByHost)
{
    if (IsViewScheme(url))
        return false;
    WebKitPageGuard* guard = WebKitPageGuard::Of(view);
    if (askedByHost || (guard && guard->Gate().Admit(action)))
        ShellOpen(url);
    else if (guard)
        guard->RefuseProgram();
    return true;
}

// --- new windows ---

WebKitOpenerPolicy WebKitBrowserControl::OpenerPolicy()
{
    std::weak_ptr<WebKitBrowserControl> weak = weak_from_this();
    return {[weak](WebKitWebView* view, WebKitPolicyDecision* decision, int type) {
                Held self(weak.lock());
                return self && self->Decide(view, decision, static_cast<WebKitPolicyDecisionType>(type));
            },
            [weak](WebKitWebView* view, WebKitNavigationAction* action) -> GtkWidget* {
                Held self(weak.lock());
                return self ? self->CreateWindowFor(view, action) : nullptr;
            }};
}

void WebKitBrowserControl::OpenEngineWindowFor(WebKitNavigationAction* action)
{
    const char* uri = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
    if (auto engine = engine_.lock())
        engine->PopupWindows().Open(view_.get(), uri ? uri : "", OpenerPolicy());
}

GtkWidget* WebKitBrowserControl::OnCreate(WebKitWebView* view, WebKitNavigationAction* action, gpointer data)
{
    GtkWidget* created = nullptr;
    WhileOpen(data, [&](Held& self) { created = self->CreateWindowFor(view, action); });
    return created;
}

// The window that view (this page's or a window's it opened) asks for: one per
// user gesture, refused quietly otherwise (the page stays as it is and the host
// hears nothing); the host hears of it with its address and may cancel it.
GtkWidget* WebKitBrowserControl::CreateWindowFor(WebKitWebView* view, WebKitNavigationAction* action)
{
    WebKitPageGuard* guard = WebKitPageGuard::Of(view);
    if (!guard || !guard->Gate().Admit(action))
        return nullptr;
    const char* uri = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
    const std::string url = uri ? uri : "";
    DispParams args = events_.Raise(DISPID_NEWWINDOW2, {DispatchPtr(), WordBool(false), Variant(url)});
    if (args.Arg(1).AsBool() || events_.IsClosed())
        return nullptr; // cancelled, or the page closed
    // The handler may hand over another browser to open the window in.
    if (auto other = QueryInterfacePtr<IWebBrowser2>(args.Arg(0).AsDispatch(), IID_IWebBrowser2)) {
        Variant address(url), none1, none2, none3, none4;
        other->Navigate2(&address, &none1, &none2, &none3, &none4);
        return nullptr;
    }
    if (hostUIFlags_ & DOCHOSTUIFLAG_ENABLE_INPLACE_NAVIGATION) {
        webkit_web_view_load_uri(view, url.empty() ? "about:blank" : url.c_str());
        return nullptr;
    }
    auto engine = engine_.lock();
    return engine ? engine->PopupWindows().CreateView(view, OpenerPolicy()) : nullptr;
}

} // namespace platform
