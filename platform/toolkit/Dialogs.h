#pragma once

#include "platform/toolkit/Buttons.h"
#include "platform/toolkit/Forms.h"
#include "platform/toolkit/StdCtrls.h"

#include <string>

namespace xe::tk {

// A modal message box of the toolkit's own, drawn with the canvas like every other form, so
// that it looks the same on every backend: a caption band with the caption, the text
// word-wrapped below it, and an OK button. Its window caption is the caption too, so that
// window managers and scripts find it by name.
//
//   +------------------------------------+
//   | caption                            |  CaptionBandHeight, the active-caption colour
//   +------------------------------------+
//   |  text, broken into lines that fit  |
//   |  the box's width                   |
//   |              [  OK  ]              |
//   +------------------------------------+
class TMessageForm : public TForm {
public:
    static constexpr int CaptionBandHeight = 22;
    static constexpr int Margin = 14;
    static constexpr int MinTextWidth = 220;
    static constexpr int MaxTextWidth = 420;

    TMessageForm(TComponent* owner, std::string const& caption, std::string const& text);
    char const* ClassName() const override { return "TMessageForm"; }

    TLabel* Message;
    TSpeedButton* OKButton;

protected:
    void PaintHandler(gfx::TCanvas& canvas, TRect const& area, bool erase) override;
};

// Shows text (ANSI code page) in a TMessageForm with the application's title as caption and
// waits until OK is pressed or the box is closed.
void ShowMessageBox(std::string const& text);

} // namespace xe::tk
