#include "TooltipClicks.h"

#include <gtk/gtk.h>

#include <memory>

namespace platform {
namespace {

// Runs as each widget is mapped, before it appears: a tooltip window gets an
// empty input region, so presses and motion go to the window below.
gboolean OnMap(GSignalInvocationHint*, guint count, const GValue* values, gpointer)
{
    if (count == 0 || !G_VALUE_HOLDS_OBJECT(&values[0]))
        return TRUE;
    auto* widget = static_cast<GtkWidget*>(g_value_get_object(&values[0]));
    if (!GTK_IS_WINDOW(widget) || gtk_window_get_type_hint(GTK_WINDOW(widget)) != GDK_WINDOW_TYPE_HINT_TOOLTIP)
        return TRUE;
    if (GdkWindow* window = gtk_widget_get_window(widget)) {
        const std::unique_ptr<cairo_region_t, decltype(&cairo_region_destroy)> nothing(cairo_region_create(),
                                                                                      &cairo_region_destroy);
        gdk_window_input_shape_combine_region(window, nothing.get(), 0, 0);
    }
    return TRUE; // stays connected
}

} // namespace

void LetClicksThroughTooltips()
{
    static const gulong hook =
        g_signal_add_emission_hook(g_signal_lookup("map", GTK_TYPE_WIDGET), 0, &OnMap, nullptr, nullptr);
    static_cast<void>(hook);
}

} // namespace platform
