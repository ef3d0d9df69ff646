#include "chrome/ImageBtn.h"

#include "platform/toolkit/Persistence.h"

namespace xe::chrome {

TImageBtn::TImageBtn(tk::TComponent* owner)
    : tk::TImage(owner)
{
}

void TImageBtn::MouseEnter()
{
    if (Inert())
        return;
    tk::TImage::MouseEnter();
    ShowImage(FMouseOverImage);
}

void TImageBtn::MouseLeave()
{
    if (Inert())
        return;
    tk::TImage::MouseLeave();
    ShowImage(FMouseUpImage);
}

void TImageBtn::MouseDown(tk::TMouseButton button, tk::TShiftState shift, int x, int y)
{
    if (Inert())
        return;
    tk::TImage::MouseDown(button, shift, x, y);
    ShowImage(FMouseDownImage);
}

void TImageBtn::MouseUp(tk::TMouseButton button, tk::TShiftState shift, int x, int y)
{
    if (Inert())
        return;
    ShowImage(FMouseUpImage);
    Repaint();
    tk::TImage::MouseUp(button, shift, x, y);
}

void TImageBtn::DefineProperties(tk::TProperties& p)
{
    tk::TImage::DefineProperties(p);
    auto image = [&p](char const* name, tk::TPicture& picture) {
        p.Binary(
            name, [&picture] { return picture.Data(); },
            [&picture](tk::TBinaryData const& v) { picture.LoadFromData(v); });
    };
    image("MouseUpImage", FMouseUpImage);
    image("MouseDownImage", FMouseDownImage);
    image("MouseOverImage", FMouseOverImage);
    image("DisableImage", FDisableImage);
}

} // namespace xe::chrome
