#pragma once
// What the page list tells the navigation side: the browser events every
// page's browser is hooked to, a tab change made by the user, and a change of
// the current page the program made itself.
#include <string>

class TBrowserControl;

namespace pages {

class PageEventListener {
public:
    virtual void BrowserBeforeNavigate2(TBrowserControl* sender) = 0;
    virtual void BrowserDocumentComplete(TBrowserControl* sender) = 0;
    // The top frame of sender committed a new document.
    virtual void BrowserNavigateComplete2(TBrowserControl* sender) = 0;
    // The top frame of sender failed to load url.
    virtual void BrowserNavigateError(TBrowserControl* sender, const std::string& url) = 0;
    virtual void pgcMainChange() = 0;
    // The program made another page current (opening, closing, a page set).
    virtual void CurrentPageChanged() = 0;

protected:
    ~PageEventListener() = default;
};

} // namespace pages
