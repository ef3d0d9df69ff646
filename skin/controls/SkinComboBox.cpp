#include "skin/controls/SkinComboBox.h"

#include "platform/graphics/Canvas.h"
#include "platform/toolkit/Forms.h"
#include "platform/toolkit/Persistence.h"
#include "platform/windows/WinUser.h"
#include "skin/controls/SkinControlLines.h"
#include "skin/draw/FrameImage.h"

#include <algorithm>
#include <utility>

namespace xe::skin {

using base::Rect;
using base::TPoint;
using base::TRect;

namespace {
constexpr int PlainButtonWidth = 16;
}

// ---------------------------------------------------------------------------------------
// The drop-down window: a borderless top-level window that never takes the activation and
// holds the mouse capture while open, so that a press outside it closes it. A list box
// without a parent draws its content.

class TspSkinComboBox::TPopup {
public:
    TPopup(TspSkinComboBox& owner, TRect const& screen)
        : FOwner(owner)
        , FList(new TspSkinListBox(nullptr))
        , FBounds(screen)
    {
        FList->ShowFocus = true;
        // A held scroll button or page repeats on a timer: the window shows each step.
        FList->OnScroll = [this](tk::TComponent*) { Redraw(); };
        FInstance = win::MakeObjectInstance([this](win::HWND h, win::UINT msg, win::WPARAM wp,
                                                win::LPARAM lp) { return WndProc(h, msg, wp, lp); });
        FHandle = win::CreateWindowEx(win::WS_EX_TOPMOST | win::WS_EX_TOOLWINDOW | win::WS_EX_NOACTIVATE, "",
            win::WS_POPUP, screen.Left, screen.Top, screen.Width(), screen.Height(),
            owner.GetParentForm()->WindowHandle(), FInstance);
    }
    ~TPopup()
    {
        win::HWND const h = std::exchange(FHandle, nullptr);
        if (h) {
            if (win::GetCapture() == h)
                win::ReleaseCapture();
            win::DestroyWindow(h);
        }
        if (FInstance)
            win::FreeObjectInstance(FInstance);
    }
    bool Valid() const { return FHandle != nullptr; }
    void Show()
    {
        win::ShowWindow(FHandle, win::SW_SHOWNOACTIVATE);
        win::UpdateWindow(FHandle);
        win::SetCapture(FHandle);
    }
    void Redraw()
    {
        if (FHandle)
            win::InvalidateRect(FHandle, nullptr, false);
    }

    win::HWND FHandle = nullptr;
    TspSkinComboBox& FOwner;
    tk::TComponentPtr<TspSkinListBox> FList;
    TRect FBounds;

private:
    win::LRESULT WndProc(win::HWND h, win::UINT msg, win::WPARAM wp, win::LPARAM lp)
    {
        switch (msg) {
        case win::WM_PAINT: {
            win::PAINTSTRUCT ps;
            if (win::HDC dc = win::BeginPaint(h, &ps))
                FList->PaintTo(*dc);
            win::EndPaint(h, &ps);
            return 0;
        }
        case win::WM_ERASEBKGND:
            return 1;
        case win::WM_MOUSEACTIVATE:
            return win::MA_NOACTIVATE;
        case win::WM_MOUSEMOVE: {
            // A held scroll bar follows the mouse; otherwise the item under it is lit.
            if (FList->ScrollBarPressed() != TspScrollBarHost::spNone) {
                FList->MoveScrollBar(win::LParamToPoint(lp));
                Redraw();
                return 0;
            }
            int const i = FList->ItemAtPos(win::LParamToPoint(lp));
            if (i >= 0 && i != FList->ItemIndex()) {
                FList->SetItemIndex(i);
                Redraw();
            }
            return 0;
        }
        case win::WM_LBUTTONDOWN:
        case win::WM_RBUTTONDOWN: {
            TPoint const p = win::LParamToPoint(lp);
            if (!base::PtInRect(FList->ClientRect(), p)) {
                FOwner.CloseUp(false); // frees this
                return 0;
            }
            FArmed = true;
            if (FList->PressScrollBar(p))
                Redraw();
            return 0;
        }
        case win::WM_LBUTTONUP: {
            TPoint const p = win::LParamToPoint(lp);
            FList->ReleaseScrollBar(p);
            Redraw();
            int const i = FList->ItemAtPos(p);
            if (FArmed && i >= 0) {
                FList->SetItemIndex(i);
                FOwner.CloseUp(true); // frees this
            }
            return 0;
        }
        case win::WM_MOUSEWHEEL: {
            tk::TMessage m { win::WM_MOUSEWHEEL, wp, lp, 0 };
            FList->WindowProc(m);
            Redraw();
            return 0;
        }
        case win::WM_CAPTURECHANGED:
            // Another window took the mouse: the list gives up.
            if (FHandle == h && reinterpret_cast<win::HWND>(lp) != h)
                FOwner.CloseUp(false);
            return 0;
        default:
            return win::DefWindowProc(h, msg, wp, lp);
        }
    }

    win::WNDPROC FInstance = nullptr;
    bool FArmed = false;
};

// ---------------------------------------------------------------------------------------

TspSkinComboBox::TspSkinComboBox(tk::TComponent* owner)
    : TspSkinControl(owner, "combobox")
{
    FControlStyle |= tk::csFocusable;
    SetTabStop(true);
    SetBounds(0, 0, 120, 22);
}

TspSkinComboBox::~TspSkinComboBox() { FPopup.reset(); }

void TspSkinComboBox::SetItems(std::vector<std::string> items)
{
    SetDroppedDown(false);
    FItems = std::move(items);
    if (FItemIndex >= int(FItems.size()))
        FItemIndex = -1;
    Invalidate();
}

void TspSkinComboBox::SetItemIndex(int value)
{
    if (value < -1 || value >= int(FItems.size()))
        value = -1;
    if (value == FItemIndex)
        return;
    FItemIndex = value;
    Invalidate();
}

std::string TspSkinComboBox::Text() const
{
    return FItemIndex >= 0 ? FItems[size_t(FItemIndex)] : std::string();
}

win::HWND TspSkinComboBox::DropDownHandle() const { return FPopup ? FPopup->FHandle : nullptr; }

TspSkinListBox* TspSkinComboBox::DropDownList() const { return FPopup ? FPopup->FList.get() : nullptr; }

void TspSkinComboBox::Choose(int index)
{
    if (FItems.empty())
        return;
    index = std::clamp(index, 0, int(FItems.size()) - 1);
    if (index == FItemIndex)
        return;
    FItemIndex = index;
    Invalidate();
    if (OnChange)
        OnChange(this);
}

void TspSkinComboBox::SetDroppedDown(bool value)
{
    if (value == DroppedDown())
        return;
    if (!value) {
        CloseUp(false);
        return;
    }
    if (FItems.empty() || !Enabled() || !GetParentForm() || !GetParentForm()->WindowHandle())
        return;
    // The list box of the look the combo-box look names ("listbox" when it names none).
    std::string listLook = "listbox";
    if (auto* look = LookAs<TspDataSkinComboBox>(); look && !look->ListBoxName.empty())
        listLook = look->ListBoxName;
    tk::TComponentPtr<TspSkinListBox> probe(new TspSkinListBox(nullptr));
    probe->SetSkinDataName(listLook);
    probe->SetSkinData(SkinData());
    probe->SetFont(Font());
    probe->SetUseSkinFont(UseSkinFont());
    // Height for the shown items plus the frame: measured on the list itself.
    probe->SetBounds(0, 0, Width(), 1000);
    int const frame = 1000 - probe->ItemsArea().Height();
    int const shown = std::min(int(FItems.size()), FDropDownCount);
    int const height = frame + shown * probe->ItemHeight();
    TPoint const below = ClientToScreen({ 0, Height() });
    TRect screen = base::Bounds(below.X, below.Y, Width(), height);
    // Above the box when there is no room below it on the screen.
    win::RECT area {};
    if (win::SystemParametersInfo(win::SPI_GETWORKAREA, 0, &area, 0) && screen.Bottom > area.Bottom)
        screen = base::Bounds(below.X, ClientToScreen({ 0, 0 }).Y - height, Width(), height);

    auto popup = std::make_unique<TPopup>(*this, screen);
    if (!popup->Valid())
        return;
    TspSkinListBox& list = *popup->FList;
    list.SetSkinDataName(listLook);
    list.SetSkinData(SkinData());
    list.SetFont(Font());
    list.SetUseSkinFont(UseSkinFont());
    list.SetBounds(0, 0, screen.Width(), screen.Height());
    list.SetItems(FItems);
    list.SetItemIndex(FItemIndex);
    FPopup = std::move(popup);
    FPopup->Show();
    StateChanged();
}

void TspSkinComboBox::CloseUp(bool choose)
{
    if (!FPopup)
        return;
    int const chosen = FPopup->FList->ItemIndex();
    // Gone first: OnChange may do anything, and the popup's window procedure returns at once.
    FPopup.reset();
    StateChanged();
    if (choose && chosen >= 0)
        Choose(chosen);
}

void TspSkinComboBox::GetSkinData() { SetDroppedDown(false); }

void TspSkinComboBox::DoExit()
{
    SetDroppedDown(false);
    TspSkinControl::DoExit();
}

void TspSkinComboBox::EnabledChanged()
{
    if (!Enabled())
        SetDroppedDown(false);
    TspSkinControl::EnabledChanged();
}

// ---------------------------------------------------------------------------------------
// Geometry and painting

TRect TspSkinComboBox::Insets() const
{
    auto* look = LookAs<TspDataSkinComboBox>();
    if (!look || !LookPicture() || base::IsRectEmpty(look->ClientRect))
        return Rect(2, 2, 2, 2);
    TRect const& s = look->SkinRect;
    TRect const& c = look->ClientRect;
    return Rect(c.Left, c.Top, s.Width() - c.Right, s.Height() - c.Bottom);
}

// A button image inside the look's normal image keeps its margins to the right, top and
// bottom edges; one kept elsewhere in the picture fills the client's height at its right.
TRect TspSkinComboBox::ButtonRect() const
{
    auto* look = LookAs<TspDataSkinComboBox>();
    TRect const in = Insets();
    if (!look || !LookPicture() || base::IsRectEmpty(look->ButtonRect)) {
        int const right = Width() - in.Right;
        return Rect(std::max(in.Left, right - PlainButtonWidth), in.Top, right, Height() - in.Bottom);
    }
    TRect const& b = look->ButtonRect;
    TRect const& s = look->SkinRect;
    if (b.Left >= s.Left && b.Right <= s.Right && b.Top >= s.Top && b.Bottom <= s.Bottom) {
        int const right = Width() - (s.Right - b.Right);
        return Rect(right - b.Width(), b.Top - s.Top, right, Height() - (s.Bottom - b.Bottom));
    }
    int const right = Width() - in.Right;
    return Rect(std::max(in.Left, right - b.Width()), in.Top, right, Height() - in.Bottom);
}

TRect TspSkinComboBox::ItemArea() const
{
    TRect const in = Insets();
    TRect r = Rect(in.Left, in.Top, ButtonRect().Left, Height() - in.Bottom);
    if (r.Right < r.Left)
        r.Right = r.Left;
    return r;
}

bool TspSkinComboBox::PaintSkin(gfx::TCanvas& canvas)
{
    auto* look = LookAs<TspDataSkinComboBox>();
    gfx::TBitmap const* picture = LookPicture();
    if (!look || !picture || base::IsRectEmpty(look->SkinRect))
        return false;
    DrawLookRect(canvas, look->SkinRect, ClientRect());
    TRect const item = ItemArea();
    bool const focus = Focused() && !DroppedDown();
    TRect const src = focus ? FirstNonEmpty({ look->FocusItemRect, look->ItemRect }) : look->ItemRect;
    if (!base::IsRectEmpty(src)) {
        gfx::TBitmap strip;
        ComposeHorzStrip(look->ItemLeftOffset, look->ItemRightOffset, strip, item.Width(), src, *picture);
        canvas.StretchDraw(item, strip);
    }
    TRect text = Rect(item.Left + 2, item.Top, item.Right - 2, item.Bottom);
    TRect const& t = look->ItemTextRect;
    if (!base::IsRectEmpty(t) && !base::IsRectEmpty(look->ItemRect)) {
        int const grow = item.Width() - look->ItemRect.Width();
        int const growY = item.Height() - look->ItemRect.Height();
        text = Rect(
            item.Left + t.Left, item.Top + t.Top, item.Left + t.Right + grow, item.Top + t.Bottom + growY);
    }
    base::TColor const color = !Enabled() ? base::clGrayText : focus ? look->FocusFontColor : look->FontColor;
    canvas.Font.Assign(LookFont(look->FontName, look->FontHeight, look->FontStyle, color));
    canvas.SetBkMode(gfx::TRANSPARENT);
    canvas.DrawText(Text(), text, gfx::DT_LEFT | gfx::DT_VCENTER | gfx::DT_SINGLELINE | gfx::DT_NOPREFIX);

    TRect const button = !Enabled() ? FirstNonEmpty({ look->UnEnabledButtonRect, look->ButtonRect })
        : DroppedDown() || Down()
        ? FirstNonEmpty({ look->DownButtonRect, look->ActiveButtonRect, look->ButtonRect })
        : MouseIn() ? FirstNonEmpty({ look->ActiveButtonRect, look->ButtonRect })
                    : look->ButtonRect;
    DrawLookPiece(canvas, button, ButtonRect());
    return true;
}

void TspSkinComboBox::PaintPlain(gfx::TCanvas& canvas)
{
    canvas.Brush.Style = gfx::bsSolid;
    canvas.Brush.Color = base::ColorToRGB(Enabled() ? base::clWindow : base::clBtnFace);
    canvas.FillRect(ClientRect());
    canvas.Brush.Color = base::ColorToRGB(base::clBtnShadow);
    canvas.FrameRect(ClientRect());
    TRect const item = ItemArea();
    bool const focus = Focused() && !DroppedDown();
    if (focus) {
        canvas.Brush.Color = base::ColorToRGB(base::clHighlight);
        canvas.FillRect(item);
    }
    canvas.Font.Assign(Font());
    canvas.Font.SetColor(!Enabled() ? base::clGrayText : focus ? base::clHighlightText : base::clWindowText);
    canvas.SetBkMode(gfx::TRANSPARENT);
    TRect text = Rect(item.Left + 2, item.Top, item.Right - 2, item.Bottom);
    canvas.DrawText(Text(), text, gfx::DT_LEFT | gfx::DT_VCENTER | gfx::DT_SINGLELINE | gfx::DT_NOPREFIX);
    // The button: a face with a down arrow.
    TRect const b = ButtonRect();
    canvas.Brush.Color = base::ColorToRGB(DroppedDown() || Down() ? base::clBtnShadow : base::clBtnFace);
    canvas.FillRect(b);
    canvas.Brush.Color = base::ColorToRGB(Enabled() ? base::clWindowText : base::clGrayText);
    int const cx = (b.Left + b.Right) / 2, cy = (b.Top + b.Bottom) / 2 - 1;
    for (int i = 0; i < 4; ++i)
        canvas.FillRect(Rect(cx - 3 + i, cy + i, cx + 4 - i, cy + i + 1));
}

// ---------------------------------------------------------------------------------------
// Input

void TspSkinComboBox::MouseDown(tk::TMouseButton button, tk::TShiftState shift, int x, int y)
{
    TspSkinControl::MouseDown(button, shift, x, y);
    if (button == tk::mbLeft)
        SetDroppedDown(!DroppedDown());
}

bool TspSkinComboBox::DoMouseWheel(tk::TShiftState, int wheelDelta, base::TPoint mousePos)
{
    if (!Enabled())
        return false;
    if (FPopup) {
        tk::TMessage m { win::WM_MOUSEWHEEL, win::WPARAM(uint16_t(int16_t(wheelDelta))) << 16,
            win::PointToLParam(mousePos), 0 };
        FPopup->FList->WindowProc(m);
        FPopup->Redraw();
        return true;
    }
    if (int const notches = WheelNotches(wheelDelta); notches != 0)
        Choose(FItemIndex < 0 ? 0 : FItemIndex - notches);
    return true;
}

void TspSkinComboBox::KeyDown(win::WORD& key, tk::TShiftState shift)
{
    bool const open = DroppedDown();
    if ((key == win::VK_DOWN && (shift & tk::ssAlt)) || key == win::VK_F4) {
        SetDroppedDown(!open);
        key = 0;
        return;
    }
    if (open) {
        TspSkinListBox& list = *FPopup->FList;
        switch (key) {
        case win::VK_ESCAPE:
            CloseUp(false);
            break;
        case win::VK_RETURN:
            CloseUp(true);
            break;
        case win::VK_UP:
        case win::VK_DOWN:
        case win::VK_HOME:
        case win::VK_END:
        case win::VK_PRIOR:
        case win::VK_NEXT: {
            list.KeyDown(key, 0);
            FPopup->Redraw();
            break;
        }
        default:
            TspSkinControl::KeyDown(key, shift);
            return;
        }
        key = 0;
        return;
    }
    int const last = int(FItems.size()) - 1;
    switch (key) {
    case win::VK_UP:
    case win::VK_LEFT:
        Choose(FItemIndex < 0 ? 0 : FItemIndex - 1);
        break;
    case win::VK_DOWN:
    case win::VK_RIGHT:
        Choose(FItemIndex + 1);
        break;
    case win::VK_HOME:
        Choose(0);
        break;
    case win::VK_END:
        Choose(last);
        break;
    default:
        TspSkinControl::KeyDown(key, shift);
        return;
    }
    key = 0;
}

void TspSkinComboBox::DefineProperties(tk::TProperties& p)
{
    TspSkinControl::DefineProperties(p);
    p.String(
        "Items", [this] { return JoinLines(FItems); },
        [this](std::string const& v) { SetItems(SplitLines(v)); });
    p.Integer(
        "ItemIndex", [this] { return FItemIndex; }, [this](int64_t v) { SetItemIndex(int(v)); }, -1);
    p.Integer(
        "DropDownCount", [this] { return FDropDownCount; }, [this](int64_t v) { SetDropDownCount(int(v)); },
        8);
}

} // namespace xe::skin
