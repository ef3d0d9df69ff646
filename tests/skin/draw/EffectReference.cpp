#include "EffectReference.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace xe::skin {

namespace {

double Clamp01(double k) { return k < 0 ? 0 : k > 1 ? 1 : k; }

int Rnd(double v) { return int(std::nearbyint(v)); }

uint8_t Byte(double v)
{
    double r = std::nearbyint(v);
    if (r < 0)
        r = 0;
    if (r > 255)
        r = 255;
    return uint8_t(r);
}

struct Px {
    uint8_t c[3]; // blue, green, red
};

Px Get(TspEffectBmp const& img, int x, int y)
{
    base::TColor col = img.Pixel(x, y);
    return { { base::GetBValue(col), base::GetGValue(col), base::GetRValue(col) } };
}

void Put(TspEffectBmp& img, int x, int y, Px p) { img.SetPixel(x, y, base::RGB(p.c[2], p.c[1], p.c[0])); }

bool Same(TspEffectBmp const& a, TspEffectBmp const& b)
{
    return a.Width() == b.Width() && a.Height() == b.Height();
}

// t * this + (1 - t) * other, per channel.
Px Mix(Px a, Px b, double t)
{
    Px r {};
    for (int i = 0; i < 3; ++i)
        r.c[i] = Byte(t * a.c[i] + (1 - t) * b.c[i]);
    return r;
}

} // namespace

void RefBlend(TspEffectBmp& img, TspEffectBmp const& other, double k)
{
    if (!Same(img, other))
        return;
    k = Clamp01(k);
    for (int y = 0; y < img.Height(); ++y)
        for (int x = 0; x < img.Width(); ++x) {
            Px a = Get(img, x, y), b = Get(other, x, y), r {};
            for (int i = 0; i < 3; ++i)
                r.c[i] = Byte((1 - k) * a.c[i] + k * b.c[i]);
            Put(img, x, y, r);
        }
}

void RefBlendRect(TspEffectBmp& img, TspEffectBmp const& other, base::TRect const& rect, int otherTop,
    int otherLeft, double k)
{
    k = Clamp01(k);
    for (int y = rect.Top; y < rect.Bottom; ++y)
        for (int x = rect.Left; x < rect.Right; ++x) {
            int ox = otherLeft + (x - rect.Left), oy = otherTop + (y - rect.Top);
            if (x < 0 || y < 0 || x >= img.Width() || y >= img.Height())
                continue;
            if (ox < 0 || oy < 0 || ox >= other.Width() || oy >= other.Height())
                continue;
            Px a = Get(img, x, y), b = Get(other, ox, oy), r {};
            for (int i = 0; i < 3; ++i)
                r.c[i] = Byte((1 - k) * a.c[i] + k * b.c[i]);
            Put(img, x, y, r);
        }
}

void RefLeftGradient(TspEffectBmp& img, TspEffectBmp const& other, double k)
{
    if (!Same(img, other) || img.Width() == 0)
        return;
    k = Clamp01(k);
    int const W = img.Width();
    int a = Rnd(W * k);
    if (a <= 0)
        a = 1;
    if (a > W - 1)
        a = W - 1;
    for (int y = 0; y < img.Height(); ++y) {
        double t = 0;
        for (int x = 0; x <= a; ++x) {
            Put(img, x, y, Mix(Get(img, x, y), Get(other, x, y), t));
            t += a > 0 ? 1.0 / a : 1.0;
            if (t > 1)
                t = 1;
        }
    }
}

void RefRightGradient(TspEffectBmp& img, TspEffectBmp const& other, double k)
{
    if (!Same(img, other) || img.Width() == 0)
        return;
    k = Clamp01(k);
    int const W = img.Width();
    int b = W - Rnd(W * k);
    if (b < 0)
        b = 0;
    if (b > W - 1)
        b = W - 1;
    double const step = W - b <= 0 ? 1.0 : 1.0 / (W - b);
    for (int y = 0; y < img.Height(); ++y) {
        double t = 0;
        for (int x = W - 1; x >= b; --x) {
            Put(img, x, y, Mix(Get(img, x, y), Get(other, x, y), t));
            t += step;
            if (t > 1)
                t = 1;
        }
    }
}

void RefCenterGradient(TspEffectBmp& img, TspEffectBmp const& other, double k)
{
    if (!Same(img, other) || img.Width() == 0)
        return;
    k = Clamp01(k);
    int const W = img.Width(), H = img.Height();
    if (W < H) {
        int const b = Rnd(H * k);
        int const c = (H - 1 - b) / 2;
        double const step = c == 0 ? 0.0 : 1.0 / c;
        int const h = std::max(0, H / 2 - b / 2);
        int const e = std::min(H - 1, H / 2 + b / 2);
        for (int y = h; y <= e; ++y)
            for (int x = 0; x < W; ++x)
                Put(img, x, y, Get(other, x, y));
        double t = 0;
        for (int y = h; y >= 0; --y) {
            for (int x = 0; x < W; ++x)
                Put(img, x, y, Mix(Get(img, x, y), Get(other, x, y), t));
            t = std::min(1.0, t + step);
        }
        t = 0;
        for (int y = e; y < H; ++y) {
            for (int x = 0; x < W; ++x)
                Put(img, x, y, Mix(Get(img, x, y), Get(other, x, y), t));
            t = std::min(1.0, t + step);
        }
        return;
    }
    int const b = Rnd(W * k);
    int const c = (W - b) / 2;
    double const step = c == 0 ? 1.0 : 1.0 / c;
    int const h = std::max(0, W / 2 - b / 2);
    int const e = std::min(W - 1, W / 2 + b / 2);
    for (int y = 0; y < H; ++y) {
        for (int x = h; x <= e; ++x)
            Put(img, x, y, Get(other, x, y));
        double t = 0;
        for (int x = h; x >= 0; --x) {
            Put(img, x, y, Mix(Get(img, x, y), Get(other, x, y), t));
            t = std::min(1.0, t + step);
        }
        t = 0;
        for (int x = e; x < W; ++x) {
            Put(img, x, y, Mix(Get(img, x, y), Get(other, x, y), t));
            t = std::min(1.0, t + step);
        }
    }
}

void RefPush(TspEffectBmp& img, TspEffectBmp const& other, double k)
{
    if (!Same(img, other) || img.Width() == 0)
        return;
    k = Clamp01(k);
    int const W = img.Width();
    int const a = std::clamp(Rnd(W * k), 0, W - 1);
    for (int y = 0; y < img.Height(); ++y) {
        for (int j = W - 1; j >= a; --j)
            Put(img, j, y, Get(img, std::max(0, j - a - 1), y));
        for (int i = 0; i <= a; ++i)
            Put(img, i, y, Get(other, std::min(W - 1, W - a - 1 + i), y));
    }
}

void RefLeftSlide(TspEffectBmp& img, TspEffectBmp const& other, double k)
{
    if (!Same(img, other))
        return;
    k = Clamp01(k);
    int const W = img.Width();
    int a = std::max(1, Rnd(W * k));
    a = std::min(a, W - 1);
    for (int y = 0; y < img.Height(); ++y)
        for (int x = 0; x < a; ++x)
            Put(img, x, y, Get(other, W - a + x, y));
}

void RefRightSlide(TspEffectBmp& img, TspEffectBmp const& other, double k)
{
    if (!Same(img, other))
        return;
    k = Clamp01(k);
    int const W = img.Width();
    int a = std::max(1, Rnd(W * k));
    a = std::min(a, W - 1);
    for (int y = 0; y < img.Height(); ++y)
        for (int x = 0; x < a; ++x)
            Put(img, W - a + x, y, Get(other, x, y));
}

void RefBrightness(TspEffectBmp& img, double k)
{
    k = Clamp01(k);
    for (int y = 0; y < img.Height(); ++y)
        for (int x = 0; x < img.Width(); ++x) {
            Px p = Get(img, x, y);
            for (auto& c : p.c)
                c = Byte((1 - k) * c + k * 255);
            Put(img, x, y, p);
        }
}

void RefDarkness(TspEffectBmp& img, double k)
{
    k = Clamp01(k);
    for (int y = 0; y < img.Height(); ++y)
        for (int x = 0; x < img.Width(); ++x) {
            Px p = Get(img, x, y);
            for (auto& c : p.c)
                c = Byte((1 - k) * c);
            Put(img, x, y, p);
        }
}

void RefGrayscale(TspEffectBmp& img)
{
    for (int y = 0; y < img.Height(); ++y)
        for (int x = 0; x < img.Width(); ++x) {
            Px p = Get(img, x, y);
            uint8_t g = Byte(0.3 * p.c[2] + 0.59 * p.c[1] + 0.11 * p.c[0]);
            Put(img, x, y, { { g, g, g } });
        }
}

void RefSplitBlur(TspEffectBmp& img, int a, int& outsideReads)
{
    outsideReads = 0;
    if (a < 1)
        return;
    int const W = img.Width(), H = img.Height();
    auto at = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= W || y >= H)
            ++outsideReads;
        return Get(img, x, y);
    };
    for (int i = 0; i < H; ++i) {
        int up = i - a < 0 ? i : i - a;
        int lo = i + a >= H ? H - i : i + a;
        if (lo >= H)
            lo = H - 1;
        for (int x = 0; x < W; ++x) {
            int l = x - a < 0 ? x : x - a;
            int r = x + a >= W ? W - x : x + a;
            if (r >= W)
                r = W - 1;
            Px p1 = at(l, up), p2 = at(l, lo), p3 = at(r, up), p4 = at(r, lo), q {};
            for (int c = 0; c < 3; ++c)
                q.c[c] = uint8_t((p1.c[c] + p2.c[c] + p3.c[c] + p4.c[c]) / 4);
            Put(img, x, i, q);
        }
    }
}

} // namespace xe::skin
