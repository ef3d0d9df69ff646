#pragma once

#include "skin/controls/SkinControl.h"

namespace xe::skin {

// A check box or radio button drawn from a checkradio look: the background image (the
// active one while hot or focused), the check image of its state (checked or not; normal,
// active or disabled) in the look's check-image area, and the caption in the text area.
// A click or Space toggles a check box; a radio button is checked by them and unchecks the
// radio buttons of its group (same parent, same GroupIndex). The arrow keys move the focus
// through a radio group in tab order, checking the button they reach.
class TspSkinCheckRadioBox : public TspSkinControl {
public:
    explicit TspSkinCheckRadioBox(tk::TComponent* owner);
    char const* ClassName() const override { return "TspSkinCheckRadioBox"; }

    bool Checked() const { return FChecked; }
    void SetChecked(bool value);
    // A radio button (checked by a click, never unchecked by one) or a check box.
    bool Radio() const { return FRadio; }
    void SetRadio(bool value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value) { FGroupIndex = value; }

    // The images the box shows now, as rectangles of the look's picture.
    base::TRect CheckImage() const;

    tk::TNotifyEvent OnChange; // Checked changed

    void Click() override;
    // Alt with the caption's marked letter clicks the box (toggles it, or checks the radio).
    bool DialogChar(char key) override { return ClickByAccel(key); }
    void WndProc(tk::TMessage& message) override;
    void DefineProperties(tk::TProperties& properties) override;

protected:
    TspSkinCheckRadioBox(tk::TComponent* owner, std::string defaultSkinDataName, bool radio);
    bool PaintSkin(gfx::TCanvas& canvas) override;
    void PaintPlain(gfx::TCanvas& canvas) override;
    void KeyDown(win::WORD& key, tk::TShiftState shift) override;
    void KeyUp(win::WORD& key, tk::TShiftState shift) override;
    void DoExit() override;

private:
    void Toggle();

    bool FChecked = false;
    bool FRadio = false;
    int FGroupIndex = 0;
    bool FSpaceDown = false;
};

class TspSkinCheckBox : public TspSkinCheckRadioBox {
public:
    explicit TspSkinCheckBox(tk::TComponent* owner)
        : TspSkinCheckRadioBox(owner, "checkbox", false)
    {
    }
    char const* ClassName() const override { return "TspSkinCheckBox"; }
};

class TspSkinRadioButton : public TspSkinCheckRadioBox {
public:
    explicit TspSkinRadioButton(tk::TComponent* owner)
        : TspSkinCheckRadioBox(owner, "radiobox", true)
    {
    }
    char const* ClassName() const override { return "TspSkinRadioButton"; }
};

} // namespace xe::skin
