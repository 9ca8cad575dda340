#include "WebKitLaunchQueue.h"

#include <webkit2/webkit2.h>

#include <algorithm>

namespace platform {

WebKitLaunchQueue& WebKitLaunchQueue::Program()
{
    static WebKitLaunchQueue queue;
    return queue;
}

WebKitLaunchQueue::~WebKitLaunchQueue()
{
    if (idleSource_)
        g_source_remove(idleSource_);
    for (Entry& entry : entries_)
        Release(entry);
}

void WebKitLaunchQueue::Release(Entry& entry)
{
    g_object_unref(entry.request);
    g_object_unref(entry.view);
}

void WebKitLaunchQueue::Enqueue(WebKitWebView* view, WebKitURIRequest* request, const std::string& url)
{
    Cancel(view);
    entries_.push_back(Entry{WEBKIT_WEB_VIEW(g_object_ref(view)),
                             WEBKIT_URI_REQUEST(g_object_ref(request)), url});
    ScheduleStart();
}

void WebKitLaunchQueue::Cancel(WebKitWebView* view)
{
    auto found = std::find_if(entries_.begin(), entries_.end(),
                              [view](const Entry& entry) { return entry.view == view; });
    if (found == entries_.end())
        return;
    Release(*found);
    entries_.erase(found);
}

std::optional<std::string> WebKitLaunchQueue::PendingURL(WebKitWebView* view) const
{
    for (const Entry& entry : entries_)
        if (entry.view == view)
            return entry.url;
    return std::nullopt;
}

void WebKitLaunchQueue::ScheduleStart()
{
    if (!idleSource_ && !entries_.empty())
        idleSource_ = g_idle_add_full(G_PRIORITY_DEFAULT_IDLE, &WebKitLaunchQueue::StartNext, this,
                                      nullptr);
}

int WebKitLaunchQueue::StartNext(void* data)
{
    auto* self = static_cast<WebKitLaunchQueue*>(data);
    self->idleSource_ = 0;
    if (self->entries_.empty())
        return G_SOURCE_REMOVE;
    Entry entry = self->entries_.front();
    self->entries_.pop_front();
    // Schedule the next start before this one, which may run a nested loop.
    self->ScheduleStart();
    webkit_web_view_load_request(entry.view, entry.request);
    Release(entry);
    return G_SOURCE_REMOVE;
}

} // namespace platform
