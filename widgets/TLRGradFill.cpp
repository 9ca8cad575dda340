#include "TLRGradFill.h"

TLRGradFill::TLRGradFill()
{
    // Paints its own surface, so the toolkit never draws a theme background.
    set_has_window(false);
    set_app_paintable(true);
}

void TLRGradFill::SetColour1(TColor value)
{
    if (value == FColour1)
        return;
    FColour1 = value;
    Invalidate();
}

void TLRGradFill::SetColour2(TColor value)
{
    if (value == FColour2)
        return;
    FColour2 = value;
    Invalidate();
}

void TLRGradFill::SetFill(TLRGradFillType value)
{
    if (value == FFill)
        return;
    FFill = value;
    Invalidate();
}

void TLRGradFill::Invalidate()
{
    queue_draw();
}

void TLRGradFill::PaintBands(const Cairo::RefPtr<Cairo::Context>& cr, int width, int height,
                             TColor colour1, TColor colour2, TLRGradFillType fill)
{
    if (width <= 0 || height <= 0)
        return;
    const GradientPlan plan(height, colour1, colour2, fill);
    cr->save();
    cr->rectangle(0, 0, width, height);
    cr->clip();
    cr->set_antialias(Cairo::ANTIALIAS_NONE);
    for (int i = 0, count = plan.FillCount(); i < count; ++i) {
        const GradientBand band = plan.Fill(i);
        cr->set_source_rgb(RedOf(band.colour) / 255.0, GreenOf(band.colour) / 255.0,
                           BlueOf(band.colour) / 255.0);
        cr->rectangle(0, band.Top(), width, kGradientBandHeight);
        cr->fill();
    }
    cr->restore();
}

bool TLRGradFill::on_draw(const Cairo::RefPtr<Cairo::Context>& cr)
{
    PaintBands(cr, get_allocated_width(), get_allocated_height(), FColour1, FColour2, FFill);
    return Gtk::Fixed::on_draw(cr); // the children
}
