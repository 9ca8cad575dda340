#include "WebKitBrowserControl.h"

#include "BrowserControlFactory.h"
#include "BrowserDispIds.h"
#include "BrowserControlQuery.h"
#include "BrowserInterfaceIds.h"
#include "BrowserPropertyBag.h"
#include "BrowserRequestHeaders.h"
#include "BrowserUserAgentToken.h"
#include "ErrorReport.h"
#include "WebKitEngine.h"
#include "WebKitEngineContext.h"
#include "WebKitLaunchQueue.h"
#include "WebKitEnginePages.h"
#include "WebKitFindBar.h"
#include "WebKitKeys.h"
#include "WebKitPopupWindow.h"
#include "WebKitSettingsTable.h"

#include <gtkmm.h>
#include <webkit2/webkit2.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace platform {
namespace {

constexpr double kZoomStep = 1.1;
constexpr double kZoomMin = 0.25;
constexpr double kZoomMax = 5.0;
constexpr const char* kScriptErrorHandlerName = "pandrelScriptError";
// Reports uncaught script errors of the page to the engine.
constexpr const char* kScriptErrorReporter =
    "window.addEventListener('error', function (e) {"
    "  try { window.webkit.messageHandlers.pandrelScriptError.postMessage({"
    "    line: String(e.lineno || 0), character: String(e.colno || 0), code: '0',"
    "    message: String(e.message || ''), url: String(e.filename || '') }); } catch (x) {}"
    "});";

class WebKitBrowserControl : public IOleObject,
                             public IWebBrowser2,
                             public IOleControl,
                             public IOleInPlaceActiveObject,
                             public std::enable_shared_from_this<WebKitBrowserControl> {
public:
    WebKitBrowserControl();
    ~WebKitBrowserControl() override;

    IUnknown* QueryInterface(const Guid& iid) override;
    void SetClientSite(IOleClientSite* site) override;
    void Advise(IBrowserEventSink* sink) override { sink_ = sink; }
    Gtk::Widget& InPlaceWidget() override { return container_; }
    void Close() override;

    HRESULT GoBack() override;
    HRESULT GoForward() override;
    HRESULT Refresh() override;
    HRESULT Stop() override;
    HRESULT Navigate2(Variant* URL, Variant* Flags, Variant* TargetFrameName, Variant* PostData,
                      Variant* Headers) override;

    HRESULT GetTypeInfoCount(std::uint32_t& count) override
    {
        count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(std::uint32_t, std::uint32_t, std::shared_ptr<IUnknown>& typeInfo) override
    {
        typeInfo = nullptr;
        return E_NOTIMPL;
    }
    HRESULT GetIDsOfNames(const Guid&, const std::string*, std::uint32_t, std::uint32_t, DispId*) override
    {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT Invoke(DispId dispId, const Guid& iid, std::uint32_t localeId, std::uint16_t flags, DispParams& params,
                   Variant* varResult, ExcepInfo* excepInfo, std::uint32_t* argErr) override;

    HRESULT OnAmbientPropertyChange(DispId dispId) override;
    HRESULT TranslateAccelerator(const Msg*) override { return S_FALSE; }

private:
    // --- signal wiring: every connection is made and undone here ---
    void ConnectSignals();
    void DisconnectSignals();
    void Connect(gpointer instance, const char* signal, GCallback callback);

    static gboolean OnDecidePolicy(WebKitWebView*, WebKitPolicyDecision*, WebKitPolicyDecisionType, gpointer);
    static void OnLoadChanged(WebKitWebView*, WebKitLoadEvent, gpointer);
    static gboolean OnLoadFailed(WebKitWebView*, WebKitLoadEvent, gchar*, GError*, gpointer);
    static void OnTitle(WebKitWebView*, GParamSpec*, gpointer);
    static void OnProgress(WebKitWebView*, GParamSpec*, gpointer);
    static void OnMouseTarget(WebKitWebView*, WebKitHitTestResult*, guint, gpointer);
    static void OnHistoryChanged(WebKitBackForwardList*, WebKitBackForwardListItem*, gpointer, gpointer);
    static GtkWidget* OnCreate(WebKitWebView*, WebKitNavigationAction*, gpointer);
    static void OnClose(WebKitWebView*, gpointer);
    static gboolean OnScriptDialog(WebKitWebView*, WebKitScriptDialog*, gpointer);
    static gboolean OnContextMenu(WebKitWebView*, WebKitContextMenu*, GdkEvent*, WebKitHitTestResult*, gpointer);
    static void OnWebProcessTerminated(WebKitWebView*, WebKitWebProcessTerminationReason, gpointer);
    static gboolean OnKeyPress(GtkWidget*, GdkEventKey*, gpointer);
    static gboolean OnScroll(GtkWidget*, GdkEventScroll*, gpointer);
    static void OnScriptMessage(WebKitUserContentManager*, WebKitJavascriptResult*, gpointer);

    // --- the contract's events and host questions ---
    DispParams Raise(DispId dispId, std::vector<Variant> args);
    DispatchPtr Self();
    template <typename Interface>
    Interface* Host(const Guid& iid) const
    {
        return QueryInterfaceRaw<Interface>(site_, iid);
    }
    bool BeforeNavigate(const std::string& url);
    std::optional<std::string> TranslatedUrl(const std::string& url);
    void RaiseCommandStates();
    void ApplyHostAnswers();
    void ShowInternalPage(const std::string& html, const std::string& baseUri);
    bool HandleEngineKey(GdkEventKey* event);
    void Zoom(double factor);
    void Print();
    void OpenEngineWindowFor(WebKitNavigationAction* action);
    bool IsSilent() const;

    IOleClientSite* site_ = nullptr;
    IBrowserEventSink* sink_ = nullptr;
    Gtk::Box container_{Gtk::ORIENTATION_VERTICAL};
    WebKitWebView* view_ = nullptr; // one reference of ours
    Gtk::Frame frame_;
    std::unique_ptr<WebKitFindBar> findBar_; // destroyed before the frame lets the view go
    std::vector<std::pair<gpointer, gulong>> connections_;
    std::vector<std::pair<DispId, Variant>> storedProperties_;
    std::string committedURL_;
    std::string crashedURL_;
    std::string translatedURL_;
    std::uint32_t downloadFlags_ = DLCTL_DLIMAGES | DLCTL_VIDEOS | DLCTL_BGSOUNDS;
    std::uint32_t hostUIFlags_ = 0;
    int internalPageLoads_ = 0;
    bool navigationApproved_ = false; // BeforeNavigate2 was raised by the operation that started it
    bool firstLoadStarted_ = false;   // later loads go straight to the view
    bool closed_ = false;
    DispatchPtr currentEvent_;
};

WebKitBrowserControl::WebKitBrowserControl()
{
    WebKitUserContentManager* content = webkit_user_content_manager_new();
    view_ = WEBKIT_WEB_VIEW(g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", SharedWebKitContext(),
                                         "user-content-manager", content, nullptr));
    g_object_unref(content);
    g_object_ref_sink(view_);
    webkit_user_content_manager_register_script_message_handler(content, kScriptErrorHandlerName);
    // Tokens that hosts registered are appended to the engine's user agent.
    WebKitSettings* settings = webkit_web_view_get_settings(view_);
    if (auto tokens = UserAgentTokens(); !tokens.empty())
        webkit_settings_set_user_agent(settings,
                                       UserAgentWithTokens(webkit_settings_get_user_agent(settings), tokens).c_str());

    findBar_ = std::make_unique<WebKitFindBar>(view_);
    container_.pack_start(*findBar_, Gtk::PACK_SHRINK);
    frame_.set_shadow_type(Gtk::SHADOW_IN);
    gtk_container_add(GTK_CONTAINER(frame_.gobj()), GTK_WIDGET(view_));
    gtk_widget_show(GTK_WIDGET(view_));
    container_.pack_start(frame_, Gtk::PACK_EXPAND_WIDGET);
    container_.show_all();

    ApplyHostAnswers();
    ConnectSignals();
}

WebKitBrowserControl::~WebKitBrowserControl()
{
    Close();
    g_object_unref(view_);
}

void WebKitBrowserControl::Connect(gpointer instance, const char* signal, GCallback callback)
{
    connections_.emplace_back(instance, g_signal_connect(instance, signal, callback, this));
}

void WebKitBrowserControl::ConnectSignals()
{
    Connect(view_, "decide-policy", G_CALLBACK(OnDecidePolicy));
    Connect(view_, "load-changed", G_CALLBACK(OnLoadChanged));
    Connect(view_, "load-failed", G_CALLBACK(OnLoadFailed));
    Connect(view_, "notify::title", G_CALLBACK(OnTitle));
    Connect(view_, "notify::estimated-load-progress", G_CALLBACK(OnProgress));
    Connect(view_, "mouse-target-changed", G_CALLBACK(OnMouseTarget));
    Connect(view_, "create", G_CALLBACK(OnCreate));
    Connect(view_, "close", G_CALLBACK(OnClose));
    Connect(view_, "script-dialog", G_CALLBACK(OnScriptDialog));
    Connect(view_, "context-menu", G_CALLBACK(OnContextMenu));
    Connect(view_, "web-process-terminated", G_CALLBACK(OnWebProcessTerminated));
    Connect(view_, "key-press-event", G_CALLBACK(OnKeyPress));
    Connect(view_, "scroll-event", G_CALLBACK(OnScroll));
    Connect(webkit_web_view_get_back_forward_list(view_), "changed", G_CALLBACK(OnHistoryChanged));
    Connect(webkit_web_view_get_user_content_manager(view_),
            (std::string("script-message-received::") + kScriptErrorHandlerName).c_str(),
            G_CALLBACK(OnScriptMessage));
}

void WebKitBrowserControl::DisconnectSignals()
{
    for (auto& [instance, id] : connections_)
        g_signal_handler_disconnect(instance, id);
    connections_.clear();
}

void WebKitBrowserControl::Close()
{
    if (closed_)
        return;
    closed_ = true;
    sink_ = nullptr;
    site_ = nullptr;
    DisconnectSignals();
    WebKitLaunchQueue::Program().Cancel(view_);
    webkit_web_view_stop_loading(view_);
}

IUnknown* WebKitBrowserControl::QueryInterface(const Guid& iid)
{
    return QueryBrowserControlInterface(this, iid);
}

void WebKitBrowserControl::SetClientSite(IOleClientSite* site)
{
    site_ = site;
    if (site_)
        ApplyHostAnswers();
}

DispatchPtr WebKitBrowserControl::Self()
{
    return std::shared_ptr<IDispatch>(shared_from_this(), static_cast<IWebBrowser2*>(this));
}

DispParams WebKitBrowserControl::Raise(DispId dispId, std::vector<Variant> args)
{
    DispParams params = DispParams::InDeclaredOrder(std::move(args));
    if (sink_ && !closed_)
        sink_->Invoke(dispId, params);
    return params;
}

// Reads the host's download-control ambient property and host-UI flags and
// applies them through the settings table.
void WebKitBrowserControl::ApplyHostAnswers()
{
    if (auto* ambient = Host<IDispatch>(IID_IDispatch)) {
        DispParams none;
        Variant value;
        if (Succeeded(ambient->Invoke(DISPID_AMBIENT_DLCONTROL, GUID_NULL, LOCALE_SYSTEM_DEFAULT,
                                      DISPATCH_PROPERTYGET, none, &value, nullptr, nullptr)))
            downloadFlags_ = static_cast<std::uint32_t>(value.AsInt32());
    }
    if (auto* handler = Host<IDocHostUIHandler>(IID_IDocHostUIHandler)) {
        DocHostUIInfo info;
        if (Succeeded(handler->GetHostInfo(&info)))
            hostUIFlags_ = info.dwFlags;
    }
    WebKitSettings* settings = webkit_web_view_get_settings(view_);
    for (const EngineSettingValue& entry : EngineSettingsFor(downloadFlags_, hostUIFlags_))
        g_object_set(settings, entry.setting.c_str(), entry.value ? TRUE : FALSE, nullptr);
    WebKitUserContentManager* content = webkit_web_view_get_user_content_manager(view_);
    webkit_user_content_manager_remove_all_style_sheets(content);
    webkit_user_content_manager_remove_all_scripts(content);
    const std::string css = EngineStyleSheetFor(hostUIFlags_);
    if (!css.empty()) {
        WebKitUserStyleSheet* sheet = webkit_user_style_sheet_new(css.c_str(), WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES,
                                                                  WEBKIT_USER_STYLE_LEVEL_USER, nullptr, nullptr);
        webkit_user_content_manager_add_style_sheet(content, sheet);
        webkit_user_style_sheet_unref(sheet);
    }
    WebKitUserScript* script = webkit_user_script_new(kScriptErrorReporter, WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES,
                                                      WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, nullptr, nullptr);
    webkit_user_content_manager_add_script(content, script);
    webkit_user_script_unref(script);
    frame_.set_shadow_type((hostUIFlags_ & DOCHOSTUIFLAG_NO3DBORDER) ? Gtk::SHADOW_NONE : Gtk::SHADOW_IN);
}

HRESULT WebKitBrowserControl::OnAmbientPropertyChange(DispId dispId)
{
    if (dispId == DISPID_AMBIENT_DLCONTROL || dispId == -1)
        ApplyHostAnswers();
    return S_OK;
}

// --- operations ---

HRESULT WebKitBrowserControl::GoBack()
{
    if (closed_)
        return E_UNEXPECTED;
    WebKitBackForwardList* history = webkit_web_view_get_back_forward_list(view_);
    WebKitBackForwardListItem* item = webkit_back_forward_list_get_back_item(history);
    if (!item)
        return E_FAIL;
    if (!BeforeNavigate(webkit_back_forward_list_item_get_uri(item)))
        return S_OK;
    navigationApproved_ = true;
    webkit_web_view_go_back(view_);
    return S_OK;
}

HRESULT WebKitBrowserControl::GoForward()
{
    if (closed_)
        return E_UNEXPECTED;
    WebKitBackForwardList* history = webkit_web_view_get_back_forward_list(view_);
    WebKitBackForwardListItem* item = webkit_back_forward_list_get_forward_item(history);
    if (!item)
        return E_FAIL;
    if (!BeforeNavigate(webkit_back_forward_list_item_get_uri(item)))
        return S_OK;
    navigationApproved_ = true;
    webkit_web_view_go_forward(view_);
    return S_OK;
}

HRESULT WebKitBrowserControl::Refresh()
{
    if (closed_)
        return E_UNEXPECTED;
    // The host may take over the refresh command; S_OK means it is not run.
    if (auto* target = Host<IOleCommandTarget>(IID_IOleCommandTarget))
        if (target->Exec(&CGID_DocHostCommandHandler, IDM_REFRESH, 0, nullptr, nullptr) == S_OK)
            return S_OK;
    if (!crashedURL_.empty()) {
        std::string url = std::exchange(crashedURL_, {});
        webkit_web_view_load_uri(view_, url.c_str());
    } else if (downloadFlags_ & (DLCTL_PRAGMA_NO_CACHE | DLCTL_RESYNCHRONIZE)) {
        webkit_web_view_reload_bypass_cache(view_);
    } else {
        webkit_web_view_reload(view_);
    }
    return S_OK;
}

HRESULT WebKitBrowserControl::Stop()
{
    if (closed_)
        return E_UNEXPECTED;
    navigationApproved_ = false;
    WebKitLaunchQueue::Program().Cancel(view_);
    webkit_web_view_stop_loading(view_);
    return S_OK;
}

HRESULT WebKitBrowserControl::Navigate2(Variant* URL, Variant* Flags, Variant* TargetFrameName, Variant* PostData,
                                        Variant* Headers)
{
    if (closed_)
        return E_UNEXPECTED;
    if (!URL || !Flags || !TargetFrameName || !PostData || !Headers)
        return E_POINTER;
    if (URL->GetKind() != Variant::Kind::Text)
        return E_INVALIDARG; // item lists name shell folders, which this engine cannot show
    std::string url = URL->AsText();
    if (url.empty())
        return E_INVALIDARG;
    // A bare host name gets a scheme, as the address box of a browser would.
    if (url.find("://") == std::string::npos && url.rfind("about:", 0) != 0 && url.rfind("data:", 0) != 0 &&
        url.rfind("file:", 0) != 0)
        url = "http://" + url;
    if (auto translated = TranslatedUrl(url)) {
        url = *translated;
        translatedURL_ = url;
    }
    // As on the original control, BeforeNavigate2 comes before Navigate2 returns.
    if (!BeforeNavigate(url))
        return S_OK;
    navigationApproved_ = true;
    crashedURL_.clear();
    WebKitURIRequest* request = webkit_uri_request_new(url.c_str());
    if (Headers->GetKind() == Variant::Kind::Text)
        if (SoupMessageHeaders* headers = webkit_uri_request_get_http_headers(request))
            for (const auto& [name, value] : ParseRequestHeaders(Headers->AsText()))
                soup_message_headers_replace(headers, name.c_str(), value.c_str());
    if (downloadFlags_ & DLCTL_PRAGMA_NO_CACHE)
        if (SoupMessageHeaders* headers = webkit_uri_request_get_http_headers(request)) {
            soup_message_headers_replace(headers, "Pragma", "no-cache");
            soup_message_headers_replace(headers, "Cache-Control", "no-cache");
        }
    if (firstLoadStarted_) {
        WebKitLaunchQueue::Program().Cancel(view_);
        webkit_web_view_load_request(view_, request);
    } else {
        // The view's first load starts its web process: queue it with the other
        // new views' so that opening many pages never freezes the window.
        WebKitLaunchQueue::Program().Enqueue(view_, request, url);
    }
    firstLoadStarted_ = true;
    g_object_unref(request);
    return S_OK;
}

// --- properties ---

HRESULT WebKitBrowserControl::Invoke(DispId dispId, const Guid&, std::uint32_t, std::uint16_t flags,
                                     DispParams& params, Variant* varResult, ExcepInfo*, std::uint32_t*)
{
    if (flags & DISPATCH_PROPERTYPUT) {
        if (params.Count() != 1)
            return E_INVALIDARG;
        if (dispId == DISPID_BUSY || dispId == DISPID_LOCATIONURL || dispId == DISPID_DOCUMENT ||
            dispId == DISPID_APPLICATION)
            return DISP_E_MEMBERNOTFOUND;
        auto found = std::find_if(storedProperties_.begin(), storedProperties_.end(),
                                  [&](const auto& entry) { return entry.first == dispId; });
        if (found != storedProperties_.end())
            found->second = params.Arg(0);
        else
            storedProperties_.emplace_back(dispId, params.Arg(0));
        if (dispId == DISPID_VISIBLE)
            container_.set_visible(params.Arg(0).AsBool());
        return S_OK;
    }
    if (!(flags & DISPATCH_PROPERTYGET) || !varResult)
        return DISP_E_MEMBERNOTFOUND;
    switch (dispId) {
    case DISPID_BUSY:
        *varResult = WordBool(webkit_web_view_is_loading(view_) ||
                              WebKitLaunchQueue::Program().PendingURL(view_).has_value());
        return S_OK;
    case DISPID_LOCATIONURL: {
        // A queued first load is where the view is going, as the control reports
        // a navigation under way.
        if (auto pending = WebKitLaunchQueue::Program().PendingURL(view_)) {
            *varResult = *pending;
            return S_OK;
        }
        const char* uri = webkit_web_view_get_uri(view_);
        *varResult = std::string(uri ? uri : "");
        return S_OK;
    }
    case DISPID_APPLICATION: *varResult = Self(); return S_OK;
    case DISPID_DOCUMENT: {
        if (committedURL_.empty()) {
            *varResult = DispatchPtr();
            return S_OK;
        }
        std::weak_ptr<WebKitBrowserControl> weak = weak_from_this();
        auto document = std::make_shared<BrowserDocument>([weak] {
            auto self = weak.lock();
            return self ? self->currentEvent_ : nullptr;
        });
        document->AddProperty("URL", Variant(committedURL_));
        document->AddProperty("title", [weak] {
            auto self = weak.lock();
            const char* title = self ? webkit_web_view_get_title(self->view_) : nullptr;
            return Variant(std::string(title ? title : ""));
        });
        *varResult = DispatchPtr(document, static_cast<IHTMLDocument2*>(document.get()));
        return S_OK;
    }
    default: break;
    }
    auto found = std::find_if(storedProperties_.begin(), storedProperties_.end(),
                              [&](const auto& entry) { return entry.first == dispId; });
    if (found != storedProperties_.end())
        *varResult = found->second;
    else if (dispId == DISPID_VISIBLE || dispId == DISPID_REGISTERASDROPTARGET || dispId == DISPID_RESIZABLE)
        *varResult = WordBool(true);
    else
        *varResult = Variant();
    return S_OK;
}

bool WebKitBrowserControl::IsSilent() const
{
    if (downloadFlags_ & DLCTL_SILENT)
        return true;
    auto found = std::find_if(storedProperties_.begin(), storedProperties_.end(),
                              [](const auto& entry) { return entry.first == DISPID_SILENT; });
    return found != storedProperties_.end() && found->second.AsBool();
}

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
    DispParams args = Raise(DISPID_BEFORENAVIGATE2, {Self(), Variant(url), Variant(std::int32_t{0}), Variant(""),
                                                     Variant(), Variant(""), WordBool(false)});
    return !args.Arg(6).AsBool();
}

gboolean WebKitBrowserControl::OnDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision,
                                              WebKitPolicyDecisionType type, gpointer data)
{
    auto* self = static_cast<WebKitBrowserControl*>(data);
    gboolean handled = FALSE;
    RunGuarded([&] {
        if (self->internalPageLoads_ > 0)
            return;
        if (type == WEBKIT_POLICY_DECISION_TYPE_RESPONSE) {
            auto* response = WEBKIT_RESPONSE_POLICY_DECISION(decision);
            // An HTTP error answer is a navigation error, as on the original control;
            // not cancelled, the server's own error page is shown.
            WebKitURIResponse* answer = webkit_response_policy_decision_get_response(response);
            const guint status = webkit_uri_response_get_status_code(answer);
            if (status >= 400 && webkit_response_policy_decision_is_main_frame_main_resource(response)) {
                const char* uri = webkit_uri_response_get_uri(answer);
                DispParams args = self->Raise(DISPID_NAVIGATEERROR,
                                              {self->Self(), Variant(std::string(uri ? uri : "")), Variant(""),
                                               Variant(static_cast<std::int32_t>(status)), WordBool(false)});
                if (args.Arg(4).AsBool()) {
                    webkit_policy_decision_ignore(decision);
                    handled = TRUE;
                    return;
                }
            }
            if (webkit_response_policy_decision_is_mime_type_supported(response))
                return;
            DispParams args = self->Raise(DISPID_FILEDOWNLOAD, {WordBool(false)});
            if (args.Arg(0).AsBool())
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
        if (self->navigationApproved_ &&
            (navigationType == WEBKIT_NAVIGATION_TYPE_OTHER || navigationType == WEBKIT_NAVIGATION_TYPE_BACK_FORWARD)) {
            self->navigationApproved_ = false; // Navigate2, GoBack or GoForward asked already
            return;
        }
        const std::string url = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
        if (auto translated = self->TranslatedUrl(url)) {
            webkit_policy_decision_ignore(decision);
            self->translatedURL_ = *translated;
            webkit_web_view_load_uri(self->view_, translated->c_str());
            handled = TRUE;
            return;
        }
        if (!self->BeforeNavigate(url)) {
            webkit_policy_decision_ignore(decision);
            handled = TRUE;
            return;
        }
        if ((self->hostUIFlags_ & DOCHOSTUIFLAG_OPENNEWWIN) &&
            webkit_navigation_action_get_navigation_type(action) == WEBKIT_NAVIGATION_TYPE_LINK_CLICKED) {
            webkit_policy_decision_ignore(decision);
            self->OpenEngineWindowFor(action);
            handled = TRUE;
        }
    });
    return handled;
}

void WebKitBrowserControl::OnLoadChanged(WebKitWebView* view, WebKitLoadEvent event, gpointer data)
{
    auto* self = static_cast<WebKitBrowserControl*>(data);
    RunGuarded([&] {
        if (self->internalPageLoads_ > 0) {
            if (event == WEBKIT_LOAD_FINISHED)
                --self->internalPageLoads_;
            return;
        }
        const char* uri = webkit_web_view_get_uri(view);
        std::string url = uri ? uri : "";
        switch (event) {
        case WEBKIT_LOAD_STARTED:
            self->Raise(DISPID_DOWNLOADBEGIN, {});
            break;
        case WEBKIT_LOAD_COMMITTED: {
            self->committedURL_ = url;
            self->translatedURL_.clear();
            self->Raise(DISPID_NAVIGATECOMPLETE2, {self->Self(), Variant(url)});
            GTlsCertificate* certificate = nullptr;
            GTlsCertificateFlags errors{};
            bool secure = webkit_web_view_get_tls_info(view, &certificate, &errors) && errors == 0;
            self->Raise(DISPID_SETSECURELOCKICON,
                        {secure ? secureLockIconSecureUnknownBits : secureLockIconUnsecure});
            break;
        }
        case WEBKIT_LOAD_FINISHED:
            self->Raise(DISPID_DOWNLOADCOMPLETE, {});
            if (!self->committedURL_.empty())
                self->Raise(DISPID_DOCUMENTCOMPLETE, {self->Self(), Variant(self->committedURL_)});
            break;
        default: break;
        }
    });
}

gboolean WebKitBrowserControl::OnLoadFailed(WebKitWebView*, WebKitLoadEvent, gchar* uri, GError* error,
                                            gpointer data)
{
    auto* self = static_cast<WebKitBrowserControl*>(data);
    gboolean handled = FALSE;
    RunGuarded([&] {
        if (self->internalPageLoads_ > 0)
            return;
        if (g_error_matches(error, WEBKIT_NETWORK_ERROR, WEBKIT_NETWORK_ERROR_CANCELLED) ||
            g_error_matches(error, WEBKIT_POLICY_ERROR, WEBKIT_POLICY_ERROR_FRAME_LOAD_INTERRUPTED_BY_POLICY_CHANGE) ||
            g_error_matches(error, WEBKIT_PLUGIN_ERROR, WEBKIT_PLUGIN_ERROR_WILL_HANDLE_LOAD)) {
            handled = TRUE; // stopped or taken over: no error page
            return;
        }
        const std::string url = uri ? uri : "";
        std::int32_t status = error ? error->code : 0;
        DispParams args = self->Raise(DISPID_NAVIGATEERROR, {self->Self(), Variant(url), Variant(""),
                                                             Variant(status), WordBool(false)});
        handled = TRUE;
        if (!args.Arg(4).AsBool())
            self->ShowInternalPage(FailedLoadPage(url, error ? error->message : "Unknown error"), url);
    });
    return handled;
}

void WebKitBrowserControl::ShowInternalPage(const std::string& html, const std::string& baseUri)
{
    ++internalPageLoads_;
    webkit_web_view_load_alternate_html(view_, html.c_str(), baseUri.c_str(), nullptr);
}

void WebKitBrowserControl::OnTitle(WebKitWebView* view, GParamSpec*, gpointer data)
{
    auto* self = static_cast<WebKitBrowserControl*>(data);
    RunGuarded([&] {
        const char* title = webkit_web_view_get_title(view);
        self->Raise(DISPID_TITLECHANGE, {Variant(std::string(title ? title : ""))});
    });
}

void WebKitBrowserControl::OnProgress(WebKitWebView* view, GParamSpec*, gpointer data)
{
    auto* self = static_cast<WebKitBrowserControl*>(data);
    RunGuarded([&] {
        auto progress = static_cast<std::int32_t>(webkit_web_view_get_estimated_load_progress(view) * 10000);
        self->Raise(DISPID_PROGRESSCHANGE, {progress, std::int32_t{10000}});
    });
}

void WebKitBrowserControl::OnMouseTarget(WebKitWebView*, WebKitHitTestResult* hit, guint, gpointer data)
{
    auto* self = static_cast<WebKitBrowserControl*>(data);
    RunGuarded([&] {
        const char* link = webkit_hit_test_result_context_is_link(hit) ? webkit_hit_test_result_get_link_uri(hit)
                                                                         : nullptr;
        self->Raise(DISPID_STATUSTEXTCHANGE, {Variant(std::string(link ? link : ""))});
    });
}

void WebKitBrowserControl::RaiseCommandStates()
{
    Raise(DISPID_COMMANDSTATECHANGE, {CSC_NAVIGATEBACK, WordBool(webkit_web_view_can_go_back(view_) != FALSE)});
    Raise(DISPID_COMMANDSTATECHANGE,
          {CSC_NAVIGATEFORWARD, WordBool(webkit_web_view_can_go_forward(view_) != FALSE)});
}

void WebKitBrowserControl::OnHistoryChanged(WebKitBackForwardList*, WebKitBackForwardListItem*, gpointer,
                                            gpointer data)
{
    auto* self = static_cast<WebKitBrowserControl*>(data);
    RunGuarded([&] { self->RaiseCommandStates(); });
}

// --- new windows, closing ---

void WebKitBrowserControl::OpenEngineWindowFor(WebKitNavigationAction* action)
{
    const char* uri = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
    OpenEnginePopupWindow(view_, uri ? uri : "");
}

GtkWidget* WebKitBrowserControl::OnCreate(WebKitWebView* view, WebKitNavigationAction* action, gpointer data)
{
    auto* self = static_cast<WebKitBrowserControl*>(data);
    GtkWidget* created = nullptr;
    RunGuarded([&] {
        DispParams args = self->Raise(DISPID_NEWWINDOW2, {DispatchPtr(), WordBool(false)});
        if (args.Arg(1).AsBool())
            return; // cancelled
        const char* uri = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
        // The handler may hand over another browser to open the window in.
        auto other = QueryInterfacePtr<IWebBrowser2>(args.Arg(0).AsDispatch(), IID_IWebBrowser2);
        if (other) {
            Variant url(std::string(uri ? uri : "")), none1, none2, none3, none4;
            other->Navigate2(&url, &none1, &none2, &none3, &none4);
            return;
        }
        if (self->hostUIFlags_ & DOCHOSTUIFLAG_ENABLE_INPLACE_NAVIGATION) {
            webkit_web_view_load_uri(self->view_, uri ? uri : "about:blank");
            return;
        }
        created = CreateEnginePopupView(view);
    });
    return created;
}

void WebKitBrowserControl::OnClose(WebKitWebView*, gpointer data)
{
    auto* self = static_cast<WebKitBrowserControl*>(data);
    RunGuarded([&] { self->Raise(DISPID_WINDOWCLOSING, {WordBool(false), WordBool(false)}); });
}

// --- questions to the host ---

gboolean WebKitBrowserControl::OnScriptDialog(WebKitWebView*, WebKitScriptDialog* dialog, gpointer data)
{
    auto* self = static_cast<WebKitBrowserControl*>(data);
    gboolean handled = FALSE;
    RunGuarded([&] {
        auto kind = webkit_script_dialog_get_dialog_type(dialog);
        // A silent control shows no dialog at all: alerts pass, questions are declined.
        handled = self->IsSilent();
        if (kind != WEBKIT_SCRIPT_DIALOG_ALERT && kind != WEBKIT_SCRIPT_DIALOG_CONFIRM)
            return; // prompts and leave-page questions: the engine's own dialogs
        auto* showUI = self->Host<IDocHostShowUI>(IID_IDocHostShowUI);
        if (!showUI)
            return;
        std::uint32_t type = kind == WEBKIT_SCRIPT_DIALOG_ALERT ? (MB_OK | MB_ICONWARNING)
                                                                 : (MB_OKCANCEL | MB_ICONQUESTION);
        std::int32_t result = 0;
        const char* text = webkit_script_dialog_get_message(dialog);
        if (showUI->ShowMessage(self->view_, text ? text : "", "Message from webpage", type, "", 0, result) == S_OK) {
            if (kind == WEBKIT_SCRIPT_DIALOG_CONFIRM)
                webkit_script_dialog_confirm_set_confirmed(dialog, result == IDOK);
            handled = TRUE;
        }
    });
    return handled;
}

gboolean WebKitBrowserControl::OnContextMenu(WebKitWebView*, WebKitContextMenu*, GdkEvent* event,
                                             WebKitHitTestResult* hit, gpointer data)
{
    auto* self = static_cast<WebKitBrowserControl*>(data);
    gboolean suppressed = FALSE;
    RunGuarded([&] {
        auto* handler = self->Host<IDocHostUIHandler>(IID_IDocHostUIHandler);
        if (!handler)
            return;
        // The platform's menu kinds: default, image, control, table, selection, anchor.
        std::uint32_t kind = 0;
        if (webkit_hit_test_result_context_is_link(hit))
            kind = 5;
        else if (webkit_hit_test_result_context_is_image(hit))
            kind = 1;
        else if (webkit_hit_test_result_context_is_editable(hit))
            kind = 2;
        else if (webkit_hit_test_result_context_is_selection(hit))
            kind = 4;
        Point where;
        gdouble x = 0, y = 0;
        if (event && gdk_event_get_root_coords(event, &x, &y))
            where = {static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)};
        suppressed = handler->ShowContextMenu(kind, &where, nullptr, nullptr) == S_OK;
    });
    return suppressed;
}

void WebKitBrowserControl::OnWebProcessTerminated(WebKitWebView* view, WebKitWebProcessTerminationReason reason,
                                                  gpointer data)
{
    auto* self = static_cast<WebKitBrowserControl*>(data);
    RunGuarded([&] {
        const char* uri = webkit_web_view_get_uri(view);
        self->crashedURL_ = uri && *uri ? uri : self->committedURL_;
        const char* why = reason == WEBKIT_WEB_PROCESS_EXCEEDED_MEMORY_LIMIT ? "The page used too much memory."
                          : reason == WEBKIT_WEB_PROCESS_TERMINATED_BY_API ? "The page was stopped."
                                                                          : "The process showing the page ended unexpectedly.";
        self->internalPageLoads_ = 0;
        self->ShowInternalPage(CrashedPage(self->crashedURL_, why), self->crashedURL_);
        self->Raise(DISPID_DOWNLOADCOMPLETE, {});
    });
}

void WebKitBrowserControl::OnScriptMessage(WebKitUserContentManager*, WebKitJavascriptResult* message, gpointer data)
{
    auto* self = static_cast<WebKitBrowserControl*>(data);
    RunGuarded([&] {
        auto* target = self->Host<IOleCommandTarget>(IID_IOleCommandTarget);
        if (!target)
            return;
        JSCValue* value = webkit_javascript_result_get_js_value(message);
        auto field = [value](const char* name) {
            JSCValue* property = jsc_value_object_get_property(value, name);
            gchar* text = jsc_value_to_string(property);
            std::string result = text ? text : "";
            g_free(text);
            g_object_unref(property);
            return result;
        };
        auto event = std::make_shared<BrowserPropertyBag>();
        event->AddProperty("errorLine", Variant(field("line")));
        event->AddProperty("errorCharacter", Variant(field("character")));
        event->AddProperty("errorCode", Variant(field("code")));
        event->AddProperty("errorMessage", Variant(field("message")));
        event->AddProperty("errorUrl", Variant(field("url")));
        self->currentEvent_ = event;
        Variant continueScript;
        try {
            target->Exec(&CGID_DocHostCommandHandler, OLECMDID_SHOWSCRIPTERROR, 0, nullptr, &continueScript);
        } catch (...) {
            self->currentEvent_ = nullptr;
            throw;
        }
        self->currentEvent_ = nullptr;
    });
}

// --- the engine's own user interface ---

gboolean WebKitBrowserControl::OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer data)
{
    auto* self = static_cast<WebKitBrowserControl*>(data);
    gboolean consumed = FALSE;
    RunGuarded([&] {
        if (auto* handler = self->Host<IDocHostUIHandler>(IID_IDocHostUIHandler)) {
            Msg msg = KeyMessageFor(event, self->view_);
            if (msg.wParam != 0 && handler->TranslateAccelerator(&msg, nullptr, 0) == S_OK) {
                consumed = TRUE;
                return;
            }
        }
        consumed = self->HandleEngineKey(event);
    });
    return consumed;
}

bool WebKitBrowserControl::HandleEngineKey(GdkEventKey* event)
{
    switch (EngineKeyCommandFor(event)) {
    case EngineKeyCommand::Refresh: Refresh(); return true;
    case EngineKeyCommand::Back: GoBack(); return true;
    case EngineKeyCommand::Forward: GoForward(); return true;
    case EngineKeyCommand::Stop:
        if (findBar_->Close())
            return true;
        if (!webkit_web_view_is_loading(view_))
            return false;
        Stop();
        return true;
    case EngineKeyCommand::Find: findBar_->Open(); return true;
    case EngineKeyCommand::Print: Print(); return true;
    case EngineKeyCommand::ZoomIn: Zoom(kZoomStep); return true;
    case EngineKeyCommand::ZoomOut: Zoom(1 / kZoomStep); return true;
    case EngineKeyCommand::ZoomReset: webkit_web_view_set_zoom_level(view_, 1.0); return true;
    case EngineKeyCommand::None: break;
    }
    return false;
}

gboolean WebKitBrowserControl::OnScroll(GtkWidget*, GdkEventScroll* event, gpointer data)
{
    auto* self = static_cast<WebKitBrowserControl*>(data);
    if (!(event->state & GDK_CONTROL_MASK))
        return FALSE;
    RunGuarded([&] {
        double dy = 0;
        if (event->direction == GDK_SCROLL_UP)
            dy = -1;
        else if (event->direction == GDK_SCROLL_DOWN)
            dy = 1;
        else if (event->direction == GDK_SCROLL_SMOOTH)
            dy = event->delta_y;
        if (dy < 0)
            self->Zoom(kZoomStep);
        else if (dy > 0)
            self->Zoom(1 / kZoomStep);
    });
    return TRUE;
}

void WebKitBrowserControl::Zoom(double factor)
{
    double level = std::clamp(webkit_web_view_get_zoom_level(view_) * factor, kZoomMin, kZoomMax);
    webkit_web_view_set_zoom_level(view_, level);
}

void WebKitBrowserControl::Print()
{
    WebKitPrintOperation* operation = webkit_print_operation_new(view_);
    GtkWidget* toplevel = gtk_widget_get_toplevel(GTK_WIDGET(view_));
    webkit_print_operation_run_dialog(operation, GTK_IS_WINDOW(toplevel) ? GTK_WINDOW(toplevel) : nullptr);
    g_object_unref(operation);
}

} // namespace

std::shared_ptr<IUnknown> CreateWebKitBrowserControl()
{
    return std::make_shared<WebKitBrowserControl>();
}

void RegisterWebKitEngine()
{
    RegisterControlClass(CLSID_WebBrowser, [] { return CreateWebKitBrowserControl(); });
}

} // namespace platform
