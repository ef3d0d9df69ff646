#pragma once

#include "platform/graphics/Bitmap.h"
#include "platform/toolkit/ExtCtrls.h"

namespace xe::chrome {

// A button made of pictures: the shown picture changes as the pointer enters, leaves,
// presses and releases it. The click comes from the image control's own click, which is
// delivered before the release, so a click handler runs while the pressed image shows.
// Nothing happens while the button is designed or disabled; a disabled button keeps the
// picture it showed.
class TImageBtn : public tk::TImage {
public:
    explicit TImageBtn(tk::TComponent* owner);
    char const* ClassName() const override { return "TImageBtn"; }

    // The setters copy the bitmap; the caller keeps its own.
    gfx::TBitmap const& MouseUpImage() const { return FMouseUpImage.Bitmap(); }
    void SetMouseUpImage(gfx::TBitmap const& value) { FMouseUpImage.Assign(value); }
    gfx::TBitmap const& MouseDownImage() const { return FMouseDownImage.Bitmap(); }
    void SetMouseDownImage(gfx::TBitmap const& value) { FMouseDownImage.Assign(value); }
    gfx::TBitmap const& MouseOverImage() const { return FMouseOverImage.Bitmap(); }
    void SetMouseOverImage(gfx::TBitmap const& value) { FMouseOverImage.Assign(value); }
    // Stored and loaded, but no state of the button shows it.
    gfx::TBitmap const& DisableImage() const { return FDisableImage.Bitmap(); }
    void SetDisableImage(gfx::TBitmap const& value) { FDisableImage.Assign(value); }

    void DefineProperties(tk::TProperties& properties) override;

protected:
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(tk::TMouseButton button, tk::TShiftState shift, int x, int y) override;
    void MouseUp(tk::TMouseButton button, tk::TShiftState shift, int x, int y) override;

private:
    bool Inert() const { return IsDesigning() || !Enabled(); }
    void ShowImage(tk::TPicture const& image) { Picture().Assign(image.Bitmap()); }

    tk::TPicture FMouseUpImage;
    tk::TPicture FMouseDownImage;
    tk::TPicture FMouseOverImage;
    tk::TPicture FDisableImage;
};

} // namespace xe::chrome
