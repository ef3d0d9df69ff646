// The frame objects that hold a value (gauges, track bars, frame gauges and regulators), a
// state (switches) or a running animation.
#pragma once

#include "skin/data/SkinTypes.h"
#include "skin/draw/ActiveSkinObject.h"

namespace xe::skin {

class TspDataSkinAnimate;
class TspDataSkinFrameGaugeObject;
class TspDataSkinFrameRegulatorObject;
class TspDataSkinGauge;
class TspDataSkinSwitch;
class TspDataSkinTrackBar;

// A bar that fills with its value: the filled part comes from HotRect of OwnPicture, the rest
// from NormalRect. Horizontal gauges fill from the left, vertical ones from the bottom.
class TspSkinGaugeObject : public TspActiveSkinObject {
public:
    TspSkinGaugeObject(TSkinObjectHost* form, TspSkinData* skinData, TspDataSkinGauge* data);

    void Draw(gfx::TCanvas& canvas, bool update) override;
    void MouseEnter() override;
    void MouseLeave() override;

    int Value() const { return FValue; }
    // Clamps the value into MinValue .. MaxValue and, when it changes, redraws at once.
    void SetValue(int value);
    bool TakeValue(int value) override
    {
        SetValue(value);
        return true;
    }
    // Where the filled part ends, relative to the object: (x, 0) or (0, y).
    base::TPoint ProgressPos() const { return FProgressPos; }

    int MinValue = 0; // minvalue
    int MaxValue = 0; // maxvalue
    TspGaugeKind Kind = gkHorizontal; // kind

private:
    void CalcProgressPos();
    int FValue = 0;
    base::TPoint FProgressPos;
};

// A thumb on a straight track from BeginPoint to EndPoint (object coordinates). Dragging the
// thumb or, with MouseDownChangeValue, clicking beside it changes the value. The track is
// vertical when it rises at least as much as it runs; a vertical track has its minimum at
// BeginPoint, below EndPoint.
class TspSkinTrackBarObject : public TspActiveSkinObject {
public:
    TspSkinTrackBarObject(TSkinObjectHost* form, TspSkinData* skinData, TspDataSkinTrackBar* data);

    void Draw(gfx::TCanvas& canvas, bool update) override;
    void MouseDown(int x, int y, win::TMouseButton button) override;
    void MouseUp(int x, int y, win::TMouseButton button) override;
    void MouseMove(int x, int y) override;

    int Value() const { return FValue; }
    // Clamps the value into MinValue .. MaxValue and moves the thumb to it; when the value
    // changes the bar is redrawn at once and OnTrackBarChangeValueEvent fires.
    void SetValue(int value);
    bool TakeValue(int value) override
    {
        SetValue(value);
        return true;
    }
    // False for a bar without a range or without a track: its thumb stays at the start.
    bool CanMove() const;
    base::TPoint ButtonPos() const { return FButtonPos; }
    base::TPoint OldButtonPos() const { return FOldButtonPos; }
    bool Dragging() const { return FDragging; }
    // Drops a drag without a release (the form resets its objects).
    void CancelDragging() { FDragging = false; }
    // The thumb picture's place centred on the thumb position, in object coordinates.
    base::TRect ButtonPlace() const;
    base::TPoint PosOfValue(int value) const;
    int ValueOfPos(base::TPoint p) const;

    base::TRect ButtonRect; // buttonrect, in OwnPicture
    base::TRect ActiveButtonRect; // activebuttonrect: the thumb while dragged
    base::TPoint BeginPoint; // beginpoint
    base::TPoint EndPoint; // endpoint
    int MinValue = 0; // minvalue
    int MaxValue = 0; // maxvalue
    bool MouseDownChangeValue = false; // mousedownchangevalue: a click beside the thumb moves it
    bool Vertical = false; // the track's kind

private:
    void MoveButton(base::TPoint p);
    int FValue = 0;
    base::TPoint FButtonPos;
    base::TPoint FOldButtonPos;
    bool FDragging = false;
    base::TPoint FLastPoint;
};

// A two-state object: a left press toggles it; swsOn shows the hot image.
class TspSkinSwitchObject : public TspActiveSkinObject {
public:
    TspSkinSwitchObject(TSkinObjectHost* form, TspSkinData* skinData, TspDataSkinSwitch* data);

    void MouseDown(int x, int y, win::TMouseButton button) override;
    void MouseEnter() override;
    void MouseLeave() override;

    TSwitchState State() const { return FState; }
    // Stores the state, shows it and fires OnSwitchChangeStateEvent.
    void SetState(TSwitchState value);

private:
    TSwitchState FState = swsOff;
};

// An object that shows one frame of a strip in OwnPicture: the frames lie side by side
// (fpHorizontal) or one above the other, from the top-left corner of HotRect on.
class TspSkinFrameObject : public TspActiveSkinObject {
public:
    TspSkinFrameObject(TSkinObjectHost* form, TspSkinData* skinData, TspDataSkinObject* data, int countFrames,
        TspFramesPlacement placement);

    void Draw(gfx::TCanvas& canvas, bool update) override;

    // The frame (1 .. CountFrames) that a value shows in MinValue .. MaxValue.
    int FrameOfValue(int value, int minValue, int maxValue) const;

    int CurrentFrame = 1;
    int FrameWidth = 0;
    int FrameHeight = 0;
    int CountFrames = 0; // countframes
    TspFramesPlacement FramesPlacement = fpHorizontal; // framesplacement
};

// A gauge drawn as one frame of a strip per value step.
class TspSkinFrameGaugeObject : public TspSkinFrameObject {
public:
    TspSkinFrameGaugeObject(TSkinObjectHost* form, TspSkinData* skinData, TspDataSkinFrameGaugeObject* data);

    void Draw(gfx::TCanvas& canvas, bool update) override;
    void MouseEnter() override;
    void MouseLeave() override;

    int Value() const { return FValue; }
    // Clamps the value into MinValue .. MaxValue and, when it changes, redraws at once.
    void SetValue(int value);
    bool TakeValue(int value) override
    {
        SetValue(value);
        return true;
    }

    int MinValue = 0; // minvalue
    int MaxValue = 0; // maxvalue

private:
    int FValue = 0;
};

// A knob or slider drawn as a frame strip: dragging by a frame's side (its smaller side for a
// round knob) moves the value by one step of (MaxValue - MinValue) / (CountFrames - 1).
class TspSkinFrameRegulatorObject : public TspSkinFrameObject {
public:
    TspSkinFrameRegulatorObject(
        TSkinObjectHost* form, TspSkinData* skinData, TspDataSkinFrameRegulatorObject* data);

    void Draw(gfx::TCanvas& canvas, bool update) override;
    void MouseDown(int x, int y, win::TMouseButton button) override;
    void MouseUp(int x, int y, win::TMouseButton button) override;
    void MouseMove(int x, int y) override;

    int Value() const { return FValue; }
    // Ignored when equal to the value or outside MinValue .. MaxValue; else redraws at once
    // and fires OnFrameRegulatorChangeValueEvent.
    void SetValue(int value);
    bool TakeValue(int value) override
    {
        SetValue(value);
        return true;
    }
    bool Pressed() const { return FPressed; }
    // Drops a drag without a release (the form resets its objects).
    void CancelDragging() { FPressed = false; }

    int MinValue = 0; // minvalue
    int MaxValue = 0; // maxvalue
    TspRegulatorKind Kind = rkRound; // kind

private:
    // The drag coordinate of a frame point: growing to the right (and upwards for a knob).
    int Coordinate(int x, int y) const;
    int FValue = 0;
    bool FPressed = false;
    int FWorkValue = 0;
    int FStartCoord = 0;
    int FCurrentCoord = 0;
};

// A frame animation (cells of NormalRect's size side by side from the top-left of HotRect)
// stepped by the form's animation timer. With buttonstyle it runs forward while the mouse is
// over it, backward after it left, and a click runs its command as a caption button does.
class TspSkinAnimateObject : public TspActiveSkinObject {
public:
    TspSkinAnimateObject(TSkinObjectHost* form, TspSkinData* skinData, TspDataSkinAnimate* data);

    void Draw(gfx::TCanvas& canvas, bool update) override;
    void DblClick() override;
    void MouseUp(int x, int y, win::TMouseButton button) override;
    void MouseEnter() override;
    void MouseLeave() override;

    // Runs the animation forward (the form's timer then steps it).
    void Start();
    // One tick of the form's 25 ms timer: a frame moves once TimerInterval has passed.
    void Step();
    // Back to the first frame, stopped.
    void Reset();

    int CountFrames = 1; // countframes
    bool Cycle = false; // cycle: runs round instead of stopping at the end
    bool ButtonStyle = false; // buttonstyle
    int TimerInterval = 50; // timerinterval in milliseconds, at least 25
    TspCommandKind Command = cmDefault; // command
    int CurrentFrame = 1;
    bool Forward = true;
    int ElapsedTime = 25; // milliseconds since the last frame, counted in ticks of 25
    TspSkinPopupSource* PopupItem = nullptr; // not owned
    bool PopupAbove = false;

private:
    void ExecuteCommand();
};

} // namespace xe::skin
