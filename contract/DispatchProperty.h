#pragma once
// Reading and writing one property of an automation object by dispatch
// identifier. A failing call raises EOleException: a DISP_E_EXCEPTION with
// its exception information's code and description, anything else with the
// call's HRESULT.
#include "BrowserCom.h"

namespace platform {

Variant GetDispatchProperty(IDispatch& object, DispId dispId);
void PutDispatchProperty(IDispatch& object, DispId dispId, const Variant& value);

} // namespace platform
