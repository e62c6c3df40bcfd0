#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/ceiling.h"
#include "model/forming.h"
#include "model/forming_commands.h"
#include "model/geometry.h"
#include "model/measurements.h"
#include "model/records.h"
#include "model/triangles.h"
#include "support/fakes.h"
#include "support/rooms.h"

using namespace tenzora;

namespace {

// How closely a formed outline must reproduce a measured length (cm).
constexpr double kLengthTolerance = 0.05;

const std::vector<std::pair<double, double>> kRectangle = {{0, 0}, {0, 300}, {400, 300}, {400, 0}};
// An L-shaped room: 6 m × 3 m with a 3 m × 2 m wing.
const std::vector<std::pair<double, double>> kLShape = {{0, 0},     {600, 0},   {600, 300},
                                                        {300, 300}, {300, 500}, {0, 500}};

void expectEveryRecordAsMeasured(const TZCeiling& doc) {
    for (const Diagonal& d : doc.diagonals)
        EXPECT_NEAR(distance(doc.polygon.at(d.a), doc.polygon.at(d.b)), d.length, kLengthTolerance)
            << "record " << d.a << "-" << d.b;
}

bool onGridNode(double coordinate, double step) {
    return std::fabs(std::remainder(coordinate, step)) < 1e-6;
}

} // namespace

TEST(Forming, ATriangleOfThreeSidesFormsAQuadrilateralWithoutDiagonalDoesNotStart) {
    TestDocument t;
    buildMeasuredRoom(*t, {{0, 0}, {300, 0}, {0, 400}}, {}, 40);
    EXPECT_TRUE(formProject(*t, -1));
    EXPECT_TRUE(t->outlineFormed);
    expectEveryRecordAsMeasured(*t);

    TestDocument q;
    buildMeasuredRoom(*q, kRectangle, {}, 10);
    const CPolygon before = q->polygon;
    EXPECT_FALSE(formProject(*q, -1));
    EXPECT_FALSE(q->outlineFormed);
    EXPECT_EQ(q->polygon.at(2).x, before.at(2).x) << "a forming that does not start moves nothing";
}

TEST(Forming, RectangleWithDiagonalFormsClockwiseWithFirstSideUpAndAOnTheGrid) {
    for (int method : {0, 1}) {
        TestDocument t;
        buildMeasuredRoom(*t, kRectangle, {L"AC"}, 25);
        t->constructionMethod = method;
        ASSERT_TRUE(formProject(*t, -1)) << "method " << method;
        EXPECT_TRUE(t->outlineFormed);
        EXPECT_EQ(t->baseSide, 0);
        EXPECT_TRUE(t->statusText.empty());
        EXPECT_EQ(crossingCount(*t), 0);
        EXPECT_TRUE(isClockwise(pointsOf(t->polygon)));
        // Actual lengths are truncated to 0.01 cm: a side that comes out at 399.9999999 counts
        // as 399.99, so only the diagonal's figure is exactly 0.
        EXPECT_EQ(errorFigure(*t, false), 0.0);
        EXPECT_LE(errorFigure(*t, true), 0.001);
        expectEveryRecordAsMeasured(*t);

        const Vertex& a = t->polygon.at(0);
        const Vertex& b = t->polygon.at(1);
        EXPECT_NEAR(b.x, a.x, 1e-6) << "the first record is vertical";
        EXPECT_LT(b.y, a.y) << "… and points up on screen";
        EXPECT_TRUE(onGridNode(a.x, t->view.gridStep) && onGridNode(a.y, t->view.gridStep))
            << a.x << ", " << a.y;
        EXPECT_NEAR(outlineArea(*t), 12.0, 1e-4);
    }
}

TEST(Forming, UnmeasuredRecordsAndDuplicatesAreDroppedWhenFormingStarts) {
    TestDocument t;
    buildMeasuredRoom(*t, kRectangle, {L"AC"});
    measureRecord(*t, L"BD", 0);             // entered, never measured
    Diagonal duplicate = t->diagonals.at(4); // a second AC, written the other way round
    std::swap(duplicate.a, duplicate.b);
    duplicate.length = 480;
    t->diagonals.append(duplicate);

    ASSERT_TRUE(formProject(*t, -1));
    EXPECT_EQ(t->diagonals.count(), 5);
    EXPECT_EQ(findDiagonal(*t, 1, 3), -1);
    EXPECT_EQ(t->diagonals.at(findDiagonal(*t, 0, 2)).length, 500) << "the earlier record of a pair stays";
}

TEST(Forming, AnLShapedRoomFormsFromExactMeasurements) {
    for (int method : {0, 1}) {
        TestDocument t;
        buildMeasuredRoom(*t, kLShape, {L"AD", L"BD", L"DF"}, 60);
        t->constructionMethod = method;
        ASSERT_TRUE(formProject(*t, -1)) << "method " << method << ", unplaced: " << t->statusText.size();
        expectEveryRecordAsMeasured(*t);
        EXPECT_EQ(errorFigure(*t, false), 0.0);
        EXPECT_EQ(errorFigure(*t, true), 0.0);
        EXPECT_EQ(crossingCount(*t), 0);
        EXPECT_NEAR(outlineArea(*t), 24.0, 1e-3) << "the L, not a folded variant of it";
        EXPECT_NEAR(perimeter(*t), 22.0, 1e-9);
    }
}

TEST(Forming, WhenNoBasePlacesEveryVertexTheLastBaseStaysWithItsUnplacedVerticesNamed) {
    TestDocument t;
    // The diagonal lets forming start, but D and E each need the other: no base reaches them.
    // The last base, the closing side AE, carries no triangle at all.
    buildMeasuredRoom(*t, {{0, 0}, {0, 300}, {400, 300}, {400, 0}, {200, -100}}, {L"AC"});
    t->constructionMethod = 1;
    EXPECT_FALSE(formProject(*t, -1));
    EXPECT_EQ(t->statusText, L"A B C D E ");
    EXPECT_EQ(t->baseSide, -1);
    EXPECT_FALSE(t->outlineFormed);
    // Each is put 100 cm from the first placed vertex measured to it (A stays where it was).
    EXPECT_NEAR(drawnLength(*t, L"AB"), 100, 1e-6);
    EXPECT_NEAR(drawnLength(*t, L"CD"), 100, 1e-6);
    EXPECT_NEAR(drawnLength(*t, L"AE"), 100, 1e-6);
}

TEST(Forming, CoordinatesThatAreNotNumbersStartAgainFromZero) {
    TestDocument t;
    buildMeasuredRoom(*t, kRectangle, {L"AC"});
    t->polygon.at(2).x = std::nan("");
    t->polygon.at(3).y = std::numeric_limits<double>::infinity();
    ASSERT_TRUE(formProject(*t, -1));
    for (const Vertex& v : t->polygon)
        EXPECT_TRUE(std::isfinite(v.x) && std::isfinite(v.y));
    expectEveryRecordAsMeasured(*t);
}

TEST(Forming, RefinementAloneDoesNotReportTheOutlineFormed) {
    TestDocument t;
    buildMeasuredRoom(*t, kRectangle, {L"AC"}, 15);
    t->constructionMethod = 2;
    EXPECT_FALSE(formProject(*t, -1));
    EXPECT_FALSE(t->outlineFormed);
    EXPECT_LT(errorFigure(*t, true), 0.5);
    expectEveryRecordAsMeasured(*t);
}

TEST(Forming, ANinetyTwoCornerOutlineWithEveryDiagonalFromAForms) {
    TestDocument t;
    std::vector<std::pair<double, double>> corners;
    for (int i = 0; i < 92; ++i) {
        const double angle = 2 * kPi * i / 92;
        corners.push_back({500 * std::cos(angle), 300 * std::sin(angle)});
    }
    buildMeasuredRoom(*t, corners, fanFromA(92), 5);
    ASSERT_TRUE(formProject(*t, -1)) << "unplaced: " << t->statusText.size();
    expectEveryRecordAsMeasured(*t);
    EXPECT_EQ(crossingCount(*t), 0);
}

TEST(PlaceTriangle, LengthsThatDoNotCloseLeaveTheVertexOnTheBaseLine) {
    struct Case {
        double ac, bc, footX;
    };
    for (const Case& c : {Case{30, 30, 50}, Case{130, 20, 132.5}}) {
        TestDocument t;
        setOutline(*t, {{0, 0}, {100, 0}, {50, 50}});
        measureRecord(*t, L"AB", 100);
        measureRecord(*t, L"AC", c.ac);
        measureRecord(*t, L"BC", c.bc);
        placeTriangle(*t, 0, 1, 2);
        EXPECT_NEAR(t->polygon.at(2).y, 0, 1e-9);
        EXPECT_NEAR(t->polygon.at(2).x, c.footX, 1e-9);
    }
}

TEST(PlaceTriangle, TheBaseTakesItsMeasuredLengthAndARightAngleCompletesAMissingLength) {
    TestDocument t;
    setOutline(*t, {{0, 0}, {0, 250}, {100, 100}});
    t->polygon.at(0).placed = 1;
    measureRecord(*t, L"AB", 300);
    measureRecord(*t, L"BC", 400);
    measureRecord(*t, L"AC", 1); // nonsense, but B is a right angle between two sides
    t->polygon.at(1).rightAngle = 1;
    placeTriangle(*t, 0, 1, 2);
    EXPECT_NEAR(t->polygon.at(1).y, 300, 1e-9) << "B moved along the base, A stayed";
    EXPECT_NEAR(drawnLength(*t, L"BC"), 400, 1e-6);
    EXPECT_NEAR(drawnLength(*t, L"AC"), 500, 1e-6);
}

TEST(PlaceTriangle, ASidePreferenceOverridesTheAutomaticSideUnlessInStepMode) {
    const auto placeC = [](bool stepMode) {
        TestDocument t;
        setOutline(*t, {{0, 0}, {100, 0}, {50, 80}});
        measureRecord(*t, L"AB", 100);
        measureRecord(*t, L"AC", 80);
        measureRecord(*t, L"BC", 80);
        t->polygon.at(2).autoSide = kSideOutward;
        t->polygon.at(2).sidePreference = kSideInward;
        t->stepMode = stepMode;
        placeTriangle(*t, 0, 1, 2);
        return t->polygon.at(2).y;
    };
    EXPECT_NEAR(placeC(true), -placeC(false), 1e-9);
}

TEST(Normalize, LeavesTheOutlineAloneInTheCuttingModeButCentresAndSnapsIt) {
    TestDocument t;
    setOutline(*t, {{1000, 1000}, {1400, 1000}, {1400, 1300}, {1000, 1300}});
    t->editor.mode = kModeCutting;
    t->view.panX = 7;
    normalize(*t);
    EXPECT_EQ(t->view.panX, 0);
    EXPECT_NEAR(t->polygon.at(1).y, t->polygon.at(0).y, 1e-9) << "not rotated";
    EXPECT_NEAR(t->polygon.at(0).x, -200, 1e-9);
    EXPECT_NEAR(t->polygon.at(0).y, -140, 1e-9) << "-150 moved to the grid node towards zero";
}

TEST(Normalize, AGridStepOfZeroCentresWithoutSnapping) {
    TestDocument t;
    setOutline(*t, {{1000, 1000}, {1000, 1300}, {1400, 1300}, {1400, 1000}});
    t->view.gridStep = 0; // as a damaged file may hold it
    normalize(*t);
    for (const Vertex& v : t->polygon)
        EXPECT_TRUE(std::isfinite(v.x) && std::isfinite(v.y));
    EXPECT_NEAR(t->polygon.at(0).x, 200, 1e-9);
    EXPECT_NEAR(t->polygon.at(0).y, 150, 1e-9);
}

TEST(FormCommand, FormsWithFiveVisitsAndEmptiesTheStatusAfterShowingIt) {
    TestDocument t(true);
    buildMeasuredRoom(*t, {{0, 0}, {0, 300}, {400, 300}, {400, 0}, {200, -100}}, {L"AC"});
    t->constructionMethod = 1;
    const FormCommandResult result = formProjectCommand(*t);
    EXPECT_FALSE(result.formed);
    EXPECT_EQ(result.statusText, L"A B C D E ");
    EXPECT_TRUE(t->statusText.empty());
    EXPECT_EQ(t->relaxPasses, 3);
    EXPECT_FALSE(t->figuresFormed);
    EXPECT_GE(t.views.trees, 1);
    EXPECT_GE(t.views.repaints, 1);

    TestDocument empty;
    EXPECT_FALSE(canFormProject(*empty));
    EXPECT_FALSE(formProjectCommand(*empty).formed);
}

TEST(FormCommand, UndoTakesTheFormingBack) {
    TestDocument t;
    buildMeasuredRoom(*t, kRectangle, {L"AC"}, 25);
    const double sketchX = t->polygon.at(2).x;
    ASSERT_TRUE(formProjectCommand(*t).formed);
    ASSERT_TRUE(t->undo());
    EXPECT_EQ(t->polygon.at(2).x, sketchX);
}

TEST(FormingCommands, RightAngleOnAndOffLeavesNoRecordAcrossTheCorner) {
    TestDocument t;
    buildMeasuredRoom(*t, kRectangle, {L"AC"}, 10);
    measureRecord(*t, L"BD", 480); // measured across the corner at A … badly
    ASSERT_TRUE(toggleRightAngle(*t, L"AB (300.0)"));
    EXPECT_TRUE(t->polygon.at(0).rightAngle);
    const int across = findDiagonal(*t, 1, 3);
    ASSERT_GE(across, 0);
    EXPECT_DOUBLE_EQ(t->diagonals.at(across).length, 500) << "√(300² + 400²) replaces the measured value";
    EXPECT_NEAR(drawnLength(*t, L"BD"), 500, kLengthTolerance);

    ASSERT_TRUE(toggleRightAngle(*t, L"AB (300.0) L"));
    EXPECT_FALSE(t->polygon.at(0).rightAngle);
    EXPECT_EQ(findDiagonal(*t, 1, 3), -1);
}

TEST(FormingCommands, RightAngleOnAndOffWithoutARecordAcrossLeavesNone) {
    TestDocument t;
    buildMeasuredRoom(*t, kRectangle, {L"AC"}, 10);
    ASSERT_TRUE(toggleRightAngle(*t, L"CD (300.0)"));
    EXPECT_TRUE(t->polygon.at(2).rightAngle);
    EXPECT_NEAR(drawnLength(*t, L"BD"), 500, kLengthTolerance);
    ASSERT_TRUE(toggleRightAngle(*t, L"CD (300.0) L"));
    EXPECT_EQ(findDiagonal(*t, 1, 3), -1);
    EXPECT_FALSE(t->polygon.at(2).rightAngle);
}

TEST(FormingCommands, TriangleSideAndStepModeNeedAProjectAndTakeTheRowsVertex) {
    TestDocument t;
    buildMeasuredRoom(*t, kRectangle, {L"AC"});
    t->editor.mode = kModeStart;
    EXPECT_FALSE(setTriangleSide(*t, L"CD (300.0)", kSideOutward));
    EXPECT_FALSE(toggleStepMode(*t));
    t->editor.mode = kModePoints;
    EXPECT_TRUE(setTriangleSide(*t, L"DA (300.0) НАРУЖУ", kSideOutward));
    EXPECT_EQ(t->polygon.at(3).sidePreference, kSideOutward) << "the closing side stands for the last vertex";
    EXPECT_EQ(vertexOfRow(*t, L"AC (500.0)"), 0);
    EXPECT_EQ(vertexOfRow(*t, L"XY (?)"), -1);
    EXPECT_TRUE(toggleStepMode(*t));
    EXPECT_TRUE(t->stepMode);
}

TEST(FormingCommands, DiagonalCorrectionTakesTheDrawnLengthsOfDiagonalsOnly) {
    TestDocument t;
    buildMeasuredRoom(*t, kRectangle, {L"AC"});
    measureRecord(*t, L"AC", 510);
    measureRecord(*t, L"AB", 310);
    correctDiagonals(*t);
    EXPECT_EQ(t->diagonals.at(findDiagonal(*t, 0, 2)).length, 500);
    EXPECT_EQ(t->diagonals.at(findDiagonal(*t, 0, 1)).length, 310);
}
