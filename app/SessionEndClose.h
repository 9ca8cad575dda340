#pragma once
// A request from the system to end the program (the session closing, a plain
// kill) always closes the main window the ordinary way, so the pages are
// saved. A modal dialog that is open is answered first (as its Cancel, an
// error report as OK), and the close runs once the loops such dialogs ran
// have returned and the window's show step is over.
#include <sigc++/connection.h>

#include <functional>

class SessionEndClose {
public:
    using CloseFunction = std::function<void()>;
    // True when the close may run: no dialog's loop or the show step is under way.
    using ReadyFunction = std::function<bool()>;

    SessionEndClose(CloseFunction close, ReadyFunction ready);
    ~SessionEndClose();
    SessionEndClose(const SessionEndClose&) = delete;
    SessionEndClose& operator=(const SessionEndClose&) = delete;

    // May come from inside a dialog's loop; a request while one waits adds nothing.
    void Request();

private:
    // Answers the dialogs, then closes when ready; false while it must wait.
    bool Step();

    CloseFunction close_;
    ReadyFunction ready_;
    sigc::connection retry_;
};
