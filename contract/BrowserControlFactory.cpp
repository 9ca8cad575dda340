#include "BrowserControlFactory.h"

#include "EOleException.h"

#include <map>
#include <tuple>

namespace platform {
namespace {

struct GuidLess {
    bool operator()(const Guid& a, const Guid& b) const
    {
        return std::tie(a.Data1, a.Data2, a.Data3, a.Data4) < std::tie(b.Data1, b.Data2, b.Data3, b.Data4);
    }
};

std::map<Guid, ControlCreator, GuidLess>& ClassTable()
{
    static std::map<Guid, ControlCreator, GuidLess> table;
    return table;
}

} // namespace

void RegisterControlClass(const Guid& clsid, ControlCreator creator)
{
    ClassTable()[clsid] = std::move(creator);
}

void UnregisterControlClass(const Guid& clsid)
{
    ClassTable().erase(clsid);
}

std::shared_ptr<IUnknown> CreateControlInstance(const Guid& clsid, const SiteData& siteData)
{
    auto found = ClassTable().find(clsid);
    if (found == ClassTable().end())
        throw EOleException(REGDB_E_CLASSNOTREG, "Class not registered");
    auto instance = found->second(siteData);
    if (!instance)
        throw EOleException(E_FAIL, "The control could not be created");
    return instance;
}

} // namespace platform
