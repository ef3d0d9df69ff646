#pragma once

// TspSkinListBox: a list of strings with one selected item, drawn from a list-box look (its
// frame, item images for normal, selected and selected-with-focus items, an optional
// caption band) with a vertical scroll bar drawn from the scroll-bar look the list-box look
// names. Arrows, Home/End and PgUp/PgDn move the selection; a click selects; the wheel
// scrolls, and the scroll bar works as a stand-alone one: its buttons and the track beside
// the thumb step and repeat while held, the thumb drags.

#include "skin/controls/InnerScrollBar.h"
#include "skin/controls/SkinControl.h"

#include <functional>
#include <string>
#include <vector>

namespace xe::skin {

class TspSkinListBox : public TspSkinControl, private TspInnerScrollBar::TSource {
public:
    explicit TspSkinListBox(tk::TComponent* owner);
    char const* ClassName() const override { return "TspSkinListBox"; }

    std::vector<std::string> const& Items() const { return FItems; }
    void SetItems(std::vector<std::string> items);
    void AddItem(std::string const& item);
    void Clear();
    int Count() const { return int(FItems.size()); }

    // The selected item, -1 for none; setting it scrolls it into view (no OnChange).
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int value);
    // The first item shown.
    int TopIndex() const { return FTopIndex; }
    void SetTopIndex(int value);
    // The height of an item: the look's item image, or the plain one without a look.
    int ItemHeight() const;
    // How many items show whole in the item area.
    int VisibleCount() const;

    // Geometry in client coordinates: the caption band (empty without one), the area the
    // items show in, one item's rectangle (empty when not shown) and the scroll bar (empty
    // when every item fits).
    base::TRect CaptionBand() const;
    base::TRect ItemsArea() const;
    base::TRect ItemRect(int index) const;
    base::TRect ScrollBarRect() const;
    // The item at a client point, -1 for none.
    int ItemAtPos(base::TPoint p) const;

    // Scrolls by whole items (positive: down), as the wheel and the scroll bar do.
    void ScrollBy(int items);
    // The mouse on the scroll bar, in client coordinates: a press on its buttons scrolls an
    // item and on the track beside the thumb a page, repeating while held, and on the thumb
    // starts a drag (false when the point is not on the bar); moves drag the thumb; the
    // release (anywhere) ends it.
    bool PressScrollBar(base::TPoint p);
    void MoveScrollBar(base::TPoint p);
    void ReleaseScrollBar(base::TPoint p = {});
    // The scroll bar's part held down (spNone, or TspScrollBarHost's parts).
    int ScrollBarPressed() const { return FBar.Tracker().Pressed(); }
    // The shown items moved (TopIndex changed), by the user or not.
    tk::TNotifyEvent OnScroll;
    // Draws the selected item as focused even without the keyboard focus (the drop-down
    // list of a combo box, whose owner has the focus).
    bool ShowFocus = false;

    // The user changed the selection.
    tk::TNotifyEvent OnChange;

    void KeyDown(win::WORD& key, tk::TShiftState shift) override;
    bool DoMouseWheel(tk::TShiftState shift, int wheelDelta, base::TPoint mousePos) override;
    void DefineProperties(tk::TProperties& properties) override;

    // The plain item height.
    static constexpr int PlainItemHeight = 16;

protected:
    void GetSkinData() override;
    bool PaintSkin(gfx::TCanvas& canvas) override;
    void PaintPlain(gfx::TCanvas& canvas) override;
    void MouseDown(tk::TMouseButton button, tk::TShiftState shift, int x, int y) override;
    void MouseMove(tk::TShiftState shift, int x, int y) override;
    void MouseUp(tk::TMouseButton button, tk::TShiftState shift, int x, int y) override;
    void MouseLeave() override;
    void EnabledChanged() override;

public:
    // The scroll bar's pieces, in client coordinates.
    base::TRect UpButton() const;
    base::TRect DownButton() const;
    base::TRect Thumb() const;

private:
    // The insets of the look's client inside its frame: left, top, right, bottom.
    base::TRect Insets() const;
    TspDataSkinScrollBarControl* ScrollLook() const;
    int ScrollBarWidth() const;
    void PaintItem(gfx::TCanvas& canvas, int index);
    // Selects by the user: scrolls it in and fires OnChange when it changed.
    void Select(int index);
    void ScrollIntoView(int index);
    int MaxTopIndex() const;
    // What the built-in scroll bar shows and does.
    base::TRect InnerBarRect() const override { return ScrollBarRect(); }
    TspDataSkinScrollBarControl const* InnerBarLook() const override { return ScrollLook(); }
    int InnerBarPosition() const override { return FTopIndex; }
    int InnerBarMax() const override { return MaxTopIndex(); }
    int InnerBarPage() const override { return VisibleCount(); }
    void InnerBarScrollTo(int position) override { SetTopIndex(position); }
    void InnerBarChanged() override { Invalidate(); }

    std::vector<std::string> FItems;
    int FItemIndex = -1;
    int FTopIndex = 0;
    TspInnerScrollBar FBar { *this };
    bool FSelecting = false; // a press in the items: moving drags the selection
};

} // namespace xe::skin
