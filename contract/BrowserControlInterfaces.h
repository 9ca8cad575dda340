#pragma once
// The interfaces a browser control offers its host: the automation interface
// IWebBrowser2, the OLE plumbing the host uses to site, activate and close it,
// its event connection, and the document objects it hands out.
#include "BrowserCom.h"
#include "BrowserHostInterfaces.h"

#include <gtkmm/widget.h>

namespace platform {

// The control's event interface: every event is one call with its dispatch
// identifier and arguments (last first); by-reference slots are read back
// after the call returns.
class IBrowserEventSink {
public:
    virtual ~IBrowserEventSink() = default;
    virtual void Invoke(DispId dispId, DispParams& params) = 0;
};

// The host's client site: asked for host interfaces by identifier.
class IOleClientSite : public virtual IUnknown {};

// Creation, siting, activation and closing of a control.
class IOleObject : public virtual IUnknown {
public:
    virtual void SetClientSite(IOleClientSite* site) = 0;
    // Connects the event interface (nullptr disconnects).
    virtual void Advise(IBrowserEventSink* sink) = 0;
    // In-place activation: the widget the host puts into its own window.
    virtual Gtk::Widget& InPlaceWidget() = 0;
    // Stops all work; no event is raised after Close.
    virtual void Close() = 0;
};

// The automation interface: the operations and, through IDispatch.Invoke,
// the properties by dispatch identifier.
class IWebBrowser2 : public virtual IDispatch {
public:
    virtual HRESULT GoBack() = 0;
    virtual HRESULT GoForward() = 0;
    virtual HRESULT Refresh() = 0;
    virtual HRESULT Stop() = 0;
    virtual HRESULT Navigate2(Variant* URL, Variant* Flags, Variant* TargetFrameName, Variant* PostData,
                              Variant* Headers) = 0;
};

class IOleControl : public virtual IUnknown {
public:
    virtual HRESULT OnAmbientPropertyChange(DispId dispId) = 0;
};

class IOleInPlaceActiveObject : public virtual IUnknown {
public:
    // S_OK when the control consumed the key.
    virtual HRESULT TranslateAccelerator(const Msg* lpmsg) = 0;
};

class IHTMLWindow2 : public virtual IDispatch {
public:
    // The event being handled (for a script error: its error* properties), or nullptr.
    virtual HRESULT get_event(DispatchPtr& p) = 0;
};

class IHTMLDocument2 : public virtual IDispatch {
public:
    virtual HRESULT get_parentWindow(std::shared_ptr<IHTMLWindow2>& p) = 0;
};

} // namespace platform
