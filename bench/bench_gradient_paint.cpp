// Painting the About box's gradient backdrop (344 x 264, 67 bands) and its
// emblem, each beside the plainest paint of the same area: one solid fill, and
// the picture copied without a transparent colour. The ratios are the figures.
#include "GradientBands.h"
#include "TLRGradFill.h"
#include "TransparentPaint.h"

#include <benchmark/benchmark.h>
#include <gtkmm/main.h>

namespace {

constexpr int kWidth = 344;
constexpr int kHeight = 264;

void BM_GradientBackdrop(benchmark::State& state)
{
    auto surface = Cairo::ImageSurface::create(Cairo::FORMAT_ARGB32, kWidth, kHeight);
    auto cr = Cairo::Context::create(surface);
    for (auto _ : state) {
        TLRGradFill::PaintBands(cr, kWidth, kHeight, clBlue, clRed, TLRGradFillType::lrgftTopToBottom);
        surface->flush();
    }
}
BENCHMARK(BM_GradientBackdrop);

void BM_SolidFillSameArea(benchmark::State& state)
{
    auto surface = Cairo::ImageSurface::create(Cairo::FORMAT_ARGB32, kWidth, kHeight);
    auto cr = Cairo::Context::create(surface);
    for (auto _ : state) {
        cr->set_source_rgb(0, 0, 1);
        cr->rectangle(0, 0, kWidth, kHeight);
        cr->fill();
        surface->flush();
    }
}
BENCHMARK(BM_SolidFillSameArea);

void BM_BandColoursOnly(benchmark::State& state)
{
    for (auto _ : state) {
        const GradientPlan plan(kHeight, clBlue, clRed, TLRGradFillType::lrgftTopToBottomIn);
        TColor sum = 0;
        for (int i = 0; i < plan.FillCount(); ++i)
            sum ^= plan.Fill(i).colour;
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_BandColoursOnly);

Glib::RefPtr<Gdk::Pixbuf> Emblem()
{
    auto picture = Gdk::Pixbuf::create(Gdk::COLORSPACE_RGB, false, 8, 32, 32);
    picture->fill(0xFFFFFFFF);
    return picture;
}

void BM_EmblemMaskedWhite(benchmark::State& state)
{
    const auto picture = Emblem();
    auto surface = Cairo::ImageSurface::create(Cairo::FORMAT_ARGB32, 33, 33);
    auto cr = Cairo::Context::create(surface);
    for (auto _ : state) {
        PaintTransparentBitmap(cr, picture, 33, 33, clWhite, 0xC0C0C0);
        surface->flush();
    }
}
BENCHMARK(BM_EmblemMaskedWhite);

void BM_EmblemPlainCopy(benchmark::State& state)
{
    const auto picture = Emblem();
    auto surface = Cairo::ImageSurface::create(Cairo::FORMAT_ARGB32, 33, 33);
    auto cr = Cairo::Context::create(surface);
    for (auto _ : state) {
        PaintTransparentBitmap(cr, picture, 33, 33, clNone, 0xC0C0C0);
        surface->flush();
    }
}
BENCHMARK(BM_EmblemPlainCopy);

} // namespace

int main(int argc, char** argv)
{
    Gtk::Main::init_gtkmm_internals(); // wraps the pictures; no display needed
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
