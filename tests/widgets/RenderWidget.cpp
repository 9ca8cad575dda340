#include "RenderWidget.h"

#include <gtkmm/main.h>
#include <gtkmm/offscreenwindow.h>

#include <cstdint>
#include <stdexcept>

Cairo::RefPtr<Cairo::ImageSurface> RenderWidget(Gtk::Widget& widget, int width, int height)
{
    Gtk::OffscreenWindow window;
    widget.set_size_request(width, height);
    window.add(widget);
    window.show_all();
    for (int i = 0; i < 100 && (widget.get_allocated_width() != width || widget.get_allocated_height() != height); ++i) {
        RunPendingEvents();
        Gtk::Main::iteration(false);
    }
    if (widget.get_allocated_width() != width || widget.get_allocated_height() != height)
        throw std::runtime_error("the widget did not get its size");
    auto surface = DrawShown(widget);
    window.remove();
    return surface;
}

Cairo::RefPtr<Cairo::ImageSurface> DrawShown(Gtk::Widget& widget)
{
    auto surface = Cairo::ImageSurface::create(Cairo::FORMAT_ARGB32, widget.get_allocated_width(),
                                               widget.get_allocated_height());
    gtk_widget_draw(widget.gobj(), Cairo::Context::create(surface)->cobj());
    surface->flush();
    return surface;
}

Cairo::RefPtr<Cairo::ImageSurface> FilledSurface(int width, int height, TColor colour)
{
    auto surface = Cairo::ImageSurface::create(Cairo::FORMAT_ARGB32, width, height);
    auto cr = Cairo::Context::create(surface);
    cr->set_source_rgb(RedOf(colour) / 255.0, GreenOf(colour) / 255.0, BlueOf(colour) / 255.0);
    cr->paint();
    surface->flush();
    return surface;
}

TColor PixelAt(const Cairo::RefPtr<Cairo::ImageSurface>& surface, int x, int y)
{
    surface->flush();
    const auto* row = surface->get_data() + static_cast<std::ptrdiff_t>(y) * surface->get_stride();
    const std::uint32_t argb = reinterpret_cast<const std::uint32_t*>(row)[x];
    return RGBColour((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}
