#include "BrowserPublishedProperties.h"

#include "BrowserDispIds.h"

#include <algorithm>

namespace platform {

HRESULT BrowserPublishedProperties::Put(DispId dispId, const DispParams& params)
{
    if (params.Count() != 1)
        return E_INVALIDARG;
    if (dispId == DISPID_BUSY || dispId == DISPID_LOCATIONURL || dispId == DISPID_DOCUMENT ||
        dispId == DISPID_APPLICATION)
        return DISP_E_MEMBERNOTFOUND;
    auto found = std::find_if(values_.begin(), values_.end(), [&](const auto& entry) { return entry.first == dispId; });
    if (found != values_.end())
        found->second = params.Arg(0);
    else
        values_.emplace_back(dispId, params.Arg(0));
    return S_OK;
}

std::optional<Variant> BrowserPublishedProperties::Find(DispId dispId) const
{
    auto found = std::find_if(values_.begin(), values_.end(), [&](const auto& entry) { return entry.first == dispId; });
    if (found == values_.end())
        return std::nullopt;
    return found->second;
}

Variant BrowserPublishedProperties::Get(DispId dispId) const
{
    if (auto stored = Find(dispId))
        return *stored;
    if (dispId == DISPID_VISIBLE || dispId == DISPID_REGISTERASDROPTARGET || dispId == DISPID_RESIZABLE)
        return WordBool(true);
    return Variant();
}

} // namespace platform
