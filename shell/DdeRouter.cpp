#include "DdeRouter.h"

#include "ErrorReport.h"

#include <unistd.h>

namespace platform {

std::int64_t CurrentProcessId()
{
    return static_cast<std::int64_t>(getpid());
}

std::int64_t CurrentThreadId()
{
    return static_cast<std::int64_t>(gettid());
}

DdeRouter& DdeRouter::Program()
{
    static DdeRouter router;
    return router;
}

DdeRouter::~DdeRouter()
{
    if (idleSource_)
        g_source_remove(idleSource_);
}

DdeWindow DdeRouter::Register(DdeWindowProcedure procedure, bool topLevel, std::int64_t processId,
                              std::int64_t threadId)
{
    const DdeWindow window = next_++;
    windows_[window] = Window{std::make_shared<DdeWindowProcedure>(std::move(procedure)), topLevel, processId,
                              threadId};
    return window;
}

void DdeRouter::Unregister(DdeWindow window)
{
    windows_.erase(window);
}

std::optional<std::pair<std::int64_t, std::int64_t>> DdeRouter::ProcessAndThreadOf(DdeWindow window) const
{
    auto found = windows_.find(window);
    if (found == windows_.end())
        return std::nullopt;
    return std::make_pair(found->second.processId, found->second.threadId);
}

std::intptr_t DdeRouter::Send(DdeWindow window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam)
{
    auto found = windows_.find(window);
    if (found == windows_.end())
        return 0;
    // Held here, so a procedure that unregisters its own window runs to its end.
    std::shared_ptr<DdeWindowProcedure> procedure = found->second.procedure;
    return (*procedure)(message, wParam, lParam);
}

bool DdeRouter::Post(DdeWindow window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam)
{
    if (!IsWindow(window))
        return false;
    posted_.push_back(Posted{window, message, wParam, lParam});
    if (!idleSource_)
        idleSource_ = g_idle_add(&DdeRouter::DeliverFromMainLoop, this);
    return true;
}

void DdeRouter::BroadcastInitiate(DdeWindow client, std::uint16_t application, std::uint16_t topic)
{
    std::vector<DdeWindow> receivers;
    for (const auto& [window, entry] : windows_)
        if (entry.topLevel && window != client)
            receivers.push_back(window);
    for (DdeWindow window : receivers)
        Send(window, WM_DDE_INITIATE, client, MakeLParam(application, topic));
}

void DdeRouter::DeliverPosted()
{
    // Messages posted while delivering wait for the next round.
    std::deque<Posted> due;
    due.swap(posted_);
    for (const Posted& message : due)
        RunGuarded([&] { Send(message.window, message.message, message.wParam, message.lParam); });
}

gboolean DdeRouter::DeliverFromMainLoop(gpointer data)
{
    auto* router = static_cast<DdeRouter*>(data);
    router->DeliverPosted();
    if (!router->posted_.empty())
        return G_SOURCE_CONTINUE;
    router->idleSource_ = 0;
    return G_SOURCE_REMOVE;
}

DdeWindowRegistration::DdeWindowRegistration(DdeWindowProcedure procedure, bool topLevel)
    : DdeWindowRegistration(std::move(procedure), topLevel, CurrentProcessId(), CurrentThreadId())
{
}

DdeWindowRegistration::DdeWindowRegistration(DdeWindowProcedure procedure, bool topLevel, std::int64_t processId,
                                             std::int64_t threadId)
    : handle_(DdeRouter::Program().Register(std::move(procedure), topLevel, processId, threadId))
{
}

DdeWindowRegistration::~DdeWindowRegistration()
{
    DdeRouter::Program().Unregister(handle_);
}

} // namespace platform
