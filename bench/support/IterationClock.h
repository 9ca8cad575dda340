#pragma once
// Times each main-loop iteration's dispatch: from the moment poll returns to
// the moment the loop polls again. Installed as the default context's poll
// function for as long as it lives. With PANDREL_BENCH_LONG_MS set, every
// iteration at least that long is written to stderr with its start on the
// monotonic clock (for matching against `perf record -k CLOCK_MONOTONIC`).
#include <glib.h>

#include <chrono>

class IterationClock {
public:
    IterationClock();
    ~IterationClock();
    IterationClock(const IterationClock&) = delete;
    IterationClock& operator=(const IterationClock&) = delete;

    double LongestMs() const { return std::chrono::duration<double, std::milli>(longest_).count(); }
    int Iterations() const { return iterations_; }

private:
    static gint Poll(GPollFD* fds, guint count, gint timeout);

    GPollFunc previous_ = nullptr;
    std::chrono::steady_clock::time_point dispatchStart_{};
    std::chrono::steady_clock::duration longest_{};
    int iterations_ = 0;
    double reportFromMs_ = -1;
};
