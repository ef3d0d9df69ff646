#pragma once

#include "skin/controls/SkinControl.h"

namespace xe::skin {

// A label on a background cut from a label look, its caption in the look's client
// rectangle (at the control's size) in the look's font, aligned by Alignment.
class TspSkinLabel : public TspSkinControl {
public:
    explicit TspSkinLabel(tk::TComponent* owner);
    char const* ClassName() const override { return "TspSkinLabel"; }

    tk::TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(tk::TAlignment value);

    void DefineProperties(tk::TProperties& properties) override;

protected:
    TspSkinLabel(tk::TComponent* owner, std::string defaultSkinDataName);
    bool PaintSkin(gfx::TCanvas& canvas) override;
    void PaintPlain(gfx::TCanvas& canvas) override;

private:
    tk::TAlignment FAlignment = tk::taLeftJustify;
};

// A transparent text label in a stdlabel look's font: its font colour, and the look's
// active colour while the mouse is over it.
class TspSkinStdLabel : public TspSkinControl {
public:
    explicit TspSkinStdLabel(tk::TComponent* owner);
    char const* ClassName() const override { return "TspSkinStdLabel"; }

    tk::TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(tk::TAlignment value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);

    void DefineProperties(tk::TProperties& properties) override;

protected:
    bool PaintSkin(gfx::TCanvas& canvas) override;
    void PaintPlain(gfx::TCanvas& canvas) override;

private:
    uint32_t TextFlags() const;

    tk::TAlignment FAlignment = tk::taLeftJustify;
    bool FWordWrap = false;
};

} // namespace xe::skin
