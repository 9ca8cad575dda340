#pragma once
// Stand-ins for the platform's internet security manager and zone manager: a
// host creates both with its service provider and keeps them while it lives.
// They make no security decisions: the engine keeps its own.
#include "BrowserHostInterfaces.h"

namespace platform {

class InternetSecurityManager {
public:
    explicit InternetSecurityManager(IServiceProvider* site) : site_(site) {}
    IServiceProvider* SecuritySite() const { return site_; }

private:
    IServiceProvider* site_;
};

class InternetZoneManager {
public:
    explicit InternetZoneManager(IServiceProvider* site) : site_(site) {}
    IServiceProvider* SecuritySite() const { return site_; }

private:
    IServiceProvider* site_;
};

} // namespace platform
