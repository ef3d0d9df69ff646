#include "skin/controls/SkinListBox.h"

#include "platform/graphics/Canvas.h"
#include "platform/toolkit/Persistence.h"
#include "skin/controls/SkinControlLines.h"
#include "skin/draw/FrameImage.h"

#include <algorithm>

namespace xe::skin {

using base::Rect;
using base::TPoint;
using base::TRect;

TspSkinListBox::TspSkinListBox(tk::TComponent* owner)
    : TspSkinControl(owner, "listbox")
{
    FControlStyle |= tk::csFocusable;
    SetTabStop(true);
    SetBounds(0, 0, 120, 96);
}

void TspSkinListBox::SetItems(std::vector<std::string> items)
{
    FItems = std::move(items);
    if (FItemIndex >= Count())
        FItemIndex = -1;
    FTopIndex = std::clamp(FTopIndex, 0, MaxTopIndex());
    Invalidate();
}

void TspSkinListBox::AddItem(std::string const& item)
{
    FItems.push_back(item);
    Invalidate();
}

void TspSkinListBox::Clear() { SetItems({}); }

void TspSkinListBox::SetItemIndex(int value)
{
    if (value < -1 || value >= Count())
        value = -1;
    if (value == FItemIndex)
        return;
    FItemIndex = value;
    ScrollIntoView(value);
    Invalidate();
}

void TspSkinListBox::SetTopIndex(int value)
{
    value = std::clamp(value, 0, MaxTopIndex());
    if (value == FTopIndex)
        return;
    FTopIndex = value;
    Invalidate();
    if (OnScroll)
        OnScroll(this);
}

void TspSkinListBox::ScrollBy(int items) { SetTopIndex(FTopIndex + items); }

int TspSkinListBox::ItemHeight() const
{
    if (auto* look = LookAs<TspDataSkinListBox>(); look && !base::IsRectEmpty(look->ItemRect))
        return look->ItemRect.Height();
    return PlainItemHeight;
}

int TspSkinListBox::VisibleCount() const { return std::max(1, ItemsArea().Height() / ItemHeight()); }

int TspSkinListBox::MaxTopIndex() const { return std::max(0, Count() - VisibleCount()); }

void TspSkinListBox::ScrollIntoView(int index)
{
    if (index < 0)
        return;
    if (index < FTopIndex)
        FTopIndex = index;
    else if (index >= FTopIndex + VisibleCount())
        FTopIndex = index - VisibleCount() + 1;
    FTopIndex = std::clamp(FTopIndex, 0, MaxTopIndex());
}

void TspSkinListBox::GetSkinData()
{
    FTopIndex = std::clamp(FTopIndex, 0, MaxTopIndex());
    ScrollIntoView(FItemIndex);
}

// ---------------------------------------------------------------------------------------
// Geometry

TRect TspSkinListBox::Insets() const
{
    auto* look = LookAs<TspDataSkinListBox>();
    if (!look || !LookPicture())
        return Rect(2, 2, 2, 2);
    TRect const& s = look->SkinRect;
    TRect const& c = look->ClientRect;
    if (base::IsRectEmpty(c))
        return Rect(0, 0, 0, 0);
    return Rect(c.Left, c.Top, s.Width() - c.Right, s.Height() - c.Bottom);
}

TRect TspSkinListBox::CaptionBand() const
{
    auto* look = LookAs<TspDataSkinListBox>();
    if (!look || !LookPicture() || base::IsRectEmpty(look->CaptionRect))
        return TRect {};
    return Rect(0, 0, Width(), look->CaptionRect.Height());
}

TRect TspSkinListBox::ItemsArea() const
{
    TRect const in = Insets();
    int const top = CaptionBand().Bottom;
    TRect r = Rect(in.Left, top + in.Top, Width() - in.Right, Height() - in.Bottom);
    if (r.Bottom < r.Top)
        r.Bottom = r.Top;
    if (r.Right < r.Left)
        r.Right = r.Left;
    return r;
}

TspDataSkinScrollBarControl* TspSkinListBox::ScrollLook() const
{
    auto* look = LookAs<TspDataSkinListBox>();
    TspSkinData* data = SkinData();
    if (!look || !data || data->Empty())
        return nullptr;
    int const i = data->IndexOfControl(look->VScrollBarName);
    if (i < 0)
        return nullptr;
    auto* sb = dynamic_cast<TspDataSkinScrollBarControl*>(data->CtrlList[size_t(i)].get());
    return sb && PictureAt(data, sb->PictureIndex) && !base::IsRectEmpty(sb->SkinRect) ? sb : nullptr;
}

int TspSkinListBox::ScrollBarWidth() const { return TspInnerScrollBar::Thickness(ScrollLook()); }

TRect TspSkinListBox::ScrollBarRect() const
{
    TRect const area = ItemsArea();
    if (Count() <= area.Height() / ItemHeight())
        return TRect {};
    return Rect(std::max(area.Left, area.Right - ScrollBarWidth()), area.Top, area.Right, area.Bottom);
}

TRect TspSkinListBox::ItemRect(int index) const
{
    if (index < FTopIndex || index >= Count())
        return TRect {};
    TRect const area = ItemsArea();
    int const h = ItemHeight();
    int const top = area.Top + (index - FTopIndex) * h;
    if (top >= area.Bottom)
        return TRect {};
    TRect const bar = ScrollBarRect();
    int const right = base::IsRectEmpty(bar) ? area.Right : bar.Left;
    return Rect(area.Left, top, right, std::min(top + h, area.Bottom));
}

int TspSkinListBox::ItemAtPos(TPoint p) const
{
    TRect const area = ItemsArea();
    TRect const bar = ScrollBarRect();
    if (!base::PtInRect(area, p) || base::PtInRect(bar, p))
        return -1;
    int const index = FTopIndex + (p.Y - area.Top) / ItemHeight();
    return index < Count() ? index : -1;
}

TRect TspSkinListBox::UpButton() const { return FBar.UpButton(); }

TRect TspSkinListBox::DownButton() const { return FBar.DownButton(); }

TRect TspSkinListBox::Thumb() const { return FBar.Thumb(); }

// ---------------------------------------------------------------------------------------
// Painting

bool TspSkinListBox::PaintSkin(gfx::TCanvas& canvas)
{
    auto* look = LookAs<TspDataSkinListBox>();
    gfx::TBitmap const* picture = LookPicture();
    if (!look || !picture || base::IsRectEmpty(look->SkinRect))
        return false;
    TRect const band = CaptionBand();
    DrawLookRect(canvas, look->SkinRect, Rect(0, band.Bottom, Width(), Height()));
    if (!base::IsRectEmpty(band)) {
        DrawHorzPiece(canvas, *picture, look->CaptionRect, look->ItemLeftOffset, look->ItemRightOffset, band);
        gfx::TFont font = LookFont(
            look->CaptionFontName, look->CaptionFontHeight, look->CaptionFontStyle, look->CaptionFontColor);
        canvas.Font.Assign(font);
        canvas.SetBkMode(gfx::TRANSPARENT);
        TRect r = band;
        canvas.DrawText(
            Caption(), r, gfx::DT_CENTER | gfx::DT_VCENTER | gfx::DT_SINGLELINE | gfx::DT_NOPREFIX);
    }
    gfx::TCanvasSaver saver(canvas);
    canvas.IntersectClipRect(ItemsArea());
    for (int i = FTopIndex; i < Count(); ++i) {
        if (base::IsRectEmpty(ItemRect(i)))
            break;
        PaintItem(canvas, i);
    }
    FBar.Paint(canvas, SkinData());
    return true;
}

void TspSkinListBox::PaintItem(gfx::TCanvas& canvas, int index)
{
    auto* look = LookAs<TspDataSkinListBox>();
    gfx::TBitmap const* picture = LookPicture();
    TRect const r = ItemRect(index);
    bool const selected = index == FItemIndex;
    bool const focus = selected && (Focused() || ShowFocus);
    TRect src = look->ItemRect;
    base::TColor color = look->FontColor;
    if (focus) {
        src = FirstNonEmpty({ look->FocusItemRect, look->ActiveItemRect, look->ItemRect });
        color = look->FocusFontColor;
    } else if (selected) {
        src = FirstNonEmpty({ look->ActiveItemRect, look->ItemRect });
        color = look->ActiveFontColor;
    }
    if (picture)
        DrawHorzPiece(canvas, *picture, src, look->ItemLeftOffset, look->ItemRightOffset, r);
    // The text rectangle grows with the item's width; without one the item is inset by 2.
    TRect text = Rect(r.Left + 2, r.Top, r.Right - 2, r.Bottom);
    TRect const& t = look->ItemTextRect;
    if (!base::IsRectEmpty(t) && !base::IsRectEmpty(look->ItemRect)) {
        int const grow = r.Width() - look->ItemRect.Width();
        text = Rect(r.Left + t.Left, r.Top + t.Top, r.Left + t.Right + grow, r.Top + t.Bottom);
    }
    if (!Enabled())
        color = base::clGrayText;
    canvas.Font.Assign(LookFont(look->FontName, look->FontHeight, look->FontStyle, color));
    canvas.SetBkMode(gfx::TRANSPARENT);
    canvas.DrawText(
        FItems[size_t(index)], text, gfx::DT_LEFT | gfx::DT_VCENTER | gfx::DT_SINGLELINE | gfx::DT_NOPREFIX);
}

void TspSkinListBox::PaintPlain(gfx::TCanvas& canvas)
{
    canvas.Brush.Style = gfx::bsSolid;
    canvas.Brush.Color = base::ColorToRGB(Enabled() ? base::clWindow : base::clBtnFace);
    canvas.FillRect(ClientRect());
    canvas.Brush.Color = base::ColorToRGB(base::clBtnShadow);
    canvas.FrameRect(ClientRect());
    canvas.Font.Assign(Font());
    canvas.SetBkMode(gfx::TRANSPARENT);
    {
        gfx::TCanvasSaver saver(canvas);
        canvas.IntersectClipRect(ItemsArea());
        for (int i = FTopIndex; i < Count(); ++i) {
            TRect const r = ItemRect(i);
            if (base::IsRectEmpty(r))
                break;
            bool const selected = i == FItemIndex;
            if (selected) {
                canvas.Brush.Color = base::ColorToRGB(base::clHighlight);
                canvas.FillRect(r);
            }
            canvas.Font.SetColor(!Enabled() ? base::clGrayText
                    : selected              ? base::clHighlightText
                                            : base::clWindowText);
            TRect text = Rect(r.Left + 2, r.Top, r.Right - 2, r.Bottom);
            canvas.DrawText(FItems[size_t(i)], text,
                gfx::DT_LEFT | gfx::DT_VCENTER | gfx::DT_SINGLELINE | gfx::DT_NOPREFIX);
            if (selected && (Focused() || ShowFocus)) {
                canvas.Brush.Color = base::ColorToRGB(base::clWindowText);
                canvas.FrameRect(r);
            }
        }
    }
    FBar.Paint(canvas, SkinData());
}

// ---------------------------------------------------------------------------------------
// Input

void TspSkinListBox::Select(int index)
{
    if (Count() == 0)
        return;
    index = std::clamp(index, 0, Count() - 1);
    ScrollIntoView(index);
    if (index == FItemIndex) {
        Invalidate();
        return;
    }
    FItemIndex = index;
    Invalidate();
    if (OnChange)
        OnChange(this);
}

void TspSkinListBox::KeyDown(win::WORD& key, tk::TShiftState shift)
{
    int const page = std::max(1, VisibleCount() - 1);
    int const at = FItemIndex;
    switch (key) {
    case win::VK_UP:
        Select(at < 0 ? 0 : at - 1);
        break;
    case win::VK_DOWN:
        Select(at + 1);
        break;
    case win::VK_HOME:
        Select(0);
        break;
    case win::VK_END:
        Select(Count() - 1);
        break;
    case win::VK_PRIOR:
        Select(at < 0 ? 0 : at - page);
        break;
    case win::VK_NEXT:
        Select(at + page);
        break;
    default:
        TspSkinControl::KeyDown(key, shift);
        return;
    }
    key = 0;
}

void TspSkinListBox::MouseDown(tk::TMouseButton button, tk::TShiftState shift, int x, int y)
{
    TspSkinControl::MouseDown(button, shift, x, y);
    if (button != tk::mbLeft)
        return;
    TPoint const p { x, y };
    if (PressScrollBar(p))
        return;
    if (int const i = ItemAtPos(p); i >= 0) {
        FSelecting = true;
        Select(i);
    }
}

bool TspSkinListBox::PressScrollBar(TPoint p)
{
    if (!base::PtInRect(ScrollBarRect(), p))
        return false;
    FBar.Tracker().Press(p);
    return true;
}

void TspSkinListBox::MoveScrollBar(TPoint p) { FBar.Tracker().Move(p); }

void TspSkinListBox::ReleaseScrollBar(TPoint p) { FBar.Tracker().Release(p); }

void TspSkinListBox::MouseMove(tk::TShiftState shift, int x, int y)
{
    TspSkinControl::MouseMove(shift, x, y);
    FBar.Tracker().Move({ x, y });
    if (!FSelecting)
        return;
    // Dragging past the ends scrolls the selection along.
    TRect const area = ItemsArea();
    if (y < area.Top)
        Select(FTopIndex - 1);
    else if (y >= area.Bottom)
        Select(FTopIndex + VisibleCount());
    else if (int const i = ItemAtPos({ std::min(x, ItemRect(FTopIndex).Right - 1), y }); i >= 0)
        Select(i);
}

void TspSkinListBox::MouseUp(tk::TMouseButton button, tk::TShiftState shift, int x, int y)
{
    FSelecting = false;
    if (button == tk::mbLeft)
        ReleaseScrollBar({ x, y });
    TspSkinControl::MouseUp(button, shift, x, y);
}

void TspSkinListBox::MouseLeave()
{
    FBar.Tracker().Leave();
    TspSkinControl::MouseLeave();
}

void TspSkinListBox::EnabledChanged()
{
    if (!Enabled())
        FBar.Tracker().Cancel();
    TspSkinControl::EnabledChanged();
}

bool TspSkinListBox::DoMouseWheel(tk::TShiftState, int wheelDelta, base::TPoint)
{
    // Three items a notch, as the desktop's wheel scrolls lines; the selection stays.
    ScrollBy(-WheelNotches(wheelDelta) * WheelScrollLines);
    return true;
}

// ---------------------------------------------------------------------------------------
// Streaming

void TspSkinListBox::DefineProperties(tk::TProperties& p)
{
    TspSkinControl::DefineProperties(p);
    p.String(
        "Items", [this] { return JoinLines(FItems); },
        [this](std::string const& v) { SetItems(SplitLines(v)); });
    p.Integer(
        "ItemIndex", [this] { return FItemIndex; }, [this](int64_t v) { SetItemIndex(int(v)); }, -1);
}

} // namespace xe::skin
