#pragma once

#include "skin/draw/EffectBmp.h"

// Straightforward, pixel-at-a-time versions of the effects, written from their formulas and
// kept slow on purpose: every fast path of TspEffectBmp is checked against them.
namespace xe::skin {

void RefBlend(TspEffectBmp& img, TspEffectBmp const& other, double k);
void RefBlendRect(TspEffectBmp& img, TspEffectBmp const& other, base::TRect const& r, int otherTop,
    int otherLeft, double k);
void RefLeftGradient(TspEffectBmp& img, TspEffectBmp const& other, double k);
void RefRightGradient(TspEffectBmp& img, TspEffectBmp const& other, double k);
void RefCenterGradient(TspEffectBmp& img, TspEffectBmp const& other, double k);
void RefPush(TspEffectBmp& img, TspEffectBmp const& other, double k);
void RefLeftSlide(TspEffectBmp& img, TspEffectBmp const& other, double k);
void RefRightSlide(TspEffectBmp& img, TspEffectBmp const& other, double k);
void RefBrightness(TspEffectBmp& img, double k);
void RefDarkness(TspEffectBmp& img, double k);
void RefGrayscale(TspEffectBmp& img);
// Split blur that also counts reads outside the image (which must stay 0).
void RefSplitBlur(TspEffectBmp& img, int a, int& outsideReads);

} // namespace xe::skin
