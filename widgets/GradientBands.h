#pragma once
// The bands of a TLRGradFill: which 4-pixel bands are filled, in which order and
// with which colour. Pure arithmetic, no toolkit; see TLRGradFill.h.
#include "TColor.h"

#include <cstdint>

enum class TLRGradFillType : std::uint8_t {
    lrgftTopToBottom = 0,
    lrgftTopToBottomIn = 1,
    lrgftTopToBottomOut = 2,
};

inline constexpr int kGradientBandHeight = 4;

// One solid fill: rows Top() to Top() + kGradientBandHeight - 1, full width.
struct GradientBand {
    int index = 0; // band b, at top 4*b
    TColor colour = 0;
    int Top() const { return index * kGradientBandHeight; }
};

// Everything a paint needs, worked out once per paint.
class GradientPlan {
public:
    GradientPlan(int height, TColor colour1, TColor colour2, TLRGradFillType fill);

    // n + 1 fills for lrgftTopToBottom, n + 2 for the other two shapes.
    int FillCount() const;
    // The i-th fill in painting order (top to bottom), 0 <= i < FillCount().
    GradientBand Fill(int i) const;

private:
    GradientBand Weighted(int band, int weight1, int weight2) const;

    int n_;
    TLRGradFillType fill_;
    TColor topColour_;    // what a panel lower than one band shows
    double step1_[3] = {}; // red, green, blue steps of Colour1
    double step2_[3] = {}; // the same of Colour2
};
