#pragma once
// The interfaces every browser engine answers on its control object, in one
// place so the engines cannot drift apart.
#include "BrowserControlInterfaces.h"
#include "BrowserInterfaceIds.h"

namespace platform {

template <typename Control>
IUnknown* QueryBrowserControlInterface(Control* control, const Guid& iid)
{
    if (iid == IID_IUnknown || iid == IID_IOleObject)
        return static_cast<IOleObject*>(control);
    if (iid == IID_IDispatch || iid == IID_IWebBrowser2)
        return static_cast<IWebBrowser2*>(control);
    if (iid == IID_IOleControl)
        return static_cast<IOleControl*>(control);
    if (iid == IID_IOleInPlaceActiveObject)
        return static_cast<IOleInPlaceActiveObject*>(control);
    return nullptr;
}

} // namespace platform
