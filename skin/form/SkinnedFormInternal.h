// Helpers shared by the files of the skinned form; not part of its interface.
#pragma once

#include "platform/base/Geometry.h"
#include "platform/graphics/Font.h"
#include "platform/windows/WinUser.h"

namespace xe::skin {

namespace {

enum { BandTop, BandBottom, BandLeft, BandRight };

// Posted to the form when the main menu's top-level items come or go: the tabs are rebuilt
// once the message that changed the menu (perhaps a tab's own click) is done.
constexpr win::UINT MainMenuRebuildMsg = win::WM_APP + 0x5310;

inline bool InArea(base::TRect const& area, base::TPoint p) { return base::PtInRect(area, p); }

// The built-in frame's caption fonts and the menus' item font as the component starts with.
inline gfx::TFont DefaultCaptionFont(bool inactive)
{
    gfx::TFont f;
    f.SetName("Arial");
    f.SetHeight(14);
    f.SetStyle(gfx::fsBold);
    f.SetColor(inactive ? base::clBtnShadow : base::clBtnText);
    return f;
}

inline gfx::TFont DefaultMenuItemFont()
{
    gfx::TFont f;
    f.SetName("Arial");
    f.SetHeight(14);
    f.SetColor(base::clWindowText);
    return f;
}

// Where a skin pixel rectangle's corner lies, with the corner areas' right and bottom edges
// counted as inside: a rectangle that ends exactly on a corner's edge still lies in it. So a
// rectangle flush with the picture's right or bottom edge lies in the right or bottom corner
// areas and moves with the frame, which is where such a rectangle is drawn to be.
inline bool InCorner(base::TRect const& area, base::TPoint p)
{
    return p.X >= area.Left && p.X <= area.Right && p.Y >= area.Top && p.Y <= area.Bottom;
}

struct TDcGuard {
    win::HWND Hwnd;
    win::HDC Dc;
    ~TDcGuard()
    {
        if (Dc)
            win::ReleaseDC(Hwnd, Dc);
    }
};

} // namespace

} // namespace xe::skin
