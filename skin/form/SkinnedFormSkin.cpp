// The skinned form's skin changes, its active state and its timers.
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
#include <set>
#include <utility>

namespace xe::skin {

using base::TPoint;
using base::TRect;
using tk::TMessage;

// ---------------------------------------------------------------------------------------
// Skin changes

void TspSkinnedForm::ChangeSkinData()
{
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
    FSkinSupport = FSkinData && !FSkinData->Empty();
    if (!FSupportNCArea) {
        // Client mode: the whole skin picture is painted inside the client area.
        if (!FSkinSupport) {
            DropClientSkin();
            if (OnChangeSkinData)
                OnChangeSkinData(this);
            return;
        }
        // A skin without a roll-up picture cannot stay rolled up.
        if (FRollUpState && FSkinData->RollUpPicture().Empty())
            LeaveClientRollUp();
        if (!FRollUpState)
            FitClientToSkin();
        CreateSkinObjects();
        UpdateCaptionButtons();
        if (FRollUpState)
            LayOutClientRollUp();
        InChangeSkinData = true;
        if (OnChangeSkinData)
            OnChangeSkinData(this);
        if (!FRollUpState && (Stretchable() || ClientIsPictureSize()))
            UpdateFrame(Stretchable());
        UpdateActiveState(true);
        InChangeSkinData = false;
        EnableTimer(MouseTimerId, FMouseTimer, IsFormActive(), 50);
        return;
    }
    if (FSkinSupport) {
        CreateSkinObjects();
        UpdateCaptionButtons();
    } else {
        FreeObjects();
        UpdateFrameRegion(true);
    }
    InChangeSkinData = true;
    int const minW = GetMinWidth(), minH = GetMinHeight();
    if (FForm->Width() < minW && FForm->Height() < minH)
        FForm->SetBounds(FForm->Left(), FForm->Top(), minW, minH);
    else if (FForm->Height() < minH)
        FForm->SetHeight(minH);
    else if (FForm->Width() < minW)
        FForm->SetWidth(minW);
    else
        ForceResize();
    if ((FRollUpState || WindowState == wsMinimized) && FForm->Height() != minH)
        FForm->SetHeight(minH);
    if (WindowState == wsMinimized && FForm->Width() != minW)
        FForm->SetWidth(minW);
    FrameWidth = FForm->Width();
    FrameHeight = FForm->Height();
    if (FSkinSupport)
        UpdateFrame(true);
    FForm->Repaint();
    UpdateActiveState(true);
    EnableTimer(MouseTimerId, FMouseTimer, IsFormActive(), 50);
    if (OnChangeSkinData)
        OnChangeSkinData(this);
    InChangeSkinData = false;
    if (ClientWidth > 0)
        FForm->SetClientWidth(ClientWidth);
    if (ClientHeight > 0)
        FForm->SetClientHeight(ClientHeight);
}

bool TspSkinnedForm::Stretchable() const
{
    return FSkinData && FSkinData->LTPoint.X != FSkinData->RBPoint.X
        && FSkinData->LTPoint.Y != FSkinData->RBPoint.Y;
}

bool TspSkinnedForm::ClientIsPictureSize() const
{
    return FSkinData && FForm->ClientWidth() == FSkinData->Picture().Width()
        && FForm->ClientHeight() == FSkinData->Picture().Height();
}

void TspSkinnedForm::FitClientToSkin()
{
    int const picW = FSkinData->Picture().Width(), picH = FSkinData->Picture().Height();
    if (!Stretchable()) {
        // A skin that cannot stretch is shown at its picture's size only.
        FForm->SetClientWidth(picW);
        FForm->SetClientHeight(picH);
        Sizeable = false;
    } else if (!(MinWidth > 0 && MinHeight > 0)) {
        if (FForm->ClientWidth() < picW)
            FForm->SetClientWidth(picW);
        if (FForm->ClientHeight() < picH)
            FForm->SetClientHeight(picH);
    }
}

void TspSkinnedForm::ForceResize()
{
    int const w = FForm->Width();
    if (w - 1 < GetMinWidth()) {
        FForm->SetWidth(w + 1);
        FForm->SetWidth(w);
    } else {
        FForm->SetWidth(w - 1);
        FForm->SetWidth(w);
    }
}

void TspSkinnedForm::DropClientSkin()
{
    // The objects refer to the skin's pictures and descriptions: they go with it, and so
    // do the region and the roll-up strip cut from it.
    StopTimers();
    FreeObjects();
    UpdateFrameRegion(true);
    if (FRollUpState)
        LeaveClientRollUp();
    FForm->Repaint();
}

void TspSkinnedForm::SkinBeforeChange(TspSkinData* sender)
{
    if (sender != FSkinData)
        return;
    // The skin is about to be cleared. Until its change message comes the form stands on
    // the built-in frame, so that a load that fails (and sends no change) leaves a whole
    // window: no objects on freed descriptions, no region of the old picture.
    FSkinSupport = false;
    StopTimers();
    FreeObjects();
    if (!FSupportNCArea) {
        DropClientSkin();
        return;
    }
    UpdateFrameRegion(true);
    FrameWidth = FrameHeight = 0;
    if (FForm->Handle())
        ForceResize();
    SendNcPaint();
}

void TspSkinnedForm::SkinChange(TspSkinData* sender)
{
    if (sender == FSkinData)
        ChangeSkinData();
}

// ---------------------------------------------------------------------------------------
// Active state

bool TspSkinnedForm::IsFormActive() const
{
    // The window system announces a deactivation before it changes the active window, so
    // the state comes from the last WM_ACTIVATE rather than from the active window itself.
    return FActivated;
}

void TspSkinnedForm::UpdateActiveState(bool redraw)
{
    bool const active = IsFormActive();
    for (auto const& o : ObjectList) {
        auto* c = dynamic_cast<TspSkinCaptionObject*>(o.get());
        if (!c)
            continue;
        if (redraw && BelongsToRollUpState(*c)) {
            if (!FSupportNCArea)
                c->ActiveState = active;
            if (!FSupportNCArea || !base::IsRectEmpty(c->HotRect))
                c->RequestRedraw();
        } else if (c->MorphEnabled) {
            c->SetMorphFactor(active ? 1 : 0);
        }
    }
    if (active) {
        if (OnActivate)
            OnActivate(this);
    } else if (OnDeActivate) {
        OnDeActivate(this);
    }
}

// ---------------------------------------------------------------------------------------
// Timers

void TspSkinnedForm::EnableTimer(win::UINT_PTR id, bool& flag, bool enable, unsigned interval)
{
    win::HWND h = FForm->Handle();
    if (!h)
        return;
    if (enable && !flag)
        win::SetTimer(h, id, interval);
    else if (!enable && flag)
        win::KillTimer(h, id);
    flag = enable;
}

void TspSkinnedForm::StopTimers()
{
    EnableTimer(MorphTimerId, FMorphTimer, false, 20);
    EnableTimer(MouseTimerId, FMouseTimer, false, 50);
    EnableTimer(AnimateTimerId, FAnimateTimer, false, 25);
}

void TspSkinnedForm::StartMorphTimer() { EnableTimer(MorphTimerId, FMorphTimer, true, 20); }

void TspSkinnedForm::StartAnimateTimer() { EnableTimer(AnimateTimerId, FAnimateTimer, true, 25); }

void TspSkinnedForm::AnimateTimerTick()
{
    bool any = false;
    // Go by index: a redraw does not change the list, but an event handler could.
    for (size_t i = 0; i < ObjectList.size(); ++i) {
        auto* a = dynamic_cast<TspSkinAnimateObject*>(ObjectList[i].get());
        if (a && a->ActiveState) {
            a->Step();
            any = true;
        }
    }
    if (!any)
        EnableTimer(AnimateTimerId, FAnimateTimer, false, 25);
}

void TspSkinnedForm::MorphTimerTick()
{
    bool any = false;
    // A redraw may not change the list, but an event handler could: go by index.
    for (size_t i = 0; i < ObjectList.size(); ++i) {
        TspActiveSkinObject* o = ObjectList[i].get();
        if (o->MorphEnabled && o->CanMorph()) {
            o->MorphStep();
            any = true;
        }
    }
    if (!any)
        EnableTimer(MorphTimerId, FMorphTimer, false, 20);
}

} // namespace xe::skin
