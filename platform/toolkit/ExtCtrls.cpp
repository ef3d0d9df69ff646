#include "platform/toolkit/ExtCtrls.h"

#include "platform/graphics/Canvas.h"
#include "platform/windows/WinUser.h"

#include <algorithm>
#include <map>

namespace xe::tk {

// ---------------------------------------------------------------------------------------
// TPicture

gfx::TBitmap& TPicture::Edit()
{
    FModified = true;
    return FBitmap;
}

void TPicture::Assign(gfx::TBitmap const& bitmap)
{
    if (&bitmap != &FBitmap)
        FBitmap.Assign(bitmap);
    Changed();
}

void TPicture::Assign(TPicture const& picture)
{
    if (&picture == this)
        return;
    FBitmap.Assign(picture.FBitmap);
    FOriginal = picture.FOriginal;
    FModified = picture.FModified;
    if (OnChange)
        OnChange();
}

void TPicture::LoadFromData(TBinaryData const& data)
{
    if (data.Bytes.empty()) {
        Clear();
        return;
    }
    gfx::TBitmap bitmap;
    bitmap.LoadFromStream(data.Bytes);
    FBitmap = std::move(bitmap);
    FOriginal = data;
    FModified = false;
    if (OnChange)
        OnChange();
}

TBinaryData TPicture::Data() const
{
    if (FBitmap.Empty())
        return {};
    if (!FModified && !FOriginal.Bytes.empty())
        return FOriginal;
    return { FBitmap.SaveToBytes(), "" };
}

void TPicture::Clear()
{
    FBitmap = gfx::TBitmap();
    Changed();
}

void TPicture::Changed()
{
    FModified = true;
    FOriginal = {};
    if (OnChange)
        OnChange();
}

// ---------------------------------------------------------------------------------------
// TImage

TImage::TImage(TComponent* owner)
    : TGraphicControl(owner)
{
    FPicture.OnChange = [this] { PictureChanged(); };
    SetBounds(0, 0, 105, 105);
}

void TImage::SetAutoSize(bool value)
{
    FAutoSize = value;
    if (value)
        PictureChanged();
}

void TImage::SetStretch(bool value)
{
    if (value == FStretch)
        return;
    FStretch = value;
    PictureChanged();
}

void TImage::SetCenter(bool value)
{
    if (value == FCenter)
        return;
    FCenter = value;
    PictureChanged();
}

void TImage::SetTransparent(bool value)
{
    if (value == FTransparent)
        return;
    FTransparent = value;
    PictureChanged();
}

void TImage::PictureChanged()
{
    gfx::TBitmap const& bmp = FPicture.Bitmap();
    if (FAutoSize && !bmp.Empty())
        SetBounds(Left(), Top(), bmp.Width(), bmp.Height());
    // Opaque when the picture covers the whole control without holes.
    bool covers = !bmp.Empty() && (FStretch || (bmp.Width() >= Width() && bmp.Height() >= Height()));
    SetOpaque(covers && !FTransparent);
    Invalidate();
}

TRect TImage::DestRect() const
{
    gfx::TBitmap const& bmp = FPicture.Bitmap();
    if (FStretch)
        return ClientRect();
    int w = bmp.Width();
    int h = bmp.Height();
    if (FCenter)
        return base::Bounds((Width() - w) / 2, (Height() - h) / 2, w, h);
    return base::Bounds(0, 0, w, h);
}

void TImage::Paint()
{
    gfx::TCanvas& canvas = Canvas();
    if (IsDesigning()) {
        gfx::TCanvasSaver saver(canvas);
        canvas.Brush.Color = base::clBlack;
        canvas.FrameRect(ClientRect());
    }
    gfx::TBitmap const& bmp = FPicture.Bitmap();
    if (bmp.Empty())
        return;
    if (FTransparent && !bmp.Transparent()) {
        gfx::TBitmap copy(bmp);
        copy.SetTransparent(true);
        if (FStretch)
            canvas.StretchDraw(DestRect(), copy);
        else
            canvas.Draw(DestRect().Left, DestRect().Top, copy);
        return;
    }
    if (FStretch)
        canvas.StretchDraw(DestRect(), bmp);
    else
        canvas.Draw(DestRect().Left, DestRect().Top, bmp);
}

void TImage::DefineProperties(TProperties& p)
{
    TControl::DefineProperties(p);
    p.Boolean(
        "AutoSize", [this] { return FAutoSize; }, [this](bool v) { SetAutoSize(v); });
    p.Boolean(
        "Center", [this] { return FCenter; }, [this](bool v) { SetCenter(v); });
    p.Binary(
        "Picture", [this] { return FPicture.Data(); },
        [this](TBinaryData const& v) { FPicture.LoadFromData(v); });
    p.Boolean(
        "Stretch", [this] { return FStretch; }, [this](bool v) { SetStretch(v); });
    p.Boolean(
        "Transparent", [this] { return FTransparent; }, [this](bool v) { SetTransparent(v); });
}

// ---------------------------------------------------------------------------------------
// TTimer

namespace {
// Running timers by their window-system id, for the timer procedure to find them.
std::map<win::UINT_PTR, TTimer*>& RunningTimers()
{
    static std::map<win::UINT_PTR, TTimer*> timers;
    return timers;
}
}

TTimer::TTimer(TComponent* owner)
    : TComponent(owner)
{
    UpdateTimer();
}

TTimer::~TTimer()
{
    FEnabled = false;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned value)
{
    if (value == FInterval)
        return;
    FInterval = value;
    UpdateTimer();
}

void TTimer::SetEnabled(bool value)
{
    if (value == FEnabled)
        return;
    FEnabled = value;
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    if (FId) {
        if (win::WindowSystemRunning())
            win::KillTimer(nullptr, FId);
        RunningTimers().erase(FId);
        FId = 0;
    }
    if (FEnabled && FInterval > 0 && !IsDesigning()) {
        FId = win::SetTimer(nullptr, 0, FInterval, &TTimer::TimerProc);
        if (FId)
            RunningTimers()[FId] = this;
    }
}

void TTimer::TimerProc(win::HWND, win::UINT, win::UINT_PTR id, win::DWORD)
{
    auto it = RunningTimers().find(id);
    if (it != RunningTimers().end())
        it->second->Timer();
}

void TTimer::Timer()
{
    if (OnTimer)
        OnTimer(this);
}

void TTimer::DefineProperties(TProperties& p)
{
    TComponent::DefineProperties(p);
    p.Boolean(
        "Enabled", [this] { return FEnabled; }, [this](bool v) { SetEnabled(v); }, true);
    p.Integer(
        "Interval", [this] { return int64_t(FInterval); },
        [this](int64_t v) { SetInterval(unsigned(std::max<int64_t>(0, v))); }, 1000);
}

} // namespace xe::tk
