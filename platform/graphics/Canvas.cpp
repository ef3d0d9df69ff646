#include "platform/graphics/Canvas.h"

// unfinished: placeholder bodies; the drawing code replaces them.

namespace xe::gfx {

using base::TColor;
using base::TPoint;
using base::TRect;

TCanvas::TCanvas(TBitmap& bitmap)
    : FBitmap(&bitmap)
{
}

int TCanvas::SetBkMode(int mode)
{
    int old = FBkMode;
    FBkMode = mode;
    return old;
}

void TCanvas::SetOrigin(TPoint origin) { FOrigin = origin; }
void TCanvas::SetViewportOrg(TPoint org) { FViewportOrg = org; }
void TCanvas::OffsetViewportOrg(int dx, int dy)
{
    FViewportOrg = { FViewportOrg.X + dx, FViewportOrg.Y + dy };
}
void TCanvas::SetClipRect(TRect const& deviceRect)
{
    FLimit = deviceRect;
    FHasLimit = true;
}
void TCanvas::ResetClipRect() { FHasLimit = false; }
int TCanvas::SelectClipRgn(TRegion const* deviceRegion)
{
    FHasClip = deviceRegion != nullptr;
    if (deviceRegion)
        FClip = *deviceRegion;
    return SIMPLEREGION;
}
int TCanvas::IntersectClipRect(TRect const&) { return SIMPLEREGION; }
int TCanvas::ExcludeClipRect(TRect const&) { return SIMPLEREGION; }
bool TCanvas::GetClipRgn(TRegion& deviceRegion) const
{
    deviceRegion = FClip;
    return FHasClip;
}
TRect TCanvas::ClipRect() const { return base::Rect(0, 0, Width(), Height()); }
bool TCanvas::PtVisible(int, int) const { return true; }
bool TCanvas::RectVisible(TRect const&) const { return true; }
int TCanvas::SaveDC() { return 0; }
bool TCanvas::RestoreDC(int) { return false; }
TColor TCanvas::Pixel(int x, int y) const { return FBitmap->Pixel(x, y); }
void TCanvas::SetPixel(int x, int y, TColor color) { FBitmap->SetPixel(x, y, color); }
void TCanvas::FillRect(TRect const&) { }
void TCanvas::FrameRect(TRect const&) { }
void TCanvas::Rectangle(int, int, int, int) { }
void TCanvas::RoundRect(int, int, int, int, int, int) { }
void TCanvas::Ellipse(int, int, int, int) { }
void TCanvas::Pie(int, int, int, int, int, int, int, int) { }
void TCanvas::Polygon(std::vector<TPoint> const&) { }
void TCanvas::MoveTo(int x, int y) { FPenPos = { x, y }; }
void TCanvas::LineTo(int x, int y) { FPenPos = { x, y }; }
void TCanvas::Polyline(std::vector<TPoint> const&) { }
void TCanvas::Draw(int, int, TBitmap const&) { }
void TCanvas::StretchDraw(TRect const&, TBitmap const&) { }
void TCanvas::CopyRect(TRect const&, TCanvas const&, TRect const&) { }
void TCanvas::TextOut(int, int, std::string_view) { }
void TCanvas::TextRect(TRect const&, int, int, std::string_view) { }
base::TSize TCanvas::TextExtent(std::string_view text) { return { int(text.size()) * 6, 13 }; }
TTextMetric TCanvas::TextMetrics() { return {}; }
int TCanvas::DrawText(std::string_view, TRect&, uint32_t) { return 0; }

TCanvasSaver::TCanvasSaver(TCanvas& canvas)
    : FCanvas(canvas)
    , FLevel(canvas.SaveDC())
{
}

TCanvasSaver::~TCanvasSaver() { FCanvas.RestoreDC(FLevel); }

bool BitBlt(TCanvas&, int, int, int, int, TCanvas const&, int, int, uint32_t) { return false; }
bool BitBlt(TCanvas&, int, int, int, int, TBitmap const&, int, int, uint32_t) { return false; }
bool StretchBlt(TCanvas&, int, int, int, int, TCanvas const&, int, int, int, int, uint32_t) { return false; }
bool StretchBlt(TCanvas&, int, int, int, int, TBitmap const&, int, int, int, int, uint32_t) { return false; }
bool PatBlt(TCanvas&, int, int, int, int, uint32_t) { return false; }

} // namespace xe::gfx
