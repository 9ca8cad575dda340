#pragma once
// The host's command target (IOleCommandTarget): the control asks before it
// unloads a document, refreshes, or shows a script-error dialog. OnUnload,
// OnRefresh and OnScriptError take those commands; with no handler the control
// does what it does by itself.
#include "BrowserHostInterfaces.h"

#include <cstdint>
#include <functional>
#include <string>

class TBrowserControl;

using TRefreshEvent = std::function<void(TBrowserControl* Sender, std::int32_t CmdID, bool& Cancel)>;
using TScriptErrorEvent = std::function<void(TBrowserControl* Sender, const std::string& ErrorLine,
                                             const std::string& ErrorCharacter, const std::string& ErrorCode,
                                             const std::string& ErrorMessage, const std::string& ErrorUrl,
                                             bool& ContinueScript, bool& Showdialog)>;
using TUnloadEvent = std::function<void(TBrowserControl* Sender)>;

class HostCommandTarget : public platform::IOleCommandTarget {
public:
    // The handlers get control as their Sender; script errors are read from
    // its document.
    explicit HostCommandTarget(TBrowserControl& control) : control_(control) {}

    TRefreshEvent OnRefresh;
    TScriptErrorEvent OnScriptError;
    TUnloadEvent OnUnload;

    // S_OK with nothing written.
    platform::HRESULT QueryStatus(const platform::Guid* pguidCmdGroup, std::uint32_t cCmds, platform::OleCmd* prgCmds,
                                  platform::OleCmdText* pCmdText) override;
    // OLECMDERR_E_UNKNOWNGROUP without a group; S_OK when a handler took a
    // refresh (Cancel) or a script error (no dialog); else OLECMDERR_E_NOTSUPPORTED.
    platform::HRESULT Exec(const platform::Guid* pguidCmdGroup, std::uint32_t nCmdID, std::uint32_t nCmdexecopt,
                           platform::Variant* pvaIn, platform::Variant* pvaOut) override;

private:
    platform::HRESULT ExecScriptError(platform::HRESULT result, platform::Variant* pvaOut);

    TBrowserControl& control_;
};
