#pragma once
// The events a browser control raises to its host's sink, as every engine
// raises them: arguments in declared order, nothing once the control is
// closed, and the navigation events built the one way the host reads them.
#include "BrowserControlInterfaces.h"

#include <string>
#include <vector>

namespace platform {

class BrowserEventSource {
public:
    // The host's sink (nullptr: none).
    void Advise(IBrowserEventSink* sink) { sink_ = sink; }
    // After Close no event reaches the host.
    void Close();
    bool IsClosed() const { return closed_; }

    // Raises any event with arguments in declared order; returns the argument
    // array afterwards so by-reference results can be read.
    DispParams Raise(DispId dispId, std::vector<Variant> declaredArgs);

    // BeforeNavigate2: true when the host lets the navigation go on. The
    // arguments as the host left them are copied to `answered` when given.
    bool BeforeNavigate2(const DispatchPtr& browser, const std::string& url, Variant flags, Variant targetFrameName,
                         Variant postData, Variant headers, DispParams* answered = nullptr);
    // NavigateComplete2 once the new page is committed.
    void NavigateComplete2(const DispatchPtr& browser, const std::string& url);
    // DocumentComplete once it has loaded.
    void DocumentComplete(const DispatchPtr& browser, const std::string& url);
    // CommandStateChange for Back, then for Forward.
    void CommandStates(bool canGoBack, bool canGoForward);

private:
    IBrowserEventSink* sink_ = nullptr;
    bool closed_ = false;
};

} // namespace platform
