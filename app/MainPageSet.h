#pragma once
// The open pages as the profile operations see them: the main window's page
// list behind the profiles' page-set interface. Stored page URLs enter the
// pages here and are read here, once.
#include "PageList.h"
#include "PageSetHost.h"

class MainPageSet : public profiles::PageSetHost {
public:
    explicit MainPageSet(pages::PageList& pages) : pages_(pages) {}

    int PageCount() const override { return pages_.PageCount(); }
    std::string PageCaption(int index) const override { return pages_.Caption(index); }
    std::string PageFirstURL(int index) const override;
    void SetPageFirstURL(int index, const std::string& url) override;
    bool PageRememberLastURL(int index) const override;
    void SetPageRememberLastURL(int index, bool remember) override;
    std::string PageLocationURL(int index) override { return pages_.LocationURL(index); }
    void OpenPage(const std::string& url, const std::string& caption) override;
    void CloseAllPages() override { pages_.CloseAllPages(); }
    std::uint64_t PagesOpened() const override { return pages_.PagesOpened(); }
    void UseSiteData(const platform::SiteData& siteData) override { pages_.SetSiteData(siteData); }
    void MakePageCurrent(int index) override { pages_.SetCurrentPage(index); }
    std::string PageSessionState(int index) override;
    void RestorePageSessionState(int index, const std::string& state) override;

private:
    pages::PageList& pages_;
};
