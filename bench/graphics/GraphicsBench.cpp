// Full-screen blits and a line of text: the work of presenting a window and of the gauge's
// text layer.
#include <benchmark/benchmark.h>

#include <random>

#include "platform/graphics/Canvas.h"

using namespace xe::gfx;

namespace {

constexpr int ScreenW = 1920;
constexpr int ScreenH = 1080;

TBitmap RandomBitmap(int w, int h)
{
    std::mt19937 rng(42);
    TBitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w * 3; ++x)
            b.ScanLine(y)[x] = uint8_t(rng());
    return b;
}

void BM_FullScreenCopy(benchmark::State& state)
{
    TBitmap src = RandomBitmap(ScreenW, ScreenH), dst(ScreenW, ScreenH);
    for (auto _ : state) {
        BitBlt(dst.Canvas(), 0, 0, ScreenW, ScreenH, src, 0, 0, SRCCOPY);
        benchmark::DoNotOptimize(dst.Bits());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * ScreenW * ScreenH * 3);
}
BENCHMARK(BM_FullScreenCopy)->Unit(benchmark::kMillisecond);

void BM_FullScreenXor(benchmark::State& state)
{
    TBitmap src = RandomBitmap(ScreenW, ScreenH), dst = RandomBitmap(ScreenW, ScreenH);
    for (auto _ : state) {
        BitBlt(dst.Canvas(), 0, 0, ScreenW, ScreenH, src, 0, 0, SRCINVERT);
        benchmark::DoNotOptimize(dst.Bits());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * ScreenW * ScreenH * 3);
}
BENCHMARK(BM_FullScreenXor)->Unit(benchmark::kMillisecond);

// A copy through a clip with a hole, as when a window's surface is presented around another.
void BM_FullScreenCopyClipped(benchmark::State& state)
{
    TBitmap src = RandomBitmap(ScreenW, ScreenH), dst(ScreenW, ScreenH);
    dst.Canvas().ExcludeClipRect(xe::base::Rect(600, 300, 1300, 800));
    for (auto _ : state) {
        BitBlt(dst.Canvas(), 0, 0, ScreenW, ScreenH, src, 0, 0, SRCCOPY);
        benchmark::DoNotOptimize(dst.Bits());
    }
}
BENCHMARK(BM_FullScreenCopyClipped)->Unit(benchmark::kMillisecond);

void BM_FullScreenStretch(benchmark::State& state)
{
    TBitmap src = RandomBitmap(ScreenW / 2, ScreenH / 2), dst(ScreenW, ScreenH);
    for (auto _ : state) {
        StretchBlt(dst.Canvas(), 0, 0, ScreenW, ScreenH, src, 0, 0, ScreenW / 2, ScreenH / 2, SRCCOPY);
        benchmark::DoNotOptimize(dst.Bits());
    }
}
BENCHMARK(BM_FullScreenStretch)->Unit(benchmark::kMillisecond);

// One status line in the default font, glyphs cached after the first iteration.
void BM_TextLine(benchmark::State& state)
{
    TBitmap dst(400, 30);
    TCanvas& c = dst.Canvas();
    c.SetBkMode(TRANSPARENT);
    char const* text = "Exporting page 12 of 30 (40%) to C:\\Data\\Export.xml";
    for (auto _ : state)
        c.TextOut(2, 2, text);
}
BENCHMARK(BM_TextLine)->Unit(benchmark::kMicrosecond);

void BM_DrawTextWordBreak(benchmark::State& state)
{
    TBitmap dst(300, 200);
    TCanvas& c = dst.Canvas();
    c.SetBkMode(TRANSPARENT);
    const std::string text = "The export writes every row of the statement into one XML file, page by page, "
                             "and splices each later page into the output file.";
    for (auto _ : state) {
        xe::base::TRect r = xe::base::Rect(0, 0, 300, 200);
        c.DrawText(text, r, DT_WORDBREAK | DT_CENTER);
    }
}
BENCHMARK(BM_DrawTextWordBreak)->Unit(benchmark::kMicrosecond);

} // namespace
