#pragma once
// Running the GTK main loop from a test: the work that is ready now, or until
// a condition holds within a limit. Tests wait for events this way, never for
// a fixed time followed by an assertion.
#include <chrono>
#include <functional>

// Runs every event and source that is ready now.
void RunPendingEvents();
// Runs the main loop until condition holds or limit passes; the result says which.
bool RunUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit);
