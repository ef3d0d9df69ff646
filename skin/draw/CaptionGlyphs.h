#pragma once

#include "platform/base/Colors.h"

namespace xe::gfx {
class TCanvas;
}

namespace xe::skin {

// Default glyphs of the standard caption buttons that have no picture. Each draws in one
// colour with its top-left corner at (x, y); lines stop short of their end point. The canvas's
// pen and brush are restored afterwards.
void DrawCloseGlyph(gfx::TCanvas& canvas, int x, int y, base::TColor color); // an X, 10 x 9
void DrawSysMenuGlyph(gfx::TCanvas& canvas, int x, int y, base::TColor color); // a bar outline
void DrawMinimizeGlyph(gfx::TCanvas& canvas, int x, int y, base::TColor color); // a thick underscore
void DrawMaximizeGlyph(gfx::TCanvas& canvas, int x, int y, base::TColor color); // a window with a title bar
void DrawRestoreGlyph(gfx::TCanvas& canvas, int x, int y, base::TColor color); // two windows
void DrawRollDownGlyph(gfx::TCanvas& canvas, int x, int y, base::TColor color); // a triangle pointing down
void DrawRollUpGlyph(gfx::TCanvas& canvas, int x, int y, base::TColor color); // a triangle pointing up
void DrawTrayGlyph(gfx::TCanvas& canvas, int x, int y, base::TColor color); // a filled square

} // namespace xe::skin
