#include "DrawnPixels.h"

#include "ProgramIdentity.h"

#include <cairomm/context.h>
#include <gdk/gdk.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>

namespace {

std::uint32_t Pixel(const Cairo::RefPtr<Cairo::ImageSurface>& surface, int x, int y)
{
    const unsigned char* row = surface->get_data() + static_cast<std::ptrdiff_t>(y) * surface->get_stride();
    return reinterpret_cast<const std::uint32_t*>(row)[x];
}

int Channel(std::uint32_t pixel, int shift)
{
    return static_cast<int>((pixel >> shift) & 0xFF);
}

Rgb ToRgb(std::uint32_t pixel)
{
    return {Channel(pixel, 16) / 255.0, Channel(pixel, 8) / 255.0, Channel(pixel, 0) / 255.0};
}

} // namespace

Cairo::RefPtr<Cairo::ImageSurface> DrawAtScale(Gtk::Widget& widget, int scale)
{
    auto surface = Cairo::ImageSurface::create(Cairo::FORMAT_ARGB32, widget.get_allocated_width() * scale,
                                               widget.get_allocated_height() * scale);
    cairo_surface_set_device_scale(surface->cobj(), scale, scale);
    auto cr = Cairo::Context::create(surface);
    gtk_widget_draw(widget.gobj(), cr->cobj());
    surface->flush();
    return surface;
}

double BestMeanDifference(const Cairo::RefPtr<Cairo::ImageSurface>& drawing,
                          const Glib::RefPtr<const Gdk::Pixbuf>& picture)
{
    // With an alpha channel, so an opaque picture compares as opaque.
    const auto withAlpha = picture->add_alpha(false, 0, 0, 0);
    auto expected = Cairo::RefPtr<Cairo::ImageSurface>(new Cairo::ImageSurface(
        gdk_cairo_surface_create_from_pixbuf(withAlpha->gobj(), 1, nullptr), true));
    expected->flush();
    const int width = expected->get_width();
    const int height = expected->get_height();
    double best = std::numeric_limits<double>::infinity();
    for (int top = 0; top + height <= drawing->get_height(); ++top) {
        for (int left = 0; left + width <= drawing->get_width(); ++left) {
            std::int64_t sum = 0;
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    const std::uint32_t a = Pixel(drawing, left + x, top + y);
                    const std::uint32_t b = Pixel(expected, x, y);
                    for (int shift : {0, 8, 16, 24})
                        sum += std::abs(Channel(a, shift) - Channel(b, shift));
                }
            }
            best = std::min(best, static_cast<double>(sum) / (4.0 * width * height));
        }
    }
    return best;
}

Glib::RefPtr<Gdk::Pixbuf> BundlePicture(const std::string& name)
{
    return Gdk::Pixbuf::create_from_resource(platform::ResourcePath(name));
}

Rgb PixelOf(const Cairo::RefPtr<Cairo::ImageSurface>& drawing, int x, int y)
{
    return ToRgb(Pixel(drawing, x, y));
}

double Luminance(const Rgb& colour)
{
    const auto linear = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) + 0.0722 * linear(colour.blue);
}

double ContrastRatio(const Rgb& a, const Rgb& b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

InkOnGround TextColours(const Cairo::RefPtr<Cairo::ImageSurface>& drawing, int x, int y, int width,
                        int height)
{
    const int right = std::min(x + width, drawing->get_width());
    const int bottom = std::min(y + height, drawing->get_height());
    std::map<std::uint32_t, int> counts;
    for (int py = std::max(y, 0); py < bottom; ++py)
        for (int px = std::max(x, 0); px < right; ++px)
            ++counts[Pixel(drawing, px, py) & 0xFFFFFF];
    InkOnGround result;
    if (counts.empty())
        return result;
    const auto ground = std::max_element(counts.begin(), counts.end(),
                                         [](const auto& a, const auto& b) { return a.second < b.second; });
    result.ground = ToRgb(ground->first);
    result.ink = result.ground;
    double farthest = 0;
    for (const auto& [pixel, count] : counts) {
        const double distance = std::abs(Luminance(ToRgb(pixel)) - Luminance(result.ground));
        if (distance > farthest) {
            farthest = distance;
            result.ink = ToRgb(pixel);
        }
    }
    return result;
}
