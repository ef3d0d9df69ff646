#pragma once

#include "platform/graphics/Font.h"
#include "platform/toolkit/Controls.h"

#include <cstdint>

namespace xe::skin {

// Value kinds of the skin description. Their numbers are the order in which the
// description names them; the names themselves live in SkinValues.cpp. The enumerations
// have a fixed underlying type so that any stored number is a valid value of them.

// Font styles are the graphics layer's set of flags.
using xe::gfx::fsBold;
using xe::gfx::fsItalic;
using xe::gfx::fsStrikeOut;
using xe::gfx::fsUnderline;
using xe::gfx::TFontStyles;

// Text alignment is the toolkit's.
using xe::tk::taCenter;
using xe::tk::taLeftJustify;
using xe::tk::TAlignment;
using xe::tk::taRightJustify;

enum TspMorphKind : int {
    mkDefault,
    mkGradient,
    mkLeftGradient,
    mkRightGradient,
    mkLeftSlide,
    mkRightSlide,
    mkPush
};

enum TspInActiveEffect : int { ieBrightness, ieDarkness, ieGrayScale, ieNoise, ieSplitBlur, ieInvert };

enum TspCommandKind : int {
    cmClose,
    cmMaximize,
    cmMinimize,
    cmSysMenu,
    cmDefault,
    cmRollUp,
    cmMinimizeToTray
};

enum TspGaugeKind : int { gkHorizontal, gkVertical };

enum TspFramesPlacement : int { fpHorizontal, fpVertical };

enum TspRegulatorKind : int { rkRound, rkHorizontal, rkVertical };

} // namespace xe::skin
