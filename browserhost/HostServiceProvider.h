#pragma once
// The host's service provider (IServiceProvider): the control asks it for
// services by identifier. OnQueryService may offer one; with no handler
// there is none (E_NOINTERFACE).
#include "BrowserHostInterfaces.h"

#include <functional>
#include <memory>

using TQueryServiceEvent = std::function<platform::HRESULT(
    const platform::Guid& rsid, const platform::Guid& iid, std::shared_ptr<platform::IUnknown>& Obj)>;

class HostServiceProvider : public platform::IServiceProvider {
public:
    TQueryServiceEvent OnQueryService;

    // Obj is cleared first, whether a handler runs or not.
    platform::HRESULT QueryService(const platform::Guid& rsid, const platform::Guid& iid,
                                   std::shared_ptr<platform::IUnknown>& Obj) override;
};
