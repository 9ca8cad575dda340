#include "HostAmbientProperties.h"

#include "BrowserDispIds.h"
#include "TBrowserControl.h"

using namespace platform;

namespace {

// The generic control host's own answer: the control runs in user mode; it
// knows no other ambient property.
HRESULT GenericAmbientAnswer(DispId dispId, std::uint16_t flags, Variant* varResult)
{
    if (dispId == DISPID_AMBIENT_USERMODE && (flags & DISPATCH_PROPERTYGET) && varResult) {
        *varResult = WordBool(true);
        return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
}

} // namespace

void HostAmbientProperties::SetDownloadOptions(const TDownloadControlOptions& value)
{
    downloadOptions_ = value;
    downloadControlFlags_ = DownloadControlFlagWord(value);
    control_.AmbientPropertyChanged(DISPID_AMBIENT_DLCONTROL);
}

HRESULT HostAmbientProperties::GetTypeInfoCount(std::uint32_t& count)
{
    if (OnGetTypeInfoCount)
        return OnGetTypeInfoCount(count);
    count = 0;
    return E_NOTIMPL;
}

HRESULT HostAmbientProperties::GetTypeInfo(std::uint32_t index, std::uint32_t localeId,
                                           std::shared_ptr<IUnknown>& typeInfo)
{
    typeInfo = nullptr;
    if (OnGetTypeInfo)
        return OnGetTypeInfo(index, localeId, typeInfo);
    return E_NOTIMPL;
}

HRESULT HostAmbientProperties::GetIDsOfNames(const Guid& iid, const std::string* names, std::uint32_t nameCount,
                                             std::uint32_t localeId, DispId* dispIds)
{
    if (OnGetIDsOfNames)
        return OnGetIDsOfNames(iid, names, nameCount, localeId, dispIds);
    return E_NOTIMPL;
}

HRESULT HostAmbientProperties::Invoke(DispId dispId, const Guid& iid, std::uint32_t localeId, std::uint16_t flags,
                                      DispParams& params, Variant* varResult, ExcepInfo* excepInfo,
                                      std::uint32_t* argErr)
{
    if ((flags & DISPATCH_PROPERTYGET) && varResult && dispId == DISPID_AMBIENT_DLCONTROL) {
        *varResult = static_cast<std::int32_t>(downloadControlFlags_);
        return S_OK;
    }
    if (OnInvoke)
        return OnInvoke(dispId, iid, localeId, flags, params, varResult, excepInfo, argErr);
    return GenericAmbientAnswer(dispId, flags, varResult);
}
