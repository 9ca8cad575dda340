#include "UrlHandover.h"

#include "ErrorReport.h"

#include <glib.h>
#include <glibmm/main.h>
#include <gtkmm/window.h>

#include <algorithm>

namespace {
constexpr unsigned kRetryMilliseconds = 100;
}

UrlHandover::UrlHandover(OpenFunction open, ReadyFunction ready)
    : open_(std::move(open)), ready_(std::move(ready))
{
}

UrlHandover::~UrlHandover()
{
    next_.disconnect();
}

std::size_t UrlHandover::HandOver(const std::vector<std::string>& urls)
{
    const std::size_t room = kMaxWaitingUrls - std::min(pending_.size(), kMaxWaitingUrls);
    const std::size_t taken = std::min(room, urls.size());
    pending_.insert(pending_.end(), urls.begin(), urls.begin() + static_cast<std::ptrdiff_t>(taken));
    if (!next_.connected())
        OpenNext();
    return taken;
}

void UrlHandover::OpenNext()
{
    if (!pending_.empty() && ready_()) {
        const std::string url = pending_.front();
        pending_.pop_front();
        platform::RunGuarded([&] { open_(url); });
    }
    if (pending_.empty() || next_.connected()) // an open that handed over more has scheduled them
        return;
    auto again = [this] {
        next_ = sigc::connection(); // this source ends when the callback returns
        OpenNext();
        return false;
    };
    // The next page opens once everything else is done, the start of the last
    // one's web process included, so the two never share one turn. While the
    // window cannot take pages, look again a little later.
    next_ = ready_() ? Glib::signal_idle().connect(again, Glib::PRIORITY_LOW)
                     : Glib::signal_timeout().connect(again, kRetryMilliseconds);
}

bool AtMainLoopLevel()
{
    // g_main_depth() is 0 before the loop runs and 1 in what the program's
    // own loop dispatches; a modal dialog or a nested iteration adds one.
    if (g_main_depth() > 1)
        return false;
    for (Gtk::Window* window : Gtk::Window::list_toplevels())
        if (window->get_modal() && window->get_visible())
            return false;
    return true;
}
