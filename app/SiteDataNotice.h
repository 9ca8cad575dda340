#pragma once
// The bar above the pages that says a profile which keeps its logins apart
// found its own site data missing or damaged, and so starts empty (never with
// another profile's data).
#include "SiteData.h"
#include "WarningBar.h"
#include "WebKitEngine.h"

#include <string>

// The bar's text for what the engine found; empty when there is nothing to tell.
std::string SiteDataNoticeText(const platform::SiteData& siteData, const platform::SiteDataProblem& problem);

class SiteDataNotice : public WarningBar {
public:
    // Shows the bar with the text for problem (nothing happens for none).
    void Show(const platform::SiteData& siteData, const platform::SiteDataProblem& problem);
};
