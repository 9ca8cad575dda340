#include "MainLoop.h"

#include <glib.h>
#include <gtkmm/widget.h>

#include <thread>

void RunPendingEvents()
{
    while (g_main_context_pending(nullptr))
        g_main_context_iteration(nullptr, FALSE);
}

bool RunUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        if (!g_main_context_iteration(nullptr, FALSE))
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}


bool WaitForNextPaint(Gtk::Widget& widget, std::chrono::milliseconds limit)
{
    bool painted = false;
    sigc::connection watch = widget.signal_draw().connect(
        [&painted](const Cairo::RefPtr<Cairo::Context>&) {
            painted = true;
            return false;
        },
        false);
    widget.queue_draw();
    const bool done = RunUntil([&painted] { return painted; }, limit);
    watch.disconnect();
    return done;
}
