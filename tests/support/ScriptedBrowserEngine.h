#pragma once
// An in-memory browser control for tests, registered under the same class
// identifier as the real engine so every layer above runs unchanged. It keeps
// a back/forward history like a browser, but loads nothing: a navigation
// stays pending (Busy) until the test completes it, or completes at once when
// told to.
#include "BrowserControlInterfaces.h"
#include "BrowserEventSource.h"
#include "BrowserPublishedProperties.h"
#include "SiteData.h"

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Gtk { class Label; }

namespace platform {

// Registers the scripted engine for CLSID_WebBrowser (tests call this once).
void RegisterScriptedEngine();

class ScriptedBrowserControl : public IOleObject,
                               public IWebBrowser2,
                               public IOleControl,
                               public IOleInPlaceActiveObject,
                               public std::enable_shared_from_this<ScriptedBrowserControl> {
public:
    explicit ScriptedBrowserControl(const SiteData& siteData = SiteData::Shared());
    ~ScriptedBrowserControl() override;

    // The scripted control behind an instance (e.g. TBrowserControl::ControlInstance()),
    // or nullptr when the instance belongs to another engine.
    static std::shared_ptr<ScriptedBrowserControl> Of(const std::shared_ptr<IUnknown>& instance);
    // Every scripted control created and not yet destroyed, oldest first.
    static std::vector<ScriptedBrowserControl*> LiveInstances();

    // --- driving it from a test ---
    // Finishes the pending navigation: raises NavigateComplete2 and DocumentComplete,
    // updates the history and clears Busy. Returns false when none is pending.
    bool CompleteNavigation();
    // Navigations complete as soon as BeforeNavigate2 lets them through.
    void SetCompleteNavigationsAutomatically(bool on) { autoComplete_ = on; }
    void SetBusy(bool busy) { busy_ = busy; }
    // The next operation or property access returns hr instead of working.
    void FailNextCall(HRESULT hr) { failNext_ = hr; }
    // Raises any event with arguments in declared order; returns the argument
    // array afterwards so by-reference results can be checked.
    DispParams RaiseEvent(DispId dispId, std::vector<Variant> declaredArgs);
    // A page script's alert(text): asks the host's IDocHostShowUI.ShowMessage.
    // Returns the HRESULT; the control would show its own box for S_FALSE.
    HRESULT ShowScriptMessage(const std::string& text, std::int32_t& result);
    // A right click: asks the host's ShowContextMenu; true when the control shows its own menu.
    bool RequestContextMenu();
    // A script error: asks the host's IOleCommandTarget.Exec(show script error)
    // with an event object holding the given properties.
    HRESULT RaiseScriptError(const std::string& line, const std::string& character, const std::string& code,
                             const std::string& message, const std::string& url, Variant* out);
    // A link opening a new window for url: raises NewWindow2; true when not cancelled.
    bool RequestNewWindow(const std::string& url);
    // The host-UI flags reported by the host's GetHostInfo.
    std::uint32_t HostInfoFlags();

    // --- what the test can observe ---
    const std::vector<std::string>& Calls() const { return calls_; }
    const std::vector<std::string>& History() const { return history_; }
    int HistoryIndex() const { return historyIndex_; }
    std::optional<std::string> PendingURL() const;
    // The download-control flags last read from the host's ambient property -5512.
    std::optional<std::int32_t> DownloadControlFlags() const { return downloadFlags_; }
    bool IsClosed() const { return events_.IsClosed(); }
    IOleClientSite* Site() const { return site_; }
    // Whose site data the control was made to use.
    const SiteData& UsedSiteData() const { return siteData_; }

    // --- the contract ---
    IUnknown* QueryInterface(const Guid& iid) override;
    void SetClientSite(IOleClientSite* site) override;
    void Advise(IBrowserEventSink* sink) override;
    Gtk::Widget& InPlaceWidget() override;
    void Close() override;

    HRESULT GoBack() override;
    HRESULT GoForward() override;
    HRESULT Refresh() override;
    HRESULT Stop() override;
    HRESULT Navigate2(Variant* URL, Variant* Flags, Variant* TargetFrameName, Variant* PostData,
                      Variant* Headers) override;

    HRESULT GetTypeInfoCount(std::uint32_t& count) override;
    HRESULT GetTypeInfo(std::uint32_t index, std::uint32_t localeId, std::shared_ptr<IUnknown>& typeInfo) override;
    HRESULT GetIDsOfNames(const Guid& iid, const std::string* names, std::uint32_t nameCount,
                          std::uint32_t localeId, DispId* dispIds) override;
    HRESULT Invoke(DispId dispId, const Guid& iid, std::uint32_t localeId, std::uint16_t flags,
                   DispParams& params, Variant* varResult, ExcepInfo* excepInfo, std::uint32_t* argErr) override;

    HRESULT OnAmbientPropertyChange(DispId dispId) override;
    HRESULT TranslateAccelerator(const Msg* lpmsg) override;

private:
    struct Pending {
        std::string url;
        int historyTarget; // -1: a new entry; otherwise the index moved to
    };
    static constexpr const char* kScriptedSessionTag = "Scripted 1\n";
    bool TakeFailure(const char* call, HRESULT& hr);
    ByteArray SessionState() const;
    HRESULT PutSessionState(const DispParams& params);
    HRESULT BeginNavigation(const std::string& url, int historyTarget, Variant flags, Variant target,
                            Variant postData, Variant headers);
    void RaiseCommandStates();
    DispatchPtr Self();
    HRESULT ExecOnHost(std::uint32_t cmdId, Variant* out);

    SiteData siteData_;
    IOleClientSite* site_ = nullptr;
    BrowserEventSource events_;
    std::unique_ptr<Gtk::Label> widget_;
    std::vector<std::string> calls_;
    std::vector<std::string> history_;
    int historyIndex_ = -1;
    std::optional<Pending> pending_;
    std::string locationURL_;
    bool busy_ = false;
    bool autoComplete_ = false;
    std::optional<HRESULT> failNext_;
    std::optional<std::int32_t> downloadFlags_;
    BrowserPublishedProperties properties_;
    DispatchPtr currentEvent_;
};

} // namespace platform
