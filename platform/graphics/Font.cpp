#include "platform/graphics/Font.h"

#include <cmath>

namespace xe::gfx {

namespace {
int MulDiv(int a, int b, int c) { return int(std::lround(double(a) * b / c)); }

// Stores value in field; true when that changed the field, so that listeners hear only of
// real changes.
template <typename T> bool Store(T& field, T const& value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}
}

void TFont::SetName(std::string const& name)
{
    if (Store(FName, name))
        Changed();
}

void TFont::SetHeight(int height)
{
    if (Store(FHeight, height))
        Changed();
}

int TFont::Size() const { return -MulDiv(FHeight, 72, ScreenPixelsPerInch); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, ScreenPixelsPerInch, 72)); }

void TFont::SetStyle(TFontStyles style)
{
    if (Store(FStyle, style))
        Changed();
}

void TFont::SetColor(base::TColor color)
{
    if (Store(FColor, color))
        Changed();
}

void TFont::SetCharset(int charset)
{
    if (Store(FCharset, charset))
        Changed();
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
