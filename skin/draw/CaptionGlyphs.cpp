#include "skin/draw/CaptionGlyphs.h"

#include "platform/graphics/Canvas.h"

namespace xe::skin {

namespace {

void Line(gfx::TCanvas& canvas, int x, int y, int x1, int y1, int x2, int y2)
{
    canvas.MoveTo(x + x1, y + y1);
    canvas.LineTo(x + x2, y + y2);
}

void Outline(gfx::TCanvas& canvas, int x, int y, int x1, int y1, int x2, int y2)
{
    canvas.Rectangle(x + x1, y + y1, x + x2, y + y2);
}

void UsePen(gfx::TCanvas& canvas, base::TColor color)
{
    canvas.Pen.Color = color;
    canvas.Pen.Style = gfx::psSolid;
    canvas.Pen.Width = 1;
    canvas.Pen.Mode = gfx::pmCopy;
}

void UsePenHollow(gfx::TCanvas& canvas, base::TColor color)
{
    UsePen(canvas, color);
    canvas.Brush.Style = gfx::bsClear;
}

} // namespace

void DrawCloseGlyph(gfx::TCanvas& canvas, int x, int y, base::TColor color)
{
    gfx::TCanvasSaver saver(canvas);
    UsePen(canvas, color);
    Line(canvas, x, y, 1, 1, 9, 9);
    Line(canvas, x, y, 9, 1, 1, 9);
    Line(canvas, x, y, 2, 1, 10, 9);
    Line(canvas, x, y, 8, 1, 0, 9);
}

void DrawSysMenuGlyph(gfx::TCanvas& canvas, int x, int y, base::TColor color)
{
    gfx::TCanvasSaver saver(canvas);
    UsePenHollow(canvas, color);
    Outline(canvas, x, y, 1, 3, 9, 6);
}

void DrawMinimizeGlyph(gfx::TCanvas& canvas, int x, int y, base::TColor color)
{
    gfx::TCanvasSaver saver(canvas);
    UsePen(canvas, color);
    Line(canvas, x, y, 1, 8, 9, 8);
    Line(canvas, x, y, 1, 9, 9, 9);
}

void DrawMaximizeGlyph(gfx::TCanvas& canvas, int x, int y, base::TColor color)
{
    gfx::TCanvasSaver saver(canvas);
    UsePenHollow(canvas, color);
    Outline(canvas, x, y, 0, 0, 11, 10);
    Outline(canvas, x, y, 0, 0, 11, 2);
}

void DrawRestoreGlyph(gfx::TCanvas& canvas, int x, int y, base::TColor color)
{
    gfx::TCanvasSaver saver(canvas);
    UsePenHollow(canvas, color);
    Outline(canvas, x, y, 2, 0, 10, 6);
    Outline(canvas, x, y, 2, 0, 10, 2);
    Outline(canvas, x, y, 0, 4, 7, 10);
    Outline(canvas, x, y, 0, 4, 7, 6);
}

void DrawRollDownGlyph(gfx::TCanvas& canvas, int x, int y, base::TColor color)
{
    gfx::TCanvasSaver saver(canvas);
    UsePen(canvas, color);
    for (int i = 0; i <= 4; ++i)
        Line(canvas, x, y, 5 - i, 6 - i, 5 + i, 6 - i);
}

void DrawRollUpGlyph(gfx::TCanvas& canvas, int x, int y, base::TColor color)
{
    gfx::TCanvasSaver saver(canvas);
    UsePen(canvas, color);
    for (int i = 0; i <= 4; ++i)
        Line(canvas, x, y, 5 - i, 2 + i, 5 + i, 2 + i);
}

void DrawTrayGlyph(gfx::TCanvas& canvas, int x, int y, base::TColor color)
{
    gfx::TCanvasSaver saver(canvas);
    UsePen(canvas, color);
    canvas.Brush.Color = color;
    canvas.Brush.Style = gfx::bsSolid;
    Outline(canvas, x, y, 2, 2, 7, 7);
}

} // namespace xe::skin
