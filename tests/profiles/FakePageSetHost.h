#pragma once
// Pages in memory for the profile tests: no browser, a location per page that
// the test sets, and a record of every call.
#include "PageSetHost.h"

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

struct FakePage {
    std::string caption;
    std::string firstURL;
    bool rememberLastURL = false;
    std::string location; // where the "browser" is now
    platform::SiteData siteData = platform::SiteData::Shared(); // what it opened with
};

class FakePageSetHost : public profiles::PageSetHost {
public:
    std::vector<FakePage> pages;
    int current = -1;
    int opened = 0;
    bool failLocation = false; // PageLocationURL throws
    std::function<void()> onOpen; // runs inside each OpenPage
    platform::SiteData siteData = platform::SiteData::Shared(); // for the pages opened next

    int PageCount() const override { return static_cast<int>(pages.size()); }
    std::string PageCaption(int i) const override { return pages.at(i).caption; }
    std::string PageFirstURL(int i) const override { return pages.at(i).firstURL; }
    void SetPageFirstURL(int i, const std::string& url) override { pages.at(i).firstURL = url; }
    bool PageRememberLastURL(int i) const override { return pages.at(i).rememberLastURL; }
    void SetPageRememberLastURL(int i, bool remember) override { pages.at(i).rememberLastURL = remember; }
    std::string PageLocationURL(int i) override
    {
        if (failLocation)
            throw std::runtime_error("The browser could not tell its location.");
        return pages.at(i).location;
    }
    void OpenPage(const std::string& url, const std::string& caption) override
    {
        pages.push_back({caption, url, false, url, siteData});
        current = PageCount() - 1;
        ++opened;
        if (onOpen)
            onOpen();
    }
    void CloseAllPages() override
    {
        pages.clear();
        current = -1;
    }
    void MakePageCurrent(int i) override { current = i; }
    std::uint64_t PagesOpened() const override { return static_cast<std::uint64_t>(opened); }
    void UseSiteData(const platform::SiteData& data) override { siteData = data; }

    // Adds a page as a user would have left it.
    void Add(const std::string& caption, const std::string& firstURL, bool remember,
             const std::string& location)
    {
        pages.push_back({caption, firstURL, remember, location});
        ++opened;
    }
};
