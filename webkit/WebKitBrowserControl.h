#pragma once
// The browser control of the WebKit engine: a WebKitWebView behind the
// contract's interfaces. Internal to the engine (this header is the one in
// webkit/ that includes WebKit, so no other layer can use it); hosts create
// the control through the control factory (RegisterWebKitEngine in WebKitEngine.h).
//
// Its code reads in five parts: WebKitBrowserControl.cpp (lifetime, signal
// wiring, operations and properties), WebKitBrowserControlPolicy.cpp (the
// navigation policy of its view and of the windows its page opened, links to
// other programs, new windows), WebKitBrowserControlNavigation.cpp (load events),
// WebKitBrowserControlHostUI.cpp (questions to the host, the engine's own UI)
// and WebKitBrowserControlCertificates.cpp (refused certificates).
#include "BrowserControlInterfaces.h"
#include "BrowserEventSource.h"
#include "BrowserPublishedProperties.h"
#include "ErrorReport.h"
#include "GObjectPtr.h"
#include "WebKitEngine.h"
#include "WebKitPageGuard.h"
#include "WebKitPopupWindows.h"
#include "WebKitRefusedCertificate.h"
#include "WebKitSettingsTable.h"
#include "WebKitViewTools.h"

#include <gtkmm/box.h>
#include <gtkmm/frame.h>
#include <webkit2/webkit2.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class WebKitBrowserControl : public IOleObject,
                             public IWebBrowser2,
                             public IOleControl,
                             public IOleInPlaceActiveObject,
                             public std::enable_shared_from_this<WebKitBrowserControl> {
public:
    // A view in context whose user agent carries userAgentTokens; the windows
    // its pages open belong to engine.
    WebKitBrowserControl(std::weak_ptr<WebKitEngine> engine, WebKitWebContext* context,
                         const std::vector<std::string>& userAgentTokens = {});
    ~WebKitBrowserControl() override;

    IUnknown* QueryInterface(const Guid& iid) override;
    void SetClientSite(IOleClientSite* site) override;
    void Advise(IBrowserEventSink* sink) override { events_.Advise(sink); }
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
    static gboolean OnTlsErrors(WebKitWebView*, gchar*, GTlsCertificate*, GTlsCertificateFlags, gpointer);
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

    // The control behind a signal's user data, held for the whole callback so a
    // host that closes the page from an event cannot free it under the callback;
    // empty once the control is closed. The last reference, when the host has
    // let go, is released from an idle callback, outside WebKit's emission.
    class Held {
    public:
        explicit Held(gpointer data);
        explicit Held(std::shared_ptr<WebKitBrowserControl> control) : control_(std::move(control)) {}
        ~Held();
        Held(const Held&) = delete;
        Held& operator=(const Held&) = delete;
        explicit operator bool() const { return control_ && !control_->events_.IsClosed(); }
        WebKitBrowserControl* operator->() const { return control_.get(); }

    private:
        std::shared_ptr<WebKitBrowserControl> control_;
    };
    // Runs fn(self) behind the error report unless the control behind data is closed.
    template <typename Fn>
    static void WhileOpen(gpointer data, Fn&& fn)
    {
        Held self(data);
        RunGuarded([&] {
            if (self)
                fn(self);
        });
    }

    // --- the contract's events and host questions ---
    DispatchPtr Self();
    HRESULT GoTo(WebKitBackForwardListItem* item);
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
    void ShowErrorPage(const std::string& html, const std::string& failedUrl);
    bool HandleEngineKey(GdkEventKey* event);
    DispatchPtr BrowserOf(WebKitWebView* view);
    bool Decide(WebKitWebView* view, WebKitPolicyDecision* decision, WebKitPolicyDecisionType type);
    bool DecideResponse(WebKitWebView* view, WebKitResponsePolicyDecision* response);
    WebKitOpenerPolicy OpenerPolicy();
    GtkWidget* CreateWindowFor(WebKitWebView* view, WebKitNavigationAction* action);
    void OpenEngineWindowFor(WebKitNavigationAction* action);
    bool IsSilent() const;
    HRESULT PutSessionState(const DispParams& params);
    void AcceptCertificateIfAsked(WebKitNavigationAction* action, const std::string& url);
    bool HandOverToDesktop(WebKitWebView* view, WebKitNavigationAction* action, const std::string& url,
                           bool askedByHost);

    IOleClientSite* site_ = nullptr;
    BrowserEventSource events_;
    Gtk::Box container_{Gtk::ORIENTATION_VERTICAL};
    std::weak_ptr<WebKitEngine> engine_; // owns the windows this page opens
    GObjectPtr<WebKitWebView> view_;
    Gtk::Frame frame_;
    WebKitViewTools tools_{view_.get(), container_}; // its find bar goes before the frame lets the view go
    // What the page may do only from the user's gestures; its bars above the frame.
    WebKitPageGuard guard_{view_.get(), container_};
    std::vector<std::pair<gpointer, gulong>> connections_;
    BrowserPublishedProperties properties_;
    std::string committedURL_;
    std::string crashedURL_;
    std::string translatedURL_;
    std::uint32_t downloadFlags_ = DLCTL_DLIMAGES | DLCTL_VIDEOS | DLCTL_BGSOUNDS;
    std::uint32_t hostUIFlags_ = 0;
    int internalPageLoads_ = 0;
    // A load that failed or was stopped: WebKit ends it with "load finished",
    // which then completes no document.
    enum class EndingLoad { Failed, Stopped };
    std::optional<EndingLoad> endingLoad_;
    // The one request that Navigate2, GoBack or GoForward raised BeforeNavigate2
    // for; cleared when that load is decided, starts, fails or is replaced.
    std::optional<std::string> approvedURL_;
    bool firstLoadStarted_ = false;   // later loads go straight to the view
    DispatchPtr currentEvent_;
    // The certificate the page on show refused, until accepted or left.
    std::optional<WebKitRefusedCertificate> refusedCertificate_;
};

} // namespace platform
