#pragma once
// The properties a host sets on a browser control through IDispatch (Visible,
// Silent, Offline, ...), kept the same way by every engine: a put stores the
// value, a get returns it, or the control's default while it was never set.
// Busy, LocationURL, Document and Application are the engine's own and cannot
// be put.
#include "BrowserCom.h"

#include <optional>
#include <utility>
#include <vector>

namespace platform {

class BrowserPublishedProperties {
public:
    // A property put: S_OK, E_INVALIDARG for anything but one argument,
    // DISP_E_MEMBERNOTFOUND for a property only the engine answers.
    HRESULT Put(DispId dispId, const DispParams& params);
    // The stored value, or the default (true for Visible, RegisterAsDropTarget
    // and Resizable; empty for the rest).
    Variant Get(DispId dispId) const;
    // The stored value, if one was put.
    std::optional<Variant> Find(DispId dispId) const;

private:
    std::vector<std::pair<DispId, Variant>> values_; // in the order first put
};

} // namespace platform
