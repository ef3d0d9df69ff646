#pragma once

// TspSkinTabControl: a row of tabs above a page, drawn from a tab look: the tab images for
// normal, active, active-with-focus and mouse-in tabs (strips with fixed ends), the band
// behind the tab row, and the page's frame with its client area. A click or the arrows
// (and Ctrl+Tab, Ctrl+Shift+Tab) choose a tab; OnChanging may refuse the change. When the
// tabs do not fit, two small arrows at the right of the tab row (from the look's `updown`
// look, or plain) shift the first tab shown; choosing a tab brings it into view.

#include "skin/controls/SkinControl.h"

#include <functional>
#include <string>
#include <vector>

namespace xe::skin {

class TspSkinTabControl : public TspSkinControl {
public:
    explicit TspSkinTabControl(tk::TComponent* owner);
    char const* ClassName() const override { return "TspSkinTabControl"; }

    std::vector<std::string> const& Tabs() const { return FTabs; }
    void SetTabs(std::vector<std::string> tabs);
    // The active tab (-1: none); setting it fires no event.
    int TabIndex() const { return FTabIndex; }
    void SetTabIndex(int value);
    // The tab under the mouse, -1 for none.
    int HotIndex() const { return FHotIndex; }

    // Geometry in client coordinates: a tab, the tab row's height, and the page's client
    // area (where the page's controls go).
    base::TRect TabRect(int index) const;
    int TabHeight() const;
    base::TRect DisplayRect() const;
    int TabAtPos(base::TPoint p) const;
    // The first tab shown (tabs before it are scrolled out at the left).
    int FirstTab() const { return FFirstTab; }
    void SetFirstTab(int value);
    // The scroll arrows, left (back) and right (on); empty while every tab fits.
    base::TRect ScrollLeftRect() const;
    base::TRect ScrollRightRect() const;

    // Before the active tab changes: set allow to false to keep the current one.
    std::function<void(tk::TComponent* sender, bool& allow)> OnChanging;
    tk::TNotifyEvent OnChange;

    void KeyDown(win::WORD& key, tk::TShiftState shift) override;
    void DefineProperties(tk::TProperties& properties) override;

    static constexpr int PlainTabHeight = 20;

protected:
    bool PaintSkin(gfx::TCanvas& canvas) override;
    void PaintPlain(gfx::TCanvas& canvas) override;
    void MouseDown(tk::TMouseButton button, tk::TShiftState shift, int x, int y) override;
    void MouseMove(tk::TShiftState shift, int x, int y) override;
    void MouseLeave() override;

private:
    int TabWidth(int index) const;
    TspDataSkinUpDownControl const* UpDownLook() const;
    // Whether the tabs need the arrows, and the width left to the tabs.
    bool Scrolls() const;
    int TabsRight() const;
    // The largest first tab: the one from which the rest fit.
    int MaxFirstTab() const;
    void ScrollIntoView(int index);
    void PaintTabs(
        gfx::TCanvas& canvas, TspDataSkinTabControl const& look, gfx::TBitmap const& picture) const;
    void PaintScrollArrows(gfx::TCanvas& canvas) const;
    // Changes by the user: OnChanging, then OnChange.
    void Change(int index);
    void SetHotIndex(int index);

    std::vector<std::string> FTabs;
    int FTabIndex = -1;
    int FHotIndex = -1;
    int FFirstTab = 0;
};

} // namespace xe::skin
