#pragma once
// The host interfaces a browser control asks its client site for, and the
// records they pass. Each method returns an HRESULT; S_FALSE (1) usually means
// "the control does it itself".
#include "BrowserCom.h"

#include <cstdint>
#include <string>

namespace platform {

using WindowHandle = void*; // the toolkit window (GtkWidget*) or nullptr

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

struct Rect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// A key or other input message offered to TranslateAccelerator.
struct Msg {
    WindowHandle hwnd = nullptr;
    std::uint32_t message = 0;
    std::uintptr_t wParam = 0; // virtual-key code for key messages
    std::intptr_t lParam = 0;  // bit 24: extended key
    std::uint32_t time = 0;
    Point pt;
};

inline constexpr std::uint32_t WM_KEYDOWN = 0x100;
inline constexpr std::uint32_t WM_KEYUP = 0x101;
inline constexpr std::uint32_t WM_CHAR = 0x102;

// The record GetHostInfo fills.
struct DocHostUIInfo {
    std::uint32_t cbSize = 0;
    std::uint32_t dwFlags = 0;
    std::uint32_t dwDoubleClick = 0;
    std::string pchHostCss;
    std::string pchHostNS;
};

struct OleCmd {
    std::uint32_t cmdID = 0;
    std::uint32_t cmdf = 0;
};

struct OleCmdText {
    std::uint32_t cmdtextf = 0;
    std::string text;
};

class IOleCommandTarget : public virtual IUnknown {
public:
    virtual HRESULT QueryStatus(const Guid* pguidCmdGroup, std::uint32_t cCmds, OleCmd* prgCmds,
                                OleCmdText* pCmdText) = 0;
    virtual HRESULT Exec(const Guid* pguidCmdGroup, std::uint32_t nCmdID, std::uint32_t nCmdexecopt,
                         Variant* pvaIn, Variant* pvaOut) = 0;
};

class IServiceProvider : public virtual IUnknown {
public:
    virtual HRESULT QueryService(const Guid& rsid, const Guid& iid, std::shared_ptr<IUnknown>& Obj) = 0;
};

class IDocHostUIHandler : public virtual IUnknown {
public:
    virtual HRESULT ShowContextMenu(std::uint32_t dwID, Point* ppt, IUnknown* pcmdtReserved,
                                    IDispatch* pdispReserved) = 0;
    virtual HRESULT GetHostInfo(DocHostUIInfo* pInfo) = 0;
    virtual HRESULT ShowUI(std::uint32_t dwID, IUnknown* pActiveObject, IOleCommandTarget* pCommandTarget,
                           IUnknown* pFrame, IUnknown* pDoc) = 0;
    virtual HRESULT HideUI() = 0;
    virtual HRESULT UpdateUI() = 0;
    virtual HRESULT EnableModeless(bool fEnable) = 0;
    virtual HRESULT OnDocWindowActivate(bool fActivate) = 0;
    virtual HRESULT OnFrameWindowActivate(bool fActivate) = 0;
    virtual HRESULT ResizeBorder(const Rect* prcBorder, IUnknown* pUIWindow, bool fRameWindow) = 0;
    virtual HRESULT TranslateAccelerator(const Msg* lpMsg, const Guid* pguidCmdGroup, std::uint32_t nCmdID) = 0;
    virtual HRESULT GetOptionKeyPath(std::string& pchKey, std::uint32_t dw) = 0;
    virtual HRESULT GetDropTarget(IUnknown* pDropTarget, std::shared_ptr<IUnknown>* ppDropTarget) = 0;
    virtual HRESULT GetExternal(DispatchPtr* ppDispatch) = 0;
    virtual HRESULT TranslateUrl(std::uint32_t dwTranslate, const std::string& pchURLIn, std::string& ppchURLOut) = 0;
    virtual HRESULT FilterDataObject(IUnknown* pDO, std::shared_ptr<IUnknown>* ppDORet) = 0;
};

class IDocHostUIHandler2 : public virtual IDocHostUIHandler {
public:
    virtual HRESULT GetOverrideKeyPath(std::string& pchKey, std::uint32_t dw) = 0;
};

// Message-box types and results of ShowMessage (the platform's MB_ and ID values).
inline constexpr std::uint32_t MB_OK = 0x0;
inline constexpr std::uint32_t MB_OKCANCEL = 0x1;
inline constexpr std::uint32_t MB_ICONWARNING = 0x30;
inline constexpr std::uint32_t MB_ICONQUESTION = 0x20;
inline constexpr std::int32_t IDOK = 1;
inline constexpr std::int32_t IDCANCEL = 2;

class IDocHostShowUI : public virtual IUnknown {
public:
    virtual HRESULT ShowMessage(WindowHandle hwnd, const std::string& lpstrText, const std::string& lpstrCaption,
                                std::uint32_t dwType, const std::string& lpstrHelpFile, std::uint32_t dwHelpContext,
                                std::int32_t& plResult) = 0;
    virtual HRESULT ShowHelp(WindowHandle hwnd, const std::string& pszHelpFile, std::uint32_t uCommand,
                             std::uint32_t dwData, Point ptMouse, IDispatch* pDispatchObjectHit) = 0;
};

} // namespace platform
