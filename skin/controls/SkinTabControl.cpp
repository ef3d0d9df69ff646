#include "skin/controls/SkinTabControl.h"

#include "platform/graphics/Canvas.h"
#include "platform/toolkit/Persistence.h"
#include "skin/controls/SkinControlLines.h"
#include "skin/draw/FrameImage.h"

#include <algorithm>

namespace xe::skin {

using base::Rect;
using base::TPoint;
using base::TRect;

namespace {
// The page frame's cut: unset corner points take the client rectangle's corners.
TFrameCut PageCut(TspDataSkinTabControl const& look)
{
    TRect const& c = look.ClientRect;
    auto point = [](TPoint p, int x, int y) { return p.X == 0 || p.Y == 0 ? TPoint { x, y } : p; };
    return TFrameCut { point(look.LTPoint, c.Left, c.Top), point(look.RTPoint, c.Right, c.Top),
        point(look.LBPoint, c.Left, c.Bottom), point(look.RBPoint, c.Right, c.Bottom), c };
}

// Space around a tab's text.
constexpr int TextPadding = 8;
}

TspSkinTabControl::TspSkinTabControl(tk::TComponent* owner)
    : TspSkinControl(owner, "tab")
{
    FControlStyle |= tk::csFocusable;
    SetTabStop(true);
    SetBounds(0, 0, 200, 120);
}

void TspSkinTabControl::SetTabs(std::vector<std::string> tabs)
{
    FTabs = std::move(tabs);
    if (FTabIndex >= int(FTabs.size()))
        FTabIndex = FTabs.empty() ? -1 : 0;
    if (FTabIndex < 0 && !FTabs.empty())
        FTabIndex = 0;
    FHotIndex = -1;
    Invalidate();
}

void TspSkinTabControl::SetTabIndex(int value)
{
    if (value < -1 || value >= int(FTabs.size()))
        return;
    if (value == FTabIndex)
        return;
    FTabIndex = value;
    Invalidate();
}

int TspSkinTabControl::TabHeight() const
{
    auto* look = LookAs<TspDataSkinTabControl>();
    if (look && LookPicture() && !base::IsRectEmpty(look->TabRect))
        return look->TabRect.Height();
    return PlainTabHeight;
}

int TspSkinTabControl::TabWidth(int index) const
{
    auto* look = LookAs<TspDataSkinTabControl>();
    gfx::TBitmap measure(1, 1);
    gfx::TCanvas& canvas = measure.Canvas();
    int ends = 0, least = 0;
    if (look && LookPicture() && !base::IsRectEmpty(look->TabRect)) {
        canvas.Font.Assign(LookFont(look->FontName, look->FontHeight, look->FontStyle, look->FontColor));
        ends = look->TabLeftOffset + look->TabRightOffset;
        least = look->TabRect.Width();
    } else {
        canvas.Font.Assign(Font());
    }
    return std::max(least, canvas.TextWidth(FTabs[size_t(index)]) + ends + TextPadding);
}

TRect TspSkinTabControl::TabRect(int index) const
{
    if (index < 0 || index >= int(FTabs.size()))
        return TRect {};
    int x = 0;
    for (int i = 0; i < index; ++i)
        x += TabWidth(i);
    return Rect(x, 0, x + TabWidth(index), TabHeight());
}

int TspSkinTabControl::TabAtPos(TPoint p) const
{
    for (int i = 0; i < int(FTabs.size()); ++i)
        if (base::PtInRect(TabRect(i), p))
            return i;
    return -1;
}

TRect TspSkinTabControl::DisplayRect() const
{
    int const top = TabHeight();
    auto* look = LookAs<TspDataSkinTabControl>();
    TRect in = Rect(2, 2, 2, 2);
    if (look && LookPicture() && !base::IsRectEmpty(look->ClientRect)) {
        TRect const& s = look->SkinRect;
        TRect const& c = look->ClientRect;
        in = Rect(c.Left, c.Top, s.Width() - c.Right, s.Height() - c.Bottom);
    }
    TRect r = Rect(in.Left, top + in.Top, Width() - in.Right, Height() - in.Bottom);
    r.Right = std::max(r.Right, r.Left);
    r.Bottom = std::max(r.Bottom, r.Top);
    return r;
}

// ---------------------------------------------------------------------------------------
// Painting

bool TspSkinTabControl::PaintSkin(gfx::TCanvas& canvas)
{
    auto* look = LookAs<TspDataSkinTabControl>();
    gfx::TBitmap const* picture = LookPicture();
    if (!look || !picture || !PictureHolds(*picture, look->SkinRect))
        return false;
    int const th = TabHeight();
    // The band behind the tabs, then the page.
    if (PictureHolds(*picture, look->TabsBGRect)) {
        gfx::TBitmap strip;
        ComposeHorzStrip(0, 0, strip, Width(), look->TabsBGRect, *picture);
        canvas.StretchDraw(Rect(0, 0, Width(), th), strip);
    }
    DrawSkinRect(canvas, *picture, look->SkinRect, PageCut(*look), Rect(0, th, Width(), Height()), false,
        true, LookMask());
    canvas.SetBkMode(gfx::TRANSPARENT);
    for (int i = 0; i < int(FTabs.size()); ++i) {
        TRect const r = TabRect(i);
        if (r.Left >= Width())
            break;
        TRect src = look->TabRect;
        base::TColor color = look->FontColor;
        if (i == FTabIndex && Focused()) {
            src = FirstNonEmpty({ look->FocusTabRect, look->ActiveTabRect, look->TabRect });
            color = look->FocusFontColor;
        } else if (i == FTabIndex) {
            src = FirstNonEmpty({ look->ActiveTabRect, look->TabRect });
            color = look->ActiveFontColor;
        } else if (i == FHotIndex && Enabled()) {
            src = FirstNonEmpty({ look->MouseInTabRect, look->TabRect });
            color = look->MouseInFontColor;
        }
        if (!Enabled())
            color = base::clGrayText;
        if (PictureHolds(*picture, src)) {
            gfx::TBitmap strip;
            ComposeHorzStrip(look->TabLeftOffset, look->TabRightOffset, strip, r.Width(), src, *picture);
            canvas.Draw(r.Left, r.Top, strip);
        }
        canvas.Font.Assign(LookFont(look->FontName, look->FontHeight, look->FontStyle, color));
        TRect text = Rect(r.Left + look->TabLeftOffset, r.Top, r.Right - look->TabRightOffset, r.Bottom);
        canvas.DrawText(
            FTabs[size_t(i)], text, gfx::DT_CENTER | gfx::DT_VCENTER | gfx::DT_SINGLELINE | gfx::DT_NOPREFIX);
    }
    return true;
}

void TspSkinTabControl::PaintPlain(gfx::TCanvas& canvas)
{
    int const th = TabHeight();
    canvas.Brush.Style = gfx::bsSolid;
    canvas.Brush.Color = base::ColorToRGB(base::clBtnFace);
    canvas.FillRect(Rect(0, th, Width(), Height()));
    canvas.Brush.Color = base::ColorToRGB(base::clBtnShadow);
    canvas.FrameRect(Rect(0, th, Width(), Height()));
    canvas.Font.Assign(Font());
    canvas.SetBkMode(gfx::TRANSPARENT);
    for (int i = 0; i < int(FTabs.size()); ++i) {
        TRect r = TabRect(i);
        bool const active = i == FTabIndex;
        if (!active)
            r.Top += 2;
        canvas.Brush.Color = base::ColorToRGB(base::clBtnFace);
        canvas.FillRect(r);
        canvas.Brush.Color = base::ColorToRGB(base::clBtnShadow);
        canvas.FrameRect(r);
        canvas.Font.SetColor(Enabled() ? base::clWindowText : base::clGrayText);
        TRect text = r;
        canvas.DrawText(
            FTabs[size_t(i)], text, gfx::DT_CENTER | gfx::DT_VCENTER | gfx::DT_SINGLELINE | gfx::DT_NOPREFIX);
        if (active && Focused()) {
            canvas.Brush.Color = base::ColorToRGB(base::clWindowText);
            canvas.FrameRect(base::Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2));
        }
    }
}

// ---------------------------------------------------------------------------------------
// Input

void TspSkinTabControl::Change(int index)
{
    if (index < 0 || index >= int(FTabs.size()) || index == FTabIndex)
        return;
    bool allow = true;
    if (OnChanging)
        OnChanging(this, allow);
    if (!allow)
        return;
    FTabIndex = index;
    Invalidate();
    if (OnChange)
        OnChange(this);
}

void TspSkinTabControl::SetHotIndex(int index)
{
    if (index == FHotIndex)
        return;
    FHotIndex = index;
    Invalidate();
}

void TspSkinTabControl::KeyDown(win::WORD& key, tk::TShiftState shift)
{
    int const count = int(FTabs.size());
    if (count == 0) {
        TspSkinControl::KeyDown(key, shift);
        return;
    }
    switch (key) {
    case win::VK_LEFT:
        Change(FTabIndex - 1);
        break;
    case win::VK_RIGHT:
        Change(FTabIndex + 1);
        break;
    case win::VK_HOME:
        Change(0);
        break;
    case win::VK_END:
        Change(count - 1);
        break;
    case win::VK_TAB:
        if (!(shift & tk::ssCtrl)) {
            TspSkinControl::KeyDown(key, shift);
            return;
        }
        // Ctrl+Tab and Ctrl+Shift+Tab go round.
        Change(((FTabIndex + ((shift & tk::ssShift) ? -1 : 1)) % count + count) % count);
        break;
    default:
        TspSkinControl::KeyDown(key, shift);
        return;
    }
    key = 0;
}

void TspSkinTabControl::MouseDown(tk::TMouseButton button, tk::TShiftState shift, int x, int y)
{
    TspSkinControl::MouseDown(button, shift, x, y);
    if (button == tk::mbLeft)
        Change(TabAtPos({ x, y }));
}

void TspSkinTabControl::MouseMove(tk::TShiftState shift, int x, int y)
{
    TspSkinControl::MouseMove(shift, x, y);
    SetHotIndex(TabAtPos({ x, y }));
}

void TspSkinTabControl::MouseLeave()
{
    FHotIndex = -1;
    TspSkinControl::MouseLeave();
}

void TspSkinTabControl::DefineProperties(tk::TProperties& p)
{
    TspSkinControl::DefineProperties(p);
    p.String(
        "Tabs", [this] { return JoinLines(FTabs); },
        [this](std::string const& v) { SetTabs(SplitLines(v)); });
    p.Integer(
        "TabIndex", [this] { return FTabIndex; }, [this](int64_t v) { SetTabIndex(int(v)); }, -1);
}

} // namespace xe::skin
