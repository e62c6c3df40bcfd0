// The working outline: measured vertices with the points of every construction inserted.

#include <gtest/gtest.h>

#include <cmath>

#include "model/construction_kinds.h"
#include "model/geometry.h"
#include "model/outline_figures.h"
#include "model/working_outline.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

// A 400 × 300 room, clockwise on the screen: A(0,0) B(400,0) C(400,300) D(0,300).
void room(TZCeiling& doc) {
    setOutline(doc, {{0, 0}, {400, 0}, {400, 300}, {0, 300}});
}

TZDop construction(TZDopKind kind, int v1, int v2, double d1, double d2, double depth) {
    TZDop d;
    d.kind = static_cast<std::int32_t>(kind);
    d.vertex1 = v1;
    d.vertex2 = v2;
    d.distance1 = d1;
    d.distance2 = d2;
    d.depth = depth;
    return d;
}

void expectPoint(const WorkingOutline& o, int i, double x, double y) {
    ASSERT_TRUE(o.valid(i)) << "point " << i << " of " << o.count();
    EXPECT_NEAR(o.point(i).x, x, 1e-6) << "x of point " << i;
    EXPECT_NEAR(o.point(i).y, y, 1e-6) << "y of point " << i;
}

class WorkingOutlineTest : public ::testing::Test {
  protected:
    void SetUp() override { room(*doc); }
    int build() { return regenerateWorkingOutline(*doc, true, outline); }
    TestDocument doc;
    WorkingOutline outline;
};

TEST_F(WorkingOutlineTest, WithoutConstructionsIsTheMeasuredOutlineAtItsScreenPositions) {
    doc->dops.append(construction(TZDopKind::Rectangle, 0, 1, 100, 100, 50));
    doc->view.viewWidth = 800;
    doc->view.viewHeight = 600;
    doc->view.scaleX = doc->view.scaleY = 2.0f;
    ASSERT_EQ(buildWorkingOutline(*doc, false, outline), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(outline.entry(i).measuredVertex, i);
        EXPECT_EQ(outline.position(i).x, worldToScreen(*doc, doc->polygon.at(i).x, doc->polygon.at(i).y).x);
        EXPECT_EQ(outline.position(i).y, worldToScreen(*doc, doc->polygon.at(i).x, doc->polygon.at(i).y).y);
    }
    EXPECT_EQ(doc->dops.at(0).firstPointIndex, -1); // the records are left alone
    // The mirrored cutting display mirrors x only.
    buildWorkingOutline(*doc, false, outline, /*mirrored=*/true);
    EXPECT_EQ(outline.position(1).x, worldToScreen(*doc, 400, 0, true).x);
}

TEST_F(WorkingOutlineTest, RectangleNicheInsertsFourPointsAfterVertexOne) {
    doc->dops.append(construction(TZDopKind::Rectangle, 0, 1, 100, 120, -50));
    ASSERT_EQ(build(), 8);
    expectPoint(outline, 1, 100, 0);
    expectPoint(outline, 2, 100, -50); // negative depth: outward
    expectPoint(outline, 3, 280, -50);
    expectPoint(outline, 4, 280, 0);
    EXPECT_EQ(outline.entry(5).measuredVertex, 1);
    EXPECT_TRUE(outline.entry(2).owned());
    const TZDop& d = doc->dops.at(0);
    EXPECT_DOUBLE_EQ(d.width, 180);
    EXPECT_EQ(d.firstPointIndex, 1);
    EXPECT_EQ(d.lastPointIndex, 4);
    EXPECT_EQ(d.firstPointPosX, outline.position(1).x);
    EXPECT_EQ(d.lastPointPosY, outline.position(4).y);
    EXPECT_NEAR(outlineArea(outline), 12.0 + 180 * 50 / 1e4, 1e-9);
}

TEST_F(WorkingOutlineTest, RectangleAtAPerpendicularCornerMergesIntoIt) {
    // distance1 = 0 next to the right angle at A: A and the niche's first point go, the leg
    // continues side DA.
    doc->dops.append(construction(TZDopKind::Rectangle, 0, 1, 0, 100, 50));
    ASSERT_EQ(build(), 6);
    expectPoint(outline, 0, 0, 50);
    expectPoint(outline, 1, 300, 50);
    expectPoint(outline, 2, 300, 0);
    EXPECT_EQ(outline.entry(3).measuredVertex, 1);
    EXPECT_EQ(doc->dops.at(0).firstPointIndex, 0); // the merged niche starts at its second point
    EXPECT_EQ(doc->dops.at(0).lastPointIndex, 2);

    // The same at the end (distance2 = 0 before the right angle at B).
    doc->dops.at(0) = construction(TZDopKind::Rectangle, 0, 1, 100, 0.05, 50);
    ASSERT_EQ(build(), 6);
    expectPoint(outline, 2, 100, 50);
    expectPoint(outline, 3, 400 - 0.05, 50);
    EXPECT_EQ(outline.entry(4).measuredVertex, 2);
}

TEST_F(WorkingOutlineTest, RectangleAtA120DegreeCornerKeepsTheVertex) {
    setOutline(*doc, {{0, 0}, {400, 0}, {400, 300}, {-173.2, 300}});
    doc->dops.append(construction(TZDopKind::Rectangle, 0, 1, 0, 100, 50));
    // A, the niche's first point (a duplicate of A, cleaned up), then three more points.
    ASSERT_EQ(build(), 7);
    EXPECT_EQ(outline.entry(0).measuredVertex, 0);
    expectPoint(outline, 1, 0, 50);
}

TEST_F(WorkingOutlineTest, RectangleAndTrapezoidOnTheClosingSideKeepEachDistanceAtItsVertex) {
    // Given from D (the last point) to A and from A to D: the same niche on side DA, 50 from D
    // and 100 from A, and the records keep their values.
    for (bool fromLast : {true, false}) {
        doc->dops.clear();
        doc->dops.append(fromLast ? construction(TZDopKind::Rectangle, 3, 0, 50, 100, 30)
                                  : construction(TZDopKind::Rectangle, 0, 3, 100, 50, 30));
        ASSERT_EQ(build(), 8) << fromLast;
        expectPoint(outline, 4, 0, 250);
        expectPoint(outline, 5, 30, 250); // positive depth: inward
        expectPoint(outline, 6, 30, 100);
        expectPoint(outline, 7, 0, 100);
        EXPECT_EQ(doc->dops.at(0).distance1, fromLast ? 50 : 100);
        EXPECT_EQ(doc->dops.at(0).vertex1, fromLast ? 3 : 0);
    }
    for (bool fromLast : {true, false}) {
        doc->dops.clear();
        TZDop t = fromLast ? construction(TZDopKind::Trapezoid, 3, 0, 50, 100, 20)
                           : construction(TZDopKind::Trapezoid, 0, 3, 100, 50, 40);
        t.depth2 = fromLast ? 40 : 20; // the depth at D is 20 and at A 40 either way
        doc->dops.append(t);
        ASSERT_EQ(build(), 8) << fromLast;
        expectPoint(outline, 5, 20, 250);
        expectPoint(outline, 6, 40, 100);
        EXPECT_DOUBLE_EQ(doc->dops.at(0).width, 150);
    }
}

TEST_F(WorkingOutlineTest, ArcInsertsItsEndsAndTheIntermediatePointsOnTheCircle) {
    TZDop arc = construction(TZDopKind::Arc, 0, 1, 100, 100, -50);
    doc->dops.append(arc);
    ASSERT_EQ(build(), 4 + 7);
    const TZDop& d = doc->dops.at(0);
    EXPECT_NEAR(d.depth2, 125, 1e-9); // (c²/4 + h²)/2h for chord 200 and depth 50
    expectPoint(outline, 1, 100, 0);
    expectPoint(outline, 7, 300, 0);
    for (int i = 2; i <= 6; ++i) {
        EXPECT_NEAR(distance(outline.point(i), makeVertex(200, 75)), 125, 1e-9);
        EXPECT_LT(outline.point(i).y, 0); // outward
    }
    expectPoint(outline, 4, 200, -50); // the middle one is the apex
    EXPECT_EQ(d.firstPointIndex, 1);
    EXPECT_EQ(d.lastPointIndex, 7);

    doc->dops.at(0).extraPoints = 0;
    ASSERT_EQ(build(), 4 + 2);
}

TEST_F(WorkingOutlineTest, ArcByLength) {
    // A half circle over the chord of 200: depth L/π = 100, the radius.
    EXPECT_NEAR(arcDepth(200, 200 * kPi / 2), 100, 1e-9);
    // A quarter of a circle: the chord is R√2, the depth R(1 − cos 45°).
    EXPECT_NEAR(arcDepth(100 * std::sqrt(2.0), 100 * kPi / 2), 100 * (1 - std::cos(kPi / 4)), 1.5);
    EXPECT_EQ(arcDepth(200, 150), 0); // shorter than the chord: no arc
    EXPECT_EQ(arcDepth(200, 200), 0);
    EXPECT_LT(arcDepth(200, 400), 0); // longer than a half circle: negated

    TZDop arc = construction(TZDopKind::Arc, 0, 1, 100, 100, 0);
    arc.arcLength = 200 * kPi / 2;
    doc->dops.append(arc);
    ASSERT_EQ(build(), 11);
    EXPECT_NEAR(doc->dops.at(0).depth2, 100, 1e-9);
    expectPoint(outline, 4, 200, 100); // positive length: inward

    doc->dops.at(0).arcLength = 150;
    EXPECT_EQ(build(), 4);
    doc->dops.at(0).arcLength = 0;
    EXPECT_EQ(build(), 4);
}

TEST_F(WorkingOutlineTest, ArcWhosePointsCoincideIsSkipped) {
    // Both ends at the middle of AB: no circle through A, B and the apex.
    doc->dops.append(construction(TZDopKind::Arc, 0, 1, 200, 200, 30));
    EXPECT_EQ(build(), 4);
    EXPECT_EQ(doc->dops.at(0).firstPointIndex, -1);
}

TEST_F(WorkingOutlineTest, CornerCutReplacesTheCornerByTwoPointsAndMarksIt) {
    doc->dops.append(construction(TZDopKind::CornerCut, -1, 0, 50, 80, 0));
    ASSERT_EQ(build(), 5);
    expectPoint(outline, 0, 0, 50); // on DA, 50 from A
    expectPoint(outline, 1, 80, 0); // on AB, 80 from A
    EXPECT_EQ(outline.entry(2).measuredVertex, 1);
    EXPECT_EQ(doc->polygon.at(0).placed, 1);
    EXPECT_EQ(doc->polygon.at(1).placed, 0);
    EXPECT_EQ(doc->dops.at(0).firstPointIndex, 0);
    EXPECT_EQ(doc->dops.at(0).lastPointIndex, 1);

    doc->dops.at(0).vertex2 = 3; // the last point
    ASSERT_EQ(build(), 5);
    EXPECT_EQ(outline.entry(2).measuredVertex, 2);
    expectPoint(outline, 3, 50, 300);        // on CD, 50 from D
    expectPoint(outline, 4, 0, 220);         // on DA, 80 from D
    EXPECT_EQ(doc->polygon.at(0).placed, 0); // the mark is cleared by every build
    EXPECT_EQ(doc->polygon.at(3).placed, 1);
}

TEST_F(WorkingOutlineTest, ConstructionWithoutValidPointsChangesNothing) {
    doc->dops.append(construction(TZDopKind::Rectangle, -1, -1, 10, 10, 10));
    doc->dops.append(construction(TZDopKind::Arc, 0, 9, 10, 10, 10));
    doc->dops.append(construction(TZDopKind::CornerCut, 0, 4, 10, 10, 0));
    doc->dops.append(construction(TZDopKind::Bend, 2, 2, 0, 0, 10));
    doc->dops.append(construction(TZDopKind::Disabled, 0, 1, 10, 10, 10));
    TZDop unknown = construction(TZDopKind::Rectangle, 0, 1, 10, 10, 10);
    unknown.kind = 42;
    doc->dops.append(unknown);
    ASSERT_EQ(build(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(outline.entry(i).measuredVertex, i);
    for (const TZDop& d : doc->dops) {
        EXPECT_EQ(d.firstPointIndex, -1);
        EXPECT_EQ(d.firstPointPosX, kUnsetPosition);
    }
}

TEST_F(WorkingOutlineTest, LaterConstructionsReferToTheOutlineWithTheEarlierOnes) {
    doc->dops.append(construction(TZDopKind::Rectangle, 0, 1, 100, 100, -50));
    // In the outline with the niche, B is point 5 and C point 6.
    doc->dops.append(construction(TZDopKind::Rectangle, 5, 6, 100, 100, 20));
    ASSERT_EQ(build(), 12);
    expectPoint(outline, 6, 400, 100);
    expectPoint(outline, 7, 380, 100);
    expectPoint(outline, 9, 400, 200);
    EXPECT_EQ(doc->dops.at(1).firstPointIndex, 6);
    // The first construction's points are found although the second came after them.
    EXPECT_EQ(doc->dops.at(0).firstPointIndex, 1);
    EXPECT_EQ(doc->dops.at(0).lastPointIndex, 4);

    // A construction on AB added later moves the first one's points on.
    doc->dops.append(construction(TZDopKind::CornerCut, -1, 0, 10, 10, 0));
    ASSERT_EQ(build(), 13);
    EXPECT_EQ(doc->dops.at(0).firstPointIndex, 2);
    EXPECT_EQ(doc->dops.at(1).firstPointIndex, 7);
}

TEST_F(WorkingOutlineTest, OneLevelBendFoldsTheChainWithMitredCorners) {
    // The chain A→B→C→D (every side but the closing one), folded 20 outward.
    doc->dops.append(construction(TZDopKind::Bend, 0, 3, 0, 0, 20));
    doc->dops.at(0).extraPoints = 0;
    ASSERT_EQ(build(), 6);
    EXPECT_EQ(outline.entry(0).measuredVertex, 0);
    expectPoint(outline, 1, 0, -20);
    expectPoint(outline, 2, 420, -20); // mitred corners
    expectPoint(outline, 3, 420, 320);
    expectPoint(outline, 4, 0, 320);
    expectPoint(outline, 5, 0, 300);
    // B and C, and every junction point on them, are gone.
    for (int i = 0; i < outline.count(); ++i) {
        EXPECT_NE(outline.entry(i).measuredVertex, 1);
        EXPECT_NE(outline.entry(i).measuredVertex, 2);
    }
    EXPECT_NEAR(outlineArea(outline), 4.2 * 3.4, 1e-9);
    ASSERT_EQ(doc->bendPieces.count(), 6); // one fold line per side, the last side first
    EXPECT_DOUBLE_EQ(doc->bendPieces.at(0).x, 400);
    EXPECT_DOUBLE_EQ(doc->bendPieces.at(0).y, 300);
    EXPECT_DOUBLE_EQ(doc->bendPieces.at(5).x, 400);
    EXPECT_DOUBLE_EQ(doc->bendPieces.at(5).y, 0);

    // The fold lines are those of the last build only.
    build();
    EXPECT_EQ(doc->bendPieces.count(), 6);
}

TEST_F(WorkingOutlineTest, TwoLevelBendFoldsTheFirstLevelAgain) {
    doc->dops.append(construction(TZDopKind::Bend, 0, 3, 0, 0, 20));
    doc->dops.at(0).extraPoints = 10;
    ASSERT_EQ(build(), 8);
    expectPoint(outline, 1, 0, -20);
    expectPoint(outline, 2, 0, -30);
    expectPoint(outline, 3, 430, -30);
    expectPoint(outline, 4, 430, 330);
    expectPoint(outline, 5, 0, 330);
    expectPoint(outline, 6, 0, 320);
    EXPECT_EQ(doc->bendPieces.count(), 12);
    EXPECT_EQ(doc->dops.at(0).vertex1, 0);
    EXPECT_EQ(doc->dops.at(0).vertex2, 3);
}

TEST_F(WorkingOutlineTest, BendThroughTheClosingSide) {
    // C→D→A: two sides, the second being the closing side; with distances at both ends.
    doc->dops.append(construction(TZDopKind::Bend, 2, 0, 0, 0, -10));
    doc->dops.at(0).extraPoints = 0;
    build();
    // Negative level: inward. The corner at D is mitred at (10, 290).
    bool mitre = false;
    for (const Vertex& v : outline.points())
        mitre = mitre || (std::fabs(v.x - 10) < 1e-9 && std::fabs(v.y - 290) < 1e-9);
    EXPECT_TRUE(mitre);
    for (int i = 0; i < outline.count(); ++i)
        EXPECT_NE(outline.entry(i).measuredVertex, 3);
    EXPECT_NEAR(outlineArea(outline), 12.0 - (400 * 10 + 290 * 10) / 1e4, 1e-9);
}

TEST_F(WorkingOutlineTest, ConstructionsThatDoNotFitAreSkippedWhole) {
    std::vector<std::pair<double, double>> ring;
    for (int i = 0; i < 998; ++i)
        ring.push_back({std::cos(i * 2 * kPi / 998) * 1000, std::sin(i * 2 * kPi / 998) * 1000});
    setOutline(*doc, ring);
    doc->dops.append(construction(TZDopKind::Rectangle, 0, 1, 0.5, 0.5, 20)); // 4 points: no room
    TZDop arc = construction(TZDopKind::Arc, 10, 11, 0, 0, 5);
    arc.extraPoints = 2'000'000'000;
    doc->dops.append(arc);
    doc->dops.append(construction(TZDopKind::CornerCut, -1, 20, 1, 1, 0)); // one more point: fits
    ASSERT_EQ(build(), 999);
    EXPECT_EQ(doc->dops.at(0).firstPointIndex, -1);
    EXPECT_EQ(doc->dops.at(1).firstPointIndex, -1);
    EXPECT_EQ(doc->dops.at(2).firstPointIndex, 20);

    // A two-level bend whose second level does not fit leaves no trace of its first level: on
    // 698 points a chain of 100 sides needs 301 points per level and leaves 2 more each time.
    doc->dops.clear();
    TZDop bend = construction(TZDopKind::Bend, 0, 100, 0, 0, 5);
    bend.extraPoints = 0;
    doc->dops.append(bend);
    setOutline(*doc, std::vector<std::pair<double, double>>(ring.begin(), ring.begin() + 698));
    ASSERT_EQ(build(), 700); // one level fits
    doc->dops.at(0).extraPoints = 5;
    ASSERT_EQ(build(), 698);
    EXPECT_EQ(doc->bendPieces.count(), 0);
    for (int i = 0; i < 698; ++i)
        ASSERT_EQ(outline.entry(i).measuredVertex, i);
}

TEST_F(WorkingOutlineTest, MeasuredOutlineBeyondTheCapacityIsCut) {
    std::vector<std::pair<double, double>> ring;
    for (int i = 0; i < 1200; ++i)
        ring.push_back({i * 1.0, (i % 2) * 5.0});
    setOutline(*doc, ring);
    EXPECT_EQ(build(), kWorkingOutlineCapacity);
    EXPECT_TRUE(outline.truncated());
}

TEST(CleanUpOutline, RemovesNearDuplicatesAndSmallLoops) {
    TestDocument doc;
    setOutline(*doc, {{0, 0},
                      {0.5, 0},
                      {100, 0},
                      {100, 100},
                      {50, 100},
                      {50.2, 99.5},
                      {50.4, 100.2},
                      {50, 100.3},
                      {0, 100}});
    WorkingOutline o;
    buildWorkingOutline(*doc, false, o);
    cleanUpOutline(o);
    // (0.5, 0) goes after (0, 0); the loop after (50, 100) ends at a point 0.3 away: all three go.
    ASSERT_EQ(o.count(), 5);
    EXPECT_EQ(o.entry(1).measuredVertex, 2);
    EXPECT_EQ(o.entry(3).measuredVertex, 4);
    EXPECT_EQ(o.entry(4).measuredVertex, 8);

    // A tiny outline is not eaten by its own wrap-round.
    setOutline(*doc, {{0, 0}, {0.2, 0}, {100, 0}});
    buildWorkingOutline(*doc, false, o);
    cleanUpOutline(o);
    EXPECT_EQ(o.count(), 3);
}

TEST(PointAlongSide, MeasuresFromEitherEndAndOffsetsToTheLeftOfTravel) {
    const Vertex p0 = makeVertex(0, 0), p1 = makeVertex(0, 100);
    const Vertex a = pointAlongSide(p0, p1, true, 30, 0);
    EXPECT_DOUBLE_EQ(a.y, 30);
    const Vertex b = pointAlongSide(p0, p1, false, 30, 10);
    EXPECT_DOUBLE_EQ(b.y, 70);
    EXPECT_DOUBLE_EQ(b.x, -10); // travelling down the screen, the offset goes to −x
    const Vertex c = pointAlongSide(p0, p0, true, 5, 2); // no direction: along +x
    EXPECT_DOUBLE_EQ(c.x, 5);
    EXPECT_DOUBLE_EQ(c.y, 2);
}

TEST(SidesPerpendicular, WithinOneOverPiRadian) {
    EXPECT_TRUE(sidesPerpendicular(0, kPi / 2));
    EXPECT_TRUE(sidesPerpendicular(3 * kPi / 2, 0));
    EXPECT_TRUE(sidesPerpendicular(-kPi / 2, kPi));
    EXPECT_TRUE(sidesPerpendicular(0, kPi / 2 + 0.3));
    EXPECT_FALSE(sidesPerpendicular(0, kPi / 2 + 0.33));
    EXPECT_FALSE(sidesPerpendicular(0, kPi / 3)); // 120° corner
}

} // namespace
