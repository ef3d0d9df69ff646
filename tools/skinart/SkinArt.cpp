#include "tools/skinart/SkinArt.h"

#include "platform/base/Geometry.h"

#include <algorithm>
#include <cstdlib>

namespace xe::skin {

using base::RGB;
using base::TColor;
using base::TRect;
using gfx::TBitmap;

namespace {

// Palette: four ramps of 64 shades (grey, steel blue, red, cyan). Drawing asks
// for a ramp and a shade 0..63, so every colour drawn is a palette entry.
enum TRamp { Grey, Blue, Red, Cyan };

TColor Shade(TRamp ramp, int i)
{
    i = std::clamp(i, 0, 63);
    switch (ramp) {
    case Grey:
        return RGB(uint8_t(i * 4), uint8_t(i * 4), uint8_t(i * 4));
    case Blue:
        return RGB(uint8_t(8 + i * 2), uint8_t(16 + i * 3), uint8_t(48 + i * 3));
    case Red:
        return RGB(uint8_t(60 + i * 3), uint8_t(i * 2), uint8_t(i * 2));
    case Cyan:
        return RGB(uint8_t(i * 2), uint8_t(96 + i * 2), uint8_t(128 + i * 2));
    }
    return 0;
}

TBitmap NewPicture(int w, int h, int depth)
{
    TBitmap b(w, h);
    b.SetBitDepth(depth);
    if (depth == 8)
        b.SetPalette(SkinPalette());
    return b;
}

void Fill(TBitmap& b, TRect r, TColor c)
{
    for (int y = std::max(r.Top, 0); y < std::min(r.Bottom, b.Height()); ++y)
        for (int x = std::max(r.Left, 0); x < std::min(r.Right, b.Width()); ++x)
            b.SetPixel(x, y, c);
}

// Vertical gradient over the rectangle from shade `from` to shade `to` of a ramp.
void VGradient(TBitmap& b, TRect r, TRamp ramp, int from, int to)
{
    int h = std::max(r.Height() - 1, 1);
    for (int y = r.Top; y < r.Bottom; ++y)
        Fill(b, { r.Left, y, r.Right, y + 1 }, Shade(ramp, from + (to - from) * (y - r.Top) / h));
}

// A one-pixel frame: light top and left, dark bottom and right (raised), or the reverse.
void Bevel(TBitmap& b, TRect r, TColor light, TColor dark)
{
    Fill(b, { r.Left, r.Top, r.Right, r.Top + 1 }, light);
    Fill(b, { r.Left, r.Top, r.Left + 1, r.Bottom }, light);
    Fill(b, { r.Left, r.Bottom - 1, r.Right, r.Bottom }, dark);
    Fill(b, { r.Right - 1, r.Top, r.Right, r.Bottom }, dark);
}

// A disc of radius r (in half pixels) around the centre of a w x w cell at (x, y).
void Disc(TBitmap& b, int x, int y, int w, int r2, TRamp ramp, int from, int to)
{
    for (int j = 0; j < w; ++j)
        for (int i = 0; i < w; ++i) {
            int dx = 2 * i + 1 - w, dy = 2 * j + 1 - w;
            if (dx * dx + dy * dy <= r2 * r2)
                b.SetPixel(x + i, y + j, Shade(ramp, from + (to - from) * j / std::max(w - 1, 1)));
        }
}

enum TGlyph { gCross, gDash, gBox, gRestore, gUp, gDown, gDiamond, gCheck, gDot, gLeft, gRight };

// A small glyph centred in a w x h cell at (x, y).
void Glyph(TBitmap& b, int x, int y, int w, int h, TGlyph g, TColor c)
{
    int cx = x + w / 2, cy = y + h / 2;
    switch (g) {
    case gCross:
        for (int i = -3; i <= 3; ++i) {
            Fill(b, { cx + i, cy + i, cx + i + 2, cy + i + 1 }, c);
            Fill(b, { cx + i, cy - i, cx + i + 2, cy - i + 1 }, c);
        }
        break;
    case gDash:
        Fill(b, { cx - 4, cy, cx + 5, cy + 2 }, c);
        break;
    case gBox:
        Fill(b, { cx - 4, cy - 4, cx + 5, cy - 2 }, c);
        Bevel(b, { cx - 4, cy - 4, cx + 5, cy + 5 }, c, c);
        break;
    case gRestore:
        Bevel(b, { cx - 2, cy - 5, cx + 5, cy + 2 }, c, c);
        Fill(b, { cx - 5, cy - 2, cx + 2, cy + 5 }, Shade(Grey, 6));
        Fill(b, { cx - 5, cy - 2, cx + 2, cy }, c);
        Bevel(b, { cx - 5, cy - 2, cx + 2, cy + 5 }, c, c);
        break;
    case gUp:
    case gDown:
        for (int i = 0; i < 4; ++i) {
            int row = g == gUp ? cy - 2 + i : cy + 1 - i;
            Fill(b, { cx - i, row, cx + i + 1, row + 1 }, c);
        }
        break;
    case gLeft:
    case gRight:
        for (int i = 0; i < 4; ++i) {
            int col = g == gLeft ? cx - 2 + i : cx + 1 - i;
            Fill(b, { col, cy - i, col + 1, cy + i + 1 }, c);
        }
        break;
    case gDiamond:
        for (int i = 0; i < 4; ++i) {
            Fill(b, { cx - i, cy - 3 + i, cx + i + 1, cy - 2 + i }, c);
            Fill(b, { cx - i, cy + 3 - i, cx + i + 1, cy + 4 - i }, c);
        }
        break;
    case gCheck:
        for (int i = 0; i < 3; ++i)
            Fill(b, { cx - 3 + i, cy + i - 1, cx - 2 + i, cy + i + 1 }, c);
        for (int i = 0; i < 5; ++i)
            Fill(b, { cx + i, cy + 1 - i, cx + i + 1, cy + 3 - i }, c);
        break;
    case gDot:
        Fill(b, { cx - 1, cy - 2, cx + 2, cy + 3 }, c);
        Fill(b, { cx - 2, cy - 1, cx + 3, cy + 2 }, c);
        break;
    }
}

// The main frame picture, 152 x 125: a dark metallic caption band over a dark blue
// body, and a three-pixel lighter frame.
TBitmap DrawFrame()
{
    TBitmap b = NewPicture(152, 125, 8);
    Fill(b, { 0, 0, 152, 125 }, Shade(Blue, 6));
    VGradient(b, { 0, 0, 152, 29 }, Grey, 26, 10);
    Fill(b, { 0, 1, 152, 2 }, Shade(Grey, 40));
    Fill(b, { 0, 28, 152, 29 }, Shade(Grey, 4));
    // The caption band, slightly recessed.
    VGradient(b, { 5, 4, 147, 27 }, Grey, 14, 20);
    Bevel(b, { 5, 4, 147, 27 }, Shade(Grey, 6), Shade(Grey, 32));
    // Frame: sides and bottom.
    for (TRect r : { TRect { 0, 29, 3, 125 }, TRect { 149, 29, 152, 125 }, TRect { 0, 122, 152, 125 } })
        Fill(b, r, Shade(Blue, 30));
    Bevel(b, { 0, 0, 152, 125 }, Shade(Blue, 50), Shade(Blue, 2));
    Bevel(b, { 2, 28, 150, 123 }, Shade(Blue, 4), Shade(Blue, 40));
    // Client area.
    Fill(b, { 3, 29, 149, 122 }, Shade(Blue, 10));
    return b;
}

// 1-bit mask of the frame: black where the form is, white where it is cut away (the
// rounded top corners).
TBitmap DrawMask()
{
    TBitmap b(152, 125);
    b.SetBitDepth(1);
    b.SetPalette({ RGB(0, 0, 0), RGB(255, 255, 255) });
    b.Fill(RGB(0, 0, 0));
    int const cut[] = { 4, 2, 1, 1 }; // pixels cut from each of the first rows
    for (int y = 0; y < 4; ++y) {
        Fill(b, { 0, y, cut[y], y + 1 }, RGB(255, 255, 255));
        Fill(b, { 152 - cut[y], y, 152, y + 1 }, RGB(255, 255, 255));
    }
    return b;
}

// Caption buttons, 84 x 221: rows of 21 x 21 cells (close, minimise, maximise,
// restore, roll up, roll down, system menu, and the four menu-bar buttons), columns
// normal, pressed, hot, disabled; an 11-pixel grip strip at the bottom.
TBitmap DrawCaptionButtons()
{
    TBitmap b = NewPicture(84, 221, 8);
    VGradient(b, { 0, 0, 84, 221 }, Grey, 16, 16);
    const TGlyph rows[]
        = { gCross, gDash, gBox, gRestore, gUp, gDown, gDiamond, gCross, gDash, gBox, gDiamond };
    for (int row = 0; row < 10; ++row) {
        bool red = rows[row] == gCross;
        for (int col = 0; col < 4; ++col) {
            int x = col * 21, y = row * 21;
            Disc(b, x, y, 21, 19, Grey, col == 1 ? 6 : 22, col == 1 ? 16 : 8);
            Disc(b, x + 2, y + 2, 17, 14, Grey, col == 1 ? 4 : 14, col == 1 ? 10 : 6);
            TColor c;
            if (col == 3)
                c = Shade(Grey, 24);
            else if (red)
                c = Shade(Red, col == 0 ? 20 : col == 2 ? 45 : 63);
            else
                c = col == 0 ? Shade(Blue, 30) : col == 2 ? Shade(Blue, 50) : Shade(Grey, 63);
            Glyph(b, x, y, 21, 21, rows[row], c);
        }
    }
    VGradient(b, { 0, 210, 84, 221 }, Grey, 30, 12);
    for (int x = 2; x < 84; x += 4)
        Fill(b, { x, 214, x + 2, 216 }, Shade(Grey, 45));
    return b;
}

// Menu items, 65 x 59, 24-bit: normal item, hot item (a smooth blue highlight),
// separator, and a strip for the scroll markers of long menus.
TBitmap DrawMenuItems()
{
    TBitmap b(65, 59);
    b.SetBitDepth(24);
    Fill(b, { 0, 0, 65, 20 }, RGB(20, 34, 70));
    for (int y = 20; y < 40; ++y)
        for (int x = 0; x < 65; ++x) {
            int t = std::abs(2 * (y - 20) - 19);
            b.SetPixel(
                x, y, RGB(uint8_t(40 + 60 - 3 * t), uint8_t(80 + 90 - 4 * t), uint8_t(150 + 90 - 4 * t)));
        }
    Bevel(b, { 0, 20, 65, 40 }, RGB(150, 190, 240), RGB(30, 60, 120));
    Fill(b, { 0, 40, 65, 48 }, RGB(20, 34, 70));
    Fill(b, { 4, 43, 61, 44 }, RGB(10, 16, 36));
    Fill(b, { 4, 44, 61, 45 }, RGB(70, 100, 160));
    for (int y = 48; y < 59; ++y)
        for (int x = 0; x < 65; ++x)
            b.SetPixel(x, y, RGB(uint8_t(30 + x), uint8_t(50 + 2 * x), uint8_t(90 + 2 * x)));
    return b;
}

// Popup menu window frame, 65 x 115: a dark blue panel with a light outer and a dark
// inner edge, to be cut at (6, 6) and (59, 109).
TBitmap DrawPopupFrame()
{
    TBitmap b = NewPicture(65, 115, 8);
    Fill(b, { 0, 0, 65, 115 }, Shade(Blue, 8));
    Bevel(b, { 0, 0, 65, 115 }, Shade(Blue, 45), Shade(Blue, 2));
    Bevel(b, { 1, 1, 64, 114 }, Shade(Blue, 30), Shade(Blue, 4));
    Bevel(b, { 2, 2, 63, 113 }, Shade(Blue, 4), Shade(Blue, 24));
    return b;
}

// Hint window frame, 38 x 16: a pale grey panel with a darker edge.
TBitmap DrawHintFrame()
{
    TBitmap b = NewPicture(38, 16, 8);
    VGradient(b, { 0, 0, 38, 16 }, Grey, 62, 54);
    Bevel(b, { 0, 0, 38, 16 }, Shade(Grey, 40), Shade(Grey, 20));
    return b;
}

// A raised or pressed 24 x 24 push button face.
void PushButton(TBitmap& b, int x, int y, int w, int h, int state)
{
    static int const top[] = { 30, 14, 40, 18 }, bottom[] = { 14, 26, 22, 16 };
    VGradient(b, { x, y, x + w, y + h }, Blue, top[state], bottom[state]);
    Bevel(b, { x, y, x + w, y + h }, Shade(Blue, state == 1 ? 4 : 55), Shade(Blue, state == 1 ? 50 : 2));
    if (state != 3)
        Bevel(b, { x + 1, y + 1, x + w - 1, y + h - 1 }, Shade(Blue, state == 1 ? 8 : 42),
            Shade(Blue, state == 1 ? 36 : 8));
}

// Looks of skinned controls, 516 x 314 (coordinates are those skin.ini uses):
//   row 0 (y 0..24): push buttons normal / pressed / hot (0, 24, 48), tool buttons
//                    (72..144), check boxes and radio buttons (150..246), edit faces
//                    (252..348), a group-box frame (354..516 x 0..60)
//   row 1 (y 30..60): panels (0..120), scroll-bar parts (126..252), up-down and
//                    spin buttons (258..348)
//   row 2 (y 66..110): tabs (0..180), gauge (186..306), track bar (312..414), a
//                    disabled push button at (111, 83)
//   below: list and grid faces, the menu bar, splitters, status bar.
TBitmap DrawControls()
{
    TBitmap b = NewPicture(516, 314, 8);
    Fill(b, { 0, 0, 516, 314 }, Shade(Blue, 8));
    for (int s = 0; s < 3; ++s)
        PushButton(b, s * 24, 0, 24, 24, s);
    for (int s = 0; s < 3; ++s) {
        PushButton(b, 72 + s * 24, 0, 24, 24, s);
        Fill(b, { 72 + s * 24 + 2, 2, 72 + s * 24 + 22, 3 }, Shade(Cyan, 30 + 10 * s));
    }
    // Check boxes: unchecked, checked, hot unchecked, hot checked; radio buttons alike.
    for (int i = 0; i < 4; ++i) {
        int x = 150 + i * 13;
        Fill(b, { x, 5, x + 13, 18 }, Shade(Blue, i >= 2 ? 14 : 4));
        Bevel(b, { x, 5, x + 13, 18 }, Shade(Blue, 2), Shade(Blue, 45));
        if (i % 2)
            Glyph(b, x, 5, 13, 13, gCheck, Shade(Grey, 63));
    }
    for (int i = 0; i < 4; ++i) {
        int x = 202 + i * 11;
        Disc(b, x, 6, 11, 10, Blue, i >= 2 ? 40 : 30, i >= 2 ? 14 : 4);
        if (i % 2)
            Glyph(b, x, 6, 11, 11, gDot, Shade(Grey, 63));
    }
    for (int s = 0; s < 2; ++s) {
        int x = 252 + s * 48;
        Fill(b, { x, 0, x + 48, 24 }, Shade(Blue, s ? 6 : 3));
        Bevel(b, { x, 0, x + 48, 24 }, Shade(Blue, 1), Shade(Blue, s ? 55 : 40));
    }
    Bevel(b, { 354, 0, 516, 60 }, Shade(Blue, 40), Shade(Blue, 2));
    VGradient(b, { 356, 2, 514, 18 }, Blue, 26, 12);
    // Panels: plain and tool panel.
    Fill(b, { 0, 30, 60, 60 }, Shade(Blue, 12));
    Bevel(b, { 0, 30, 60, 60 }, Shade(Blue, 30), Shade(Blue, 2));
    VGradient(b, { 60, 30, 120, 60 }, Blue, 22, 10);
    Bevel(b, { 60, 30, 120, 60 }, Shade(Blue, 36), Shade(Blue, 2));
    // Scroll bar: track, thumb, arrow buttons normal / hot / pressed.
    VGradient(b, { 126, 30, 252, 46 }, Blue, 4, 8);
    for (int s = 0; s < 3; ++s) {
        PushButton(b, 126 + s * 16, 46, 16, 14, s);
        Glyph(b, 126 + s * 16, 46, 16, 14, gUp, Shade(Grey, 50 + 6 * s));
        PushButton(b, 174 + s * 16, 46, 16, 14, s);
        Glyph(b, 174 + s * 16, 46, 16, 14, gDown, Shade(Grey, 50 + 6 * s));
    }
    for (int s = 0; s < 3; ++s)
        PushButton(b, 222 + s * 10, 30, 10, 16, s);
    for (int s = 0; s < 3; ++s) {
        PushButton(b, 258 + s * 15, 30, 15, 15, s);
        Glyph(b, 258 + s * 15, 30, 15, 15, gUp, Shade(Grey, 55));
        PushButton(b, 258 + s * 15, 45, 15, 15, s);
        Glyph(b, 258 + s * 15, 45, 15, 15, gDown, Shade(Grey, 55));
    }
    // Tabs: normal, active, hot; tab control client frame.
    for (int s = 0; s < 3; ++s) {
        int x = s * 60;
        VGradient(b, { x, 66, x + 60, 88 }, Blue, s == 1 ? 34 : 18, s == 1 ? 16 : 8);
        Bevel(b, { x, 66, x + 60, 88 }, Shade(Blue, 45), Shade(Blue, 2));
    }
    Fill(b, { 0, 88, 100, 130 }, Shade(Blue, 16));
    Bevel(b, { 0, 88, 100, 130 }, Shade(Blue, 40), Shade(Blue, 2));
    PushButton(b, 111, 83, 24, 24, 3);
    // Gauge: frame and progress bar.
    Fill(b, { 186, 66, 306, 88 }, Shade(Grey, 63));
    Bevel(b, { 186, 66, 306, 88 }, Shade(Blue, 2), Shade(Blue, 40));
    VGradient(b, { 186, 90, 306, 108 }, Cyan, 40, 20);
    // Track bar: track and thumb normal / hot.
    Fill(b, { 312, 74, 414, 78 }, Shade(Blue, 2));
    Bevel(b, { 312, 73, 414, 79 }, Shade(Blue, 1), Shade(Blue, 40));
    for (int s = 0; s < 2; ++s)
        PushButton(b, 312 + s * 12, 84, 12, 20, s * 2);
    // List and grid faces.
    Fill(b, { 0, 136, 150, 236 }, Shade(Blue, 4));
    Bevel(b, { 0, 136, 150, 236 }, Shade(Blue, 1), Shade(Blue, 40));
    VGradient(b, { 150, 136, 300, 154 }, Blue, 40, 24);
    VGradient(b, { 150, 154, 300, 172 }, Cyan, 30, 18);
    Fill(b, { 300, 136, 400, 236 }, Shade(Blue, 5));
    for (int y = 136; y < 236; y += 18)
        Fill(b, { 300, y, 400, y + 1 }, Shade(Blue, 20));
    // Menu bar, splitters, status bar.
    VGradient(b, { 0, 240, 516, 262 }, Grey, 22, 10);
    VGradient(b, { 0, 266, 6, 314 }, Grey, 30, 14);
    VGradient(b, { 10, 266, 110, 272 }, Grey, 30, 14);
    VGradient(b, { 120, 290, 516, 314 }, Grey, 20, 8);
    Bevel(b, { 120, 290, 516, 314 }, Shade(Grey, 36), Shade(Grey, 2));
    return b;
}

// Background of MDI client areas, 138 x 86: a tile of soft diagonal blue bands.
TBitmap DrawMDIBackground()
{
    TBitmap b = NewPicture(138, 86, 8);
    for (int y = 0; y < 86; ++y)
        for (int x = 0; x < 138; ++x) {
            int band = ((x + 2 * y) / 6) % 6;
            b.SetPixel(x, y, Shade(Blue, 6 + (band < 3 ? band : 6 - band)));
        }
    return b;
}

} // namespace

std::vector<TColor> const& SkinPalette()
{
    static const std::vector<TColor> palette = [] {
        std::vector<TColor> p;
        for (TRamp ramp : { Grey, Blue, Red, Cyan })
            for (int i = 0; i < 64; ++i)
                p.push_back(Shade(ramp, i));
        return p;
    }();
    return palette;
}

std::vector<TSkinPicture> DrawSkinPictures()
{
    std::vector<TSkinPicture> out;
    out.push_back({ "frame.bmp", DrawFrame() });
    out.push_back({ "framemask.bmp", DrawMask() });
    out.push_back({ "captionbuttons.bmp", DrawCaptionButtons() });
    out.push_back({ "menuitems.bmp", DrawMenuItems() });
    out.push_back({ "popupframe.bmp", DrawPopupFrame() });
    out.push_back({ "hintframe.bmp", DrawHintFrame() });
    out.push_back({ "controls.bmp", DrawControls() });
    out.push_back({ "mdibackground.bmp", DrawMDIBackground() });
    return out;
}

} // namespace xe::skin
