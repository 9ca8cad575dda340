#include "DisplayBenchmarkMain.h"

#include <benchmark/benchmark.h>
#include <gtkmm.h>

#include <cstdio>

int RunBenchmarksOnDisplay(int argc, char** argv)
{
    if (!gtk_init_check(&argc, &argv)) {
        std::fprintf(stderr, "No display: run under Xvfb (scripts/with-display.sh).\n");
        return 1;
    }
    Gtk::Main::init_gtkmm_internals();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
