#pragma once
// TBrowserControl: the typed wrapper of the embeddable web-browser control.
//
// It is a Gtk widget (a box holding the control's own widget) that creates
// the control registered for CLSID_WebBrowser, acts as its client site,
// receives its events and offers the automation operations the program uses.
//
//   Operations  GoBack, GoForward, Refresh, Stop, Navigate2 (five variants by
//               reference: URL, Flags, TargetFrameName, PostData, Headers).
//               A failing call raises platform::EOleException; HResult() gives
//               the control's HRESULT (e.g. GoBack with no history).
//   Properties  Busy(), LocationURL(), Document() (read "URL" from it with
//               platform::GetPropertyByName), Application(), and the published
//               Visible/SetVisible, all forwarded to the control by dispatch
//               identifier; GetProperty/SetProperty reach the other published
//               properties (DISPID_SILENT ...). A rejected access raises.
//   Events      32 handler fields (OnStatusTextChange ... OnPrivacyImpactedStateChange)
//               in the order of the control's event table; assign a
//               std::function to take an event, leave it empty to ignore it.
//               An exception escaping a handler goes to the default error
//               report and never reaches the control.
#include "BrowserControlInterfaces.h"
#include "BrowserDispIds.h"
#include "SiteData.h"
#include "TBrowserControlEvents.h"

#include <gtkmm/box.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

// The control-description record the generic control host works from.
struct TControlData {
    platform::Guid ClassID;
    platform::Guid EventIID;
    std::uint32_t EventCount;
    const platform::DispId* EventDispIDs;
    std::uint32_t Flags;
    std::uint32_t Version;
    std::uint32_t FirstEventSlot; // position of the first handler property
};

class TBrowserControl : public Gtk::Box, public platform::IOleClientSite {
public:
    static constexpr std::size_t kEventCount = 32;
    // The control's event dispatch identifiers in handler-slot order.
    static const std::array<platform::DispId, kEventCount> kEventDispIDs;
    // Filled once per instance; the same values for every instance.
    const TControlData& ControlData() const { return FControlData; }

    // Creates the control, whose pages use siteData (cookies, storage, caches).
    explicit TBrowserControl(const platform::SiteData& siteData = platform::SiteData::Shared());
    ~TBrowserControl() override;
    TBrowserControl(const TBrowserControl&) = delete;
    TBrowserControl& operator=(const TBrowserControl&) = delete;

    // --- operations ---
    void GoBack();
    void GoForward();
    void Refresh();
    void Stop();
    void Navigate2(Variant& URL, Variant& Flags, Variant& TargetFrameName, Variant& PostData, Variant& Headers);

    // --- run-time properties ---
    platform::DispatchPtr Application();
    platform::DispatchPtr Document();
    std::string LocationURL();
    bool Busy();
    // The engine's back/forward list as opaque bytes (DISPID_PANDREL_SESSIONSTATE).
    platform::ByteArray SessionState();
    // Raises EOleException when the control refuses the bytes.
    void SetSessionState(const platform::ByteArray& state);

    // --- published properties (forwarded, never stored here) ---
    bool Visible();
    void SetVisible(bool value);
    bool TabStop = true;

    // --- property access by dispatch identifier (raises on failure) ---
    Variant GetProperty(platform::DispId dispId);
    void SetProperty(platform::DispId dispId, const Variant& value);

    // The control's IWebBrowser2, fetched on first use and kept.
    platform::IWebBrowser2& DefaultInterface();
    // The control instance (tests reach the scripted engine through it).
    const std::shared_ptr<platform::IUnknown>& ControlInstance() const { return FControl; }

    // --- events, in the order of the event table ---
    TBrowserControlStatusTextChange OnStatusTextChange;
    TBrowserControlProgressChange OnProgressChange;
    TBrowserControlCommandStateChange OnCommandStateChange;
    TNotifyEvent OnDownloadBegin;
    TNotifyEvent OnDownloadComplete;
    TBrowserControlTitleChange OnTitleChange;
    TBrowserControlPropertyChange OnPropertyChange;
    TBrowserControlBeforeNavigate2 OnBeforeNavigate2;
    TBrowserControlNewWindow2 OnNewWindow2;
    TBrowserControlNavigateComplete2 OnNavigateComplete2;
    TBrowserControlDocumentComplete OnDocumentComplete;
    TNotifyEvent OnQuit;
    TBrowserControlOnVisible OnVisible;
    TBrowserControlOnToolBar OnToolBar;
    TBrowserControlOnMenuBar OnMenuBar;
    TBrowserControlOnStatusBar OnStatusBar;
    TBrowserControlOnFullScreen OnFullScreen;
    TBrowserControlOnTheaterMode OnTheaterMode;
    TBrowserControlWindowSetResizable OnWindowSetResizable;
    TBrowserControlWindowSetLeft OnWindowSetLeft;
    TBrowserControlWindowSetTop OnWindowSetTop;
    TBrowserControlWindowSetWidth OnWindowSetWidth;
    TBrowserControlWindowSetHeight OnWindowSetHeight;
    TBrowserControlWindowClosing OnWindowClosing;
    TBrowserControlClientToHostWindow OnClientToHostWindow;
    TBrowserControlSetSecureLockIcon OnSetSecureLockIcon;
    TBrowserControlFileDownload OnFileDownload;
    TBrowserControlNavigateError OnNavigateError;
    TBrowserControlPrintTemplateInstantiation OnPrintTemplateInstantiation;
    TBrowserControlPrintTemplateTeardown OnPrintTemplateTeardown;
    TBrowserControlUpdatePageStatus OnUpdatePageStatus;
    TBrowserControlPrivacyImpactedStateChange OnPrivacyImpactedStateChange;

    // The control's event entry point: looks dispId up in the event table and
    // calls the handler at that position if assigned (unknown identifiers and
    // unassigned handlers are ignored).
    void InvokeEvent(platform::DispId dispId, platform::DispParams& params);

    // Client site: the generic host's own interfaces.
    platform::IUnknown* QueryInterface(const platform::Guid& iid) override;

    // Tells the control that one of the site's ambient properties changed
    // (OnAmbientPropertyChange of its Application's IOleControl). Raises when
    // Application cannot be read or does not offer IOleControl.
    void AmbientPropertyChanged(platform::DispId dispId);

private:
    class EventSink;
    // Connects site and events and puts the control's widget in place (once).
    void CreateControl();

    TControlData FControlData;
    std::shared_ptr<platform::IUnknown> FControl;
    std::shared_ptr<platform::IWebBrowser2> FDefaultInterface;
    std::unique_ptr<EventSink> FEventSink;
    bool FControlCreated = false;
};
