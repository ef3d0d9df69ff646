#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/base/Colors.h"

namespace xe::gfx {

// Font styles form a set: combine the flags with |.
using TFontStyles = uint32_t;
constexpr TFontStyles fsBold = 1;
constexpr TFontStyles fsItalic = 2;
constexpr TFontStyles fsUnderline = 4;
constexpr TFontStyles fsStrikeOut = 8;

// Character sets as the platform numbers them.
constexpr int ANSI_CHARSET = 0;
constexpr int DEFAULT_CHARSET = 1;
constexpr int SYMBOL_CHARSET = 2;
constexpr int GB2312_CHARSET = 134;
constexpr int CHINESEBIG5_CHARSET = 136;

// The screen resolution every size is converted with.
constexpr int ScreenPixelsPerInch = 96;

// A logical font. Height is in pixels: a negative height is the character (em) height, a
// positive one the cell height (character height plus internal leading), as on the platform.
// Size is in points at 96 dpi; setting one recomputes the other.
class TFont {
public:
    TFont() = default;

    std::string const& Name() const { return FName; } // ANSI code page
    void SetName(std::string const& name);
    int Height() const { return FHeight; }
    void SetHeight(int height);
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles style);
    base::TColor Color() const { return FColor; }
    void SetColor(base::TColor color);
    int Charset() const { return FCharset; }
    void SetCharset(int charset);

    // Copies every attribute (not the OnChange handler) and reports one change.
    void Assign(TFont const& source);

    friend bool operator==(TFont const& a, TFont const& b)
    {
        return a.FName == b.FName && a.FHeight == b.FHeight && a.FStyle == b.FStyle && a.FColor == b.FColor
            && a.FCharset == b.FCharset;
    }

    std::function<void()> OnChange; // called after any attribute changes

private:
    void Changed();

    std::string FName = "MS Sans Serif"; // face name as the program asks for it
    int FHeight = -11; // 8 points
    TFontStyles FStyle = 0;
    base::TColor FColor = base::clWindowText;
    int FCharset = DEFAULT_CHARSET;
};

} // namespace xe::gfx
