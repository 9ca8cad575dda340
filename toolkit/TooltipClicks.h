#pragma once
// A tooltip shows below the pointer, over what the user may click next; a
// click that lands on it would only close it (a right click then opens no
// menu). With this on, every tooltip window of the program lets the pointer
// through to the window beneath it.
namespace platform {

// Turns it on for the rest of the process; calling it again changes nothing.
void LetClicksThroughTooltips();

} // namespace platform
