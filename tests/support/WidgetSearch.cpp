#include "WidgetSearch.h"

std::vector<Gtk::Window*> VisibleWindows(const std::string& title)
{
    std::vector<Gtk::Window*> found;
    for (Gtk::Window* window : Gtk::Window::list_toplevels())
        if (window->get_visible() && window->get_title() == title)
            found.push_back(window);
    return found;
}

Gtk::Window* FindVisibleWindow(const std::string& title)
{
    const std::vector<Gtk::Window*> found = VisibleWindows(title);
    return found.empty() ? nullptr : found.front();
}
