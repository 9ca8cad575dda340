#pragma once
// The WebKit engine as the keeper of the profiles' site data.
#include "SiteDataKeeper.h"
#include "WebKitEngine.h"

class EngineSiteData : public profiles::SiteDataKeeper {
public:
    // engine must outlive this keeper.
    explicit EngineSiteData(platform::WebKitEngine& engine) : engine_(engine) {}

    bool HasSiteData(const platform::SiteData& siteData) const override { return engine_.HasSiteData(siteData); }
    void ForgetSiteData(const platform::SiteData& siteData, std::function<void(bool)> done) override
    {
        engine_.ForgetSiteData(siteData, std::move(done));
    }

private:
    platform::WebKitEngine& engine_;
};
