#include "WebKitBrowserControl.h"

#include "BrowserControlFactory.h"
#include "BrowserDispIds.h"
#include "BrowserControlQuery.h"
#include "BrowserInterfaceIds.h"
#include "BrowserPropertyBag.h"
#include "BrowserRequestHeaders.h"
#include "BrowserUserAgentToken.h"
#include "WebKitKeyBindingView.h"
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

// A view in context with a content manager of its own.
GObjectPtr<WebKitWebView> NewView(WebKitWebContext* context)
{
    const auto content = GObjectPtr<WebKitUserContentManager>::Adopt(webkit_user_content_manager_new());
    return GObjectPtr<WebKitWebView>::Adopt(WEBKIT_WEB_VIEW(
        g_object_new(WEBKIT_TYPE_WEB_VIEW, "web-context", context, "user-content-manager", content.get(), nullptr)));
}

} // namespace

WebKitBrowserControl::WebKitBrowserControl(std::weak_ptr<WebKitEngine> engine, WebKitWebContext* context,
                                           const std::vector<std::string>& userAgentTokens)
    : engine_(std::move(engine)), view_(NewView(context))
{
    webkit_user_content_manager_register_script_message_handler(
        webkit_web_view_get_user_content_manager(view_.get()), kScriptErrorHandlerName);
    // Tokens that hosts registered are appended to the engine's user agent.
    WebKitSettings* settings = webkit_web_view_get_settings(view_.get());
    if (!userAgentTokens.empty())
        webkit_settings_set_user_agent(
            settings, UserAgentWithTokens(webkit_settings_get_user_agent(settings), userAgentTokens).c_str());

    frame_.set_shadow_type(Gtk::SHADOW_IN);
    gtk_container_add(GTK_CONTAINER(frame_.gobj()), GTK_WIDGET(view_.get()));
    gtk_widget_show(GTK_WIDGET(view_.get()));
    container_.pack_start(frame_, Gtk::PACK_EXPAND_WIDGET);
    container_.show_all();

    ApplyHostAnswers();
    ConnectSignals();
}

WebKitBrowserControl::~WebKitBrowserControl()
{
    Close();
    DestroyKeyBindingTextView(view_.get());
}

void WebKitBrowserControl::Connect(gpointer instance, const char* signal, GCallback callback)
{
    connections_.emplace_back(instance, g_signal_connect(instance, signal, callback, this));
}

void WebKitBrowserControl::ConnectSignals()
{
    WebKitWebView* view = view_.get();
    Connect(view, "decide-policy", G_CALLBACK(OnDecidePolicy));
    Connect(view, "load-changed", G_CALLBACK(OnLoadChanged));
    Connect(view, "load-failed", G_CALLBACK(OnLoadFailed));
    Connect(view, "load-failed-with-tls-errors", G_CALLBACK(OnTlsErrors));
    Connect(view, "notify::title", G_CALLBACK(OnTitle));
    Connect(view, "notify::estimated-load-progress", G_CALLBACK(OnProgress));
    Connect(view, "mouse-target-changed", G_CALLBACK(OnMouseTarget));
    Connect(view, "create", G_CALLBACK(OnCreate));
    Connect(view, "close", G_CALLBACK(OnClose));
    Connect(view, "script-dialog", G_CALLBACK(OnScriptDialog));
    Connect(view, "context-menu", G_CALLBACK(OnContextMenu));
    Connect(view, "web-process-terminated", G_CALLBACK(OnWebProcessTerminated));
    Connect(view, "key-press-event", G_CALLBACK(OnKeyPress));
    Connect(view, "scroll-event", G_CALLBACK(OnScroll));
    Connect(webkit_web_view_get_back_forward_list(view), "changed", G_CALLBACK(OnHistoryChanged));
    Connect(webkit_web_view_get_user_content_manager(view), kScriptErrorSignal, G_CALLBACK(OnScriptMessage));
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
    WebKitLaunchQueue::Program().Cancel(view_.get());
    webkit_web_view_stop_loading(view_.get());
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
    WebKitSettings* settings = webkit_web_view_get_settings(view_.get());
    for (const EngineSettingValue& entry : EngineSettingsFor(downloadFlags_, hostUIFlags_))
        g_object_set(settings, entry.setting.c_str(), entry.value ? TRUE : FALSE, nullptr);
    WebKitUserContentManager* content = webkit_web_view_get_user_content_manager(view_.get());
    webkit_user_content_manager_remove_all_style_sheets(content);
    webkit_user_content_manager_remove_all_scripts(content);
    const std::string css = EngineStyleSheetFor(hostUIFlags_);
    if (!css.empty()) {
        const GOwnedPtr<WebKitUserStyleSheet, webkit_user_style_sheet_unref> sheet(
            webkit_user_style_sheet_new(css.c_str(), WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES,
                                        WEBKIT_USER_STYLE_LEVEL_USER, nullptr, nullptr));
        webkit_user_content_manager_add_style_sheet(content, sheet.get());
    }
    const GOwnedPtr<WebKitUserScript, webkit_user_script_unref> script(
        webkit_user_script_new(kScriptErrorReporter, WEBKIT_USER_CONTENT_INJECT_ALL_FRAMES,
                               WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, nullptr, nullptr));
    webkit_user_content_manager_add_script(content, script.get());
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
    return GoTo(webkit_back_forward_list_get_back_item(webkit_web_view_get_back_forward_list(view_.get())));
}

HRESULT WebKitBrowserControl::GoForward()
{
    if (events_.IsClosed())
        return E_UNEXPECTED;
    return GoTo(webkit_back_forward_list_get_forward_item(webkit_web_view_get_back_forward_list(view_.get())));
}

// Goes to an entry of the view's history once the host has approved it.
HRESULT WebKitBrowserControl::GoTo(WebKitBackForwardListItem* entry)
{
    if (!entry)
        return E_FAIL;
    const auto item = GObjectPtr<WebKitBackForwardListItem>::Ref(entry);
    const std::string url = webkit_back_forward_list_item_get_uri(entry);
    auto keep = shared_from_this(); // the host may close the page from BeforeNavigate2
    if (!BeforeNavigate(url) || events_.IsClosed())
        return S_OK;
    approvedURL_ = url;
    webkit_web_view_go_to_back_forward_list_item(view_.get(), item.get());
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
        webkit_web_view_load_uri(view_.get(), url.c_str());
    } else if (downloadFlags_ & (DLCTL_PRAGMA_NO_CACHE | DLCTL_RESYNCHRONIZE)) {
        webkit_web_view_reload_bypass_cache(view_.get());
    } else {
        webkit_web_view_reload(view_.get());
    }
    return S_OK;
}

HRESULT WebKitBrowserControl::Stop()
{
    if (events_.IsClosed())
        return E_UNEXPECTED;
    approvedURL_.reset();
    WebKitLaunchQueue::Program().Cancel(view_.get());
    webkit_web_view_stop_loading(view_.get());
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
    // BeforeNavigate2 is raised, and may cancel, before Navigate2 returns.
    auto keep = shared_from_this(); // the host may close the page from BeforeNavigate2
    if (!BeforeNavigate(url) || events_.IsClosed())
        return S_OK;
    crashedURL_.clear();
    const auto request = GObjectPtr<WebKitURIRequest>::Adopt(webkit_uri_request_new(url.c_str()));
    // Only this request skips the second BeforeNavigate2; a URL the view never
    // loads (javascript:, an unknown scheme) leaves nothing for the page to use.
    approvedURL_ = webkit_uri_request_get_uri(request.get());
    if (Headers->GetKind() == Variant::Kind::Text)
        if (SoupMessageHeaders* headers = webkit_uri_request_get_http_headers(request.get()))
            for (const auto& [name, value] : ParseRequestHeaders(Headers->AsText()))
                soup_message_headers_replace(headers, name.c_str(), value.c_str());
    if (downloadFlags_ & DLCTL_PRAGMA_NO_CACHE)
        if (SoupMessageHeaders* headers = webkit_uri_request_get_http_headers(request.get())) {
            soup_message_headers_replace(headers, "Pragma", "no-cache");
            soup_message_headers_replace(headers, "Cache-Control", "no-cache");
        }
    if (firstLoadStarted_) {
        WebKitLaunchQueue::Program().Cancel(view_.get());
        webkit_web_view_load_request(view_.get(), request.get());
    } else {
        // The view's first load starts its web process: queue it with the other
        // new views' so that opening many pages never freezes the window.
        WebKitLaunchQueue::Program().Enqueue(view_.get(), request.get(), url);
    }
    firstLoadStarted_ = true;
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
        *varResult = WordBool(webkit_web_view_is_loading(view_.get()) ||
                              WebKitLaunchQueue::Program().PendingURL(view_.get()).has_value());
        return S_OK;
    case DISPID_LOCATIONURL: {
        // A queued first load is where the view is going: the address of a
        // navigation under way.
        if (auto pending = WebKitLaunchQueue::Program().PendingURL(view_.get())) {
            *varResult = *pending;
            return S_OK;
        }
        const char* uri = webkit_web_view_get_uri(view_.get());
        *varResult = std::string(uri ? uri : "");
        return S_OK;
    }
    case DISPID_APPLICATION: *varResult = Self(); return S_OK;
    case DISPID_PANDREL_SESSIONSTATE: *varResult = SaveWebKitSessionState(view_.get()); return S_OK;
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
            const char* title = self ? webkit_web_view_get_title(self->view_.get()) : nullptr;
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
    const auto target = WebKitLaunchQueue::Program().PendingURL(view_.get());
    if (!target)
        return E_UNEXPECTED;
    auto session = LoadWebKitSessionState(params.Arg(0).AsBytes());
    if (!session)
        return E_INVALIDARG;
    WebKitLaunchQueue::Program().Cancel(view_.get());
    RestoreWebKitSessionState(view_.get(), session.get(), *target);
    return S_OK;
}

bool WebKitBrowserControl::IsSilent() const
{
    if (downloadFlags_ & DLCTL_SILENT)
        return true;
    auto silent = properties_.Find(DISPID_SILENT);
    return silent && silent->AsBool();
}

} // namespace platform
