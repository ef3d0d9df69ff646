#include "platform/toolkit/ExtCtrls.h"

#include "platform/graphics/Canvas.h"

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
    if (covers && !FTransparent)
        FControlStyle |= csOpaque;
    else
        FControlStyle &= ~csOpaque;
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

} // namespace xe::tk
