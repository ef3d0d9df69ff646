#include "skin/draw/ActiveSkinObject.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinObjects.h"
#include "skin/draw/EffectBmp.h"

#include <cmath>

namespace xe::skin {

using base::TRect;

TspActiveSkinObject::TspActiveSkinObject(
    TSkinObjectHost* form, TspSkinData* skinData, TspDataSkinObject* data)
    : Form(form)
    , SkinData(skinData)
{
    if (!data)
        return;
    IDName = data->IDName;
    HintText = data->Hint;
    OnRollUpFrame = data->RollUp;
    if (skinData) {
        FramePicture = OnRollUpFrame ? &skinData->RollUpPicture() : &skinData->Picture();
        int const index = data->ActivePictureIndex;
        if (index >= 0 && size_t(index) < skinData->ActivePictures.size())
            OwnPicture = skinData->ActivePictures[size_t(index)].get();
    }
    if (!OwnPicture)
        data->ActiveSkinRect = TRect {};
    NormalRect = data->SkinRect;
    HotRect = data->ActiveSkinRect;
    InactiveRect = data->InActiveSkinRect;
    MorphEnabled = data->Morphing;
    MorphMode = data->MorphKind;
    CursorNumber = data->CursorIndex;
    NormalInOwnPicture = data->SkinRectInAPicture;
    ObjectRect = NormalRect;
}

void TspActiveSkinObject::CopyToObjectRect(
    gfx::TCanvas& canvas, gfx::TBitmap const* picture, TRect const& rect) const
{
    if (!picture || base::IsRectEmpty(rect) || base::IsRectEmpty(ObjectRect))
        return;
    gfx::StretchBlt(canvas, ObjectRect.Left, ObjectRect.Top, ObjectRect.Width(), ObjectRect.Height(),
        *picture, rect.Left, rect.Top, rect.Width(), rect.Height(), gfx::SRCCOPY);
}

void TspActiveSkinObject::DrawMorphed(gfx::TCanvas& canvas) const
{
    int const w = ObjectRect.Width(), h = ObjectRect.Height();
    gfx::TBitmap normal(w, h), hot(w, h);
    if (gfx::TBitmap const* pic = NormalPicture())
        gfx::StretchBlt(normal.Canvas(), 0, 0, w, h, *pic, NormalRect.Left, NormalRect.Top,
            NormalRect.Width(), NormalRect.Height(), gfx::SRCCOPY);
    gfx::StretchBlt(hot.Canvas(), 0, 0, w, h, *OwnPicture, HotRect.Left, HotRect.Top, HotRect.Width(),
        HotRect.Height(), gfx::SRCCOPY);
    TspEffectBmp mixed(normal);
    const TspEffectBmp active(hot);
    mixed.Morph(MorphMode, active, FMorphFactor);
    mixed.Draw(canvas, ObjectRect.Left, ObjectRect.Top);
}

void TspActiveSkinObject::Draw(gfx::TCanvas& canvas, bool update)
{
    if (EnabledState && Form && !Form->IsFormActive() && !base::IsRectEmpty(InactiveRect) && OwnPicture) {
        CopyToObjectRect(canvas, OwnPicture, InactiveRect);
        return;
    }
    // A fade needs the hot image; an object without one draws its plain states.
    if (MorphEnabled && CanMorph() && OwnPicture && !base::IsRectEmpty(HotRect)
        && !base::IsRectEmpty(ObjectRect)) {
        DrawMorphed(canvas);
        return;
    }
    if (ActiveState && !base::IsRectEmpty(HotRect)) {
        CopyToObjectRect(canvas, OwnPicture, HotRect);
        return;
    }
    // Drawn with the whole frame, a normal image cut from the frame picture is already there.
    if (!update && !NormalInOwnPicture)
        return;
    CopyToObjectRect(canvas, NormalPicture(), NormalRect);
}

void TspActiveSkinObject::DblClick() { }

void TspActiveSkinObject::MouseDown(int x, int y, win::TMouseButton button)
{
    if (Form)
        Form->MouseDownEvent(IDName, x, y, ObjectRect, button);
}

void TspActiveSkinObject::MouseUp(int x, int y, win::TMouseButton button)
{
    if (MouseInside && Form)
        Form->MouseUpEvent(IDName, x, y, ObjectRect, button);
}

void TspActiveSkinObject::MouseMove(int x, int y)
{
    if (Form)
        Form->MouseMoveEvent(IDName, x, y, ObjectRect);
}

void TspActiveSkinObject::MouseEnter()
{
    MouseInside = true;
    ActiveState = true;
    if (!base::IsRectEmpty(HotRect))
        RequestRedraw();
    if (Form)
        Form->MouseEnterEvent(IDName);
}

void TspActiveSkinObject::MouseLeave()
{
    MouseInside = false;
    ActiveState = false;
    if (!base::IsRectEmpty(HotRect))
        RequestRedraw();
    if (Form)
        Form->MouseLeaveEvent(IDName);
}

bool TspActiveSkinObject::CanMorph() const
{
    return (ActiveState && FMorphFactor < 1) || (!ActiveState && FMorphFactor > 0);
}

void TspActiveSkinObject::RequestRedraw()
{
    if (!Form)
        return;
    if (MorphEnabled)
        Form->StartMorphTimer();
    else
        Form->RedrawObject(*this);
}

void TspActiveSkinObject::MorphStep()
{
    double next = ActiveState ? FMorphFactor + 0.2 : FMorphFactor - 0.2;
    // Steps of 0.2 do not add up exactly in binary; snap to the ends so that a fade takes
    // five steps either way instead of ending on a residue of 1e-16.
    if (std::fabs(next) < 1e-9)
        next = 0;
    else if (std::fabs(next - 1) < 1e-9)
        next = 1;
    SetMorphFactor(next);
    if (Form)
        Form->RedrawObject(*this);
}

void TspActiveSkinObject::SetMorphFactor(double value)
{
    if (!(value > 0)) // NaN as well
        value = 0;
    FMorphFactor = value > 1 ? 1 : value;
}

void TspUserObject::Draw(gfx::TCanvas& canvas, bool update)
{
    (void)update;
    if (Form)
        Form->PaintEvent(IDName, canvas, ObjectRect);
}

void TspActiveSkinObject::NoteMouse(bool inside, bool hot)
{
    MouseInside = inside;
    if (hot)
        ActiveState = inside;
    if (!Form)
        return;
    if (inside)
        Form->MouseEnterEvent(IDName);
    else
        Form->MouseLeaveEvent(IDName);
}

} // namespace xe::skin
