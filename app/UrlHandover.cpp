#include "UrlHandover.h"

#include "ErrorReport.h"

#include <glib.h>
#include <glibmm/main.h>
#include <gtkmm/window.h>

namespace {
constexpr unsigned kRetryMilliseconds = 100;
}

UrlHandover::UrlHandover(OpenFunction open, ReadyFunction ready)
    : open_(std::move(open)), ready_(std::move(ready))
{
}

UrlHandover::~UrlHandover()
{
    retry_.disconnect();
}

void UrlHandover::HandOver(const std::vector<std::string>& urls)
{
    pending_.insert(pending_.end(), urls.begin(), urls.end());
    if (OpenPending() && !retry_.connected())
        retry_ = Glib::signal_timeout().connect([this] { return OpenPending(); }, kRetryMilliseconds);
}

bool UrlHandover::OpenPending()
{
    while (!pending_.empty() && ready_()) {
        const std::string url = pending_.front();
        pending_.pop_front();
        platform::RunGuarded([&] { open_(url); });
    }
    return !pending_.empty();
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
