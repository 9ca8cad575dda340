#include "BrowserEventSource.h"

#include "BrowserDispIds.h"

namespace platform {

void BrowserEventSource::Close()
{
    closed_ = true;
    sink_ = nullptr;
}

DispParams BrowserEventSource::Raise(DispId dispId, std::vector<Variant> declaredArgs)
{
    DispParams params = DispParams::InDeclaredOrder(std::move(declaredArgs));
    if (sink_ && !closed_)
        sink_->Invoke(dispId, params);
    return params;
}

bool BrowserEventSource::BeforeNavigate2(const DispatchPtr& browser, const std::string& url, Variant flags,
                                         Variant targetFrameName, Variant postData, Variant headers,
                                         DispParams* answered)
{
    DispParams args = Raise(DISPID_BEFORENAVIGATE2, {browser, Variant(url), std::move(flags), std::move(targetFrameName),
                                                     std::move(postData), std::move(headers), WordBool(false)});
    const bool cancelled = args.Arg(6).AsBool();
    if (answered)
        *answered = std::move(args);
    return !cancelled;
}

void BrowserEventSource::NavigateComplete2(const DispatchPtr& browser, const std::string& url)
{
    Raise(DISPID_NAVIGATECOMPLETE2, {browser, Variant(url)});
}

void BrowserEventSource::DocumentComplete(const DispatchPtr& browser, const std::string& url)
{
    Raise(DISPID_DOCUMENTCOMPLETE, {browser, Variant(url)});
}

void BrowserEventSource::CommandStates(bool canGoBack, bool canGoForward)
{
    Raise(DISPID_COMMANDSTATECHANGE, {CSC_NAVIGATEBACK, WordBool(canGoBack)});
    Raise(DISPID_COMMANDSTATECHANGE, {CSC_NAVIGATEFORWARD, WordBool(canGoForward)});
}

} // namespace platform
