#pragma once
// Running the GTK main loop from a test: the work that is ready now, or until
// a condition holds within a limit. Tests wait for events this way, never for
// a fixed time followed by an assertion.
#include <chrono>
#include <functional>

namespace Gtk { class Widget; }

// Runs every event and source that is ready now.
void RunPendingEvents();
// Runs the main loop until condition holds or limit passes; the result says which.
bool RunUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit);
// Asks widget to paint itself again and runs the main loop until it has, by
// which time its layout and style are settled; false when limit passed first.
bool WaitForNextPaint(Gtk::Widget& widget, std::chrono::milliseconds limit = std::chrono::seconds(5));
