#pragma once

#include "platform/base/Geometry.h"

namespace xe::gfx {
class TBitmap;
}

namespace xe::skin {

// How a frame picture is cut. R is the part of the skin picture that holds the whole frame;
// the points and the client rectangle C are relative to R's top-left corner:
//
//   0        LT.X          RT.X      R.width
//   +---------+-------------+---------+ 0
//   | corner  | top middle  | corner  |
//   +----+----+-------------+----+----+ C.Top
//   |    |                       |    |
//   +----+ LT.Y             RT.Y +----+
//   |left|        client C       |rght|
//   |mid |                       |mid |
//   +----+ LB.Y             RB.Y +----+
//   |    |                       |    |
//   +----+----+-------------+----+----+ C.Bottom
//   | corner  | bottom mid  | corner  |
//   +---------+-------------+---------+ R.height
//   0   C.Left LB.X        RB.X C.Right
//
// Corner pieces keep their size; band middles are tiled (or stretched) to the new size and
// the client is tiled over the new client rectangle. The same structure, with the points
// and client rectangle of the result, describes where the pieces go.
struct TFrameCut {
    base::TPoint LT; // end of the top-left corner along the top band / down the left band
    base::TPoint RT; // start of the top-right corner along the top band / its end down the right band
    base::TPoint LB; // end of the bottom-left corner along the bottom band / its start up the left band
    base::TPoint RB; // start of the bottom-right corner along the bottom band / up the right band
    base::TRect C; // client rectangle
};

// Which band middles are stretched rather than tiled.
struct TStretchFlags {
    bool Left = false;
    bool Top = false;
    bool Right = false;
    bool Bottom = false;
};

// Whether r is a non-empty rectangle lying wholly within picture: a look's piece that can be
// cut from it.
bool PictureHolds(gfx::TBitmap const& picture, base::TRect const& r);

// Builds the W x H frame image in dst from the frame held by R of picture. Later pieces draw
// over earlier ones: band middles, then the eight corner pieces, then (when drawClient) the
// client tiled over the result's client rectangle. When RB.X = LT.X, RB.Y = LT.Y or the picture
// is empty, dst only gets its new size.
void ComposeFrameImage(TFrameCut const& src, TFrameCut const& dstCut, gfx::TBitmap& dst,
    gfx::TBitmap const& picture, base::TRect const& R, int W, int H, bool drawClient, TStretchFlags stretch);

// ComposeFrameImage with every middle tiled.
void ComposeTiledFrameImage(TFrameCut const& src, TFrameCut const& dstCut, gfx::TBitmap& dst,
    gfx::TBitmap const& picture, base::TRect const& R, int W, int H, bool drawClient);

// A strip W wide and R's height: the left a and right b columns of R copied to the ends, the
// middle tiled between them.
void ComposeHorzStrip(
    int a, int b, gfx::TBitmap& dst, int W, base::TRect const& R, gfx::TBitmap const& picture);
// The vertical twin: R's width wide and H high, the top a and bottom b rows at the ends.
void ComposeVertStrip(
    int a, int b, gfx::TBitmap& dst, int H, base::TRect const& R, gfx::TBitmap const& picture);

// The frame as four separate bands around the client area: top and bottom W wide, left and
// right covering the client's rows only. A band whose sizes or middle are empty is left as
// it was.
void ComposeFrameBands(TFrameCut const& src, TFrameCut const& dstCut, TStretchFlags stretch, int W, int H,
    base::TRect const& R, gfx::TBitmap const& picture, gfx::TBitmap& top, gfx::TBitmap& bottom,
    gfx::TBitmap& left, gfx::TBitmap& right);

// The four bands cut from a mask picture (always tiled). maskClient gives the band
// thicknesses: left = its Left, top = its Top, right = mask width - its Right, bottom = mask
// height - its Bottom. The top and bottom bands are W wide, the left and right ones
// bandHeight high. Each band is built only when both its sizes are at least 1; it starts
// white (outside the shape) so that a piece the geometry does not reach adds nothing to it.
void ComposeMaskBands(TFrameCut const& src, TFrameCut const& dstCut, int W, int bandHeight,
    gfx::TBitmap const& mask, base::TRect const& maskClient, gfx::TBitmap& top, gfx::TBitmap& bottom,
    gfx::TBitmap& left, gfx::TBitmap& right);

} // namespace xe::skin
