#include "TTransparentBmp.h"

#include "TransparentPaint.h"

#include <cmath>

TTransparentBmp::TTransparentBmp()
{
    SetSize(32, 32);
}

void TTransparentBmp::SetSize(int width, int height)
{
    width_ = width;
    height_ = height;
    set_size_request(width_, height_);
}

void TTransparentBmp::SetBitMap(const Glib::RefPtr<const Gdk::Pixbuf>& value)
{
    FBitMap = value ? value->copy() : Glib::RefPtr<Gdk::Pixbuf>();
    const int height = FBitMap ? FBitMap->get_height() : 0;
    const int width = FBitMap ? FBitMap->get_width() : 0;
    SetSize(width == 0 ? 32 : width, height == 0 ? 32 : height);
    queue_draw();
}

void TTransparentBmp::SetTransparentColor(TColor value)
{
    if (value == FTransparentColor)
        return;
    FTransparentColor = value;
    queue_draw();
}

TColor TTransparentBmp::ParentColour() const
{
    for (const Gtk::Widget* w = get_parent(); w; w = w->get_parent()) {
        GtkStyleContext* context = gtk_widget_get_style_context(const_cast<GtkWidget*>(w->gobj()));
        GdkRGBA* colour = nullptr;
        gtk_style_context_get(context, gtk_style_context_get_state(context), "background-color",
                              &colour, nullptr);
        if (!colour)
            continue;
        const GdkRGBA found = *colour;
        gdk_rgba_free(colour);
        if (found.alpha > 0) {
            const auto byte = [](double c) { return static_cast<int>(std::lround(c * 255)); };
            return RGBColour(byte(found.red), byte(found.green), byte(found.blue));
        }
    }
    return clWhite;
}

bool TTransparentBmp::on_draw(const Cairo::RefPtr<Cairo::Context>& cr)
{
    PaintTransparentBitmap(cr, FBitMap, get_allocated_width(), get_allocated_height(),
                           FTransparentColor, ParentColour());
    return true;
}
