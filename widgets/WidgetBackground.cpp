#include "WidgetBackground.h"

#include "GObjectPtr.h"

#include <cmath>

namespace {

// The widget's own background colour, if its style gives it a visible one.
bool OwnBackground(const Gtk::Widget& widget, TColor& result)
{
    GtkStyleContext* context = gtk_widget_get_style_context(const_cast<GtkWidget*>(widget.gobj()));
    GdkRGBA* given = nullptr;
    gtk_style_context_get(context, gtk_style_context_get_state(context), "background-color", &given,
                          nullptr);
    const platform::GOwnedPtr<GdkRGBA, gdk_rgba_free> colour(given);
    if (!colour)
        return false;
    const GdkRGBA found = *colour;
    if (found.alpha <= 0)
        return false;
    const auto byte = [](double c) { return static_cast<int>(std::lround(c * 255)); };
    result = RGBColour(byte(found.red), byte(found.green), byte(found.blue));
    return true;
}

} // namespace

TColor WidgetBackground(const Gtk::Widget& widget)
{
    TColor colour = clWhite;
    for (const Gtk::Widget* w = &widget; w; w = w->get_parent())
        if (OwnBackground(*w, colour))
            return colour;
    return clWhite;
}
