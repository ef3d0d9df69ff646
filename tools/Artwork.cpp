#include "tools/Artwork.h"

#include "platform/base/Colors.h"
#include "platform/base/Geometry.h"

#include <algorithm>
#include <cstdlib>
#include <functional>

namespace xe::tools {

using base::RGB;
using base::TColor;
using gfx::TBitmap;

namespace {

// Everything is drawn with integer arithmetic so that every machine draws the same bytes.
// Shapes are anti-aliased by sampling each pixel on a 4 x 4 grid: the sample (i, j) of
// pixel (x, y) lies at (8x + 2i + 1, 8y + 2j + 1) in eighths of a pixel.

TColor Mix(TColor a, TColor b, int weight, int total)
{
    auto channel = [&](int ca, int cb) { return uint8_t((ca * (total - weight) + cb * weight) / total); };
    return RGB(channel(base::GetRValue(a), base::GetRValue(b)),
        channel(base::GetGValue(a), base::GetGValue(b)), channel(base::GetBValue(a), base::GetBValue(b)));
}

void Blend(TBitmap& bmp, int x, int y, TColor color, int coverage16)
{
    if (x < 0 || y < 0 || x >= bmp.Width() || y >= bmp.Height() || coverage16 <= 0)
        return;
    bmp.SetPixel(x, y, coverage16 >= 16 ? color : Mix(bmp.Pixel(x, y), color, coverage16, 16));
}

// Covers the pixels whose samples satisfy inside(sx, sy) (eighths of a pixel).
void Shape(
    TBitmap& bmp, std::function<bool(int, int)> const& inside, std::function<TColor(int, int)> const& color)
{
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x) {
            int hits = 0;
            for (int j = 0; j < 4; ++j)
                for (int i = 0; i < 4; ++i)
                    hits += inside(8 * x + 2 * i + 1, 8 * y + 2 * j + 1) ? 1 : 0;
            if (hits)
                Blend(bmp, x, y, color(x, y), hits);
        }
}

// A disc; centre and radius in eighths of a pixel.
void Disc(TBitmap& bmp, int cx8, int cy8, int r8, std::function<TColor(int, int)> const& color)
{
    Shape(
        bmp,
        [=](int sx, int sy) {
            long dx = sx - cx8, dy = sy - cy8;
            return dx * dx + dy * dy <= long(r8) * r8;
        },
        color);
}

void FillRect(TBitmap& bmp, int left, int top, int right, int bottom, TColor color)
{
    for (int y = std::max(top, 0); y < std::min(bottom, bmp.Height()); ++y)
        for (int x = std::max(left, 0); x < std::min(right, bmp.Width()); ++x)
            bmp.SetPixel(x, y, color);
}

void FrameRect(TBitmap& bmp, int left, int top, int right, int bottom, TColor color)
{
    FillRect(bmp, left, top, right, top + 1, color);
    FillRect(bmp, left, bottom - 1, right, bottom, color);
    FillRect(bmp, left, top, left + 1, bottom, color);
    FillRect(bmp, right - 1, top, right, bottom, color);
}

void VerticalGradient(TBitmap& bmp, int top, int bottom, TColor from, TColor to)
{
    for (int y = top; y < bottom; ++y)
        FillRect(bmp, 0, y, bmp.Width(), y + 1, Mix(from, to, y - top, std::max(bottom - top - 1, 1)));
}

// The dark blue panel under the title: a vertical gradient, a two-line lighter frame and
// a recess for every rectangle given (button-shaped, shadow above and left, light below
// and right).
TBitmap Panel(int width, int height, std::vector<base::TRect> const& recesses)
{
    TBitmap bmp(width, height);
    VerticalGradient(bmp, 0, height, RGB(30, 56, 112), RGB(12, 26, 64));
    FrameRect(bmp, 0, 0, width, height, RGB(104, 140, 204));
    FrameRect(bmp, 1, 1, width - 1, height - 1, RGB(58, 90, 156));
    FrameRect(bmp, 3, 3, width - 3, height - 3, RGB(20, 40, 86));
    for (auto& r : recesses) {
        FillRect(bmp, r.Left, r.Top, r.Right, r.Bottom, RGB(10, 20, 48));
        FillRect(bmp, r.Left, r.Top, r.Right, r.Top + 1, RGB(4, 8, 22));
        FillRect(bmp, r.Left, r.Top, r.Left + 1, r.Bottom, RGB(4, 8, 22));
        FillRect(bmp, r.Left, r.Bottom - 1, r.Right, r.Bottom, RGB(70, 104, 170));
        FillRect(bmp, r.Right - 1, r.Top, r.Right, r.Bottom, RGB(70, 104, 170));
    }
    return bmp;
}

TColor MetalRow(int y)
{
    // Light top edge, a bright band fading into a dark lower half, a black bottom line.
    if (y == 0)
        return RGB(168, 174, 186);
    if (y == 29)
        return RGB(14, 16, 20);
    if (y < 12)
        return Mix(RGB(128, 134, 146), RGB(62, 66, 76), y - 1, 11);
    return Mix(RGB(54, 58, 68), RGB(30, 32, 40), y - 12, 17);
}

// The metallic title bar: a red diamond at the left and a circular recess centred on each
// of the given x positions (in eighths of a pixel; the recesses sit at y = 15).
TBitmap Title(int width, std::vector<int> const& recessCentres8)
{
    TBitmap bmp(width, 30);
    for (int y = 0; y < 30; ++y)
        FillRect(bmp, 0, y, width, y + 1, MetalRow(y));
    // Diamond, centre (12.5, 15), half diagonal 5.5 pixels; lighter in its upper left half.
    Shape(
        bmp, [](int sx, int sy) { return std::abs(sx - 100) + std::abs(sy - 120) <= 44; },
        [](int x, int y) { return x + y < 12 + 15 ? RGB(236, 84, 76) : RGB(178, 20, 24); });
    for (int cx8 : recessCentres8) {
        Disc(bmp, cx8, 120, 92, [](int, int y) { return y < 15 ? RGB(12, 13, 17) : RGB(96, 102, 114); });
        Disc(bmp, cx8, 124, 86, [](int, int) { return RGB(20, 22, 28); });
    }
    return bmp;
}

enum class TGlyph { Dash, Cross };

// A round dark button on its recess; the glyph's colour tells the state. The background
// is cut from the title bar so that the button sits seamlessly on it.
TBitmap Button(TGlyph glyph, TColor ink, bool pressed)
{
    TBitmap title = Title(40, { 8 * 10 + 4 });
    TBitmap bmp(19, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 19; ++x)
            bmp.SetPixel(x, y, title.Pixel(x + 1, y + 5));
    // Body: centre (9.5, 10), radius 8.5, shaded from the top.
    TColor top = pressed ? RGB(34, 38, 48) : RGB(74, 80, 96);
    TColor bottom = pressed ? RGB(50, 56, 70) : RGB(24, 26, 34);
    Disc(bmp, 76, 80, 68, [](int, int) { return RGB(8, 9, 12); });
    Disc(bmp, 76, 80, 62, [&](int, int y) { return Mix(top, bottom, y, 19); });
    if (glyph == TGlyph::Dash) {
        Shape(
            bmp, [](int sx, int sy) { return sx >= 40 && sx < 112 && sy >= 70 && sy < 90; },
            [&](int, int) { return ink; });
    } else {
        // Two strokes 2 pixels wide through the centre, 8 pixels long.
        Shape(
            bmp,
            [](int sx, int sy) {
                int dx = sx - 76, dy = sy - 80;
                bool inBox = std::abs(dx) <= 30 && std::abs(dy) <= 30;
                // Distance to each diagonal is |dx -+ dy| / sqrt(2); 1 pixel -> 8 * 1.414.
                return inBox && (std::abs(dx - dy) <= 11 || std::abs(dx + dy) <= 11);
            },
            [&](int, int) { return ink; });
    }
    return bmp;
}

} // namespace

std::vector<TArtwork> DrawArtwork()
{
    std::vector<TArtwork> art;
    // The main window: panel at (0, 30), the cancel button at (134, 126) 71 x 23.
    art.push_back({ "outdata_panel.bmp", Panel(354, 145, { base::Rect(132, 94, 207, 121) }) });
    // The title image sits at x = 1; the buttons at x = 269 and 297 of the window, 19 wide.
    art.push_back({ "outdata_title.bmp", Title(354, { 8 * 268 + 76, 8 * 296 + 76 }) });
    // The dialog: panel at (0, 30), its buttons at (27, 91) and (105, 91), 71 x 23.
    art.push_back({ "message_panel.bmp",
        Panel(200, 105, { base::Rect(25, 59, 100, 86), base::Rect(103, 59, 178, 86) }) });
    art.push_back({ "message_title.bmp", Title(200, { 8 * 169 + 76 }) });
    art.push_back({ "min_up.bmp", Button(TGlyph::Dash, RGB(112, 132, 164), false) });
    art.push_back({ "min_over.bmp", Button(TGlyph::Dash, RGB(178, 198, 228), false) });
    art.push_back({ "min_down.bmp", Button(TGlyph::Dash, RGB(255, 255, 255), true) });
    art.push_back({ "close_up.bmp", Button(TGlyph::Cross, RGB(140, 20, 22), false) });
    art.push_back({ "close_over.bmp", Button(TGlyph::Cross, RGB(218, 36, 36), false) });
    art.push_back({ "close_down.bmp", Button(TGlyph::Cross, RGB(255, 72, 64), true) });
    return art;
}

} // namespace xe::tools
