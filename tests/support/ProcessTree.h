#pragma once
// The processes below a process, read from /proc: the tests find WebKit's web
// processes with it, the benchmarks sum the memory of a program and its helpers.
#include <vector>

// root first, then every process below it.
std::vector<int> ProcessTree(int root);
// The web processes WebKit started below ancestor.
std::vector<int> WebProcessesOf(int ancestor);
// The network processes WebKit started below ancestor (one per store of site data).
std::vector<int> NetworkProcessesOf(int ancestor);
// Proportional set size of root and every process below it, in KiB.
long SummedPss(int root);
