#include "WindowBackground.h"

#include <gtk/gtk.h>

namespace platform {

void ShowThemeColourUntilDrawn(Gtk::Window& window)
{
    gtk_widget_realize(GTK_WIDGET(window.gobj()));
    GdkRGBA* colour = nullptr;
    GtkStyleContext* style = gtk_widget_get_style_context(GTK_WIDGET(window.gobj()));
    gtk_style_context_get(style, gtk_style_context_get_state(style), GTK_STYLE_PROPERTY_BACKGROUND_COLOR, &colour,
                          nullptr);
    if (!colour)
        return;
    // The surface's own background is what the server paints before the
    // toolkit's first frame; GTK itself never draws with it afterwards.
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    gdk_window_set_background_rgba(gtk_widget_get_window(GTK_WIDGET(window.gobj())), colour);
    G_GNUC_END_IGNORE_DEPRECATIONS
    gdk_rgba_free(colour);
}

} // namespace platform
