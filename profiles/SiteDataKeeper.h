#pragma once
// What the profiles need of the engine that keeps the site data: whether a
// store of data is on disk, and forgetting one. The program implements it
// over its engine.
#include "SiteData.h"

#include <functional>

namespace profiles {

class SiteDataKeeper {
public:
    virtual ~SiteDataKeeper() = default;

    virtual bool HasSiteData(const platform::SiteData& siteData) const = 0;
    // Clears siteData's cookies, storage and caches, and nothing else;
    // done(cleared) from the main loop once finished.
    virtual void ForgetSiteData(const platform::SiteData& siteData, std::function<void(bool cleared)> done) = 0;
};

} // namespace profiles
