#include "GradientBands.h"

#include <cstdint>
#include <limits>

#ifdef __FAST_MATH__
#error "the band colours need exact IEEE arithmetic: build without -ffast-math"
#endif

// The channel arithmetic is done in x87 extended precision, as the colours of
// the bands are defined by it; plain double arithmetic changes the last unit of
// a channel in some bands.
static_assert(std::numeric_limits<long double>::digits == 64,
              "long double must be the 80-bit extended type (64-bit mantissa)");

namespace {

// Holds the x87 unit at 64-bit precision while band colours are worked out,
// whatever precision control the rest of the process has set.
class ExtendedPrecision {
public:
#if defined(__x86_64__) || defined(__i386__)
    ExtendedPrecision()
    {
        asm volatile("fnstcw %0" : "=m"(saved_));
        const std::uint16_t extended = saved_ | 0x0300; // precision control bits 8-9 = 11
        if (extended != saved_)
            asm volatile("fldcw %0" : : "m"(extended));
    }
    ~ExtendedPrecision() { asm volatile("fldcw %0" : : "m"(saved_)); }

private:
    std::uint16_t saved_ = 0;
#endif
};

double Step(int channel, int n)
{
    return static_cast<double>(static_cast<long double>(channel) / static_cast<long double>(n));
}

int Channel(int weight1, double step1, int weight2, double step2)
{
    const long double sum = static_cast<long double>(weight1) * static_cast<long double>(step1)
                          + static_cast<long double>(weight2) * static_cast<long double>(step2);
    const double rounded = static_cast<double>(sum);
    if (rounded > 255.0)
        return 255;
    return static_cast<int>(rounded); // truncates toward zero
}

} // namespace

GradientPlan::GradientPlan(int height, TColor colour1, TColor colour2, TLRGradFillType fill)
    : n_(height > 0 ? height / kGradientBandHeight : 0),
      fill_(fill),
      // A panel lower than one band shows one band in the colour the shape
      // starts with at its top.
      topColour_((fill == TLRGradFillType::lrgftTopToBottomOut ? colour2 : colour1) & 0xFFFFFF)
{
    if (n_ == 0)
        return;
    const ExtendedPrecision precision;
    const int c1[3] = {RedOf(colour1), GreenOf(colour1), BlueOf(colour1)};
    const int c2[3] = {RedOf(colour2), GreenOf(colour2), BlueOf(colour2)};
    for (int k = 0; k < 3; ++k) {
        step1_[k] = Step(c1[k], n_);
        step2_[k] = Step(c2[k], n_);
        if (fill_ != TLRGradFillType::lrgftTopToBottom) {
            step1_[k] *= 2;
            step2_[k] *= 2;
        }
    }
}

int GradientPlan::FillCount() const
{
    if (n_ == 0)
        return 1;
    return fill_ == TLRGradFillType::lrgftTopToBottom ? n_ + 1 : n_ + 2;
}

GradientBand GradientPlan::Fill(int i) const
{
    if (n_ == 0)
        return {0, topColour_};
    const int n = n_;
    const int m = n / 2;
    switch (fill_) {
    case TLRGradFillType::lrgftTopToBottomIn:
        if (i <= m)
            return Weighted(i, m - i, i);
        return Weighted(i, i - m - 1, n + 1 - i); // bands m + 1 ... n + 1
    case TLRGradFillType::lrgftTopToBottomOut:
        if (i <= m)
            return Weighted(i, i, m - i);
        {
            const int b = i - 1; // the second run starts again at band m
            return Weighted(b, n - b, b - m);
        }
    case TLRGradFillType::lrgftTopToBottom:
    default:
        return Weighted(i, n - i, i);
    }
}

GradientBand GradientPlan::Weighted(int band, int weight1, int weight2) const
{
    const ExtendedPrecision precision;
    const int red = Channel(weight1, step1_[0], weight2, step2_[0]);
    const int green = Channel(weight1, step1_[1], weight2, step2_[1]);
    const int blue = Channel(weight1, step1_[2], weight2, step2_[2]);
    return {band, RGBColour(red, green, blue)};
}
