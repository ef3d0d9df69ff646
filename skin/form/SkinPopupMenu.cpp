#include "skin/form/SkinPopupMenu.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/toolkit/Persistence.h"
#include "platform/windows/WinUser.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinObjects.h"
#include "skin/draw/FrameImage.h"
#include "skin/draw/WorkArea.h"
#include "skin/form/PopupWindow.h"

#include <algorithm>
#include <cctype>

namespace xe::skin {

using base::TPoint;
using base::TRect;

namespace {

constexpr int PlainSeparatorHeight = 8;
constexpr int PlainTextLeft = 22;
constexpr int PlainGap = 24; // between a caption and its short-cut text
constexpr int SubMenuMarkWidth = 12; // room for the arrow of an item with sub-items
constexpr int ScrollMarkHeight = 12;
constexpr win::UINT_PTR ScrollTimerId = 1;
constexpr unsigned ScrollInterval = 60; // ms per item while the mouse rests on a scroll mark
constexpr win::UINT WM_REFERENCEGONE = win::WM_USER + 1; // an item or the skin data was freed

// The work area of the monitor nearest the point.
TRect WorkAreaAt(TPoint p)
{
    TRect area
        = base::Rect(0, 0, win::GetSystemMetrics(win::SM_CXSCREEN), win::GetSystemMetrics(win::SM_CYSCREEN));
    win::MONITORINFO info {};
    info.cbSize = sizeof(info);
    if (win::GetMonitorInfo(win::MonitorFromPoint({ p.X, p.Y }, win::MONITOR_DEFAULTTONEAREST), &info))
        area = info.rcWork;
    return area;
}

// Where a window of the given size goes along one axis of the area: at pos when it fits,
// else at flip (to the left or above), and pushed inside the area either way.
int KeepInside(int pos, int size, int flip, int lo, int hi)
{
    if (pos + size > hi)
        pos = flip;
    return std::max(lo, std::min(pos, hi - size));
}

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

TspSkinData* TspSkinPopupMenu::SkinData() const { return FOwnSkinData.Get(); }

void TspSkinPopupMenu::SetSkinData(TspSkinData* value) { FOwnSkinData.Set(value); }

void TspSkinPopupMenu::DefineProperties(tk::TProperties& p)
{
    tk::TComponent::DefineProperties(p);
    p.Reference(
        "SkinData", [this] { return static_cast<tk::TComponent*>(FOwnSkinData.Get()); },
        [this](tk::TComponent* c) { SetSkinData(dynamic_cast<TspSkinData*>(c)); });
}

TspSkinPopupMenu::TspSkinPopupMenu(tk::TComponent* owner)
    : tk::TComponent(owner)
{
    FSkinData.SetOnFree([this] { ReferenceGone(); });
    FGivenSkinData.SetOnFree([this] { ReferenceGone(); });
    DefItemFont.SetName("Arial");
    DefItemFont.SetHeight(14);
}

void TspSkinPopupMenu::ItemFont(gfx::TFont& font) const
{
    TspDataSkinMenuItem const* mi = FSkinned ? MenuItemData(FSkinData, FMenuItemIndex) : nullptr;
    if (mi && UseSkinFont && !mi->FontName.empty()) {
        font.SetName(mi->FontName);
        font.SetHeight(mi->FontHeight > 0 ? mi->FontHeight : DefItemFont.Height());
        font.SetStyle(mi->FontStyle);
        return;
    }
    font.SetName(DefItemFont.Name());
    font.SetHeight(DefItemFont.Height());
    font.SetStyle(DefItemFont.Style());
    font.SetCharset(DefItemFont.Charset());
}

void TspSkinPopupMenu::ReferenceGone()
{
    // Called inside the free: the menu draws plain until its window hears about it.
    FSkinned = false;
    FMenuItemIndex = -1;
    if (FHandle)
        win::PostMessage(FHandle, WM_REFERENCEGONE, 0, 0);
}

TspSkinPopupMenu::~TspSkinPopupMenu()
{
    OnClose = nullptr;
    Destroy();
}

bool TspSkinPopupMenu::Selectable(int index) const
{
    return index >= 0 && index < ItemCount() && FItems[size_t(index)] && !FItems[size_t(index)]->IsLine()
        && FItems[size_t(index)]->Enabled() && ItemShown(index);
}

bool TspSkinPopupMenu::HasSubItems(int index) const
{
    if (index < 0 || index >= ItemCount())
        return false;
    tk::TMenuItem const* item = FItems[size_t(index)];
    if (!item)
        return false;
    for (int i = 0; i < item->Count(); ++i)
        if (item->Items(i)->Visible())
            return true;
    return false;
}

TspSkinPopupMenu* TspSkinPopupMenu::Root()
{
    TspSkinPopupMenu* m = this;
    while (m->FParentMenu)
        m = m->FParentMenu;
    return m;
}

TspSkinPopupMenu* TspSkinPopupMenu::Deepest()
{
    TspSkinPopupMenu* m = this;
    while (m->FChild && m->FChild->FHandle)
        m = m->FChild.get();
    return m;
}

TRect TspSkinPopupMenu::ScreenRect() const
{
    win::RECT r {};
    if (FHandle)
        win::GetWindowRect(FHandle, &r);
    return r;
}

bool TspSkinPopupMenu::LoadItems(tk::TMenuItem* root)
{
    FItems.clear();
    FItemIndex = -1;
    FTopIndex = 0;
    FScrollHot = 0;
    if (!root)
        return false;
    for (int i = 0; i < root->Count(); ++i)
        if (root->Items(i)->Visible()) {
            FItems.emplace_back(root->Items(i));
            FItems.back().SetOnFree([this] { ReferenceGone(); });
        }
    return !FItems.empty();
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
    ItemFont(c.Font);
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
    bool anySubItems = false;
    for (int i = 0; i < ItemCount(); ++i)
        anySubItems = anySubItems || HasSubItems(i);
    int const itemW = textLeft + textW + (cutW ? PlainGap + cutW : 0) + (anySubItems ? SubMenuMarkWidth : 0)
        + textRightMargin;

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
    FInner = inner;
    FScrollable = false;
    FItemsTop = inner.Top;
    FItemsBottom = y;
}

void TspSkinPopupMenu::FitToArea(TRect const& area)
{
    int const room = area.Height();
    if (FHeight <= room || room <= FInner.Top + FInner.Bottom + 2 * ScrollMarkHeight)
        return;
    FScrollable = true;
    FHeight = room;
    FItemsTop = FInner.Top + ScrollMarkHeight;
    FItemsBottom = FHeight - FInner.Bottom - ScrollMarkHeight;
}

TRect TspSkinPopupMenu::ShownRect(int index) const
{
    TRect r = FRects.at(size_t(index));
    if (FScrollable)
        base::OffsetRect(r, 0, FItemsTop - FRects[size_t(FTopIndex)].Top);
    return r;
}

bool TspSkinPopupMenu::ItemShown(int index) const
{
    if (index < 0 || index >= int(FRects.size()))
        return false;
    if (!FScrollable)
        return true;
    TRect const r = ShownRect(index);
    return r.Top >= FItemsTop && r.Bottom <= FItemsBottom;
}

TRect TspSkinPopupMenu::ScrollMarkRect(int direction) const
{
    if (!FScrollable)
        return {};
    int const top = direction < 0 ? FInner.Top : FItemsBottom;
    return base::Rect(FInner.Left, top, FWidth - FInner.Right, top + ScrollMarkHeight);
}

void TspSkinPopupMenu::Scroll(int step)
{
    if (!FScrollable || FRects.empty())
        return;
    // The last first item that still fills the band to the end.
    int maxTop = int(FRects.size()) - 1;
    while (maxTop > 0 && FRects.back().Bottom - FRects[size_t(maxTop - 1)].Top <= FItemsBottom - FItemsTop)
        --maxTop;
    int const top = std::clamp(FTopIndex + step, 0, maxTop);
    if (top == FTopIndex)
        return;
    FTopIndex = top;
    // The child stood beside an item that has moved.
    CloseChild();
    if (!ItemShown(FItemIndex))
        FItemIndex = -1;
    if (FHandle)
        win::InvalidateRect(FHandle, nullptr, win::FALSE);
}

void TspSkinPopupMenu::SetScrollHot(int direction)
{
    if (direction == FScrollHot || !FHandle)
        return;
    FScrollHot = direction;
    if (direction != 0) {
        Scroll(direction);
        win::SetTimer(FHandle, ScrollTimerId, ScrollInterval);
    } else {
        win::KillTimer(FHandle, ScrollTimerId);
    }
    win::InvalidateRect(FHandle, nullptr, win::FALSE);
}

void TspSkinPopupMenu::Popup(
    tk::TMenuItem* root, TPoint screen, TspSkinData* skinData, int alpha, win::HWND owner)
{
    Close();
    if (!LoadItems(root))
        return;
    FGivenSkinData = skinData;
    Layout(skinData);
    TRect const area = WorkAreaAt(screen);
    FitToArea(area);
    // A point outside the work area (a tray icon on a panel) still opens it inside.
    int const x = KeepInside(screen.X, FWidth, screen.X - FWidth, area.Left, area.Right);
    int const y = KeepInside(screen.Y, FHeight, screen.Y - FHeight, area.Top, area.Bottom);
    Open(x, y, alpha, owner, true);
}

void TspSkinPopupMenu::PopupUnder(tk::TMenuItem* root, TRect const& screenRect, bool above,
    TspSkinData* skinData, int alpha, win::HWND owner)
{
    Close();
    if (!LoadItems(root))
        return;
    FGivenSkinData = skinData;
    Layout(skinData);
    TRect const area = WorkAreaAt({ screenRect.Left, screenRect.Bottom });
    FitToArea(area);
    int const x = KeepInside(screenRect.Left, FWidth, screenRect.Right - FWidth, area.Left, area.Right);
    int y = above ? screenRect.Top - FHeight : screenRect.Bottom;
    if (!above && y + FHeight > area.Bottom)
        y = screenRect.Top - FHeight;
    else if (above && y < area.Top)
        y = screenRect.Bottom;
    y = std::max(area.Top, std::min(y, area.Bottom - FHeight));
    Open(x, y, alpha, owner, true);
}

void TspSkinPopupMenu::Open(int x, int y, int alpha, win::HWND owner, bool capture)
{
    FAlpha = alpha;
    FOwnerWindow = owner;
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
    int const target = std::clamp(alpha, 0, 255);
    if (AlphaBlendAnimation) {
        win::SetWindowLongPtr(FHandle, win::GWL_EXSTYLE,
            win::GetWindowLongPtr(FHandle, win::GWL_EXSTYLE) | win::LONG_PTR(win::WS_EX_LAYERED));
        win::SetLayeredWindowAttributes(FHandle, 0, 0, win::LWA_ALPHA);
    } else if (alpha < 255) {
        win::SetLayeredWindowAttributes(FHandle, 0, uint8_t(target), win::LWA_ALPHA);
    }
    win::ShowWindow(FHandle, win::SW_SHOWNOACTIVATE);
    win::UpdateWindow(FHandle);
    if (AlphaBlendAnimation) {
        // Without waiting between steps, as the form's own fade-in does.
        for (int a = 16; a < target; a += 16)
            win::SetLayeredWindowAttributes(FHandle, 0, uint8_t(a), win::LWA_ALPHA);
        win::SetLayeredWindowAttributes(FHandle, 0, uint8_t(target), win::LWA_ALPHA);
        if (target == 255)
            win::SetWindowLongPtr(FHandle, win::GWL_EXSTYLE,
                win::GetWindowLongPtr(FHandle, win::GWL_EXSTYLE) & ~win::LONG_PTR(win::WS_EX_LAYERED));
    }
    if (!capture)
        return;
    FArmed = false;
    win::GetCursorPos(&FOpenCursor);
    // Every press comes here, so that a click outside closes the menu.
    win::SetCapture(FHandle);
    if (OnOpen)
        OnOpen();
}

void TspSkinPopupMenu::OpenChild(int index, bool lightFirst)
{
    CloseChild();
    if (!FHandle || !HasSubItems(index))
        return;
    tk::TComponentPtr<TspSkinPopupMenu> child(new TspSkinPopupMenu(nullptr));
    child->FParentMenu = this;
    child->DefItemHeight = DefItemHeight;
    child->UseSkinFont = UseSkinFont;
    child->DefItemFont.Assign(DefItemFont);
    child->AlphaBlendAnimation = AlphaBlendAnimation;
    child->FGivenSkinData.Set(FGivenSkinData.Get());
    if (!child->LoadItems(FItems[size_t(index)]))
        return;
    child->Layout(FGivenSkinData);
    TRect const me = ScreenRect();
    TRect const item = ShownRect(index);
    int x = me.Right;
    int y = me.Top + item.Top - child->FInner.Top;
    TRect const area = WorkAreaAt({ x, y });
    child->FitToArea(area);
    x = KeepInside(x, child->FWidth, me.Left - child->FWidth, area.Left, area.Right);
    y = KeepInside(y, child->FHeight, area.Bottom - child->FHeight, area.Top, area.Bottom);
    child->Open(x, y, FAlpha, FOwnerWindow, false);
    if (!child->FHandle)
        return;
    FChild = std::move(child);
    FChildIndex = index;
    if (lightFirst)
        FChild->MoveBy(1);
}

void TspSkinPopupMenu::CloseChild()
{
    FChild.reset();
    FChildIndex = -1;
}

void TspSkinPopupMenu::Destroy()
{
    win::HWND const h = FHandle;
    if (!h)
        return;
    CloseChild();
    FHandle = nullptr;
    if (win::GetCapture() == h)
        win::ReleaseCapture();
    win::KillTimer(h, ScrollTimerId);
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

void TspSkinPopupMenu::Choose(tk::TMenuItem* item)
{
    // The whole chain is gone before the action runs: the action may free the form that
    // opened it. The item may go with the menu's closing handlers.
    tk::TComponentRef<tk::TMenuItem> chosen(item);
    Root()->Close();
    if (chosen)
        chosen->Click();
}

int TspSkinPopupMenu::ItemAt(TPoint p) const
{
    if (FScrollable && (p.Y < FItemsTop || p.Y >= FItemsBottom))
        return -1;
    for (int i = 0; i < ItemCount(); ++i)
        if (ItemShown(i) && base::PtInRect(ShownRect(i), p))
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
        tk::TMenuItem const* item = FItems[size_t(i)];
        if (!item || item->IsLine() || !item->Enabled())
            continue;
        // Keys bring the lit item into view.
        if (FScrollable) {
            if (i < FTopIndex)
                Scroll(i - FTopIndex);
            while (!ItemShown(i) && FTopIndex < i) {
                int const before = FTopIndex;
                Scroll(1);
                if (FTopIndex == before)
                    break;
            }
        }
        CloseChild();
        SetItemIndex(i);
        return;
    }
}

bool TspSkinPopupMenu::HandleKey(int vk)
{
    switch (vk) {
    case win::VK_DOWN:
        MoveBy(1);
        return true;
    case win::VK_UP:
        MoveBy(-1);
        return true;
    case win::VK_RIGHT:
        if (Selectable(FItemIndex) && HasSubItems(FItemIndex))
            OpenChild(FItemIndex, true);
        else if (!FParentMenu && OnBarMove)
            OnBarMove(1); // this menu may be closed or reopened by now
        return true;
    case win::VK_LEFT:
        if (FParentMenu)
            FParentMenu->CloseChild(); // this menu is gone now
        else if (OnBarMove)
            OnBarMove(-1);
        return true;
    case win::VK_RETURN:
        if (!Selectable(FItemIndex))
            Root()->Close();
        else if (HasSubItems(FItemIndex))
            OpenChild(FItemIndex, true);
        else
            Choose(FItems[size_t(FItemIndex)]);
        return true;
    case win::VK_ESCAPE:
        if (FParentMenu)
            FParentMenu->CloseChild();
        else
            Close();
        return true;
    default:
        return false;
    }
}

bool TspSkinPopupMenu::KeyDown(int vk)
{
    if (!FHandle)
        return false;
    return Deepest()->HandleKey(vk);
}

bool TspSkinPopupMenu::KeyChar(char c)
{
    if (!FHandle)
        return false;
    TspSkinPopupMenu* m = Deepest();
    for (int i = 0; i < m->ItemCount(); ++i)
        if (m->Selectable(i) && tk::IsAccel(c, m->FItems[size_t(i)]->Caption())) {
            if (m->HasSubItems(i)) {
                m->SetItemIndex(i);
                m->OpenChild(i, true);
            } else {
                m->Choose(m->FItems[size_t(i)]);
            }
            return true;
        }
    return true; // an open menu swallows the other characters
}

void TspSkinPopupMenu::HoverAt(TPoint p)
{
    int mark = 0;
    if (FScrollable)
        mark = base::PtInRect(ScrollMarkRect(-1), p) ? -1 : base::PtInRect(ScrollMarkRect(1), p) ? 1 : 0;
    SetScrollHot(mark);
    int const i = ItemAt(p);
    if (Selectable(i)) {
        SetItemIndex(i);
        if (!HasSubItems(i))
            CloseChild();
        else if (!FChild || FChildIndex != i)
            OpenChild(i, false);
    } else if (!FChild) {
        SetItemIndex(-1);
    }
}

void TspSkinPopupMenu::RouteMouse(win::UINT msg, TPoint screen)
{
    TspSkinPopupMenu* target = nullptr;
    for (TspSkinPopupMenu* m = Deepest(); m; m = m->FParentMenu)
        if (m->FHandle && base::PtInRect(m->ScreenRect(), screen)) {
            target = m;
            break;
        }
    TPoint local = screen;
    if (target) {
        TRect const r = target->ScreenRect();
        local = { screen.X - r.Left, screen.Y - r.Top };
    }
    switch (msg) {
    case win::WM_MOUSEMOVE: {
        win::POINT cursor;
        win::GetCursorPos(&cursor);
        if (cursor != FOpenCursor)
            FArmed = true;
        if (target) {
            target->HoverAt(local);
            // Leaving a menu for its child or parent stops its scrolling.
            for (TspSkinPopupMenu* m = Deepest(); m; m = m->FParentMenu)
                if (m != target)
                    m->SetScrollHot(0);
        } else {
            TspSkinPopupMenu* deepest = Deepest();
            deepest->SetScrollHot(0);
            deepest->SetItemIndex(-1);
        }
        return;
    }
    case win::WM_LBUTTONDOWN:
    case win::WM_RBUTTONDOWN:
        if (!target)
            Close();
        else
            FArmed = true;
        return;
    case win::WM_LBUTTONUP:
    case win::WM_RBUTTONUP: {
        if (!target || !FArmed)
            return;
        int const i = target->ItemAt(local);
        if (!target->Selectable(i))
            return;
        if (target->HasSubItems(i)) {
            if (!target->FChild || target->FChildIndex != i)
                target->OpenChild(i, false);
        } else {
            target->Choose(target->FItems[size_t(i)]);
        }
        return;
    }
    default:
        return;
    }
}

win::LRESULT TspSkinPopupMenu::WndProc(win::HWND h, win::UINT msg, win::WPARAM wp, win::LPARAM lp)
{
    if (auto answer = PopupWindowMessage(h, msg, [this](gfx::TCanvas& canvas) { Paint(canvas); }))
        return *answer;
    switch (msg) {
    case win::WM_MOUSEMOVE:
    case win::WM_LBUTTONDOWN:
    case win::WM_RBUTTONDOWN:
    case win::WM_LBUTTONUP:
    case win::WM_RBUTTONUP: {
        TRect const r = ScreenRect();
        TPoint const p = win::LParamToPoint(lp);
        Root()->RouteMouse(msg, { r.Left + p.X, r.Top + p.Y });
        return 0;
    }
    case win::WM_MOUSEWHEEL: {
        int const delta = int(int16_t(win::HIWORD(uintptr_t(wp))));
        // The deepest menu that scrolls takes the wheel.
        for (TspSkinPopupMenu* m = Root()->Deepest(); m; m = m->FParentMenu)
            if (m->FScrollable) {
                m->Scroll(delta > 0 ? -std::max(1, delta / 120) : std::max(1, -delta / 120));
                break;
            }
        return 0;
    }
    case win::WM_TIMER:
        if (wp == ScrollTimerId && FScrollHot != 0)
            Scroll(FScrollHot);
        return 0;
    case win::WM_KEYDOWN:
        Root()->KeyDown(int(wp));
        return 0;
    case win::WM_CHAR:
        Root()->KeyChar(char(wp));
        return 0;
    case WM_REFERENCEGONE:
        Root()->Close();
        return 0;
    case win::WM_CAPTURECHANGED:
        // Another window took the mouse: the menu gives up.
        if (FHandle == h && !FParentMenu && reinterpret_cast<win::HWND>(lp) != h)
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
    ItemFont(canvas.Font);
    canvas.SetBkMode(gfx::TRANSPARENT);
    for (int i = 0; i < ItemCount(); ++i) {
        if (!ItemShown(i))
            continue;
        tk::TMenuItem* item = FItems[size_t(i)];
        if (!item)
            continue;
        TRect const r = ShownRect(i);
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
        if (HasSubItems(i)) {
            // A small arrow pointing at the child menu.
            int const x = text.Right - 4, y = (text.Top + text.Bottom) / 2;
            canvas.Brush.Style = gfx::bsSolid;
            canvas.Brush.Color = color;
            for (int k = 0; k < 4; ++k)
                canvas.FillRect(base::Rect(x - 4 + k, y - 3 + k, x - 3 + k, y + 4 - k));
        } else if (!cut.empty()) {
            t = text;
            canvas.DrawText(cut, t, gfx::DT_RIGHT | gfx::DT_VCENTER | gfx::DT_SINGLELINE | gfx::DT_NOPREFIX);
        }
    }
    if (FScrollable) {
        PaintScrollMark(canvas, -1);
        PaintScrollMark(canvas, 1);
    }
}

void TspSkinPopupMenu::PaintScrollMark(gfx::TCanvas& canvas, int direction)
{
    TRect const r = ScrollMarkRect(direction);
    bool const hot = FScrollHot == direction;
    base::TColor color = hot ? base::clHighlight : base::clBtnText;
    if (FSkinned) {
        color
            = hot ? FSkinData->PopupWindow.ScrollMarkerActiveColor : FSkinData->PopupWindow.ScrollMarkerColor;
    } else {
        canvas.Brush.Color = base::clMenu;
        canvas.FillRect(r);
    }
    // A triangle of four rows pointing the way the items move into view.
    canvas.Brush.Style = gfx::bsSolid;
    canvas.Brush.Color = color;
    int const cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2 - 2;
    for (int k = 0; k < 4; ++k) {
        int const y = direction < 0 ? cy + k : cy + 3 - k;
        canvas.FillRect(base::Rect(cx - k, y, cx + k + 1, y + 1));
    }
}

} // namespace xe::skin
