#include "TBrowserHost.h"

#include "BrowserInterfaceIds.h"
#include "BrowserPropertyBag.h"
#include "EOleException.h"

#include <cfenv>

using namespace platform;

namespace {

// The floating-point environment the program started with, saved when this
// module is initialised (before main), so fpExceptions := true can restore it.
const std::fenv_t& StartupFloatingPointEnvironment()
{
    static const std::fenv_t saved = [] {
        std::fenv_t env;
        std::fegetenv(&env);
        return env;
    }();
    return saved;
}
[[maybe_unused]] const std::fenv_t& kSavedAtModuleStart = StartupFloatingPointEnvironment();

// Masks every floating-point exception (the x87 control word 0x133F and the
// matching SSE mask), keeping the rounding mode.
void MaskAllFloatingPointExceptions()
{
    std::fenv_t env;
    std::fegetenv(&env);
#if defined(__x86_64__) || defined(__i386__)
    env.__control_word = TBrowserHost::kAllExceptionsMaskedWord;
#if defined(__x86_64__)
    env.__mxcsr |= 0x1F80;
#endif
    std::fesetenv(&env);
#else
    std::fesetenv(FE_DFL_ENV);
#endif
}

} // namespace

TBrowserHost::TBrowserHost() : FfpExceptions(true)
{
    FOwnWindow = std::make_unique<DdeWindowRegistration>(
        [this](std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
            return OwnWindowProcedure(message, wParam, lParam);
        },
        false);
    ReadShellDdeNames();
    CreateShellRequestWindow();
    FPrintOptions = std::make_unique<TPrintOptions>();
    FPrintOptions->HTMLHeaderLines().push_back("<HTML></HTML>");
    SetDownloadOptions({TDownloadControlOption::DLCTL_DLIMAGES, TDownloadControlOption::DLCTL_VIDEOS,
                        TDownloadControlOption::DLCTL_BGSOUNDS});
    SetUserInterfaceOptions({});
    EnableDDE = false;
}

TBrowserHost::~TBrowserHost()
{
    DestroyShellRequestWindow();
    FPrintOptions.reset();
    UndoOwnerWindowHook();
    RemoveUserAgentToken();
}

void TBrowserHost::SetfpExceptions(bool value)
{
    if (value)
        std::fesetenv(&StartupFloatingPointEnvironment());
    else
        MaskAllFloatingPointExceptions();
    FfpExceptions = value;
}

void TBrowserHost::SetDownloadOptions(const TDownloadControlOptions& value)
{
    FDownloadOptions = value;
    FDownloadControlFlags = DownloadControlFlagWord(value);
    NotifyDownloadControlChanged();
}

void TBrowserHost::SetUserInterfaceOptions(const TUserInterfaceOptions& value)
{
    FUserInterfaceOptions = value;
    FHostUIFlags = UserInterfaceFlagWord(value);
    NotifyDownloadControlChanged();
}

void TBrowserHost::NotifyDownloadControlChanged()
{
    DispatchPtr application = Application();
    auto control = QueryInterfacePtr<IOleControl>(application, IID_IOleControl);
    if (!control)
        throw EOleException(E_NOINTERFACE, "Interface not supported");
    control->OnAmbientPropertyChange(DISPID_AMBIENT_DLCONTROL);
}

IUnknown* TBrowserHost::QueryInterface(const Guid& iid)
{
    if (iid == IID_IOleCommandTarget)
        return static_cast<IOleCommandTarget*>(this);
    if (iid == IID_IServiceProvider)
        return static_cast<IServiceProvider*>(this);
    if (iid == IID_IDispatch)
        return static_cast<IDispatch*>(this);
    if (iid == IID_IDocHostUIHandler2)
        return static_cast<IDocHostUIHandler2*>(this);
    if (iid == IID_IDocHostUIHandler)
        return static_cast<IDocHostUIHandler*>(this);
    if (iid == IID_IDocHostShowUI)
        return static_cast<IDocHostShowUI*>(this);
    return TBrowserControl::QueryInterface(iid);
}

// --- IOleCommandTarget ---

HRESULT TBrowserHost::QueryStatus(const Guid*, std::uint32_t, OleCmd*, OleCmdText*)
{
    return S_OK;
}

HRESULT TBrowserHost::Exec(const Guid* pguidCmdGroup, std::uint32_t nCmdID, std::uint32_t, Variant*,
                           Variant* pvaOut)
{
    if (!pguidCmdGroup)
        return OLECMDERR_E_UNKNOWNGROUP;
    HRESULT result = OLECMDERR_E_NOTSUPPORTED;
    if (nCmdID == OLECMDID_ONUNLOAD && *pguidCmdGroup == CGID_Explorer && OnUnload)
        OnUnload(this);
    if (*pguidCmdGroup == CGID_DocHostCommandHandler) {
        if (OnRefresh && (nCmdID == IDM_REFRESH || nCmdID == IDM_REFRESH_TOP || nCmdID == IDM_REFRESH_TOP_FULL)) {
            bool Cancel = false;
            OnRefresh(this, static_cast<std::int32_t>(nCmdID), Cancel);
            if (Cancel)
                result = S_OK;
            return result;
        }
        if (nCmdID == OLECMDID_SHOWSCRIPTERROR && OnScriptError)
            return ExecScriptError(result, pvaOut);
    }
    return result;
}

HRESULT TBrowserHost::ExecScriptError(HRESULT result, Variant* pvaOut)
{
    auto document = QueryInterfacePtr<IHTMLDocument2>(Document(), IID_IHTMLDocument2);
    if (!document)
        return result;
    std::shared_ptr<IHTMLWindow2> window;
    if (Failed(document->get_parentWindow(window)) || !window)
        return result;
    DispatchPtr event;
    if (Failed(window->get_event(event)) || !event)
        return result;
    bool ContinueScript = true;
    bool Showdialog = true;
    const std::string errorCharacter = GetPropertyByName(*event, "errorCharacter").AsText();
    const std::string errorCode = GetPropertyByName(*event, "errorCode").AsText();
    const std::string errorMessage = GetPropertyByName(*event, "errorMessage").AsText();
    const std::string errorUrl = GetPropertyByName(*event, "errorUrl").AsText();
    const std::string errorLine = GetPropertyByName(*event, "errorline").AsText();
    OnScriptError(this, errorLine, errorCharacter, errorCode, errorMessage, errorUrl, ContinueScript, Showdialog);
    if (pvaOut)
        *pvaOut = WordBool(ContinueScript);
    if (!Showdialog)
        result = S_OK;
    return result;
}

// --- IServiceProvider ---

HRESULT TBrowserHost::QueryService(const Guid& rsid, const Guid& iid, std::shared_ptr<IUnknown>& Obj)
{
    Obj = nullptr;
    if (OnQueryService)
        return OnQueryService(rsid, iid, Obj);
    return E_NOINTERFACE;
}

// --- IDispatch: ambient properties ---

HRESULT TBrowserHost::GetTypeInfoCount(std::uint32_t& count)
{
    if (OnGetTypeInfoCount)
        return OnGetTypeInfoCount(count);
    count = 0;
    return E_NOTIMPL;
}

HRESULT TBrowserHost::GetTypeInfo(std::uint32_t index, std::uint32_t localeId, std::shared_ptr<IUnknown>& typeInfo)
{
    typeInfo = nullptr;
    if (OnGetTypeInfo)
        return OnGetTypeInfo(index, localeId, typeInfo);
    return E_NOTIMPL;
}

HRESULT TBrowserHost::GetIDsOfNames(const Guid& iid, const std::string* names, std::uint32_t nameCount,
                                    std::uint32_t localeId, DispId* dispIds)
{
    if (OnGetIDsOfNames)
        return OnGetIDsOfNames(iid, names, nameCount, localeId, dispIds);
    return E_NOTIMPL;
}

HRESULT TBrowserHost::Invoke(DispId dispId, const Guid& iid, std::uint32_t localeId, std::uint16_t flags,
                             DispParams& params, Variant* varResult, ExcepInfo* excepInfo, std::uint32_t* argErr)
{
    if ((flags & DISPATCH_PROPERTYGET) && varResult && dispId == DISPID_AMBIENT_DLCONTROL) {
        *varResult = static_cast<std::int32_t>(FDownloadControlFlags);
        return S_OK;
    }
    if (OnInvoke)
        return OnInvoke(dispId, iid, localeId, flags, params, varResult, excepInfo, argErr);
    return ToolkitAmbientInvoke(dispId, flags, varResult);
}

// --- IDocHostUIHandler / IDocHostUIHandler2 ---

HRESULT TBrowserHost::ShowContextMenu(std::uint32_t dwID, Point* ppt, IUnknown* pcmdtReserved,
                                      IDispatch* pdispReserved)
{
    if (OnShowContextMenu)
        return OnShowContextMenu(dwID, ppt, pcmdtReserved, pdispReserved);
    return S_FALSE;
}

HRESULT TBrowserHost::GetHostInfo(DocHostUIInfo* pInfo)
{
    if (pInfo) {
        pInfo->cbSize = 20;
        pInfo->dwFlags = FHostUIFlags;
        pInfo->dwDoubleClick = 0;
    }
    if (OnGetHostInfo)
        return OnGetHostInfo(pInfo);
    return S_OK;
}

HRESULT TBrowserHost::ShowUI(std::uint32_t dwID, IUnknown* pActiveObject, IOleCommandTarget* pCommandTarget,
                             IUnknown* pFrame, IUnknown* pDoc)
{
    if (OnShowUI)
        return OnShowUI(dwID, pActiveObject, pCommandTarget, pFrame, pDoc);
    return S_FALSE;
}

HRESULT TBrowserHost::HideUI() { return OnHideUI ? OnHideUI() : S_FALSE; }
HRESULT TBrowserHost::UpdateUI() { return OnUpdateUI ? OnUpdateUI() : S_FALSE; }
HRESULT TBrowserHost::EnableModeless(bool fEnable) { return OnEnableModeless ? OnEnableModeless(fEnable) : S_FALSE; }

HRESULT TBrowserHost::OnDocWindowActivate(bool fActivate)
{
    return OnOnDocWindowActivate ? OnOnDocWindowActivate(fActivate) : S_FALSE;
}

HRESULT TBrowserHost::OnFrameWindowActivate(bool fActivate)
{
    return OnOnFrameWindowActivate ? OnOnFrameWindowActivate(fActivate) : S_FALSE;
}

HRESULT TBrowserHost::ResizeBorder(const Rect* prcBorder, IUnknown* pUIWindow, bool fRameWindow)
{
    return OnResizeBorder ? OnResizeBorder(prcBorder, pUIWindow, fRameWindow) : S_FALSE;
}

HRESULT TBrowserHost::TranslateAccelerator(const Msg* lpMsg, const Guid* pguidCmdGroup, std::uint32_t nCmdID)
{
    return OnTranslateAccelerator ? OnTranslateAccelerator(lpMsg, pguidCmdGroup, nCmdID) : S_FALSE;
}

HRESULT TBrowserHost::GetOptionKeyPath(std::string& pchKey, std::uint32_t dw)
{
    return OnGetOptionKeyPath ? OnGetOptionKeyPath(pchKey, dw) : S_FALSE;
}

HRESULT TBrowserHost::GetDropTarget(IUnknown* pDropTarget, std::shared_ptr<IUnknown>* ppDropTarget)
{
    if (ppDropTarget)
        *ppDropTarget = nullptr;
    return OnGetDropTarget ? OnGetDropTarget(pDropTarget, ppDropTarget) : S_OK;
}

HRESULT TBrowserHost::GetExternal(DispatchPtr* ppDispatch)
{
    if (ppDispatch)
        *ppDispatch = nullptr;
    return OnGetExternal ? OnGetExternal(ppDispatch) : S_FALSE;
}

HRESULT TBrowserHost::TranslateUrl(std::uint32_t dwTranslate, const std::string& pchURLIn, std::string& ppchURLOut)
{
    return OnTranslateUrl ? OnTranslateUrl(dwTranslate, pchURLIn, ppchURLOut) : S_FALSE;
}

HRESULT TBrowserHost::FilterDataObject(IUnknown* pDO, std::shared_ptr<IUnknown>* ppDORet)
{
    if (ppDORet)
        *ppDORet = nullptr;
    return OnFilterDataObject ? OnFilterDataObject(pDO, ppDORet) : S_FALSE;
}

HRESULT TBrowserHost::GetOverrideKeyPath(std::string& pchKey, std::uint32_t dw)
{
    return OnGetOverrideKeyPath ? OnGetOverrideKeyPath(pchKey, dw) : S_OK;
}

// --- IDocHostShowUI ---

HRESULT TBrowserHost::ShowMessage(WindowHandle hwnd, const std::string& lpstrText, const std::string& lpstrCaption,
                                  std::uint32_t dwType, const std::string& lpstrHelpFile,
                                  std::uint32_t dwHelpContext, std::int32_t& plResult)
{
    if (OnShowMessage)
        return OnShowMessage(hwnd, lpstrText, lpstrCaption, dwType, lpstrHelpFile, dwHelpContext, plResult);
    return S_FALSE;
}

HRESULT TBrowserHost::ShowHelp(WindowHandle hwnd, const std::string& pszHelpFile, std::uint32_t uCommand,
                               std::uint32_t dwData, Point ptMouse, IDispatch* pDispatchObjectHit)
{
    if (OnShowHelp)
        return OnShowHelp(hwnd, pszHelpFile, uCommand, dwData, ptMouse, pDispatchObjectHit);
    if (HelpFile.empty())
        return S_FALSE;
    ShowHelpFile(HelpFile, uCommand, dwData);
    return S_OK;
}
