#include "skin/draw/ValueSwitchAnimationObjects.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "skin/data/SkinObjects.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace xe::skin {

using base::TPoint;
using base::TRect;

namespace {

// Rounds to the nearest integer, halves to even.
int Round(double v) { return int(std::lrint(v)); }

// Clamps v into the range between a and b, in either order.
int ClampBetween(int v, int a, int b) { return std::clamp(v, std::min(a, b), std::max(a, b)); }

void Copy(gfx::TBitmap& dst, int dx, int dy, int w, int h, gfx::TBitmap const* src, int sx, int sy)
{
    if (src && w > 0 && h > 0)
        gfx::BitBlt(dst.Canvas(), dx, dy, w, h, *src, sx, sy, gfx::SRCCOPY);
}

} // namespace

// ---------------------------------------------------------------------------------------
// Gauge

TspSkinGaugeObject::TspSkinGaugeObject(TSkinObjectHost* form, TspSkinData* skinData, TspDataSkinGauge* data)
    : TspActiveSkinObject(form, skinData, data)
{
    if (data) {
        MinValue = data->MinValue;
        MaxValue = data->MaxValue;
        Kind = data->Kind;
    }
    FValue = MinValue;
    CalcProgressPos();
}

void TspSkinGaugeObject::CalcProgressPos()
{
    // Without a range the gauge stays empty.
    double const f = MaxValue == MinValue ? 0 : double(FValue - MinValue) / (MaxValue - MinValue);
    if (Kind == gkVertical)
        FProgressPos = { 0, Round(NormalRect.Height() * (1 - f)) };
    else
        FProgressPos = { Round(f * NormalRect.Width()), 0 };
}

void TspSkinGaugeObject::SetValue(int value)
{
    value = ClampBetween(value, MinValue, MaxValue);
    if (value == FValue)
        return;
    FValue = value;
    CalcProgressPos();
    if (Form)
        Form->RedrawObject(*this);
}

void TspSkinGaugeObject::Draw(gfx::TCanvas& canvas, bool update)
{
    if (FValue == MinValue && !update)
        return; // the frame picture shows the empty gauge
    int const w = ObjectRect.Width(), h = ObjectRect.Height();
    if (w < 1 || h < 1)
        return;
    gfx::TBitmap image(w, h);
    gfx::TBitmap const* hot = base::IsRectEmpty(HotRect) ? nullptr : OwnPicture;
    if (Kind == gkVertical) {
        int const p = std::clamp(FProgressPos.Y, 0, h);
        Copy(image, 0, 0, w, p, NormalPicture(), NormalRect.Left, NormalRect.Top);
        Copy(image, 0, p, w, h - p, hot, HotRect.Left, HotRect.Top + p);
    } else {
        int const p = std::clamp(FProgressPos.X, 0, w);
        Copy(image, 0, 0, p, h, hot, HotRect.Left, HotRect.Top);
        Copy(image, p, 0, w - p, h, NormalPicture(), NormalRect.Left + p, NormalRect.Top);
    }
    canvas.Draw(ObjectRect.Left, ObjectRect.Top, image);
}

void TspSkinGaugeObject::MouseEnter() { NoteMouse(true, true); }

void TspSkinGaugeObject::MouseLeave() { NoteMouse(false, true); }

// ---------------------------------------------------------------------------------------
// Track bar

TspSkinTrackBarObject::TspSkinTrackBarObject(
    TSkinObjectHost* form, TspSkinData* skinData, TspDataSkinTrackBar* data)
    : TspActiveSkinObject(form, skinData, data)
{
    if (data) {
        ButtonRect = data->ButtonRect;
        ActiveButtonRect = data->ActiveButtonRect;
        BeginPoint = data->BeginPoint;
        EndPoint = data->EndPoint;
        MinValue = data->MinValue;
        MaxValue = data->MaxValue;
        MouseDownChangeValue = data->MouseDownChangeValue;
    }
    Vertical = std::abs(BeginPoint.Y - EndPoint.Y) >= std::abs(EndPoint.X - BeginPoint.X);
    FValue = MinValue;
    FButtonPos = FOldButtonPos = PosOfValue(FValue);
}

bool TspSkinTrackBarObject::CanMove() const { return MaxValue != MinValue && !(BeginPoint == EndPoint); }

TPoint TspSkinTrackBarObject::PosOfValue(int value) const
{
    if (!CanMove())
        return BeginPoint;
    double const f = double(value - MinValue) / (MaxValue - MinValue);
    if (Vertical)
        return { BeginPoint.X, Round((1 - f) * (BeginPoint.Y - EndPoint.Y)) + EndPoint.Y };
    return { Round(f * (EndPoint.X - BeginPoint.X)) + BeginPoint.X, BeginPoint.Y };
}

int TspSkinTrackBarObject::ValueOfPos(TPoint p) const
{
    if (!CanMove())
        return MinValue;
    double const f = Vertical ? 1 - double(p.Y - EndPoint.Y) / (BeginPoint.Y - EndPoint.Y)
                              : double(p.X - BeginPoint.X) / (EndPoint.X - BeginPoint.X);
    return MinValue + Round((MaxValue - MinValue) * f);
}

TRect TspSkinTrackBarObject::ButtonPlace() const
{
    int const w = ButtonRect.Width(), h = ButtonRect.Height();
    return base::Bounds(FButtonPos.X - w / 2, FButtonPos.Y - h / 2, w, h);
}

void TspSkinTrackBarObject::MoveButton(TPoint p)
{
    if (p == FButtonPos)
        return;
    FOldButtonPos = FButtonPos;
    FButtonPos = p;
    FValue = ValueOfPos(p);
    if (Form) {
        Form->RedrawObject(*this);
        Form->TrackBarChangeValueEvent(IDName, FValue);
    }
}

void TspSkinTrackBarObject::SetValue(int value)
{
    value = ClampBetween(value, MinValue, MaxValue);
    if (value == FValue)
        return;
    FValue = value;
    FOldButtonPos = FButtonPos;
    FButtonPos = PosOfValue(value);
    if (Form) {
        Form->RedrawObject(*this);
        Form->TrackBarChangeValueEvent(IDName, FValue);
    }
}

void TspSkinTrackBarObject::Draw(gfx::TCanvas& canvas, bool update)
{
    (void)update;
    int const w = NormalRect.Width(), h = NormalRect.Height();
    if (w < 1 || h < 1)
        return;
    gfx::TBitmap image(w, h);
    gfx::TBitmap const* normal = NormalPicture();
    if (base::IsRectEmpty(HotRect) || !OwnPicture) {
        Copy(image, 0, 0, w, h, normal, NormalRect.Left, NormalRect.Top);
    } else if (Vertical) {
        int const p = std::clamp(FButtonPos.Y, 0, h);
        Copy(image, 0, 0, w, p, normal, NormalRect.Left, NormalRect.Top);
        Copy(image, 0, p, w, h - p, OwnPicture, HotRect.Left, HotRect.Top + p);
    } else {
        int const p = std::clamp(FButtonPos.X, 0, w);
        Copy(image, 0, 0, p, h, OwnPicture, HotRect.Left, HotRect.Top);
        Copy(image, p, 0, w - p, h, normal, NormalRect.Left + p, NormalRect.Top);
    }
    TRect const& thumb = FDragging && !base::IsRectEmpty(ActiveButtonRect) ? ActiveButtonRect : ButtonRect;
    if (!base::IsRectEmpty(thumb)) {
        TRect const place = ButtonPlace();
        Copy(image, place.Left, place.Top, thumb.Width(), thumb.Height(), OwnPicture, thumb.Left, thumb.Top);
    }
    canvas.Draw(ObjectRect.Left, ObjectRect.Top, image);
}

void TspSkinTrackBarObject::MouseDown(int x, int y, win::TMouseButton button)
{
    if (button == win::mbLeft && CanMove()) {
        TPoint const p { x - ObjectRect.Left, y - ObjectRect.Top };
        if (base::PtInRect(ButtonPlace(), p)) {
            FDragging = true;
            FLastPoint = { x, y };
            if (!base::IsRectEmpty(ActiveButtonRect) && Form)
                Form->RedrawObject(*this);
        } else if (MouseDownChangeValue) {
            if (Vertical)
                MoveButton({ BeginPoint.X, ClampBetween(p.Y, BeginPoint.Y, EndPoint.Y) });
            else
                MoveButton({ ClampBetween(p.X, BeginPoint.X, EndPoint.X), BeginPoint.Y });
        }
    }
    TspActiveSkinObject::MouseDown(x, y, button);
}

void TspSkinTrackBarObject::MouseMove(int x, int y)
{
    if (FDragging) {
        // The thumb follows the mouse's movement, not its place, and only along the track.
        if (Vertical) {
            int const ny = FButtonPos.Y + y - FLastPoint.Y;
            if (ny >= std::min(BeginPoint.Y, EndPoint.Y) && ny <= std::max(BeginPoint.Y, EndPoint.Y))
                MoveButton({ FButtonPos.X, ny });
        } else {
            int const nx = FButtonPos.X + x - FLastPoint.X;
            if (nx >= std::min(BeginPoint.X, EndPoint.X) && nx <= std::max(BeginPoint.X, EndPoint.X))
                MoveButton({ nx, FButtonPos.Y });
        }
    }
    FLastPoint = { x, y };
    TspActiveSkinObject::MouseMove(x, y);
}

void TspSkinTrackBarObject::MouseUp(int x, int y, win::TMouseButton button)
{
    if (button == win::mbLeft && FDragging) {
        FDragging = false;
        if (!base::IsRectEmpty(ActiveButtonRect) && Form)
            Form->RedrawObject(*this);
    }
    TspActiveSkinObject::MouseUp(x, y, button);
}

// ---------------------------------------------------------------------------------------
// Switch

TspSkinSwitchObject::TspSkinSwitchObject(
    TSkinObjectHost* form, TspSkinData* skinData, TspDataSkinSwitch* data)
    : TspActiveSkinObject(form, skinData, data)
{
}

void TspSkinSwitchObject::SetState(TSwitchState value)
{
    FState = value;
    ActiveState = value == swsOn;
    RequestRedraw();
    if (Form)
        Form->SwitchChangeStateEvent(IDName, FState);
}

void TspSkinSwitchObject::MouseDown(int x, int y, win::TMouseButton button)
{
    if (button == win::mbLeft)
        SetState(FState == swsOn ? swsOff : swsOn);
    TspActiveSkinObject::MouseDown(x, y, button);
}

void TspSkinSwitchObject::MouseEnter() { NoteMouse(true, false); }

void TspSkinSwitchObject::MouseLeave() { NoteMouse(false, false); }

// ---------------------------------------------------------------------------------------
// Frame objects

TspSkinFrameObject::TspSkinFrameObject(TSkinObjectHost* form, TspSkinData* skinData, TspDataSkinObject* data,
    int countFrames, TspFramesPlacement placement)
    : TspActiveSkinObject(form, skinData, data)
    , CountFrames(countFrames)
    , FramesPlacement(placement)
{
    if (CountFrames > 0) {
        if (FramesPlacement == fpVertical) {
            FrameWidth = HotRect.Width();
            FrameHeight = HotRect.Height() / CountFrames;
        } else {
            FrameWidth = HotRect.Width() / CountFrames;
            FrameHeight = HotRect.Height();
        }
    }
}

int TspSkinFrameObject::FrameOfValue(int value, int minValue, int maxValue) const
{
    if (CountFrames < 2)
        return 1;
    int const step = (maxValue - minValue) / (CountFrames - 1);
    if (step == 0)
        return 1;
    // A value outside the range shows the nearest end frame, not a cell beyond the strip.
    return std::clamp(std::abs(value - minValue) / std::abs(step) + 1, 1, CountFrames);
}

void TspSkinFrameObject::Draw(gfx::TCanvas& canvas, bool update)
{
    (void)update;
    if (!OwnPicture || FrameWidth < 1 || FrameHeight < 1)
        return;
    int const n = CurrentFrame;
    TRect const cell = FramesPlacement == fpVertical
        ? base::Rect(HotRect.Left, (n - 1) * FrameHeight + HotRect.Top, HotRect.Left + FrameWidth,
            n * FrameHeight + HotRect.Top)
        : base::Rect((n - 1) * FrameWidth + HotRect.Left, HotRect.Top, n * FrameWidth + HotRect.Left,
            HotRect.Top + FrameHeight);
    CopyToObjectRect(canvas, OwnPicture, cell);
}

TspSkinFrameGaugeObject::TspSkinFrameGaugeObject(
    TSkinObjectHost* form, TspSkinData* skinData, TspDataSkinFrameGaugeObject* data)
    : TspSkinFrameObject(
        form, skinData, data, data ? data->CountFrames : 0, data ? data->FramesPlacement : fpHorizontal)
{
    if (data) {
        MinValue = data->MinValue;
        MaxValue = data->MaxValue;
    }
}

void TspSkinFrameGaugeObject::SetValue(int value)
{
    value = ClampBetween(value, MinValue, MaxValue);
    if (value == FValue)
        return;
    FValue = value;
    if (Form)
        Form->RedrawObject(*this);
}

void TspSkinFrameGaugeObject::Draw(gfx::TCanvas& canvas, bool update)
{
    CurrentFrame = FrameOfValue(FValue, MinValue, MaxValue);
    TspSkinFrameObject::Draw(canvas, update);
}

void TspSkinFrameGaugeObject::MouseEnter() { NoteMouse(true, true); }

void TspSkinFrameGaugeObject::MouseLeave() { NoteMouse(false, true); }

TspSkinFrameRegulatorObject::TspSkinFrameRegulatorObject(
    TSkinObjectHost* form, TspSkinData* skinData, TspDataSkinFrameRegulatorObject* data)
    : TspSkinFrameObject(
        form, skinData, data, data ? data->CountFrames : 0, data ? data->FramesPlacement : fpHorizontal)
{
    if (data) {
        MinValue = data->MinValue;
        MaxValue = data->MaxValue;
        Kind = data->Kind;
    }
    FValue = ClampBetween(0, MinValue, MaxValue);
}

int TspSkinFrameRegulatorObject::Coordinate(int x, int y) const
{
    int const dx = x - ObjectRect.Left, dy = y - ObjectRect.Top;
    switch (Kind) {
    case rkRound:
        return dx - dy;
    case rkHorizontal:
        return dx;
    default:
        return -dy;
    }
}

void TspSkinFrameRegulatorObject::SetValue(int value)
{
    if (value == FValue || value < MinValue || value > MaxValue)
        return;
    FValue = value;
    if (Form) {
        Form->RedrawObject(*this);
        Form->FrameRegulatorChangeValueEvent(IDName, FValue);
    }
}

void TspSkinFrameRegulatorObject::Draw(gfx::TCanvas& canvas, bool update)
{
    CurrentFrame = FrameOfValue(FValue, MinValue, MaxValue);
    TspSkinFrameObject::Draw(canvas, update);
}

void TspSkinFrameRegulatorObject::MouseDown(int x, int y, win::TMouseButton button)
{
    FPressed = true;
    FWorkValue = FValue;
    FStartCoord = Coordinate(x, y);
    TspActiveSkinObject::MouseDown(x, y, button);
}

void TspSkinFrameRegulatorObject::MouseMove(int x, int y)
{
    // A single frame has no steps to drag through.
    if (FPressed && CountFrames >= 2) {
        FCurrentCoord = Coordinate(x, y);
        int const side = Kind == rkRound ? std::min(FrameWidth, FrameHeight)
            : Kind == rkHorizontal       ? FrameWidth
                                         : FrameHeight;
        int const pixelStep = std::max(1, side / (CountFrames - 1));
        int const valueStep = std::max(1, (MaxValue - MinValue) / (CountFrames - 1));
        if (std::abs(FCurrentCoord - FStartCoord) >= pixelStep) {
            bool const down = FCurrentCoord < FStartCoord;
            FStartCoord = FCurrentCoord;
            FWorkValue = ClampBetween(FWorkValue + (down ? -valueStep : valueStep), MinValue, MaxValue);
            SetValue(FWorkValue);
        }
    }
    TspActiveSkinObject::MouseMove(x, y);
}

void TspSkinFrameRegulatorObject::MouseUp(int x, int y, win::TMouseButton button)
{
    FPressed = false;
    TspActiveSkinObject::MouseUp(x, y, button);
}

// ---------------------------------------------------------------------------------------
// Animation

TspSkinAnimateObject::TspSkinAnimateObject(
    TSkinObjectHost* form, TspSkinData* skinData, TspDataSkinAnimate* data)
    : TspActiveSkinObject(form, skinData, data)
{
    if (!data)
        return;
    CountFrames = data->CountFrames;
    Cycle = data->Cycle;
    ButtonStyle = data->ButtonStyle;
    TimerInterval = std::max(25, data->TimerInterval);
    Command = data->Command;
}

void TspSkinAnimateObject::Draw(gfx::TCanvas& canvas, bool update)
{
    (void)update;
    if (!OwnPicture)
        return;
    int const w = NormalRect.Width(), h = NormalRect.Height();
    int const n = CurrentFrame;
    CopyToObjectRect(canvas, OwnPicture,
        base::Rect(HotRect.Left + (n - 1) * w, HotRect.Top, HotRect.Left + n * w, HotRect.Top + h));
}

void TspSkinAnimateObject::Start()
{
    ActiveState = true;
    Forward = true;
    if (Form)
        Form->StartAnimateTimer();
}

void TspSkinAnimateObject::Reset()
{
    MouseInside = false;
    ActiveState = false;
    Forward = true;
    CurrentFrame = 1;
    ElapsedTime = 25;
}

void TspSkinAnimateObject::Step()
{
    if (ElapsedTime < TimerInterval) {
        ElapsedTime += 25;
        return;
    }
    if (Forward) {
        if (++CurrentFrame > CountFrames)
            CurrentFrame = 1;
        if (!Cycle && CurrentFrame >= CountFrames)
            ActiveState = false;
    } else {
        // Running back always ends at rest on the first frame.
        if (--CurrentFrame < 1)
            CurrentFrame = std::max(CountFrames, 1);
        if (CurrentFrame == 1)
            ActiveState = false;
    }
    ElapsedTime = 25;
    if (Form)
        Form->RedrawObject(*this);
}

void TspSkinAnimateObject::MouseEnter()
{
    MouseInside = true;
    if (ButtonStyle) {
        ActiveState = true;
        Forward = true;
        if (Form)
            Form->StartAnimateTimer();
    }
    if (Form)
        Form->MouseEnterEvent(IDName);
}

void TspSkinAnimateObject::MouseLeave()
{
    bool const wasInside = MouseInside;
    MouseInside = false;
    if (ButtonStyle && wasInside) {
        ActiveState = true;
        Forward = false;
        if (Form)
            Form->StartAnimateTimer();
    }
    if (Form)
        Form->MouseLeaveEvent(IDName);
}

void TspSkinAnimateObject::ExecuteCommand()
{
    if (!Form)
        return;
    TRect screen = ObjectRect;
    TPoint const origin = Form->FrameScreenOrigin();
    base::OffsetRect(screen, origin.X, origin.Y);
    switch (Command) {
    case cmClose:
        Form->WindowCommand(wcClose);
        break;
    case cmMaximize:
        Form->WindowCommand(wcMaximize);
        break;
    case cmMinimize:
        Form->WindowCommand(Form->AlwaysMinimizeToTray() ? wcMinimizeToTray : wcMinimize);
        break;
    case cmSysMenu:
        if (TspSkinPopupSource* menu = Form->SystemMenuSource(); menu && menu->HasItems())
            Form->PopupMenuAt(*menu, screen, false);
        break;
    case cmDefault:
        if (PopupItem && PopupItem->HasItems())
            Form->PopupMenuAt(*PopupItem, screen, PopupAbove);
        break;
    case cmRollUp:
        Form->WindowCommand(wcRollUp);
        break;
    case cmMinimizeToTray:
        Form->WindowCommand(wcMinimizeToTray);
        break;
    }
}

void TspSkinAnimateObject::MouseUp(int x, int y, win::TMouseButton button)
{
    bool const click = button == win::mbLeft && MouseInside && ButtonStyle;
    TspActiveSkinObject::MouseUp(x, y, button);
    // The command may close the form and free this object: nothing is touched afterwards.
    if (click)
        ExecuteCommand();
}

void TspSkinAnimateObject::DblClick()
{
    if (Command == cmSysMenu && Form)
        Form->WindowCommand(wcClose);
}

} // namespace xe::skin
