#pragma once

// TspSkinComboBox: a drop-down list without an edit (the user picks one of the items). The
// box is drawn from a combo-box look: its frame, the chosen item's image and text, and the
// button in its normal, hot, pressed and disabled images. The list drops down in a popup
// window of its own, drawn by a TspSkinListBox from the list-box look the combo-box look
// names. A click on the box, Alt+Down or F4 opens it; a click on an item or Enter chooses;
// a click elsewhere or Escape closes it without a choice. Up and Down change the chosen
// item while it is closed.

#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinListBox.h"

#include <memory>
#include <string>
#include <vector>

namespace xe::skin {

class TspSkinComboBox : public TspSkinControl {
public:
    explicit TspSkinComboBox(tk::TComponent* owner);
    ~TspSkinComboBox() override;
    char const* ClassName() const override { return "TspSkinComboBox"; }

    std::vector<std::string> const& Items() const { return FItems; }
    void SetItems(std::vector<std::string> items);
    int ItemIndex() const { return FItemIndex; }
    // Chooses an item (-1: none) without OnChange.
    void SetItemIndex(int value);
    std::string Text() const;
    // The most items the drop-down list shows before it scrolls.
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int value) { FDropDownCount = std::max(1, value); }

    // The drop-down list: open, its window and the list box drawing it (null when closed).
    bool DroppedDown() const { return FPopup != nullptr; }
    void SetDroppedDown(bool value);
    win::HWND DropDownHandle() const;
    TspSkinListBox* DropDownList() const;

    // Geometry in client coordinates: the button and the chosen item's area.
    base::TRect ButtonRect() const;
    base::TRect ItemArea() const;

    // The user chose another item.
    tk::TNotifyEvent OnChange;

    void KeyDown(win::WORD& key, tk::TShiftState shift) override;
    void DefineProperties(tk::TProperties& properties) override;

protected:
    void GetSkinData() override;
    bool PaintSkin(gfx::TCanvas& canvas) override;
    void PaintPlain(gfx::TCanvas& canvas) override;
    void MouseDown(tk::TMouseButton button, tk::TShiftState shift, int x, int y) override;
    // Closed: the wheel chooses the item before or after, one a notch; open: it scrolls the
    // drop-down list.
    bool DoMouseWheel(tk::TShiftState shift, int wheelDelta, base::TPoint mousePos) override;
    void DoExit() override;
    void EnabledChanged() override;

private:
    class TPopup;
    friend class TPopup;
    base::TRect Insets() const;
    // Chooses by the user: OnChange when it changed.
    void Choose(int index);
    void CloseUp(bool choose);

    std::vector<std::string> FItems;
    int FItemIndex = -1;
    int FDropDownCount = 8;
    std::unique_ptr<TPopup> FPopup;
};

} // namespace xe::skin
