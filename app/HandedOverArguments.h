#pragma once
// The URLs of a command line the running instance received, from its own
// start or from another process on the session bus. Anything on the bus may
// send one, so each argument is checked here before it becomes a page.
#include <string>
#include <vector>

struct HandedOverArguments {
    std::vector<std::string> urls;
    // One line per argument that was refused.
    std::vector<std::string> problems;
};

// The exit status of a start whose arguments were partly refused.
inline constexpr int kExitStatusSomeRefused = 1;
// At most this many pages per command line, and URLs of at most this length.
inline constexpr std::size_t kMaxHandedOverUrls = 50;
inline constexpr std::size_t kMaxHandedOverUrlLength = 8192;

// arguments as GApplication passes them: the program name first, then "--"
// (put there by the sending start), then the URLs. Names are taken as they
// come: the folder a message on the bus names is whatever its sender says, so
// no relative name is resolved against it (see AbsoluteLocalFiles).
HandedOverArguments CheckHandedOverArguments(const std::vector<std::string>& arguments);

// What a start sends: each relative name of an existing file made absolute
// against folder, the start's own working folder, as a shell user means it.
std::vector<std::string> AbsoluteLocalFiles(const std::vector<std::string>& names, const std::string& folder);
