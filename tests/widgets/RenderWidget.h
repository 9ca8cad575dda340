#pragma once
// Test helpers: draw a widget onto an image surface and read its pixels back.
#include "MainLoop.h"
#include "TColor.h"

#include <cairomm/surface.h>
#include <gtkmm/widget.h>


// Lays the widget out at width x height in an offscreen window, draws it onto a
// new image surface of that size and takes it out of the window again.
Cairo::RefPtr<Cairo::ImageSurface> RenderWidget(Gtk::Widget& widget, int width, int height);

// Draws a widget already laid out on screen onto a new image surface of its size.
Cairo::RefPtr<Cairo::ImageSurface> DrawShown(Gtk::Widget& widget);

// An opaque image surface filled with one colour.
Cairo::RefPtr<Cairo::ImageSurface> FilledSurface(int width, int height, TColor colour);

// The colour of one pixel as $00BBGGRR.
TColor PixelAt(const Cairo::RefPtr<Cairo::ImageSurface>& surface, int x, int y);
