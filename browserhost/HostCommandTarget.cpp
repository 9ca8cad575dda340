#include "HostCommandTarget.h"

#include "BrowserInterfaceIds.h"
#include "BrowserPropertyBag.h"
#include "TBrowserControl.h"

using namespace platform;

HRESULT HostCommandTarget::QueryStatus(const Guid*, std::uint32_t, OleCmd*, OleCmdText*)
{
    return S_OK;
}

HRESULT HostCommandTarget::Exec(const Guid* pguidCmdGroup, std::uint32_t nCmdID, std::uint32_t, Variant*,
                                Variant* pvaOut)
{
    if (!pguidCmdGroup)
        return OLECMDERR_E_UNKNOWNGROUP;
    HRESULT result = OLECMDERR_E_NOTSUPPORTED;
    if (nCmdID == OLECMDID_ONUNLOAD && *pguidCmdGroup == CGID_Explorer && OnUnload)
        OnUnload(&control_);
    if (*pguidCmdGroup == CGID_DocHostCommandHandler) {
        if (OnRefresh && (nCmdID == IDM_REFRESH || nCmdID == IDM_REFRESH_TOP || nCmdID == IDM_REFRESH_TOP_FULL)) {
            bool Cancel = false;
            OnRefresh(&control_, static_cast<std::int32_t>(nCmdID), Cancel);
            if (Cancel)
                result = S_OK;
            return result;
        }
        if (nCmdID == OLECMDID_SHOWSCRIPTERROR && OnScriptError)
            return ExecScriptError(result, pvaOut);
    }
    return result;
}

// The script error is read from the event object of the document's window.
HRESULT HostCommandTarget::ExecScriptError(HRESULT result, Variant* pvaOut)
{
    auto document = QueryInterfacePtr<IHTMLDocument2>(control_.Document(), IID_IHTMLDocument2);
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
    OnScriptError(&control_, errorLine, errorCharacter, errorCode, errorMessage, errorUrl, ContinueScript, Showdialog);
    if (pvaOut)
        *pvaOut = WordBool(ContinueScript);
    if (!Showdialog)
        result = S_OK;
    return result;
}
