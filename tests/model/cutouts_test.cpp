// Cutout polygons located by measured distances from the working outline.

#include <gtest/gtest.h>

#include <cmath>

#include "model/cutouts.h"
#include "model/geometry.h"
#include "model/outline_figures.h"
#include "storage/project_image.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

// Distances of a point from two corners of the 400 × 300 room A(0,0) B(400,0) C(400,300) D(0,300).
const Vertex kCorners[] = {makeVertex(0, 0), makeVertex(400, 0), makeVertex(400, 300), makeVertex(0, 300)};

TZHoleDiagonal rowTo(int v1, int v2, double x, double y) {
    TZHoleDiagonal r;
    r.vertex1 = v1;
    r.vertex2 = v2;
    r.distance1 = distance(kCorners[v1], makeVertex(x, y));
    r.distance2 = distance(kCorners[v2], makeVertex(x, y));
    return r;
}

TZHole hole(TZHoleType type, TZHoleMode mode, double size) {
    TZHole h;
    h.type = static_cast<std::int32_t>(type);
    h.mode = static_cast<std::int32_t>(mode);
    h.size1 = size;
    return h;
}

class CutoutsTest : public ::testing::Test {
  protected:
    void SetUp() override { setOutline(*doc, {{0, 0}, {400, 0}, {400, 300}, {0, 300}}); }
    int build() {
        regenerateWorkingOutline(*doc, true, outline);
        return regenerateCutouts(*doc, outline, holes);
    }
    void expectPoint(int cutout, int i, double x, double y) {
        ASSERT_LT(i, holes.pointCount(cutout));
        EXPECT_NEAR(holes.cutout(cutout)[static_cast<std::size_t>(i)].point.x, x, 1e-6) << "point " << i;
        EXPECT_NEAR(holes.cutout(cutout)[static_cast<std::size_t>(i)].point.y, y, 1e-6) << "point " << i;
    }
    Vertex centreOf(int cutout) {
        double x = 0, y = 0;
        for (const TZHolePoint& p : holes.cutout(cutout)) {
            x += p.point.x;
            y += p.point.y;
        }
        return makeVertex(x / holes.pointCount(cutout), y / holes.pointCount(cutout));
    }
    TestDocument doc;
    WorkingOutline outline;
    TZHolesArray holes;
};

TEST_F(CutoutsTest, LocatePointTakesTheCandidateInsideTheRoomWhateverTheOrder) {
    const auto room = pointsOf(doc->polygon);
    const double a = std::hypot(100, 100), b = std::hypot(300, 100);
    const Vertex p = locatePoint(kCorners[0], a, kCorners[1], b, room);
    EXPECT_NEAR(p.x, 100, 1e-9);
    EXPECT_NEAR(p.y, 100, 1e-9);
    const Vertex q = locatePoint(kCorners[1], b, kCorners[0], a, room);
    EXPECT_NEAR(q.x, 100, 1e-9);
    EXPECT_NEAR(q.y, 100, 1e-9);
    // Circles that do not meet: the point on the line between the two.
    const Vertex r = locatePoint(kCorners[0], 10, kCorners[1], 10, room);
    EXPECT_NEAR(r.y, 0, 1e-9);
    // One place for both points: no direction to go.
    const Vertex s = locatePoint(kCorners[1], 10, kCorners[1], 20, room);
    EXPECT_EQ(s.x, 400);
}

TEST_F(CutoutsTest, RectangleByTwoNeighbouringCornersAndItsSide) {
    TZHole h = hole(TZHoleType::Rectangle, TZHoleMode::TwoAdjacentPoints, 50);
    h.rows.append(rowTo(0, 1, 100, 100));
    h.rows.append(rowTo(1, 0, 200, 100)); // the other order locates the same point
    doc->holes.append(h);
    ASSERT_EQ(build(), 4);
    expectPoint(0, 0, 100, 100);
    expectPoint(0, 1, 200, 100);
    expectPoint(0, 2, 200, 150);
    expectPoint(0, 3, 100, 150);
    EXPECT_NEAR(cutoutsArea(holes), 0.5, 1e-9);
    EXPECT_NEAR(cutoutsPerimeter(holes), 300, 1e-9);
}

TEST_F(CutoutsTest, NetAreaOfTheRoomLessTheCutout) {
    TZHole h = hole(TZHoleType::Rectangle, TZHoleMode::TwoAdjacentPoints, 50);
    h.rows.append(rowTo(0, 1, 100, 100));
    h.rows.append(rowTo(0, 1, 200, 100));
    doc->holes.append(h);
    const ConstructionFigures with = constructionFigures(*doc, true);
    EXPECT_NEAR(with.outlineArea, 12.0, 1e-9);
    EXPECT_NEAR(with.cutoutsArea, 0.5, 1e-9);
    EXPECT_NEAR(with.netArea(), 11.5, 1e-9);
    EXPECT_NEAR(with.outlinePerimeter + with.cutoutsPerimeter, 1400 + 300, 1e-9);
    EXPECT_NEAR(workingOutlineArea(*doc, true) - cutoutsArea(*doc), 11.5, 1e-9);
    // Without constructions the cutouts do not count.
    EXPECT_NEAR(constructionFigures(*doc, false).netArea(), 12.0, 1e-9);
    const auto box = workingOutlineBounds(*doc, true);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->maxX, 400);
    EXPECT_EQ(box->maxY, 300);
}

TEST_F(CutoutsTest, ThreeCornerRectangleSquaresTheThirdCornerAndRewritesItsRow) {
    TZHole h = hole(TZHoleType::Rectangle, TZHoleMode::ThreePoints, 0);
    h.rows.append(rowTo(0, 1, 100, 100));
    h.rows.append(rowTo(0, 1, 200, 100));
    h.rows.append(rowTo(2, 3, 205, 150)); // measured 5 cm off the square corner
    doc->holes.append(h);
    ASSERT_EQ(build(), 4);
    expectPoint(0, 2, 200, 150);
    expectPoint(0, 3, 100, 150);
    const TZHoleDiagonal& third = doc->holes.at(0).rows.at(2);
    EXPECT_NEAR(third.distance1, distance(kCorners[2], makeVertex(200, 150)), 1e-9);
    EXPECT_NEAR(third.distance2, distance(kCorners[3], makeVertex(200, 150)), 1e-9);
    EXPECT_EQ(build(), 4); // and the rewritten row draws the same
    expectPoint(0, 2, 200, 150);
}

TEST_F(CutoutsTest, RectangleByOppositeCornersEitherWayRound) {
    TZHole h = hole(TZHoleType::Rectangle, TZHoleMode::TwoOppositePoints, 100);
    h.rows.append(rowTo(0, 1, 100, 100));
    h.rows.append(rowTo(0, 1, 200, 150));
    doc->holes.append(h);
    h.mode = static_cast<std::int32_t>(TZHoleMode::TwoOppositePointsTurned);
    doc->holes.append(h);
    ASSERT_EQ(build(), 8);
    expectPoint(0, 0, 100, 100);
    expectPoint(0, 1, 100, 150);
    expectPoint(0, 2, 200, 150);
    expectPoint(0, 3, 200, 100);
    expectPoint(1, 1, 160, 180);
    expectPoint(1, 3, 140, 70);
    EXPECT_NEAR(cutoutsArea(holes), 1.0, 1e-9);

    // A side longer than the diagonal makes no rectangle.
    doc->holes.at(0).size1 = 120;
    build();
    EXPECT_EQ(holes.pointCount(0), 0);
}

TEST_F(CutoutsTest, RowsThatCannotLocateAPointAreSkipped) {
    TZHole h = hole(TZHoleType::Rectangle, TZHoleMode::TwoAdjacentPoints, 50);
    h.rows.append(rowTo(0, 1, 100, 100));
    TZHoleDiagonal bad = rowTo(0, 1, 150, 100);
    bad.vertex2 = 0; // the same point twice
    h.rows.append(bad);
    bad.vertex2 = 17; // no such point
    h.rows.append(bad);
    TZHoleDiagonal notANumber = rowTo(0, 1, 150, 100);
    notANumber.distance1 = std::nan("");
    h.rows.append(notANumber);
    doc->holes.append(h);
    ASSERT_EQ(build(), 0); // one usable row: no rectangle
    EXPECT_EQ(holes.cutoutCount(), 1);

    doc->holes.at(0).rows.append(rowTo(0, 1, 200, 100)); // the second usable row
    ASSERT_EQ(build(), 4);
    expectPoint(0, 1, 200, 100);

    // A free cutout: one point per usable row.
    TZHole free = hole(TZHoleType::Free, TZHoleMode::TwoAdjacentPoints, 0);
    free.rows = doc->holes.at(0).rows;
    doc->holes.append(free);
    build();
    ASSERT_EQ(holes.pointCount(1), 2);
    expectPoint(1, 0, 100, 100);
    expectPoint(1, 1, 200, 100);
}

TEST_F(CutoutsTest, AutomaticPointCountOfCircles) {
    EXPECT_EQ(automaticPointCount(50, 50), 8);
    EXPECT_EQ(automaticPointCount(30, 30), 6);
    EXPECT_EQ(automaticPointCount(36, 36), 6);
    EXPECT_EQ(automaticPointCount(100, 100), 16);
    EXPECT_EQ(automaticPointCount(20, 110), 18); // the larger diameter counts
    EXPECT_EQ(automaticPointCount(std::nan(""), 10), 6);

    for (double d : {50.0, 30.0, 36.0, 100.0}) {
        doc->holes.clear();
        TZHole h = hole(TZHoleType::Circle, TZHoleMode::Centre, d);
        h.rows.append(rowTo(0, 1, 200, 150));
        doc->holes.append(h);
        build();
        EXPECT_EQ(holes.pointCount(0), automaticPointCount(d, d)) << d;
        for (const TZHolePoint& p : holes.cutout(0))
            EXPECT_NEAR(distance(p.point, makeVertex(200, 150)), d / 2, 1e-9);
    }
}

TEST_F(CutoutsTest, HalfCircleFromZeroTo180HasOneMorePoint) {
    TZHole h = hole(TZHoleType::Circle, TZHoleMode::Centre, 50);
    h.angleFrom = 0;
    h.angleTo = 180;
    h.rows.append(rowTo(0, 1, 200, 150));
    doc->holes.append(h);
    ASSERT_EQ(build(), 9);
    expectPoint(0, 0, 175, 150);
    expectPoint(0, 4, 200, 125); // the upper half (y grows downward)
    expectPoint(0, 8, 225, 150);

    doc->holes.at(0).angleTo = 360; // 0 … 360 is the whole circle again
    EXPECT_EQ(build(), 8);
}

TEST_F(CutoutsTest, PlacementModesPutTheCentreFromTheMeasuredPoint) {
    struct Case {
        TZHoleMode mode;
        double cx, cy;
    };
    // The measured point (100, 50), diameter 40.
    for (const Case& c :
         {Case{TZHoleMode::Centre, 100, 50}, Case{TZHoleMode::Top, 100, 70}, Case{TZHoleMode::Right, 80, 50},
          Case{TZHoleMode::Bottom, 100, 30}, Case{TZHoleMode::Left, 120, 50}}) {
        doc->holes.clear();
        TZHole h = hole(TZHoleType::Circle, c.mode, 40);
        h.rows.append(rowTo(0, 1, 100, 50));
        doc->holes.append(h);
        ASSERT_EQ(build(), 6);
        const Vertex centre = centreOf(0);
        EXPECT_NEAR(centre.x, c.cx, 1e-9) << static_cast<int>(c.mode);
        EXPECT_NEAR(centre.y, c.cy, 1e-9) << static_cast<int>(c.mode);
    }
    // A rectangle mode does not place a circle.
    doc->holes.at(0).mode = static_cast<std::int32_t>(TZHoleMode::TwoAdjacentPoints);
    EXPECT_EQ(build(), 0);
}

TEST_F(CutoutsTest, EllipseAlongItsSideOrTurned) {
    TZHole h = hole(TZHoleType::Ellipse, TZHoleMode::Centre, 80);
    h.pointCount = 4;
    h.rows.append(rowTo(0, 1, 200, 150));
    TZHoleDiagonal extra;
    extra.vertex1 = 1; // parallel to BC (downward on screen)
    extra.vertex2 = 2;
    extra.distance1 = 40;
    extra.distance2 = 0;
    h.rows.append(extra);
    doc->holes.append(h);
    ASSERT_EQ(build(), 4);
    expectPoint(0, 0, 200, 190); // the first diameter (80) along BC
    expectPoint(0, 1, 180, 150);
    doc->holes.at(0).rows.at(1).distance2 = 1; // turned: the first diameter across BC
    build();
    expectPoint(0, 0, 160, 150);
    expectPoint(0, 1, 200, 130);
    // Without its extra row an ellipse has nothing.
    doc->holes.at(0).rows.removeAt(1);
    EXPECT_EQ(build(), 0);
}

TEST_F(CutoutsTest, CutoutsThatDoNotFitAreLeftOutWhole) {
    TZHole big = hole(TZHoleType::Circle, TZHoleMode::Centre, 100);
    big.pointCount = 990;
    big.rows.append(rowTo(0, 1, 200, 150));
    doc->holes.append(big);
    TZHole small = big;
    small.pointCount = 20;
    doc->holes.append(small);
    TZHole fits = big;
    fits.pointCount = 10;
    doc->holes.append(fits);
    TZHole huge = big;
    huge.size1 = 1e300;
    huge.pointCount = 0;
    doc->holes.append(huge);
    EXPECT_EQ(build(), 1000);
    EXPECT_EQ(holes.pointCount(0), 990);
    EXPECT_EQ(holes.pointCount(1), 0);
    EXPECT_EQ(holes.pointCount(2), 10);
    EXPECT_EQ(holes.pointCount(3), 0);
    EXPECT_EQ(holes.cutoutCount(), 4);
}

// Building reads the document: only regenerating writes what the build derived into it, and
// then exactly that (the constructions' computed fields, the cut marks, the fold lines, the
// rewritten cutout row).
TEST_F(CutoutsTest, BuildingChangesNothingAndRegeneratingStoresWhatTheBuildDerived) {
    TZDop cut;
    cut.kind = static_cast<std::int32_t>(TZDopKind::CornerCut);
    cut.vertex2 = 3; // the constructions lie after A and B, which the cutout rows refer to
    cut.distance1 = cut.distance2 = 40;
    doc->dops.append(cut);
    TZDop arc;
    arc.kind = static_cast<std::int32_t>(TZDopKind::Arc);
    arc.vertex1 = 1;
    arc.vertex2 = 2;
    arc.distance1 = arc.distance2 = 100;
    arc.depth = 30;
    doc->dops.append(arc);
    TZDop bend;
    bend.kind = static_cast<std::int32_t>(TZDopKind::Bend);
    bend.vertex1 = 1;
    bend.vertex2 = 2;
    bend.depth = 10;
    doc->dops.append(bend);
    TZHole h = hole(TZHoleType::Rectangle, TZHoleMode::ThreePoints, 0);
    h.rows.append(rowTo(0, 1, 100, 100));
    h.rows.append(rowTo(0, 1, 200, 100));
    h.rows.append(rowTo(0, 1, 205, 150)); // measured 5 cm off the square corner
    doc->holes.append(h);
    doc->polygon.at(0).placed = 1; // a mark a build clears
    const auto image = [&] {
        TZDynamicMemory m;
        saveToStream(*doc, m);
        return std::string(m.bytes());
    };
    const std::string before = image();

    ASSERT_GT(buildWorkingOutline(*doc, true, outline), 4);
    ASSERT_EQ(buildCutouts(*doc, outline, holes), 4);
    EXPECT_EQ(image(), before);
    EXPECT_EQ(doc->bendPieces.count(), 0);
    ASSERT_EQ(outline.constructions().size(), 3u);
    EXPECT_GE(outline.constructions()[0].firstPointIndex, 0);
    EXPECT_GT(outline.constructions()[1].depth2, 0) << "the arc's radius";
    EXPECT_FALSE(outline.foldLines().empty());
    ASSERT_EQ(holes.rowRewrites().size(), 1u);

    storeWorkingOutline(*doc, outline);
    storeCutouts(*doc, holes);
    EXPECT_NE(image(), before);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(doc->dops.at(k).firstPointIndex,
                  outline.constructions()[static_cast<std::size_t>(k)].firstPointIndex);
        EXPECT_EQ(doc->dops.at(k).lastPointIndex,
                  outline.constructions()[static_cast<std::size_t>(k)].lastPointIndex);
        EXPECT_EQ(doc->dops.at(k).depth2, outline.constructions()[static_cast<std::size_t>(k)].depth2);
    }
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(doc->polygon.at(i).placed, i == 3 ? 1 : 0) << "vertex " << i;
    EXPECT_EQ(static_cast<std::size_t>(doc->bendPieces.count()), outline.foldLines().size());
    EXPECT_NEAR(doc->holes.at(0).rows.at(2).distance1, distance(kCorners[0], makeVertex(200, 150)), 1e-9);

    // A build of the stored document derives the same again: regenerating twice is once.
    const std::string stored = image();
    regenerateWorkingOutline(*doc, true, outline);
    regenerateCutouts(*doc, outline, holes);
    EXPECT_EQ(image(), stored);
}

} // namespace
