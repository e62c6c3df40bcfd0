#include <gtest/gtest.h>

#include <cmath>

#include "model/ceiling.h"
#include "model/formatting.h"
#include "model/measurements.h"
#include "model/records.h"
#include "support/fakes.h"
#include "support/rooms.h"

using namespace tenzora;

namespace {
constexpr wchar_t kErrorTooLarge[] = L"Внимание! Погрешность больше максимально допустимой!";

// A 100 × 100 square with its four sides measured and the diagonal AC measured as given.
void measuredSquare(TZCeiling& doc, double diagonal) {
    buildMeasuredRoom(doc, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, {});
    measureRecord(doc, L"AC", diagonal);
}
} // namespace

TEST(ErrorFigure, TheSquareWithItsDiagonalMeasuredLongShowsTwoPointOneFour) {
    TestDocument t;
    measuredSquare(*t, 141.42);
    EXPECT_EQ(actualLength(*t, t->diagonals.at(4)), 141.42) << "141.4213… truncated";
    EXPECT_EQ(errorFigure(*t, false), 0.0);
    EXPECT_EQ(displayedError(*t), 0.0);

    measureRecord(*t, L"AC", 142.0);
    EXPECT_DOUBLE_EQ(errorFigure(*t, false), 0.107); // trunc(0.58 / 542 × 100000) × 0.001
    EXPECT_EQ(formatNumber(displayedError(*t), 3), L"2.140");
    EXPECT_TRUE(checkMaximumError(*t));
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST(ErrorFigure, SidesCountOnlyWhenAskedAndUnmeasuredRecordsNever) {
    TestDocument t;
    EXPECT_EQ(errorFigure(*t, true), 0.0) << "no records";
    measuredSquare(*t, 141.42);
    measureRecord(*t, L"AB", 110); // 10 cm too long
    measureRecord(*t, L"BD", 0);   // not measured
    // S = 110 + 300 + 141.42; the side's 10 cm counts only with the sides.
    EXPECT_EQ(errorFigure(*t, false), 0.0);
    EXPECT_DOUBLE_EQ(errorFigure(*t, true), std::trunc(10 / 551.42 * 100000) * 0.001);
}

TEST(ErrorFigure, WithPlacedOnlyRecordsToUnplacedVerticesDoNotTakePart) {
    TestDocument t;
    measuredSquare(*t, 150);
    t->placedOnly = true;
    EXPECT_EQ(errorFigure(*t, true), 0.0) << "nothing placed";
    for (int i : {0, 1, 2})
        t->polygon.at(i).placed = 1;
    // AB, BC and AC take part: S = 350, deviation 150 − 141.42.
    EXPECT_DOUBLE_EQ(errorFigure(*t, true), std::trunc((150 - 141.42) / 350 * 100000) * 0.001);
    EXPECT_NEAR(outlineArea(*t), 0.5, 1e-12) << "the triangle ABC";
}

TEST(ErrorFigure, AboveTheMaximumPrintingIsRefusedWithTheWarning) {
    TestDocument t;
    measuredSquare(*t, 143.0); // 1.58 / 543 → 0.290 %, shown as 5.8
    EXPECT_FALSE(checkMaximumError(*t));
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, kErrorTooLarge);
}

TEST(RightAngle, RecognisedWithinTwentyFiveSquareCentimetresAndNeverCleared) {
    for (const auto& [across, expected] : {std::pair{500.02, true}, std::pair{500.03, false}}) {
        TestDocument t;
        buildMeasuredRoom(*t, {{0, 0}, {300, 0}, {300, 400}, {0, 400}}, {});
        measureRecord(*t, L"AC", across);
        EXPECT_EQ(recogniseRightAngle(*t, 1), expected) << across;
        EXPECT_EQ(t->polygon.at(1).rightAngle != 0, expected);
    }
    TestDocument t;
    buildMeasuredRoom(*t, {{0, 0}, {300, 0}, {300, 400}, {0, 400}}, {});
    EXPECT_FALSE(recogniseRightAngle(*t, 1)) << "no record across the corner";
    t->polygon.at(1).rightAngle = 1;
    EXPECT_TRUE(recogniseRightAngle(*t, 1)) << "a mark stays whatever the lengths say";
}

TEST(RightAngle, RebuildingTheTreeMarksTheRecognisedCorners) {
    TestDocument t;
    buildMeasuredRoom(*t, {{0, 0}, {300, 0}, {300, 300}, {0, 300}}, {});
    // 300² + 300² − 424.27² = −5.0; (424.3 would miss by 30.5, beyond the tolerance.)
    measureRecord(*t, L"AC", 424.27);
    t->rebuildTree();
    EXPECT_TRUE(t->polygon.at(1).rightAngle);
    EXPECT_TRUE(t->polygon.at(3).rightAngle);
    EXPECT_FALSE(t->polygon.at(0).rightAngle);

    TestDocument stepping;
    buildMeasuredRoom(*stepping, {{0, 0}, {300, 0}, {300, 300}, {0, 300}}, {L"AC"});
    stepping->stepMode = true; // the tree stays empty
    stepping->rebuildTree();
    EXPECT_FALSE(stepping->polygon.at(1).rightAngle);
}

TEST(Crossings, ABowTieCrossesOnceAndSidesSharingAVertexNever) {
    TestDocument t;
    setOutline(*t, {{0, 0}, {100, 100}, {100, 0}, {0, 100}});
    EXPECT_EQ(crossingCount(*t), 1);
    setOutline(*t, {{0, 0}, {100, 0}, {100, 100}, {0, 100}});
    EXPECT_EQ(crossingCount(*t), 0);
    // Only records flagged as sides are considered.
    setOutline(*t, {{0, 0}, {100, 100}, {100, 0}, {0, 100}});
    t->diagonals.at(0).isSide = 0;
    EXPECT_EQ(crossingCount(*t), 0);
}

TEST(Perimeter, AnUnmeasuredSideCountsItsDrawnLengthAMissingSideNothing) {
    TestDocument t;
    setOutline(*t, {{0, 0}, {400, 0}, {400, 300}, {0, 300}});
    measureRecord(*t, L"AB", 410);
    measureRecord(*t, L"BC", 300);
    // CD unmeasured (400 drawn), DA missing.
    t->diagonals.removeAt(3);
    EXPECT_NEAR(perimeter(*t), (410 + 300 + 400) / 100.0, 1e-12);
    t->diagonals.at(0).isSide = 0; // a record not flagged as a side is not part of it
    EXPECT_NEAR(perimeter(*t), (300 + 400) / 100.0, 1e-12);
}

// A side with several records (a damaged or hand-made file) counts the first measured one, or
// the last one while none is measured, in either vertex order; records naming no vertex of the
// outline count nothing.
TEST(Perimeter, ASideWithSeveralRecordsCountsTheFirstMeasuredOne) {
    TestDocument t;
    setOutline(*t, {{0, 0}, {400, 0}, {400, 300}, {0, 300}});
    measureRecord(*t, L"AB", 410);
    measureRecord(*t, L"BC", 300);
    measureRecord(*t, L"CD", 390);
    measureRecord(*t, L"DA", 290);
    const auto add = [&](int a, int b, double length) {
        Diagonal d;
        d.a = a;
        d.b = b;
        d.length = length;
        d.isSide = 1;
        t->diagonals.append(d);
    };
    add(1, 0, 999);           // AB again, after the measured one: not counted
    add(2147483647, 0, 5000); // names no vertex
    add(-1, 3, 7000);
    EXPECT_NEAR(perimeter(*t), (410 + 300 + 390 + 290) / 100.0, 1e-12);
    t->diagonals.at(1).length = 0; // BC unmeasured: a later measured record of the pair counts
    add(2, 1, 0);
    add(1, 2, 310);
    EXPECT_NEAR(perimeter(*t), (410 + 310 + 390 + 290) / 100.0, 1e-12);
}

TEST(CornerAngle, NinetyDegreesAtEveryCornerOfAClockwiseRectangle) {
    TestDocument t;
    setOutline(*t, {{0, 0}, {0, -300}, {400, -300}, {400, 0}});
    for (int v = 0; v < 4; ++v)
        EXPECT_DOUBLE_EQ(cornerAngle(*t, v), 90.0) << v;
    EXPECT_EQ(cornerAngleText(*t, 0), L"90°");
    setOutline(*t, {{0, 0}, {0, 300}, {400, 300}, {400, 0}});
    EXPECT_DOUBLE_EQ(cornerAngle(*t, 1), 270.0) << "the same corner seen from the other orientation";
}

TEST(Ruler, LengthLeavesOutThePointUnderTheMouseAreaTakesAll) {
    TestDocument t;
    EXPECT_EQ(rulerLength(*t), 0.0);
    for (auto [x, y] : {std::pair{0.0, 0.0}, {300.0, 0.0}, {300.0, 400.0}})
        t->editor.rulerPoints.append(makeVertex(x, y));
    EXPECT_NEAR(rulerLength(*t), 3.0, 1e-12);
    EXPECT_NEAR(rulerArea(*t), 6.0, 1e-12);
}
