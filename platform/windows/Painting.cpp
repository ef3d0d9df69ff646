#include <algorithm>
#include <optional>
#include <utility>

#include "platform/graphics/Canvas.h"
#include "platform/graphics/Png.h"
#include "platform/windows/WinUser.h"
#include "platform/windows/WindowSystem.h"

namespace xe::win {

namespace {

constexpr base::TColor DesktopColor = base::RGB(58, 110, 165);

TRect ClientSize(TWindow const& w)
{
    return { 0, 0, std::max(0, w.Client.Width()), std::max(0, w.Client.Height()) };
}

} // namespace

void TWindowSystem::InvalidateAll(TWindow& w, bool erase, bool frame)
{
    TRect client = ClientSize(w);
    if (!base::IsRectEmpty(client))
        w.Update = gfx::TRegion(client);
    if (erase)
        w.Erase = true;
    if (frame)
        w.NcPaint = true;
}

bool TWindowSystem::NeedsPaint(TWindow const& w) const
{
    return w.NcPaint || !w.NcUpdate.Empty() || w.InternalPaint || !w.Update.Empty();
}

void TWindowSystem::InvalidateFrame(TWindow& w, gfx::TRegion const& windowArea)
{
    if (w.NcPaint)
        return;
    gfx::TRegion frame = gfx::TRegion(TRect { 0, 0, w.Bounds.Width(), w.Bounds.Height() })
                             .Subtract(gfx::TRegion(w.Client))
                             .Intersect(windowArea);
    w.NcUpdate = w.NcUpdate.Union(frame);
}

void TWindowSystem::SendNcPaint(HWND hwnd)
{
    TWindow* w = Get(hwnd);
    if (!w || (!w->NcPaint && w->NcUpdate.Empty()))
        return;
    bool whole = w->NcPaint;
    gfx::TRegion region = std::exchange(w->NcUpdate, gfx::TRegion());
    w->NcPaint = false;
    if (whole) {
        SendMessage(hwnd, WM_NCPAINT, NCPAINT_WHOLEFRAME, 0);
        return;
    }
    // The procedure gets the region in screen coordinates, as it would get a system region.
    region.Offset(w->Bounds.Left, w->Bounds.Top);
    SendMessage(hwnd, WM_NCPAINT, reinterpret_cast<WPARAM>(&region), 0);
}

gfx::TRegion TWindowSystem::ScreenArea(TWindow const& w) const
{
    gfx::TRegion area
        = w.Region ? *w.Region : gfx::TRegion(TRect { 0, 0, w.Bounds.Width(), w.Bounds.Height() });
    area = area.Intersect(gfx::TRegion(TRect { 0, 0, w.Bounds.Width(), w.Bounds.Height() }));
    area.Offset(w.Bounds.Left, w.Bounds.Top);
    return area;
}

void TWindowSystem::Uncover(HWND above, gfx::TRegion const& lost)
{
    // Each window keeps its own pixels, so nothing needs repainting for the screen's sake;
    // but a frame drawn by its window procedure (a skin that lights parts of it, a rolled-up
    // form) learns of the uncovering as it would from the platform's own window manager:
    // by WM_SYNCPAINT, whose default handling repaints the frame that came to light.
    auto it = std::find(FZOrder.begin(), FZOrder.end(), above);
    if (it == FZOrder.end() || lost.Empty())
        return;
    gfx::TRegion shown = lost;
    for (++it; it != FZOrder.end() && !shown.Empty(); ++it) {
        TWindow* w = Get(*it);
        if (!w || !w->Showing())
            continue;
        gfx::TRegion area = ScreenArea(*w);
        gfx::TRegion part = shown.Intersect(area);
        shown = shown.Subtract(area);
        if (part.Empty())
            continue;
        part.Offset(-w->Bounds.Left, -w->Bounds.Top);
        if (part.Subtract(gfx::TRegion(w->Client)).Empty())
            continue; // only the client area came to light: its pixels are kept
        InvalidateFrame(*w, part);
        w->SyncPaint = true;
    }
}

void TWindowSystem::SendSyncPaints()
{
    std::vector<HWND> order = FZOrder;
    for (HWND h : order)
        if (TWindow* w = Get(h); w && std::exchange(w->SyncPaint, false) && w->Showing())
            SendMessage(h, WM_SYNCPAINT, 0, 0);
}

void TWindowSystem::PaintNow(HWND hwnd)
{
    TWindow* w = Get(hwnd);
    if (!w || !w->Showing())
        return;
    if (w->Update.Empty() && !w->InternalPaint) {
        SendNcPaint(hwnd);
        return;
    }
    if (!NeedsPaint(*w))
        return;
    MSG msg { hwnd, WM_PAINT, 0, 0, DWORD(FBackend->Now()), CursorPos };
    Dispatch(&msg);
}

void TWindowSystem::MarkDirty(TWindow& w, TRect const& windowRect)
{
    TRect r;
    if (!base::IntersectRect(r, windowRect, { 0, 0, w.Bounds.Width(), w.Bounds.Height() }))
        return;
    TRect u;
    base::UnionRect(u, w.Dirty, r);
    w.Dirty = u;
}

void TWindowSystem::FlushPresent()
{
    for (HWND h : FZOrder) {
        TWindow* w = Get(h);
        if (!w || base::IsRectEmpty(w->Dirty))
            continue;
        TRect changed = w->Dirty;
        w->Dirty = {};
        if (w->Showing())
            FBackend->Present(h, w->Surface, changed);
    }
}

HDC TWindowSystem::MakeDC(HWND hwnd, bool wholeWindow, gfx::TRegion const* clip)
{
    std::shared_ptr<TWindow> w = Find(hwnd);
    if (!w)
        return nullptr;
    auto canvas = std::make_unique<gfx::TCanvas>(w->Surface);
    TRect area = wholeWindow ? TRect { 0, 0, w->Bounds.Width(), w->Bounds.Height() } : w->Client;
    canvas->SetOrigin(area.TopLeft());
    canvas->SetClipRect({ 0, 0, area.Width(), area.Height() });
    if (clip)
        canvas->SelectClipRgn(clip);
    HDC dc = canvas.get();
    FDcs[dc] = TDc { w, std::move(canvas), area };
    return dc;
}

bool TWindowSystem::FreeDC(HDC dc)
{
    auto it = FDcs.find(dc);
    if (it == FDcs.end())
        return false;
    TDc record = std::move(it->second);
    FDcs.erase(it);
    // The backend is told that whatever the canvas could reach may have changed.
    if (Get(record.Window->Handle) == record.Window.get())
        MarkDirty(*record.Window, record.Area);
    return true;
}

void TWindowSystem::DefaultEraseBackground(HWND hwnd, HDC dc)
{
    TWindow* w = Get(hwnd);
    if (!w || !dc)
        return;
    dc->Brush.Color = base::clBtnFace;
    dc->Brush.Style = gfx::bsSolid;
    dc->FillRect(ClientSize(*w));
}

void TWindowSystem::DefaultNcPaint(HWND hwnd, HRGN region)
{
    TWindow* w = Get(hwnd);
    if (!w || base::EqualRect(w->Client, { 0, 0, w->Bounds.Width(), w->Bounds.Height() }))
        return;
    // A plain frame: the border in the face colour, the caption band in the caption colour;
    // within the given region (screen coordinates) only, when there is one.
    std::optional<gfx::TRegion> clip;
    if (region) {
        clip = *region;
        clip->Offset(-w->Bounds.Left, -w->Bounds.Top);
    }
    HDC dc = MakeDC(hwnd, true, clip ? &*clip : nullptr);
    dc->ExcludeClipRect(w->Client);
    dc->Brush.Color = base::clBtnFace;
    dc->FillRect({ 0, 0, w->Bounds.Width(), w->Bounds.Height() });
    if ((w->Style & WS_CAPTION) == WS_CAPTION) {
        int b = (w->Style & WS_THICKFRAME) ? GetSystemMetrics(SM_CXFRAME) : GetSystemMetrics(SM_CXDLGFRAME);
        dc->Brush.Color = Active == hwnd ? base::clActiveCaption : base::clInactiveCaption;
        dc->FillRect({ b, b, w->Bounds.Width() - b, b + GetSystemMetrics(SM_CYCAPTION) - 1 });
    }
    FreeDC(dc);
}

// --- free functions -----------------------------------------------------------------------------

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase)
{
    TWindowSystem& ws = WS();
    TWindow* w = ws.Get(hwnd);
    if (!w)
        return FALSE;
    TRect r = ClientSize(*w);
    if (rect && !base::IntersectRect(r, *rect, ClientSize(*w)))
        return TRUE;
    if (base::IsRectEmpty(r))
        return TRUE;
    w->Update = w->Update.Union(gfx::TRegion(r));
    if (erase)
        w->Erase = true;
    return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect)
{
    TWindow* w = WS().Get(hwnd);
    if (!w)
        return FALSE;
    if (!rect) {
        w->Update = gfx::TRegion();
        w->Erase = false;
        w->InternalPaint = false;
    } else {
        w->Update = w->Update.Subtract(gfx::TRegion(*rect));
        if (w->Update.Empty())
            w->Erase = false;
    }
    return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL)
{
    TWindow* w = WS().Get(hwnd);
    if (!w)
        return FALSE;
    if (rect)
        *rect = w->Update.Box();
    return !w->Update.Empty();
}

BOOL UpdateWindow(HWND hwnd)
{
    if (!WS().Get(hwnd))
        return FALSE;
    WS().PaintNow(hwnd);
    return TRUE;
}

BOOL RedrawWindow(HWND hwnd, const RECT* rect, gfx::TRegion const* region, UINT flags)
{
    TWindowSystem& ws = WS();
    std::shared_ptr<TWindow> w = ws.Find(hwnd);
    if (!w)
        return FALSE;
    gfx::TRegion area = region ? *region : rect ? gfx::TRegion(*rect) : gfx::TRegion(ClientSize(*w));
    // With RDW_FRAME the part of the frame the area reaches (client coordinates may go
    // beyond the client area) is invalidated too; with no area the whole frame is.
    gfx::TRegion frameArea = area;
    frameArea.Offset(w->Client.Left, w->Client.Top);
    area = area.Intersect(gfx::TRegion(ClientSize(*w)));
    if (flags & RDW_INVALIDATE) {
        w->Update = w->Update.Union(area);
        if (flags & RDW_ERASE)
            w->Erase = true;
        if (flags & RDW_FRAME) {
            if (region || rect)
                ws.InvalidateFrame(*w, frameArea);
            else
                w->NcPaint = true;
        }
    }
    if (flags & RDW_INTERNALPAINT)
        w->InternalPaint = true;
    if (flags & RDW_VALIDATE) {
        w->Update = w->Update.Subtract(area);
        if (flags & RDW_NOERASE)
            w->Erase = false;
        if (flags & RDW_NOFRAME) {
            w->NcPaint = false;
            w->NcUpdate = gfx::TRegion();
        }
        if (flags & RDW_NOINTERNALPAINT)
            w->InternalPaint = false;
    }
    if (flags & RDW_UPDATENOW) {
        ws.PaintNow(hwnd);
    } else if ((flags & RDW_ERASENOW) && w->Showing()) {
        ws.SendNcPaint(hwnd);
        if (ws.Get(hwnd) && w->Erase && !w->Update.Empty()) {
            w->Erase = false;
            HDC dc = ws.MakeDC(hwnd, false, &w->Update);
            SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
            ws.FreeDC(dc);
        }
    }
    return TRUE;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint)
{
    TWindowSystem& ws = WS();
    std::shared_ptr<TWindow> w = ws.Find(hwnd);
    if (!w || !paint)
        return nullptr;
    if (w->NcPaint || !w->NcUpdate.Empty()) {
        ws.SendNcPaint(hwnd);
        if (!ws.Get(hwnd))
            return nullptr;
    }
    gfx::TRegion update = w->Update;
    bool erase = w->Erase;
    w->Update = gfx::TRegion();
    w->Erase = false;
    w->InternalPaint = false;
    paint->rcPaint = update.Box();
    paint->hdc = ws.MakeDC(hwnd, false, &update);
    paint->fErase = FALSE;
    if (erase)
        paint->fErase
            = SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(paint->hdc), 0) ? FALSE : TRUE;
    return paint->hdc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT* paint)
{
    if (!paint || !paint->hdc)
        return FALSE;
    return WS().FreeDC(paint->hdc);
}

HDC GetDC(HWND hwnd) { return WS().MakeDC(hwnd, false, nullptr); }

HDC GetWindowDC(HWND hwnd) { return WS().MakeDC(hwnd, true, nullptr); }

int ReleaseDC(HWND, HDC dc) { return WS().FreeDC(dc) ? 1 : 0; }

gfx::TBitmap const* GetWindowSurface(HWND hwnd)
{
    TWindow* w = WS().Get(hwnd);
    return w ? &w->Surface : nullptr;
}

gfx::TBitmap CaptureWindow(HWND hwnd)
{
    TWindow* w = WS().Get(hwnd);
    return w ? w->Surface : gfx::TBitmap();
}

gfx::TBitmap CaptureScreen()
{
    TWindowSystem& ws = WS();
    ws.FlushPresent();
    std::vector<TMonitor> monitors = ws.Backend().Monitors();
    TRect screen;
    for (TMonitor const& m : monitors) {
        TRect u;
        base::UnionRect(u, screen, m.Bounds);
        screen = u;
    }
    gfx::TBitmap shot(screen.Width(), screen.Height());
    shot.Fill(DesktopColor);
    std::vector<HWND> const& z = ws.ZOrder();
    for (auto it = z.rbegin(); it != z.rend(); ++it) {
        TWindow* w = ws.Get(*it);
        if (!w || !w->Showing())
            continue;
        int alpha = w->EffectiveAlpha();
        for (int y = 0; y < w->Surface.Height(); ++y) {
            int sy = w->Bounds.Top + y - screen.Top;
            if (sy < 0 || sy >= shot.Height())
                continue;
            uint8_t const* src = w->Surface.ScanLine(y);
            uint8_t* dst = shot.ScanLine(sy);
            for (int x = 0; x < w->Surface.Width(); ++x) {
                int sx = w->Bounds.Left + x - screen.Left;
                if (sx < 0 || sx >= shot.Width())
                    continue;
                if (w->Region && !w->Region->Contains(x, y))
                    continue;
                for (int c = 0; c < 3; ++c) {
                    int s = src[x * 3 + c];
                    int d = dst[sx * 3 + c];
                    dst[sx * 3 + c] = uint8_t(alpha == 255 ? s : (s * alpha + d * (255 - alpha) + 127) / 255);
                }
            }
        }
    }
    return shot;
}

void SaveWindowScreenshot(HWND hwnd, std::string const& path)
{
    gfx::SavePngToFile(CaptureWindow(hwnd), path);
}

void SaveScreenScreenshot(std::string const& path) { gfx::SavePngToFile(CaptureScreen(), path); }

} // namespace xe::win
