// The transparent bitmap: exact-colour masking pixel by pixel, the "no colour"
// values, the size rules and the copied picture.
#include "RenderWidget.h"
#include "TTransparentBmp.h"
#include "TransparentPaint.h"

#include <gtest/gtest.h>
#include <gtkmm/cssprovider.h>
#include <gtkmm/fixed.h>

namespace {

// A picture given row by row as $00BBGGRR colours.
Glib::RefPtr<Gdk::Pixbuf> Picture(const std::vector<std::vector<TColor>>& rows)
{
    const int height = static_cast<int>(rows.size());
    const int width = static_cast<int>(rows.front().size());
    auto pixbuf = Gdk::Pixbuf::create(Gdk::COLORSPACE_RGB, false, 8, width, height);
    for (int y = 0; y < height; ++y) {
        guint8* p = pixbuf->get_pixels() + y * pixbuf->get_rowstride();
        for (int x = 0; x < width; ++x, p += 3) {
            p[0] = static_cast<guint8>(RedOf(rows[y][x]));
            p[1] = static_cast<guint8>(GreenOf(rows[y][x]));
            p[2] = static_cast<guint8>(BlueOf(rows[y][x]));
        }
    }
    return pixbuf;
}

Cairo::RefPtr<Cairo::ImageSurface> Paint(const Glib::RefPtr<Gdk::Pixbuf>& picture, int width, int height,
                                         TColor transparent, TColor background)
{
    auto surface = FilledSurface(width, height, 0x123456);
    PaintTransparentBitmap(Cairo::Context::create(surface), picture, width, height, transparent, background);
    return surface;
}

constexpr TColor kAlmostWhite = 0xFEFFFF;
constexpr TColor kParent = 0x2A3B4C;

} // namespace

TEST(TransparentPaint, OnlyPixelsOfExactlyTheColourTakeTheBackground)
{
    const auto picture = Picture({{clWhite, 0x0000FF, kAlmostWhite},
                                  {0x00FF00, clWhite, clBlack}});
    const auto masked = Paint(picture, 3, 2, clWhite, kParent);
    const TColor expected[2][3] = {{kParent, 0x0000FF, kAlmostWhite}, {0x00FF00, kParent, clBlack}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(PixelAt(masked, x, y), expected[y][x]) << x << "," << y;

    // Black masks black pixels only.
    const auto black = Paint(picture, 3, 2, clBlack, kParent);
    EXPECT_EQ(PixelAt(black, 2, 1), kParent);
    EXPECT_EQ(PixelAt(black, 0, 0), clWhite);
}

TEST(TransparentPaint, MinusOneAndClNoneDrawThePictureUnchanged)
{
    const auto picture = Picture({{clWhite, 0x0000FF}, {0x1FFFFF, clBlack}});
    for (TColor none : {-1, clNone, -5}) {
        const auto plain = Paint(picture, 2, 2, none, kParent);
        EXPECT_EQ(PixelAt(plain, 0, 0), clWhite) << none;
        EXPECT_EQ(PixelAt(plain, 1, 0), 0x0000FF) << none;
        EXPECT_EQ(PixelAt(plain, 0, 1), 0x1FFFFF) << none;
        EXPECT_EQ(PixelAt(plain, 1, 1), clBlack) << none;
    }
}

TEST(TransparentPaint, AreaBeyondThePictureShowsTheBackgroundAndNoPictureShowsWhite)
{
    const auto picture = Picture({{0x0000FF, 0x0000FF}, {0x0000FF, 0x0000FF}});
    const auto larger = Paint(picture, 3, 3, -1, kParent);
    EXPECT_EQ(PixelAt(larger, 1, 1), 0x0000FF);
    EXPECT_EQ(PixelAt(larger, 2, 0), kParent);
    EXPECT_EQ(PixelAt(larger, 0, 2), kParent);

    const auto empty = Paint({}, 4, 4, clWhite, kParent);
    EXPECT_EQ(PixelAt(empty, 0, 0), clWhite);
    EXPECT_EQ(PixelAt(empty, 3, 3), clWhite);
}

TEST(TTransparentBmp, TakesThePicturesSizeAndKeepsItsOwnCopy)
{
    TTransparentBmp bmp;
    EXPECT_EQ(bmp.Width(), 32);
    EXPECT_EQ(bmp.Height(), 32);
    EXPECT_EQ(bmp.TransparentColor(), -1);

    auto picture = Gdk::Pixbuf::create(Gdk::COLORSPACE_RGB, false, 8, 16, 24);
    picture->fill(0xFF0000FF); // red
    bmp.SetBitMap(picture);
    EXPECT_EQ(bmp.Width(), 16);
    EXPECT_EQ(bmp.Height(), 24);
    int width = 0, height = 0;
    bmp.get_size_request(width, height);
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 24);

    // The caller's picture stays the caller's: changing it changes nothing here.
    EXPECT_NE(bmp.BitMap().get(), picture.get());
    picture->fill(0x00FF00FF);
    EXPECT_EQ(bmp.BitMap()->get_pixels()[0], 0xFF);
    EXPECT_EQ(bmp.BitMap()->get_pixels()[1], 0x00);

    bmp.SetBitMap({});
    EXPECT_EQ(bmp.Width(), 32);
    EXPECT_EQ(bmp.Height(), 32);
}

TEST(TTransparentBmp, MasksWithItsParentsColourOnScreen)
{
    Gtk::Fixed parent;
    auto css = Gtk::CssProvider::create();
    css->load_from_data("* { background-color: rgb(76, 59, 42); }"); // $2A3B4C
    parent.get_style_context()->add_provider(css, GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    TTransparentBmp bmp;
    parent.put(bmp, 0, 0);
    bmp.SetBitMap(Picture({{clWhite, 0x0000FF}, {0x0000FF, clWhite}}));
    bmp.SetTransparentColor(clWhite);
    bmp.SetSize(3, 3);
    EXPECT_EQ(bmp.ParentColour(), kParent);

    const auto surface = RenderWidget(parent, 3, 3);
    EXPECT_EQ(PixelAt(surface, 0, 0), kParent);
    EXPECT_EQ(PixelAt(surface, 1, 0), 0x0000FF);
    EXPECT_EQ(PixelAt(surface, 1, 1), kParent);
    EXPECT_EQ(PixelAt(surface, 2, 2), kParent);
}
