#pragma once
// What a browser host's optional machinery asks of the host it belongs to.
// The host (browserhost/TBrowserHost) implements it, so this room never sees
// the host's class; every answer is read when it is needed.
#include "BrowserHostInterfaces.h"

#include <string>

namespace Gtk {
class Widget;
}

namespace platform {

class HostOptionsSite {
public:
    virtual ~HostOptionsSite() = default;

    // The host's widget: its toplevel is the owner window, its key presses go
    // to the control first, and a close request that goes through hides it.
    virtual Gtk::Widget& HostWidget() = 0;
    // The control's Application object, which offers TranslateAccelerator.
    virtual DispatchPtr Application() = 0;
    // Navigates the host's browser; raises EOleException when the control refuses.
    virtual void Navigate2(Variant& URL, Variant& Flags, Variant& TargetFrameName, Variant& PostData,
                           Variant& Headers) = 0;
    // The host as the security managers' service provider.
    virtual IServiceProvider& ServiceProvider() = 0;

    // The host's switches: ReplaceCaption, EnableDDE and UserAgent.
    virtual bool ReplaceCaption() const = 0;
    virtual bool EnableDDE() const = 0;
    virtual std::string UserAgent() const = 0;

    // OnCloseQuery: CanClose comes in true and stays so when no handler is set.
    virtual void CloseQuery(bool& CanClose) = 0;
    // OnShowDialog: window took the activation from the owner window.
    virtual void DialogShown(WindowHandle window) = 0;
};

} // namespace platform
