#include "PageList.h"

#include "ErrorReport.h"
#include "Invariant.h"

#include <gdk/gdkkeysyms.h>
#include <glibmm/main.h>

#include <algorithm>
#include <utility>

#include <stdexcept>

namespace pages {
namespace {

// Counts the program's own page changes so the switch-page signal they cause
// is not taken for the user's.
class ProgramChange {
public:
    explicit ProgramChange(int& depth) : depth_(depth) { ++depth_; }
    ~ProgramChange() { --depth_; }
    ProgramChange(const ProgramChange&) = delete;
    ProgramChange& operator=(const ProgramChange&) = delete;

private:
    int& depth_;
};

// Whether an event's frame is the browser's own top frame.
bool IsTopFrame(TBrowserControl& browser, const platform::DispatchPtr& frame)
{
    return frame && frame.get() == browser.Application().get();
}

// Re-lays the browser out to fill its sheet and repaints it.
void LayOutAfresh(Gtk::Widget& browser)
{
    browser.queue_resize();
    browser.queue_draw();
}

} // namespace

PageList::PageList(Gtk::Notebook& notebook) : pgcMain(notebook)
{
    connections_.push_back(pgcMain.signal_switch_page().connect(
        sigc::mem_fun(*this, &PageList::OnSwitchPage), true));
    connections_.push_back(pgcMain.signal_key_press_event().connect(
        sigc::mem_fun(*this, &PageList::OnNotebookKeyPress), false));
}

PageList::~PageList()
{
    waitingCheck_.disconnect();
    waitingLimit_.disconnect();
    loadCurrent_.disconnect();
    startNext_.disconnect();
    for (sigc::connection& c : connections_)
        c.disconnect();
    ProgramChange quiet(programChanges_);
    for (int i = PageCount() - 1; i >= 0; --i)
        ClosePage(i);
}

void PageList::CheckPages() const
{
    using platform::Invariant;
    Invariant(sheets_.size() == FBrowsers.size() && FBrowsers.size() == FPageInfos.size() &&
                  tabs_.size() == sheets_.size() && waiting_.size() == sheets_.size(),
              "the tab sheets, FBrowsers and FPageInfos have one length");
    Invariant(pgcMain.get_n_pages() == static_cast<int>(sheets_.size()), "every tab of pgcMain is a page");
    for (std::size_t i = 0; i < sheets_.size(); ++i) {
        Invariant(pgcMain.get_nth_page(static_cast<int>(i)) == sheets_[i].get(), "page i is tab i of pgcMain");
        Invariant(FPageInfos[i] && (FBrowsers[i] || waiting_[i]),
                  "a page has its record, and its browser unless its first load waits");
        Invariant(!FBrowsers[i] || FBrowsers[i]->get_parent() == sheets_[i].get(),
                  "a page's browser lives on its tab while the tab exists");
    }
}

void PageList::CheckIndex(int index) const
{
    CheckPages();
    if (index < 0 || index >= PageCount())
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
}

int PageList::CurrentIndex() const
{
    return PageCount() == 0 ? -1 : pgcMain.get_current_page();
}

std::string PageList::Caption(int index) const
{
    CheckIndex(index);
    return tabs_[static_cast<std::size_t>(index)]->Caption();
}

TabCaption& PageList::Tab(int index)
{
    CheckIndex(index);
    return *tabs_[static_cast<std::size_t>(index)];
}

TPageInfo& PageList::PageInfo(int index)
{
    CheckIndex(index);
    return *FPageInfos[static_cast<std::size_t>(index)];
}

std::string PageList::LocationURL(int index)
{
    CheckIndex(index);
    // A waiting first load is where the page is going, as for a load under way.
    if (const auto& load = waiting_[static_cast<std::size_t>(index)])
        return load->url.address;
    return Browser(index).LocationURL();
}

void PageList::SetCurrentPage(int index)
{
    CheckIndex(index);
    {
        ProgramChange quiet(programChanges_);
        pgcMain.set_current_page(index);
    }
    TellCurrentPageChanged();
}

void PageList::TellCurrentPageChanged()
{
    if (listener_ && programChanges_ == 0 && CurrentIndex() >= 0)
        listener_->CurrentPageChanged();
}

void PageList::OpenPage(const std::string& url, const std::string& caption)
{
    OpenPage(ReadTyped(url), caption);
}

void PageList::OpenPage(const TypedUrl& url, const std::string& caption)
{
    // A page whose first load will wait (behind the shown page of a stored
    // set, or until it is shown) is listed now and gets its view when that
    // load starts or it is shown (PageListViews.cpp).
    const bool viewLater = PageCount() > 0 && (holdBackgroundLoads_ || loadPagesWhenShown_) &&
                           url.kind != TypedUrl::Kind::Refused;
    auto sheet = std::make_unique<Gtk::Box>(Gtk::ORIENTATION_VERTICAL);
    sheet->show();
    auto tab = std::make_unique<TabCaption>(caption);
    {
        ProgramChange quiet(programChanges_);
        pgcMain.append_page(*sheet, tab->Widget());
    }
    std::unique_ptr<TBrowserHost> browser;
    if (!viewLater) {
        try {
            browser = NewHookedBrowser(*sheet);
        } catch (...) {
            // Without a browser the page cannot exist: take the tab away again so
            // the three sequences stay in step, and let the failure be reported.
            ProgramChange quiet(programChanges_);
            pgcMain.remove_page(*sheet);
            throw;
        }
    }
    sheets_.push_back(std::move(sheet));
    tabs_.push_back(std::move(tab));
    FBrowsers.push_back(std::move(browser));
    FPageInfos.push_back(std::make_unique<TPageInfo>(url));
    waiting_.emplace_back();
    if (viewLater) // the load is held below; until then the page is at its URL
        waiting_.back() = WaitingLoad{.url = url, .start = true, .untilShown = false, .session = {}};
    ++pagesOpened_;

    CheckPages();
    const int index = PageCount() - 1;
    if (loadPagesWhenShown_ && index > 0) {
        HoldUntilShown(index, url);
        SetCurrentPage(index);
        ScheduleLoadOfCurrent();
        return;
    }
    NavigatePage(index, url);
    SetCurrentPage(index);
}

std::unique_ptr<TBrowserHost> PageList::CreateBrowser(Gtk::Box& sheet)
{
    auto browser = std::make_unique<TBrowserHost>(siteData_);
    sheet.pack_start(*browser, Gtk::PACK_EXPAND_WIDGET);
    browser->SetVisible(true);
    browser->show();
    browser->queue_draw();
    return browser;
}

void PageList::HookBrowserEvents(TBrowserHost& browser)
{
    browser.OnBeforeNavigate2 = [this](TBrowserControl* sender, const DispatchPtr& pDisp, Variant&, Variant&,
                                       Variant&, Variant&, Variant&, WordBool&) {
        // A navigation in a window the page opened is not the page loading.
        if (listener_ && pDisp == sender->Application())
            listener_->BrowserBeforeNavigate2(sender);
    };
    // Only the top frame's: a frame's address never goes into the URL box.
    browser.OnNavigateComplete2 = [this](TBrowserControl* sender, const DispatchPtr& pDisp, Variant&) {
        if (!IsTopFrame(*sender, pDisp))
            return;
        StartWaitingLoadsAfter(sender);
        if (listener_)
            listener_->BrowserNavigateComplete2(sender);
    };
    browser.OnNavigateError = [this](TBrowserControl* sender, const DispatchPtr& pDisp, Variant& URL, Variant&,
                                     Variant&, WordBool&) {
        if (!IsTopFrame(*sender, pDisp))
            return;
        StartWaitingLoadsAfter(sender);
        if (listener_ && URL.GetKind() == Variant::Kind::Text)
            listener_->BrowserNavigateError(sender, URL.AsText());
    };
    browser.OnDocumentComplete = [this](TBrowserControl* sender, const DispatchPtr&, Variant&) {
        if (listener_)
            listener_->BrowserDocumentComplete(sender);
    };
}

TypedUrl PageList::ReadTyped(const std::string& text) const
{
    return ReadTypedUrl(text, searchAddress_ ? searchAddress_() : std::string(kDefaultSearchAddress));
}

void PageList::SendBrowser(int index, const TypedUrl& url)
{
    TBrowserHost& browser = Browser(index);
    if (url.kind == TypedUrl::Kind::Refused)
        throw ERefusedAddress(url.message);
    waiting_[static_cast<std::size_t>(index)].reset(); // sent now, or elsewhere
    if (url.kind == TypedUrl::Kind::Empty)
        return; // a page without an address stays blank
    Variant target(url.address);
    Variant flags;
    Variant targetFrameName;
    Variant postData;
    Variant headers;
    browser.Navigate2(target, flags, targetFrameName, postData, headers);
}

void PageList::NavigatePage(int index, const std::string& url)
{
    NavigatePage(index, ReadTyped(url));
}

void PageList::NavigatePage(int index, const TypedUrl& url)
{
    CheckIndex(index);
    if (holdBackgroundLoads_ && index != CurrentIndex())
        HoldLoad(index, url);
    else
        SendBrowser(index, url);
    if (TBrowserHost* browser = FBrowsers[static_cast<std::size_t>(index)].get())
        LayOutAfresh(*browser);
    FPageInfos[static_cast<std::size_t>(index)]->SetFirstURL(url);
    pgcMain.queue_draw();
}

void PageList::ClosePage(int index)
{
    const int count = PageCount();
    if (index < 0 || index >= count)
        return;
    {
        ProgramChange quiet(programChanges_);
        RemovePage(index);
    }
    TellCurrentPageChanged();
}

void PageList::RemovePage(int index)
{
    const int count = PageCount();
    const auto at = static_cast<std::ptrdiff_t>(index);
    FBrowsers[static_cast<std::size_t>(index)].reset();
    FBrowsers.erase(FBrowsers.begin() + at);
    pgcMain.remove_page(*sheets_[static_cast<std::size_t>(index)]);
    sheets_.erase(sheets_.begin() + at);
    tabs_.erase(tabs_.begin() + at);
    waiting_.erase(waiting_.begin() + at);
    FPageInfos.erase(FPageInfos.begin() + at);
    CheckPages();

    const int remaining = count - 1;
    if (remaining > 0)
        pgcMain.set_current_page(index == count - 1 ? 0 : index);
}

void PageList::CloseAllPages()
{
    pgcMain.hide();
    for (int i = PageCount() - 1; i >= 0; --i)
        ClosePage(i);
    pgcMain.show();
}

void PageList::SetPageLabel(const std::string& caption)
{
    const int current = CurrentIndex();
    if (current < 0)
        return;
    tabs_[static_cast<std::size_t>(current)]->SetCaption(caption);
}

void PageList::OnSwitchPage(Gtk::Widget*, guint pageNumber)
{
    if (programChanges_ > 0) {
        ScheduleLoadOfCurrent();
        return;
    }
    // The user chose a page whose first load waits: it loads now, and a page
    // whose view is not made yet gets it now.
    if (static_cast<int>(pageNumber) < PageCount()) {
        StartWaitingLoad(static_cast<int>(pageNumber));
        ShowView(static_cast<int>(pageNumber));
    }
    if (!listener_)
        return;
    listener_->pgcMainChange();
}

bool PageList::OnNotebookKeyPress(GdkEventKey* event)
{
    const bool control = event->state & GDK_CONTROL_MASK;
    const bool tab = event->keyval == GDK_KEY_Tab || event->keyval == GDK_KEY_ISO_Left_Tab ||
                     event->keyval == GDK_KEY_KP_Tab;
    if (!control || !tab || event->state & (GDK_MOD1_MASK | GDK_SUPER_MASK))
        return false;
    const int count = PageCount();
    if (count == 0)
        return true;
    const bool backwards = event->state & GDK_SHIFT_MASK || event->keyval == GDK_KEY_ISO_Left_Tab;
    const int current = std::max(CurrentIndex(), 0);
    // A change made here is the user's: the switch-page signal reports it.
    pgcMain.set_current_page(backwards ? (current + count - 1) % count : (current + 1) % count);
    return true;
}

} // namespace pages
