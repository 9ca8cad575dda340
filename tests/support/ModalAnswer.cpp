#include "ModalAnswer.h"

#include "KeyEvents.h"

#include <gtkmm.h>

#include <algorithm>

namespace {

void CloseVisibleDialogs()
{
    for (Gtk::Window* window : Gtk::Window::list_toplevels())
        if (auto* dialog = dynamic_cast<Gtk::Dialog*>(window); dialog && dialog->get_visible())
            dialog->response(Gtk::RESPONSE_DELETE_EVENT);
}

} // namespace

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
    if (Gtk::Entry* entry = FindDescendant<Gtk::Entry>(dialog))
        entry->set_text(text);
}

void ActivatePromptField(Gtk::Window& dialog)
{
    if (Gtk::Entry* entry = FindDescendant<Gtk::Entry>(dialog))
        entry->activate();
}

void ClickButton(Gtk::Window& dialog, const std::string& label)
{
    if (auto* button = FindDescendant<Gtk::Button>(dialog, [&](Gtk::Button& b) { return b.get_label() == label; }))
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
