#pragma once
// The optional machinery of a browser host, which the host builds only when
// it is switched on (its loaded step, EnableDDE, or an accessor of it):
//   - the host's own window (close requests, DDE execute and terminate) and
//     its shell-request window (the shell's DDE initiates, while EnableDDE);
//   - the loaded step: the security and zone managers, the owner-window hook
//     (dialog captions, OnShowDialog), the key hook (keys offered to the
//     control first) and the user-agent token, registered until the end;
//   - the print options and the floating-point exception switch.
// It reaches the host only through HostOptionsSite, and the settings store
// (the shell's DDE names, the user-agent tokens) through the program's store.
#include "HostOptionsSite.h"
#include "TPrintOptions.h"

#include <memory>
#include <optional>
#include <string>

namespace platform {

class ControlKeyHook;
class HostOwnWindow;
class InternetSecurityManager;
class InternetZoneManager;
class OwnerDialogHook;
class RegistryStore;
class ShellRequestRedirection;

class HostOptions {
public:
    // Creates the own window, reads the shell's DDE names, creates the
    // shell-request window and the print options (HTMLHeader "<HTML></HTML>").
    explicit HostOptions(HostOptionsSite& site);
    // The shell-request window goes first; the owner hook is undone and a
    // registered user-agent token removed.
    ~HostOptions();
    HostOptions(const HostOptions&) = delete;
    HostOptions& operator=(const HostOptions&) = delete;

    // The loaded step: security and zone managers, the owner-window hook (when
    // the owner has a window), the own-window and key hooks, and UserAgent
    // registered as a user-agent token.
    void Loaded();

    TPrintOptions& PrintOptions() { return printOptions_; }
    bool FpExceptions() const { return fpExceptions_; }
    void SetFpExceptions(bool value);

    HostOwnWindow& OwnWindow() { return *ownWindow_; }
    ShellRequestRedirection& ShellRequests() { return *shellRequests_; }
    // Made by the loaded step (nullptr before it).
    const InternetSecurityManager* SecurityManager() const { return securityManager_.get(); }
    const InternetZoneManager* ZoneManager() const { return zoneManager_.get(); }

private:
    HostOptionsSite& site_;
    RegistryStore& store_;
    TPrintOptions printOptions_;
    bool fpExceptions_ = true;
    std::unique_ptr<HostOwnWindow> ownWindow_;
    std::unique_ptr<ShellRequestRedirection> shellRequests_;
    std::unique_ptr<InternetSecurityManager> securityManager_;
    std::unique_ptr<InternetZoneManager> zoneManager_;
    std::unique_ptr<OwnerDialogHook> ownerHook_;
    std::unique_ptr<ControlKeyHook> keyHook_;
    std::optional<std::string> registeredToken_;
};

} // namespace platform
