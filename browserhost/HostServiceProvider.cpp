#include "HostServiceProvider.h"

using namespace platform;

HRESULT HostServiceProvider::QueryService(const Guid& rsid, const Guid& iid, std::shared_ptr<IUnknown>& Obj)
{
    Obj = nullptr;
    if (OnQueryService)
        return OnQueryService(rsid, iid, Obj);
    return E_NOINTERFACE;
}
