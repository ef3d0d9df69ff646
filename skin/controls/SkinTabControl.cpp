#include "skin/controls/SkinTabControl.h"

#include "platform/graphics/Canvas.h"
#include "platform/toolkit/Persistence.h"
#include "skin/controls/SkinControlLines.h"
#include "skin/draw/FrameImage.h"

#include <algorithm>
#include <utility>

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
// A plain scroll arrow's width.
constexpr int PlainArrowWidth = 16;
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
    FFirstTab = std::clamp(FFirstTab, 0, MaxFirstTab());
    Invalidate();
}

void TspSkinTabControl::SetTabIndex(int value)
{
    if (value < -1 || value >= int(FTabs.size()))
        return;
    if (value == FTabIndex)
        return;
    FTabIndex = value;
    ScrollIntoView(value);
    Invalidate();
}

// --- scrolling ---------------------------------------------------------------------------------

TspDataSkinUpDownControl const* TspSkinTabControl::UpDownLook() const
{
    auto* look = LookAs<TspDataSkinTabControl>();
    if (!look || look->UpDown.empty())
        return nullptr;
    auto const* ud = LookByNameAs<TspDataSkinUpDownControl>(look->UpDown);
    gfx::TBitmap const* picture = ud ? SkinPicture(ud->PictureIndex) : nullptr;
    return picture && PictureHolds(*picture, ud->UpButtonRect) && PictureHolds(*picture, ud->DownButtonRect)
        ? ud
        : nullptr;
}

bool TspSkinTabControl::Scrolls() const
{
    if (FFirstTab > 0)
        return true;
    int total = 0;
    for (int i = 0; i < int(FTabs.size()) && total <= Width(); ++i)
        total += TabWidth(i);
    return total > Width();
}

TRect TspSkinTabControl::ScrollRightRect() const
{
    if (!Scrolls())
        return TRect {};
    int const th = TabHeight();
    auto const* ud = UpDownLook();
    int const w = ud ? ud->UpButtonRect.Width() : PlainArrowWidth;
    int const h = ud ? std::min(ud->UpButtonRect.Height(), th) : std::min(PlainArrowWidth, th);
    int const top = (th - h) / 2;
    return Rect(Width() - w, top, Width(), top + h);
}

TRect TspSkinTabControl::ScrollLeftRect() const
{
    TRect const right = ScrollRightRect();
    if (base::IsRectEmpty(right))
        return right;
    auto const* ud = UpDownLook();
    int const w = ud ? ud->DownButtonRect.Width() : PlainArrowWidth;
    return Rect(right.Left - w, right.Top, right.Left, right.Bottom);
}

int TspSkinTabControl::TabsRight() const
{
    TRect const left = ScrollLeftRect();
    return base::IsRectEmpty(left) ? Width() : left.Left;
}

int TspSkinTabControl::MaxFirstTab() const
{
    int const count = int(FTabs.size());
    if (count == 0)
        return 0;
    // With the arrows shown the tabs have that much less room.
    auto const* ud = UpDownLook();
    int const room
        = Width() - (ud ? ud->UpButtonRect.Width() + ud->DownButtonRect.Width() : 2 * PlainArrowWidth);
    int first = count - 1, width = TabWidth(first);
    while (first > 0 && width + TabWidth(first - 1) <= std::max(room, 0)) {
        --first;
        width += TabWidth(first);
    }
    return first;
}

void TspSkinTabControl::SetFirstTab(int value)
{
    value = std::clamp(value, 0, MaxFirstTab());
    if (value == FFirstTab)
        return;
    FFirstTab = value;
    FHotIndex = -1;
    Invalidate();
}

void TspSkinTabControl::ScrollIntoView(int index)
{
    if (index < 0)
        return;
    if (index < FFirstTab) {
        SetFirstTab(index);
        return;
    }
    while (FFirstTab < index && TabRect(index).Right > TabsRight())
        SetFirstTab(FFirstTab + 1);
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
    if (index < FFirstTab || index >= int(FTabs.size()))
        return TRect {};
    int x = 0;
    for (int i = FFirstTab; i < index; ++i)
        x += TabWidth(i);
    return Rect(x, 0, x + TabWidth(index), TabHeight());
}

int TspSkinTabControl::TabAtPos(TPoint p) const
{
    if (p.X >= TabsRight())
        return -1;
    for (int i = FFirstTab; i < int(FTabs.size()); ++i)
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
    {
        gfx::TCanvasSaver saver(canvas);
        canvas.IntersectClipRect(Rect(0, 0, TabsRight(), th));
        PaintTabs(canvas, *look, *picture);
    }
    PaintScrollArrows(canvas);
    return true;
}

void TspSkinTabControl::PaintTabs(
    gfx::TCanvas& canvas, TspDataSkinTabControl const& lookRef, gfx::TBitmap const& pictureRef) const
{
    auto const* look = &lookRef;
    auto const* picture = &pictureRef;
    for (int i = FFirstTab; i < int(FTabs.size()); ++i) {
        TRect const r = TabRect(i);
        if (r.Left >= TabsRight())
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
}

void TspSkinTabControl::PaintScrollArrows(gfx::TCanvas& canvas) const
{
    TRect const left = ScrollLeftRect(), right = ScrollRightRect();
    if (base::IsRectEmpty(right))
        return;
    if (auto const* ud = UpDownLook()) {
        // A horizontal up-down: its down (decreasing) button points left.
        gfx::TBitmap const& picture = *SkinPicture(ud->PictureIndex);
        for (auto [dst, src] :
            { std::pair { left, ud->DownButtonRect }, std::pair { right, ud->UpButtonRect } })
            gfx::StretchBlt(canvas, dst.Left, dst.Top, dst.Width(), dst.Height(), picture, src.Left, src.Top,
                src.Width(), src.Height(), gfx::SRCCOPY);
        return;
    }
    // Plain: raised buttons with a small triangle, grey where there is no further to go.
    for (bool back : { true, false }) {
        TRect const r = back ? left : right;
        canvas.Brush.Style = gfx::bsSolid;
        canvas.Brush.Color = base::ColorToRGB(base::clBtnFace);
        canvas.FillRect(r);
        DrawEdge(canvas, r, false);
        bool const can = back ? FFirstTab > 0 : FFirstTab < MaxFirstTab();
        canvas.Brush.Color = base::ColorToRGB(can && Enabled() ? base::clBtnText : base::clGrayText);
        int const cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
        for (int d = 0; d < 4; ++d) {
            int const x = back ? cx - 2 + d : cx + 1 - d;
            canvas.FillRect(Rect(x, cy - d, x + 1, cy + d + 1));
        }
    }
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
    {
        gfx::TCanvasSaver saver(canvas);
        canvas.IntersectClipRect(Rect(0, 0, TabsRight(), th));
        for (int i = FFirstTab; i < int(FTabs.size()); ++i) {
            TRect r = TabRect(i);
            if (r.Left >= TabsRight())
                break;
            bool const active = i == FTabIndex;
            if (!active)
                r.Top += 2;
            canvas.Brush.Color = base::ColorToRGB(base::clBtnFace);
            canvas.FillRect(r);
            canvas.Brush.Color = base::ColorToRGB(base::clBtnShadow);
            canvas.FrameRect(r);
            canvas.Font.SetColor(Enabled() ? base::clWindowText : base::clGrayText);
            TRect text = r;
            canvas.DrawText(FTabs[size_t(i)], text,
                gfx::DT_CENTER | gfx::DT_VCENTER | gfx::DT_SINGLELINE | gfx::DT_NOPREFIX);
            if (active && Focused()) {
                canvas.Brush.Color = base::ColorToRGB(base::clWindowText);
                canvas.FrameRect(base::Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2));
            }
        }
    }
    PaintScrollArrows(canvas);
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
    ScrollIntoView(index);
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
    if (button != tk::mbLeft)
        return;
    // The arrows shift the tabs one at a time; the active tab stays.
    if (base::PtInRect(ScrollLeftRect(), { x, y }))
        SetFirstTab(FFirstTab - 1);
    else if (base::PtInRect(ScrollRightRect(), { x, y }))
        SetFirstTab(FFirstTab + 1);
    else
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
