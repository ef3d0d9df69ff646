#pragma once

#include "platform/toolkit/ExtCtrls.h"

namespace xe::chrome {

// An image that acts as the title bar of a window without a frame: a press on it and a
// move of the pointer drag the control's parent. The parent is placed so that the pointer
// sits at the press point measured from the parent's own top-left corner; an image that is
// not at that corner therefore makes the parent jump by its offset at the first move. The
// image holds the pointer capture while the left button is down, so moves and the release
// keep arriving outside it. Nothing happens while the control is designed.
class TImageTitle : public tk::TImage {
public:
    explicit TImageTitle(tk::TComponent* owner);
    char const* ClassName() const override { return "TImageTitle"; }

    bool Dragging() const { return FDragging; }

protected:
    void MouseDown(tk::TMouseButton button, tk::TShiftState shift, int x, int y) override;
    void MouseUp(tk::TMouseButton button, tk::TShiftState shift, int x, int y) override;
    void MouseMove(tk::TShiftState shift, int x, int y) override;

private:
    bool FDragging = false;
    int FDownX = 0; // press point in the image's own coordinates
    int FDownY = 0;
};

} // namespace xe::chrome
