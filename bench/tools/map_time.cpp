// Time from starting a command until its window with the given title is
// viewable on the X display, read from the display's own events (nothing is
// polled). Prints microseconds, then ends the command.
// Usage: map_time TITLE COMMAND [ARG...]
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <spawn.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <set>
#include <string>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

std::string TitleOf(Display* display, Window window)
{
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count, &after, &data) ==
            Success && data) {
        title.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
        return title;
    }
    char* name = nullptr;
    if (XFetchName(display, window, &name) && name) {
        title = name;
        XFree(name);
    }
    return title;
}

bool Viewable(Display* display, Window window)
{
    XWindowAttributes attributes;
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

int IgnoreErrors(Display*, XErrorEvent*) { return 0; } // windows may go while we look at them

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: map_time TITLE COMMAND [ARG...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "map_time: no display\n");
        return 1;
    }
    XSetErrorHandler(IgnoreErrors);
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);
    const std::string title = argv[1];

    const Clock::time_point start = Clock::now();
    pid_t child = 0;
    if (posix_spawnp(&child, argv[2], nullptr, nullptr, argv + 2, environ) != 0) {
        std::perror("map_time: cannot start the command");
        return 1;
    }

    // Every new top-level window is watched for its mapping and its title.
    std::set<Window> watched;
    auto matches = [&](Window window) { return Viewable(display, window) && TitleOf(display, window) == title; };
    auto anyMatches = [&] {
        for (Window window : watched)
            if (matches(window))
                return true;
        return false;
    };
    const Clock::time_point limit = start + std::chrono::seconds(30);
    bool found = false;
    while (!found && Clock::now() < limit) {
        if (!XPending(display)) {
            fd_set readable;
            FD_ZERO(&readable);
            FD_SET(ConnectionNumber(display), &readable);
            timeval wait{1, 0};
            select(ConnectionNumber(display) + 1, &readable, nullptr, nullptr, &wait);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == CreateNotify && event.xcreatewindow.parent == root) {
            const Window window = event.xcreatewindow.window;
            watched.insert(window);
            XSelectInput(display, window, StructureNotifyMask | PropertyChangeMask);
            found = matches(window); // it may have been mapped before we looked
        } else if (event.type == MapNotify || event.type == PropertyNotify || event.type == ReparentNotify) {
            found = anyMatches(); // a frame mapped, the window itself, or its title
        }
    }
    const Clock::time_point end = Clock::now();
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    if (!found) {
        std::fprintf(stderr, "map_time: no window titled \"%s\" within 30 s\n", title.c_str());
        return 1;
    }
    std::printf("%lld\n", static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(end - start).count()));
    return 0;
}
