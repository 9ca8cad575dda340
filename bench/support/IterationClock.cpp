#include "IterationClock.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {
IterationClock* active = nullptr; // the poll function has no user data
}

IterationClock::IterationClock()
{
    if (const char* from = std::getenv("PANDREL_BENCH_LONG_MS"))
        reportFromMs_ = std::atof(from);
    previous_ = g_main_context_get_poll_func(nullptr);
    active = this;
    g_main_context_set_poll_func(nullptr, &Poll);
}

IterationClock::~IterationClock()
{
    g_main_context_set_poll_func(nullptr, previous_);
    active = nullptr;
}

gint IterationClock::Poll(GPollFD* fds, guint count, gint timeout)
{
    IterationClock& self = *active;
    const auto now = std::chrono::steady_clock::now();
    if (self.dispatchStart_ != std::chrono::steady_clock::time_point{}) {
        const auto took = now - self.dispatchStart_;
        if (took > self.longest_)
            self.longest_ = took;
        ++self.iterations_;
        const double ms = std::chrono::duration<double, std::milli>(took).count();
        if (self.reportFromMs_ >= 0 && ms >= self.reportFromMs_) {
            const double startS = std::chrono::duration<double>(self.dispatchStart_.time_since_epoch()).count();
            std::fprintf(stderr, "long iteration: start %.6f s, %.1f ms\n", startS, ms);
        }
    }
    const gint ready = self.previous_(fds, count, timeout);
    self.dispatchStart_ = std::chrono::steady_clock::now();
    return ready;
}
