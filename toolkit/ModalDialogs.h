#pragma once
// The program's modal dialogs as a whole, for what must go on whatever the
// user has open (the session ending).
namespace platform {

// Answers every modal dialog on the screen the way its Cancel button would;
// a box whose only answer is OK (an error report) is answered OK. A dialog
// that runs a loop of its own returns from it; none is waited for here.
void AnswerModalDialogs();

} // namespace platform
