#pragma once
// Keeps a context alive for a short while after the last view using it has
// gone, so that going back to a profile just left finds its network process
// still running; after that it lets go, and WebKit ends the context's
// processes. It holds a toggle reference: GLib tells it when every other
// reference has gone (the wait starts) and when one comes back (the wait ends).
#include <chrono>
#include <functional>

typedef struct _WebKitWebContext WebKitWebContext;

namespace platform {

class WebKitContextLinger {
public:
    // started is told each time the wait begins.
    WebKitContextLinger(WebKitWebContext* context, std::chrono::milliseconds linger, std::function<void()> started);
    // Lets go at once.
    ~WebKitContextLinger();
    WebKitContextLinger(const WebKitContextLinger&) = delete;
    WebKitContextLinger& operator=(const WebKitContextLinger&) = delete;

    // Whether the context is still held (in use, or waiting to be let go).
    bool Holds() const { return context_ != nullptr; }
    // Lets go now when the context is only waiting; one in use stays held.
    void EndWait();

private:
    static void OnToggle(void* data, struct _GObject* object, int isLastReference);
    static int OnLingerEnd(void* data);
    void LetGo();

    WebKitWebContext* context_; // the toggle reference; null once let go
    std::chrono::milliseconds linger_;
    std::function<void()> started_;
    unsigned timer_ = 0;
};

} // namespace platform
