// Effects and frame composing on a 1920 x 1080 image.
//   build-dir/bench/skin_draw/xe_skin_draw_bench

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "skin/draw/EffectBmp.h"
#include "skin/draw/FrameImage.h"
#include "skin/draw/MaskRegion.h"

#include <benchmark/benchmark.h>

#include <random>

using namespace xe;
using namespace xe::skin;

namespace {

constexpr int W = 1920;
constexpr int H = 1080;

TspEffectBmp RandomImage(uint32_t seed)
{
    std::mt19937 rng(seed);
    TspEffectBmp img(W, H);
    uint8_t* bits = img.Bits();
    for (int i = 0; i < img.Size(); ++i)
        bits[i] = uint8_t(rng());
    return img;
}

template <void (TspEffectBmp::*Op)(TspEffectBmp const&, double)> void BM_Morph(benchmark::State& state)
{
    TspEffectBmp img = RandomImage(1);
    const TspEffectBmp other = RandomImage(2);
    double const k = double(state.range(0)) / 100;
    for (auto _ : state) {
        (img.*Op)(other, k);
        benchmark::DoNotOptimize(img.Bits());
    }
    state.SetItemsProcessed(state.iterations() * W * H);
}

BENCHMARK(BM_Morph<&TspEffectBmp::Blend>)->Name("Blend")->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Morph<&TspEffectBmp::CenterGradient>)
    ->Name("CenterGradient")
    ->Arg(50)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Morph<&TspEffectBmp::LeftGradient>)
    ->Name("LeftGradient")
    ->Arg(100)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Morph<&TspEffectBmp::RightGradient>)
    ->Name("RightGradient")
    ->Arg(100)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Morph<&TspEffectBmp::Push>)->Name("Push")->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Morph<&TspEffectBmp::LeftSlide>)->Name("LeftSlide")->Arg(50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Morph<&TspEffectBmp::RightSlide>)->Name("RightSlide")->Arg(50)->Unit(benchmark::kMillisecond);

void BM_Effect(benchmark::State& state)
{
    TspEffectBmp img = RandomImage(3);
    auto const effect = TspInActiveEffect(state.range(0));
    for (auto _ : state) {
        img.InactiveEffect(effect);
        benchmark::DoNotOptimize(img.Bits());
    }
    static char const* names[] = { "brightness", "darkness", "grayscale", "noise", "splitblur", "invert" };
    state.SetLabel(names[effect]);
    state.SetItemsProcessed(state.iterations() * W * H);
}
BENCHMARK(BM_Effect)->Name("InactiveEffect")->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

void BM_FlipInto(benchmark::State& state)
{
    const TspEffectBmp img = RandomImage(4);
    TspEffectBmp out(W, H);
    for (auto _ : state)
        img.FlipInto(out);
}
BENCHMARK(BM_FlipInto)->Unit(benchmark::kMillisecond);

// Make from a bitmap, change, draw: what one inactive painting of a whole frame costs.
void BM_EffectRoundTrip(benchmark::State& state)
{
    gfx::TBitmap picture(W, H);
    picture.Fill(base::RGB(90, 120, 150));
    gfx::TBitmap screen(W, H);
    for (auto _ : state) {
        TspEffectBmp img(picture);
        img.InactiveEffect(ieBrightness);
        img.Draw(screen.Canvas(), 0, 0);
    }
}
BENCHMARK(BM_EffectRoundTrip)->Unit(benchmark::kMillisecond);

// A 200 x 150 frame picture with 30-pixel corners grown to 1920 x 1080.
struct Frame {
    gfx::TBitmap Picture { 200, 150 };
    base::TRect R = base::Rect(0, 0, 200, 150);
    TFrameCut Src { base::Point(30, 40), base::Point(170, 40), base::Point(30, 110), base::Point(170, 110),
        base::Rect(8, 30, 192, 142) };
    TFrameCut Dst { base::Point(30, 40), base::Point(W - 30, 40), base::Point(30, H - 40),
        base::Point(W - 30, H - 40), base::Rect(8, 30, W - 8, H - 8) };
    Frame()
    {
        std::mt19937 rng(5);
        for (int y = 0; y < 150; ++y)
            for (int x = 0; x < 200; ++x)
                Picture.SetPixel(x, y, rng() & 0xFFFFFF);
    }
};

void BM_ComposeFrameImage(benchmark::State& state)
{
    Frame f;
    bool const stretch = state.range(0) != 0;
    bool const client = state.range(1) != 0;
    gfx::TBitmap dst;
    for (auto _ : state) {
        ComposeFrameImage(
            f.Src, f.Dst, dst, f.Picture, f.R, W, H, client, { stretch, stretch, stretch, stretch });
        benchmark::DoNotOptimize(dst.Bits());
    }
    state.SetLabel(std::string(stretch ? "stretched" : "tiled") + (client ? ", client" : ", no client"));
}
BENCHMARK(BM_ComposeFrameImage)
    ->Name("ComposeFrameImage")
    ->Args({ 0, 1 })
    ->Args({ 1, 1 })
    ->Args({ 0, 0 })
    ->Unit(benchmark::kMillisecond);

void BM_ComposeFrameBands(benchmark::State& state)
{
    Frame f;
    gfx::TBitmap top, bottom, left, right;
    for (auto _ : state)
        ComposeFrameBands(f.Src, f.Dst, {}, W, H, f.R, f.Picture, top, bottom, left, right);
}
BENCHMARK(BM_ComposeFrameBands)->Unit(benchmark::kMillisecond);

// A full-screen mask with a rounded outline: one run per row plus the corners.
void BM_RegionFromMask(benchmark::State& state)
{
    gfx::TBitmap mask(W, H);
    mask.Fill(base::clBlack);
    for (int i = 0; i < 8; ++i)
        for (int j = 0; j < 8 - i; ++j) {
            mask.SetPixel(j, i, base::clWhite);
            mask.SetPixel(W - 1 - j, i, base::clWhite);
        }
    for (auto _ : state) {
        gfx::TRegion rgn = RegionFromMask(mask);
        benchmark::DoNotOptimize(rgn);
    }
}
BENCHMARK(BM_RegionFromMask)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
