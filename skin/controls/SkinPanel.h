#pragma once

#include "skin/controls/SkinControl.h"

namespace xe::skin {

// A panel drawn from a panel look: the frame cut from its image, the client filled with the
// look's background picture (tiled) when it has one, and the caption in the look's caption
// rectangle (which grows with the width) aligned as the look says; without a caption
// rectangle the caption is centred in the panel. Panels here are drawn under the controls
// placed over them; they do not hold controls.
class TspSkinPanel : public TspSkinControl {
public:
    explicit TspSkinPanel(tk::TComponent* owner);
    char const* ClassName() const override { return "TspSkinPanel"; }

    // Where the caption goes, in the control's coordinates (for a look: its caption
    // rectangle at the control's size).
    base::TRect CaptionArea() const;

protected:
    TspSkinPanel(tk::TComponent* owner, std::string defaultSkinDataName);
    bool PaintSkin(gfx::TCanvas& canvas) override;
    void PaintPlain(gfx::TCanvas& canvas) override;
};

// A group box: a panel with the "groupbox" look; drawn plain as an etched frame with the
// caption on its top edge.
class TspSkinGroupBox : public TspSkinPanel {
public:
    explicit TspSkinGroupBox(tk::TComponent* owner);
    char const* ClassName() const override { return "TspSkinGroupBox"; }

protected:
    void PaintPlain(gfx::TCanvas& canvas) override;
};

} // namespace xe::skin
