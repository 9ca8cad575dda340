#include "TBrowserHost.h"

#include "BrowserInterfaceIds.h"
#include "HostOptions.h"
#include "HostOptionsSite.h"

using namespace platform;

// What the optional machinery asks of its host, answered from the host's
// fields at the moment it asks.
class TBrowserHost::OptionsSite : public HostOptionsSite {
public:
    explicit OptionsSite(TBrowserHost& host) : host_(host) {}

    Gtk::Widget& HostWidget() override { return host_; }
    DispatchPtr Application() override { return host_.Application(); }
    void Navigate2(Variant& URL, Variant& Flags, Variant& TargetFrameName, Variant& PostData,
                   Variant& Headers) override
    {
        host_.Navigate2(URL, Flags, TargetFrameName, PostData, Headers);
    }
    IServiceProvider& ServiceProvider() override { return host_; }
    bool ReplaceCaption() const override { return host_.ReplaceCaption; }
    bool EnableDDE() const override { return host_.EnableDDE; }
    std::string UserAgent() const override { return host_.UserAgent; }
    void CloseQuery(bool& CanClose) override
    {
        if (host_.OnCloseQuery)
            host_.OnCloseQuery(&host_, CanClose);
    }
    void DialogShown(WindowHandle window) override
    {
        if (host_.OnShowDialog)
            host_.OnShowDialog(&host_, window);
    }

private:
    TBrowserHost& host_;
};

TBrowserHost::TBrowserHost(const platform::SiteData& siteData)
    : TBrowserControl(siteData),
      HostCommandTarget(static_cast<TBrowserControl&>(*this)),
      HostAmbientProperties(static_cast<TBrowserControl&>(*this)),
      HostUIHandler(static_cast<TBrowserControl&>(*this)),
      FOptionsSite(std::make_unique<OptionsSite>(*this))
{
    SetDownloadOptions({TDownloadControlOption::DLCTL_DLIMAGES, TDownloadControlOption::DLCTL_VIDEOS,
                        TDownloadControlOption::DLCTL_BGSOUNDS});
    SetUserInterfaceOptions({});
}

// The machinery goes first (its windows, hooks and token), then the control.
TBrowserHost::~TBrowserHost() = default;

HostOptions& TBrowserHost::Options()
{
    if (!FOptions)
        FOptions = std::make_unique<HostOptions>(*FOptionsSite);
    return *FOptions;
}

TPrintOptions& TBrowserHost::PrintOptions() { return Options().PrintOptions(); }
void TBrowserHost::SetPrintOptions(const TPrintOptions& value) { Options().PrintOptions() = value; }
bool TBrowserHost::fpExceptions() const { return FOptions ? FOptions->FpExceptions() : true; }
void TBrowserHost::SetfpExceptions(bool value) { Options().SetFpExceptions(value); }
void TBrowserHost::Loaded() { Options().Loaded(); }

IUnknown* TBrowserHost::QueryInterface(const Guid& iid)
{
    if (iid == IID_IOleCommandTarget)
        return static_cast<IOleCommandTarget*>(this);
    if (iid == IID_IServiceProvider)
        return static_cast<IServiceProvider*>(this);
    if (iid == IID_IDispatch)
        return static_cast<IDispatch*>(this);
    if (iid == IID_IDocHostUIHandler2)
        return static_cast<IDocHostUIHandler2*>(this);
    if (iid == IID_IDocHostUIHandler)
        return static_cast<IDocHostUIHandler*>(this);
    if (iid == IID_IDocHostShowUI)
        return static_cast<IDocHostShowUI*>(this);
    return TBrowserControl::QueryInterface(iid);
}
