#pragma once
// The first load of a new web view starts its web process, which WebKit does
// synchronously; opening many pages at once would freeze the window for all of
// those starts together. First loads therefore wait in one program-wide queue
// that starts one of them each time the main loop is otherwise idle, so input
// and drawing are served between the starts. Only used by the WebKit engine.
#include <deque>
#include <optional>
#include <string>

typedef struct _WebKitWebView WebKitWebView;
typedef struct _WebKitURIRequest WebKitURIRequest;

namespace platform {

class WebKitLaunchQueue {
public:
    static WebKitLaunchQueue& Program();
    ~WebKitLaunchQueue();

    // Queues the view's load (or replaces the one it already has queued).
    void Enqueue(WebKitWebView* view, WebKitURIRequest* request, const std::string& url);
    // Drops the view's queued load, if any.
    void Cancel(WebKitWebView* view);
    // The URL of the view's queued load, while it waits.
    std::optional<std::string> PendingURL(WebKitWebView* view) const;

private:
    struct Entry {
        WebKitWebView* view;        // one reference of ours
        WebKitURIRequest* request;  // one reference of ours
        std::string url;
    };
    static int StartNext(void* self);
    static void Release(Entry& entry);
    void ScheduleStart();

    std::deque<Entry> entries_;
    unsigned idleSource_ = 0;
};

} // namespace platform
