#include "WebKitBrowserControl.h"

#include "BrowserControlFactory.h"
#include "BrowserDispIds.h"
#include "BrowserControlQuery.h"
#include "BrowserInterfaceIds.h"
#include "BrowserPropertyBag.h"
#include "BrowserRequestHeaders.h"
#include "BrowserUserAgentToken.h"
#include "WebKitEngine.h"
#include "WebKitEngineContext.h"
#include "WebKitLaunchQueue.h"
#include "WebKitSessionState.h"

#include <gtkmm.h>

namespace platform {
namespace {


constexpr const char* kScriptErrorHandlerName = "pandrelScriptError";
constexpr const char* kScriptErrorSignal = "script-message-received::pandrelScriptError";
// Reports uncaught script errors of the page to the engine.
constexpr const char* kScriptErrorReporter =
    "window.addEventListener('error', function (e) {"
    "  try { window.webkit.messageHandlers.pandrelScriptError.postMessage({"
    "    line: String(e.lineno || 0), character: String(e.colno || 0), code: '0',"
    "    message: String(e.message || ''), url: String(e.filename || '') }); } catch (x) {}"
    "});";

} // namespace

WebKitBrowserControl::WebKitBrowserControl(WebKitOpenAsPage openAsPage) : openAsPage_(std::move(openAsPage))
{
    WebKitUserContentManager* content = webkit_user_content_manager_new();
    view_ = WEBKIT_WEB_VIEW(g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", SharedWebKitContext(),
                                         "user-content-manager", content, nullptr));
    g_object_unref(content);
    g_object_ref_sink(view_);
    windowGate_ = std::make_unique<WebKitWindowGate>(view_);
    webkit_user_content_manager_register_script_message_handler(content, kScriptErrorHandlerName);
    // Tokens that hosts registered are appended to the engine's user agent.
    WebKitSettings* settings = webkit_web_view_get_settings(view_);
    if (auto tokens = UserAgentTokens(); !tokens.empty())
        webkit_settings_set_user_agent(settings,
                                       UserAgentWithTokens(webkit_settings_get_user_agent(settings), tokens).c_str());

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
    Connect(view_, "load-failed-with-tls-errors", G_CALLBACK(OnTlsErrors));
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
            kScriptErrorSignal,
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
    if (events_.IsClosed())
        return;
    events_.Close();
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

WebKitBrowserControl::Held::Held(gpointer data)
    : control_(static_cast<WebKitBrowserControl*>(data)->weak_from_this().lock())
{
}

WebKitBrowserControl::Held::~Held()
{
    if (control_ && control_.use_count() == 1)
        Glib::signal_idle().connect_once([last = std::move(control_)] {});
}

DispatchPtr WebKitBrowserControl::Self()
{
    return std::shared_ptr<IDispatch>(shared_from_this(), static_cast<IWebBrowser2*>(this));
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
    if (events_.IsClosed())
        return E_UNEXPECTED;
    WebKitBackForwardList* history = webkit_web_view_get_back_forward_list(view_);
    WebKitBackForwardListItem* item = webkit_back_forward_list_get_back_item(history);
    if (!item)
        return E_FAIL;
    const std::string url = webkit_back_forward_list_item_get_uri(item);
    auto keep = shared_from_this(); // the host may close the page from BeforeNavigate2
    if (!BeforeNavigate(url) || events_.IsClosed())
        return S_OK;
    approvedURL_ = url;
    webkit_web_view_go_back(view_);
    return S_OK;
}

HRESULT WebKitBrowserControl::GoForward()
{
    if (events_.IsClosed())
        return E_UNEXPECTED;
    WebKitBackForwardList* history = webkit_web_view_get_back_forward_list(view_);
    WebKitBackForwardListItem* item = webkit_back_forward_list_get_forward_item(history);
    if (!item)
        return E_FAIL;
    const std::string url = webkit_back_forward_list_item_get_uri(item);
    auto keep = shared_from_this(); // the host may close the page from BeforeNavigate2
    if (!BeforeNavigate(url) || events_.IsClosed())
        return S_OK;
    approvedURL_ = url;
    webkit_web_view_go_forward(view_);
    return S_OK;
}

HRESULT WebKitBrowserControl::Refresh()
{
    if (events_.IsClosed())
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
    if (events_.IsClosed())
        return E_UNEXPECTED;
    approvedURL_.reset();
    WebKitLaunchQueue::Program().Cancel(view_);
    webkit_web_view_stop_loading(view_);
    return S_OK;
}

HRESULT WebKitBrowserControl::Navigate2(Variant* URL, Variant* Flags, Variant* TargetFrameName, Variant* PostData,
                                        Variant* Headers)
{
    if (events_.IsClosed())
        return E_UNEXPECTED;
    if (!URL || !Flags || !TargetFrameName || !PostData || !Headers)
        return E_POINTER;
    if (URL->GetKind() != Variant::Kind::Text)
        return E_INVALIDARG; // item lists name shell folders, which this engine cannot show
    // The address is loaded as it is given: the host has read it already.
    std::string url = URL->AsText();
    if (url.empty())
        return E_INVALIDARG;
    if (auto translated = TranslatedUrl(url)) {
        url = *translated;
        translatedURL_ = url;
    }
    // As on the original control, BeforeNavigate2 comes before Navigate2 returns.
    auto keep = shared_from_this(); // the host may close the page from BeforeNavigate2
    if (!BeforeNavigate(url) || events_.IsClosed())
        return S_OK;
    crashedURL_.clear();
    WebKitURIRequest* request = webkit_uri_request_new(url.c_str());
    // Only this request skips the second BeforeNavigate2; a URL the view never
    // loads (javascript:, an unknown scheme) leaves nothing for the page to use.
    approvedURL_ = webkit_uri_request_get_uri(request);
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
    if ((flags & DISPATCH_PROPERTYPUT) && dispId == DISPID_PANDREL_SESSIONSTATE)
        return PutSessionState(params);
    if (flags & DISPATCH_PROPERTYPUT) {
        const HRESULT hr = properties_.Put(dispId, params);
        if (hr == S_OK && dispId == DISPID_VISIBLE)
            container_.set_visible(params.Arg(0).AsBool());
        return hr;
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
    case DISPID_PANDREL_SESSIONSTATE: *varResult = SaveWebKitSessionState(view_); return S_OK;
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
    *varResult = properties_.Get(dispId);
    return S_OK;
}

HRESULT WebKitBrowserControl::PutSessionState(const DispParams& params)
{
    if (params.Count() != 1 || params.Arg(0).GetKind() != Variant::Kind::Bytes)
        return E_INVALIDARG;
    // Only a view whose first load still waits in the queue can take a history;
    // that load is where the view was sent.
    const auto target = WebKitLaunchQueue::Program().PendingURL(view_);
    if (!target)
        return E_UNEXPECTED;
    auto session = LoadWebKitSessionState(params.Arg(0).AsBytes());
    if (!session)
        return E_INVALIDARG;
    WebKitLaunchQueue::Program().Cancel(view_);
    RestoreWebKitSessionState(view_, session.get(), *target);
    return S_OK;
}

bool WebKitBrowserControl::IsSilent() const
{
    if (downloadFlags_ & DLCTL_SILENT)
        return true;
    auto silent = properties_.Find(DISPID_SILENT);
    return silent && silent->AsBool();
}

std::shared_ptr<IUnknown> CreateWebKitBrowserControl(WebKitOpenAsPage openAsPage)
{
    return std::make_shared<WebKitBrowserControl>(std::move(openAsPage));
}

void RegisterWebKitEngine(WebKitOpenAsPage openAsPage)
{
    StartWebKitSandboxProbe();
    RegisterControlClass(CLSID_WebBrowser,
                         [openAsPage = std::move(openAsPage)] { return CreateWebKitBrowserControl(openAsPage); });
}

} // namespace platform
