#pragma once
// TBrowserHost: the browser control of one page. A TBrowserControl (a Gtk
// widget: put it into a Gtk::Notebook page) that is also the control's
// document host: it answers the control's questions about what to download
// (DownloadOptions), which user-interface options apply
// (UserInterfaceOptions), context menus, message boxes, help, refresh and
// script-error commands. Each question has a handler field (On...); left
// empty, the fixed default answer is given, so a host nobody customises lets
// the control show its own menus, boxes and dialogs.
//
//   TBrowserHost host;                      // creates the control
//   host.OnBeforeNavigate2 = ...;           // events: see TBrowserControl.h
//   Variant url("http://127.0.0.1/"), none1, none2, none3, none4;
//   host.Navigate2(url, none1, none2, none3, none4);
#include "DdeRouter.h"
#include "HostOptionFlags.h"
#include "InternetSecurityManagers.h"
#include "OwnerActivationHook.h"
#include "TBrowserControl.h"
#include "TBrowserHostEvents.h"
#include "TPrintOptions.h"

#include <memory>
#include <string>

class TBrowserHost : public TBrowserControl,
                     public platform::IOleCommandTarget,
                     public platform::IServiceProvider,
                     public platform::IDispatch,
                     public platform::IDocHostUIHandler2,
                     public platform::IDocHostShowUI {
public:
    TBrowserHost();
    ~TBrowserHost() override;

    // --- published properties, in order ---
    const TDownloadControlOptions& DownloadOptions() const { return FDownloadOptions; }
    // Stores the set, recomputes the flag word and tells the control its
    // download-control ambient property changed. Raises when the control's
    // Application does not offer IOleControl (the new value is kept).
    void SetDownloadOptions(const TDownloadControlOptions& value);
    const TUserInterfaceOptions& UserInterfaceOptions() const { return FUserInterfaceOptions; }
    void SetUserInterfaceOptions(const TUserInterfaceOptions& value);
    TRefreshEvent OnRefresh;
    TScriptErrorEvent OnScriptError;
    TUnloadEvent OnUnload;
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
    std::string HelpFile;
    TShowMessageEvent OnShowMessage;
    TShowHelpEvent OnShowHelp;
    TGetTypeInFoCountEvent OnGetTypeInfoCount;
    TGetTypeInfoEvent OnGetTypeInfo;
    TGetIDsOfNamesEvent OnGetIDsOfNames;
    TInvokeEvent OnInvoke;
    TQueryServiceEvent OnQueryService;
    TCloseQueryEvent OnCloseQuery;
    TShowDialogEvent OnShowDialog;
    TPrintOptions& PrintOptions() { return *FPrintOptions; }
    void SetPrintOptions(const TPrintOptions& value) { *FPrintOptions = value; }
    std::string UserAgent;
    bool ReplaceCaption = false;
    bool EnableDDE = false;
    bool fpExceptions() const { return FfpExceptions; }
    // true: the floating-point environment saved at program start;
    // false: every floating-point exception masked.
    void SetfpExceptions(bool value);

    // The loaded step, for a host built from a stored description (after its
    // properties are set): recomputes the flag words, hooks the owner window
    // (dialog captions, OnShowDialog) and the key path to the control, and
    // registers UserAgent as a user-agent token until the host is destroyed.
    void Loaded();

    // The host's own window and its shell-request window in the in-process
    // DDE layer. The own window takes close requests (OnCloseQuery may veto
    // them; a close that goes through hides the host), DDE execute and
    // terminate; the shell-request window is a top-level window that answers
    // the shell's initiate broadcasts while EnableDDE is set.
    platform::DdeWindow OwnWindow() const { return FOwnWindow->Handle(); }
    platform::DdeWindow ShellRequestWindow() const { return FShellRequestWindow->Handle(); }
    // Asks the host's own window to close (WM_CLOSE); returns whether it closed.
    bool RequestClose();
    // The stand-ins created by the loaded step (nullptr before it).
    const platform::InternetSecurityManager* SecurityManager() const { return FSecurityManager.get(); }
    const platform::InternetZoneManager* ZoneManager() const { return FZoneManager.get(); }

    // A dialog caption with the first "Microsoft " removed and the first
    // "Internet Explorer" replaced by applicationTitle (both case-sensitive).
    static std::string ReplacedDialogCaption(const std::string& caption, const std::string& applicationTitle);
    // Keys the own-window hook leaves alone: backspace, return, and the
    // extended left and right arrows.
    static bool IsKeyLeftAlone(const platform::Msg& msg);

    // The flag words the control is told about.
    std::uint32_t DownloadControlFlags() const { return FDownloadControlFlags; }
    std::uint32_t HostUIFlags() const { return FHostUIFlags; }

    // --- client site: the host interfaces first, then the generic host's ---
    platform::IUnknown* QueryInterface(const platform::Guid& iid) override;

    // --- IOleCommandTarget ---
    platform::HRESULT QueryStatus(const platform::Guid* pguidCmdGroup, std::uint32_t cCmds, platform::OleCmd* prgCmds,
                                  platform::OleCmdText* pCmdText) override;
    platform::HRESULT Exec(const platform::Guid* pguidCmdGroup, std::uint32_t nCmdID, std::uint32_t nCmdexecopt,
                           Variant* pvaIn, Variant* pvaOut) override;
    // --- IServiceProvider ---
    platform::HRESULT QueryService(const platform::Guid& rsid, const platform::Guid& iid,
                                   std::shared_ptr<platform::IUnknown>& Obj) override;
    // --- IDispatch (ambient properties) ---
    platform::HRESULT GetTypeInfoCount(std::uint32_t& count) override;
    platform::HRESULT GetTypeInfo(std::uint32_t index, std::uint32_t localeId,
                                  std::shared_ptr<platform::IUnknown>& typeInfo) override;
    platform::HRESULT GetIDsOfNames(const platform::Guid& iid, const std::string* names, std::uint32_t nameCount,
                                    std::uint32_t localeId, platform::DispId* dispIds) override;
    platform::HRESULT Invoke(platform::DispId dispId, const platform::Guid& iid, std::uint32_t localeId,
                             std::uint16_t flags, platform::DispParams& params, Variant* varResult,
                             platform::ExcepInfo* excepInfo, std::uint32_t* argErr) override;
    // --- IDocHostUIHandler / IDocHostUIHandler2 ---
    platform::HRESULT ShowContextMenu(std::uint32_t dwID, platform::Point* ppt, platform::IUnknown* pcmdtReserved,
                                      platform::IDispatch* pdispReserved) override;
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
    platform::HRESULT GetDropTarget(platform::IUnknown* pDropTarget,
                                    std::shared_ptr<platform::IUnknown>* ppDropTarget) override;
    platform::HRESULT GetExternal(platform::DispatchPtr* ppDispatch) override;
    platform::HRESULT TranslateUrl(std::uint32_t dwTranslate, const std::string& pchURLIn,
                                   std::string& ppchURLOut) override;
    platform::HRESULT FilterDataObject(platform::IUnknown* pDO, std::shared_ptr<platform::IUnknown>* ppDORet) override;
    platform::HRESULT GetOverrideKeyPath(std::string& pchKey, std::uint32_t dw) override;
    // --- IDocHostShowUI ---
    platform::HRESULT ShowMessage(platform::WindowHandle hwnd, const std::string& lpstrText,
                                  const std::string& lpstrCaption, std::uint32_t dwType,
                                  const std::string& lpstrHelpFile, std::uint32_t dwHelpContext,
                                  std::int32_t& plResult) override;
    platform::HRESULT ShowHelp(platform::WindowHandle hwnd, const std::string& pszHelpFile, std::uint32_t uCommand,
                               std::uint32_t dwData, platform::Point ptMouse,
                               platform::IDispatch* pDispatchObjectHit) override;

    // The floating-point control word that masks every exception.
    static constexpr std::uint16_t kAllExceptionsMaskedWord = 0x133F;

private:
    void NotifyDownloadControlChanged();
    // Host window hooks and shell-request redirection (TBrowserHostHooks.cpp).
    static void ReadShellDdeNames();
    void CreateShellRequestWindow();
    void DestroyShellRequestWindow();
    void UndoOwnerWindowHook();
    void RemoveUserAgentToken();
    static void ShowHelpFile(const std::string& helpFile, std::uint32_t uCommand, std::uint32_t dwData);
    void HookOwnerWindow();
    void OwnerDeactivated(GtkWindow* taker);
    bool OwnKeyHook(GdkEventKey* event);
    std::intptr_t OwnWindowProcedure(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
    std::intptr_t OwnWindowHook(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
    std::intptr_t DefaultOwnWindowProcedure(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
    std::intptr_t ShellRequestProcedure(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
    void AnswerConversation(platform::DdeWindow client, std::intptr_t lParam);
    void ExecuteShellCommand(platform::DdeWindow client, std::intptr_t lParam);
    std::uintptr_t ExecuteFolderCommand(const std::string& command);
    void NavigateToText(const std::string& url);

    platform::HRESULT ExecScriptError(platform::HRESULT result, Variant* pvaOut);

    bool FfpExceptions = true;
    TDownloadControlOptions FDownloadOptions;
    TUserInterfaceOptions FUserInterfaceOptions;
    std::uint32_t FDownloadControlFlags = 0;
    std::uint32_t FHostUIFlags = 0;
    std::unique_ptr<TPrintOptions> FPrintOptions;
    std::unique_ptr<OwnerActivationHook> FOwnerHook;
    sigc::connection FOwnKeyHook;
    bool FOwnWindowHooked = false;
    bool FUserAgentRegistered = false;
    std::unique_ptr<platform::DdeWindowRegistration> FOwnWindow;
    std::unique_ptr<platform::DdeWindowRegistration> FShellRequestWindow;
    std::unique_ptr<platform::InternetSecurityManager> FSecurityManager;
    std::unique_ptr<platform::InternetZoneManager> FZoneManager;
};
