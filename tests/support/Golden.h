#pragma once

#include "platform/graphics/Bitmap.h"

#include <functional>
#include <string>

namespace xe::test {

// Compares a picture with its golden PNG and fails the running test when they differ,
// pixels for which `ignore(x, y)` holds excepted. On a difference (or a size mismatch) it
// writes `diffPath` (default: "<golden's stem>.diff.png" in the working folder): expected,
// actual and their difference side by side, the difference showing each differing pixel in
// red, each ignored pixel in grey and every other pixel dimmed.
//
// With XE_UPDATE_GOLDEN=1 in the environment it writes the picture as the new golden and still
// fails, so that a stray variable can never make the comparison pass unseen.
void ExpectMatchesGolden(gfx::TBitmap const& actual, std::string const& goldenPath,
    std::function<bool(int x, int y)> const& ignore = {}, std::string diffPath = {});

// Expected | actual | difference, as described above. Pictures of different sizes are laid
// out in panels of the larger size; a pixel outside one of them counts as differing.
gfx::TBitmap GoldenDiffImage(gfx::TBitmap const& expected, gfx::TBitmap const& actual,
    std::function<bool(int x, int y)> const& ignore = {});

} // namespace xe::test
