#include "TTransparentBmp.h"

#include "TransparentPaint.h"
#include "WidgetBackground.h"

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

void TTransparentBmp::SetSharperBitMap(const Glib::RefPtr<const Gdk::Pixbuf>& value)
{
    sharperBitMap_ = value ? value->copy() : Glib::RefPtr<Gdk::Pixbuf>();
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
    const Gtk::Widget* parent = get_parent();
    return parent ? WidgetBackground(*parent) : clWhite;
}

bool TTransparentBmp::on_draw(const Cairo::RefPtr<Cairo::Context>& cr)
{
    const bool sharper = sharperBitMap_ && FBitMap && get_scale_factor() >= 2;
    PaintTransparentBitmap(cr, sharper ? sharperBitMap_ : FBitMap, get_allocated_width(),
                           get_allocated_height(), FTransparentColor, ParentColour(), sharper ? 2 : 1);
    return true;
}
