#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/Colors.h"
#include "platform/base/Geometry.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Region.h"

namespace xe::gfx {

enum TPenStyle { psSolid, psClear };
// How the pen combines with the destination: copy, invert the destination, XOR, or XOR
// then invert (the usual rubber-band mode).
enum TPenMode { pmCopy, pmNot, pmXor, pmNotXor };
enum TBrushStyle { bsSolid, bsClear };

struct TPen {
    base::TColor Color = base::clBlack; // pen colour
    int Width = 1; // pixels; below 1 draws as 1
    TPenStyle Style = psSolid; // psClear draws no outline
    TPenMode Mode = pmCopy; // combination with the destination
    friend bool operator==(TPen const&, TPen const&) = default;
};

struct TBrush {
    base::TColor Color = base::clWhite; // fill colour
    TBrushStyle Style = bsSolid; // bsClear fills nothing; text then has no background
    friend bool operator==(TBrush const&, TBrush const&) = default;
};

// Raster operations (the platform's ternary codes; the source is S, the destination D,
// the brush P).
constexpr uint32_t SRCCOPY = 0x00CC0020;
constexpr uint32_t SRCPAINT = 0x00EE0086;
constexpr uint32_t SRCAND = 0x008800C6;
constexpr uint32_t SRCINVERT = 0x00660046;
constexpr uint32_t SRCERASE = 0x00440328;
constexpr uint32_t NOTSRCCOPY = 0x00330008;
constexpr uint32_t NOTSRCERASE = 0x001100A6;
constexpr uint32_t MERGECOPY = 0x00C000CA;
constexpr uint32_t MERGEPAINT = 0x00BB0226;
constexpr uint32_t PATCOPY = 0x00F00021;
constexpr uint32_t PATPAINT = 0x00FB0A09;
constexpr uint32_t PATINVERT = 0x005A0049;
constexpr uint32_t DSTINVERT = 0x00550009;
constexpr uint32_t BLACKNESS = 0x00000042;
constexpr uint32_t WHITENESS = 0x00FF0062;

// Background modes for text.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// DrawText flags.
constexpr uint32_t DT_TOP = 0x0;
constexpr uint32_t DT_LEFT = 0x0;
constexpr uint32_t DT_CENTER = 0x1;
constexpr uint32_t DT_RIGHT = 0x2;
constexpr uint32_t DT_VCENTER = 0x4;
constexpr uint32_t DT_BOTTOM = 0x8;
constexpr uint32_t DT_WORDBREAK = 0x10;
constexpr uint32_t DT_SINGLELINE = 0x20;
constexpr uint32_t DT_EXPANDTABS = 0x40;
constexpr uint32_t DT_NOCLIP = 0x100;
constexpr uint32_t DT_CALCRECT = 0x400;
constexpr uint32_t DT_NOPREFIX = 0x800;
constexpr uint32_t DT_END_ELLIPSIS = 0x8000;

// Text metrics of the selected font, in pixels.
struct TTextMetric {
    int tmHeight = 0; // ascent + descent
    int tmAscent = 0;
    int tmDescent = 0;
    int tmInternalLeading = 0; // tmHeight minus the em height
    int tmExternalLeading = 0;
    int tmAveCharWidth = 0; // width of 'x'
    int tmMaxCharWidth = 0;
};

// A canvas draws on one bitmap with the platform's rules: rectangles and ellipse boxes
// include their left/top edges and exclude right/bottom, lines exclude their last point.
//
// Coordinates: Origin() is the bitmap pixel where the canvas's device (0, 0) lies (a
// window system puts the client area's offset there); ViewportOrg() is where logical
// (0, 0) lies in device coordinates. Drawing calls take logical coordinates.
//
// Clipping: SetClipRect sets the device-coordinate limit of all drawing (a window system
// puts the client rectangle there; nothing the program does can widen it). On top of it
// the program's clip region: SelectClipRgn (device coordinates), IntersectClipRect and
// ExcludeClipRect (logical coordinates). The bitmap's bounds always clip.
class TCanvas {
public:
    explicit TCanvas(TBitmap& bitmap);
    TCanvas(TCanvas const&) = delete;
    TCanvas& operator=(TCanvas const&) = delete;

    TBitmap& Bitmap() const { return *FBitmap; }
    int Width() const { return FBitmap->Width(); }
    int Height() const { return FBitmap->Height(); }

    TPen Pen;
    TBrush Brush;
    TFont Font;
    uint32_t CopyMode = SRCCOPY; // raster operation of Draw, StretchDraw and CopyRect

    int BkMode() const { return FBkMode; }
    int SetBkMode(int mode); // returns the previous mode

    // --- Origin and clipping ---
    base::TPoint Origin() const { return FOrigin; }
    void SetOrigin(base::TPoint origin);
    base::TPoint ViewportOrg() const { return FViewportOrg; }
    void SetViewportOrg(base::TPoint org);
    void OffsetViewportOrg(int dx, int dy);

    void SetClipRect(base::TRect const& deviceRect);
    void ResetClipRect(); // the whole bitmap again
    // Replaces the program's clip region (nullptr removes it). Returns the region kind.
    int SelectClipRgn(TRegion const* deviceRegion);
    int IntersectClipRect(base::TRect const& rect);
    int ExcludeClipRect(base::TRect const& rect);
    // The program's clip region in device coordinates; false when there is none.
    bool GetClipRgn(TRegion& deviceRegion) const;
    // Bounding box of the drawable area, in logical coordinates.
    base::TRect ClipRect() const;
    bool PtVisible(int x, int y) const;
    bool RectVisible(base::TRect const& rect) const;

    // Saves pen, brush, font, modes, pen position, origin and clipping; RestoreDC(-1)
    // restores the last one, RestoreDC(n) the one SaveDC returned as n (dropping later ones).
    int SaveDC();
    bool RestoreDC(int saved);

    // --- Pixels and shapes ---
    base::TColor Pixel(int x, int y) const; // clBlack outside the bitmap
    void SetPixel(int x, int y, base::TColor color);

    void FillRect(base::TRect const& rect); // brush, no outline
    void FrameRect(base::TRect const& rect); // one-pixel frame in the brush colour
    // Shapes are outlined with the pen inside their box (a wide pen grows inwards) and filled
    // with the brush. Without a pen (psClear) a rectangle is filled one pixel short of its right
    // and bottom edges, as on the platform; other shapes fill their whole outline.
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(base::TRect const& rect) { Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom); }
    void RoundRect(int x1, int y1, int x2, int y2, int ellipseWidth, int ellipseHeight);
    void Ellipse(int x1, int y1, int x2, int y2);
    void Ellipse(base::TRect const& rect) { Ellipse(rect.Left, rect.Top, rect.Right, rect.Bottom); }
    // A wedge of the ellipse in the box, from the radial through (x3, y3) counter-clockwise
    // to the radial through (x4, y4); equal radials give the whole ellipse.
    void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void Polygon(std::vector<base::TPoint> const& points);

    base::TPoint PenPos() const { return FPenPos; }
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polyline(std::vector<base::TPoint> const& points);

    // --- Pictures ---
    void Draw(int x, int y, TBitmap const& bitmap);
    void StretchDraw(base::TRect const& rect, TBitmap const& bitmap);
    void CopyRect(base::TRect const& dest, TCanvas const& source, base::TRect const& sourceRect);
    // Draws the picture scaled onto rect (nearest neighbour) through an opacity plane of one
    // byte per picture pixel, row by row: 0 leaves the canvas, 255 covers it, values between
    // blend. This is how icons are drawn. A plane of another size draws the picture opaque.
    void DrawMasked(base::TRect const& rect, TBitmap const& picture, std::vector<uint8_t> const& opacity);

    // --- Text (ANSI code page) ---
    // Text is drawn in Font's colour with monochrome glyphs. The background of each line's cell
    // is filled with the brush colour when BkMode() is OPAQUE and the brush is solid (a clear
    // brush or TRANSPARENT leave it alone). TextOut puts the cell's top-left corner at (x, y)
    // and moves the pen position past the text.
    void TextOut(int x, int y, std::string_view text);
    // Draws clipped to rect (and with the brush behind it when the background is opaque).
    void TextRect(base::TRect const& rect, int x, int y, std::string_view text);
    base::TSize TextExtent(std::string_view text);
    int TextWidth(std::string_view text) { return TextExtent(text).cx; }
    int TextHeight(std::string_view text) { return TextExtent(text).cy; }
    TTextMetric TextMetrics();
    // Formats text in rect by the DT_ flags; returns the height of the text. With
    // DT_CALCRECT it draws nothing and sets rect's right and bottom to the text's extent.
    // DT_WORDBREAK breaks lines between words and between CJK characters (not before closing
    // or after opening punctuation); a word wider than the rectangle is broken where it
    // overflows. "&x" underlines x and "&&" is "&" unless DT_NOPREFIX. DT_VCENTER and
    // DT_BOTTOM apply to DT_SINGLELINE text only, as on the platform.
    int DrawText(std::string_view text, base::TRect& rect, uint32_t flags);

private:
    friend class TBitmap;
    friend struct TBlitter;
    struct TState {
        TPen Pen;
        TBrush Brush;
        TFont Font;
        uint32_t CopyMode = 0;
        int BkMode = 0;
        base::TPoint PenPos, Origin, ViewportOrg;
        base::TRect Limit;
        bool HasLimit = false;
        TRegion Clip;
        bool HasClip = false;
    };

    // Offset from logical to bitmap coordinates.
    int OffX() const { return FOrigin.X + FViewportOrg.X; }
    int OffY() const { return FOrigin.Y + FViewportOrg.Y; }
    // The drawable area in bitmap coordinates, in band order.
    std::vector<base::TRect> const& ClipRects() const;
    void ClipChanged() { FClipDirty = true; }
    TRegion DeviceArea() const;
    int ClipKind() const;
    // Span and pixel writers in bitmap coordinates, clipped. mode is a TPenMode.
    void FillSpan(int y, int x0, int x1, base::TColor rgb, int mode);
    void PlotPen(int x, int y);
    void LineRaw(int64_t x0, int64_t y0, int64_t x1, int64_t y1); // bitmap coordinates, last point excluded
    template <typename Inside> void DrawShape(int x1, int y1, int x2, int y2, Inside inside);
    void FillBox(base::TRect const& box, base::TColor rgb, int mode); // bitmap coordinates
    // Draws one line of text with its top-left cell corner at (x, y), bitmap coordinates.
    void DrawTextLine(int x, int y, std::u32string_view text, base::TRect const* clip, int underlineIndex);

    TBitmap* FBitmap;
    mutable std::vector<base::TRect> FClipRects;
    mutable bool FClipDirty = true;
    mutable int FClipWidth = -1; // bitmap size the cached clip was computed for
    mutable int FClipHeight = -1;
    int FBkMode = OPAQUE;
    base::TPoint FPenPos;
    base::TPoint FOrigin;
    base::TPoint FViewportOrg;
    base::TRect FLimit; // device coordinates
    bool FHasLimit = false;
    TRegion FClip; // device coordinates
    bool FHasClip = false;
    std::vector<TState> FSaved;
};

// Restores the canvas's pen, brush, font, modes, origin and clipping on destruction.
class TCanvasSaver {
public:
    explicit TCanvasSaver(TCanvas& canvas);
    ~TCanvasSaver();
    TCanvasSaver(TCanvasSaver const&) = delete;
    TCanvasSaver& operator=(TCanvasSaver const&) = delete;

private:
    TCanvas& FCanvas;
    int FLevel;
};

// Block transfers. Coordinates are logical on each canvas; a bitmap source uses its own
// pixel coordinates. Destination pixels whose source lies outside the source bitmap are
// left alone.
bool BitBlt(TCanvas& dst, int x, int y, int w, int h, TCanvas const& src, int sx, int sy, uint32_t rop);
bool BitBlt(TCanvas& dst, int x, int y, int w, int h, TBitmap const& src, int sx, int sy, uint32_t rop);
// Stretches the source rectangle onto the destination rectangle by nearest neighbour:
// destination column x (counted from the destination's left) takes source column
// floor(x * sw / w), rows likewise. Negative sizes mirror.
bool StretchBlt(TCanvas& dst, int x, int y, int w, int h, TCanvas const& src, int sx, int sy, int sw, int sh,
    uint32_t rop);
bool StretchBlt(TCanvas& dst, int x, int y, int w, int h, TBitmap const& src, int sx, int sy, int sw, int sh,
    uint32_t rop);
// Operations without a source (PATCOPY, PATINVERT, DSTINVERT, BLACKNESS, WHITENESS); the
// pattern is the canvas's brush colour.
bool PatBlt(TCanvas& dst, int x, int y, int w, int h, uint32_t rop);

} // namespace xe::gfx
