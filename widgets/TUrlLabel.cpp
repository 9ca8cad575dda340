#include "TUrlLabel.h"

#include "LabelStyle.h"
#include "LinkTarget.h"
#include "ShellOpen.h"

#include <gtkmm/clipboard.h>

TUrlLabel::TUrlLabel()
{
    // No window of its own to paint: the label shows on whatever is behind it.
    set_visible_window(false);
    add(FLabel);
    FLabel.show();
    ApplyLabelStyle(FLabel, {"Sans", 11, false, true, clBlue});

    FCopyItem.signal_activate().connect(sigc::mem_fun(*this, &TUrlLabel::CopyClick));
    FLinkMenu.append(FCopyItem);
    FCopyItem.show();
    FLinkMenu.attach_to_widget(*this);
}

void TUrlLabel::on_realize()
{
    Gtk::EventBox::on_realize();
    // The hand cursor goes on the input window the event box made for itself.
    const auto cursor = Gdk::Cursor::create(get_display(), "pointer");
    for (GList* w = gdk_window_peek_children(get_window()->gobj()); w; w = w->next) {
        gpointer owner = nullptr;
        gdk_window_get_user_data(GDK_WINDOW(w->data), &owner);
        if (owner == gobj())
            gdk_window_set_cursor(GDK_WINDOW(w->data), cursor ? cursor->gobj() : nullptr);
    }
}

bool TUrlLabel::on_button_press_event(GdkEventButton* event)
{
    if (event->type != GDK_BUTTON_PRESS)
        return false;
    if (event->button == GDK_BUTTON_SECONDARY) {
        FLinkMenu.popup_at_pointer(reinterpret_cast<GdkEvent*>(event));
        return true;
    }
    pressed_ = event->button == GDK_BUTTON_PRIMARY;
    return pressed_;
}

bool TUrlLabel::on_button_release_event(GdkEventButton* event)
{
    if (event->button != GDK_BUTTON_PRIMARY || !pressed_)
        return false;
    pressed_ = false;
    // A click is a press and a release both on the label.
    if (event->x >= 0 && event->y >= 0 && event->x < get_allocated_width()
        && event->y < get_allocated_height())
        Click();
    return true;
}

void TUrlLabel::Click()
{
    FOnClick.emit();
    const std::string target = LinkTarget(FURL, Caption());
    if (!target.empty())
        platform::ShellOpen(target); // a failed open shows nothing
}

void TUrlLabel::CopyClick()
{
    Gtk::Clipboard::get()->set_text(FURL);
}
