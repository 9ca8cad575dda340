#pragma once
// Test helpers that look at windows as a user sees them: widgets drawn at a
// chosen scale, pictures compared pixel by pixel, text contrast measured.
#include <cairomm/surface.h>
#include <gdkmm/pixbuf.h>
#include <gtkmm/widget.h>

#include <string>

// Draws the (shown) widget onto a new surface at the given device scale, the
// way it appears on a screen of that scale factor.
Cairo::RefPtr<Cairo::ImageSurface> DrawAtScale(Gtk::Widget& widget, int scale);

// The smallest mean difference per colour channel (0..255) between the
// picture and an equally large block of the drawing, over every placement of
// the block. 0 means the drawing holds the picture pixel for pixel.
double BestMeanDifference(const Cairo::RefPtr<Cairo::ImageSurface>& drawing,
                          const Glib::RefPtr<const Gdk::Pixbuf>& picture);

// A bundle picture by its name below the program's prefix.
Glib::RefPtr<Gdk::Pixbuf> BundlePicture(const std::string& name);

struct Rgb {
    double red = 0, green = 0, blue = 0; // 0..1
};

// The colour of one pixel of an opaque drawing, at device pixel (x, y).
Rgb PixelOf(const Cairo::RefPtr<Cairo::ImageSurface>& drawing, int x, int y);

// WCAG relative luminance, and the contrast ratio of two colours (1..21).
double Luminance(const Rgb& colour);
double ContrastRatio(const Rgb& a, const Rgb& b);

// Within a rectangle of an opaque drawing (layout pixels at scale 1): the most
// frequent colour (the background) and the pixel least like it (the ink).
struct InkOnGround {
    Rgb ground;
    Rgb ink;
};
InkOnGround TextColours(const Cairo::RefPtr<Cairo::ImageSurface>& drawing, int x, int y, int width,
                        int height);
