#include "skin/controls/SkinStatusBar.h"

#include "platform/graphics/Canvas.h"
#include "platform/toolkit/Persistence.h"

#include <algorithm>

namespace xe::skin {

using base::TRect;

TspSkinStatusBar::TspSkinStatusBar(tk::TComponent* owner)
    : TspSkinPanel(owner, "statusbar")
{
    SetBounds(0, 0, 200, 21);
    SetAlign(tk::alBottom);
}

void TspSkinStatusBar::SetParent(tk::TWinControl* parent)
{
    TspSkinPanel::SetParent(parent);
    if (Parent() && Align() != tk::alNone)
        Parent()->AlignControls(true);
}

void TspSkinStatusBar::BoundsChanged(TRect const& oldBounds)
{
    TspSkinPanel::BoundsChanged(oldBounds);
    if (Parent() && Align() != tk::alNone)
        Parent()->AlignControls(true);
}

void TspSkinStatusBar::SetPanels(std::vector<TspStatusPanel> const& value)
{
    FPanels = value;
    Invalidate();
}

void TspSkinStatusBar::SetPanelText(int index, std::string const& text)
{
    if (index < 0 || index >= int(FPanels.size()))
        return;
    FPanels[size_t(index)].Text = text;
    Invalidate();
}

void TspSkinStatusBar::SetPanelSkinDataName(std::string const& value)
{
    FPanelSkinDataName = value;
    Invalidate();
}

std::vector<TRect> TspSkinStatusBar::PanelRects() const
{
    // Inside the bar's look client rectangle (at the bar's size), or the whole bar.
    TRect area = ClientRect();
    if (auto const* look = LookAs<TspDataSkinPanelControl>(); look && !base::IsRectEmpty(look->ClientRect)) {
        int const dw = area.Width() - look->SkinRect.Width(), dh = area.Height() - look->SkinRect.Height();
        TRect const& c = look->ClientRect;
        area = base::Rect(c.Left, c.Top, c.Right + dw, c.Bottom + dh);
    }
    std::vector<TRect> rects;
    int x = area.Left;
    for (size_t i = 0; i < FPanels.size(); ++i) {
        bool const last = i + 1 == FPanels.size();
        int right = last && FPanels[i].Width <= 0 ? area.Right : x + std::max(FPanels[i].Width, 0);
        right = std::min(right, area.Right);
        rects.push_back(base::Rect(x, area.Top, std::max(right, x), area.Bottom));
        x = std::max(right, x);
    }
    return rects;
}

bool TspSkinStatusBar::PaintSkin(gfx::TCanvas& canvas)
{
    if (!TspSkinPanel::PaintSkin(canvas))
        return false;
    auto const* section = LookByNameAs<TspDataSkinLabelControl>(FPanelSkinDataName);
    std::vector<TRect> const rects = PanelRects();
    for (size_t i = 0; i < rects.size(); ++i) {
        TRect const& r = rects[i];
        if (base::IsRectEmpty(r))
            continue;
        if (!section) {
            DrawText(canvas, FPanels[i].Text, r, gfx::DT_LEFT | gfx::DT_VCENTER | gfx::DT_SINGLELINE, Font());
            continue;
        }
        DrawLookRect(canvas, *section, section->SkinRect, r);
        int const dw = r.Width() - section->SkinRect.Width(), dh = r.Height() - section->SkinRect.Height();
        TRect const& c = section->ClientRect;
        TRect const text = base::IsRectEmpty(c)
            ? r
            : base::Rect(r.Left + c.Left, r.Top + c.Top, r.Left + c.Right + dw, r.Top + c.Bottom + dh);
        DrawText(canvas, FPanels[i].Text, text, gfx::DT_LEFT | gfx::DT_VCENTER | gfx::DT_SINGLELINE,
            LookFont(section->FontName, section->FontHeight, section->FontStyle, section->FontColor));
    }
    return true;
}

void TspSkinStatusBar::PaintPlain(gfx::TCanvas& canvas)
{
    TRect const client = ClientRect();
    canvas.Brush.Style = gfx::bsSolid;
    canvas.Brush.Color = base::ColorToRGB(Color());
    canvas.FillRect(client);
    if (FPanels.empty()) {
        DrawText(canvas, Caption(), base::Rect(2, 0, client.Right, client.Bottom),
            gfx::DT_LEFT | gfx::DT_VCENTER | gfx::DT_SINGLELINE, Font());
        return;
    }
    for (size_t i = 0; i < FPanels.size(); ++i) {
        TRect const r = PanelRects()[i];
        DrawEdge(canvas, base::Rect(r.Left, r.Top + 2, r.Right - 2, r.Bottom), true);
        DrawText(canvas, FPanels[i].Text, base::Rect(r.Left + 3, r.Top + 2, r.Right - 4, r.Bottom),
            gfx::DT_LEFT | gfx::DT_VCENTER | gfx::DT_SINGLELINE, Font());
    }
}

std::string TspSkinStatusBar::PanelsText() const
{
    std::string text;
    for (auto const& p : FPanels)
        text += std::to_string(p.Width) + "," + p.Text + "\r\n";
    return text;
}

void TspSkinStatusBar::SetPanelsText(std::string const& text)
{
    std::vector<TspStatusPanel> panels;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        pos = end + 1;
        size_t const comma = line.find(',');
        TspStatusPanel panel;
        if (comma != std::string::npos) {
            try {
                panel.Width = std::stoi(line.substr(0, comma));
            } catch (std::exception const&) {
                panel.Width = 0;
            }
            panel.Text = line.substr(comma + 1);
        } else {
            panel.Text = line;
        }
        panels.push_back(std::move(panel));
    }
    SetPanels(panels);
}

void TspSkinStatusBar::DefineProperties(tk::TProperties& p)
{
    TspSkinPanel::DefineProperties(p);
    p.String(
        "PanelSkinDataName", [this] { return FPanelSkinDataName; },
        [this](std::string const& v) { SetPanelSkinDataName(v); }, "statuspanel");
    p.String(
        "Panels", [this] { return PanelsText(); }, [this](std::string const& v) { SetPanelsText(v); });
}

} // namespace xe::skin
