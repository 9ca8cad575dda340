#pragma once
// The host's user-interface handler (IDocHostUIHandler2): the control asks
// which user-interface flags apply (GetHostInfo reports the flag word of
// UserInterfaceOptions) and whether the host takes its context menu, its
// keys, its drop target, its external object, URL translation and the rest.
// A handler field per question; with none, the default answer lets the control
// do it itself (S_FALSE), except GetHostInfo, GetDropTarget and
// GetOverrideKeyPath, which answer S_OK.
#include "BrowserHostInterfaces.h"
#include "HostOptionFlags.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TBrowserControl;

namespace hostui {
using platform::DispatchPtr;
using platform::DocHostUIInfo;
using platform::Guid;
using platform::HRESULT;
using platform::IDispatch;
using platform::IOleCommandTarget;
using platform::IUnknown;
using platform::Msg;
using platform::Point;
using platform::Rect;
} // namespace hostui

using TGetOverrideKeyPathEvent = std::function<hostui::HRESULT(std::string& pchKey, std::uint32_t dw)>;
using TShowContextMenuEvent = std::function<hostui::HRESULT(std::uint32_t dwID, hostui::Point* ppt,
                                                            hostui::IUnknown* pcmdtReserved,
                                                            hostui::IDispatch* pdispReserved)>;
using TGetHostInfoEvent = std::function<hostui::HRESULT(hostui::DocHostUIInfo* pInfo)>;
using TShowUIEvent = std::function<hostui::HRESULT(std::uint32_t dwID, hostui::IUnknown* pActiveObject,
                                                   hostui::IOleCommandTarget* pCommandTarget,
                                                   hostui::IUnknown* pFrame, hostui::IUnknown* pDoc)>;
using THideUIEvent = std::function<hostui::HRESULT()>;
using TUpdateUIEvent = std::function<hostui::HRESULT()>;
using TEnableModelessEvent = std::function<hostui::HRESULT(bool fEnable)>;
using TOnDocWindowActivateEvent = std::function<hostui::HRESULT(bool fActivate)>;
using TOnFrameWindowActivateEvent = std::function<hostui::HRESULT(bool fActivate)>;
using TResizeBorderEvent =
    std::function<hostui::HRESULT(const hostui::Rect* prcBorder, hostui::IUnknown* pUIWindow, bool fRameWindow)>;
using TTranslateAcceleratorEvent =
    std::function<hostui::HRESULT(const hostui::Msg* lpMsg, const hostui::Guid* pguidCmdGroup, std::uint32_t nCmdID)>;
using TGetOptionKeyPathEvent = std::function<hostui::HRESULT(std::string& pchKey, std::uint32_t dw)>;
using TGetDropTargetEvent = std::function<hostui::HRESULT(hostui::IUnknown* pDropTarget,
                                                          std::shared_ptr<hostui::IUnknown>* ppDropTarget)>;
using TGetExternalEvent = std::function<hostui::HRESULT(hostui::DispatchPtr* ppDispatch)>;
using TTranslateUrlEvent =
    std::function<hostui::HRESULT(std::uint32_t dwTranslate, const std::string& pchURLIn, std::string& ppchURLOut)>;
using TFilterDataObjectEvent =
    std::function<hostui::HRESULT(hostui::IUnknown* pDO, std::shared_ptr<hostui::IUnknown>* ppDORet)>;

class HostUIHandler : public platform::IDocHostUIHandler2 {
public:
    // control is told when the options change.
    explicit HostUIHandler(TBrowserControl& control) : control_(control) {}

    const TUserInterfaceOptions& UserInterfaceOptions() const { return userInterfaceOptions_; }
    // Stores the set and recomputes the flag word, which the control reads
    // through GetHostInfo; the control is told of a download-control change
    // (-5512) all the same. Raises as SetDownloadOptions does.
    void SetUserInterfaceOptions(const TUserInterfaceOptions& value);
    std::uint32_t HostUIFlags() const { return hostUIFlags_; }

    TGetOverrideKeyPathEvent OnGetOverrideKeyPath;
    TShowContextMenuEvent OnShowContextMenu;
    TGetHostInfoEvent OnGetHostInfo;
    TShowUIEvent OnShowUI;
    THideUIEvent OnHideUI;
    TUpdateUIEvent OnUpdateUI;
    TEnableModelessEvent OnEnableModeless;
    TOnDocWindowActivateEvent OnOnDocWindowActivate;
    TOnFrameWindowActivateEvent OnOnFrameWindowActivate;
    TResizeBorderEvent OnResizeBorder;
    TTranslateAcceleratorEvent OnTranslateAccelerator;
    TGetOptionKeyPathEvent OnGetOptionKeyPath;
    TGetDropTargetEvent OnGetDropTarget;
    TGetExternalEvent OnGetExternal;
    TTranslateUrlEvent OnTranslateUrl;
    TFilterDataObjectEvent OnFilterDataObject;

    platform::HRESULT ShowContextMenu(std::uint32_t dwID, platform::Point* ppt, platform::IUnknown* pcmdtReserved,
                                      platform::IDispatch* pdispReserved) override;
    // Fills size 20, the flag word and double-click 0 before OnGetHostInfo runs.
    platform::HRESULT GetHostInfo(platform::DocHostUIInfo* pInfo) override;
    platform::HRESULT ShowUI(std::uint32_t dwID, platform::IUnknown* pActiveObject,
                             platform::IOleCommandTarget* pCommandTarget, platform::IUnknown* pFrame,
                             platform::IUnknown* pDoc) override;
    platform::HRESULT HideUI() override;
    platform::HRESULT UpdateUI() override;
    platform::HRESULT EnableModeless(bool fEnable) override;
    platform::HRESULT OnDocWindowActivate(bool fActivate) override;
    platform::HRESULT OnFrameWindowActivate(bool fActivate) override;
    platform::HRESULT ResizeBorder(const platform::Rect* prcBorder, platform::IUnknown* pUIWindow,
                                   bool fRameWindow) override;
    platform::HRESULT TranslateAccelerator(const platform::Msg* lpMsg, const platform::Guid* pguidCmdGroup,
                                           std::uint32_t nCmdID) override;
    platform::HRESULT GetOptionKeyPath(std::string& pchKey, std::uint32_t dw) override;
    // The out pointers of GetDropTarget, GetExternal and FilterDataObject are
    // cleared first.
    platform::HRESULT GetDropTarget(platform::IUnknown* pDropTarget,
                                    std::shared_ptr<platform::IUnknown>* ppDropTarget) override;
    platform::HRESULT GetExternal(platform::DispatchPtr* ppDispatch) override;
    platform::HRESULT TranslateUrl(std::uint32_t dwTranslate, const std::string& pchURLIn,
                                   std::string& ppchURLOut) override;
    platform::HRESULT FilterDataObject(platform::IUnknown* pDO, std::shared_ptr<platform::IUnknown>* ppDORet) override;
    platform::HRESULT GetOverrideKeyPath(std::string& pchKey, std::uint32_t dw) override;

private:
    TBrowserControl& control_;
    TUserInterfaceOptions userInterfaceOptions_;
    std::uint32_t hostUIFlags_ = 0;
};
