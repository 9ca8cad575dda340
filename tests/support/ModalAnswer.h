#pragma once
// Answers a modal dialog from inside its own loop: polls for a visible window
// with the given title and acts on it. If none shows up in time, every visible
// dialog is closed so a test never waits for ever, and Answered() stays false.
#include "WidgetSearch.h"

#include <gtkmm/window.h>

#include <functional>
#include <memory>
#include <string>

class ModalAnswer {
public:
    // Looks for the window for about limitMs (polling every 20 ms).
    ModalAnswer(std::string title, std::function<void(Gtk::Window&)> action, int limitMs = 5000);
    ~ModalAnswer();
    ModalAnswer(const ModalAnswer&) = delete;
    ModalAnswer& operator=(const ModalAnswer&) = delete;

    bool Answered() const { return state_->answered; }

private:
    struct State {
        std::string title;
        std::function<void(Gtk::Window&)> action;
        int triesLeft = 250;
        bool answered = false;
    };
    std::shared_ptr<State> state_;
    sigc::connection poll_;
};

// Answers the next prompt titled title: text typed into its field, then OK
// (Enter in the field) or Cancel.
std::unique_ptr<ModalAnswer> AnswerPrompt(const std::string& title, const std::string& text, bool ok = true);

// Helpers for the action.
void SetPromptText(Gtk::Window& dialog, const std::string& text);
// Presses Enter in the dialog's text field.
void ActivatePromptField(Gtk::Window& dialog);
void ClickButton(Gtk::Window& dialog, const std::string& label);
// Sends a real key press (with its hardware key code, as key bindings need).
void SendKey(Gtk::Widget& widget, guint keyval, GdkModifierType state = GdkModifierType(0));
// What the title-bar close button sends.
void SendDeleteEvent(Gtk::Window& window);
