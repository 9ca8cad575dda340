#pragma once
// Program-wide table of control classes: an engine registers the class
// identifier it implements, and hosts create instances by that identifier.
#include "BrowserCom.h"
#include "SiteData.h"

#include <functional>
#include <memory>

namespace platform {

inline constexpr HRESULT REGDB_E_CLASSNOTREG = MakeHResult(0x80040154u);

// Makes a control whose pages use siteData.
using ControlCreator = std::function<std::shared_ptr<IUnknown>(const SiteData& siteData)>;

// Registers (or replaces) the creator for clsid.
void RegisterControlClass(const Guid& clsid, ControlCreator creator);
void UnregisterControlClass(const Guid& clsid);

// Creates an instance whose pages use siteData; raises
// EOleException(REGDB_E_CLASSNOTREG) for an unknown class.
std::shared_ptr<IUnknown> CreateControlInstance(const Guid& clsid, const SiteData& siteData = SiteData::Shared());

} // namespace platform
