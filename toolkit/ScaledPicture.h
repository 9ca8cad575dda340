#pragma once
// Pictures of the resource bundle that stay sharp on screens with a scale
// factor above 1. Each picture NAME.png may have a copy twice its size,
// NAME@2x.png; a widget with scale factor 2 or more draws that copy at the
// same size in layout pixels, so a window lays out the same at every scale.
#include <cairomm/surface.h>
#include <gdkmm/pixbuf.h>
#include <gtkmm/image.h>

#include <string>

namespace platform {

// A bundle picture as loaded for one scale factor: the pixels and how many
// of them make one layout pixel (1 or 2).
struct ScaledPixbuf {
    Glib::RefPtr<Gdk::Pixbuf> pixels;
    int scale = 1;
};

// Loads the picture named below the bundle's prefix (e.g. "toolbar/home.png")
// for a widget of the given scale factor: its @2x copy where the scale is 2
// or more and the bundle has one, else the picture itself.
// Throws Glib::Error when the picture is missing.
ScaledPixbuf LoadScaledPixbuf(const std::string& name, int scaleFactor);

// A surface of the pixels whose device scale is the picture's scale, so it
// is painted at its layout size with every pixel of the picture kept.
Cairo::RefPtr<Cairo::Surface> ScaledSurface(const ScaledPixbuf& picture);

// An image that shows one bundle picture and loads it again at the right
// size whenever its scale factor changes (a window moved to another screen).
class ScaledImage : public Gtk::Image {
public:
    ScaledImage();
    ~ScaledImage() override;

    void SetPicture(const std::string& name);
    const std::string& Picture() const { return name_; }

private:
    void Load();

    std::string name_;
    sigc::connection scaleChanged_;
};

} // namespace platform
