#include "skin/form/SkinMainMenuBar.h"

#include "platform/graphics/Canvas.h"
#include "platform/toolkit/Forms.h"
#include "platform/toolkit/Persistence.h"
#include "skin/data/SkinObjects.h"
#include "skin/draw/FrameImage.h"
#include "skin/form/SkinPopupMenu.h"

#include <algorithm>
#include <utility>

namespace xe::skin {

using base::Rect;
using base::TPoint;
using base::TRect;

namespace {
// Space around an item's text in the plain look.
constexpr int PlainPadding = 12;
constexpr int PlainButtonSize = 16;
}

TspSkinMainMenuBar::TspSkinMainMenuBar(tk::TComponent* owner)
    : TspSkinControl(owner, "mainmenubar")
{
    SetBounds(0, 0, 240, PlainHeight);
    FMainMenu.SetOnFree([this] {
        if (FPopup)
            FPopup->Close();
        FHotIndex = FPressedIndex = -1;
        if (!IsDestroying())
            Invalidate();
    });
}

TspSkinMainMenuBar::~TspSkinMainMenuBar()
{
    // An open submenu goes without telling the bar that is going.
    if (FPopup) {
        FPopup->OnClose = nullptr;
        FPopup->Close();
    }
}

void TspSkinMainMenuBar::SetMainMenu(tk::TMainMenu* value)
{
    if (value == FMainMenu.Get())
        return;
    if (FPopup)
        FPopup->Close();
    FMainMenu = value;
    FHotIndex = FPressedIndex = -1;
    Invalidate();
}

void TspSkinMainMenuBar::SetShowButtons(bool value)
{
    if (value == FShowButtons)
        return;
    FShowButtons = value;
    Invalidate();
}

TspSkinPopupMenu* TspSkinMainMenuBar::Popup() const
{
    return FPopup && FPopup->Visible() ? FPopup.get() : nullptr;
}

// ---------------------------------------------------------------------------------------
// The skin objects the look names

TspDataSkinMainMenuItem* TspSkinMainMenuBar::ItemLook() const
{
    auto* look = LookAs<TspDataSkinMainMenuBar>();
    TspSkinData* data = SkinData();
    if (!look || !data)
        return nullptr;
    int const i = data->IndexOfObject(look->MenuBarItem);
    if (i < 0)
        return nullptr;
    auto* item = dynamic_cast<TspDataSkinMainMenuItem*>(data->ObjectList[size_t(i)].get());
    gfx::TBitmap const* picture = item ? ObjectPicture(item) : nullptr;
    return picture && PictureHolds(*picture, item->SkinRect) ? item : nullptr;
}

TspDataSkinMainMenuBarButton* TspSkinMainMenuBar::ButtonLook(TBarButton button) const
{
    auto* look = LookAs<TspDataSkinMainMenuBar>();
    TspSkinData* data = SkinData();
    if (!look || !data)
        return nullptr;
    std::string const* names[]
        = { &look->SysMenuButton, &look->MinButton, &look->MaxButton, &look->CloseButton };
    int const i = data->IndexOfObject(*names[button]);
    if (i < 0)
        return nullptr;
    auto* b = dynamic_cast<TspDataSkinMainMenuBarButton*>(data->ObjectList[size_t(i)].get());
    gfx::TBitmap const* picture = b ? ObjectPicture(b) : nullptr;
    return picture && PictureHolds(*picture, b->SkinRect) ? b : nullptr;
}

gfx::TBitmap const* TspSkinMainMenuBar::ObjectPicture(TspDataSkinObject const* object) const
{
    TspSkinData* data = SkinData();
    if (!data || !object)
        return nullptr;
    int const i = object->ActivePictureIndex;
    gfx::TBitmap const* p = nullptr;
    if (i >= 0 && i < int(data->ActivePictures.size()))
        p = data->ActivePictures[size_t(i)].get();
    else if (i < 0)
        p = &data->Picture();
    return p && !p->Empty() ? p : nullptr;
}

// ---------------------------------------------------------------------------------------
// Geometry

int TspSkinMainMenuBar::ItemCount() const
{
    tk::TMainMenu* menu = FMainMenu.Get();
    if (!menu)
        return 0;
    int n = 0;
    for (int i = 0; i < menu->Items()->Count(); ++i)
        n += menu->Items()->Items(i)->Visible() ? 1 : 0;
    return n;
}

tk::TMenuItem* TspSkinMainMenuBar::Item(int index) const
{
    tk::TMainMenu* menu = FMainMenu.Get();
    if (!menu || index < 0)
        return nullptr;
    for (int i = 0; i < menu->Items()->Count(); ++i) {
        tk::TMenuItem* item = menu->Items()->Items(i);
        if (item->Visible() && index-- == 0)
            return item;
    }
    return nullptr;
}

TRect TspSkinMainMenuBar::ItemsArea() const
{
    TRect area = ClientRect();
    auto* look = LookAs<TspDataSkinMainMenuBar>();
    if (look && LookPicture() && !base::IsRectEmpty(look->ItemsRect)) {
        TRect const& s = look->SkinRect;
        TRect const& i = look->ItemsRect;
        // The items' rectangle is in the bar image's own coordinates; the ends keep their margins.
        area = Rect(i.Left, i.Top, Width() - (s.Width() - i.Right), Height() - (s.Height() - i.Bottom));
    }
    // The buttons take their room from the ends.
    if (FShowButtons) {
        area.Left = std::max(area.Left, ButtonRect(bbSysMenu).Right);
        for (TBarButton b : { bbMinimize, bbMaximize, bbClose })
            if (TRect const r = ButtonRect(b); !base::IsRectEmpty(r))
                area.Right = std::min(area.Right, r.Left);
    }
    return area;
}

gfx::TFont TspSkinMainMenuBar::ItemFont(base::TColor color) const
{
    if (auto* item = ItemLook())
        return LookFont(item->FontName, item->FontHeight, item->FontStyle, color);
    gfx::TFont font;
    font.Assign(Font());
    font.SetColor(color);
    return font;
}

// As a main-menu tab: the image's width less the text rectangle's, plus the caption's.
int TspSkinMainMenuBar::ItemWidth(int index) const
{
    tk::TMenuItem* item = Item(index);
    if (!item)
        return 0;
    gfx::TBitmap measure(1, 1);
    measure.Canvas().Font.Assign(ItemFont(0));
    TRect text = Rect(0, 0, 0, 0);
    measure.Canvas().DrawText(item->Caption(), text, gfx::DT_CALCRECT | gfx::DT_CENTER | gfx::DT_SINGLELINE);
    if (auto* look = ItemLook())
        return look->SkinRect.Width() - look->TextRect.Width() + text.Width() + 2;
    return text.Width() + PlainPadding;
}

TRect TspSkinMainMenuBar::ItemRect(int index) const
{
    if (index < 0 || index >= ItemCount())
        return TRect {};
    TRect const area = ItemsArea();
    int x = area.Left;
    for (int i = 0; i < index; ++i)
        x += ItemWidth(i);
    auto* look = ItemLook();
    int const h = look ? look->SkinRect.Height() : area.Height();
    TRect r = Rect(x, area.Top, x + ItemWidth(index), area.Top + h);
    // An item past the area's end does not show.
    return r.Right > area.Right ? TRect {} : r;
}

int TspSkinMainMenuBar::ItemAtPos(TPoint p) const
{
    for (int i = 0; i < ItemCount(); ++i)
        if (base::PtInRect(ItemRect(i), p))
            return i;
    return -1;
}

// The minimise, maximise and close buttons from the right, the system-menu button at the
// left, each its image's size, centred in the bar's height.
TRect TspSkinMainMenuBar::ButtonRect(TBarButton button) const
{
    if (!FShowButtons)
        return TRect {};
    auto size = [&](TBarButton b) {
        if (auto* look = ButtonLook(b))
            return base::TSize { look->SkinRect.Width(), look->SkinRect.Height() };
        return base::TSize { PlainButtonSize, std::min(PlainButtonSize, Height()) };
    };
    if (button == bbSysMenu) {
        base::TSize const s = size(bbSysMenu);
        int const top = (Height() - s.cy) / 2;
        return Rect(0, top, s.cx, top + s.cy);
    }
    int right = Width();
    for (TBarButton b : { bbClose, bbMaximize, bbMinimize }) {
        base::TSize const s = size(b);
        int const top = (Height() - s.cy) / 2;
        if (b == button)
            return Rect(right - s.cx, top, right, top + s.cy);
        right -= s.cx;
    }
    return TRect {};
}

void TspSkinMainMenuBar::GetSkinData()
{
    if (FPopup)
        FPopup->Close();
    auto* look = LookAs<TspDataSkinMainMenuBar>();
    if (look && LookPicture() && !base::IsRectEmpty(look->SkinRect))
        SetBounds(Left(), Top(), Width(), look->SkinRect.Height());
}

// ---------------------------------------------------------------------------------------
// Painting

bool TspSkinMainMenuBar::PaintSkin(gfx::TCanvas& canvas)
{
    auto* look = LookAs<TspDataSkinMainMenuBar>();
    gfx::TBitmap const* picture = LookPicture();
    if (!look || !picture || !PictureHolds(*picture, look->SkinRect))
        return false;
    TRect const& s = look->SkinRect;
    TRect const& ir = look->ItemsRect;
    int const a = base::IsRectEmpty(ir) ? 0 : std::max(0, ir.Left);
    int const b = base::IsRectEmpty(ir) ? 0 : std::max(0, s.Width() - ir.Right);
    gfx::TBitmap strip;
    ComposeHorzStrip(a, b, strip, Width(), s, *picture);
    canvas.StretchDraw(ClientRect(), strip);

    TspDataSkinMainMenuItem* item = ItemLook();
    canvas.SetBkMode(gfx::TRANSPARENT);
    for (int i = 0; i < ItemCount(); ++i) {
        TRect const r = ItemRect(i);
        if (base::IsRectEmpty(r))
            break;
        tk::TMenuItem* menuItem = Item(i);
        bool const pressed = i == FPressedIndex, hot = i == FHotIndex;
        base::TColor color = !menuItem->Enabled() ? (item ? item->UnEnabledFontColor : base::clGrayText)
            : pressed                             ? (item ? item->DownFontColor : base::clHighlightText)
            : hot                                 ? (item ? item->ActiveFontColor : base::clHighlightText)
                                                  : (item ? item->FontColor : base::clWindowText);
        TRect text = Rect(r.Left, r.Top, r.Right, r.Bottom);
        if (item) {
            gfx::TBitmap const& own = *ObjectPicture(item);
            TRect const src = pressed
                ? FirstNonEmpty({ item->DownRect, item->ActiveSkinRect, item->SkinRect })
                : hot && menuItem->Enabled() ? FirstNonEmpty({ item->ActiveSkinRect, item->SkinRect })
                                             : item->SkinRect;
            if (PictureHolds(own, src)) {
                gfx::TBitmap image;
                ComposeHorzStrip(item->ItemLeftOffset, item->ItemRightOffset, image, r.Width(), src, own);
                canvas.Draw(r.Left, r.Top, image);
            }
            TRect const& t = item->TextRect;
            if (!base::IsRectEmpty(t))
                text = Rect(r.Left + t.Left, r.Top + t.Top, r.Right - (item->SkinRect.Width() - t.Right),
                    r.Top + t.Bottom);
        } else if (pressed || hot) {
            canvas.Brush.Style = gfx::bsSolid;
            canvas.Brush.Color = base::ColorToRGB(base::clHighlight);
            canvas.FillRect(r);
        }
        canvas.Font.Assign(ItemFont(color));
        canvas.DrawText(menuItem->Caption(), text, gfx::DT_CENTER | gfx::DT_VCENTER | gfx::DT_SINGLELINE);
    }
    PaintButtons(canvas);
    return true;
}

void TspSkinMainMenuBar::PaintPlain(gfx::TCanvas& canvas)
{
    canvas.Brush.Style = gfx::bsSolid;
    canvas.Brush.Color = base::ColorToRGB(base::clBtnFace);
    canvas.FillRect(ClientRect());
    canvas.SetBkMode(gfx::TRANSPARENT);
    for (int i = 0; i < ItemCount(); ++i) {
        TRect r = ItemRect(i);
        if (base::IsRectEmpty(r))
            break;
        tk::TMenuItem* menuItem = Item(i);
        bool const lit = i == FPressedIndex || i == FHotIndex;
        if (lit) {
            canvas.Brush.Color = base::ColorToRGB(base::clHighlight);
            canvas.FillRect(r);
        }
        canvas.Font.Assign(ItemFont(!menuItem->Enabled() ? base::clGrayText
                : lit                                    ? base::clHighlightText
                                                         : base::clWindowText));
        canvas.DrawText(menuItem->Caption(), r, gfx::DT_CENTER | gfx::DT_VCENTER | gfx::DT_SINGLELINE);
    }
    PaintButtons(canvas);
}

void TspSkinMainMenuBar::PaintButtons(gfx::TCanvas& canvas)
{
    if (!FShowButtons)
        return;
    for (int b = 0; b < bbCount; ++b) {
        TRect const r = ButtonRect(TBarButton(b));
        if (auto* look = ButtonLook(TBarButton(b))) {
            TRect const src = b == FDownButton
                ? FirstNonEmpty({ look->DownRect, look->ActiveSkinRect, look->SkinRect })
                : b == FHotButton ? FirstNonEmpty({ look->ActiveSkinRect, look->SkinRect })
                                  : look->SkinRect;
            gfx::TBitmap const& p = *ObjectPicture(look);
            if (PictureHolds(p, src))
                gfx::StretchBlt(canvas, r.Left, r.Top, r.Width(), r.Height(), p, src.Left, src.Top,
                    src.Width(), src.Height(), gfx::SRCCOPY);
            continue;
        }
        // Plain: a framed square with a mark of the command.
        canvas.Brush.Style = gfx::bsSolid;
        canvas.Brush.Color = base::ColorToRGB(b == FDownButton ? base::clBtnShadow : base::clBtnFace);
        canvas.FillRect(r);
        canvas.Brush.Color = base::ColorToRGB(base::clBtnShadow);
        canvas.FrameRect(r);
        canvas.Brush.Color = base::ColorToRGB(base::clWindowText);
        int const cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
        if (b == bbMinimize)
            canvas.FillRect(Rect(cx - 3, cy + 2, cx + 4, cy + 4));
        else if (b == bbMaximize)
            canvas.FrameRect(Rect(cx - 4, cy - 4, cx + 4, cy + 4));
        else if (b == bbClose)
            for (int i = -3; i <= 3; ++i) {
                canvas.FillRect(Rect(cx + i, cy + i, cx + i + 1, cy + i + 1));
                canvas.FillRect(Rect(cx + i, cy - i, cx + i + 1, cy - i + 1));
            }
        else
            canvas.FillRect(Rect(cx - 4, cy - 1, cx + 4, cy + 1));
    }
}

// ---------------------------------------------------------------------------------------
// Input

void TspSkinMainMenuBar::OpenItem(int index)
{
    tk::TMenuItem* item = Item(index);
    if (!item || !item->Enabled())
        return;
    if (item->Count() == 0) {
        // An item without sub-items runs at once.
        FPressedIndex = -1;
        Invalidate();
        item->Click();
        return;
    }
    if (!FPopup) {
        FPopup.reset(new TspSkinPopupMenu(nullptr));
        FPopup->OnClose = [this] {
            FPressedIndex = -1;
            Invalidate();
            GiveFocusBack();
        };
        FPopup->OnBarMove = [this](int direction) {
            // The next enabled item with sub-items, round the bar.
            int const n = ItemCount();
            for (int k = 1; k < n; ++k) {
                int const i = ((FPressedIndex + direction * k) % n + n) % n;
                tk::TMenuItem* item = Item(i);
                if (item && item->Enabled() && item->Count() > 0 && !base::IsRectEmpty(ItemRect(i))) {
                    OpenItem(i);
                    return;
                }
            }
        };
    }
    FPopup->Close();
    TRect r = ItemRect(index);
    TPoint const tl = ClientToScreen({ r.Left, r.Top });
    base::OffsetRect(r, tl.X - r.Left, tl.Y - r.Top);
    FPressedIndex = index;
    Invalidate();
    tk::TForm* form = GetParentForm();
    FPopup->PopupUnder(item, r, false, SkinData(), 255, form ? form->WindowHandle() : nullptr);
    if (!FPopup->Visible()) {
        FPressedIndex = -1;
        Invalidate();
        return;
    }
    TakeFocus();
}

void TspSkinMainMenuBar::TakeFocus()
{
    tk::TForm* form = GetParentForm();
    if (!form || Focused())
        return;
    FPreviousFocus = form->ActiveControl();
    FControlStyle |= tk::csFocusable;
    if (CanFocus())
        SetFocus();
    else
        FControlStyle &= ~tk::csFocusable;
}

void TspSkinMainMenuBar::GiveFocusBack()
{
    if (!(FControlStyle & tk::csFocusable) || IsDestroying())
        return;
    tk::TControl* previous = FPreviousFocus.Get();
    FPreviousFocus = nullptr;
    tk::TForm* form = GetParentForm();
    if (form && Focused())
        form->SetActiveControl(previous && previous->CanFocus() ? previous : nullptr);
    FControlStyle &= ~tk::csFocusable;
}

void TspSkinMainMenuBar::KeyDown(win::WORD& key, tk::TShiftState shift)
{
    if (Popup() && FPopup->KeyDown(int(key))) {
        key = 0;
        return;
    }
    TspSkinControl::KeyDown(key, shift);
}

void TspSkinMainMenuBar::KeyPress(char& key)
{
    if (Popup() && FPopup->KeyChar(key)) {
        key = 0;
        return;
    }
    TspSkinControl::KeyPress(key);
}

void TspSkinMainMenuBar::RunButton(TBarButton button)
{
    tk::TForm* form = GetParentForm();
    if (!form)
        return;
    switch (button) {
    case bbClose:
        form->Close();
        break;
    case bbMinimize:
        form->SetWindowState(tk::wsMinimized);
        break;
    case bbMaximize:
        form->SetWindowState(form->WindowState() == tk::wsMaximized ? tk::wsNormal : tk::wsMaximized);
        break;
    default:
        break;
    }
}

void TspSkinMainMenuBar::MouseDown(tk::TMouseButton button, tk::TShiftState shift, int x, int y)
{
    TspSkinControl::MouseDown(button, shift, x, y);
    if (button != tk::mbLeft)
        return;
    for (int b = 0; b < bbCount; ++b)
        if (base::PtInRect(ButtonRect(TBarButton(b)), { x, y })) {
            FDownButton = b;
            Invalidate();
            return;
        }
    int const i = ItemAtPos({ x, y });
    if (i >= 0 && i == FPressedIndex && Popup()) {
        FPopup->Close();
        return;
    }
    OpenItem(i);
}

void TspSkinMainMenuBar::MouseUp(tk::TMouseButton button, tk::TShiftState shift, int x, int y)
{
    int const down = std::exchange(FDownButton, -1);
    if (down >= 0) {
        Invalidate();
        if (base::PtInRect(ButtonRect(TBarButton(down)), { x, y })) {
            TspSkinControl::MouseUp(button, shift, x, y);
            RunButton(TBarButton(down)); // may close the form: last
            return;
        }
    }
    TspSkinControl::MouseUp(button, shift, x, y);
}

void TspSkinMainMenuBar::SetHotIndex(int index)
{
    if (index == FHotIndex)
        return;
    FHotIndex = index;
    Invalidate();
}

void TspSkinMainMenuBar::MouseMove(tk::TShiftState shift, int x, int y)
{
    TspSkinControl::MouseMove(shift, x, y);
    SetHotIndex(ItemAtPos({ x, y }));
    int hot = -1;
    for (int b = 0; b < bbCount; ++b)
        if (base::PtInRect(ButtonRect(TBarButton(b)), { x, y }))
            hot = b;
    if (hot != FHotButton) {
        FHotButton = hot;
        Invalidate();
    }
}

void TspSkinMainMenuBar::MouseLeave()
{
    FHotIndex = -1;
    FHotButton = -1;
    TspSkinControl::MouseLeave();
}

void TspSkinMainMenuBar::DefineProperties(tk::TProperties& p)
{
    TspSkinControl::DefineProperties(p);
    p.Reference(
        "MainMenu", [this] { return static_cast<tk::TComponent*>(FMainMenu.Get()); },
        [this](tk::TComponent* c) { SetMainMenu(dynamic_cast<tk::TMainMenu*>(c)); });
    p.Boolean(
        "ShowButtons", [this] { return FShowButtons; }, [this](bool v) { SetShowButtons(v); }, false);
}

} // namespace xe::skin
