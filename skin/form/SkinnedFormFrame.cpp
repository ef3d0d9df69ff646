// The skinned form's frame: its geometry at every size, hit testing and the object under
// the mouse, and painting of the frame and the client background.
#include "skin/form/SkinnedForm.h"
#include "skin/form/SkinnedFormInternal.h"

#include "platform/base/Exceptions.h"
#include "platform/graphics/Canvas.h"
#include "platform/toolkit/ExtCtrls.h"
#include "platform/toolkit/Persistence.h"
#include "platform/windows/WinUser.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinObjects.h"
#include "skin/draw/CaptionObjects.h"
#include "skin/draw/EffectBmp.h"
#include "skin/draw/FBitmap.h"
#include "skin/draw/LabelObjects.h"
#include "skin/draw/MainMenuItem.h"
#include "skin/draw/MaskRegion.h"
#include "skin/draw/ValueSwitchAnimationObjects.h"
#include "skin/draw/WorkArea.h"
#include "skin/form/SkinHint.h"
#include "skin/form/SkinPopupMenu.h"
#include "skin/form/TrayIcon.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <set>
#include <utility>

namespace xe::skin {

using base::TPoint;
using base::TRect;
using tk::TMessage;

// ---------------------------------------------------------------------------------------
// Geometry

int TspSkinnedForm::CaptionHeight() const
{
    auto const bs = FForm->BorderStyle();
    return bs == tk::bsToolWindow || bs == tk::bsSizeToolWin ? 15 : 19;
}

int TspSkinnedForm::DefaultButtonSize() const
{
    auto const bs = FForm->BorderStyle();
    return bs == tk::bsToolWindow || bs == tk::bsSizeToolWin ? 13 : 17;
}

int TspSkinnedForm::GetMinWidth() const
{
    bool const minimized = WindowState == wsMinimized;
    if (FSupportNCArea) {
        if (!FSkinSupport)
            return MinWidth > 0 ? MinWidth : 130;
        int const picW = FSkinData->Picture().Width();
        return MinWidth > picW && !minimized ? MinWidth : picW;
    }
    // Without a skin a client-mode form keeps the built-in frame's minimum: at 0 x 0 it
    // could not be found again, let alone grasped.
    if (!FSkinSupport)
        return MinWidth > 0 ? MinWidth : 130;
    int const picW = FSkinData->Picture().Width();
    return MinWidth == 0 ? picW : std::min(MinWidth, picW);
}

int TspSkinnedForm::GetMinHeight() const
{
    bool const free = !FRollUpState && WindowState != wsMinimized;
    if (FSupportNCArea) {
        int const h = FSkinSupport ? FSkinData->Picture().Height() - FSkinData->ClientRect.Height()
                                   : CaptionHeight() + 6;
        return MinHeight > h && free ? MinHeight : h;
    }
    if (!FSkinSupport)
        return MinHeight > 0 && free ? MinHeight : CaptionHeight() + 6;
    int const picH = FSkinData->Picture().Height();
    return MinHeight == 0 ? picH : std::min(MinHeight, picH);
}

void TspSkinnedForm::CalcRects()
{
    if (!FSkinSupport)
        return;
    int const fw = FrameWidth > 0 && FrameHeight > 0 ? FrameWidth : FForm->Width();
    int const fh = FrameWidth > 0 && FrameHeight > 0 ? FrameHeight : FForm->Height();
    TspSkinData const& s = *FSkinData;
    int const picW = FSkinData->Picture().Width(), picH = FSkinData->Picture().Height();
    int const dx = fw - picW, dy = fh - picH;
    NewLTPoint = s.LTPoint;
    NewRTPoint = { s.RTPoint.X + dx, s.RTPoint.Y };
    NewLBPoint = { s.LBPoint.X, s.LBPoint.Y + dy };
    NewRBPoint = { s.RBPoint.X + dx, s.RBPoint.Y + dy };
    NewClRect
        = base::Rect(s.ClientRect.Left, s.ClientRect.Top, s.ClientRect.Right + dx, s.ClientRect.Bottom + dy);
    NewCaptionRect = s.CaptionRect;
    if (!base::IsRectEmpty(NewCaptionRect))
        NewCaptionRect.Right += dx;
    NewButtonsRect = s.ButtonsRect;
    if (!base::IsRectEmpty(NewButtonsRect) && NewButtonsRect.Left > picW / 2)
        base::OffsetRect(NewButtonsRect, dx, 0);
    NewHitTestLTPoint = s.HitTestLTPoint;
    NewHitTestRTPoint = { s.HitTestRTPoint.X + dx, s.HitTestRTPoint.Y };
    NewHitTestLBPoint = { s.HitTestLBPoint.X, s.HitTestLBPoint.Y + dy };
    NewHitTestRBPoint = { s.HitTestRBPoint.X + dx, s.HitTestRBPoint.Y + dy };
    NewMaskRectArea = base::Rect(
        s.MaskRectArea.Left, s.MaskRectArea.Top, s.MaskRectArea.Right + dx, s.MaskRectArea.Bottom + dy);
    NewIconRect = MapSkinRect(s.IconRect);
    NewMainMenuRect = s.MainMenuRect;
    bool const stretchable = s.LTPoint.X != s.RBPoint.X && s.LTPoint.Y != s.RBPoint.Y;
    if (stretchable) {
        NewMainMenuRect.Right += dx;
        if (InArea(
                base::Rect(0, s.LBPoint.Y, s.LBPoint.X, picH), { NewMainMenuRect.Left, NewMainMenuRect.Top }))
            base::OffsetRect(NewMainMenuRect, 0, dy);
    }
}

TRect TspSkinnedForm::MapSkinRect(TRect const& r) const
{
    if (!FSkinSupport)
        return r;
    TspSkinData const& s = *FSkinData;
    int const picW = FSkinData->Picture().Width(), picH = FSkinData->Picture().Height();
    TRect const tl = base::Rect(0, 0, s.LTPoint.X, s.LTPoint.Y);
    TRect const tr = base::Rect(s.RTPoint.X, 0, picW, s.RTPoint.Y);
    TRect const bl = base::Rect(0, s.LBPoint.Y, s.LBPoint.X, picH);
    TRect const br = base::Rect(s.RBPoint.X, s.RBPoint.Y, picW, picH);
    int const dx = NewRBPoint.X - s.RBPoint.X, dy = NewRBPoint.Y - s.RBPoint.Y;
    TPoint const a { r.Left, r.Top }, b { r.Right, r.Bottom };
    auto in = [&](TRect const& area) { return InCorner(area, a) && InCorner(area, b); };
    TRect m = r;
    if (in(tl))
        return m;
    if (in(tr)) {
        base::OffsetRect(m, dx, 0);
    } else if (in(bl)) {
        base::OffsetRect(m, 0, dy);
    } else if (in(br)) {
        base::OffsetRect(m, dx, dy);
    } else if (InCorner(tl, a) && InCorner(br, b)) {
        m.Right += dx, m.Bottom += dy;
    } else if (InCorner(tl, a) && InCorner(tr, b)) {
        m.Right += dx;
    } else if (InCorner(bl, a) && InCorner(br, b)) {
        m.Right += dx;
        base::OffsetRect(m, 0, dy);
    } else if (InCorner(tl, a) && InCorner(bl, b)) {
        m.Bottom += dy;
    } else if (InCorner(tr, a) && InCorner(br, b)) {
        base::OffsetRect(m, dx, 0);
        m.Bottom += dy;
    }
    return m;
}

void TspSkinnedForm::CalcObjectRects()
{
    for (auto const& o : ObjectList)
        o->ObjectRect = MapSkinRect(o->NormalRect);
    ArrangeCaptionButtons();
}

void TspSkinnedForm::ArrangeCaptionButtons()
{
    if (!FSkinSupport)
        return;
    TRect area;
    if (!base::IsRectEmpty(NewButtonsRect))
        area = NewButtonsRect;
    else if (!base::IsRectEmpty(NewCaptionRect))
        area = NewCaptionRect;
    else
        return;
    bool const captionArea = base::IsRectEmpty(NewButtonsRect);
    int const offset = FSkinData->ButtonsOffset;
    // Standard buttons and animation objects that act as buttons, each with its command.
    auto commandOf = [](TspActiveSkinObject const* o) -> std::optional<TspCommandKind> {
        if (auto const* b = dynamic_cast<TspSkinStdButtonObject const*>(o);
            b && b->VisibleState && b->StdCaptionButton)
            return b->StdCommand;
        if (auto const* a = dynamic_cast<TspSkinAnimateObject const*>(o);
            a && a->VisibleState && a->ButtonStyle)
            return a->Command;
        return std::nullopt;
    };
    auto sizeOf = [&](TspActiveSkinObject const& b) {
        if (commandOf(&b) == cmSysMenu && FShowIcon) {
            int w = win::GetSystemMetrics(win::SM_CXSMICON), h = win::GetSystemMetrics(win::SM_CYSMICON);
            if (w == 0)
                w = win::GetSystemMetrics(win::SM_CXSIZE);
            if (h == 0)
                h = win::GetSystemMetrics(win::SM_CYSIZE);
            return base::TSize { w, h };
        }
        return base::TSize { b.NormalRect.Width(), b.NormalRect.Height() };
    };
    std::vector<TspActiveSkinObject*> order;
    for (TspCommandKind cmd : { cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray })
        for (auto const& o : ObjectList)
            if (commandOf(o.get()) == cmd) {
                order.push_back(o.get());
                break;
            }
    for (auto const& o : ObjectList)
        if (commandOf(o.get()) == cmDefault)
            order.push_back(o.get());
    TspActiveSkinObject* sysMenu = nullptr;
    for (auto const& o : ObjectList)
        if (commandOf(o.get()) == cmSysMenu) {
            sysMenu = o.get();
            break;
        }
    TspSkinCaptionObject* caption = FirstCaption();
    if (!FSkinData->ButtonsInLeft) {
        int cursor = area.Right;
        for (auto* b : order) {
            base::TSize const sz = sizeOf(*b);
            b->ObjectRect = base::Bounds(cursor - sz.cx, area.Top, sz.cx, sz.cy);
            cursor -= sz.cx + offset;
        }
        // The caption ends at the leftmost button, or at the area's end without buttons.
        if (captionArea && caption)
            caption->ObjectRect.Right = order.empty() ? area.Right : cursor + offset;
        if (sysMenu) {
            base::TSize const sz = sizeOf(*sysMenu);
            int c = NewCaptionRect.Left;
            sysMenu->ObjectRect
                = base::Bounds(c, NewCaptionRect.Top + NewCaptionRect.Height() / 2 - sz.cy / 2, sz.cx, sz.cy);
            c += sz.cx + offset;
            if (caption)
                caption->ObjectRect.Left = c - offset;
        }
    } else {
        int cursor = area.Left;
        if (captionArea && sysMenu)
            order.push_back(sysMenu);
        for (auto* b : order) {
            base::TSize const sz = sizeOf(*b);
            b->ObjectRect = base::Bounds(cursor, area.Top, sz.cx, sz.cy);
            cursor += sz.cx + offset;
        }
        if (captionArea && caption)
            caption->ObjectRect.Left = cursor + offset;
    }
}

void TspSkinnedForm::UpdateFrame(bool stretch)
{
    if (!FSkinSupport || IsDesigning())
        return;
    CalcRects();
    if (stretch)
        CalcObjectRects();
    UpdateFrameRegion(stretch);
    if (OnChangeClientRect)
        OnChangeClientRect(this, NewClRect);
    if (!FSupportNCArea)
        FForm->Repaint();
    else if (!FFrameRegion)
        SendNcPaint();
}

TFrameCut TspSkinnedForm::SourceCut() const
{
    return { FSkinData->LTPoint, FSkinData->RTPoint, FSkinData->LBPoint, FSkinData->RBPoint,
        FSkinData->ClientRect };
}

TFrameCut TspSkinnedForm::MappedCut() const
{
    return { NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect };
}

void TspSkinnedForm::UpdateFrameRegion(bool stretch)
{
    win::HWND const h = FForm->Handle();
    auto removeRegion = [&] {
        if (FFrameRegion && h)
            win::SetWindowRgn(h, nullptr, win::TRUE);
        FFrameRegion.reset();
    };
    if (FForm->BorderStyle() == tk::bsNone && FSupportNCArea) {
        removeRegion();
        return;
    }
    if (!FSkinSupport || FSkinData->Mask().Empty()) {
        if (FFrameRegion) {
            removeRegion();
            for (auto& band : MaskBands)
                band = gfx::TBitmap();
        }
        return;
    }
    gfx::TRegion region;
    if (stretch) {
        int const fw = FrameWidth > 0 ? FrameWidth : FForm->Width();
        TFrameCut const src = SourceCut();
        TFrameCut dst = MappedCut();
        dst.C = NewMaskRectArea;
        for (auto& band : MaskBands)
            band = gfx::TBitmap();
        ComposeMaskBands(src, dst, fw, NewMaskRectArea.Height(), FSkinData->Mask(), FSkinData->MaskRectArea,
            MaskBands[BandTop], MaskBands[BandBottom], MaskBands[BandLeft], MaskBands[BandRight]);
        auto add = [&](gfx::TBitmap const& band, int x, int y) {
            if (band.Empty())
                return;
            for (TRect r : MaskRuns(band, x, y))
                region = region.Union(gfx::TRegion(r));
        };
        add(MaskBands[BandTop], 0, 0);
        add(MaskBands[BandBottom], 0, NewMaskRectArea.Bottom);
        add(MaskBands[BandLeft], 0, NewMaskRectArea.Top);
        add(MaskBands[BandRight], NewMaskRectArea.Right, NewMaskRectArea.Top);
        if (!base::IsRectEmpty(NewMaskRectArea))
            region = region.Union(gfx::TRegion(NewMaskRectArea));
    } else {
        region = RegionFromMask(FSkinData->Mask());
    }
    FFrameRegion = region;
    if (h)
        win::SetWindowRgn(h, &*FFrameRegion, win::TRUE);
}

bool TspSkinnedForm::PointInMask(TPoint p) const
{
    TRect const& a = NewMaskRectArea;
    if (InArea(a, p))
        return true;
    auto black = [](gfx::TBitmap const& band, int x, int y) {
        if (x < 0 || y < 0 || x >= band.Width() || y >= band.Height())
            return false;
        return (band.Pixel(x, y) & 0xFFFFFF) == 0;
    };
    if (p.Y < a.Top)
        return black(MaskBands[BandTop], p.X, p.Y);
    if (p.Y >= a.Bottom)
        return black(MaskBands[BandBottom], p.X, p.Y - a.Bottom);
    if (p.X > a.Left)
        return black(MaskBands[BandRight], p.X - a.Right, p.Y - a.Top);
    return black(MaskBands[BandLeft], p.X, p.Y - a.Top);
}

// ---------------------------------------------------------------------------------------
// Hit testing and the object under the mouse

bool TspSkinnedForm::BelongsToRollUpState(TspActiveSkinObject const& o) const
{
    return FSupportNCArea ? !o.OnRollUpFrame : o.OnRollUpFrame == FRollUpState;
}

bool TspSkinnedForm::TakesPartInMouse(TspActiveSkinObject const& o) const
{
    return BelongsToRollUpState(o) && o.EnabledState && o.VisibleState;
}

int TspSkinnedForm::CaptionObjectAt(TPoint p) const
{
    for (size_t i = 0; i < ObjectList.size(); ++i) {
        auto const* o = ObjectList[i].get();
        if (dynamic_cast<TspSkinCaptionObject const*>(o) && BelongsToRollUpState(*o)
            && InArea(o->ObjectRect, p))
            return int(i);
    }
    return -1;
}

// The skin's hit test, for a point in frame coordinates, first rule that applies:
//  - rolled up or minimised: the caption over a caption object, else an object;
//  - an object is hot and the point is neither on a caption object nor in the client
//    area (and no sizing is under way): an object;
//  - maximised or not sizeable: the client area, else caption or object as above;
//  - on the border (a probe BorderWidth away, left, up, right or down, falls outside the
//    window's shape: the mask, else the window rectangle; never inside the mask's inner
//    area): a corner beyond a hit-test point, else the side whose band holds the point;
//  - off the border: the client area, else caption or object.
// In client mode (ClientHitTest) only a sizeable normal form with no hot object has a
// border; everything else is the client.
int TspSkinnedForm::SkinHitTest(TPoint p) const
{
    auto captionOrObject = [&] { return CaptionObjectAt(p) != -1 ? win::HTCAPTION : win::HTOBJECT; };
    if (FRollUpState || WindowState == wsMinimized)
        return captionOrObject();
    if (ActiveObject != -1 && CaptionObjectAt(p) == -1 && !InArea(NewClRect, p) && !InSizeMove)
        return win::HTOBJECT;
    if (WindowState == wsMaximized || !Sizeable)
        return InArea(NewClRect, p) ? win::HTCLIENT : captionOrObject();
    return BorderHitTest(p, 0);
}

int TspSkinnedForm::ClientHitTest(TPoint p) const
{
    if (!FSkinSupport || !Sizeable || WindowState == wsMaximized || FRollUpState || ActiveObject != -1)
        return win::HTCLIENT;
    return BorderHitTest(p, win::HTCLIENT);
}

// The border and corner rules; inner is the answer off the border (0: client, caption or
// object as the point lies).
int TspSkinnedForm::BorderHitTest(TPoint p, int inner) const
{
    auto offBorder = [&] {
        if (inner)
            return inner;
        if (InArea(NewClRect, p))
            return int(win::HTCLIENT);
        return CaptionObjectAt(p) != -1 ? int(win::HTCAPTION) : int(win::HTOBJECT);
    };
    int const b = FSkinData->BorderWidth;
    int const w = FForm->Width(), h = FForm->Height();
    TPoint const probes[] = { { p.X - b, p.Y }, { p.X, p.Y - b }, { p.X + b, p.Y }, { p.X, p.Y + b } };
    bool const masked = !FSkinData->Mask().Empty();
    auto outsideShape
        = [&](TPoint q) { return masked ? !PointInMask(q) : !InArea(base::Rect(0, 0, w, h), q); };
    bool const onBorder = std::any_of(std::begin(probes), std::end(probes), outsideShape)
        && !(masked && InArea(NewMaskRectArea, p));
    if (!onBorder)
        return offBorder();
    TPoint const lt = NewHitTestLTPoint, rt = NewHitTestRTPoint, lb = NewHitTestLBPoint,
                 rb = NewHitTestRBPoint;
    if (p.X <= lt.X && p.Y <= lt.Y)
        return win::HTTOPLEFT;
    if (p.X >= rt.X && p.Y <= rt.Y)
        return win::HTTOPRIGHT;
    if (p.X <= lb.X && p.Y >= lb.Y)
        return win::HTBOTTOMLEFT;
    if (p.X >= rb.X && p.Y >= rb.Y)
        return win::HTBOTTOMRIGHT;
    if (InArea(base::Rect(lt.X, 0, rt.X, NewClRect.Top), p))
        return win::HTTOP;
    if (InArea(base::Rect(lb.X, NewClRect.Bottom, rb.X, h), p))
        return win::HTBOTTOM;
    if (InArea(base::Rect(0, lt.Y, NewClRect.Left, lb.Y), p))
        return win::HTLEFT;
    if (InArea(base::Rect(NewClRect.Right, rt.Y, w, rb.Y), p))
        return win::HTRIGHT;
    // On the border but in no corner or side band (a shaped edge inside the client's span).
    return offBorder();
}

int TspSkinnedForm::DefaultHitTest(TPoint p)
{
    int const w = FForm->Width(), h = FForm->Height(), ch = CaptionHeight();
    auto captionTest = [&] {
        // The caption rectangle ends where the caption buttons start.
        int right = w - 3;
        for (auto const& o : ObjectList)
            if (auto* b = dynamic_cast<TspSkinStdButtonObject*>(o.get());
                b && b->VisibleState && b->StdCommand != cmSysMenu)
                right = std::min(right, b->ObjectRect.Left);
        if (InArea(base::Rect(3, 3, right, ch), p))
            return win::HTCAPTION;
        if (InArea(base::Rect(3, ch + 3, w - 3, h - 3), p))
            return win::HTCLIENT;
        return win::HTOBJECT;
    };
    if (WindowState != wsNormal || FRollUpState || !Sizeable)
        return captionTest();
    if (ActiveObject != -1)
        return win::HTOBJECT;
    if (p.X <= 2 && p.Y <= 2)
        return win::HTTOPLEFT;
    if (p.X >= w - 2 && p.Y <= 2)
        return win::HTTOPRIGHT;
    if (p.X <= 2 && p.Y >= h - 2)
        return win::HTBOTTOMLEFT;
    if (p.X >= w - 2 && p.Y >= h - 2)
        return win::HTBOTTOMRIGHT;
    if (p.X <= 2)
        return win::HTLEFT;
    if (p.Y <= 2)
        return win::HTTOP;
    if (p.Y >= h - 2)
        return win::HTBOTTOM;
    if (p.X >= w - 2)
        return win::HTRIGHT;
    return captionTest();
}

void TspSkinnedForm::TestActive(int x, int y, bool test)
{
    if (ObjectList.empty() || (FSupportNCArea && !IsFormActive()))
        return;
    OldActiveObject = ActiveObject;
    int found = -1;
    for (size_t i = 0; i < ObjectList.size(); ++i) {
        auto const* o = ObjectList[i].get();
        if (TakesPartInMouse(*o) && InArea(o->ObjectRect, { x, y })) {
            found = int(i);
            break;
        }
    }
    ActiveObject = test ? found : -1;
    if (MouseCaptureObject != -1 && ActiveObject != MouseCaptureObject)
        ActiveObject = -1;
    if (ActiveObject >= int(ObjectList.size()))
        ActiveObject = -1;
    if (ActiveObject == OldActiveObject)
        return;
    if (TspActiveSkinObject* old = Object(OldActiveObject); old && old->EnabledState && old->VisibleState) {
        old->MouseLeave();
        if (ShowObjectHint && FSkinHint && !old->HintText.empty())
            FSkinHint->HideHint();
    }
    if (TspActiveSkinObject* now = Object(ActiveObject); now && now->EnabledState && now->VisibleState) {
        now->MouseEnter();
        ShowObjectHintOf(ActiveObject);
    }
}

// ---------------------------------------------------------------------------------------
// Painting

bool TspSkinnedForm::Framed() const { return FForm->BorderStyle() != tk::bsNone; }

void TspSkinnedForm::SendNcPaint()
{
    if (win::HWND h = FForm->Handle())
        win::SendMessage(h, win::WM_NCPAINT, 1, 0);
}

void TspSkinnedForm::RedrawObject(TspActiveSkinObject& object)
{
    if (!BelongsToRollUpState(object))
        return;
    win::HWND const h = FForm->Handle();
    if (!h)
        return;
    if (FSupportNCArea) {
        if (!Framed())
            return;
        TDcGuard dc { h, win::GetWindowDC(h) };
        if (dc.Dc)
            object.Draw(*dc.Dc, true);
    } else {
        TDcGuard dc { h, win::GetDC(h) };
        if (dc.Dc)
            object.Draw(*dc.Dc, true);
    }
}

void TspSkinnedForm::PaintSkinFrame()
{
    if (!FSkinSupport || !FSupportNCArea || base::IsRectEmpty(FSkinData->ClientRect))
        return;
    if (FrameWidth == 0 || FrameHeight == 0) {
        FrameWidth = FForm->Width();
        FrameHeight = FForm->Height();
    }
    if (FrameWidth < GetMinWidth() || FrameHeight < GetMinHeight())
        return;
    CalcRects();
    CalcObjectRects();
    bool const active = IsFormActive();
    gfx::TBitmap const& source = active || FSkinData->InActivePicture().Empty()
        ? FSkinData->Picture()
        : FSkinData->InActivePicture();
    gfx::TBitmap bands[4];
    TStretchFlags const stretch { FSkinData->LeftStretch, FSkinData->TopStretch, FSkinData->RightStretch,
        FSkinData->BottomStretch };
    ComposeFrameBands(SourceCut(), MappedCut(), stretch, FrameWidth, FrameHeight,
        base::Rect(0, 0, source.Width(), source.Height()), source, bands[BandTop], bands[BandBottom],
        bands[BandLeft], bands[BandRight]);
    DrawMainMenuItems(bands[BandTop], bands[BandBottom]);
    for (auto const& o : ObjectList) {
        if (!BelongsToRollUpState(*o) || !o->VisibleState || dynamic_cast<TspSkinMainMenuItem*>(o.get()))
            continue;
        if (o->ObjectRect.Bottom <= NewClRect.Top) {
            if (!bands[BandTop].Empty())
                o->Draw(bands[BandTop].Canvas(), false);
        } else if (!bands[BandBottom].Empty()) {
            TRect const keep = o->ObjectRect;
            base::OffsetRect(o->ObjectRect, 0, -NewClRect.Bottom);
            o->Draw(bands[BandBottom].Canvas(), false);
            o->ObjectRect = keep;
        }
    }
    win::HWND const h = FForm->Handle();
    TDcGuard dc { h, win::GetWindowDC(h) };
    if (!dc.Dc)
        return;
    gfx::TCanvas& canvas = *dc.Dc;
    if (!base::IsRectEmpty(NewClRect))
        canvas.ExcludeClipRect(NewClRect);
    int const topH = bands[BandTop].Height();
    TPoint const at[4] = { { 0, 0 }, { 0, FrameHeight - bands[BandBottom].Height() }, { 0, topH },
        { FrameWidth - bands[BandRight].Width(), topH } };
    bool const effect = !active && FSkinData->AutoRenderingInActiveImage;
    for (int i = 0; i < 4; ++i) {
        if (bands[i].Empty())
            continue;
        if (effect) {
            TspEffectBmp copy(bands[i]);
            copy.InactiveEffect(FSkinData->InActiveEffect);
            copy.Draw(canvas, at[i].X, at[i].Y);
        } else {
            canvas.Draw(at[i].X, at[i].Y, bands[i]);
        }
    }
}

void TspSkinnedForm::PaintDefaultFrame()
{
    if (FrameWidth == 0 || FrameHeight == 0) {
        FrameWidth = FForm->Width();
        FrameHeight = FForm->Height();
    }
    if (ObjectList.empty() && !FSkinSupport)
        CreateDefaultButtons();
    int const ch = CaptionHeight(), size = DefaultButtonSize();
    TRect caption = base::Rect(3, 3, FrameWidth - 3, ch);
    int cursor = FrameWidth - 3;
    auto visibleButton = [&](TspCommandKind cmd) -> TspSkinStdButtonObject* {
        for (auto const& o : ObjectList)
            if (auto* b = dynamic_cast<TspSkinStdButtonObject*>(o.get());
                b && b->StdCommand == cmd && b->VisibleState)
                return b;
        return nullptr;
    };
    for (TspCommandKind cmd : { cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray })
        if (auto* b = visibleButton(cmd)) {
            b->ObjectRect = base::Rect(cursor - size, 4, cursor, 4 + size);
            cursor -= size;
        }
    caption.Right = cursor;
    if (auto* b = visibleButton(cmSysMenu)) {
        int w = size, h = size;
        if (FShowIcon) {
            w = win::GetSystemMetrics(win::SM_CXSMICON);
            h = win::GetSystemMetrics(win::SM_CYSMICON);
        }
        b->ObjectRect = base::Rect(3, 4, 3 + w, 4 + h);
        caption.Left = 3 + w;
    }
    int const bw = std::max(FrameWidth - 6, 0);
    gfx::TBitmap bitmap(bw, ch);
    gfx::TCanvas& c = bitmap.Canvas();
    c.Brush.Style = gfx::bsSolid;
    c.Brush.Color = base::ColorToRGB(base::clBtnFace);
    c.FillRect(base::Rect(0, 0, bw, ch));
    if (ch - 4 > 1) {
        int const x0 = caption.Left - 3 + 2, x1 = caption.Right - 3 - 6;
        for (int i = 0; i < ch - 5; ++i) {
            c.Pen.Color = base::ColorToRGB(i % 2 == 0 ? base::clBtnHighlight : base::clBtnShadow);
            c.MoveTo(x0, 2 + i);
            c.LineTo(x1, 2 + i);
        }
    }
    c.Font.Assign(IsFormActive() ? FDefCaptionFont : FDefInActiveCaptionFont);
    if (FSkinData && FSkinData->ResourceStrData())
        c.Font.SetCharset(FSkinData->ResourceStrData()->CharSet());
    std::string text = FForm->Caption();
    if (!text.empty()) {
        text = ShortenText(c, text, caption.Width());
        base::TSize const ts = c.TextExtent(text);
        int const x = caption.Left - 3 + caption.Width() / 2 - (ts.cx + 5) / 2;
        int const y = ch / 2 - ts.cy / 2;
        c.Brush.Color = base::ColorToRGB(base::clBtnFace);
        c.TextRect(base::Rect(x, 0, x + ts.cx + 5, ch), x + 3, y, text);
    }
    for (auto const& o : ObjectList) {
        if (!o->VisibleState)
            continue;
        TRect const keep = o->ObjectRect;
        base::OffsetRect(o->ObjectRect, -3, -3);
        o->Draw(c, true);
        o->ObjectRect = keep;
    }
    win::HWND const h = FForm->Handle();
    TDcGuard dc { h, win::GetWindowDC(h) };
    if (!dc.Dc)
        return;
    gfx::TCanvas& canvas = *dc.Dc;
    canvas.ExcludeClipRect(base::Rect(3, ch + 3, FrameWidth - 3, FrameHeight - 3));
    canvas.Draw(3, 3, bitmap);
    TRect r = base::Rect(0, 0, FrameWidth, FrameHeight);
    auto frame3D = [&](base::TColor topLeft, base::TColor bottomRight) {
        canvas.Pen.Color = base::ColorToRGB(topLeft);
        canvas.MoveTo(r.Left, r.Bottom - 1);
        canvas.LineTo(r.Left, r.Top);
        canvas.LineTo(r.Right - 1, r.Top);
        canvas.Pen.Color = base::ColorToRGB(bottomRight);
        canvas.LineTo(r.Right - 1, r.Bottom - 1);
        canvas.LineTo(r.Left - 1, r.Bottom - 1);
        base::InflateRect(r, -1, -1);
    };
    frame3D(base::cl3DLight, base::cl3DDkShadow);
    frame3D(base::clBtnHighlight, base::clBtnShadow);
    frame3D(base::clBtnFace, base::clBtnFace);
}

void TspSkinnedForm::DrawLogo(gfx::TCanvas& canvas)
{
    if (FLogoBitMap.Empty())
        return;
    FLogoBitMap.SetTransparent(LogoBitMapTransparent);
    int const cw = FForm->ClientWidth(), ch = FForm->ClientHeight();
    canvas.Draw(std::max(0, cw / 2 - FLogoBitMap.Width() / 2), std::max(0, ch / 2 - FLogoBitMap.Height() / 2),
        FLogoBitMap);
}

void TspSkinnedForm::PaintClientBackground(gfx::TCanvas& canvas)
{
    int const cw = FForm->ClientWidth(), ch = FForm->ClientHeight();
    TRect const client = base::Rect(0, 0, cw, ch);
    auto tile = [&](gfx::TBitmap const& piece) {
        int const pw = piece.Width(), ph = piece.Height();
        if (pw < 1 || ph < 1)
            return;
        for (int i = 0; i <= cw / pw; ++i)
            for (int j = 0; j <= ch / ph; ++j)
                canvas.Draw(i * pw, j * ph, piece);
    };
    gfx::TCanvasSaver saver(canvas);
    if (FSupportNCArea) {
        if (FSkinSupport && FSkinData->BGPictureIndex >= 0
            && size_t(FSkinData->BGPictureIndex) < FSkinData->ActivePictures.size()) {
            tile(*FSkinData->ActivePictures[size_t(FSkinData->BGPictureIndex)]);
        } else if (FSkinSupport && !base::IsRectEmpty(FSkinData->ClientRect)) {
            TRect const cr = FSkinData->ClientRect;
            gfx::TBitmap piece(cr.Width(), cr.Height());
            piece.Canvas().CopyRect(
                base::Rect(0, 0, cr.Width(), cr.Height()), FSkinData->Picture().Canvas(), cr);
            tile(piece);
        } else {
            canvas.Brush.Style = gfx::bsSolid;
            canvas.Brush.Color = base::ColorToRGB(base::clBtnFace);
            canvas.FillRect(client);
        }
        DrawLogo(canvas);
        return;
    }
    if (!FSkinSupport) {
        canvas.Brush.Style = gfx::bsSolid;
        canvas.Brush.Color = base::ColorToRGB(base::clBtnFace);
        canvas.Pen.Color = base::clBlack;
        canvas.Rectangle(client);
        return;
    }
    int const fw = FrameWidth > 0 ? FrameWidth : FForm->Width();
    int const fh = FrameHeight > 0 ? FrameHeight : FForm->Height();
    gfx::TBitmap image;
    TspSkinData& s = *FSkinData;
    if (FRollUpState && !s.RollUpPicture().Empty()) {
        gfx::TBitmap const& strip = s.RollUpPicture();
        if (s.RollUpLeftPoint.X < s.RollUpRightPoint.X)
            ComposeHorzStrip(s.RollUpLeftPoint.X, strip.Width() - s.RollUpRightPoint.X, image, fw,
                base::Rect(0, 0, strip.Width(), strip.Height()), strip);
        else
            image = strip;
    } else if (s.LTPoint.X || s.LTPoint.Y || s.RBPoint.X || s.RBPoint.Y) {
        ComposeTiledFrameImage(SourceCut(), MappedCut(), image, s.Picture(),
            base::Rect(0, 0, s.Picture().Width(), s.Picture().Height()), fw, fh, true);
    } else {
        image = s.Picture();
    }
    for (auto const& o : ObjectList)
        if (o->OnRollUpFrame == FRollUpState)
            o->Draw(image.Canvas(), true);
    canvas.Draw(0, 0, image);
}

} // namespace xe::skin
