#include "skin/draw/FrameImage.h"

#include "platform/graphics/Bitmap.h"
#include "skin/draw/FBitmap.h"

#include <algorithm>

namespace xe::skin {

using base::Rect;
using base::TRect;

bool PictureHolds(gfx::TBitmap const& picture, TRect const& r)
{
    return !base::IsRectEmpty(r) && r.Left >= 0 && r.Top >= 0 && r.Right <= picture.Width()
        && r.Bottom <= picture.Height();
}

namespace {

// Copies srcRect of s to the top-left of dstRect of d, 1:1. When the two rectangles differ
// in size only their common part is copied, so a piece never reaches past either one.
void Copy(TFBitmap& d, TRect const& dstRect, TFBitmap const& s, TRect const& srcRect)
{
    int32_t w = std::min(dstRect.Width(), srcRect.Width());
    int32_t h = std::min(dstRect.Height(), srcRect.Height());
    if (w > 0 && h > 0)
        CopyPixels(d, dstRect.Left, dstRect.Top, s, srcRect.Left, srcRect.Top, w, h);
}

void Stretch(TFBitmap& d, TRect const& dstRect, TFBitmap const& s, TRect const& srcRect)
{
    StretchPixels(d, dstRect.Left, dstRect.Top, dstRect.Width(), dstRect.Height(), s, srcRect.Left,
        srcRect.Top, srcRect.Width(), srcRect.Height());
}

// Tiles the columns of srcRect over columns S..E of the rows top..bottom of d.
void TileH(
    TFBitmap& d, int32_t S, int32_t E, int32_t top, int32_t bottom, TFBitmap const& s, TRect const& srcRect)
{
    ForEachTile(S, E, srcRect.Width(), [&](int32_t start, int32_t len) {
        Copy(d, Rect(start, top, start + len, bottom), s,
            Rect(srcRect.Left, srcRect.Top, srcRect.Left + len, srcRect.Bottom));
    });
}

// Tiles the rows of srcRect over rows S..E of the columns left..right of d.
void TileV(
    TFBitmap& d, int32_t S, int32_t E, int32_t left, int32_t right, TFBitmap const& s, TRect const& srcRect)
{
    ForEachTile(S, E, srcRect.Height(), [&](int32_t start, int32_t len) {
        Copy(d, Rect(left, start, right, start + len), s,
            Rect(srcRect.Left, srcRect.Top, srcRect.Right, srcRect.Top + len));
    });
}

// A band middle, stretched or tiled along the band.
void MiddleH(bool stretch, TFBitmap& d, TRect const& dstRect, TFBitmap const& s, TRect const& srcRect)
{
    if (stretch)
        Stretch(d, dstRect, s, srcRect);
    else
        TileH(d, dstRect.Left, dstRect.Right, dstRect.Top, dstRect.Bottom, s, srcRect);
}

void MiddleV(bool stretch, TFBitmap& d, TRect const& dstRect, TFBitmap const& s, TRect const& srcRect)
{
    if (stretch)
        Stretch(d, dstRect, s, srcRect);
    else
        TileV(d, dstRect.Top, dstRect.Bottom, dstRect.Left, dstRect.Right, s, srcRect);
}

TRect Offset(TRect r, TRect const& by)
{
    base::OffsetRect(r, by.Left, by.Top);
    return r;
}

void SetBandSize(gfx::TBitmap& b, int32_t w, int32_t h) { b.SetSize(std::max(0, w), std::max(0, h)); }

} // namespace

void ComposeFrameImage(TFrameCut const& src, TFrameCut const& dstCut, gfx::TBitmap& dst,
    gfx::TBitmap const& picture, TRect const& R, int W, int H, bool drawClient, TStretchFlags stretch)
{
    SetBandSize(dst, W, H);
    if (src.RB.X == src.LT.X || src.RB.Y == src.LT.Y || picture.Empty() || dst.Empty())
        return;
    W = dst.Width();
    H = dst.Height();
    TFBitmap d(dst);
    TFBitmap s(picture);
    auto const& LT = src.LT;
    auto const& RT = src.RT;
    auto const& LB = src.LB;
    auto const& RB = src.RB;
    auto const& C = src.C;
    auto const& LT_ = dstCut.LT;
    auto const& RT_ = dstCut.RT;
    auto const& LB_ = dstCut.LB;
    auto const& RB_ = dstCut.RB;
    auto const& C_ = dstCut.C;
    const int32_t rw = R.Width();
    const int32_t rh = R.Height();

    // Band middles.
    MiddleH(stretch.Top, d, Rect(LT_.X, 0, RT_.X, C_.Top), s, Offset(Rect(LT.X, 0, RT.X, C.Top), R));
    MiddleH(
        stretch.Bottom, d, Rect(LB_.X, C_.Bottom, RB_.X, H), s, Offset(Rect(LB.X, C.Bottom, RB.X, rh), R));
    MiddleV(stretch.Left, d, Rect(0, LT_.Y, C_.Left, LB_.Y), s, Offset(Rect(0, LT.Y, C.Left, LB.Y), R));
    MiddleV(stretch.Right, d, Rect(C_.Right, RT_.Y, W, RB_.Y), s, Offset(Rect(C.Right, RT.Y, rw, RB.Y), R));

    // Corner pieces, 1:1.
    Copy(d, Rect(0, 0, LT_.X, C_.Top), s, Offset(Rect(0, 0, LT.X, C.Top), R));
    Copy(d, Rect(0, C_.Top, C_.Left, LT_.Y), s, Offset(Rect(0, C.Top, C.Left, LT.Y), R));
    Copy(d, Rect(RT_.X, 0, W, C_.Top), s, Offset(Rect(RT.X, 0, rw, C.Top), R));
    Copy(d, Rect(C_.Right, C_.Top, W, RT_.Y), s, Offset(Rect(C.Right, C.Top, rw, RT.Y), R));
    Copy(d, Rect(0, LB_.Y, C_.Left, H), s, Offset(Rect(0, LB.Y, C.Left, rh), R));
    Copy(d, Rect(C_.Left, C_.Bottom, LB_.X, H), s, Offset(Rect(C.Left, C.Bottom, LB.X, rh), R));
    Copy(d, Rect(RB_.X, C_.Bottom, W, H), s, Offset(Rect(RB.X, C.Bottom, rw, rh), R));
    Copy(d, Rect(C_.Right, RB_.Y, W, C_.Bottom), s, Offset(Rect(C.Right, RB.Y, rw, C.Bottom), R));

    if (!drawClient)
        return;
    const TRect client = Offset(C, R);
    ForEachTile(C_.Left, C_.Right, C.Width(), [&](int32_t x, int32_t w) {
        ForEachTile(C_.Top, C_.Bottom, C.Height(), [&](int32_t y, int32_t h) {
            Copy(d, Rect(x, y, x + w, y + h), s,
                Rect(client.Left, client.Top, client.Left + w, client.Top + h));
        });
    });
}

void ComposeTiledFrameImage(TFrameCut const& src, TFrameCut const& dstCut, gfx::TBitmap& dst,
    gfx::TBitmap const& picture, TRect const& R, int W, int H, bool drawClient)
{
    ComposeFrameImage(src, dstCut, dst, picture, R, W, H, drawClient, TStretchFlags {});
}

void ComposeHorzStrip(int a, int b, gfx::TBitmap& dst, int W, TRect const& R, gfx::TBitmap const& picture)
{
    SetBandSize(dst, W, R.Height());
    if (picture.Empty() || dst.Empty())
        return;
    W = dst.Width();
    const int32_t h = dst.Height();
    TFBitmap d(dst);
    TFBitmap s(picture);
    if (a != 0)
        Copy(d, Rect(0, 0, a, h), s, Rect(R.Left, R.Top, R.Left + a, R.Bottom));
    if (b != 0)
        Copy(d, Rect(W - b, 0, W, h), s, Rect(R.Right - b, R.Top, R.Right, R.Bottom));
    TileH(d, a, W - b, 0, h, s, Rect(R.Left + a, R.Top, R.Right - b, R.Bottom));
}

void ComposeVertStrip(int a, int b, gfx::TBitmap& dst, int H, TRect const& R, gfx::TBitmap const& picture)
{
    SetBandSize(dst, R.Width(), H);
    if (picture.Empty() || dst.Empty())
        return;
    H = dst.Height();
    const int32_t w = dst.Width();
    TFBitmap d(dst);
    TFBitmap s(picture);
    if (a != 0)
        Copy(d, Rect(0, 0, w, a), s, Rect(R.Left, R.Top, R.Right, R.Top + a));
    if (b != 0)
        Copy(d, Rect(0, H - b, w, H), s, Rect(R.Left, R.Bottom - b, R.Right, R.Bottom));
    TileV(d, a, H - b, 0, w, s, Rect(R.Left, R.Top + a, R.Right, R.Bottom - b));
}

void ComposeFrameBands(TFrameCut const& src, TFrameCut const& dstCut, TStretchFlags stretch, int W, int H,
    TRect const& R, gfx::TBitmap const& picture, gfx::TBitmap& top, gfx::TBitmap& bottom, gfx::TBitmap& left,
    gfx::TBitmap& right)
{
    auto const& LT = src.LT;
    auto const& RT = src.RT;
    auto const& LB = src.LB;
    auto const& RB = src.RB;
    auto const& C = src.C;
    auto const& LT_ = dstCut.LT;
    auto const& RT_ = dstCut.RT;
    auto const& LB_ = dstCut.LB;
    auto const& RB_ = dstCut.RB;
    auto const& C_ = dstCut.C;
    TFBitmap s(picture);

    const int32_t ht = C_.Top;
    if (W > 0 && ht > 0 && RT.X - LT.X > 0) {
        top.SetSize(W, ht);
        TFBitmap d(top);
        const int32_t y0 = R.Top, y1 = R.Top + ht;
        MiddleH(stretch.Top, d, Rect(stretch.Top ? LT_.X : 0, 0, stretch.Top ? RT_.X : W, ht), s,
            Rect(R.Left + LT.X, y0, R.Left + RT.X, y1));
        Copy(d, Rect(0, 0, LT_.X, ht), s, Rect(R.Left, y0, R.Left + LT.X, y1));
        Copy(d, Rect(RT_.X, 0, W, ht), s, Rect(R.Left + RT.X, y0, R.Right, y1));
    }

    const int32_t hb = H - C_.Bottom;
    if (W > 0 && hb > 0 && RB.X - LB.X > 0) {
        bottom.SetSize(W, hb);
        TFBitmap d(bottom);
        const int32_t y0 = R.Bottom - hb, y1 = R.Bottom;
        MiddleH(stretch.Bottom, d, Rect(stretch.Bottom ? LB_.X : 0, 0, stretch.Bottom ? RB_.X : W, hb), s,
            Rect(R.Left + LB.X, y0, R.Left + RB.X, y1));
        Copy(d, Rect(0, 0, LB_.X, hb), s, Rect(R.Left, y0, R.Left + LB.X, y1));
        Copy(d, Rect(RB_.X, 0, W, hb), s, Rect(R.Left + RB.X, y0, R.Right, y1));
    }

    // The side bands cover the client's rows only.
    const int32_t hl = H - std::max(0, ht) - std::max(0, hb);

    const int32_t wl = C_.Left;
    if (wl > 0 && hl > 0 && LB.Y - LT.Y > 0) {
        left.SetSize(wl, hl);
        TFBitmap d(left);
        const int32_t x0 = R.Left, x1 = R.Left + wl;
        const int32_t headRows = LT.Y - C.Top;
        const int32_t tailRows = C.Bottom - LB.Y;
        MiddleV(stretch.Left, d, stretch.Left ? Rect(0, headRows, wl, hl - tailRows) : Rect(0, 0, wl, hl), s,
            Rect(x0, R.Top + LT.Y, x1, R.Top + LB.Y));
        if (headRows > 0)
            Copy(d, Rect(0, 0, wl, headRows), s, Rect(x0, R.Top + C.Top, x1, R.Top + LT.Y));
        if (tailRows > 0)
            Copy(d, Rect(0, hl - tailRows, wl, hl), s, Rect(x0, R.Top + LB.Y, x1, R.Top + C.Bottom));
    }

    const int32_t wr = W - C_.Right;
    if (wr >= 1 && hl >= 1 && RB.Y - RT.Y >= 1) {
        right.SetSize(wr, hl);
        TFBitmap d(right);
        const int32_t x0 = R.Left + C.Right, x1 = R.Right;
        const int32_t headRows = RT.Y - C.Top;
        const int32_t tailRows = C.Bottom - RB.Y;
        MiddleV(stretch.Right, d, stretch.Right ? Rect(0, headRows, wr, hl - tailRows) : Rect(0, 0, wr, hl),
            s, Rect(x0, R.Top + RT.Y, x1, R.Top + RB.Y));
        if (headRows > 0)
            Copy(d, Rect(0, 0, wr, headRows), s, Rect(x0, R.Top + C.Top, x1, R.Top + RT.Y));
        if (tailRows > 0)
            Copy(d, Rect(0, hl - tailRows, wr, hl), s, Rect(x0, R.Top + RB.Y, x1, R.Top + C.Bottom));
    }
}

void ComposeMaskBands(TFrameCut const& src, TFrameCut const& dstCut, int W, int bandHeight,
    gfx::TBitmap const& mask, TRect const& maskClient, gfx::TBitmap& top, gfx::TBitmap& bottom,
    gfx::TBitmap& left, gfx::TBitmap& right)
{
    auto const& LT = src.LT;
    auto const& RT = src.RT;
    auto const& LB = src.LB;
    auto const& RB = src.RB;
    auto const& MC = maskClient;
    const int32_t mw = mask.Width();
    const int32_t mh = mask.Height();
    const int32_t lw = MC.Left;
    const int32_t th = MC.Top;
    const int32_t rw = mw - MC.Right;
    const int32_t bh = mh - MC.Bottom;
    TFBitmap s(mask);

    auto start = [](gfx::TBitmap& band, int32_t w, int32_t h) {
        band.SetSize(w, h);
        band.Fill(base::clWhite);
    };

    if (lw >= 1 && bandHeight >= 1) {
        start(left, lw, bandHeight);
        TFBitmap d(left);
        TileV(d, 0, bandHeight, 0, lw, s, Rect(0, LT.Y, lw, LB.Y));
        if (LT.Y - MC.Top >= 1)
            Copy(d, Rect(0, 0, lw, LT.Y - MC.Top), s, Rect(0, MC.Top, lw, LT.Y));
        if (MC.Bottom - LB.Y >= 1)
            Copy(
                d, Rect(0, bandHeight - (MC.Bottom - LB.Y), lw, bandHeight), s, Rect(0, LB.Y, lw, MC.Bottom));
    }

    if (rw >= 1 && bandHeight >= 1) {
        start(right, rw, bandHeight);
        TFBitmap d(right);
        TileV(d, 0, bandHeight, 0, rw, s, Rect(MC.Right, RT.Y, mw, RB.Y));
        if (RT.Y - MC.Top >= 1)
            Copy(d, Rect(0, 0, rw, RT.Y - MC.Top), s, Rect(MC.Right, MC.Top, mw, RT.Y));
        if (MC.Bottom - RB.Y >= 1)
            Copy(d, Rect(0, bandHeight - (MC.Bottom - RB.Y), rw, bandHeight), s,
                Rect(MC.Right, RB.Y, mw, MC.Bottom));
    }

    if (W >= 1 && th >= 1) {
        start(top, W, th);
        TFBitmap d(top);
        TileH(d, dstCut.LT.X, dstCut.RT.X, 0, th, s, Rect(LT.X, 0, RT.X, th));
        Copy(d, Rect(0, 0, LT.X, th), s, Rect(0, 0, LT.X, th));
        Copy(d, Rect(dstCut.RT.X, 0, W, th), s, Rect(RT.X, 0, mw, th));
    }

    if (W >= 1 && bh >= 1) {
        start(bottom, W, bh);
        TFBitmap d(bottom);
        TileH(d, dstCut.LB.X, dstCut.RB.X, 0, bh, s, Rect(LB.X, MC.Bottom, RB.X, mh));
        Copy(d, Rect(0, 0, LB.X, bh), s, Rect(0, MC.Bottom, LB.X, mh));
        Copy(d, Rect(dstCut.RB.X, 0, W, bh), s, Rect(RB.X, MC.Bottom, mw, mh));
    }
}

} // namespace xe::skin
