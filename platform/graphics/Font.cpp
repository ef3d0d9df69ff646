#include "platform/graphics/Font.h"

#include <cmath>

namespace xe::gfx {

namespace {
int MulDiv(int a, int b, int c) { return int(std::lround(double(a) * b / c)); }
}

void TFont::SetName(std::string const& name)
{
    if (name != FName) {
        FName = name;
        Changed();
    }
}

void TFont::SetHeight(int height)
{
    if (height != FHeight) {
        FHeight = height;
        Changed();
    }
}

int TFont::Size() const { return -MulDiv(FHeight, 72, ScreenPixelsPerInch); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, ScreenPixelsPerInch, 72)); }

void TFont::SetStyle(TFontStyles style)
{
    if (style != FStyle) {
        FStyle = style;
        Changed();
    }
}

void TFont::SetColor(base::TColor color)
{
    if (color != FColor) {
        FColor = color;
        Changed();
    }
}

void TFont::SetCharset(int charset)
{
    if (charset != FCharset) {
        FCharset = charset;
        Changed();
    }
}

void TFont::Assign(TFont const& source)
{
    FName = source.FName;
    FHeight = source.FHeight;
    FStyle = source.FStyle;
    FColor = source.FColor;
    FCharset = source.FCharset;
    Changed();
}

void TFont::Changed()
{
    if (OnChange)
        OnChange();
}

} // namespace xe::gfx
