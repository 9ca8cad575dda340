#include "ModalAnswer.h"

#include "KeyEvents.h"

#include <gtkmm.h>

#include <algorithm>

namespace {

template <typename Widget>
Widget* FindDescendant(Gtk::Widget& root, const std::function<bool(Widget&)>& match)
{
    if (auto* widget = dynamic_cast<Widget*>(&root); widget && match(*widget))
        return widget;
    if (auto* container = dynamic_cast<Gtk::Container*>(&root))
        for (Gtk::Widget* child : container->get_children())
            if (Widget* found = FindDescendant<Widget>(*child, match))
                return found;
    return nullptr;
}

void CloseVisibleDialogs()
{
    for (Gtk::Window* window : Gtk::Window::list_toplevels())
        if (auto* dialog = dynamic_cast<Gtk::Dialog*>(window); dialog && dialog->get_visible())
            dialog->response(Gtk::RESPONSE_DELETE_EVENT);
}

} // namespace

Gtk::Window* FindVisibleWindow(const std::string& title)
{
    for (Gtk::Window* window : Gtk::Window::list_toplevels())
        if (window->get_visible() && window->get_title() == title)
            return window;
    return nullptr;
}

ModalAnswer::ModalAnswer(std::string title, std::function<void(Gtk::Window&)> action, int limitMs)
    : state_(std::make_shared<State>())
{
    state_->triesLeft = std::max(1, limitMs / 20);
    state_->title = std::move(title);
    state_->action = std::move(action);
    std::shared_ptr<State> state = state_;
    poll_ = Glib::signal_timeout().connect(
        [state] {
            if (Gtk::Window* window = FindVisibleWindow(state->title)) {
                state->answered = true;
                state->action(*window);
                return false;
            }
            if (--state->triesLeft > 0)
                return true;
            CloseVisibleDialogs();
            return false;
        },
        20);
}

ModalAnswer::~ModalAnswer()
{
    poll_.disconnect();
}

std::unique_ptr<ModalAnswer> AnswerPrompt(const std::string& title, const std::string& text, bool ok)
{
    return std::make_unique<ModalAnswer>(title, [text, ok](Gtk::Window& prompt) {
        SetPromptText(prompt, text);
        if (ok)
            ActivatePromptField(prompt);
        else
            ClickButton(prompt, "Cancel");
    });
}

void SetPromptText(Gtk::Window& dialog, const std::string& text)
{
    Gtk::Entry* entry = FindDescendant<Gtk::Entry>(dialog, [](Gtk::Entry&) { return true; });
    if (entry)
        entry->set_text(text);
}

void ActivatePromptField(Gtk::Window& dialog)
{
    Gtk::Entry* entry = FindDescendant<Gtk::Entry>(dialog, [](Gtk::Entry&) { return true; });
    if (entry)
        entry->activate();
}

void ClickButton(Gtk::Window& dialog, const std::string& label)
{
    Gtk::Button* button =
        FindDescendant<Gtk::Button>(dialog, [&label](Gtk::Button& b) { return b.get_label() == label; });
    if (button)
        button->clicked();
}

void SendKey(Gtk::Widget& widget, guint keyval, GdkModifierType state)
{
    GdkWindow* window = widget.get_window() ? widget.get_window()->gobj() : nullptr;
    GdkEvent* event = NewKeyEvent(GDK_KEY_PRESS, window, keyval, state);
    event->key.send_event = TRUE;
    gtk_widget_event(GTK_WIDGET(widget.get_toplevel()->gobj()), event);
    gdk_event_free(event);
}

void SendDeleteEvent(Gtk::Window& window)
{
    GdkEvent* event = gdk_event_new(GDK_DELETE);
    event->any.window = GDK_WINDOW(g_object_ref(window.get_window()->gobj()));
    event->any.send_event = TRUE;
    gtk_main_do_event(event);
    gdk_event_free(event);
}
