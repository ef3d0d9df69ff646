#include "skin/controls/SkinGauge.h"

#include "platform/graphics/Canvas.h"
#include "platform/toolkit/Persistence.h"

#include <algorithm>

namespace xe::skin {

using base::TRect;

TspSkinGauge::TspSkinGauge(tk::TComponent* owner)
    : TspSkinControl(owner, "gauge")
{
    FControlStyle |= tk::csOpaque;
    SetBounds(0, 0, 100, 20);
}

void TspSkinGauge::SetMinValue(int value)
{
    FMinValue = value;
    FMaxValue = std::max(FMaxValue, value);
    SetValue(FValue);
    Invalidate();
}

void TspSkinGauge::SetMaxValue(int value)
{
    FMaxValue = value;
    FMinValue = std::min(FMinValue, value);
    SetValue(FValue);
    Invalidate();
}

void TspSkinGauge::SetValue(int value)
{
    value = std::clamp(value, FMinValue, FMaxValue);
    if (value == FValue)
        return;
    FValue = value;
    Invalidate();
}

void TspSkinGauge::SetVertical(bool value)
{
    if (value == FVertical)
        return;
    FVertical = value;
    if (SkinDataName() == "gauge" || SkinDataName() == "vgauge")
        SetSkinDataName(value ? "vgauge" : "gauge");
    Invalidate();
}

void TspSkinGauge::SetShowProgressText(bool value)
{
    FShowProgressText = value;
    Invalidate();
}

int TspSkinGauge::Percent() const
{
    if (FMaxValue <= FMinValue)
        return 0;
    return int(int64_t(FValue - FMinValue) * 100 / (int64_t(FMaxValue) - FMinValue));
}

bool TspSkinGauge::BarVertical() const
{
    auto const* look = LookAs<TspDataSkinGaugeControl>();
    return look ? look->Vertical : FVertical;
}

TRect TspSkinGauge::ProgressArea() const
{
    TRect const client = ClientRect();
    auto const* look = LookAs<TspDataSkinGaugeControl>();
    if (!look)
        return base::Rect(2, 2, client.Right - 2, client.Bottom - 2);
    if (base::IsRectEmpty(look->ProgressArea))
        return client;
    int const dw = client.Width() - look->SkinRect.Width(), dh = client.Height() - look->SkinRect.Height();
    TRect const& a = look->ProgressArea;
    return base::Rect(a.Left, a.Top, a.Right + dw, a.Bottom + dh);
}

TRect TspSkinGauge::BarRect() const
{
    TRect const area = ProgressArea();
    if (FMaxValue <= FMinValue)
        return base::Rect(area.Left, area.Top, area.Left, area.Top);
    auto part = [&](int extent) {
        return int(int64_t(extent) * (int64_t(FValue) - FMinValue) / (int64_t(FMaxValue) - FMinValue));
    };
    if (BarVertical())
        return base::Rect(area.Left, area.Bottom - part(area.Height()), area.Right, area.Bottom);
    return base::Rect(area.Left, area.Top, area.Left + part(area.Width()), area.Bottom);
}

bool TspSkinGauge::PaintSkin(gfx::TCanvas& canvas)
{
    auto const* look = LookAs<TspDataSkinGaugeControl>();
    gfx::TBitmap const* picture = LookPicture();
    if (!look || !picture)
        return false;
    DrawLookRect(canvas, look->SkinRect, ClientRect());
    TRect const bar = BarRect();
    if (!base::IsRectEmpty(bar) && !base::IsRectEmpty(look->ProgressRect)) {
        gfx::TBitmap strip;
        if (look->Vertical)
            ComposeVertStrip(
                look->BeginOffset, look->EndOffset, strip, bar.Height(), look->ProgressRect, *picture);
        else
            ComposeHorzStrip(
                look->BeginOffset, look->EndOffset, strip, bar.Width(), look->ProgressRect, *picture);
        if (strip.Width() == bar.Width() && strip.Height() == bar.Height())
            canvas.Draw(bar.Left, bar.Top, strip);
        else
            canvas.StretchDraw(bar, strip);
    }
    if (FShowProgressText)
        DrawText(canvas, std::to_string(Percent()) + "%", ClientRect(),
            gfx::DT_CENTER | gfx::DT_VCENTER | gfx::DT_SINGLELINE,
            LookFont(look->FontName, look->FontHeight, look->FontStyle, look->FontColor));
    return true;
}

void TspSkinGauge::PaintPlain(gfx::TCanvas& canvas)
{
    TRect const client = ClientRect();
    canvas.Brush.Style = gfx::bsSolid;
    canvas.Brush.Color = base::ColorToRGB(Color());
    canvas.FillRect(client);
    DrawEdge(canvas, client, true);
    canvas.Brush.Color = base::ColorToRGB(base::clHighlight);
    canvas.FillRect(BarRect());
    if (FShowProgressText)
        DrawText(canvas, std::to_string(Percent()) + "%", client,
            gfx::DT_CENTER | gfx::DT_VCENTER | gfx::DT_SINGLELINE, Font());
}

void TspSkinGauge::DefineProperties(tk::TProperties& p)
{
    TspSkinControl::DefineProperties(p);
    // Vertical switches between the two default look names only, so a stored look name
    // read before it stays.
    p.Boolean(
        "Vertical", [this] { return FVertical; }, [this](bool v) { SetVertical(v); });
    p.Integer(
        "MinValue", [this] { return FMinValue; }, [this](int64_t v) { SetMinValue(int(v)); });
    p.Integer(
        "MaxValue", [this] { return FMaxValue; }, [this](int64_t v) { SetMaxValue(int(v)); }, 100);
    p.Integer(
        "Value", [this] { return FValue; }, [this](int64_t v) { SetValue(int(v)); });
    p.Boolean(
        "ShowProgressText", [this] { return FShowProgressText; }, [this](bool v) { SetShowProgressText(v); });
}

} // namespace xe::skin
