#pragma once
// URLs handed to the program from outside (its command line, a second start):
// kept until the main window has opened profile 1 and no dialog or profile
// switch is running its own loop, then opened one per main-loop turn, so that
// input and drawing are served between the pages of a long list. However
// many senders hand URLs over, at most kMaxWaitingUrls wait at a time.
#include <sigc++/connection.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

// The URLs that may wait to open at one time; more are refused.
inline constexpr std::size_t kMaxWaitingUrls = 50;

class UrlHandover {
public:
    using OpenFunction = std::function<void(const std::string& url)>;
    using ReadyFunction = std::function<bool()>;

    // open opens one URL (its errors are reported, the next one still opens);
    // ready tells whether the window can take pages now.
    UrlHandover(OpenFunction open, ReadyFunction ready);
    ~UrlHandover();
    UrlHandover(const UrlHandover&) = delete;
    UrlHandover& operator=(const UrlHandover&) = delete;

    // Takes urls in their order while fewer than kMaxWaitingUrls wait, and
    // returns how many it took; the rest are not opened.
    std::size_t HandOver(const std::vector<std::string>& urls);
    std::size_t Pending() const { return pending_.size(); }

private:
    // Opens the first pending URL if the window is ready, and comes back for
    // the next one on a later turn.
    void OpenNext();

    OpenFunction open_;
    ReadyFunction ready_;
    std::deque<std::string> pending_;
    sigc::connection next_;
};

// Not inside a dialog's or a profile switch's own loop: opening a page there
// would land in the middle of what that loop is doing.
bool AtMainLoopLevel();
