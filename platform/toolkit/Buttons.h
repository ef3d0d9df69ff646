#pragma once

#include "platform/toolkit/Controls.h"

namespace xe::tk {

enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

// A flat text button: its caption in its font, centred. Flat and transparent (the defaults
// here), it shows what lies below and draws a raised edge while the pointer is over it and a
// sunken one, with the caption one pixel down and right, while it is pressed.
class TSpeedButton : public TGraphicControl {
public:
    explicit TSpeedButton(TComponent* owner);
    char const* ClassName() const override { return "TSpeedButton"; }

    bool Flat() const { return FFlat; }
    void SetFlat(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    TButtonState State() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }

    void DefineProperties(TProperties& properties) override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void EnabledChanged() override;

private:
    void SetState(TButtonState state);

    bool FFlat = true;
    bool FTransparent = true;
    bool FDragging = false;
    bool FMouseInControl = false;
    TButtonState FState = bsUp;
};

} // namespace xe::tk
