#pragma once

#include "skin/controls/SkinPanel.h"

#include <string>
#include <vector>

namespace xe::skin {

// One section of a status bar: its width (the last section with a width of 0 or less takes
// the rest of the bar) and its text.
struct TspStatusPanel {
    int Width = 50;
    std::string Text;
    bool operator==(TspStatusPanel const&) const = default;
};

// A status bar along the bottom of its form: the bar drawn from a panel look ("statusbar"),
// each section drawn from a label look ("statuspanel", PanelSkinDataName) with its text in
// the look's client rectangle and font. Without sections the caption fills the bar.
class TspSkinStatusBar : public TspSkinPanel {
public:
    explicit TspSkinStatusBar(tk::TComponent* owner);
    char const* ClassName() const override { return "TspSkinStatusBar"; }

    std::vector<TspStatusPanel> const& Panels() const { return FPanels; }
    void SetPanels(std::vector<TspStatusPanel> const& value);
    void SetPanelText(int index, std::string const& text);
    std::string const& PanelSkinDataName() const { return FPanelSkinDataName; }
    void SetPanelSkinDataName(std::string const& value);
    // Where each section lies now, in the control's coordinates.
    std::vector<base::TRect> PanelRects() const;

    void DefineProperties(tk::TProperties& properties) override;
    // Aligned (at the bottom by default), it takes its place as soon as it has a parent
    // and whenever its size is set.
    void SetParent(tk::TWinControl* parent) override;

protected:
    void BoundsChanged(base::TRect const& oldBounds) override;
    bool PaintSkin(gfx::TCanvas& canvas) override;
    void PaintPlain(gfx::TCanvas& canvas) override;

private:
    // The sections as stored: one "width,text" line each.
    std::string PanelsText() const;
    void SetPanelsText(std::string const& text);

    std::vector<TspStatusPanel> FPanels;
    std::string FPanelSkinDataName = "statuspanel";
};

} // namespace xe::skin
