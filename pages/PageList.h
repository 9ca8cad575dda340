#pragma once
// The pages behind the tabs of pgcMain: tab sheet i, FBrowsers[i] and
// FPageInfos[i] belong to page i, and the three always have one length and
// order. Pages are appended at the end and removed by index.
//
// The program's own changes of the current page (opening, closing, making a
// page current) run no tab-change reaction; a change the user makes (a click
// on a tab, Ctrl+Tab / Ctrl+Shift+Tab while the focus is in the notebook or
// its pages, the notebook's own keys) is passed to the listener's pgcMainChange.
#include "PageEventListener.h"
#include "TBrowserHost.h"
#include "TPageInfo.h"

#include <gtkmm/box.h>
#include <gtkmm/notebook.h>

#include <memory>
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

    // Appends a page for url captioned caption and sends its browser there.
    // A navigation the control rejects raises; the page then stays open but
    // does not become current.
    void OpenPage(const std::string& url, const std::string& caption);
    TBrowserHost& CreateBrowser(Gtk::Box& sheet);
    // Sends browser i to url and makes url the page's FirstURL (not when the
    // control rejects the navigation: that raises).
    void NavigatePage(int index, const std::string& url);
    // Out-of-range indices do nothing. Afterwards the page that followed the
    // closed one is current, or the first page when the last one was closed.
    void ClosePage(int index);
    void CloseAllPages();
    // The current tab's caption becomes caption; with no page open, nothing.
    void SetPageLabel(const std::string& caption);

    int PageCount() const { return static_cast<int>(FBrowsers.size()); }
    // The current page's index, or -1 when no page is open.
    int CurrentIndex() const;
    std::string Caption(int index) const;
    TPageInfo& PageInfo(int index);
    TBrowserHost& Browser(int index);
    // The current page's browser, or nullptr.
    TBrowserHost* CurrentBrowser();
    std::string LocationURL(int index);
    // Makes page index current without the tab-change reaction.
    void SetCurrentPage(int index);

    Gtk::Notebook& Notebook() { return pgcMain; }

private:
    void HookBrowserEvents(TBrowserHost& browser);
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
    int programChanges_ = 0; // >0 while the program itself changes pages
    std::vector<std::unique_ptr<Gtk::Box>> sheets_;
    std::vector<std::unique_ptr<TBrowserHost>> FBrowsers;
    std::vector<std::unique_ptr<TPageInfo>> FPageInfos;
    std::vector<sigc::connection> connections_;
};

} // namespace pages
