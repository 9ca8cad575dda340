#include "DispatchProperty.h"

#include "EOleException.h"

namespace platform {
namespace {

void CheckDispatchCall(HRESULT hr, const ExcepInfo& excepInfo)
{
    if (hr == DISP_E_EXCEPTION)
        throw EOleException(excepInfo.scode ? excepInfo.scode : hr, excepInfo.bstrDescription);
    OleCheck(hr);
}

} // namespace

Variant GetDispatchProperty(IDispatch& object, DispId dispId)
{
    DispParams noArguments;
    Variant result;
    ExcepInfo excepInfo;
    CheckDispatchCall(object.Invoke(dispId, GUID_NULL, LOCALE_SYSTEM_DEFAULT, DISPATCH_PROPERTYGET, noArguments,
                                    &result, &excepInfo, nullptr),
                      excepInfo);
    return result;
}

void PutDispatchProperty(IDispatch& object, DispId dispId, const Variant& value)
{
    DispParams args = DispParams::InDeclaredOrder({value});
    ExcepInfo excepInfo;
    CheckDispatchCall(object.Invoke(dispId, GUID_NULL, LOCALE_SYSTEM_DEFAULT, DISPATCH_PROPERTYPUT, args, nullptr,
                                    &excepInfo, nullptr),
                      excepInfo);
}

} // namespace platform
