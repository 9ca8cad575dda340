#pragma once
// Finding widgets and windows as a user meets them: by their kind and what
// they show, and windows by their title.
#include <gtkmm.h>

#include <functional>
#include <string>
#include <vector>

// Every widget of kind W in root's tree (root included), depth first.
template <typename W>
std::vector<W*> Descendants(Gtk::Widget& root)
{
    std::vector<W*> found;
    if (auto* widget = dynamic_cast<W*>(&root))
        found.push_back(widget);
    if (auto* container = dynamic_cast<Gtk::Container*>(&root))
        for (Gtk::Widget* child : container->get_children())
            for (W* inner : Descendants<W>(*child))
                found.push_back(inner);
    return found;
}

// The first widget of kind W in root's tree that match accepts (or the first
// at all without match); nullptr when there is none.
template <typename W>
W* FindDescendant(Gtk::Widget& root, const std::function<bool(W&)>& match = {})
{
    for (W* widget : Descendants<W>(root))
        if (!match || match(*widget))
            return widget;
    return nullptr;
}

// The shown top-level windows titled title.
std::vector<Gtk::Window*> VisibleWindows(const std::string& title);
// The first of them, or nullptr.
Gtk::Window* FindVisibleWindow(const std::string& title);

// The first shown top-level window of kind W, or nullptr.
template <typename W>
W* FindVisibleWindowOf()
{
    for (Gtk::Window* window : Gtk::Window::list_toplevels())
        if (auto* found = dynamic_cast<W*>(window); found && window->get_visible())
            return found;
    return nullptr;
}
