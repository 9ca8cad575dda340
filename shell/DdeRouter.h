#pragma once
// Windows of the in-process DDE layer and the messages between them. A window
// is a procedure registered with the process and thread it belongs to;
// messages are sent (the procedure runs at once and its result comes back) or
// posted (queued and delivered in order from the GLib main loop, dropped if the
// window is gone by then). The initiate broadcast reaches every top-level
// window but the sender's.
//
//   DdeWindowRegistration server([](std::uint32_t msg, std::uintptr_t w, std::intptr_t l) { ...; return 0; },
//                                /*topLevel=*/true);
//   DdeRouter::Program().Post(server.Handle(), WM_DDE_TERMINATE, client, 0);
#include "DdeMessages.h"

#include <glib.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace platform {

using DdeWindowProcedure = std::function<std::intptr_t(std::uint32_t message, std::uintptr_t wParam,
                                                       std::intptr_t lParam)>;

// The ids of the running process and of the calling thread.
std::int64_t CurrentProcessId();
std::int64_t CurrentThreadId();

class DdeRouter {
public:
    DdeRouter() = default;
    ~DdeRouter();
    DdeRouter(const DdeRouter&) = delete;
    DdeRouter& operator=(const DdeRouter&) = delete;

    // The program-wide router.
    static DdeRouter& Program();

    DdeWindow Register(DdeWindowProcedure procedure, bool topLevel, std::int64_t processId, std::int64_t threadId);
    void Unregister(DdeWindow window);
    bool IsWindow(DdeWindow window) const { return windows_.count(window) != 0; }
    // The process and thread a window belongs to, or nullopt for no window.
    std::optional<std::pair<std::int64_t, std::int64_t>> ProcessAndThreadOf(DdeWindow window) const;

    // Runs the window's procedure now; 0 when there is no such window.
    std::intptr_t Send(DdeWindow window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
    // Queues the message for the main loop; false when there is no such window.
    bool Post(DdeWindow window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
    // Sends WM_DDE_INITIATE (wParam = client, lParam = application and topic
    // atoms) to every top-level window except the client.
    void BroadcastInitiate(DdeWindow client, std::uint16_t application, std::uint16_t topic);
    // Delivers every message queued so far (the main loop does this by itself).
    void DeliverPosted();
    std::size_t PendingPosts() const { return posted_.size(); }

private:
    struct Window {
        std::shared_ptr<DdeWindowProcedure> procedure;
        bool topLevel = false;
        std::int64_t processId = 0;
        std::int64_t threadId = 0;
    };
    struct Posted {
        DdeWindow window;
        std::uint32_t message;
        std::uintptr_t wParam;
        std::intptr_t lParam;
    };
    static gboolean DeliverFromMainLoop(gpointer router);

    std::map<DdeWindow, Window> windows_;
    std::deque<Posted> posted_;
    DdeWindow next_ = 0x10000;
    guint idleSource_ = 0;
};

// A window registered for as long as this object lives (in this process and
// the calling thread unless ids are given, e.g. by tests standing in for
// another program).
class DdeWindowRegistration {
public:
    DdeWindowRegistration(DdeWindowProcedure procedure, bool topLevel);
    DdeWindowRegistration(DdeWindowProcedure procedure, bool topLevel, std::int64_t processId,
                          std::int64_t threadId);
    ~DdeWindowRegistration();
    DdeWindowRegistration(const DdeWindowRegistration&) = delete;
    DdeWindowRegistration& operator=(const DdeWindowRegistration&) = delete;

    DdeWindow Handle() const { return handle_; }

private:
    DdeWindow handle_;
};

} // namespace platform
