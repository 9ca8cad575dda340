#pragma once
// A label that opens a web address through the desktop's default handler when
// clicked, shown underlined in blue under a hand cursor. Its context menu has one
// item, "Copy", which puts the address on the clipboard. It takes the keyboard
// focus like a link of a web page, and Enter or Space opens it.
#include <gtkmm/eventbox.h>
#include <gtkmm/label.h>
#include <gtkmm/menu.h>
#include <gtkmm/menuitem.h>

#include <string>

class TUrlLabel : public Gtk::EventBox {
public:
    TUrlLabel();

    const std::string& URL() const { return FURL; }
    void SetURL(const std::string& url) { FURL = url; }

    std::string Caption() const { return FLabel.get_text(); }
    void SetCaption(const std::string& caption);

    // The text itself, for font, alignment and size.
    Gtk::Label& Label() { return FLabel; }

    // Runs when the label is clicked, before the address is opened.
    sigc::signal<void()>& signal_click() { return FOnClick; }

    // What a click does: the click handlers, then the URL (or, when it holds only
    // blanks, the caption) handed to the shell; a failure to open is silent.
    void Click();
    // "Copy": the clipboard's text becomes the URL, never the caption.
    void CopyClick();

    Gtk::Menu& LinkMenu() { return FLinkMenu; }

protected:
    void on_realize() override;
    bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;
    bool on_key_press_event(GdkEventKey* event) override;
    bool on_button_press_event(GdkEventButton* event) override;
    bool on_button_release_event(GdkEventButton* event) override;

private:
    Gtk::Label FLabel;
    std::string FURL;
    Gtk::Menu FLinkMenu;
    Gtk::MenuItem FCopyItem{"Copy"};
    sigc::signal<void()> FOnClick;
    bool pressed_ = false;
};
