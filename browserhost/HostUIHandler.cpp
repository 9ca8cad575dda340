#include "HostUIHandler.h"

#include "BrowserDispIds.h"
#include "TBrowserControl.h"

using namespace platform;

void HostUIHandler::SetUserInterfaceOptions(const TUserInterfaceOptions& value)
{
    userInterfaceOptions_ = value;
    hostUIFlags_ = UserInterfaceFlagWord(value);
    control_.AmbientPropertyChanged(DISPID_AMBIENT_DLCONTROL);
}

HRESULT HostUIHandler::ShowContextMenu(std::uint32_t dwID, Point* ppt, IUnknown* pcmdtReserved,
                                       IDispatch* pdispReserved)
{
    return OnShowContextMenu ? OnShowContextMenu(dwID, ppt, pcmdtReserved, pdispReserved) : S_FALSE;
}

HRESULT HostUIHandler::GetHostInfo(DocHostUIInfo* pInfo)
{
    if (pInfo) {
        pInfo->cbSize = 20;
        pInfo->dwFlags = hostUIFlags_;
        pInfo->dwDoubleClick = 0;
    }
    return OnGetHostInfo ? OnGetHostInfo(pInfo) : S_OK;
}

HRESULT HostUIHandler::ShowUI(std::uint32_t dwID, IUnknown* pActiveObject, IOleCommandTarget* pCommandTarget,
                              IUnknown* pFrame, IUnknown* pDoc)
{
    return OnShowUI ? OnShowUI(dwID, pActiveObject, pCommandTarget, pFrame, pDoc) : S_FALSE;
}

HRESULT HostUIHandler::HideUI() { return OnHideUI ? OnHideUI() : S_FALSE; }
HRESULT HostUIHandler::UpdateUI() { return OnUpdateUI ? OnUpdateUI() : S_FALSE; }
HRESULT HostUIHandler::EnableModeless(bool fEnable) { return OnEnableModeless ? OnEnableModeless(fEnable) : S_FALSE; }

HRESULT HostUIHandler::OnDocWindowActivate(bool fActivate)
{
    return OnOnDocWindowActivate ? OnOnDocWindowActivate(fActivate) : S_FALSE;
}

HRESULT HostUIHandler::OnFrameWindowActivate(bool fActivate)
{
    return OnOnFrameWindowActivate ? OnOnFrameWindowActivate(fActivate) : S_FALSE;
}

HRESULT HostUIHandler::ResizeBorder(const Rect* prcBorder, IUnknown* pUIWindow, bool fRameWindow)
{
    return OnResizeBorder ? OnResizeBorder(prcBorder, pUIWindow, fRameWindow) : S_FALSE;
}

HRESULT HostUIHandler::TranslateAccelerator(const Msg* lpMsg, const Guid* pguidCmdGroup, std::uint32_t nCmdID)
{
    return OnTranslateAccelerator ? OnTranslateAccelerator(lpMsg, pguidCmdGroup, nCmdID) : S_FALSE;
}

HRESULT HostUIHandler::GetOptionKeyPath(std::string& pchKey, std::uint32_t dw)
{
    return OnGetOptionKeyPath ? OnGetOptionKeyPath(pchKey, dw) : S_FALSE;
}

HRESULT HostUIHandler::GetDropTarget(IUnknown* pDropTarget, std::shared_ptr<IUnknown>* ppDropTarget)
{
    if (ppDropTarget)
        *ppDropTarget = nullptr;
    return OnGetDropTarget ? OnGetDropTarget(pDropTarget, ppDropTarget) : S_OK;
}

HRESULT HostUIHandler::GetExternal(DispatchPtr* ppDispatch)
{
    if (ppDispatch)
        *ppDispatch = nullptr;
    return OnGetExternal ? OnGetExternal(ppDispatch) : S_FALSE;
}

HRESULT HostUIHandler::TranslateUrl(std::uint32_t dwTranslate, const std::string& pchURLIn, std::string& ppchURLOut)
{
    return OnTranslateUrl ? OnTranslateUrl(dwTranslate, pchURLIn, ppchURLOut) : S_FALSE;
}

HRESULT HostUIHandler::FilterDataObject(IUnknown* pDO, std::shared_ptr<IUnknown>* ppDORet)
{
    if (ppDORet)
        *ppDORet = nullptr;
    return OnFilterDataObject ? OnFilterDataObject(pDO, ppDORet) : S_FALSE;
}

HRESULT HostUIHandler::GetOverrideKeyPath(std::string& pchKey, std::uint32_t dw)
{
    return OnGetOverrideKeyPath ? OnGetOverrideKeyPath(pchKey, dw) : S_OK;
}
