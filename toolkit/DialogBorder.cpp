#include "DialogBorder.h"

#include <gdk/gdk.h>

namespace platform {
namespace {

// The window manager reads these when it maps the window.
void ApplyBorder(GtkWidget* widget)
{
    GdkWindow* window = gtk_widget_get_window(widget);
    if (!window)
        return;
    gdk_window_set_functions(window, static_cast<GdkWMFunction>(GDK_FUNC_MOVE | GDK_FUNC_CLOSE));
    gdk_window_set_decorations(window,
                               static_cast<GdkWMDecoration>(GDK_DECOR_BORDER | GDK_DECOR_TITLE | GDK_DECOR_MENU));
}

} // namespace

void SetDialogBorder(Gtk::Window& dialog)
{
    dialog.set_resizable(false);
    dialog.set_type_hint(Gdk::WINDOW_TYPE_HINT_DIALOG);
    dialog.set_skip_taskbar_hint(true);
    if (dialog.get_realized())
        ApplyBorder(GTK_WIDGET(dialog.gobj()));
    static const char* const kMarked = "pandrel-dialog-border";
    if (g_object_get_data(G_OBJECT(dialog.gobj()), kMarked))
        return;
    g_object_set_data(G_OBJECT(dialog.gobj()), kMarked, GINT_TO_POINTER(1));
    // A realised window keeps its border while it is hidden and shown again.
    g_signal_connect(dialog.gobj(), "realize", G_CALLBACK(+[](GtkWidget* widget, gpointer) { ApplyBorder(widget); }),
                     nullptr);
}

void SetDialogOwner(Gtk::Window& dialog, Gtk::Window& owner)
{
    dialog.set_transient_for(owner);
    SetDialogBorder(dialog);
}

} // namespace platform
