#include "TBrowserControl.h"

#include "BrowserControlFactory.h"
#include "BrowserInterfaceIds.h"
#include "DispatchProperty.h"
#include "EOleException.h"
#include "ErrorReport.h"

using namespace platform;

const std::array<DispId, TBrowserControl::kEventCount> TBrowserControl::kEventDispIDs = {
    DISPID_STATUSTEXTCHANGE, DISPID_PROGRESSCHANGE, DISPID_COMMANDSTATECHANGE, DISPID_DOWNLOADBEGIN,
    DISPID_DOWNLOADCOMPLETE, DISPID_TITLECHANGE, DISPID_PROPERTYCHANGE, DISPID_BEFORENAVIGATE2,
    DISPID_NEWWINDOW2, DISPID_NAVIGATECOMPLETE2, DISPID_DOCUMENTCOMPLETE, DISPID_ONQUIT,
    DISPID_ONVISIBLE, DISPID_ONTOOLBAR, DISPID_ONMENUBAR, DISPID_ONSTATUSBAR,
    DISPID_ONFULLSCREEN, DISPID_ONTHEATERMODE, DISPID_WINDOWSETRESIZABLE, DISPID_WINDOWSETLEFT,
    DISPID_WINDOWSETTOP, DISPID_WINDOWSETWIDTH, DISPID_WINDOWSETHEIGHT, DISPID_WINDOWCLOSING,
    DISPID_CLIENTTOHOSTWINDOW, DISPID_SETSECURELOCKICON, DISPID_FILEDOWNLOAD, DISPID_NAVIGATEERROR,
    DISPID_PRINTTEMPLATEINSTANTIATION, DISPID_PRINTTEMPLATETEARDOWN, DISPID_UPDATEPAGESTATUS,
    DISPID_PRIVACYIMPACTEDSTATECHANGE,
};

namespace {

// Handler slot i: unpacks the arguments of event i and calls the handler if assigned.
using SlotInvoker = void (*)(TBrowserControl& self, DispParams& p);

// The handler runs from a copy: a handler that closes the page destroys the
// control and its handler members, and its own captures must outlive that.
template <typename Handler, typename... Args>
void CallIfAssigned(const Handler& assigned, TBrowserControl& self, Args&&... args)
{
    if (!assigned)
        return;
    const Handler handler = assigned;
    handler(&self, std::forward<Args>(args)...);
}

std::string Text(DispParams& p, std::size_t i) { return p.Arg(i).AsText(); }
std::int32_t Int(DispParams& p, std::size_t i) { return p.Arg(i).AsInt32(); }
WordBool Bool(DispParams& p, std::size_t i) { return p.Arg(i).AsBool(); }
DispatchPtr Disp(DispParams& p, std::size_t i) { return p.Arg(i).AsDispatch(); }

const std::array<SlotInvoker, TBrowserControl::kEventCount> kSlotInvokers = {
    [](TBrowserControl& s, DispParams& p) { CallIfAssigned(s.OnStatusTextChange, s, Text(p, 0)); },
    [](TBrowserControl& s, DispParams& p) { CallIfAssigned(s.OnProgressChange, s, Int(p, 0), Int(p, 1)); },
    [](TBrowserControl& s, DispParams& p) { CallIfAssigned(s.OnCommandStateChange, s, Int(p, 0), Bool(p, 1)); },
    [](TBrowserControl& s, DispParams&) { CallIfAssigned(s.OnDownloadBegin, s); },
    [](TBrowserControl& s, DispParams&) { CallIfAssigned(s.OnDownloadComplete, s); },
    [](TBrowserControl& s, DispParams& p) { CallIfAssigned(s.OnTitleChange, s, Text(p, 0)); },
    [](TBrowserControl& s, DispParams& p) { CallIfAssigned(s.OnPropertyChange, s, Text(p, 0)); },
    [](TBrowserControl& s, DispParams& p) {
        CallIfAssigned(s.OnBeforeNavigate2, s, Disp(p, 0), p.Arg(1), p.Arg(2), p.Arg(3), p.Arg(4), p.Arg(5),
                       p.Arg(6).BoolRef());
    },
    [](TBrowserControl& s, DispParams& p) {
        CallIfAssigned(s.OnNewWindow2, s, p.Arg(0).DispatchRef(), p.Arg(1).BoolRef(), Text(p, 2));
    },
    [](TBrowserControl& s, DispParams& p) { CallIfAssigned(s.OnNavigateComplete2, s, Disp(p, 0), p.Arg(1)); },
    [](TBrowserControl& s, DispParams& p) { CallIfAssigned(s.OnDocumentComplete, s, Disp(p, 0), p.Arg(1)); },
    [](TBrowserControl& s, DispParams&) { CallIfAssigned(s.OnQuit, s); },
    [](TBrowserControl& s, DispParams& p) { CallIfAssigned(s.OnVisible, s, Bool(p, 0)); },
    [](TBrowserControl& s, DispParams& p) { CallIfAssigned(s.OnToolBar, s, Bool(p, 0)); },
    [](TBrowserControl& s, DispParams& p) { CallIfAssigned(s.OnMenuBar, s, Bool(p, 0)); },
    [](TBrowserControl& s, DispParams& p) { CallIfAssigned(s.OnStatusBar, s, Bool(p, 0)); },
    [](TBrowserControl& s, DispParams& p) { CallIfAssigned(s.OnFullScreen, s, Bool(p, 0)); },
    [](TBrowserControl& s, DispParams& p) { CallIfAssigned(s.OnTheaterMode, s, Bool(p, 0)); },
    [](TBrowserControl& s, DispParams& p) { CallIfAssigned(s.OnWindowSetResizable, s, Bool(p, 0)); },
    [](TBrowserControl& s, DispParams& p) { CallIfAssigned(s.OnWindowSetLeft, s, Int(p, 0)); },
    [](TBrowserControl& s, DispParams& p) { CallIfAssigned(s.OnWindowSetTop, s, Int(p, 0)); },
    [](TBrowserControl& s, DispParams& p) { CallIfAssigned(s.OnWindowSetWidth, s, Int(p, 0)); },
    [](TBrowserControl& s, DispParams& p) { CallIfAssigned(s.OnWindowSetHeight, s, Int(p, 0)); },
    [](TBrowserControl& s, DispParams& p) { CallIfAssigned(s.OnWindowClosing, s, Bool(p, 0), p.Arg(1).BoolRef()); },
    [](TBrowserControl& s, DispParams& p) {
        CallIfAssigned(s.OnClientToHostWindow, s, p.Arg(0).Int32Ref(), p.Arg(1).Int32Ref());
    },
    [](TBrowserControl& s, DispParams& p) { CallIfAssigned(s.OnSetSecureLockIcon, s, Int(p, 0)); },
    [](TBrowserControl& s, DispParams& p) { CallIfAssigned(s.OnFileDownload, s, p.Arg(0).BoolRef()); },
    [](TBrowserControl& s, DispParams& p) {
        CallIfAssigned(s.OnNavigateError, s, Disp(p, 0), p.Arg(1), p.Arg(2), p.Arg(3), p.Arg(4).BoolRef());
    },
    [](TBrowserControl& s, DispParams& p) { CallIfAssigned(s.OnPrintTemplateInstantiation, s, Disp(p, 0)); },
    [](TBrowserControl& s, DispParams& p) { CallIfAssigned(s.OnPrintTemplateTeardown, s, Disp(p, 0)); },
    [](TBrowserControl& s, DispParams& p) {
        CallIfAssigned(s.OnUpdatePageStatus, s, Disp(p, 0), p.Arg(1), p.Arg(2));
    },
    [](TBrowserControl& s, DispParams& p) { CallIfAssigned(s.OnPrivacyImpactedStateChange, s, Bool(p, 0)); },
};

} // namespace

// The connection the control raises its events through.
class TBrowserControl::EventSink : public IBrowserEventSink {
public:
    explicit EventSink(TBrowserControl& owner) : owner_(owner) {}
    void Invoke(DispId dispId, DispParams& params) override { owner_.InvokeEvent(dispId, params); }

private:
    TBrowserControl& owner_;
};

TBrowserControl::TBrowserControl(const SiteData& siteData)
    : FControlData{CLSID_WebBrowser, DIID_DWebBrowserEvents2, kEventCount, kEventDispIDs.data(), 0, 401, 0},
      FControl(CreateControlInstance(FControlData.ClassID, siteData)), FEventSink(std::make_unique<EventSink>(*this))
{
    CreateControl();
}

TBrowserControl::~TBrowserControl()
{
    FDefaultInterface.reset();
    if (auto* object = QueryInterfaceRaw<IOleObject>(FControl.get(), IID_IOleObject)) {
        object->Advise(nullptr);
        object->Close();
        object->SetClientSite(nullptr);
        remove(object->InPlaceWidget());
    }
}

void TBrowserControl::CreateControl()
{
    if (FControlCreated)
        return;
    auto* object = QueryInterfaceRaw<IOleObject>(FControl.get(), IID_IOleObject);
    if (!object)
        throw EOleException(E_NOINTERFACE, "Interface not supported");
    object->SetClientSite(this);
    object->Advise(FEventSink.get());
    Gtk::Widget& widget = object->InPlaceWidget();
    pack_start(widget, Gtk::PACK_EXPAND_WIDGET);
    widget.show();
    FControlCreated = true;
}

IWebBrowser2& TBrowserControl::DefaultInterface()
{
    if (!FDefaultInterface) {
        CreateControl();
        FDefaultInterface = QueryInterfacePtr<IWebBrowser2>(FControl, IID_IWebBrowser2);
        if (!FDefaultInterface)
            throw EOleException(E_NOINTERFACE, "Interface not supported");
    }
    return *FDefaultInterface;
}

void TBrowserControl::GoBack() { OleCheck(DefaultInterface().GoBack()); }
void TBrowserControl::GoForward() { OleCheck(DefaultInterface().GoForward()); }
void TBrowserControl::Refresh() { OleCheck(DefaultInterface().Refresh()); }
void TBrowserControl::Stop() { OleCheck(DefaultInterface().Stop()); }

void TBrowserControl::Navigate2(Variant& URL, Variant& Flags, Variant& TargetFrameName, Variant& PostData,
                                Variant& Headers)
{
    OleCheck(DefaultInterface().Navigate2(&URL, &Flags, &TargetFrameName, &PostData, &Headers));
}

Variant TBrowserControl::GetProperty(DispId dispId) { return GetDispatchProperty(DefaultInterface(), dispId); }

void TBrowserControl::SetProperty(DispId dispId, const Variant& value)
{
    PutDispatchProperty(DefaultInterface(), dispId, value);
}

DispatchPtr TBrowserControl::Application() { return GetProperty(DISPID_APPLICATION).AsDispatch(); }
DispatchPtr TBrowserControl::Document() { return GetProperty(DISPID_DOCUMENT).AsDispatch(); }
std::string TBrowserControl::LocationURL() { return GetProperty(DISPID_LOCATIONURL).AsText(); }
bool TBrowserControl::Busy() { return GetProperty(DISPID_BUSY).AsBool(); }
ByteArray TBrowserControl::SessionState()
{
    const Variant state = GetProperty(DISPID_PANDREL_SESSIONSTATE);
    return state.IsEmpty() ? ByteArray() : state.AsBytes();
}
void TBrowserControl::SetSessionState(const ByteArray& state) { SetProperty(DISPID_PANDREL_SESSIONSTATE, Variant(state)); }

bool TBrowserControl::Visible() { return GetProperty(DISPID_VISIBLE).AsBool(); }
void TBrowserControl::SetVisible(bool value) { SetProperty(DISPID_VISIBLE, WordBool(value)); }

void TBrowserControl::InvokeEvent(DispId dispId, DispParams& params)
{
    std::size_t position = 0;
    while (position < FControlData.EventCount && FControlData.EventDispIDs[position] != dispId)
        ++position;
    if (position == FControlData.EventCount)
        return;
    try {
        kSlotInvokers[FControlData.FirstEventSlot + position](*this, params);
    } catch (...) {
        ReportCurrentException();
    }
}

IUnknown* TBrowserControl::QueryInterface(const Guid& iid)
{
    if (iid == IID_IUnknown || iid == IID_IOleClientSite)
        return static_cast<IOleClientSite*>(this);
    return nullptr;
}

void TBrowserControl::AmbientPropertyChanged(DispId dispId)
{
    auto control = QueryInterfacePtr<IOleControl>(Application(), IID_IOleControl);
    if (!control)
        throw EOleException(E_NOINTERFACE, "Interface not supported");
    control->OnAmbientPropertyChange(dispId);
}
