#pragma once

#include "platform/base/Geometry.h"
#include "platform/toolkit/Component.h"
#include "platform/windows/WinDefs.h"

#include <string>

namespace xe::gfx {
class TCanvas;
}

namespace xe::skin {

class TspSkinData;

// A hint window: a borderless top-level window that shows one line of text near a screen
// point and never takes the activation. With a SkinData whose hint-window description names
// a picture, the window is that picture cut at its corner points and laid around the text
// (bands stretched or tiled as the description says), the text in the description's font
// inside its client rectangle; otherwise it has a plain look (pale yellow, a dark border).
class TspSkinHint : public tk::TComponent {
public:
    explicit TspSkinHint(tk::TComponent* owner);
    ~TspSkinHint() override;
    char const* ClassName() const override { return "TspSkinHint"; }

    // Not owned; forgotten (and the hint hidden) when it is freed.
    TspSkinData* SkinData() const;
    void SetSkinData(TspSkinData* value);

    // Shows the text with the window's top-left corner at the screen point, kept on the
    // point's work area (above the point when there is no room below). Empty text hides it.
    void ActivateHint(base::TPoint screen, std::string const& text);
    void HideHint();
    bool Visible() const { return FHandle != nullptr; }
    win::HWND Handle() const { return FHandle; }
    std::string const& Text() const { return FText; }
    // Whether the skin's look is used (else the plain one).
    bool Skinned() const { return FSkinned; }

private:
    win::LRESULT WndProc(win::HWND h, win::UINT msg, win::WPARAM wp, win::LPARAM lp);
    void Paint(gfx::TCanvas& canvas);
    void SetFont(gfx::TCanvas& canvas) const;

    tk::TComponentRef<TspSkinData> FSkinData;
    bool FSkinned = false;
    std::string FText;
    win::HWND FHandle = nullptr;
    win::WNDPROC FInstance = nullptr;
    int FWidth = 0;
    int FHeight = 0;
    base::TRect FTextRect; // window coordinates
};

} // namespace xe::skin
