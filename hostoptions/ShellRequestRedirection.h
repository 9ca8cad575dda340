#pragma once
// A host's shell-request redirection: the shell-request window (a top-level
// window of the in-process DDE layer, so it hears the shell's initiate
// broadcasts) answers web-page and folder open requests from this program's
// own user-interface thread while EnableDDE is set; the execute commands that
// follow, sent to the host's own window, become navigations of the host's
// browser or the desktop's explore and find.
#include "DdeRouter.h"
#include "HostOptionsSite.h"
#include "RegistryStore.h"

#include <cstdint>
#include <string>

namespace platform {

class ShellRequestRedirection {
public:
    // Reads the shell's DDE names from the store and creates the shell-request
    // window. Answers go out from server, the host's own window.
    ShellRequestRedirection(HostOptionsSite& site, RegistryStore& store, DdeWindow server);

    DdeWindow Window() const { return window_.Handle(); }
    // A DDE execute sent to the host's own window (lParam packs the command's memory).
    void Execute(DdeWindow client, std::intptr_t lParam);

private:
    std::intptr_t Procedure(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
    void AnswerInitiate(DdeWindow client, std::intptr_t lParam);
    std::uintptr_t ExecuteFolderCommand(const std::string& command);
    void NavigateToText(const std::string& url);

    HostOptionsSite& site_;
    DdeWindow server_;
    DdeWindowRegistration window_;
};

} // namespace platform
