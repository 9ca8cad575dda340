#include "TransparentPaint.h"

#include <gdk/gdk.h>

#include <cstdint>

namespace {

void SetSource(const Cairo::RefPtr<Cairo::Context>& cr, TColor colour)
{
    cr->set_source_rgb(RedOf(colour) / 255.0, GreenOf(colour) / 255.0, BlueOf(colour) / 255.0);
}

std::uint32_t Premultiplied(int red, int green, int blue, int alpha)
{
    const auto scale = [alpha](int c) { return static_cast<std::uint32_t>((c * alpha + 127) / 255); };
    return (static_cast<std::uint32_t>(alpha) << 24) | (scale(red) << 16) | (scale(green) << 8) | scale(blue);
}

} // namespace

bool IsMaskingColour(TColor colour)
{
    return colour >= 0 && colour != clNone;
}

Cairo::RefPtr<Cairo::ImageSurface> MaskedPicture(const Glib::RefPtr<const Gdk::Pixbuf>& picture,
                                                 TColor transparentColour, TColor background)
{
    const int width = picture->get_width();
    const int height = picture->get_height();
    auto surface = Cairo::ImageSurface::create(Cairo::FORMAT_ARGB32, width, height);
    surface->flush();
    const int channels = picture->get_n_channels();
    const bool hasAlpha = picture->get_has_alpha();
    const int rowstride = picture->get_rowstride();
    const guint8* pixels = picture->get_pixels();
    const bool masking = IsMaskingColour(transparentColour);
    const std::uint32_t backgroundPixel =
        Premultiplied(RedOf(background), GreenOf(background), BlueOf(background), 255);

    unsigned char* target = surface->get_data();
    const int stride = surface->get_stride();
    for (int y = 0; y < height; ++y) {
        const guint8* from = pixels + static_cast<std::ptrdiff_t>(y) * rowstride;
        auto* to = reinterpret_cast<std::uint32_t*>(target + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < width; ++x, from += channels) {
            const TColor colour = RGBColour(from[0], from[1], from[2]);
            if (masking && colour == transparentColour)
                to[x] = backgroundPixel;
            else
                to[x] = Premultiplied(from[0], from[1], from[2], hasAlpha ? from[3] : 255);
        }
    }
    surface->mark_dirty();
    return surface;
}

void PaintTransparentBitmap(const Cairo::RefPtr<Cairo::Context>& cr,
                            const Glib::RefPtr<const Gdk::Pixbuf>& picture, int width, int height,
                            TColor transparentColour, TColor background, int pictureScale)
{
    cr->save();
    cr->rectangle(0, 0, width, height);
    cr->clip();
    if (!picture || picture->get_height() <= 0) {
        SetSource(cr, clWhite);
        cr->paint();
        cr->restore();
        return;
    }
    // Where the control is larger than its picture, it shows the background.
    SetSource(cr, background);
    cr->paint();
    const int scale = pictureScale > 1 ? pictureScale : 1;
    Cairo::RefPtr<Cairo::Surface> source;
    if (IsMaskingColour(transparentColour)) {
        source = MaskedPicture(picture, transparentColour, background);
    } else {
        source = Cairo::RefPtr<Cairo::Surface>(new Cairo::Surface(
            gdk_cairo_surface_create_from_pixbuf(picture->gobj(), 1, nullptr), true));
    }
    cairo_surface_set_device_scale(source->cobj(), scale, scale);
    cr->set_source(source, 0, 0);
    cr->rectangle(0, 0, picture->get_width() / scale, picture->get_height() / scale);
    cr->fill();
    cr->restore();
}
