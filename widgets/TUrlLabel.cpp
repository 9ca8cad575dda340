#include "TUrlLabel.h"

#include "AccessibleNames.h"
#include "LabelStyle.h"
#include "LinkTarget.h"
#include "ShellOpen.h"

#include <gdk/gdkkeysyms.h>
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

    set_can_focus(true);
    add_events(Gdk::KEY_PRESS_MASK);
    atk_object_set_role(gtk_widget_get_accessible(GTK_WIDGET(gobj())), ATK_ROLE_LINK);
}

void TUrlLabel::SetCaption(const std::string& caption)
{
    FLabel.set_text(caption);
    platform::SetAccessibleName(*this, caption);
}

bool TUrlLabel::on_draw(const Cairo::RefPtr<Cairo::Context>& cr)
{
    const bool drawn = Gtk::EventBox::on_draw(cr);
    if (has_visible_focus())
        get_style_context()->render_focus(cr, 0, 0, get_allocated_width(), get_allocated_height());
    return drawn;
}

bool TUrlLabel::on_key_press_event(GdkEventKey* event)
{
    const guint modifiers = event->state & (GDK_CONTROL_MASK | GDK_SHIFT_MASK | GDK_MOD1_MASK);
    if (modifiers == 0 && (event->keyval == GDK_KEY_Return || event->keyval == GDK_KEY_KP_Enter ||
                           event->keyval == GDK_KEY_ISO_Enter || event->keyval == GDK_KEY_space)) {
        Click();
        return true;
    }
    return Gtk::EventBox::on_key_press_event(event);
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
