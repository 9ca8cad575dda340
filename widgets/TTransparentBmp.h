#pragma once
// A picture shown unscaled at the control's top-left corner, optionally drawing
// every pixel of one chosen colour in the colour of the control's parent.
#include "TColor.h"

#include <gdkmm/pixbuf.h>
#include <gtkmm/drawingarea.h>

class TTransparentBmp : public Gtk::DrawingArea {
public:
    TTransparentBmp();

    // The picture is copied; the caller keeps its own. The control takes the
    // picture's size, or 32 for a side that is 0 (no picture).
    void SetBitMap(const Glib::RefPtr<const Gdk::Pixbuf>& value);
    Glib::RefPtr<const Gdk::Pixbuf> BitMap() const { return FBitMap; }

    // A copy of the picture at twice its size, drawn in its place where the
    // control's scale factor is 2 or more; an empty one draws the picture.
    // The control's size stays that of the picture.
    void SetSharperBitMap(const Glib::RefPtr<const Gdk::Pixbuf>& value);

    // A negative value or clNone draws the picture unchanged. Repaints on change.
    void SetTransparentColor(TColor value);
    TColor TransparentColor() const { return FTransparentColor; }

    // The colour drawn where the picture has the transparent colour: the
    // nearest ancestor's background.
    TColor ParentColour() const;

    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetSize(int width, int height);

protected:
    bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;

private:
    Glib::RefPtr<Gdk::Pixbuf> FBitMap;
    Glib::RefPtr<Gdk::Pixbuf> sharperBitMap_;
    TColor FTransparentColor = -1;
    int width_ = 32;
    int height_ = 32;
};
