#include "KeyEvents.h"

#include <gtk/gtk.h>

GdkEvent* NewKeyEvent(GdkEventType type, GdkWindow* window, guint keyval, GdkModifierType state)
{
    GdkEvent* event = gdk_event_new(type);
    event->key.window = window ? GDK_WINDOW(g_object_ref(window)) : nullptr;
    event->key.time = GDK_CURRENT_TIME;
    event->key.keyval = keyval;
    event->key.state = state;
    GdkKeymapKey* keys = nullptr;
    gint count = 0;
    if (gdk_keymap_get_entries_for_keyval(gdk_keymap_get_for_display(gdk_display_get_default()), keyval, &keys,
                                          &count) &&
        count > 0) {
        event->key.hardware_keycode = static_cast<guint16>(keys[0].keycode);
        event->key.group = static_cast<guint8>(keys[0].group);
    }
    g_free(keys);
    gdk_event_set_device(event, gdk_seat_get_keyboard(gdk_display_get_default_seat(gdk_display_get_default())));
    return event;
}

void PressKey(Gtk::Window& window, guint keyval, GdkModifierType state)
{
    GdkEvent* event = NewKeyEvent(GDK_KEY_PRESS, window.get_window()->gobj(), keyval, state);
    gtk_main_do_event(event);
    event->type = GDK_KEY_RELEASE;
    gtk_main_do_event(event);
    gdk_event_free(event);
}

GdkEventKey KeyPressRecord(guint keyval, guint state)
{
    GdkEventKey event{};
    event.type = GDK_KEY_PRESS;
    event.keyval = keyval;
    event.state = state;
    return event;
}

GdkEvent* NewButtonEvent(GdkEventType type, GdkWindow* window, guint button, double x, double y)
{
    GdkEvent* event = gdk_event_new(type);
    event->button.window = GDK_WINDOW(g_object_ref(window));
    event->button.time = GDK_CURRENT_TIME;
    event->button.button = button;
    event->button.x = x;
    event->button.y = y;
    gdk_event_set_device(event, gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_window_get_display(window))));
    return event;
}
