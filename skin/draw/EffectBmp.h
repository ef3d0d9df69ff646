#pragma once

#include <cstdint>
#include <vector>

#include "platform/base/Colors.h"
#include "platform/base/Geometry.h"
#include "skin/data/SkinTypes.h"

namespace xe::gfx {
class TBitmap;
class TCanvas;
}

namespace xe::skin {

// A 24-bit top-down image in memory (blue, green, red; rows RowStride = Width * 3 + Width mod 4
// bytes) on which the inactive effects and the morph transitions are computed. It always owns
// its pixels: made from a bitmap it takes a copy, so an effect never changes the picture it
// came from.
//
// Channel results are computed in floating point, rounded to the nearest integer (ties to
// even) and clamped to 0..255. Factors are taken as 0 below 0 and as 1 above 1. In a morph,
// this image is the normal picture and the other the active one; k = 0 means normal, 1 active.
// A morph with an image of another size does nothing.
class TspEffectBmp {
public:
    // Black pixels.
    TspEffectBmp(int width, int height);
    explicit TspEffectBmp(gfx::TBitmap const& bitmap);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    int RowStride() const { return FWidth * 3 + FWidth % 4; }
    int Size() const { return RowStride() * FHeight; }
    uint8_t* Bits() { return FBits.data(); }
    uint8_t const* Bits() const { return FBits.data(); }

    // Paints the whole image with its top-left corner at (x, y) of the canvas (a plain copy,
    // clipped as the canvas clips).
    void Draw(gfx::TCanvas& canvas, int x, int y) const;
    // Gives the bitmap this image's size and pixels.
    void AssignTo(gfx::TBitmap& bitmap) const;

    // Outside the image Pixel reads black and SetPixel does nothing.
    base::TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, base::TColor color);
    // Rows of Width * 3 bytes; a row number outside the image copies nothing (RowAddress gives
    // nullptr).
    void GetRow(int y, uint8_t* buffer) const;
    void SetRow(int y, uint8_t const* buffer);
    uint8_t* RowAddress(int y);
    uint8_t const* RowAddress(int y) const;

    // --- Morphs ---
    void Blend(TspEffectBmp const& other, double k);
    // Blends the part of rect that lies inside this image with the other image read from
    // (otherLeft, otherTop) on; pixels whose partner lies outside the other image are kept.
    void BlendRect(TspEffectBmp const& other, base::TRect const& rect, int otherTop, int otherLeft, double k);
    // The centre gradient: vertical when the image is taller than wide, else horizontal.
    void CenterGradient(TspEffectBmp const& other, double k);
    void LeftGradient(TspEffectBmp const& other, double k);
    void RightGradient(TspEffectBmp const& other, double k);
    void Push(TspEffectBmp const& other, double k);
    void LeftSlide(TspEffectBmp const& other, double k);
    void RightSlide(TspEffectBmp const& other, double k);
    // Runs the morph of the given kind; a number that names no kind blends.
    void Morph(TspMorphKind kind, TspEffectBmp const& other, double k);

    // --- Inactive effects ---
    void Brightness(double k);
    void Darkness(double k);
    void Grayscale();
    void Invert();
    // Adds one value from -(amount div 2) .. amount - 1 - amount div 2 to the three channels of
    // each pixel. The seeded form gives a repeatable pattern; amount < 1 does nothing.
    void Noise(int amount);
    void Noise(int amount, uint32_t seed);
    // Averages each pixel's four diagonal neighbours at distance amount, in place from the
    // top-left. amount < 1 does nothing.
    void SplitBlur(int amount);
    // Runs the inactive effect of the given kind with its fixed amount: brightness 0.5,
    // darkness 0.3, noise 50, split blur 1. A number that names no effect does nothing.
    void InactiveEffect(TspInActiveEffect effect);

    // Writes this image upside down into other; does nothing when the sizes differ.
    void FlipInto(TspEffectBmp& other) const;

private:
    bool SameSize(TspEffectBmp const& other) const
    {
        return other.FWidth == FWidth && other.FHeight == FHeight;
    }
    void HorzCenterGradient(TspEffectBmp const& other, double k);
    void VertCenterGradient(TspEffectBmp const& other, double k);
    void ApplyNoise(int amount, uint32_t seed);

    int FWidth = 0;
    int FHeight = 0;
    std::vector<uint8_t> FBits;
};

} // namespace xe::skin
