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

// --- the skinned controls' looks: democontrols.bmp (300 x 384) ---------------------------
//
// One look per control kind, cut by demo.ini's SKINCONTROLS sections (README.md has the
// table). Every look is drawn on the client area's colour, so its corner pieces sit on the
// form's client like the controls themselves.

constexpr TColor ClientFill = RGB(246, 247, 249);
constexpr TColor Field = RGB(255, 255, 255);
constexpr TColor FieldBorder = RGB(120, 130, 142);
constexpr TColor Ink = RGB(40, 60, 74);
constexpr TColor Grey = RGB(160, 166, 176);
constexpr TColor PaleTeal = RGB(214, 236, 242);

// Push button faces, 60 x 22: 0 normal, 1 hot, 2 pressed, 3 disabled; tool buttons (flat
// until hot) take the same states.
void DrawControlButton(TBitmap& b, TRect r, int state, bool flat)
{
    static TColor const top[]
        = { RGB(246, 248, 250), RGB(214, 240, 246), RGB(168, 196, 206), RGB(232, 234, 237) };
    static TColor const bottom[]
        = { RGB(204, 212, 222), RGB(150, 206, 220), RGB(210, 226, 232), RGB(222, 224, 228) };
    Fill(b, r, ClientFill);
    if (flat && (state == 0 || state == 3))
        return;
    VGradient(b, { r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1 }, top[state], bottom[state]);
    TColor const outer = state == 3 ? Grey : state == 2 ? RGB(60, 80, 92) : RGB(110, 124, 138);
    Bevel(b, r, outer, state == 3 ? Grey : state == 2 ? RGB(150, 170, 180) : RGB(60, 72, 86));
    // Rounded corners: the corner pixels show the client again.
    for (int x : { r.Left, r.Right - 1 })
        for (int y : { r.Top, r.Bottom - 1 })
            b.SetPixel(x, y, ClientFill);
}

// A sunken white field (edit, memo, list box, combo box, gauge trough); focused, its ring is
// teal.
void DrawField(TBitmap& b, TRect r, bool focused, TColor inside = Field)
{
    Fill(b, r, inside);
    Bevel(b, r, focused ? Teal : FieldBorder, focused ? Teal : RGB(200, 206, 214));
    Bevel(b, { r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1 },
        focused ? RGB(120, 190, 206) : RGB(214, 218, 224), inside);
}

// Check-box (square) and radio-button (round) images, 14 x 14: 0 unchecked, 1 checked, 2 hot
// unchecked, 3 hot checked, 4 disabled unchecked, 5 disabled checked.
void DrawCheckImage(TBitmap& b, int x, int y, int state, bool radio)
{
    bool const checked = state % 2 == 1, hot = state / 2 == 1, disabled = state / 2 == 2;
    TColor const face = disabled ? RGB(232, 234, 237) : hot ? PaleTeal : Field;
    TColor const edge = disabled ? Grey : hot ? Teal : FieldBorder;
    TColor const mark = disabled ? Grey : hot ? Teal : Ink;
    Fill(b, { x, y, x + 14, y + 14 }, ClientFill);
    if (radio) {
        Disc(b, x, y, 14, 13, edge, edge);
        Disc(b, x + 1, y + 1, 12, 11, face, face);
        if (checked)
            Disc(b, x + 4, y + 4, 6, 6, mark, mark);
        return;
    }
    Fill(b, { x + 1, y + 1, x + 13, y + 13 }, face);
    Bevel(b, { x, y, x + 14, y + 14 }, edge, edge);
    if (checked) {
        for (int i = 0; i < 3; ++i)
            Fill(b, { x + 3 + i, y + 6 + i, x + 5 + i, y + 8 + i }, mark);
        for (int i = 0; i < 5; ++i)
            Fill(b, { x + 5 + i, y + 8 - i, x + 7 + i, y + 10 - i }, mark);
    }
}

// A triangle of rows widening by one pixel on each side, pointing up, down, left or right,
// centred in r.
enum TArrow { arUp, arDown, arLeft, arRight };
void DrawArrow(TBitmap& b, TRect r, TArrow a, TColor c)
{
    int const cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
    for (int i = 0; i < 4; ++i) {
        switch (a) {
        case arUp:
            Fill(b, { cx - i, cy - 2 + i, cx + i + 1, cy - 1 + i }, c);
            break;
        case arDown:
            Fill(b, { cx - i, cy + 1 - i, cx + i + 1, cy + 2 - i }, c);
            break;
        case arLeft:
            Fill(b, { cx - 2 + i, cy - i, cx - 1 + i, cy + i + 1 }, c);
            break;
        case arRight:
            Fill(b, { cx + 1 - i, cy - i, cx + 2 - i, cy + i + 1 }, c);
            break;
        }
    }
}

// Scroll-bar and combo-box button, 16 x 16: 0 normal, 1 hot, 2 pressed, 3 disabled.
void DrawArrowButton(TBitmap& b, int x, int y, TArrow a, int state)
{
    TRect const r { x, y, x + 16, y + 16 };
    DrawControlButton(b, r, state, false);
    int const shift = state == 2 ? 1 : 0;
    DrawArrow(b, { r.Left + shift, r.Top + shift, r.Right + shift, r.Bottom + shift }, a,
        state == 3       ? Grey
            : state == 1 ? Teal
                         : Ink);
}

// A thumb (track bar or scroll bar), 0 normal, 1 hot, 2 dragged: a teal gradient across its
// thickness.
void DrawControlThumb(TBitmap& b, TRect r, bool vertical, int state)
{
    TColor const light = state == 1 ? RGB(140, 210, 226) : state == 2 ? RGB(40, 130, 150) : RGB(96, 170, 190);
    TColor const dark = state == 1 ? RGB(40, 130, 150) : state == 2 ? RGB(20, 86, 104) : RGB(20, 96, 116);
    if (vertical)
        HGradient(b, r, light, dark);
    else
        VGradient(b, r, light, dark);
    Bevel(b, r, RGB(200, 236, 244), RGB(10, 50, 62));
}

// The grip drawn on a scroll bar's thumb, 8 x 8: three lines across the thumb's length.
void DrawGrip(TBitmap& b, int x, int y, bool vertical, int state)
{
    TColor const bg = state == 1 ? RGB(90, 170, 188) : state == 2 ? RGB(30, 108, 127) : RGB(58, 133, 153);
    Fill(b, { x, y, x + 8, y + 8 }, bg);
    TColor const line = state == 1 ? RGB(255, 255, 255) : RGB(220, 240, 244);
    for (int i : { 1, 3, 5 }) {
        if (vertical)
            Fill(b, { x + 1, y + i, x + 7, y + i + 1 }, line);
        else
            Fill(b, { x + i, y + 1, x + i + 1, y + 7 }, line);
    }
}

// A track bar's groove across r, horizontal or vertical, sunk into the client colour.
void DrawGroove(TBitmap& b, TRect r, bool vertical)
{
    Fill(b, r, ClientFill);
    TRect const g = vertical
        ? TRect { (r.Left + r.Right) / 2 - 3, r.Top + 3, (r.Left + r.Right) / 2 + 3, r.Bottom - 3 }
        : TRect { r.Left + 3, (r.Top + r.Bottom) / 2 - 3, r.Right - 3, (r.Top + r.Bottom) / 2 + 3 };
    Fill(b, g, RGB(236, 239, 243));
    Bevel(b, g, Shadow, Highlight);
}

// A tab, 50 x 20: 0 normal, 1 active (joins the page below), 2 focused, 3 under the mouse.
void DrawTab(TBitmap& b, int x, int y, int state)
{
    TRect const r { x, y, x + 50, y + 20 };
    Fill(b, r, ClientFill);
    bool const front = state == 1 || state == 2;
    TRect const face { x + (front ? 0 : 2), y + (front ? 0 : 3), x + (front ? 50 : 48), y + 20 };
    VGradient(b, face,
        front            ? RGB(250, 251, 252)
            : state == 3 ? PaleTeal
                         : RGB(226, 230, 236),
        front            ? RGB(236, 239, 243)
            : state == 3 ? RGB(190, 222, 230)
                         : RGB(206, 212, 220));
    Fill(b, { face.Left, face.Top, face.Right, face.Top + 1 }, front ? Teal : FieldBorder);
    Fill(b, { face.Left, face.Top, face.Left + 1, face.Bottom }, FieldBorder);
    Fill(b, { face.Right - 1, face.Top, face.Right, face.Bottom }, FieldBorder);
    if (front)
        Fill(b, { face.Left, face.Top + 1, face.Right, face.Top + 2 }, Teal);
    else
        Fill(b, { x, y + 19, x + 50, y + 20 }, FieldBorder);
    if (state == 2)
        for (int i = x + 4; i < x + 46; i += 2) // the focus: a dotted line under the text
            b.SetPixel(i, y + 16, Ink);
}

TBitmap DrawControls()
{
    TBitmap b = NewPicture(300, 384);
    Fill(b, { 0, 0, 300, 384 }, ClientFill);
    // Push buttons and tool buttons, four states each.
    for (int state = 0; state < 4; ++state) {
        DrawControlButton(b, { state * 60, 0, state * 60 + 60, 22 }, state, false);
        DrawControlButton(b, { state * 22, 24, state * 22 + 22, 46 }, state, true);
    }
    // Edit and memo: the field, normal and focused.
    DrawField(b, { 92, 24, 152, 46 }, false);
    DrawField(b, { 152, 24, 212, 46 }, true);
    // Check box and radio button: the background (normal, hot) and their images.
    Fill(b, { 90, 48, 180, 66 }, PaleTeal);
    Bevel(b, { 90, 48, 180, 66 }, RGB(190, 222, 230), RGB(190, 222, 230));
    for (int state = 0; state < 6; ++state) {
        DrawCheckImage(b, state * 14, 68, state, false);
        DrawCheckImage(b, 84 + state * 14, 68, state, true);
    }
    // Panel (raised), group box (caption band over a framed body), status bar, label.
    VGradient(b, { 0, 84, 60, 124 }, RGB(236, 239, 243), RGB(216, 222, 230));
    Bevel(b, { 0, 84, 60, 124 }, Highlight, Shadow);
    Bevel(b, { 1, 85, 59, 123 }, RGB(240, 242, 246), RGB(180, 188, 198));
    Fill(b, { 61, 93, 129, 133 }, ClientFill);
    Bevel(b, { 60, 92, 130, 134 }, FieldBorder, FieldBorder);
    VGradient(b, { 62, 84, 128, 102 }, RGB(56, 128, 150), RGB(24, 78, 98));
    Bevel(b, { 62, 84, 128, 102 }, RGB(90, 160, 180), RGB(16, 60, 76));
    VGradient(b, { 130, 84, 190, 104 }, RGB(226, 231, 237), RGB(196, 204, 214));
    Fill(b, { 130, 84, 190, 85 }, Shadow);
    Fill(b, { 130, 85, 190, 86 }, Highlight);
    Fill(b, { 190, 84, 250, 102 }, ClientFill);
    Fill(b, { 192, 100, 248, 101 }, RGB(200, 206, 214));
    // Gauges: troughs and fills.
    DrawField(b, { 0, 136, 100, 150 }, false);
    HGradient(b, { 100, 138, 140, 148 }, RGB(110, 200, 210), RGB(0, 110, 130));
    Fill(b, { 100, 138, 140, 139 }, RGB(170, 230, 236));
    DrawField(b, { 0, 208, 14, 308 }, false);
    VGradient(b, { 16, 208, 26, 248 }, RGB(110, 200, 210), RGB(0, 110, 130));
    Fill(b, { 16, 208, 17, 248 }, RGB(170, 230, 236));
    // Track bars: grooves and thumbs, horizontal and vertical.
    DrawGroove(b, { 0, 152, 100, 170 }, false);
    DrawControlThumb(b, { 100, 152, 111, 170 }, false, 0);
    DrawControlThumb(b, { 112, 152, 123, 170 }, false, 1);
    DrawGroove(b, { 28, 208, 46, 308 }, true);
    DrawControlThumb(b, { 48, 208, 66, 219 }, true, 0);
    DrawControlThumb(b, { 48, 220, 66, 231 }, true, 1);
    // Scroll bars: the bar (its buttons drawn in, its track between), the buttons, thumbs
    // and grips in three states.
    Fill(b, { 0, 172, 100, 188 }, RGB(226, 230, 236));
    Bevel(b, { 0, 172, 100, 188 }, RGB(206, 212, 220), RGB(206, 212, 220));
    DrawArrowButton(b, 0, 172, arLeft, 0);
    DrawArrowButton(b, 84, 172, arRight, 0);
    Fill(b, { 68, 208, 84, 308 }, RGB(226, 230, 236));
    Bevel(b, { 68, 208, 84, 308 }, RGB(206, 212, 220), RGB(206, 212, 220));
    DrawArrowButton(b, 68, 208, arUp, 0);
    DrawArrowButton(b, 68, 292, arDown, 0);
    for (int state = 0; state < 3; ++state) {
        DrawArrowButton(b, state * 16, 190, arLeft, state);
        DrawArrowButton(b, 48 + state * 16, 190, arRight, state);
        DrawControlThumb(b, { 100 + state * 24, 172, 124 + state * 24, 188 }, false, state);
        DrawGrip(b, 172 + state * 8, 176, false, state);
        DrawArrowButton(b, 86, 208 + state * 16, arUp, state);
        DrawArrowButton(b, 86, 256 + state * 16, arDown, state);
        DrawControlThumb(b, { 104, 208 + state * 24, 120, 232 + state * 24 }, true, state);
        DrawGrip(b, 122, 208 + state * 8, true, state);
    }
    // List box: the frame and its items (normal, selected, selected with the focus).
    DrawField(b, { 132, 208, 192, 258 }, false);
    Fill(b, { 132, 260, 192, 276 }, Field);
    Fill(b, { 132, 278, 192, 294 }, Teal);
    Fill(b, { 192, 278, 252, 294 }, Teal);
    for (int i = 192; i < 252; i += 2) {
        b.SetPixel(i, 278, PaleTeal);
        b.SetPixel(i + 1, 293, PaleTeal);
    }
    for (int j = 278; j < 294; j += 2) {
        b.SetPixel(192, j + 1, PaleTeal);
        b.SetPixel(251, j, PaleTeal);
    }
    // Combo box: the field with room for its button on the right, and the button.
    DrawField(b, { 194, 208, 254, 230 }, false);
    for (int state = 0; state < 4; ++state)
        DrawArrowButton(b, state * 16, 310, arDown, state);
    // Tab control: the page and the tabs.
    Fill(b, { 70, 310, 170, 360 }, RGB(250, 251, 252));
    Bevel(b, { 70, 310, 170, 360 }, FieldBorder, FieldBorder);
    Bevel(b, { 71, 311, 169, 359 }, Highlight, RGB(214, 218, 224));
    for (int state = 0; state < 4; ++state)
        DrawTab(b, 170 + (state % 2) * 50, 310 + (state / 2) * 22, state);
    // Main menu bar: the bar's background, the items are the MAINMENUITEM object's.
    for (int y = 362; y < 380; ++y)
        Fill(b, { 0, y, 100, y + 1 }, MenuBarColor(MenuBar.Top + y - 362));
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
    out.push_back({ "democontrols.bmp", DrawControls() });
    return out;
}

} // namespace xe::skin
