#pragma once
// The navigation commands (Home, Back, Forward, Refresh, Stop current, Stop
// all), Enter in the URL box, the URL box's text and the busy animation, which
// follows the current page through its browser's events and the user's tab
// changes.
#include "PageEventListener.h"
#include "PageList.h"
#include "UrlBoxCompletion.h"

#include "AnimationControl.h"

#include <gtkmm/comboboxtext.h>

#include <functional>
#include <string>

namespace pages {

// Records a URL the user entered in the URL history.
using AddURLToHistoryFunction = std::function<void(const std::string& url)>;

class Navigation : public PageEventListener {
public:
    // Becomes the page list's listener. Every reference must outlive it.
    Navigation(PageList& pages, Gtk::ComboBoxText& cboURL, UrlBoxCompletion& completion,
               platform::AnimationControl& anmState, AddURLToHistoryFunction addURLToHistory);
    ~Navigation();
    Navigation(const Navigation&) = delete;
    Navigation& operator=(const Navigation&) = delete;

    void btnHomeClick();
    void NavigateHome(int index);
    void btnBackClick();
    void itmBackClick() { btnBackClick(); }
    void btnForwardClick();
    void itmForwardClick() { btnForwardClick(); }
    void btnRefreshClick();
    void btnStopAllClick();
    void btnStop1Click();
    // Enter (any shift state) navigates; the key is never consumed.
    void cboURLKeyDown(guint& key, GdkModifierType shift);
    // Puts browser's document URL into the URL box; nullptr or no document: nothing.
    void UpdateURLBox(TBrowserControl* browser);

    void BrowserBeforeNavigate2(TBrowserControl* sender) override;
    void BrowserDocumentComplete(TBrowserControl* sender) override;
    // The current page's new document is on screen: the box shows its address.
    void BrowserNavigateComplete2(TBrowserControl* sender) override;
    // The current page failed to load url: the box shows url, for the user to
    // correct, and the animation stops.
    void BrowserNavigateError(TBrowserControl* sender, const std::string& url) override;
    void pgcMainChange() override;
    void CurrentPageChanged() override;

private:
    // The box shows page index's own address: its document's, else the one
    // it is loading, else its home.
    void ShowAddressOf(int index);
    void SetBoxText(const std::string& address);
    // GoBack or GoForward on the current page's browser.
    void StepThroughHistory(void (TBrowserControl::*step)());
    void EnterURL(const std::string& text);

    PageList& pages_;
    Gtk::ComboBoxText& cboURL_;
    UrlBoxCompletion& completion_;
    platform::AnimationControl& anmState_;
    AddURLToHistoryFunction addURLToHistory_;
};

} // namespace pages
