#pragma once
// The pages behind the tabs of pgcMain: tab sheet i, FBrowsers[i] and
// FPageInfos[i] belong to page i, and the three always have one length and
// order. Pages are appended at the end and removed by index.
//
// A page whose first load waits (a stored set's page behind the shown one, a
// page that loads when shown) is listed at once, caption, record and all, but
// its engine view is made only when that load starts (one page per idle turn)
// or the page is shown; FBrowsers[i] is empty until then. Browser(i) makes it
// on demand; LocationURL, SessionState and Busy answer from the waiting load.
//
// The program's own changes of the current page (opening, closing, making a
// page current) run no tab-change reaction, only the listener's
// CurrentPageChanged; a change the user makes (a click on a tab, Ctrl+Tab /
// Ctrl+Shift+Tab while the focus is in the notebook or its pages, the
// notebook's own keys) is passed to the listener's pgcMainChange.
#include "PageEventListener.h"
#include "SiteData.h"
#include "TBrowserHost.h"
#include "TPageInfo.h"
#include "TabCaption.h"
#include "TypedUrl.h"

#include <gtkmm/box.h>
#include <gtkmm/notebook.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pages {

class PageList {
public:
    // notebook (the main window's pgcMain) must outlive the list.
    explicit PageList(Gtk::Notebook& notebook);
    ~PageList();
    PageList(const PageList&) = delete;
    PageList& operator=(const PageList&) = delete;

    // Receives the browsers' events and the user's tab changes (or nobody).
    void SetListener(PageEventListener* listener) { listener_ = listener; }
    // Where words typed as an address are searched ("%s" stands for them);
    // asked afresh each time. Unset: kDefaultSearchAddress.
    void SetSearchAddress(std::function<std::string()> searchAddress) { searchAddress_ = std::move(searchAddress); }
    // What text means as an address, read with the current web search. A text
    // is read once, where it enters; the reading is what the page list carries.
    TypedUrl ReadTyped(const std::string& text) const;

    // Whose site data the pages opened from now on use (the current
    // profile's choice); pages open already keep theirs. Shared at first.
    void SetSiteData(const platform::SiteData& siteData) { siteData_ = siteData; }
    const platform::SiteData& SiteDataOfNewPages() const { return siteData_; }

    // When on, a page opened beside others keeps its caption and URL but is not
    // sent there (its engine starts nothing) until it is first shown. Off by default.
    void SetLoadPagesWhenShown(bool on) { loadPagesWhenShown_ = on; }
    bool LoadPagesWhenShown() const { return loadPagesWhenShown_; }
    // Whether page index still waits to be shown before it loads.
    bool IsUnloaded(int index) const;
    // Whether page index is loading; a page whose first load waits is not.
    bool Busy(int index);

    // Appends a page for url captioned caption and sends its browser to url's
    // address. A refused url or a navigation the control rejects raises; the
    // page then stays open but does not become current.
    void OpenPage(const TypedUrl& url, const std::string& caption);
    // The same for text not read yet: it is read here, once.
    void OpenPage(const std::string& url, const std::string& caption);
    // Opens a page of a stored page set: as OpenPage, but while another page
    // is current its first load waits until the current page has committed
    // (or failed), the page becomes current, or three seconds have passed, so
    // that the page the user sees loads first. Until then its location is that address.
    void OpenPageInSet(const TypedUrl& url, const std::string& caption);
    // A waiting first load is not started (Stop on a page that waits); the
    // page still tells that URL as its location until it is sent elsewhere.
    void DropWaitingLoad(int index);
    // A new browser placed in sheet, using the list's site data, handed to
    // the caller, who owns it.
    std::unique_ptr<TBrowserHost> CreateBrowser(Gtk::Box& sheet);
    // Sends browser i to url's address and makes url the page's FirstURL (not
    // when url is refused or the control rejects the navigation: that raises).
    void NavigatePage(int index, const TypedUrl& url);
    // The same for text not read yet: it is read here, once.
    void NavigatePage(int index, const std::string& url);
    // Sends browser i to url's address as it is; a blank url sends it nowhere,
    // a refused one raises ERefusedAddress.
    void SendBrowser(int index, const TypedUrl& url);
    // Out-of-range indices do nothing. Afterwards the page that followed the
    // closed one is current, or the first page when the last one was closed.
    void ClosePage(int index);
    void CloseAllPages();
    // The current tab's caption becomes caption; with no page open, nothing.
    void SetPageLabel(const std::string& caption);

    int PageCount() const { return static_cast<int>(FBrowsers.size()); }
    // How many pages have been opened in all; closing one does not count down.
    std::uint64_t PagesOpened() const { return pagesOpened_; }
    // The current page's index, or -1 when no page is open.
    int CurrentIndex() const;
    // The label exactly as given (the tab may show it shortened).
    std::string Caption(int index) const;
    // The tab that shows page index's label.
    TabCaption& Tab(int index);
    TPageInfo& PageInfo(int index);
    // Page index's browser; a page whose view is not made yet gets it now.
    TBrowserHost& Browser(int index);
    // Whether page index's view is made.
    bool HasView(int index) const;
    // The current page's browser, or nullptr (also while its view is not
    // made yet: the program's own change of pages makes it on the next idle turn).
    TBrowserHost* CurrentBrowser();
    // Where page index is; a page whose first load waits is at that address.
    std::string LocationURL(int index);
    // Page index's back/forward history as the engine keeps it; a page whose
    // first load waits keeps the history it was given until that load starts.
    platform::ByteArray SessionState(int index);
    // Gives page index the history it had (the engine may refuse it: that raises).
    void SetSessionState(int index, const platform::ByteArray& state);
    // Makes page index current without the tab-change reaction.
    void SetCurrentPage(int index);

    Gtk::Notebook& Notebook() { return pgcMain; }

private:
    void HookBrowserEvents(TBrowserHost& browser);
    // A browser made in sheet with the list's events hooked (PageListViews.cpp).
    std::unique_ptr<TBrowserHost> NewHookedBrowser(Gtk::Box& sheet);
    // Makes page index's view if it is not made yet; a failure is reported.
    void ShowView(int index);
    // Starts the first waiting load in page order (making its view); whether
    // any is left for the next idle turn.
    bool StartNextWaitingLoad();
    // One idle turn of StartWaitingLoads: a start, or waiting for a nested loop to end.
    bool OnStartTurn();
    // Takes page index out of the three sequences and makes a neighbour current.
    void RemovePage(int index);
    // After the program's own change of the current page: the listener shows it.
    void TellCurrentPageChanged();
    void HoldLoad(int index, const TypedUrl& url);
    void HoldUntilShown(int index, const TypedUrl& url);
    void ScheduleLoadOfCurrent();
    void StartWaitingLoad(int index);
    void StartWaitingLoads();
    // Once the current page's top frame has committed or failed.
    void StartWaitingLoadsAfter(TBrowserControl* sender);
    bool AnyWaiting() const;
    void OnSwitchPage(Gtk::Widget* page, guint pageNumber);
    bool OnNotebookKeyPress(GdkEventKey* event);
    void CheckIndex(int index) const;
    // Stops the program when the tab sheets, FBrowsers and FPageInfos are not
    // of one length and order, or a page's browser is missing from its tab.
    void CheckPages() const;

    // Members the program is known by keep their names (pgcMain, FBrowsers,
    // FPageInfos); the list's own end in an underscore.
    Gtk::Notebook& pgcMain;
    PageEventListener* listener_ = nullptr;
    std::function<std::string()> searchAddress_;
    platform::SiteData siteData_ = platform::SiteData::Shared();
    int programChanges_ = 0; // >0 while the program itself changes pages
    std::vector<std::unique_ptr<Gtk::Box>> sheets_;
    std::vector<std::unique_ptr<TabCaption>> tabs_;
    std::vector<std::unique_ptr<TBrowserHost>> FBrowsers;
    std::vector<std::unique_ptr<TPageInfo>> FPageInfos;
    std::vector<sigc::connection> connections_;
    // Per page: a first load that waits for the current page, or was stopped
    // while it waited (start false), or waits until the page is first shown.
    struct WaitingLoad {
        TypedUrl url;
        bool start = true;
        bool untilShown = false;
        platform::ByteArray session; // given back once the load has started
    };
    std::vector<std::optional<WaitingLoad>> waiting_;
    bool holdBackgroundLoads_ = false; // set while OpenPageInSet runs
    std::uint64_t pagesOpened_ = 0;
    bool loadPagesWhenShown_ = false;
    sigc::connection waitingCheck_;
    sigc::connection waitingLimit_;
    sigc::connection loadCurrent_;
    sigc::connection startNext_;
};

} // namespace pages
