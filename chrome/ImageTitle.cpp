#include "chrome/ImageTitle.h"

#include "platform/windows/WinUser.h"

namespace xe::chrome {

TImageTitle::TImageTitle(tk::TComponent* owner)
    : tk::TImage(owner)
{
}

void TImageTitle::MouseDown(tk::TMouseButton button, tk::TShiftState shift, int x, int y)
{
    if (IsDesigning())
        return;
    FDragging = true;
    FDownX = x;
    FDownY = y;
    tk::TImage::MouseDown(button, shift, x, y);
}

void TImageTitle::MouseUp(tk::TMouseButton button, tk::TShiftState shift, int x, int y)
{
    if (IsDesigning())
        return;
    FDragging = false;
    tk::TImage::MouseUp(button, shift, x, y);
}

void TImageTitle::MouseMove(tk::TShiftState shift, int x, int y)
{
    if (IsDesigning())
        return;
    if (FDragging && Parent()) {
        base::TPoint pointer {};
        win::GetCursorPos(&pointer);
        // Top first, then left, as the original does: each is its own move of the window.
        Parent()->SetTop(pointer.Y - FDownY);
        Parent()->SetLeft(pointer.X - FDownX);
    }
    tk::TImage::MouseMove(shift, x, y);
}

} // namespace xe::chrome
