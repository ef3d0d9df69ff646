#pragma once

#include "platform/toolkit/Forms.h"
#include "skin/controls/SkinControl.h"

namespace xe::skin {

// A push button drawn from a button look: its normal, active (hot or focused), down and
// disabled images and font colours, fading between normal and active when the look has
// morphing. A press and release on it, Space (on release) or Enter when it has the focus
// click it; a click sets the form's ModalResult when it has one.
class TspSkinButton : public TspSkinControl {
public:
    explicit TspSkinButton(tk::TComponent* owner);
    char const* ClassName() const override { return "TspSkinButton"; }

    tk::TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(tk::TModalResult value) { FModalResult = value; }

    // The image the button shows now: disabled, down, active or normal.
    enum TButtonImage { biNormal, biActive, biDown, biDisabled };
    TButtonImage CurrentImage() const;

    void Click() override;
    // Alt with the caption's marked letter clicks the button.
    bool DialogChar(char key) override { return ClickByAccel(key); }
    void DefineProperties(tk::TProperties& properties) override;
    void WndProc(tk::TMessage& message) override;

protected:
    TspSkinButton(tk::TComponent* owner, std::string defaultSkinDataName);
    // Whether the button shows pressed: the mouse holds it down over it, or Space does.
    virtual bool ShowsDown() const;
    bool PaintSkin(gfx::TCanvas& canvas) override;
    void PaintPlain(gfx::TCanvas& canvas) override;
    void StateChanged() override;
    void KeyDown(win::WORD& key, tk::TShiftState shift) override;
    void KeyUp(win::WORD& key, tk::TShiftState shift) override;
    void DoExit() override;
    // The rectangle of the look for an image (falling back to the normal one when empty).
    base::TRect ImageRect(TspDataSkinButtonControl const& look, TButtonImage image) const;

private:
    tk::TModalResult FModalResult = tk::mrNone;
    bool FSpaceDown = false;
    bool FWasHot = false;
};

// A tool-bar button drawn from the "toolbutton" look. It takes no focus. With a GroupIndex
// it stays down when clicked: one button of a group (the buttons of one parent with the same
// index) is down at a time, and with AllowAllUp a click on the down one raises it.
class TspSkinToolButton : public TspSkinButton {
public:
    explicit TspSkinToolButton(tk::TComponent* owner);
    char const* ClassName() const override { return "TspSkinToolButton"; }

    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value) { FGroupIndex = value; }
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool value) { FAllowAllUp = value; }
    // Stays down (only with a GroupIndex); setting it raises the others of the group.
    bool IsDown() const { return FIsDown; }
    void SetIsDown(bool value);

    void Click() override;
    void DefineProperties(tk::TProperties& properties) override;

protected:
    bool ShowsDown() const override;

private:
    int FGroupIndex = 0;
    bool FAllowAllUp = false;
    bool FIsDown = false;
};

} // namespace xe::skin
