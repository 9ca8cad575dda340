#pragma once
// What the page list tells the navigation side: the two browser events every
// page's browser is hooked to, and a tab change made by the user.
class TBrowserControl;

namespace pages {

class PageEventListener {
public:
    virtual void BrowserBeforeNavigate2(TBrowserControl* sender) = 0;
    virtual void BrowserDocumentComplete(TBrowserControl* sender) = 0;
    virtual void pgcMainChange() = 0;

protected:
    ~PageEventListener() = default;
};

} // namespace pages
