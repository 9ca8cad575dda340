#pragma once
// Handler types of TBrowserHost. The host-callback handlers (those returning
// an HRESULT) take no Sender: their parameters are those of the host method
// they stand for, in the same order, and their result is returned to the control.
#include "BrowserHostInterfaces.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TBrowserControl;

using TRefreshEvent = std::function<void(TBrowserControl* Sender, std::int32_t CmdID, bool& Cancel)>;
using TScriptErrorEvent = std::function<void(TBrowserControl* Sender, const std::string& ErrorLine,
                                             const std::string& ErrorCharacter, const std::string& ErrorCode,
                                             const std::string& ErrorMessage, const std::string& ErrorUrl,
                                             bool& ContinueScript, bool& Showdialog)>;
using TUnloadEvent = std::function<void(TBrowserControl* Sender)>;
using TCloseQueryEvent = std::function<void(TBrowserControl* Sender, bool& CanClose)>;
using TShowDialogEvent = std::function<void(TBrowserControl* Sender, platform::WindowHandle h)>;

namespace hostevents {
using platform::DispatchPtr;
using platform::DispId;
using platform::DispParams;
using platform::DocHostUIInfo;
using platform::ExcepInfo;
using platform::Guid;
using platform::HRESULT;
using platform::IDispatch;
using platform::IOleCommandTarget;
using platform::IUnknown;
using platform::Msg;
using platform::Point;
using platform::Rect;
using platform::Variant;
using platform::WindowHandle;
using std::int32_t;
using std::uint16_t;
using std::uint32_t;
} // namespace hostevents

using TGetOverrideKeyPathEvent = std::function<hostevents::HRESULT(std::string& pchKey, std::uint32_t dw)>;
using TShowContextMenuEvent = std::function<hostevents::HRESULT(
    std::uint32_t dwID, hostevents::Point* ppt, hostevents::IUnknown* pcmdtReserved,
    hostevents::IDispatch* pdispReserved)>;
using TGetHostInfoEvent = std::function<hostevents::HRESULT(hostevents::DocHostUIInfo* pInfo)>;
using TShowUIEvent = std::function<hostevents::HRESULT(
    std::uint32_t dwID, hostevents::IUnknown* pActiveObject, hostevents::IOleCommandTarget* pCommandTarget,
    hostevents::IUnknown* pFrame, hostevents::IUnknown* pDoc)>;
using THideUIEvent = std::function<hostevents::HRESULT()>;
using TUpdateUIEvent = std::function<hostevents::HRESULT()>;
using TEnableModelessEvent = std::function<hostevents::HRESULT(bool fEnable)>;
using TOnDocWindowActivateEvent = std::function<hostevents::HRESULT(bool fActivate)>;
using TOnFrameWindowActivateEvent = std::function<hostevents::HRESULT(bool fActivate)>;
using TResizeBorderEvent = std::function<hostevents::HRESULT(const hostevents::Rect* prcBorder,
                                                             hostevents::IUnknown* pUIWindow, bool fRameWindow)>;
using TTranslateAcceleratorEvent = std::function<hostevents::HRESULT(
    const hostevents::Msg* lpMsg, const hostevents::Guid* pguidCmdGroup, std::uint32_t nCmdID)>;
using TGetOptionKeyPathEvent = std::function<hostevents::HRESULT(std::string& pchKey, std::uint32_t dw)>;
using TGetDropTargetEvent = std::function<hostevents::HRESULT(
    hostevents::IUnknown* pDropTarget, std::shared_ptr<hostevents::IUnknown>* ppDropTarget)>;
using TGetExternalEvent = std::function<hostevents::HRESULT(hostevents::DispatchPtr* ppDispatch)>;
using TTranslateUrlEvent = std::function<hostevents::HRESULT(std::uint32_t dwTranslate, const std::string& pchURLIn,
                                                             std::string& ppchURLOut)>;
using TFilterDataObjectEvent = std::function<hostevents::HRESULT(
    hostevents::IUnknown* pDO, std::shared_ptr<hostevents::IUnknown>* ppDORet)>;
using TShowMessageEvent = std::function<hostevents::HRESULT(
    hostevents::WindowHandle hwnd, const std::string& lpstrText, const std::string& lpstrCaption,
    std::uint32_t dwType, const std::string& lpstrHelpFile, std::uint32_t dwHelpContext, std::int32_t& plResult)>;
using TShowHelpEvent = std::function<hostevents::HRESULT(
    hostevents::WindowHandle hwnd, const std::string& pszHelpFile, std::uint32_t uCommand, std::uint32_t dwData,
    hostevents::Point& ptMouse, hostevents::IDispatch* pDispatchObjectHit)>;
using TGetTypeInFoCountEvent = std::function<hostevents::HRESULT(std::uint32_t& Count)>;
using TGetTypeInfoEvent = std::function<hostevents::HRESULT(std::uint32_t Index, std::uint32_t LocaleID,
                                                            std::shared_ptr<hostevents::IUnknown>& TypeInfo)>;
using TGetIDsOfNamesEvent = std::function<hostevents::HRESULT(
    const hostevents::Guid& IID, const std::string* Names, std::uint32_t NameCount, std::uint32_t LocaleID,
    hostevents::DispId* DispIDs)>;
using TInvokeEvent = std::function<hostevents::HRESULT(
    hostevents::DispId DispID, const hostevents::Guid& IID, std::uint32_t LocaleID, std::uint16_t Flags,
    hostevents::DispParams& Params, hostevents::Variant* VarResult, hostevents::ExcepInfo* ExcepInfo,
    std::uint32_t* ArgErr)>;
using TQueryServiceEvent = std::function<hostevents::HRESULT(const hostevents::Guid& rsid, const hostevents::Guid& iid,
                                                             std::shared_ptr<hostevents::IUnknown>& Obj)>;
