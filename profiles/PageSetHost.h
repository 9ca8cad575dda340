#pragma once
// What the profile operations need of the open pages. The main window
// implements it over its page list; page i is tab i, counted from 0.
#include "SiteData.h"

#include <cstdint>
#include <string>

namespace profiles {

class PageSetHost {
public:
    virtual ~PageSetHost() = default;

    virtual int PageCount() const = 0;
    virtual std::string PageCaption(int index) const = 0;
    virtual std::string PageFirstURL(int index) const = 0;
    virtual void SetPageFirstURL(int index, const std::string& url) = 0;
    virtual bool PageRememberLastURL(int index) const = 0;
    virtual void SetPageRememberLastURL(int index, bool remember) = 0;
    // The browser view's current location as 8-bit text; may throw.
    virtual std::string PageLocationURL(int index) = 0;

    // Appends a page shown with caption, sent to url, whose FirstURL is url and
    // which does not remember its last URL, and makes it the current page.
    virtual void OpenPage(const std::string& url, const std::string& caption) = 0;
    virtual void CloseAllPages() = 0;
    // How many pages have been opened so far, by a profile load or by the
    // user; it never goes down.
    virtual std::uint64_t PagesOpened() const = 0;
    // Whose site data the pages opened from now on use; those open keep theirs.
    virtual void UseSiteData(const platform::SiteData& siteData) = 0;
    virtual void MakePageCurrent(int index) = 0;

    // The page's back/forward list as the engine's opaque bytes; empty when it
    // has none or cannot tell.
    virtual std::string PageSessionState(int /*index*/) { return {}; }
    // Gives a page just opened the list in state; bytes the engine refuses
    // (damaged, another engine version) are ignored and the page opens as it would.
    virtual void RestorePageSessionState(int /*index*/, const std::string& /*state*/) {}
};

} // namespace profiles
