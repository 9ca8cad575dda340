#pragma once
// A container panel painted as a vertical gradient of 4-pixel bands; children
// sit on it at pixel positions. It paints nothing but the bands: no caption, no
// bevel, no theme background.
#include "GradientBands.h"
#include "TColor.h"

#include <gtkmm/fixed.h>

class TLRGradFill : public Gtk::Fixed {
public:
    TLRGradFill();

    TColor Colour1() const { return FColour1; }
    TColor Colour2() const { return FColour2; }
    TLRGradFillType Fill() const { return FFill; }

    // Each setter repaints only when the value changes.
    void SetColour1(TColor value);
    void SetColour2(TColor value);
    void SetFill(TLRGradFillType value);

    // Paints the bands of a panel of the given size onto cr, clipped to it.
    static void PaintBands(const Cairo::RefPtr<Cairo::Context>& cr, int width, int height,
                           TColor colour1, TColor colour2, TLRGradFillType fill);

protected:
    bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override;
    // Asks for a repaint; a seam for observing repaints.
    virtual void Invalidate();

private:
    TLRGradFillType FFill = TLRGradFillType::lrgftTopToBottom;
    TColor FColour1 = clBlue;
    TColor FColour2 = clBlack;
};
