#include "skin/draw/EffectBmp.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <cstring>
#include <random>

namespace xe::skin {

namespace {

// Rounds to the nearest integer, ties to even, as the default floating-point rounding mode
// does: adding and removing 1.5 * 2^52 leaves no fraction bits. Exact for |v| < 2^51, far
// beyond any channel value; a faster stand-in for std::nearbyint. It needs doubles evaluated
// as doubles (no wider intermediates).
static_assert(FLT_EVAL_METHOD == 0, "Rnd needs double arithmetic without excess precision");
inline double Rnd(double v)
{
    constexpr double magic = 6755399441055744.0;
    return (v + magic) - magic;
}

// Written with plain comparisons so that loops over a row can be vectorised.
inline uint8_t ToByte(double v)
{
    double r = Rnd(v);
    r = r < 0 ? 0 : r;
    r = r > 255 ? 255 : r;
    return uint8_t(int(r));
}

inline int RndInt(double v) { return int(Rnd(v)); }

inline double ClampFactor(double k)
{
    if (!(k > 0)) // NaN as well
        return 0;
    return k > 1 ? 1 : k;
}

// Blend: (1 - k) * this + k * other.
inline uint8_t BlendChannel(uint8_t a, uint8_t b, double k) { return ToByte((1 - k) * a + k * b); }

// Per-column weights of a gradient spread over the three channels, so that mixing runs
// straight over a row's bytes: t * this + (1 - t) * other.
class TColumnWeights {
public:
    explicit TColumnWeights(std::vector<double> const& weight)
        : FT(weight.size() * 3)
        , FU(weight.size() * 3)
    {
        for (size_t i = 0; i < FT.size(); ++i) {
            FT[i] = weight[i / 3];
            FU[i] = 1 - weight[i / 3];
        }
    }
    // Columns x0..x1, both included.
    void Mix(uint8_t* row, uint8_t const* other, int x0, int x1) const
    {
        double const* t = FT.data();
        double const* u = FU.data();
        for (size_t i = size_t(3 * x0); i < size_t(3 * x1 + 3); ++i)
            row[i] = ToByte(t[i] * row[i] + u[i] * other[i]);
    }

private:
    std::vector<double> FT, FU;
};

// Mixes a whole row (Width pixels) with one weight.
void MixRow(uint8_t* row, uint8_t const* other, int width, double t)
{
    double const u = 1 - t;
    for (int i = 0; i < 3 * width; ++i)
        row[i] = ToByte(t * row[i] + u * other[i]);
}

// Above this many channels the blend builds a table of all 256 x 256 results first.
constexpr size_t kBlendTableThreshold = 4 * 65536;

std::mt19937& NoiseSource()
{
    static std::mt19937 source(std::random_device {}());
    return source;
}

} // namespace

TspEffectBmp::TspEffectBmp(int width, int height)
    : FWidth(std::max(0, width))
    , FHeight(std::max(0, height))
{
    if (FWidth == 0 || FHeight == 0)
        FWidth = FHeight = 0;
    FBits.assign(size_t(Size()), 0);
}

TspEffectBmp::TspEffectBmp(gfx::TBitmap const& bitmap)
    : TspEffectBmp(bitmap.Width(), bitmap.Height())
{
    for (int y = 0; y < FHeight; ++y)
        std::memcpy(RowAddress(y), bitmap.ScanLine(y), size_t(FWidth) * 3);
}

void TspEffectBmp::Draw(gfx::TCanvas& canvas, int x, int y) const
{
    if (FWidth == 0)
        return;
    gfx::TBitmap picture;
    AssignTo(picture);
    gfx::BitBlt(canvas, x, y, FWidth, FHeight, picture, 0, 0, gfx::SRCCOPY);
}

void TspEffectBmp::AssignTo(gfx::TBitmap& bitmap) const
{
    bitmap.SetSize(FWidth, FHeight);
    for (int y = 0; y < FHeight; ++y)
        std::memcpy(bitmap.ScanLine(y), RowAddress(y), size_t(FWidth) * 3);
}

base::TColor TspEffectBmp::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight)
        return base::clBlack;
    uint8_t const* p = RowAddress(y) + 3 * x;
    return base::RGB(p[2], p[1], p[0]);
}

void TspEffectBmp::SetPixel(int x, int y, base::TColor color)
{
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight)
        return;
    uint8_t* p = RowAddress(y) + 3 * x;
    p[0] = base::GetBValue(color);
    p[1] = base::GetGValue(color);
    p[2] = base::GetRValue(color);
}

void TspEffectBmp::GetRow(int y, uint8_t* buffer) const
{
    if (y >= 0 && y < FHeight)
        std::memcpy(buffer, RowAddress(y), size_t(FWidth) * 3);
}

void TspEffectBmp::SetRow(int y, uint8_t const* buffer)
{
    if (y >= 0 && y < FHeight)
        std::memcpy(RowAddress(y), buffer, size_t(FWidth) * 3);
}

uint8_t* TspEffectBmp::RowAddress(int y)
{
    return (y >= 0 && y < FHeight) ? FBits.data() + size_t(y) * size_t(RowStride()) : nullptr;
}

uint8_t const* TspEffectBmp::RowAddress(int y) const
{
    return (y >= 0 && y < FHeight) ? FBits.data() + size_t(y) * size_t(RowStride()) : nullptr;
}

// --- Morphs ---

void TspEffectBmp::Blend(TspEffectBmp const& other, double k)
{
    if (!SameSize(other) || FWidth == 0)
        return;
    k = ClampFactor(k);
    int const n = 3 * FWidth;
    if (size_t(n) * size_t(FHeight) >= kBlendTableThreshold) {
        std::vector<uint8_t> table(256 * 256);
        for (int a = 0; a < 256; ++a)
            for (int b = 0; b < 256; ++b)
                table[size_t(a) * 256 + size_t(b)] = BlendChannel(uint8_t(a), uint8_t(b), k);
        for (int y = 0; y < FHeight; ++y) {
            uint8_t* p = RowAddress(y);
            uint8_t const* q = other.RowAddress(y);
            for (int i = 0; i < n; ++i)
                p[i] = table[size_t(p[i]) * 256 + q[i]];
        }
        return;
    }
    for (int y = 0; y < FHeight; ++y) {
        uint8_t* p = RowAddress(y);
        uint8_t const* q = other.RowAddress(y);
        for (int i = 0; i < n; ++i)
            p[i] = BlendChannel(p[i], q[i], k);
    }
}

void TspEffectBmp::BlendRect(
    TspEffectBmp const& other, base::TRect const& rect, int otherTop, int otherLeft, double k)
{
    k = ClampFactor(k);
    // Columns and rows of this image inside rect and this image whose partner lies inside other.
    const int64_t dx = int64_t(otherLeft) - rect.Left;
    const int64_t dy = int64_t(otherTop) - rect.Top;
    const int64_t x0 = std::max<int64_t>({ rect.Left, 0, -dx });
    const int64_t x1 = std::min<int64_t>({ rect.Right, FWidth, int64_t(other.FWidth) - dx });
    const int64_t y0 = std::max<int64_t>({ rect.Top, 0, -dy });
    const int64_t y1 = std::min<int64_t>({ rect.Bottom, FHeight, int64_t(other.FHeight) - dy });
    for (int64_t y = y0; y < y1; ++y) {
        uint8_t* p = RowAddress(int(y));
        uint8_t const* q = other.RowAddress(int(y + dy));
        for (int64_t i = 3 * x0; i < 3 * x1; ++i)
            p[i] = BlendChannel(p[i], q[i + 3 * dx], k);
    }
}

void TspEffectBmp::LeftGradient(TspEffectBmp const& other, double k)
{
    if (!SameSize(other) || FWidth == 0)
        return;
    k = ClampFactor(k);
    int a = RndInt(FWidth * k);
    if (a <= 0)
        a = 1;
    if (a > FWidth - 1)
        a = FWidth - 1;
    // Column 0 takes the active image, column a the normal one.
    double const step = a > 0 ? 1.0 / a : 1.0;
    std::vector<double> weight(size_t(a) + 1);
    double t = 0;
    for (int x = 0; x <= a; ++x) {
        weight[size_t(x)] = t;
        t = std::min(1.0, t + step);
    }
    TColumnWeights const mix(weight);
    for (int y = 0; y < FHeight; ++y)
        mix.Mix(RowAddress(y), other.RowAddress(y), 0, a);
}

void TspEffectBmp::RightGradient(TspEffectBmp const& other, double k)
{
    if (!SameSize(other) || FWidth == 0)
        return;
    k = ClampFactor(k);
    int const b = std::clamp(FWidth - RndInt(FWidth * k), 0, FWidth - 1);
    double const step = FWidth - b <= 0 ? 1.0 : 1.0 / (FWidth - b);
    // Column Width - 1 takes the active image; the weight of the normal one grows leftward.
    std::vector<double> weight(static_cast<size_t>(FWidth));
    double t = 0;
    for (int x = FWidth - 1; x >= b; --x) {
        weight[size_t(x)] = t;
        t = std::min(1.0, t + step);
    }
    TColumnWeights const mix(weight);
    for (int y = 0; y < FHeight; ++y)
        mix.Mix(RowAddress(y), other.RowAddress(y), b, FWidth - 1);
}

void TspEffectBmp::CenterGradient(TspEffectBmp const& other, double k)
{
    if (!SameSize(other) || FWidth == 0)
        return;
    k = ClampFactor(k);
    if (FWidth < FHeight)
        VertCenterGradient(other, k);
    else
        HorzCenterGradient(other, k);
}

void TspEffectBmp::HorzCenterGradient(TspEffectBmp const& other, double k)
{
    int const W = FWidth;
    int const b = RndInt(W * k);
    int const c = (W - b) / 2;
    double const step = c == 0 ? 1.0 : 1.0 / c;
    int const h = std::max(0, W / 2 - b / 2);
    int const e = std::min(W - 1, W / 2 + b / 2);
    // The active image fills h..e; from there the normal image fades in toward both edges,
    // each side with its own ramp starting at 0 (weight 0 on h and e keeps the active image).
    std::vector<double> weight(static_cast<size_t>(W));
    double t = 0;
    for (int x = h; x >= 0; --x) {
        weight[size_t(x)] = t;
        t = std::min(1.0, t + step);
    }
    t = 0;
    for (int x = e; x < W; ++x) {
        weight[size_t(x)] = t;
        t = std::min(1.0, t + step);
    }
    TColumnWeights const mix(weight);
    for (int y = 0; y < FHeight; ++y) {
        uint8_t* p = RowAddress(y);
        uint8_t const* q = other.RowAddress(y);
        std::memcpy(p + 3 * h, q + 3 * h, size_t(e - h + 1) * 3);
        mix.Mix(p, q, 0, h);
        mix.Mix(p, q, e, W - 1);
    }
}

void TspEffectBmp::VertCenterGradient(TspEffectBmp const& other, double k)
{
    int const H = FHeight;
    int const b = RndInt(H * k);
    int const c = (H - 1 - b) / 2;
    double const step = c == 0 ? 0.0 : 1.0 / c;
    int const h = std::max(0, H / 2 - b / 2);
    int const e = std::min(H - 1, H / 2 + b / 2);
    for (int y = h; y <= e; ++y)
        SetRow(y, other.RowAddress(y));
    double t = 0;
    for (int y = h; y >= 0; --y) {
        MixRow(RowAddress(y), other.RowAddress(y), FWidth, t);
        t = std::min(1.0, t + step);
    }
    t = 0;
    for (int y = e; y < H; ++y) {
        MixRow(RowAddress(y), other.RowAddress(y), FWidth, t);
        t = std::min(1.0, t + step);
    }
}

void TspEffectBmp::Push(TspEffectBmp const& other, double k)
{
    if (!SameSize(other) || FWidth == 0)
        return;
    k = ClampFactor(k);
    int const W = FWidth;
    int const a = std::clamp(RndInt(W * k), 0, W - 1);
    for (int y = 0; y < FHeight; ++y) {
        uint8_t* p = RowAddress(y);
        uint8_t const* q = other.RowAddress(y);
        // The normal image moves a + 1 columns right; the active one's last a + 1 columns
        // come in at the left.
        std::memmove(p + 3 * (a + 1), p, size_t(W - a - 1) * 3);
        std::memcpy(p, q + 3 * (W - a - 1), size_t(a + 1) * 3);
    }
}

void TspEffectBmp::LeftSlide(TspEffectBmp const& other, double k)
{
    if (!SameSize(other) || FWidth == 0)
        return;
    k = ClampFactor(k);
    int a = std::max(1, RndInt(FWidth * k));
    a = std::min(a, FWidth - 1);
    if (a < 1)
        return;
    for (int y = 0; y < FHeight; ++y)
        std::memcpy(RowAddress(y), other.RowAddress(y) + 3 * (FWidth - a), size_t(a) * 3);
}

void TspEffectBmp::RightSlide(TspEffectBmp const& other, double k)
{
    if (!SameSize(other) || FWidth == 0)
        return;
    k = ClampFactor(k);
    int a = std::max(1, RndInt(FWidth * k));
    a = std::min(a, FWidth - 1);
    if (a < 1)
        return;
    for (int y = 0; y < FHeight; ++y)
        std::memcpy(RowAddress(y) + 3 * (FWidth - a), other.RowAddress(y), size_t(a) * 3);
}

void TspEffectBmp::Morph(TspMorphKind kind, TspEffectBmp const& other, double k)
{
    switch (kind) {
    case mkGradient:
        CenterGradient(other, k);
        break;
    case mkLeftGradient:
        LeftGradient(other, k);
        break;
    case mkRightGradient:
        RightGradient(other, k);
        break;
    case mkLeftSlide:
        LeftSlide(other, k);
        break;
    case mkRightSlide:
        RightSlide(other, k);
        break;
    case mkPush:
        Push(other, k);
        break;
    default:
        Blend(other, k);
        break;
    }
}

// --- Inactive effects ---

namespace {

void ApplyTable(std::vector<uint8_t>& bits, int width, int height, std::array<uint8_t, 256> const& table)
{
    const size_t stride = size_t(width) * 3 + size_t(width % 4);
    for (int y = 0; y < height; ++y) {
        uint8_t* p = bits.data() + size_t(y) * stride;
        for (int i = 0; i < 3 * width; ++i)
            p[i] = table[p[i]];
    }
}

} // namespace

void TspEffectBmp::Brightness(double k)
{
    k = ClampFactor(k);
    std::array<uint8_t, 256> table {};
    for (int c = 0; c < 256; ++c)
        table[size_t(c)] = ToByte((1 - k) * c + k * 255);
    ApplyTable(FBits, FWidth, FHeight, table);
}

void TspEffectBmp::Darkness(double k)
{
    k = ClampFactor(k);
    std::array<uint8_t, 256> table {};
    for (int c = 0; c < 256; ++c)
        table[size_t(c)] = ToByte((1 - k) * c);
    ApplyTable(FBits, FWidth, FHeight, table);
}

void TspEffectBmp::Grayscale()
{
    // The products are the same doubles whether taken from a table or computed in place.
    std::array<double, 256> red {}, green {}, blue {};
    for (int c = 0; c < 256; ++c) {
        red[size_t(c)] = 0.3 * c;
        green[size_t(c)] = 0.59 * c;
        blue[size_t(c)] = 0.11 * c;
    }
    for (int y = 0; y < FHeight; ++y) {
        uint8_t* p = RowAddress(y);
        for (int x = 0; x < FWidth; ++x, p += 3) {
            const uint8_t g = ToByte(red[p[2]] + green[p[1]] + blue[p[0]]);
            p[0] = p[1] = p[2] = g;
        }
    }
}

void TspEffectBmp::Invert()
{
    for (int y = 0; y < FHeight; ++y) {
        uint8_t* p = RowAddress(y);
        for (int i = 0; i < 3 * FWidth; ++i)
            p[i] ^= 0xFF;
    }
}

void TspEffectBmp::Noise(int amount) { ApplyNoise(amount, NoiseSource()()); }

void TspEffectBmp::Noise(int amount, uint32_t seed) { ApplyNoise(amount, seed); }

void TspEffectBmp::ApplyNoise(int amount, uint32_t seed)
{
    if (amount < 1)
        return;
    // SplitMix64 steps; a 32-bit draw times amount, shifted down, gives 0 .. amount - 1.
    uint64_t state = seed;
    auto draw = [&]() -> int {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        return int(((z >> 32) * uint64_t(amount)) >> 32);
    };
    int const half = amount / 2;
    for (int y = 0; y < FHeight; ++y) {
        uint8_t* p = RowAddress(y);
        for (int x = 0; x < FWidth; ++x, p += 3) {
            int const d = draw() - half;
            for (int c = 0; c < 3; ++c)
                p[c] = uint8_t(std::clamp(p[c] + d, 0, 255));
        }
    }
}

void TspEffectBmp::SplitBlur(int amount)
{
    if (amount < 1 || FWidth == 0)
        return;
    const int64_t a = amount;
    const int64_t W = FWidth;
    const int64_t H = FHeight;
    // Neighbours at distance a; near the edges the fallback neighbour is kept where it lies
    // inside the image and otherwise the last row or column is used.
    auto upperOf = [&](int64_t i) { return i - a < 0 ? i : i - a; };
    auto lowerOf = [&](int64_t i) { return i + a >= H ? std::min(H - i, H - 1) : i + a; };
    auto leftOf = [&](int64_t x) { return x - a < 0 ? x : x - a; };
    auto rightOf = [&](int64_t x) { return x + a >= W ? std::min(W - x, W - 1) : x + a; };
    std::vector<int> left(static_cast<size_t>(W)), right(static_cast<size_t>(W));
    for (int64_t x = 0; x < W; ++x) {
        left[size_t(x)] = int(3 * leftOf(x));
        right[size_t(x)] = int(3 * rightOf(x));
    }
    // In place: rows from the top, columns from the left, each read sees earlier writes.
    for (int64_t i = 0; i < H; ++i) {
        uint8_t* row = RowAddress(int(i));
        uint8_t const* up = RowAddress(int(upperOf(i)));
        uint8_t const* lo = RowAddress(int(lowerOf(i)));
        for (int64_t x = 0; x < W; ++x) {
            int const l = left[size_t(x)];
            int const r = right[size_t(x)];
            for (int c = 0; c < 3; ++c)
                row[3 * x + c] = uint8_t((up[l + c] + lo[l + c] + up[r + c] + lo[r + c]) / 4);
        }
    }
}

void TspEffectBmp::InactiveEffect(TspInActiveEffect effect)
{
    switch (effect) {
    case ieBrightness:
        Brightness(0.5);
        break;
    case ieDarkness:
        Darkness(0.3);
        break;
    case ieGrayScale:
        Grayscale();
        break;
    case ieNoise:
        Noise(50);
        break;
    case ieSplitBlur:
        SplitBlur(1);
        break;
    case ieInvert:
        Invert();
        break;
    default:
        break;
    }
}

void TspEffectBmp::FlipInto(TspEffectBmp& other) const
{
    if (!SameSize(other) || &other == this)
        return;
    for (int y = 0; y < FHeight; ++y)
        other.SetRow(FHeight - y - 1, RowAddress(y));
}

} // namespace xe::skin
