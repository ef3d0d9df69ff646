#include "tests/support/Golden.h"

#include "platform/base/Colors.h"
#include "platform/base/Files.h"
#include "platform/base/Strings.h"
#include "platform/graphics/Png.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace xe::test {

namespace {

bool UpdateRequested()
{
    char const* update = std::getenv("XE_UPDATE_GOLDEN");
    return update && std::string(update) == "1";
}

bool Inside(gfx::TBitmap const& b, int x, int y) { return x < b.Width() && y < b.Height(); }

base::TColor Dimmed(base::TColor c)
{
    auto dim = [](int v) { return 192 + v / 4; };
    return base::RGB(dim(base::GetRValue(c)), dim(base::GetGValue(c)), dim(base::GetBValue(c)));
}

} // namespace

gfx::TBitmap GoldenDiffImage(
    gfx::TBitmap const& expected, gfx::TBitmap const& actual, std::function<bool(int, int)> const& ignore)
{
    int const w = std::max(expected.Width(), actual.Width());
    int const h = std::max(expected.Height(), actual.Height());
    int const gap = 4;
    gfx::TBitmap out(3 * w + 2 * gap, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < out.Width(); ++x)
            out.SetPixel(x, y, base::RGB(255, 0, 255)); // the gaps and what lies outside a picture
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            bool inExpected = Inside(expected, x, y), inActual = Inside(actual, x, y);
            if (inExpected)
                out.SetPixel(x, y, expected.Pixel(x, y));
            if (inActual)
                out.SetPixel(w + gap + x, y, actual.Pixel(x, y));
            base::TColor mark;
            if (ignore && ignore(x, y))
                mark = base::RGB(128, 128, 128);
            else if (!inExpected || !inActual || expected.Pixel(x, y) != actual.Pixel(x, y))
                mark = base::RGB(255, 0, 0);
            else
                mark = Dimmed(actual.Pixel(x, y));
            out.SetPixel(2 * (w + gap) + x, y, mark);
        }
    return out;
}

void ExpectMatchesGolden(gfx::TBitmap const& actual, std::string const& goldenPath,
    std::function<bool(int, int)> const& ignore, std::string diffPath)
{
    if (UpdateRequested()) {
        gfx::SavePngToFile(actual, goldenPath);
        ADD_FAILURE() << "XE_UPDATE_GOLDEN=1: wrote " << goldenPath
                      << "; look at it, then run the test again without XE_UPDATE_GOLDEN";
        return;
    }
    if (!base::FileExists(goldenPath)) {
        ADD_FAILURE() << goldenPath << " is missing; run the test with XE_UPDATE_GOLDEN=1 to write it";
        return;
    }
    gfx::TBitmap expected = gfx::LoadPngFromFile(goldenPath);
    int mismatches = 0;
    std::string what;
    if (expected.Width() != actual.Width() || expected.Height() != actual.Height()) {
        mismatches = 1;
        what = base::Format("the picture is %d x %d, the golden %d x %d", actual.Width(), actual.Height(),
            expected.Width(), expected.Height());
    } else {
        for (int y = 0; y < actual.Height(); ++y)
            for (int x = 0; x < actual.Width(); ++x) {
                if (actual.Pixel(x, y) == expected.Pixel(x, y) || (ignore && ignore(x, y)))
                    continue;
                if (mismatches++ == 0)
                    what = base::Format("first at (%d, %d): actual $%06X, expected $%06X", x, y,
                        unsigned(actual.Pixel(x, y)), unsigned(expected.Pixel(x, y)));
            }
        what = base::Format("%d pixels differ, ", mismatches) + what;
    }
    if (!mismatches)
        return;
    if (diffPath.empty()) {
        std::string stem = base::ExtractFileName(goldenPath);
        diffPath = stem.substr(0, stem.rfind('.')) + ".diff.png";
    }
    gfx::SavePngToFile(GoldenDiffImage(expected, actual, ignore), diffPath);
    ADD_FAILURE() << goldenPath << ": " << what
                  << "; expected, actual and difference written side by side to " << diffPath;
}

} // namespace xe::test
