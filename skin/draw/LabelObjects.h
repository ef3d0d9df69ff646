#pragma once

#include "skin/data/SkinTypes.h"
#include "skin/draw/ActiveSkinObject.h"

#include <string>
#include <vector>

namespace xe::skin {

class TspDataSkinBitLabel;
class TspDataSkinLabel;

// A fixed text of the frame drawn with a font over its picture rectangle; while the mouse is
// over it, it may show its hot picture and its active font colour, fading between the looks
// when morphing.
class TspSkinLabelObject : public TspActiveSkinObject {
public:
    TspSkinLabelObject(TSkinObjectHost* form, TspSkinData* skinData, TspDataSkinLabel* data);

    void Draw(gfx::TCanvas& canvas, bool update) override;
    void MouseEnter() override;
    void MouseLeave() override;

    // Stores the text and has the form redraw the label at once.
    void SetTextValue(std::string const& text);
    bool TakeText(std::string const& text) override
    {
        SetTextValue(text);
        return true;
    }
    // The label's image at the size of ObjectRect: the hot picture (hotPicture) or the normal
    // one, with the text in the active font colour (activeColor) or the normal one.
    void BuildImage(gfx::TBitmap& image, bool hotPicture, bool activeColor) const;

    std::string TextValue; // textvalue
    std::string FontName = "Arial"; // fontName
    gfx::TFontStyles FontStyle = 0; // fontstyle
    int FontHeight = 14; // fontheight
    base::TColor FontColor = 0; // fontcolor
    base::TColor ActiveFontColor = 0; // activefontcolor
    TAlignment Alignment = taCenter; // alignment

private:
    bool ChangesOnHover() const;
};

// A text drawn with a bitmap font: each character is a cell of the symbol sheet, which lies
// in OwnPicture from the top-left corner of HotRect. Row r of Symbols names the characters of
// row r of the sheet, in column order.
class TspSkinBitLabelObject : public TspActiveSkinObject {
public:
    TspSkinBitLabelObject(TSkinObjectHost* form, TspSkinData* skinData, TspDataSkinBitLabel* data);

    void Draw(gfx::TCanvas& canvas, bool update) override;

    // Stores the text and has the form redraw the label at once.
    void SetTextValue(std::string const& text);
    bool TakeText(std::string const& text) override
    {
        SetTextValue(text);
        return true;
    }

    std::string TextValue; // textvalue
    int SymbolWidth = 0; // symbolwidth
    int SymbolHeight = 0; // symbolheight
    std::vector<std::string> Symbols; // symbols: the characters of each row of cells
};

} // namespace xe::skin
