#pragma once
// The first load of a new web view starts its web process, which WebKit does
// synchronously; opening many pages at once would freeze the window for all of
// those starts together. First loads therefore wait in one program-wide queue
// that starts one of them each time the main loop is otherwise idle, so input
// and drawing are served between the starts.
//
// The program's very first load is the page the user sees first: it starts at
// once, inside the Navigate2 that asks for it, and the queued ones wait until
// it has committed (or failed, or a few seconds have passed), so their web
// processes do not compete with it. Only used by the WebKit engine.
#include "GObjectPtr.h"

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

    // Queues the view's load (or replaces the one it already has queued); the
    // program's first one starts now, before this returns.
    void Enqueue(WebKitWebView* view, WebKitURIRequest* request, const std::string& url);
    // Drops the view's queued load, if any.
    void Cancel(WebKitWebView* view);
    // The URL of the view's queued load, while it waits (and of the first
    // load until the engine reports it started).
    std::optional<std::string> PendingURL(WebKitWebView* view) const;

private:
    struct Entry {
        GObjectPtr<WebKitWebView> view;
        GObjectPtr<WebKitURIRequest> request;
        std::string url;
    };
    static int StartNext(void* self);
    static int HoldExpired(void* self);
    static void OnLeaderLoadChanged(WebKitWebView* view, int event, void* self);
    // "load-failed" handlers return whether they handled the failure (a gboolean).
    static int OnLeaderLoadFailed(WebKitWebView* view, int event, const char* uri, void* error, void* self);
    void StartLeader(WebKitWebView* view, WebKitURIRequest* request, const std::string& url);
    void EndHold();
    void ScheduleStart();

    std::deque<Entry> entries_;
    unsigned idleSource_ = 0;
    bool anyStarted_ = false;
    GObjectPtr<WebKitWebView> leader_; // while queued loads wait for it
    std::string leaderURL_;           // until its load has started
    unsigned long leaderSignals_[2] = {0, 0};
    unsigned holdTimeout_ = 0;
};

} // namespace platform
