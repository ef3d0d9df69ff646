#include "skin/form/SkinPopupMenu.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/windows/WinUser.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinObjects.h"
#include "skin/draw/FrameImage.h"
#include "skin/draw/WorkArea.h"

#include <algorithm>
#include <cctype>

namespace xe::skin {

using base::TPoint;
using base::TRect;

namespace {

constexpr int PlainSeparatorHeight = 8;
constexpr int PlainTextLeft = 22;
constexpr int PlainGap = 24; // between a caption and its short-cut text

gfx::TBitmap const* PictureOf(TspSkinData* data, int index)
{
    if (!data || index < 0 || index >= int(data->ActivePictures.size()))
        return nullptr;
    gfx::TBitmap const* b = data->ActivePictures[size_t(index)].get();
    return b && !b->Empty() ? b : nullptr;
}

TspDataSkinMenuItem const* MenuItemData(TspSkinData* data, int index)
{
    if (!data || index < 0 || index >= int(data->ObjectList.size()))
        return nullptr;
    return dynamic_cast<TspDataSkinMenuItem const*>(data->ObjectList[size_t(index)].get());
}

} // namespace

TspSkinPopupMenu::TspSkinPopupMenu(tk::TComponent* owner)
    : tk::TComponent(owner)
{
}

TspSkinPopupMenu::~TspSkinPopupMenu()
{
    OnClose = nullptr;
    Destroy();
}

bool TspSkinPopupMenu::Selectable(int index) const
{
    return index >= 0 && index < ItemCount() && !FItems[size_t(index)]->IsLine()
        && FItems[size_t(index)]->Enabled();
}

void TspSkinPopupMenu::Layout(TspSkinData* data)
{
    FSkinData = data && !data->Empty() ? data : nullptr;
    FMenuItemIndex = FSkinData ? FSkinData->IndexOfObject("menuitem") : -1;
    TspDataSkinMenuItem const* mi = MenuItemData(FSkinData, FMenuItemIndex);
    FSkinned = mi && !base::IsRectEmpty(mi->SkinRect);
    if (!FSkinned)
        FMenuItemIndex = -1;

    gfx::TBitmap measure(1, 1);
    gfx::TCanvas c(measure);
    c.Font.SetName(FSkinned && !mi->FontName.empty() ? mi->FontName : "Arial");
    c.Font.SetHeight(FSkinned && mi->FontHeight > 0 ? mi->FontHeight : 14);
    if (FSkinned)
        c.Font.SetStyle(mi->FontStyle);
    int textW = 0, cutW = 0;
    for (tk::TMenuItem* item : FItems) {
        if (item->IsLine())
            continue;
        textW = std::max(textW, c.TextWidth(tk::StripHotkey(item->Caption())));
        cutW = std::max(cutW, c.TextWidth(tk::ShortCutToText(item->ShortCut())));
    }
    int const itemH = FSkinned ? mi->SkinRect.Height() : DefItemHeight;
    int const lineH
        = FSkinned && !base::IsRectEmpty(mi->DividerRect) ? mi->DividerRect.Height() : PlainSeparatorHeight;
    int textLeft = PlainTextLeft, textRightMargin = 8;
    if (FSkinned && !base::IsRectEmpty(mi->TextRect)) {
        textLeft = mi->TextRect.Left;
        textRightMargin = mi->SkinRect.Width() - mi->TextRect.Right;
    }
    int const itemW = textLeft + textW + (cutW ? PlainGap + cutW : 0) + textRightMargin;

    // Where the items go inside the window: the popup picture's items rectangle, or a
    // one-pixel border.
    TRect inner = base::Rect(1, 1, 1, 1); // left, top, right and bottom margins
    gfx::TBitmap const* frame
        = FSkinned ? PictureOf(FSkinData, FSkinData->PopupWindow.WindowPictureIndex) : nullptr;
    TRect const itemsRect = FSkinData ? FSkinData->PopupWindow.ItemsRect : TRect {};
    if (frame && !base::IsRectEmpty(itemsRect))
        inner = base::Rect(itemsRect.Left, itemsRect.Top, frame->Width() - itemsRect.Right,
            frame->Height() - itemsRect.Bottom);
    FRects.clear();
    int y = inner.Top;
    for (tk::TMenuItem* item : FItems) {
        int const h = item->IsLine() ? lineH : itemH;
        FRects.push_back(base::Rect(inner.Left, y, inner.Left + itemW, y + h));
        y += h;
    }
    FWidth = inner.Left + itemW + inner.Right;
    FHeight = y + inner.Bottom;
    if (frame) {
        FWidth = std::max(FWidth, inner.Left + inner.Right + 1);
        FHeight = std::max(FHeight, inner.Top + inner.Bottom + 1);
    }
}

void TspSkinPopupMenu::Popup(
    tk::TMenuItem* root, TPoint screen, TspSkinData* skinData, int alpha, win::HWND owner)
{
    Close();
    FItems.clear();
    FItemIndex = -1;
    if (!root)
        return;
    for (int i = 0; i < root->Count(); ++i)
        if (root->Items(i)->Visible())
            FItems.push_back(root->Items(i));
    if (FItems.empty())
        return;
    Layout(skinData);

    TRect area
        = base::Rect(0, 0, win::GetSystemMetrics(win::SM_CXSCREEN), win::GetSystemMetrics(win::SM_CYSCREEN));
    win::MONITORINFO info {};
    info.cbSize = sizeof(info);
    if (win::GetMonitorInfo(
            win::MonitorFromPoint({ screen.X, screen.Y }, win::MONITOR_DEFAULTTONEAREST), &info))
        area = info.rcWork;
    int x = screen.X, y = screen.Y;
    if (x + FWidth > area.Right)
        x = std::max(area.Left, area.Right - FWidth);
    if (y + FHeight > area.Bottom)
        y = std::max(area.Top, y - FHeight);

    FInstance = win::MakeObjectInstance([this](win::HWND h, win::UINT msg, win::WPARAM wp, win::LPARAM lp) {
        return WndProc(h, msg, wp, lp);
    });
    win::DWORD exStyle = win::WS_EX_TOPMOST | win::WS_EX_TOOLWINDOW | win::WS_EX_NOACTIVATE;
    if (alpha < 255)
        exStyle |= win::WS_EX_LAYERED;
    FHandle = win::CreateWindowEx(exStyle, "", win::WS_POPUP, x, y, FWidth, FHeight, owner, FInstance);
    if (!FHandle) {
        win::FreeObjectInstance(FInstance);
        FInstance = nullptr;
        return;
    }
    if (alpha < 255)
        win::SetLayeredWindowAttributes(FHandle, 0, uint8_t(std::clamp(alpha, 0, 255)), win::LWA_ALPHA);
    win::ShowWindow(FHandle, win::SW_SHOWNOACTIVATE);
    win::UpdateWindow(FHandle);
    FArmed = false;
    win::GetCursorPos(&FOpenCursor);
    // Every press comes here, so that a click outside closes the menu.
    win::SetCapture(FHandle);
    if (OnOpen)
        OnOpen();
}

void TspSkinPopupMenu::Destroy()
{
    win::HWND const h = FHandle;
    if (!h)
        return;
    FHandle = nullptr;
    if (win::GetCapture() == h)
        win::ReleaseCapture();
    win::DestroyWindow(h);
    if (FInstance)
        win::FreeObjectInstance(FInstance);
    FInstance = nullptr;
}

void TspSkinPopupMenu::Close()
{
    if (!FHandle)
        return;
    Destroy();
    FItemIndex = -1;
    if (OnClose)
        OnClose();
}

void TspSkinPopupMenu::Choose(int index)
{
    if (!Selectable(index))
        return;
    tk::TMenuItem* item = FItems[size_t(index)];
    // The menu is gone before the action runs: the action may free the form that opened it.
    Close();
    item->Click();
}

int TspSkinPopupMenu::ItemAt(TPoint p) const
{
    for (int i = 0; i < ItemCount(); ++i)
        if (base::PtInRect(FRects[size_t(i)], p))
            return i;
    return -1;
}

void TspSkinPopupMenu::SetItemIndex(int index)
{
    if (index == FItemIndex)
        return;
    FItemIndex = index;
    if (FHandle)
        win::InvalidateRect(FHandle, nullptr, win::FALSE);
}

void TspSkinPopupMenu::MoveBy(int step)
{
    int const n = ItemCount();
    if (n == 0)
        return;
    int i = FItemIndex;
    for (int k = 0; k < n; ++k) {
        i = i < 0 ? (step > 0 ? 0 : n - 1) : (i + step + n) % n;
        if (Selectable(i)) {
            SetItemIndex(i);
            return;
        }
    }
}

bool TspSkinPopupMenu::KeyDown(int vk)
{
    if (!FHandle)
        return false;
    switch (vk) {
    case win::VK_DOWN:
        MoveBy(1);
        return true;
    case win::VK_UP:
        MoveBy(-1);
        return true;
    case win::VK_RETURN:
        if (Selectable(FItemIndex))
            Choose(FItemIndex);
        else
            Close();
        return true;
    case win::VK_ESCAPE:
        Close();
        return true;
    default:
        return false;
    }
}

bool TspSkinPopupMenu::KeyChar(char c)
{
    if (!FHandle)
        return false;
    for (int i = 0; i < ItemCount(); ++i)
        if (Selectable(i) && tk::IsAccel(c, FItems[size_t(i)]->Caption())) {
            Choose(i);
            return true;
        }
    return true; // an open menu swallows the other characters
}

win::LRESULT TspSkinPopupMenu::WndProc(win::HWND h, win::UINT msg, win::WPARAM wp, win::LPARAM lp)
{
    switch (msg) {
    case win::WM_PAINT: {
        win::PAINTSTRUCT ps;
        if (win::HDC dc = win::BeginPaint(h, &ps))
            Paint(*dc);
        win::EndPaint(h, &ps);
        return 0;
    }
    case win::WM_ERASEBKGND:
        return 1;
    case win::WM_MOUSEACTIVATE:
        return win::MA_NOACTIVATE;
    case win::WM_MOUSEMOVE: {
        win::POINT cursor;
        win::GetCursorPos(&cursor);
        if (cursor != FOpenCursor)
            FArmed = true;
        int const i = ItemAt(win::LParamToPoint(lp));
        SetItemIndex(Selectable(i) ? i : -1);
        return 0;
    }
    case win::WM_LBUTTONDOWN:
    case win::WM_RBUTTONDOWN:
        if (!base::PtInRect(base::Rect(0, 0, FWidth, FHeight), win::LParamToPoint(lp)))
            Close();
        else
            FArmed = true;
        return 0;
    case win::WM_LBUTTONUP:
    case win::WM_RBUTTONUP: {
        int const i = ItemAt(win::LParamToPoint(lp));
        if (FArmed && Selectable(i))
            Choose(i);
        return 0;
    }
    case win::WM_KEYDOWN:
        KeyDown(int(wp));
        return 0;
    case win::WM_CHAR:
        KeyChar(char(wp));
        return 0;
    case win::WM_CAPTURECHANGED:
        // Another window took the mouse: the menu gives up.
        if (FHandle == h && reinterpret_cast<win::HWND>(lp) != h)
            Close();
        return 0;
    default:
        return win::DefWindowProc(h, msg, wp, lp);
    }
}

void TspSkinPopupMenu::Paint(gfx::TCanvas& canvas)
{
    TspDataSkinMenuItem const* mi = FSkinned ? MenuItemData(FSkinData, FMenuItemIndex) : nullptr;
    gfx::TBitmap const* frame
        = mi ? PictureOf(FSkinData, FSkinData->PopupWindow.WindowPictureIndex) : nullptr;
    if (frame) {
        auto const& pw = FSkinData->PopupWindow;
        int const dw = FWidth - frame->Width(), dh = FHeight - frame->Height();
        TFrameCut const src { pw.LTPoint, pw.RTPoint, pw.LBPoint, pw.RBPoint, pw.ItemsRect };
        TFrameCut dst = src;
        dst.RT.X += dw;
        dst.LB.Y += dh;
        dst.RB.X += dw;
        dst.RB.Y += dh;
        dst.C.Right += dw;
        dst.C.Bottom += dh;
        gfx::TBitmap image;
        ComposeTiledFrameImage(src, dst, image, *frame, base::Rect(0, 0, frame->Width(), frame->Height()),
            FWidth, FHeight, true);
        canvas.Draw(0, 0, image);
    } else {
        canvas.Brush.Color = base::clMenu;
        canvas.FillRect(base::Rect(0, 0, FWidth, FHeight));
        canvas.Brush.Color = base::clBtnShadow;
        canvas.FrameRect(base::Rect(0, 0, FWidth, FHeight));
    }
    gfx::TBitmap const* itemPicture = nullptr;
    if (mi)
        itemPicture = mi->ActivePictureIndex >= 0
            ? PictureOf(FSkinData, mi->ActivePictureIndex)
            : (FSkinData->Picture().Empty() ? nullptr : &FSkinData->Picture());
    canvas.Font.SetName(mi && !mi->FontName.empty() ? mi->FontName : "Arial");
    canvas.Font.SetHeight(mi && mi->FontHeight > 0 ? mi->FontHeight : 14);
    canvas.Font.SetStyle(mi ? mi->FontStyle : 0);
    canvas.SetBkMode(gfx::TRANSPARENT);
    for (int i = 0; i < ItemCount(); ++i) {
        tk::TMenuItem* item = FItems[size_t(i)];
        TRect const r = FRects[size_t(i)];
        bool const lit = i == FItemIndex;
        if (item->IsLine()) {
            if (mi && itemPicture && !base::IsRectEmpty(mi->DividerRect)) {
                gfx::TBitmap strip;
                ComposeHorzStrip(mi->DividerLeftOffset, mi->DividerRightOffset, strip, r.Width(),
                    mi->DividerRect, *itemPicture);
                canvas.Draw(r.Left, r.Top, strip);
            } else {
                int const y = (r.Top + r.Bottom) / 2;
                canvas.Brush.Color = base::clBtnShadow;
                canvas.FillRect(base::Rect(r.Left + 2, y - 1, r.Right - 2, y));
                canvas.Brush.Color = base::clBtnHighlight;
                canvas.FillRect(base::Rect(r.Left + 2, y, r.Right - 2, y + 1));
            }
            continue;
        }
        TRect text = base::Rect(r.Left + PlainTextLeft, r.Top, r.Right - 8, r.Bottom);
        base::TColor color
            = item->Enabled() ? (lit ? base::clHighlightText : base::clMenuText) : base::clGrayText;
        if (mi && itemPicture) {
            TRect const source
                = lit && !base::IsRectEmpty(mi->ActiveSkinRect) ? mi->ActiveSkinRect : mi->SkinRect;
            gfx::TBitmap strip;
            ComposeHorzStrip(mi->ItemLeftOffset, mi->ItemRightOffset, strip, r.Width(), source, *itemPicture);
            canvas.Draw(r.Left, r.Top, strip);
            if (!base::IsRectEmpty(mi->TextRect))
                text = base::Rect(r.Left + mi->TextRect.Left, r.Top + mi->TextRect.Top,
                    r.Right - (mi->SkinRect.Width() - mi->TextRect.Right), r.Top + mi->TextRect.Bottom);
            color = !item->Enabled() ? mi->UnEnabledFontColor : lit ? mi->ActiveFontColor : mi->FontColor;
        } else if (lit) {
            canvas.Brush.Color = base::clHighlight;
            canvas.FillRect(base::Rect(r.Left + 1, r.Top, r.Right - 1, r.Bottom));
        }
        canvas.Font.SetColor(color);
        TRect t = text;
        canvas.DrawText(item->Caption(), t, gfx::DT_LEFT | gfx::DT_VCENTER | gfx::DT_SINGLELINE);
        std::string const cut = tk::ShortCutToText(item->ShortCut());
        if (!cut.empty()) {
            t = text;
            canvas.DrawText(cut, t, gfx::DT_RIGHT | gfx::DT_VCENTER | gfx::DT_SINGLELINE | gfx::DT_NOPREFIX);
        }
    }
}

} // namespace xe::skin
