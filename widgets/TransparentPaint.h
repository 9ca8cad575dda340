#pragma once
// How a TTransparentBmp draws its picture: unscaled at the top-left corner, every
// pixel of exactly the transparent colour drawn in the background colour.
#include "TColor.h"

#include <cairomm/context.h>
#include <cairomm/surface.h>
#include <gdkmm/pixbuf.h>

// True when colour names a pixel colour to replace: not negative and not clNone.
bool IsMaskingColour(TColor colour);

// The picture with every pixel whose colour equals transparentColour exactly
// (alpha aside) replaced by an opaque background; a picture with nothing to
// replace comes back unchanged in content.
Cairo::RefPtr<Cairo::ImageSurface> MaskedPicture(const Glib::RefPtr<const Gdk::Pixbuf>& picture,
                                                 TColor transparentColour, TColor background);

// Paints a control of width x height: white when there is no picture; otherwise
// the background, with the picture (masked when transparentColour is a plain
// colour) over it at the top-left corner. A picture of scale 2 has twice the
// pixels of the size it covers (a copy for screens with a scale factor of 2).
void PaintTransparentBitmap(const Cairo::RefPtr<Cairo::Context>& cr,
                            const Glib::RefPtr<const Gdk::Pixbuf>& picture, int width, int height,
                            TColor transparentColour, TColor background, int pictureScale = 1);
