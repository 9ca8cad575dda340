#pragma once
// The key hook of a loaded host: a key pressed in the host's widget is first
// offered to the control's TranslateAccelerator, and a key the control takes
// goes no further. Backspace, return and the extended left and right arrows
// are left to the toolkit.
#include "HostOptionsSite.h"

#include <gdk/gdk.h>
#include <sigc++/connection.h>

namespace platform {

class ControlKeyHook {
public:
    explicit ControlKeyHook(HostOptionsSite& site);
    ~ControlKeyHook() { connection_.disconnect(); }
    ControlKeyHook(const ControlKeyHook&) = delete;
    ControlKeyHook& operator=(const ControlKeyHook&) = delete;

    // Keys the hook leaves alone: backspace, return, and the extended left and
    // right arrows.
    static bool IsKeyLeftAlone(const Msg& msg);

private:
    bool KeyPressed(GdkEventKey* event);

    HostOptionsSite& site_;
    sigc::connection connection_;
};

} // namespace platform
