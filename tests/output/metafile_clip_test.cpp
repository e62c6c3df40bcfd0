#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "output/metafile_support.h"

using namespace tenzora;

// An area clip cuts a segment where it crosses the area's edges. Coordinates come from the
// drawing (and so from project files) as any int: differences of far-apart points do not fit an
// int and are taken in double.
TEST(MetafileClip, SegmentAcrossAnAreaOfExtremeCoordinates) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    ClipArea area;
    area.points = {{kMin, kMin}, {kMax, kMin}, {kMax, kMax}, {kMin, kMax}};
    area.rings = {4};

    std::vector<std::pair<double, double>> out;
    clipSegmentToArea(area, {kMax, 0}, {kMin, 0}, out);
    ASSERT_FALSE(out.empty());
    for (const auto& [t0, t1] : out) {
        EXPECT_TRUE(std::isfinite(t0) && std::isfinite(t1));
        EXPECT_LE(0.0, t0);
        EXPECT_LT(t0, t1);
        EXPECT_LE(t1, 1.0);
    }

    // A square around the middle: the part inside is found where it lies.
    constexpr std::int32_t kHalf = 1 << 30;
    ClipArea square;
    square.points = {{-kHalf, -kHalf}, {kHalf, -kHalf}, {kHalf, kHalf}, {-kHalf, kHalf}};
    square.rings = {4};
    out.clear();
    clipSegmentToArea(square, {kMin, 0}, {kMax, 0}, out);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_NEAR(out[0].first, 0.25, 1e-6);
    EXPECT_NEAR(out[0].second, 0.75, 1e-6);
}

// A picture stretched over the whole int range (sizes come from project files and the drawing as
// any int) keeps its pixels within the limit, and the size of the shown area does not overflow.
TEST(MetafileDib, APictureShownOverTheWholeIntRangeKeepsItsPixels) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    Bitmap bitmap;
    bitmap.width = 3;
    bitmap.height = 2;
    bitmap.pixels.assign(6, 0x00112233u);
    for (const auto& [w, h] : {std::pair{kMax, kMax}, std::pair{kMin, kMax}, std::pair{kMin, kMin}}) {
        const DibImage dib = makeDib(bitmap, w, h, false, false);
        EXPECT_EQ(dib.width, 3) << w << " x " << h;
        EXPECT_EQ(dib.height, 2) << w << " x " << h;
    }
}
