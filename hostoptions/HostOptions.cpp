#include "HostOptions.h"

#include "ControlKeyHook.h"
#include "FloatingPointExceptions.h"
#include "HostOwnWindow.h"
#include "InternetSecurityManagers.h"
#include "OwnerDialogHook.h"
#include "RegistryStore.h"
#include "ShellRequestRedirection.h"
#include "UserAgentTokens.h"

namespace platform {

HostOptions::HostOptions(HostOptionsSite& site)
    : site_(site), store_(RegistryStore::Program()), ownWindow_(std::make_unique<HostOwnWindow>(site)),
      shellRequests_(std::make_unique<ShellRequestRedirection>(site, store_, ownWindow_->Handle()))
{
    printOptions_.HTMLHeaderLines().push_back("<HTML></HTML>");
}

HostOptions::~HostOptions()
{
    shellRequests_.reset();
    ownerHook_.reset(); // lets go of the owner window if it still exists
    keyHook_.reset();
    if (registeredToken_)
        RemoveUserAgentToken(store_, *registeredToken_);
}

void HostOptions::SetFpExceptions(bool value)
{
    SetFloatingPointExceptions(value);
    fpExceptions_ = value;
}

void HostOptions::Loaded()
{
    securityManager_ = std::make_unique<InternetSecurityManager>(&site_.ServiceProvider());
    zoneManager_ = std::make_unique<InternetZoneManager>(&site_.ServiceProvider());
    // The flag words follow their option sets at every write, so there is
    // nothing to recompute here.
    if (!ownerHook_ || !ownerHook_->Hooked())
        ownerHook_ = std::make_unique<OwnerDialogHook>(site_);
    ownWindow_->Hook(*shellRequests_);
    if (!keyHook_)
        keyHook_ = std::make_unique<ControlKeyHook>(site_);
    const std::string token = site_.UserAgent();
    if (registeredToken_ && *registeredToken_ != token)
        RemoveUserAgentToken(store_, *registeredToken_);
    RegisterUserAgentToken(store_, token);
    registeredToken_ = token;
}

} // namespace platform
