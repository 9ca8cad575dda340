// The page list's first loads that wait: behind the shown page while a stored
// page set opens, or until the page is first shown when pages load when shown;
// and what a waiting page reads as meanwhile.
#include "PageList.h"

#include "ErrorReport.h"

#include <glibmm/main.h>

#include <algorithm>

namespace pages {
namespace {

// How often waiting loads held back by a nested main loop look whether it has ended.
constexpr unsigned kNestedLoopCheckMs = 100;

} // namespace

platform::ByteArray PageList::SessionState(int index)
{
    CheckIndex(index);
    if (const auto& load = waiting_[static_cast<std::size_t>(index)])
        return load->session;
    return Browser(index).SessionState();
}

void PageList::SetSessionState(int index, const platform::ByteArray& state)
{
    CheckIndex(index);
    if (auto& load = waiting_[static_cast<std::size_t>(index)]) {
        load->session = state;
        return;
    }
    Browser(index).SetSessionState(state);
}

bool PageList::Busy(int index)
{
    CheckIndex(index);
    return !waiting_[static_cast<std::size_t>(index)] && Browser(index).Busy();
}

bool PageList::IsUnloaded(int index) const
{
    CheckIndex(index);
    const auto& load = waiting_[static_cast<std::size_t>(index)];
    return load && load->untilShown;
}

void PageList::OpenPageInSet(const TypedUrl& url, const std::string& caption)
{
    // Set while the page opens, cleared however that ends.
    struct Holding {
        bool& on;
        explicit Holding(bool& flag) : on(flag) { on = true; }
        ~Holding() { on = false; }
    } holding(holdBackgroundLoads_);
    OpenPage(url, caption);
}

void PageList::HoldLoad(int index, const TypedUrl& url)
{
    if (url.kind == TypedUrl::Kind::Refused)
        throw ERefusedAddress(url.message);
    waiting_[static_cast<std::size_t>(index)] = WaitingLoad{.url = url, .start = true, .untilShown = false, .session = {}};
    // Once the program's own steps are over: the page the user sees decides.
    if (!waitingCheck_.connected())
        waitingCheck_ = Glib::signal_idle().connect([this] {
            const int current = CurrentIndex();
            const auto* load = current < 0 ? nullptr : &waiting_[static_cast<std::size_t>(current)];
            if (load && *load && (*load)->start)
                StartWaitingLoad(current);
            else if (current < 0 || !Busy(current))
                StartWaitingLoads();
            return false;
        });
    // Only for a shown page that never commits: on a busy machine a shown
    // page may take more than a second, and starting the others' web
    // processes in the middle of its load delays every page.
    if (!waitingLimit_.connected())
        waitingLimit_ = Glib::signal_timeout().connect(
            [this] {
                StartWaitingLoads();
                return false;
            },
            3000);
}

void PageList::HoldUntilShown(int index, const TypedUrl& url)
{
    if (url.kind == TypedUrl::Kind::Refused)
        throw ERefusedAddress(url.message);
    waiting_[static_cast<std::size_t>(index)] = WaitingLoad{.url = url, .start = true, .untilShown = true, .session = {}};
    FPageInfos[static_cast<std::size_t>(index)]->SetFirstURL(url);
}

void PageList::ScheduleLoadOfCurrent()
{
    // The program's own page changes come in runs (a page set opening page by
    // page, then making its first page current): once the run is over, the
    // page that is current gets its view, and loads when pages load when shown.
    if (loadCurrent_.connected())
        return;
    loadCurrent_ = Glib::signal_idle().connect([this] {
        if (const int current = CurrentIndex(); current >= 0) {
            if (loadPagesWhenShown_)
                StartWaitingLoad(current);
            ShowView(current);
        }
        return false;
    });
}

void PageList::StartWaitingLoad(int index)
{
    const std::optional<WaitingLoad>& load = waiting_[static_cast<std::size_t>(index)];
    if (load && load->start) {
        const TypedUrl url = load->url;
        const platform::ByteArray session = load->session;
        platform::RunGuarded([&] {
            SendBrowser(index, url);
            if (session.empty())
                return;
            try {
                Browser(index).SetSessionState(session);
            } catch (const std::exception&) {
                // Refused: the page stays where it was sent, without its history.
            }
        });
    }
}

void PageList::StartWaitingLoadsAfter(TBrowserControl* sender)
{
    // The page the user sees has committed (or failed): its content is on the
    // way, and the waiting pages may load now.
    if (AnyWaiting() && sender == CurrentBrowser() && !waitingCheck_.connected())
        waitingCheck_ = Glib::signal_idle().connect([this] {
            StartWaitingLoads();
            return false;
        });
}

void PageList::StartWaitingLoads()
{
    waitingCheck_.disconnect();
    waitingLimit_.disconnect();
    // One page per idle turn: each makes its view, and a page given back its
    // history starts its web process at once, so input and drawing are served
    // between them.
    if (!startNext_.connected())
        startNext_ = Glib::signal_idle().connect(sigc::mem_fun(*this, &PageList::OnStartTurn));
}

bool PageList::OnStartTurn()
{
    // Not inside a loop nested in the program's own (a profile switch letting
    // pending events run before it closes these pages, a modal dialog): there
    // every idle turn would start one, and all of them would start in the
    // turn the nested loop belongs to. They go on once that loop has ended.
    if (g_main_depth() > 1) {
        startNext_ = Glib::signal_timeout().connect(
            [this] {
                if (g_main_depth() > 1)
                    return true;
                startNext_ = Glib::signal_idle().connect(sigc::mem_fun(*this, &PageList::OnStartTurn));
                return false;
            },
            kNestedLoopCheckMs);
        return false;
    }
    return StartNextWaitingLoad();
}

bool PageList::StartNextWaitingLoad()
{
    for (int i = 0; i < PageCount(); ++i) {
        const auto& load = waiting_[static_cast<std::size_t>(i)];
        if (!load || !load->start || load->untilShown) // those wait until they are shown
            continue;
        StartWaitingLoad(i);
        // Still waiting: it failed (and was reported); it is not tried again.
        if (i < PageCount() && waiting_[static_cast<std::size_t>(i)] && waiting_[static_cast<std::size_t>(i)]->start)
            waiting_[static_cast<std::size_t>(i)]->start = false;
        return true;
    }
    return false;
}

bool PageList::AnyWaiting() const
{
    return std::any_of(waiting_.begin(), waiting_.end(),
                       [](const auto& load) { return load && load->start && !load->untilShown; });
}

void PageList::DropWaitingLoad(int index)
{
    CheckIndex(index);
    // A page that waits to be shown still loads when it is shown.
    if (auto& load = waiting_[static_cast<std::size_t>(index)]; load && !load->untilShown)
        load->start = false;
}

} // namespace pages
