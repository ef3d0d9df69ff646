#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/graphics/Font.h"

namespace xe::gfx {

// The glyph rasteriser behind TCanvas's text: FreeType faces found through fontconfig, rendered
// monochrome. Only the fonts the setup script installs are considered (the Liberation families
// and WenQuanYi Micro Hei), so that every machine renders alike.

// One rendered glyph: a 1-byte-per-pixel coverage mask (0 or 1), placed relative to the pen
// position on the baseline.
struct TGlyphImage {
    int Advance = 0; // pixels to the next pen position
    int Left = 0; // from the pen position to the mask's first column
    int Top = 0; // from the baseline up to the mask's first row
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Mask;
};

// Metrics of a font instance, in pixels.
struct TFontMetrics {
    int Ascent = 0;
    int Descent = 0;
    int Height = 0; // Ascent + Descent
    int EmHeight = 0;
    int AveCharWidth = 0;
    int MaxCharWidth = 0;
    int UnderlineOffset = 0; // from the baseline down to the underline's first row
    int UnderlineThickness = 1;
    int StrikeOutOffset = 0; // from the baseline up to the strike-out's first row
    int StrikeOutThickness = 1;
};

class TFontInstance {
public:
    virtual ~TFontInstance() = default;
    virtual TFontMetrics const& Metrics() const = 0;
    virtual TGlyphImage const& Glyph(char32_t ch) = 0;
    // The file of the primary face, for diagnostics and tests.
    virtual std::string const& FaceFile() const = 0;
    virtual std::string const& Family() const = 0;
};

// The instance for a logical font, created on first use and cached for the process.
// Raises base::EOutOfResources when no allowed font is installed.
TFontInstance& FontInstanceFor(TFont const& font);

// The installed family a face name (ANSI code page) maps to: "MS Sans Serif", "Arial" and other
// sans names to "Liberation Sans", serif names to "Liberation Serif", fixed-pitch names to
// "Liberation Mono", CJK names ("宋体", "SimSun", ...) to "WenQuanYi Micro Hei", anything else
// to "Liberation Sans".
std::string FontFamilyFor(std::string_view faceName);

} // namespace xe::gfx
