#include <gtest/gtest.h>

#include <cmath>

#include "model/geometry.h"

using namespace tenzora;

namespace {
Vertex v(double x, double y) {
    return makeVertex(x, y);
}
} // namespace

TEST(Direction, QuadrantsAndAxes) {
    EXPECT_DOUBLE_EQ(direction(1, 0), 0);
    EXPECT_DOUBLE_EQ(direction(-1, 0), kPi);
    EXPECT_DOUBLE_EQ(direction(0, 5), kPi / 2);
    EXPECT_DOUBLE_EQ(direction(0, 0), kPi / 2);
    EXPECT_DOUBLE_EQ(direction(0, -5), -kPi / 2);
    EXPECT_DOUBLE_EQ(direction(1, 1), kPi / 4);
    EXPECT_DOUBLE_EQ(direction(-1, 1), 3 * kPi / 4);
    EXPECT_DOUBLE_EQ(direction(-1, -1), 5 * kPi / 4);
    EXPECT_DOUBLE_EQ(direction(1, -1), 7 * kPi / 4);
}

TEST(Rotation, AboutACentreAndTheOrigin) {
    Vertex p = v(2, 1);
    rotateAbout(p, v(1, 1), kPi / 2);
    EXPECT_NEAR(p.x, 1, 1e-12);
    EXPECT_NEAR(p.y, 2, 1e-12);
    TZStaticArray<Vertex> all;
    all.append(v(1, 0));
    all.append(v(0, 1));
    rotateAll(all, kPi);
    EXPECT_NEAR(all.at(0).x, -1, 1e-12);
    EXPECT_NEAR(all.at(1).y, -1, 1e-12);
}

TEST(PlaceAtDistance, AlongTheRayOrAlongXWhenCoincident) {
    Vertex m = v(3, 4);
    placeAtDistance(v(0, 0), m, 10);
    EXPECT_NEAR(m.x, 6, 1e-12);
    EXPECT_NEAR(m.y, 8, 1e-12);
    Vertex same = v(2, 2);
    placeAtDistance(v(2, 2), same, 5);
    EXPECT_EQ(same.x, 7);
    EXPECT_EQ(same.y, 2);
}

TEST(SegmentsCross, ProperCrossingAndEndRules) {
    Vertex at;
    EXPECT_TRUE(segmentsCross(v(0, 0), v(10, 10), v(0, 10), v(10, 0), &at));
    EXPECT_NEAR(at.x, 5, 1e-12);
    EXPECT_NEAR(at.y, 5, 1e-12);
    // The first segment may be touched at its end (parameter 0..1 inclusive) …
    EXPECT_TRUE(segmentsCross(v(0, 0), v(5, 5), v(0, 10), v(10, 0)));
    // … the second only strictly inside.
    EXPECT_FALSE(segmentsCross(v(0, 10), v(10, 0), v(0, 0), v(5, 5)));
    EXPECT_FALSE(segmentsCross(v(0, 0), v(1, 1), v(0, 10), v(10, 0)));
}

TEST(SegmentsCross, ParallelSegmentsCrossOnlyWhenEndsTouch) {
    EXPECT_FALSE(segmentsCross(v(0, 0), v(10, 0), v(0, 1), v(10, 1)));
    EXPECT_FALSE(segmentsCross(v(0, 0), v(10, 0), v(5, 0), v(15, 0))); // overlapping, ends apart
    EXPECT_TRUE(segmentsCross(v(0, 0), v(10, 0), v(10.0005, 0), v(20, 0)));
    EXPECT_TRUE(segmentsCross(v(0, 0), v(10, 0), v(20, 0), v(10, 0)));
}

TEST(Area, SquareInEitherOrientationAndEmpty) {
    const Vertex cw[] = {v(0, 0), v(100, 0), v(100, 100), v(0, 100)};
    const Vertex ccw[] = {v(0, 0), v(0, 100), v(100, 100), v(100, 0)};
    EXPECT_DOUBLE_EQ(area(cw), 1.0);
    EXPECT_DOUBLE_EQ(area(ccw), 1.0);
    // y grows downwards: right, then down, is clockwise on the screen.
    EXPECT_TRUE(isClockwise(cw));
    EXPECT_FALSE(isClockwise(ccw));
    EXPECT_TRUE(isClockwise(std::span<const Vertex>()));
    EXPECT_DOUBLE_EQ(shoelace(cw), 20000.0);
}

TEST(Mirror, FlipsY) {
    TZStaticArray<Vertex> p;
    p.append(v(1, 2));
    mirror(p);
    EXPECT_EQ(p.at(0).y, -2);
    EXPECT_EQ(p.at(0).x, 1);
}
