#pragma once
// The start of a benchmark program that needs a display: GTK, gtkmm, then
// Google Benchmark with the program's arguments.

// Returns the process's exit code: 1 when there is no display.
int RunBenchmarksOnDisplay(int argc, char** argv);
