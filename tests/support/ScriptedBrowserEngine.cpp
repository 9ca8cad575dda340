#include "ScriptedBrowserEngine.h"

#include "BrowserControlFactory.h"
#include "BrowserDispIds.h"
#include "BrowserControlQuery.h"
#include "BrowserInterfaceIds.h"
#include "BrowserPropertyBag.h"

#include <gtkmm/label.h>

#include <algorithm>

namespace platform {
namespace {

std::vector<ScriptedBrowserControl*>& Live()
{
    static std::vector<ScriptedBrowserControl*> live;
    return live;
}

} // namespace

void RegisterScriptedEngine()
{
    RegisterControlClass(CLSID_WebBrowser,
                         [](const SiteData& siteData) -> std::shared_ptr<IUnknown> {
                             return std::make_shared<ScriptedBrowserControl>(siteData);
                         });
}

ScriptedBrowserControl::ScriptedBrowserControl(const SiteData& siteData)
    : siteData_(siteData), widget_(std::make_unique<Gtk::Label>("scripted browser"))
{
    Live().push_back(this);
}

ScriptedBrowserControl::~ScriptedBrowserControl()
{
    auto& live = Live();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

std::shared_ptr<ScriptedBrowserControl> ScriptedBrowserControl::Of(const std::shared_ptr<IUnknown>& instance)
{
    return std::dynamic_pointer_cast<ScriptedBrowserControl>(instance);
}

std::vector<ScriptedBrowserControl*> ScriptedBrowserControl::LiveInstances()
{
    return Live();
}

IUnknown* ScriptedBrowserControl::QueryInterface(const Guid& iid)
{
    return QueryBrowserControlInterface(this, iid);
}

void ScriptedBrowserControl::SetClientSite(IOleClientSite* site)
{
    calls_.push_back(site ? "SetClientSite" : "SetClientSite(none)");
    site_ = site;
}

void ScriptedBrowserControl::Advise(IBrowserEventSink* sink)
{
    calls_.push_back(sink ? "Advise" : "Advise(none)");
    events_.Advise(sink);
}

Gtk::Widget& ScriptedBrowserControl::InPlaceWidget()
{
    return *widget_;
}

void ScriptedBrowserControl::Close()
{
    calls_.push_back("Close");
    events_.Close();
    site_ = nullptr;
    pending_.reset();
}

bool ScriptedBrowserControl::TakeFailure(const char* call, HRESULT& hr)
{
    calls_.push_back(call);
    if (!failNext_)
        return false;
    hr = *failNext_;
    failNext_.reset();
    return true;
}

DispParams ScriptedBrowserControl::RaiseEvent(DispId dispId, std::vector<Variant> declaredArgs)
{
    return events_.Raise(dispId, std::move(declaredArgs));
}

DispatchPtr ScriptedBrowserControl::Self()
{
    return std::shared_ptr<IDispatch>(shared_from_this(), static_cast<IWebBrowser2*>(this));
}

std::optional<std::string> ScriptedBrowserControl::PendingURL() const
{
    return pending_ ? std::optional<std::string>(pending_->url) : std::nullopt;
}

HRESULT ScriptedBrowserControl::BeginNavigation(const std::string& url, int historyTarget, Variant flags,
                                                Variant target, Variant postData, Variant headers)
{
    DispParams args;
    if (!events_.BeforeNavigate2(Self(), url, std::move(flags), std::move(target), std::move(postData),
                                 std::move(headers), &args))
        return S_OK; // cancelled: the page stays where it was
    pending_ = Pending{args.Arg(1).AsText(), historyTarget};
    busy_ = true;
    RaiseEvent(DISPID_DOWNLOADBEGIN, {});
    if (autoComplete_)
        CompleteNavigation();
    return S_OK;
}

bool ScriptedBrowserControl::CompleteNavigation()
{
    if (!pending_)
        return false;
    Pending done = *pending_;
    pending_.reset();
    if (done.historyTarget >= 0) {
        historyIndex_ = done.historyTarget;
    } else {
        history_.resize(static_cast<std::size_t>(historyIndex_ + 1));
        history_.push_back(done.url);
        historyIndex_ = static_cast<int>(history_.size()) - 1;
    }
    locationURL_ = done.url;
    DispatchPtr self = Self();
    events_.NavigateComplete2(self, done.url);
    RaiseCommandStates();
    busy_ = false;
    RaiseEvent(DISPID_DOWNLOADCOMPLETE, {});
    events_.DocumentComplete(self, done.url);
    return true;
}

void ScriptedBrowserControl::RaiseCommandStates()
{
    events_.CommandStates(historyIndex_ > 0, historyIndex_ + 1 < static_cast<int>(history_.size()));
}

HRESULT ScriptedBrowserControl::GoBack()
{
    HRESULT hr = S_OK;
    if (TakeFailure("GoBack", hr))
        return hr;
    if (historyIndex_ <= 0)
        return E_FAIL;
    return BeginNavigation(history_[historyIndex_ - 1], historyIndex_ - 1, {}, {}, {}, {});
}

HRESULT ScriptedBrowserControl::GoForward()
{
    HRESULT hr = S_OK;
    if (TakeFailure("GoForward", hr))
        return hr;
    if (historyIndex_ + 1 >= static_cast<int>(history_.size()))
        return E_FAIL;
    return BeginNavigation(history_[historyIndex_ + 1], historyIndex_ + 1, {}, {}, {}, {});
}

HRESULT ScriptedBrowserControl::ExecOnHost(std::uint32_t cmdId, Variant* out)
{
    auto* target = QueryInterfaceRaw<IOleCommandTarget>(site_, IID_IOleCommandTarget);
    if (!target)
        return OLECMDERR_E_NOTSUPPORTED;
    return target->Exec(&CGID_DocHostCommandHandler, cmdId, 0, nullptr, out);
}

HRESULT ScriptedBrowserControl::Refresh()
{
    HRESULT hr = S_OK;
    if (TakeFailure("Refresh", hr))
        return hr;
    // The host may take over the refresh command (S_OK: it is not run).
    if (ExecOnHost(IDM_REFRESH, nullptr) == S_OK || locationURL_.empty())
        return S_OK;
    pending_ = Pending{locationURL_, historyIndex_};
    busy_ = true;
    if (autoComplete_)
        CompleteNavigation();
    return S_OK;
}

HRESULT ScriptedBrowserControl::Stop()
{
    HRESULT hr = S_OK;
    if (TakeFailure("Stop", hr))
        return hr;
    pending_.reset();
    busy_ = false;
    return S_OK;
}

HRESULT ScriptedBrowserControl::Navigate2(Variant* URL, Variant* Flags, Variant* TargetFrameName, Variant* PostData,
                                          Variant* Headers)
{
    HRESULT hr = S_OK;
    if (TakeFailure("Navigate2", hr))
        return hr;
    if (!URL || !Flags || !TargetFrameName || !PostData || !Headers)
        return E_POINTER;
    std::string url;
    if (URL->GetKind() == Variant::Kind::Bytes)
        url = "item-list:" + std::to_string(URL->AsBytes().size());
    else if (URL->GetKind() == Variant::Kind::Text)
        url = URL->AsText();
    else
        return E_INVALIDARG;
    calls_.back() = "Navigate2 " + url;
    return BeginNavigation(url, -1, *Flags, *TargetFrameName, *PostData, *Headers);
}

HRESULT ScriptedBrowserControl::GetTypeInfoCount(std::uint32_t& count)
{
    count = 0;
    return S_OK;
}

HRESULT ScriptedBrowserControl::GetTypeInfo(std::uint32_t, std::uint32_t, std::shared_ptr<IUnknown>& typeInfo)
{
    typeInfo = nullptr;
    return E_NOTIMPL;
}

HRESULT ScriptedBrowserControl::GetIDsOfNames(const Guid&, const std::string*, std::uint32_t, std::uint32_t,
                                              DispId*)
{
    return DISP_E_UNKNOWNNAME;
}

HRESULT ScriptedBrowserControl::Invoke(DispId dispId, const Guid&, std::uint32_t, std::uint16_t flags,
                                       DispParams& params, Variant* varResult, ExcepInfo*, std::uint32_t*)
{
    HRESULT hr = S_OK;
    if (TakeFailure((flags & DISPATCH_PROPERTYPUT) ? "PropertyPut" : "PropertyGet", hr))
        return hr;
    calls_.back().append(" ").append(std::to_string(dispId));
    if ((flags & DISPATCH_PROPERTYPUT) && dispId == DISPID_PANDREL_SESSIONSTATE)
        return PutSessionState(params);
    if (flags & DISPATCH_PROPERTYPUT)
        return properties_.Put(dispId, params);
    if (!(flags & DISPATCH_PROPERTYGET) || !varResult)
        return DISP_E_MEMBERNOTFOUND;
    switch (dispId) {
    case DISPID_BUSY: *varResult = WordBool(busy_); return S_OK;
    case DISPID_PANDREL_SESSIONSTATE: *varResult = SessionState(); return S_OK;
    case DISPID_LOCATIONURL: *varResult = locationURL_; return S_OK;
    case DISPID_APPLICATION: *varResult = Self(); return S_OK;
    case DISPID_DOCUMENT: {
        if (locationURL_.empty()) {
            *varResult = DispatchPtr();
            return S_OK;
        }
        auto document = std::make_shared<BrowserDocument>([this] { return currentEvent_; });
        document->AddProperty("URL", Variant(locationURL_));
        *varResult = DispatchPtr(document, static_cast<IHTMLDocument2*>(document.get()));
        return S_OK;
    }
    default: break;
    }
    *varResult = properties_.Get(dispId);
    return S_OK;
}

// "Scripted 1\n", the index of the current entry, then one URL a line.
ByteArray ScriptedBrowserControl::SessionState() const
{
    if (history_.empty())
        return {};
    std::string text = std::string(kScriptedSessionTag) + std::to_string(historyIndex_) + "\n";
    for (const auto& url : history_)
        text.append(url).append("\n");
    return ByteArray(text.begin(), text.end());
}

HRESULT ScriptedBrowserControl::PutSessionState(const DispParams& params)
{
    if (params.Count() != 1 || params.Arg(0).GetKind() != Variant::Kind::Bytes)
        return E_INVALIDARG;
    if (!history_.empty() || !pending_)
        return E_UNEXPECTED;
    const auto& bytes = params.Arg(0).AsBytes();
    std::string text(bytes.begin(), bytes.end());
    if (!text.starts_with(kScriptedSessionTag))
        return E_INVALIDARG;
    text.erase(0, std::string_view(kScriptedSessionTag).size());
    std::vector<std::string> lines;
    for (std::size_t end; (end = text.find('\n')) != std::string::npos; text.erase(0, end + 1))
        lines.push_back(text.substr(0, end));
    if (lines.size() < 2 || !text.empty())
        return E_INVALIDARG;
    int index = -1;
    try {
        index = std::stoi(lines[0]);
    } catch (...) {
        return E_INVALIDARG;
    }
    if (index < 0 || index + 1 >= static_cast<int>(lines.size()))
        return E_INVALIDARG;
    history_.assign(lines.begin() + 1, lines.end());
    historyIndex_ = index;
    // Sent to the list's current entry: the navigation goes there instead of adding one.
    if (pending_->url == history_[index])
        pending_->historyTarget = index;
    return S_OK;
}

HRESULT ScriptedBrowserControl::OnAmbientPropertyChange(DispId dispId)
{
    calls_.push_back("OnAmbientPropertyChange " + std::to_string(dispId));
    auto* ambient = QueryInterfaceRaw<IDispatch>(site_, IID_IDispatch);
    if (dispId == DISPID_AMBIENT_DLCONTROL && ambient) {
        DispParams none;
        Variant value;
        if (Succeeded(ambient->Invoke(DISPID_AMBIENT_DLCONTROL, GUID_NULL, LOCALE_SYSTEM_DEFAULT,
                                      DISPATCH_PROPERTYGET, none, &value, nullptr, nullptr)))
            downloadFlags_ = value.AsInt32();
    }
    return S_OK;
}

HRESULT ScriptedBrowserControl::TranslateAccelerator(const Msg* lpmsg)
{
    calls_.push_back("TranslateAccelerator " + std::to_string(lpmsg ? lpmsg->wParam : 0));
    return S_FALSE;
}

HRESULT ScriptedBrowserControl::ShowScriptMessage(const std::string& text, std::int32_t& result)
{
    auto* showUI = QueryInterfaceRaw<IDocHostShowUI>(site_, IID_IDocHostShowUI);
    if (!showUI)
        return S_FALSE;
    return showUI->ShowMessage(widget_->gobj(), text, "Message from webpage", MB_OK | MB_ICONWARNING, "", 0,
                               result);
}

bool ScriptedBrowserControl::RequestContextMenu()
{
    auto* handler = QueryInterfaceRaw<IDocHostUIHandler>(site_, IID_IDocHostUIHandler);
    Point where{10, 10};
    return !handler || handler->ShowContextMenu(0, &where, nullptr, nullptr) != S_OK;
}

HRESULT ScriptedBrowserControl::RaiseScriptError(const std::string& line, const std::string& character,
                                                 const std::string& code, const std::string& message,
                                                 const std::string& url, Variant* out)
{
    auto event = std::make_shared<BrowserPropertyBag>();
    event->AddProperty("errorLine", Variant(line));
    event->AddProperty("errorCharacter", Variant(character));
    event->AddProperty("errorCode", Variant(code));
    event->AddProperty("errorMessage", Variant(message));
    event->AddProperty("errorUrl", Variant(url));
    currentEvent_ = event;
    HRESULT hr = ExecOnHost(OLECMDID_SHOWSCRIPTERROR, out);
    currentEvent_ = nullptr;
    return hr;
}

bool ScriptedBrowserControl::RequestNewWindow(const std::string& url)
{
    DispParams args = RaiseEvent(DISPID_NEWWINDOW2, {DispatchPtr(), WordBool(false), Variant(url)});
    return !args.Arg(1).AsBool();
}

std::uint32_t ScriptedBrowserControl::HostInfoFlags()
{
    auto* handler = QueryInterfaceRaw<IDocHostUIHandler>(site_, IID_IDocHostUIHandler);
    DocHostUIInfo info;
    if (handler)
        handler->GetHostInfo(&info);
    return info.dwFlags;
}

} // namespace platform
