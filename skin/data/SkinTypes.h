#pragma once

#include "platform/graphics/Font.h"

#include <cstdint>

namespace xe::skin {

// Value kinds of the skin description. Their numbers are the order in which the
// description names them; the names themselves live in SkinValues.cpp.

// Font styles are the graphics layer's set of flags.
using xe::gfx::fsBold;
using xe::gfx::fsItalic;
using xe::gfx::fsStrikeOut;
using xe::gfx::fsUnderline;
using xe::gfx::TFontStyles;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

enum TspMorphKind {
    mkDefault,
    mkGradient,
    mkLeftGradient,
    mkRightGradient,
    mkLeftSlide,
    mkRightSlide,
    mkPush
};

enum TspInActiveEffect { ieBrightness, ieDarkness, ieGrayScale, ieNoise, ieSplitBlur, ieInvert };

enum TspCommandKind { cmClose, cmMaximize, cmMinimize, cmSysMenu, cmDefault, cmRollUp, cmMinimizeToTray };

enum TspGaugeKind { gkHorizontal, gkVertical };

enum TspFramesPlacement { fpHorizontal, fpVertical };

enum TspRegulatorKind { rkRound, rkHorizontal, rkVertical };

} // namespace xe::skin
