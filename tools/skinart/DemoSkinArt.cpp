#include "tools/skinart/DemoSkinArt.h"

#include "platform/base/Geometry.h"

#include <algorithm>
#include <array>

namespace xe::skin {

using base::RGB;
using base::TColor;
using base::TRect;
using gfx::TBitmap;

namespace {

// Everything here is integer arithmetic, so that every machine draws the same bytes.

TColor Mix(TColor a, TColor b, int num, int den)
{
    if (den <= 0)
        return a;
    auto channel = [&](int shift) {
        int const x = int((a >> shift) & 0xFF), y = int((b >> shift) & 0xFF);
        return TColor(x + (y - x) * num / den) << shift;
    };
    return channel(0) | channel(8) | channel(16);
}

TBitmap NewPicture(int w, int h)
{
    TBitmap b(w, h);
    b.SetBitDepth(24);
    return b;
}

void Fill(TBitmap& b, TRect r, TColor c)
{
    for (int y = std::max(r.Top, 0); y < std::min(r.Bottom, b.Height()); ++y)
        for (int x = std::max(r.Left, 0); x < std::min(r.Right, b.Width()); ++x)
            b.SetPixel(x, y, c);
}

void VGradient(TBitmap& b, TRect r, TColor top, TColor bottom)
{
    for (int y = r.Top; y < r.Bottom; ++y)
        Fill(b, { r.Left, y, r.Right, y + 1 }, Mix(top, bottom, y - r.Top, std::max(r.Height() - 1, 1)));
}

void HGradient(TBitmap& b, TRect r, TColor left, TColor right)
{
    for (int x = r.Left; x < r.Right; ++x)
        Fill(b, { x, r.Top, x + 1, r.Bottom }, Mix(left, right, x - r.Left, std::max(r.Width() - 1, 1)));
}

// A one-pixel ring: `light` on the top and left, `dark` on the bottom and right.
void Bevel(TBitmap& b, TRect r, TColor light, TColor dark)
{
    Fill(b, { r.Left, r.Top, r.Right, r.Top + 1 }, light);
    Fill(b, { r.Left, r.Top, r.Left + 1, r.Bottom }, light);
    Fill(b, { r.Left, r.Bottom - 1, r.Right, r.Bottom }, dark);
    Fill(b, { r.Right - 1, r.Top, r.Right, r.Bottom }, dark);
}

// A filled disc of radius r2/2 around the centre of a w x w cell at (x, y).
void Disc(TBitmap& b, int x, int y, int w, int r2, TColor top, TColor bottom)
{
    for (int j = 0; j < w; ++j)
        for (int i = 0; i < w; ++i) {
            int const dx = 2 * i + 1 - w, dy = 2 * j + 1 - w;
            if (dx * dx + dy * dy <= r2 * r2)
                b.SetPixel(x + i, y + j, Mix(top, bottom, j, std::max(w - 1, 1)));
        }
}

// --- the frame picture's geometry (demo.ini cuts the pictures with the same numbers) ----
//
//      0     14                                     286   300
//    0 +------+---------- caption band -------------+------+  caption (6,4)-(294,24)
//   27 |  main-menu bar (4,27)-(296,45)                    |
//   46 +--+------------------------------------------+--+--+  client (4,46)-(296,142)
//      |  |                client                    |  |
//  142 +--+------------------+----+---------------------+--+
//      | label    (10,148)   |    | frame gauge (160,148)  |  bottom panel: the objects
//      | bit label (10,170)  |    | regulator   (196,146)  |  of the left part stay with
//      | gauge    (10,188)   |    | switch      (236,150)  |  the left corner, those of
//      | track bar (10,206)  |    | animation   (160,180)  |  the right part with the
//      |                     |    | button      (196,190)  |  right corner; 148..152 tiles
//  230 +---------------------+----+------------------------+
//                           148  152
constexpr int FrameW = 300, FrameH = 230;
constexpr TRect CaptionBand { 0, 0, FrameW, 26 };
constexpr TRect CaptionInset { 6, 4, 294, 24 };
constexpr TRect MenuBar { 4, 27, 296, 45 };
constexpr TRect Client { 4, 46, 296, 142 };
constexpr int PanelTop = 143;

constexpr TColor Body = RGB(200, 207, 216);
constexpr TColor Teal = RGB(0, 110, 130);
constexpr TColor Shadow = RGB(120, 130, 142);
constexpr TColor Highlight = RGB(250, 251, 252);
constexpr TColor Lcd = RGB(18, 36, 28);
constexpr TColor LcdInk = RGB(120, 255, 160);

TColor CaptionInsetColor(int y)
{
    return Mix(RGB(30, 92, 112), RGB(44, 112, 134), y - CaptionInset.Top, CaptionInset.Height() - 1);
}
TColor MenuBarColor(int y)
{
    return Mix(RGB(238, 241, 245), RGB(214, 220, 228), y - MenuBar.Top, MenuBar.Height() - 1);
}
TColor PanelColor(int y)
{
    return Mix(RGB(222, 227, 234), RGB(192, 200, 210), y - PanelTop, FrameH - 1 - PanelTop);
}

// The bottom panel's background over a cell that stands at frame row frameY.
void PanelBackground(TBitmap& b, TRect cell, int frameY)
{
    for (int y = cell.Top; y < cell.Bottom; ++y)
        Fill(b, { cell.Left, y, cell.Right, y + 1 }, PanelColor(frameY + y - cell.Top));
}

// --- object cells, drawn into the frame picture (normal look) and the object sheet ------

// Track bar track, 132 x 18 at frame row 206; filled: the groove in teal (the part left of
// the thumb).
void DrawTrack(TBitmap& b, int x, int y, bool filled)
{
    PanelBackground(b, { x, y, x + 132, y + 18 }, 206);
    Fill(b, { x + 4, y + 7, x + 128, y + 11 }, filled ? Teal : RGB(236, 239, 243));
    Bevel(b, { x + 3, y + 6, x + 129, y + 12 }, Shadow, Highlight);
}

// Track bar thumb, 11 x 16; the active one is lighter.
void DrawThumb(TBitmap& b, int x, int y, bool active)
{
    VGradient(b, { x, y, x + 11, y + 16 }, active ? RGB(140, 210, 226) : RGB(96, 170, 190),
        active ? RGB(40, 130, 150) : RGB(20, 96, 116));
    Bevel(b, { x, y, x + 11, y + 16 }, RGB(200, 236, 244), RGB(10, 50, 62));
    Fill(b, { x + 3, y + 5, x + 8, y + 6 }, RGB(220, 240, 244));
    Fill(b, { x + 3, y + 8, x + 8, y + 9 }, RGB(220, 240, 244));
    Fill(b, { x + 3, y + 11, x + 8, y + 12 }, RGB(220, 240, 244));
}

// Switch, 40 x 18 at frame row 150: a slot with the knob on the left (off) or right (on).
void DrawSwitch(TBitmap& b, int x, int y, bool on)
{
    PanelBackground(b, { x, y, x + 40, y + 18 }, 150);
    Fill(b, { x + 1, y + 1, x + 39, y + 17 }, on ? RGB(40, 150, 120) : RGB(150, 156, 166));
    Bevel(b, { x, y, x + 40, y + 18 }, Shadow, Highlight);
    int const knob = on ? x + 22 : x + 2;
    VGradient(b, { knob, y + 2, knob + 16, y + 16 }, RGB(250, 250, 250), RGB(196, 200, 206));
    Bevel(b, { knob, y + 2, knob + 16, y + 16 }, Highlight, RGB(90, 96, 106));
    Fill(b, { x + (on ? 8 : 26), y + 6, x + (on ? 10 : 34), y + 12 },
        on ? RGB(230, 255, 240) : RGB(90, 96, 106));
}

// Push button, 90 x 24 at frame row 190: 0 normal, 1 hot, 2 pressed. The face carries a
// check mark, so that the pictures hold no text.
void DrawButton(TBitmap& b, int x, int y, int state)
{
    static TColor const top[] = { RGB(246, 248, 250), RGB(214, 240, 246), RGB(168, 196, 206) };
    static TColor const bottom[] = { RGB(204, 212, 222), RGB(150, 206, 220), RGB(210, 226, 232) };
    PanelBackground(b, { x, y, x + 90, y + 24 }, 190);
    VGradient(b, { x + 1, y + 1, x + 89, y + 23 }, top[state], bottom[state]);
    Bevel(b, { x, y, x + 90, y + 24 }, state == 2 ? RGB(60, 80, 92) : RGB(110, 124, 138),
        state == 2 ? RGB(150, 170, 180) : RGB(60, 72, 86));
    int const cx = x + 45 + (state == 2 ? 1 : 0), cy = y + 12 + (state == 2 ? 1 : 0);
    TColor const ink = state == 1 ? Teal : RGB(40, 60, 74);
    for (int i = 0; i < 4; ++i)
        Fill(b, { cx - 6 + i, cy - 1 + i, cx - 4 + i, cy + 1 + i }, ink);
    for (int i = 0; i < 7; ++i)
        Fill(b, { cx - 2 + i, cy + 2 - i, cx + i, cy + 4 - i }, ink);
}

// Frame gauge cell n (1..5), 28 x 20 at frame row 148: four signal bars, n - 1 of them lit.
void DrawSignal(TBitmap& b, int x, int y, int n)
{
    PanelBackground(b, { x, y, x + 28, y + 20 }, 148);
    for (int bar = 0; bar < 4; ++bar) {
        int const h = 5 + bar * 4, left = x + 3 + bar * 6;
        TRect r { left, y + 18 - h, left + 4, y + 18 };
        Fill(b, r, bar < n - 1 ? RGB(30, 170, 110) : RGB(176, 184, 194));
        Bevel(b, r, bar < n - 1 ? RGB(120, 230, 170) : Highlight, Shadow);
    }
}

// Regulator cell n (1..8), 30 x 30 at frame row 146: a knob whose marker turns from
// -135 to +135 degrees. The marker offsets are a table, not trigonometry.
void DrawKnob(TBitmap& b, int x, int y, int n)
{
    static constexpr std::array<std::array<int, 2>, 8> marker { { { -6, 6 }, { -9, 1 }, { -8, -5 },
        { -3, -8 }, { 3, -8 }, { 8, -5 }, { 9, 1 }, { 6, 6 } } };
    PanelBackground(b, { x, y, x + 30, y + 30 }, 146);
    Disc(b, x, y, 30, 29, RGB(90, 100, 112), RGB(50, 58, 68));
    Disc(b, x + 3, y + 3, 24, 22, RGB(236, 240, 244), RGB(170, 178, 188));
    auto const [mx, my] = marker[size_t(std::clamp(n, 1, 8) - 1)];
    Fill(b, { x + 15 + mx - 1, y + 15 + my - 1, x + 15 + mx + 2, y + 15 + my + 2 }, Teal);
}

// Animation cell n (1..6), 22 x 22 at frame row 180: six dots on a ring, dot n bright.
void DrawSpinner(TBitmap& b, int x, int y, int n)
{
    static constexpr std::array<std::array<int, 2>, 6> dot { { { 0, -7 }, { 6, -4 }, { 6, 4 }, { 0, 7 },
        { -6, 4 }, { -6, -4 } } };
    PanelBackground(b, { x, y, x + 22, y + 22 }, 180);
    for (int i = 0; i < 6; ++i) {
        int const cx = x + 11 + dot[size_t(i)][0], cy = y + 11 + dot[size_t(i)][1];
        TColor const c = i == n - 1 ? Teal : i == (n + 4) % 6 ? RGB(110, 170, 184) : RGB(176, 184, 194);
        Fill(b, { cx - 2, cy - 1, cx + 2, cy + 1 }, c);
        Fill(b, { cx - 1, cy - 2, cx + 1, cy + 2 }, c);
    }
}

// --- the bit label's symbol sheet: 8 x 12 cells, a 5 x 7 dot font ------------------------

constexpr int SymbolW = 8, SymbolH = 12;

std::array<char const*, 7> const* GlyphRows(char c)
{
    struct TGlyph {
        char Char;
        std::array<char const*, 7> Rows;
    };
    static TGlyph const font[] = {
        { '0', { ".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###." } },
        { '1', { "..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###." } },
        { '2', { ".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####" } },
        { '3', { "#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###." } },
        { '4', { "...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#." } },
        { '5', { "#####", "#....", "####.", "....#", "....#", "#...#", ".###." } },
        { '6', { "..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###." } },
        { '7', { "#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..." } },
        { '8', { ".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###." } },
        { '9', { ".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.." } },
        { ':', { ".....", "..#..", "..#..", ".....", "..#..", "..#..", "....." } },
        { '-', { ".....", ".....", ".....", "#####", ".....", ".....", "....." } },
        { '.', { ".....", ".....", ".....", ".....", ".....", ".##..", ".##.." } },
        { 'A', { ".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#" } },
        { 'B', { "####.", "#...#", "#...#", "####.", "#...#", "#...#", "####." } },
        { 'C', { ".###.", "#...#", "#....", "#....", "#....", "#...#", ".###." } },
        { 'D', { "####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####." } },
        { 'E', { "#####", "#....", "#....", "####.", "#....", "#....", "#####" } },
        { 'F', { "#####", "#....", "#....", "####.", "#....", "#....", "#...." } },
        { 'G', { ".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####" } },
        { 'H', { "#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#" } },
        { 'I', { ".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###." } },
        { 'J', { "..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.." } },
        { 'K', { "#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#" } },
        { 'L', { "#....", "#....", "#....", "#....", "#....", "#....", "#####" } },
        { 'M', { "#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#" } },
        { 'N', { "#...#", "#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#" } },
        { 'O', { ".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###." } },
        { 'P', { "####.", "#...#", "#...#", "####.", "#....", "#....", "#...." } },
        { 'Q', { ".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#" } },
        { 'R', { "####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#" } },
        { 'S', { ".####", "#....", "#....", ".###.", "....#", "....#", "####." } },
        { 'T', { "#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.." } },
        { 'U', { "#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###." } },
        { 'V', { "#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.." } },
        { 'W', { "#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#." } },
        { 'X', { "#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#" } },
        { 'Y', { "#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.." } },
        { 'Z', { "#####", "....#", "...#.", "..#..", ".#...", "#....", "#####" } },
    };
    for (TGlyph const& g : font)
        if (g.Char == c)
            return &g.Rows;
    return nullptr;
}

void DrawSymbolSheet(TBitmap& b, int x, int y)
{
    auto const& rows = DemoSymbolRows();
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c) {
            int const cx = x + int(c) * SymbolW, cy = y + int(r) * SymbolH;
            Fill(b, { cx, cy, cx + SymbolW, cy + SymbolH }, Lcd);
            auto const* glyph = GlyphRows(rows[r][c]);
            if (!glyph)
                continue;
            for (int gy = 0; gy < 7; ++gy)
                for (int gx = 0; gx < 5; ++gx)
                    if ((*glyph)[size_t(gy)][gx] == '#')
                        b.SetPixel(cx + 1 + gx, cy + 2 + gy, LcdInk);
        }
}

// --- the pictures ---------------------------------------------------------------------

TBitmap DrawFrame()
{
    TBitmap b = NewPicture(FrameW, FrameH);
    Fill(b, { 0, 0, FrameW, FrameH }, Body);
    // Caption band with its recessed caption area; a dark line under it.
    VGradient(b, CaptionBand, RGB(56, 128, 150), RGB(24, 78, 98));
    for (int y = CaptionInset.Top; y < CaptionInset.Bottom; ++y)
        Fill(b, { CaptionInset.Left, y, CaptionInset.Right, y + 1 }, CaptionInsetColor(y));
    Bevel(b, CaptionInset, RGB(16, 60, 76), RGB(90, 160, 180));
    Fill(b, { 0, 26, FrameW, 27 }, RGB(16, 60, 76));
    // Main-menu bar; the menu items' normal image is the same gradient.
    for (int y = MenuBar.Top; y < MenuBar.Bottom; ++y)
        Fill(b, { MenuBar.Left, y, MenuBar.Right, y + 1 }, MenuBarColor(y));
    // Client area, sunk by a ring that lies in the frame around it.
    Fill(b, Client, RGB(246, 247, 249));
    Bevel(b, { Client.Left - 1, Client.Top - 1, Client.Right + 1, Client.Bottom + 1 }, Shadow, Highlight);
    // Bottom panel and the normal looks of its objects.
    PanelBackground(b, { 0, PanelTop, FrameW, FrameH }, PanelTop);
    Fill(b, { 10, 148, 142, 166 }, RGB(232, 236, 241)); // label
    Bevel(b, { 10, 148, 142, 166 }, Shadow, Highlight);
    Fill(b, { 10, 170, 82, 182 }, Lcd); // bit label
    Bevel(b, { 9, 169, 83, 183 }, Shadow, Highlight);
    Fill(b, { 10, 188, 142, 200 }, RGB(250, 250, 250)); // gauge
    Bevel(b, { 9, 187, 143, 201 }, Shadow, Highlight);
    DrawTrack(b, 10, 206, false);
    DrawSignal(b, 160, 148, 1);
    DrawKnob(b, 196, 146, 1);
    DrawSwitch(b, 236, 150, false);
    DrawSpinner(b, 160, 180, 1);
    DrawButton(b, 196, 190, 0);
    // Outer edge of the whole form.
    Bevel(b, { 0, 0, FrameW, FrameH }, RGB(150, 200, 214), RGB(60, 70, 84));
    return b;
}

// 1-bit mask: black where the form is, white where the four corners are rounded off.
TBitmap DrawMask()
{
    TBitmap b(FrameW, FrameH);
    b.SetBitDepth(1);
    b.SetPalette({ RGB(0, 0, 0), RGB(255, 255, 255) });
    b.Fill(RGB(0, 0, 0));
    int const cut[] = { 4, 2, 1, 1 };
    for (int i = 0; i < 4; ++i)
        for (int y : { i, FrameH - 1 - i }) {
            Fill(b, { 0, y, cut[i], y + 1 }, RGB(255, 255, 255));
            Fill(b, { FrameW - cut[i], y, FrameW, y + 1 }, RGB(255, 255, 255));
        }
    return b;
}

enum TButtonGlyph { bgClose, bgMaximize, bgRestore, bgMinimize, bgRollUp, bgRollDown, bgMenu };

void ButtonGlyph(TBitmap& b, int x, int y, TButtonGlyph g, TColor c)
{
    int const cx = x + 9, cy = y + 9;
    switch (g) {
    case bgClose:
        for (int i = -4; i <= 3; ++i) {
            Fill(b, { cx + i, cy + i, cx + i + 2, cy + i + 1 }, c);
            Fill(b, { cx + i, cy - i - 1, cx + i + 2, cy - i }, c);
        }
        break;
    case bgMaximize:
        Bevel(b, { cx - 5, cy - 5, cx + 5, cy + 5 }, c, c);
        Fill(b, { cx - 5, cy - 4, cx + 5, cy - 3 }, c);
        break;
    case bgRestore:
        Bevel(b, { cx - 2, cy - 5, cx + 5, cy + 2 }, c, c);
        Bevel(b, { cx - 5, cy - 2, cx + 2, cy + 5 }, c, c);
        Fill(b, { cx - 5, cy - 1, cx + 2, cy }, c);
        break;
    case bgMinimize:
        Fill(b, { cx - 5, cy + 2, cx + 5, cy + 4 }, c);
        break;
    case bgRollUp:
    case bgRollDown:
        for (int i = 0; i < 5; ++i) {
            int const row = g == bgRollUp ? cy - 2 + i : cy + 2 - i;
            Fill(b, { cx - i, row, cx + i + 1, row + 1 }, c);
        }
        break;
    case bgMenu:
        for (int row : { cy - 4, cy - 1, cy + 2 })
            Fill(b, { cx - 5, row, cx + 5, row + 2 }, c);
        break;
    }
}

// Caption buttons, 54 x 126: 18 x 18 cells in rows close, maximise, restore, minimise, roll
// up, roll down, system menu, and columns normal, hot, pressed. The cells' corners show the
// caption area they are placed on (captionrect starts one row below the area's edge).
TBitmap DrawCaptionButtons()
{
    TBitmap b = NewPicture(54, 126);
    for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 3; ++col) {
            int const x = col * 18, y = row * 18;
            for (int j = 0; j < 18; ++j)
                Fill(b, { x, y + j, x + 18, y + j + 1 }, CaptionInsetColor(CaptionInset.Top + 1 + j));
            bool const close = row == bgClose;
            TColor top = col == 0 ? RGB(70, 140, 160) : col == 1 ? RGB(120, 190, 210) : RGB(20, 70, 88);
            TColor bottom = col == 0 ? RGB(40, 100, 120) : col == 1 ? RGB(60, 130, 150) : RGB(40, 104, 124);
            if (close && col > 0) {
                top = col == 1 ? RGB(236, 110, 96) : RGB(150, 30, 30);
                bottom = col == 1 ? RGB(180, 44, 40) : RGB(200, 70, 60);
            }
            VGradient(b, { x + 1, y + 1, x + 17, y + 17 }, top, bottom);
            Bevel(b, { x + 1, y + 1, x + 17, y + 17 }, col == 2 ? RGB(10, 40, 50) : RGB(150, 210, 224),
                col == 2 ? RGB(110, 170, 186) : RGB(10, 44, 56));
            int const shift = col == 2 ? 1 : 0;
            ButtonGlyph(b, x + shift, y + shift, TButtonGlyph(row),
                col == 1 ? RGB(255, 255, 255) : RGB(226, 240, 244));
        }
    return b;
}

// Main-menu item, 40 x 54: normal (flush with the menu bar), hot and pressed, 18 high each.
// The four columns at either end are the fixed ends; the middle tiles.
TBitmap DrawMenuItem()
{
    TBitmap b = NewPicture(40, 54);
    for (int y = 0; y < 18; ++y)
        Fill(b, { 0, y, 40, y + 1 }, MenuBarColor(MenuBar.Top + y));
    for (int state = 1; state < 3; ++state) {
        int const y = state * 18;
        for (int j = 0; j < 18; ++j)
            Fill(b, { 0, y + j, 40, y + j + 1 }, MenuBarColor(MenuBar.Top + j));
        bool const hot = state == 1;
        VGradient(b, { 1, y + 1, 39, y + 17 }, hot ? RGB(80, 160, 180) : RGB(30, 90, 110),
            hot ? RGB(40, 110, 130) : RGB(50, 120, 140));
        Bevel(b, { 1, y + 1, 39, y + 17 }, hot ? RGB(150, 210, 224) : RGB(10, 44, 56),
            hot ? RGB(20, 70, 88) : RGB(110, 170, 186));
        // Rounded corners: the corner pixels show the bar again.
        for (int cx : { 1, 38 })
            for (int cy : { y + 1, y + 16 })
                b.SetPixel(cx, cy, MenuBarColor(MenuBar.Top + cy - y));
    }
    return b;
}

// Hot and animated looks of the bottom panel's objects, 280 x 172 (demo.ini's activeskinrect,
// buttonrect, downrect and the strips point here):
//   (0,0)    label, hot          (136,0)  switch on        (180,0)  button hot
//   (0,20)   gauge fill          (136,20) thumb, (150,20) active thumb
//   (0,34)   track bar, filled                              (180,26) button pressed
//   (0,56)   frame gauge strip, 5 cells of 28 x 20
//   (0,80)   regulator strip, 8 cells of 30 x 30
//   (0,112)  animation strip, 6 cells of 22 x 22
//   (0,136)  bit label symbols, 3 rows of 8 x 12 cells
TBitmap DrawObjects()
{
    TBitmap b = NewPicture(280, 172);
    Fill(b, { 0, 0, 280, 172 }, Body);
    Fill(b, { 0, 0, 132, 18 }, RGB(214, 236, 242));
    Bevel(b, { 0, 0, 132, 18 }, Teal, RGB(140, 200, 214));
    HGradient(b, { 0, 20, 132, 32 }, RGB(110, 200, 210), RGB(0, 110, 130));
    Fill(b, { 0, 20, 132, 21 }, RGB(170, 230, 236));
    DrawTrack(b, 0, 34, true);
    DrawSwitch(b, 136, 0, true);
    DrawThumb(b, 136, 20, false);
    DrawThumb(b, 150, 20, true);
    DrawButton(b, 180, 0, 1);
    DrawButton(b, 180, 26, 2);
    for (int n = 1; n <= 5; ++n)
        DrawSignal(b, (n - 1) * 28, 56, n);
    for (int n = 1; n <= 8; ++n)
        DrawKnob(b, (n - 1) * 30, 80, n);
    for (int n = 1; n <= 6; ++n)
        DrawSpinner(b, (n - 1) * 22, 112, n);
    DrawSymbolSheet(b, 0, 136);
    return b;
}

} // namespace

std::vector<std::string> const& DemoSymbolRows()
{
    static std::vector<std::string> const rows { "0123456789:-.", "ABCDEFGHIJKLM", "NOPQRSTUVWXYZ" };
    return rows;
}

std::vector<TSkinPicture> DrawDemoSkinPictures()
{
    std::vector<TSkinPicture> out;
    out.push_back({ "demoframe.bmp", DrawFrame() });
    out.push_back({ "demomask.bmp", DrawMask() });
    out.push_back({ "demobuttons.bmp", DrawCaptionButtons() });
    out.push_back({ "demomenuitem.bmp", DrawMenuItem() });
    out.push_back({ "demoobjects.bmp", DrawObjects() });
    return out;
}

} // namespace xe::skin
