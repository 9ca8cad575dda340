#include "WebKitLaunchQueue.h"

#include <webkit2/webkit2.h>

#include <algorithm>
#include <utility>

namespace platform {
namespace {
// Queued first loads wait at most this long for the first page to commit.
constexpr unsigned kLeaderHoldSeconds = 3;
} // namespace

WebKitLaunchQueue& WebKitLaunchQueue::Program()
{
    static WebKitLaunchQueue queue;
    return queue;
}

WebKitLaunchQueue::~WebKitLaunchQueue()
{
    if (idleSource_)
        g_source_remove(idleSource_);
    EndHold();
}

void WebKitLaunchQueue::Enqueue(WebKitWebView* view, WebKitURIRequest* request, const std::string& url)
{
    Cancel(view);
    if (!anyStarted_) {
        StartLeader(view, request, url);
        return;
    }
    entries_.push_back(Entry{GObjectPtr<WebKitWebView>::Ref(view), GObjectPtr<WebKitURIRequest>::Ref(request), url});
    ScheduleStart();
}

void WebKitLaunchQueue::StartLeader(WebKitWebView* view, WebKitURIRequest* request, const std::string& url)
{
    anyStarted_ = true;
    leader_ = GObjectPtr<WebKitWebView>::Ref(view);
    leaderURL_ = url;
    leaderSignals_[0] = g_signal_connect(view, "load-changed", G_CALLBACK(OnLeaderLoadChanged), this);
    leaderSignals_[1] = g_signal_connect(view, "load-failed", G_CALLBACK(OnLeaderLoadFailed), this);
    holdTimeout_ = g_timeout_add_seconds(kLeaderHoldSeconds, &WebKitLaunchQueue::HoldExpired, this);
    // Now, ahead of everything else the start has still to do (the window's
    // own steps, realizing and drawing it), as the engine's processes take
    // their time to start.
    webkit_web_view_load_request(view, request);
}

void WebKitLaunchQueue::OnLeaderLoadChanged(WebKitWebView*, int event, void* data)
{
    auto* self = static_cast<WebKitLaunchQueue*>(data);
    if (event == WEBKIT_LOAD_STARTED) {
        self->leaderURL_.clear();
    } else if (event == WEBKIT_LOAD_COMMITTED || event == WEBKIT_LOAD_FINISHED) {
        self->EndHold();
        self->ScheduleStart();
    }
}

int WebKitLaunchQueue::OnLeaderLoadFailed(WebKitWebView*, int, const char*, void*, void* data)
{
    auto* self = static_cast<WebKitLaunchQueue*>(data);
    self->EndHold();
    self->ScheduleStart();
    return FALSE; // only watching: the page's own handlers still answer the failure
}

int WebKitLaunchQueue::HoldExpired(void* data)
{
    auto* self = static_cast<WebKitLaunchQueue*>(data);
    self->holdTimeout_ = 0;
    self->EndHold();
    self->ScheduleStart();
    return G_SOURCE_REMOVE;
}

void WebKitLaunchQueue::EndHold()
{
    if (holdTimeout_)
        g_source_remove(holdTimeout_);
    holdTimeout_ = 0;
    if (!leader_)
        return;
    for (unsigned long& id : leaderSignals_)
        if (id)
            g_signal_handler_disconnect(leader_.get(), std::exchange(id, 0));
    leader_.reset();
    leaderURL_.clear();
}

void WebKitLaunchQueue::Cancel(WebKitWebView* view)
{
    if (view == leader_) {
        EndHold();
        ScheduleStart();
    }
    auto found = std::find_if(entries_.begin(), entries_.end(),
                              [view](const Entry& entry) { return entry.view == view; });
    if (found != entries_.end())
        entries_.erase(found);
}

std::optional<std::string> WebKitLaunchQueue::PendingURL(WebKitWebView* view) const
{
    if (view == leader_ && !leaderURL_.empty())
        return leaderURL_;
    for (const Entry& entry : entries_)
        if (entry.view == view)
            return entry.url;
    return std::nullopt;
}

void WebKitLaunchQueue::ScheduleStart()
{
    if (!idleSource_ && !leader_ && !entries_.empty())
        idleSource_ = g_idle_add_full(G_PRIORITY_DEFAULT_IDLE, &WebKitLaunchQueue::StartNext, this,
                                      nullptr);
}

int WebKitLaunchQueue::StartNext(void* data)
{
    auto* self = static_cast<WebKitLaunchQueue*>(data);
    self->idleSource_ = 0;
    if (self->entries_.empty())
        return G_SOURCE_REMOVE;
    Entry entry = std::move(self->entries_.front());
    self->entries_.pop_front();
    // Schedule the next start before this one, which may run a nested loop.
    self->ScheduleStart();
    webkit_web_view_load_request(entry.view.get(), entry.request.get());
    return G_SOURCE_REMOVE;
}

} // namespace platform
