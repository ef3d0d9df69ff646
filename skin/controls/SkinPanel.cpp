#include "skin/controls/SkinPanel.h"

#include "platform/graphics/Canvas.h"

namespace xe::skin {

using base::TRect;

TspSkinPanel::TspSkinPanel(tk::TComponent* owner)
    : TspSkinPanel(owner, "panel")
{
}

TspSkinPanel::TspSkinPanel(tk::TComponent* owner, std::string defaultSkinDataName)
    : TspSkinControl(owner, std::move(defaultSkinDataName))
{
    FControlStyle |= tk::csOpaque;
    SetBounds(0, 0, 185, 41);
}

TRect TspSkinPanel::CaptionArea() const
{
    auto const* look = LookAs<TspDataSkinPanelControl>();
    TRect const client = ClientRect();
    if (!look || base::IsRectEmpty(look->CaptionRect))
        return client;
    int const dw = client.Width() - look->SkinRect.Width();
    TRect const& c = look->CaptionRect;
    return base::Rect(c.Left, c.Top, c.Right + dw, c.Bottom);
}

bool TspSkinPanel::PaintSkin(gfx::TCanvas& canvas)
{
    auto const* look = LookAs<TspDataSkinPanelControl>();
    if (!look || !LookPicture())
        return false;
    TRect const client = ClientRect();
    gfx::TBitmap const* background = SkinPicture(look->BGPictureIndex);
    DrawLookRect(canvas, look->SkinRect, client, false, background == nullptr);
    if (background) {
        int const dw = client.Width() - look->SkinRect.Width(),
                  dh = client.Height() - look->SkinRect.Height();
        TRect const& c = look->ClientRect;
        TRect const area
            = base::IsRectEmpty(c) ? client : base::Rect(c.Left, c.Top, c.Right + dw, c.Bottom + dh);
        TilePicture(canvas, *background, area);
    }
    DrawText(canvas, Caption(), CaptionArea(),
        AlignmentFlags(look->Alignment) | gfx::DT_VCENTER | gfx::DT_SINGLELINE,
        LookFont(look->FontName, look->FontHeight, look->FontStyle, look->FontColor));
    return true;
}

void TspSkinPanel::PaintPlain(gfx::TCanvas& canvas)
{
    TRect const client = ClientRect();
    canvas.Brush.Style = gfx::bsSolid;
    canvas.Brush.Color = base::ColorToRGB(Color());
    canvas.FillRect(client);
    DrawEdge(canvas, client, false);
    DrawText(canvas, Caption(), client, gfx::DT_CENTER | gfx::DT_VCENTER | gfx::DT_SINGLELINE, Font());
}

TspSkinGroupBox::TspSkinGroupBox(tk::TComponent* owner)
    : TspSkinPanel(owner, "groupbox")
{
    SetBounds(0, 0, 185, 105);
}

void TspSkinGroupBox::PaintPlain(gfx::TCanvas& canvas)
{
    TRect const client = ClientRect();
    canvas.Brush.Style = gfx::bsSolid;
    canvas.Brush.Color = base::ColorToRGB(Color());
    canvas.FillRect(client);
    canvas.Font.Assign(Font());
    int const textHeight = canvas.TextHeight("0");
    TRect frame = client;
    frame.Top = textHeight / 2;
    // Etched: a shadow line with a light one inside it.
    base::TRect inner = base::Rect(frame.Left + 1, frame.Top + 1, frame.Right, frame.Bottom);
    DrawEdge(canvas, inner, false);
    DrawEdge(canvas, base::Rect(frame.Left, frame.Top, frame.Right - 1, frame.Bottom - 1), true);
    if (Caption().empty())
        return;
    TRect text = base::Rect(8, 0, 8 + canvas.TextWidth(Caption()) + 4, textHeight);
    canvas.FillRect(text);
    DrawText(canvas, Caption(), text, gfx::DT_CENTER | gfx::DT_SINGLELINE, Font());
}

} // namespace xe::skin
