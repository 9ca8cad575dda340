// The gradient panel's bands: the colours of the documented cases, computed and
// painted pixel-exact, clipping, the low-panel case and the setters.
#include "GradientBands.h"
#include "RenderWidget.h"
#include "TLRGradFill.h"

#include <gtest/gtest.h>
#include <gtkmm/drawingarea.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <vector>

namespace {

using Fill = TLRGradFillType;

struct GradientCase {
    const char* name;
    int height;
    TColor colour1;
    TColor colour2;
    Fill fill;
    int fills;                      // solid fills per paint
    std::map<int, TColor> bands;    // band index -> colour it keeps
};

const std::vector<GradientCase>& Cases()
{
    static const std::vector<GradientCase> cases = {
        {"About backdrop", 264, 0xFF0000, 0x0000FF, Fill::lrgftTopToBottom, 67,
         {{0, 0xFF0000}, {1, 0xFB0003}, {2, 0xF70007}, {33, 0x7F007F}, {65, 0x0300FB}, {66, 0x0000FF}}},
        {"in, even n", 40, 0xFF0000, 0x0000FF, Fill::lrgftTopToBottomIn, 12,
         {{0, 0xFF0000}, {1, 0xCC0033}, {2, 0x990066}, {3, 0x660099}, {4, 0x3300CC}, {5, 0x0000FF},
          {6, 0x0000FF}, {7, 0x3300CC}, {8, 0x660099}, {9, 0x990066}, {10, 0xCC0033}, {11, 0xFF0000}}},
        {"out, even n", 40, 0xFF0000, 0x0000FF, Fill::lrgftTopToBottomOut, 12,
         {{0, 0x0000FF}, {1, 0x3300CC}, {2, 0x660099}, {3, 0x990066}, {4, 0xCC0033}, {5, 0xFF0000},
          {6, 0xCC0033}, {7, 0x990066}, {8, 0x660099}, {9, 0x3300CC}, {10, 0x0000FF}}},
        {"in, odd n", 44, 0xFF0000, 0x0000FF, Fill::lrgftTopToBottomIn, 13,
         {{0, 0xE70000}, {5, 0x0000E7}, {6, 0x0000FF}, {12, 0xFF0000}}},
        {"partial last band", 42, 0xFF0000, 0x0000FF, Fill::lrgftTopToBottom, 11,
         {{0, 0xFF0000}, {10, 0x0000FF}}},
        {"extended precision", 28, 0x00003D, 0, Fill::lrgftTopToBottom, 8,
         {{0, 0x00003C}, {1, 0x000034}, {2, 0x00002B}, {3, 0x000022}, {4, 0x00001A}, {5, 0x000011},
          {6, 0x000008}, {7, 0x000000}}},
        // 2 * (1/5) + 3 * (61/5) is 37 in extended precision, 36.99... in double.
        {"extended precision sum", 20, 0x000001, 0x00003D, Fill::lrgftTopToBottom, 6, {{3, 0x000025}}},
    };
    return cases;
}

// The colour each band keeps after all fills, and the order they came in.
std::map<int, TColor> PaintedBands(const GradientPlan& plan, std::vector<int>& order)
{
    std::map<int, TColor> bands;
    for (int i = 0; i < plan.FillCount(); ++i) {
        const GradientBand band = plan.Fill(i);
        order.push_back(band.index);
        bands[band.index] = band.colour;
    }
    return bands;
}

std::uint16_t X87ControlWord()
{
    std::uint16_t word = 0;
    asm volatile("fnstcw %0" : "=m"(word));
    return word;
}

void SetX87ControlWord(std::uint16_t word)
{
    asm volatile("fldcw %0" : : "m"(word));
}

} // namespace

TEST(GradientBands, DocumentedCasesGiveTheirColoursInTopToBottomOrder)
{
    for (const GradientCase& c : Cases()) {
        const GradientPlan plan(c.height, c.colour1, c.colour2, c.fill);
        EXPECT_EQ(plan.FillCount(), c.fills) << c.name;
        std::vector<int> order;
        const auto bands = PaintedBands(plan, order);
        for (const auto& [index, colour] : c.bands) {
            ASSERT_TRUE(bands.count(index)) << c.name << ", band " << index;
            EXPECT_EQ(bands.at(index), colour) << c.name << ", band " << index;
        }
        for (std::size_t i = 1; i < order.size(); ++i)
            EXPECT_GE(order[i], order[i - 1]) << c.name << ": painted out of order";
    }
    // The out shape fills its middle band twice, the second time with (q, 0).
    std::vector<int> order;
    PaintedBands(GradientPlan(40, 0xFF0000, 0x0000FF, Fill::lrgftTopToBottomOut), order);
    EXPECT_EQ(std::count(order.begin(), order.end(), 5), 2);
}

TEST(GradientBands, ExtendedPrecisionHoldsWhenTheProcessLowersIt)
{
    const std::uint16_t saved = X87ControlWord();
    SetX87ControlWord(static_cast<std::uint16_t>((saved & ~0x0300) | 0x0200)); // 53-bit precision
    const TColor band3 = GradientPlan(20, 0x000001, 0x00003D, Fill::lrgftTopToBottom).Fill(3).colour;
    const std::uint16_t after = X87ControlWord();
    SetX87ControlWord(saved);
    EXPECT_EQ(band3, 0x000025);
    EXPECT_EQ((after >> 8) & 3, 2) << "the process's own setting is given back";
}

TEST(GradientBands, PaintedPixelsAreExactAndClippedToThePanel)
{
    constexpr int kWidth = 7;
    constexpr int kBelow = 9; // rows under the panel that must stay untouched
    constexpr TColor kUntouched = 0x123456;
    for (const GradientCase& c : Cases()) {
        auto surface = FilledSurface(kWidth, c.height + kBelow, kUntouched);
        TLRGradFill::PaintBands(Cairo::Context::create(surface), kWidth, c.height, c.colour1, c.colour2, c.fill);
        for (const auto& [index, colour] : c.bands)
            for (int row = index * 4; row < index * 4 + 4 && row < c.height; ++row)
                for (int x : {0, kWidth / 2, kWidth - 1})
                    ASSERT_EQ(PixelAt(surface, x, row), colour) << c.name << ", row " << row << ", x " << x;
        for (int row = c.height; row < c.height + kBelow; ++row)
            ASSERT_EQ(PixelAt(surface, 3, row), kUntouched) << c.name << ": row " << row << " below the panel";
    }
    // The About backdrop's lowest visible rows are band 65's.
    auto about = FilledSurface(5, 264, kUntouched);
    TLRGradFill::PaintBands(Cairo::Context::create(about), 5, 264, 0xFF0000, 0x0000FF, Fill::lrgftTopToBottom);
    EXPECT_EQ(PixelAt(about, 2, 263), 0x0300FB);
}

TEST(GradientBands, PanelLowerThanOneBandShowsTheShapesTopColour)
{
    for (int height : {0, 1, 3}) {
        const GradientPlan down(height, 0x102030, 0x405060, Fill::lrgftTopToBottom);
        ASSERT_EQ(down.FillCount(), 1);
        EXPECT_EQ(down.Fill(0).colour, 0x102030);
        EXPECT_EQ(GradientPlan(height, 0x102030, 0x405060, Fill::lrgftTopToBottomIn).Fill(0).colour, 0x102030);
        EXPECT_EQ(GradientPlan(height, 0x102030, 0x405060, Fill::lrgftTopToBottomOut).Fill(0).colour, 0x405060);
    }
    auto surface = FilledSurface(4, 3, 0);
    TLRGradFill::PaintBands(Cairo::Context::create(surface), 4, 3, 0x102030, 0, Fill::lrgftTopToBottom);
    EXPECT_EQ(PixelAt(surface, 0, 2), 0x102030);
}

TEST(GradientBands, TopByteOfAColourIsIgnored)
{
    // A system-colour value is taken as its low three bytes, not translated.
    const GradientPlan plan(40, static_cast<TColor>(0x80FF0000u), 0x0000FF, Fill::lrgftTopToBottom);
    EXPECT_EQ(plan.Fill(0).colour, 0xFF0000);
}

namespace {

class CountingGradFill : public TLRGradFill {
public:
    int repaints = 0;

protected:
    void Invalidate() override
    {
        ++repaints;
        TLRGradFill::Invalidate();
    }
};

} // namespace

TEST(TLRGradFill, PaintsBlueDownToBlackUntilToldOtherwiseAndRepaintsOnlyOnChange)
{
    CountingGradFill panel;
    const auto start = RenderWidget(panel, 8, 40);
    EXPECT_EQ(PixelAt(start, 4, 0), clBlue);
    EXPECT_LT(BlueOf(PixelAt(start, 4, 39)), 0x20) << "nearly black at the bottom";
    panel.repaints = 0;

    panel.SetColour1(clBlue);
    panel.SetColour2(clBlack);
    panel.SetFill(Fill::lrgftTopToBottom);
    EXPECT_EQ(panel.repaints, 0);

    panel.SetFill(Fill::lrgftTopToBottomIn);
    EXPECT_EQ(panel.repaints, 1);
    panel.SetColour1(clRed);
    panel.SetColour2(clNavy);
    EXPECT_EQ(panel.repaints, 3);
    const auto changed = RenderWidget(panel, 8, 40);
    EXPECT_EQ(PixelAt(changed, 4, 0), clRed) << "in: the first colour at the top";
    EXPECT_EQ(PixelAt(changed, 4, 20), clNavy) << "and the second in the middle";
}

namespace {

class GreenSquare : public Gtk::DrawingArea {
protected:
    bool on_draw(const Cairo::RefPtr<Cairo::Context>& cr) override
    {
        cr->set_source_rgb(0, 1, 0);
        cr->paint();
        return true;
    }
};

} // namespace

TEST(TLRGradFill, WidgetPaintsBandsUnderItsChildren)
{
    TLRGradFill panel;
    panel.SetColour1(0xFF0000);
    panel.SetColour2(0x0000FF);
    panel.SetFill(Fill::lrgftTopToBottomOut);
    GreenSquare child;
    child.set_size_request(4, 4);
    panel.put(child, 10, 12);

    const auto surface = RenderWidget(panel, 30, 40);
    EXPECT_EQ(PixelAt(surface, 0, 0), 0x0000FF);
    EXPECT_EQ(PixelAt(surface, 29, 21), 0xFF0000); // band 5
    EXPECT_EQ(PixelAt(surface, 5, 39), 0x3300CC);  // band 9
    EXPECT_EQ(PixelAt(surface, 11, 13), 0x00FF00); // the child on top
}
