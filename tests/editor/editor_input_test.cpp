#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "editor/editor_input.h"
#include "editor/view_rules.h"
#include "editor_window_fake.h"
#include "model/ceiling.h"
#include "model/measurements.h"
#include "model/records.h"
#include "model/settings.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// A window of 800 × 600 pixels at one centimetre per pixel: drawing (x, y) is pixel (400 + x, 300 + y).
struct Editor {
    Editor() : t(true), input(*t, settings, window) {
        t->view.viewWidth = kWidth;
        t->view.viewHeight = kHeight;
        t->editor.mode = kModePoints;
    }
    PointerEvent at(double x, double y, bool shift = false) {
        const TZCeiling& doc = *t;
        return {int(kWidth / 2 + x / doc.view.scaleX - doc.view.panX),
                int(kHeight / 2 + y / doc.view.scaleY + doc.view.panY), shift, kWidth, kHeight};
    }
    void click(double x, double y) {
        input.leftDown(at(x, y));
        input.leftUp(at(x, y));
    }
    void square() {
        setOutline(*t, {{0, 0}, {300, 0}, {300, 300}, {0, 300}});
        markAllAsSides(*t);
    }
    TestDocument t;
    AppSettings settings;
    RecordingEditorWindow window;
    EditorInput input;
};

} // namespace

TEST(Snapping, NearestGridLineWithHalvesAwayFromZero) {
    EXPECT_EQ(snapCoordinate(29.9, 20), 20);
    EXPECT_EQ(snapCoordinate(30, 20), 40);
    EXPECT_EQ(snapCoordinate(-30, 20), -40);
    EXPECT_EQ(snapCoordinate(-29.9, 20), -20);
    EXPECT_EQ(snapCoordinate(0, 20), 0);
    EXPECT_EQ(snapCoordinate(7, 0), 7) << "a grid without a step leaves the point alone";
    EXPECT_EQ(snapCoordinate(7, -20), 7);
}

TEST(Snapping, ClicksEnterSnappedPointsWhenSnappingIsOn) {
    Editor e;
    e.t->view.snapToGrid = true;
    e.t->view.scaleX = e.t->view.scaleY = 0.1f; // a tenth of a centimetre per pixel
    // Pixels, not drawing positions: 699 is 29.9 cm right of the centre, 700 is 30 cm.
    for (auto [x, y] : {std::pair{699, 300}, {700, 600}, {100, 399}}) {
        e.input.leftDown({x, y, false, kWidth, kHeight});
        e.input.leftUp({x, y, false, kWidth, kHeight});
    }
    ASSERT_EQ(e.t->polygon.count(), 3);
    EXPECT_EQ(e.t->polygon.at(0).x, 20);
    EXPECT_EQ(e.t->polygon.at(1).x, 40);
    EXPECT_EQ(e.t->polygon.at(1).y, 40);
    EXPECT_EQ(e.t->polygon.at(2).x, -40);
    EXPECT_EQ(e.t->polygon.at(2).y, 0);
}

TEST(ViewRules, TheCuttingLayoutIsMirroredOnlyWhenFlippingOutsideDealerMode) {
    Editor e;
    e.t->editor.mode = kModeCutting;
    EXPECT_TRUE(isMirroredDisplay(*e.t, e.settings));
    EXPECT_EQ(viewToDrawing(*e.t, e.settings, 500, 350).x, -100);
    EXPECT_EQ(viewToDrawing(*e.t, e.settings, 500, 350).y, 50);
    e.settings.dealerMode = true;
    EXPECT_FALSE(isMirroredDisplay(*e.t, e.settings));
    EXPECT_EQ(viewToDrawing(*e.t, e.settings, 500, 350).x, 100);
    e.settings.dealerMode = false;
    e.settings.flipCutting = false;
    EXPECT_FALSE(isMirroredDisplay(*e.t, e.settings));
    e.settings.flipCutting = true;
    e.t->editor.mode = kModePoints;
    EXPECT_FALSE(isMirroredDisplay(*e.t, e.settings));
}

TEST(StartMode, MouseAndEscapeDoNothingBeforeAProjectExists) {
    Editor e;
    e.t->editor.mode = kModeStart;
    const int undo = e.t->history.undoCount;
    e.click(0, 0);
    e.input.middleDown(e.at(0, 0));
    e.input.move(e.at(50, 50));
    EXPECT_FALSE(e.input.escape());
    EXPECT_EQ(e.t->polygon.count(), 0);
    EXPECT_EQ(e.t->editor.mode, kModeStart);
    EXPECT_FALSE(e.t->editor.dragging);
    EXPECT_EQ(e.t->view.panX, 0);
    EXPECT_EQ(e.t->history.undoCount, undo);
}

// ---- entering and closing ------------------------------------------------------------------------

TEST(EnteringPoints, AClickWithinTenCentimetresOfAPointClosesTheOutline) {
    Editor e;
    e.click(0, 0);
    e.click(300, 0);
    e.click(300, 200);
    e.click(5, 8.5); // 9.86 cm from A
    ASSERT_EQ(e.t->polygon.count(), 3);
    EXPECT_TRUE(e.t->polygon.defined);
    EXPECT_EQ(e.t->editor.mode, kModeDiagonals);
    ASSERT_EQ(e.t->diagonals.count(), 3);
    for (const Diagonal& d : e.t->diagonals) {
        EXPECT_EQ(d.length, 0);
        EXPECT_TRUE(d.isSide);
    }
    EXPECT_EQ(e.window.shownRecords, std::vector<int>{0}) << "the panel's input names the first side";
    EXPECT_GT(e.t.views.trees, 0);
    EXPECT_GT(e.t.views.figures, 0);
    EXPECT_EQ(e.t->editor.currentDiagonal, -1) << "the refresh at the end forgets the selection";
}

TEST(EnteringPoints, TenCentimetresExactlyStillClosesAndTheEleventhEntersAPoint) {
    Editor e;
    for (auto [x, y] : {std::pair{0.0, 0.0}, {300.0, 0.0}, {300.0, 200.0}})
        e.click(x, y);
    e.click(311, 200);
    EXPECT_EQ(e.t->polygon.count(), 4) << "11 cm away: a new point";
    EXPECT_FALSE(e.t->polygon.defined);
    e.click(0, 10);
    EXPECT_TRUE(e.t->polygon.defined);
    EXPECT_EQ(e.t->polygon.count(), 4);
}

TEST(EnteringPoints, AClickOnAPointOfAnOutlineOfTwoPointsNeitherEntersNorCloses) {
    Editor e;
    e.click(0, 0);
    e.click(300, 0);
    e.click(3, 3);
    EXPECT_EQ(e.t->polygon.count(), 2);
    EXPECT_FALSE(e.t->polygon.defined);
    EXPECT_EQ(e.t->editor.mode, kModePoints);
    e.click(300, 300);
    EXPECT_EQ(e.t->polygon.count(), 3) << "the outline can still be completed";
}

TEST(EnteringPoints, AtFiveCentimetresPerPixelTheVertexToleranceIsTwoPixels) {
    Editor e;
    e.t->view.scaleX = e.t->view.scaleY = 5;
    e.square();
    e.t->editor.pointTool = 0;
    // One pixel right of C (300, 300): 5 cm away, a hit; three pixels: 15 cm, none.
    e.input.leftDown({400 + 60 + 1, 300 + 60, false, kWidth, kHeight});
    EXPECT_EQ(e.t->editor.mode, kModeDragVertex);
    EXPECT_EQ(e.t->editor.draggedVertex, 2);
    e.input.leftUp({400 + 60 + 1, 300 + 60, false, kWidth, kHeight});
    EXPECT_EQ(e.t->editor.mode, kModePoints);
    e.input.leftDown({400 + 60 + 3, 300 + 60, false, kWidth, kHeight});
    EXPECT_EQ(e.t->editor.mode, kModePoints);
}

// ---- dragging ------------------------------------------------------------------------------------

TEST(DraggingPoints, TheVertexFollowsTheMouseAndTheSwitchesDecideWhichLengthsAreRewritten) {
    Editor e;
    e.square();
    putDiagonal(*e.t, 0, 2, 424.26);
    for (Diagonal& d : e.t->diagonals)
        if (isSideRecord(*e.t, d)) d.length = 300;
    e.t->view.snapToGrid = true;
    e.input.leftDown(e.at(302, 303));
    ASSERT_EQ(e.t->editor.mode, kModeDragVertex);
    e.input.move(e.at(331, 317));
    EXPECT_EQ(e.t->polygon.at(2).x, 331) << "not snapped while moving";
    EXPECT_EQ(e.t->polygon.at(2).y, 317);
    EXPECT_EQ(e.t->diagonals.at(findDiagonal(*e.t, 0, 2)).length, actualLength(*e.t, e.t->diagonals.at(4)))
        << "diagonals follow the drawing by default";
    EXPECT_EQ(e.t->diagonals.at(findDiagonal(*e.t, 1, 2)).length, 300)
        << "sides keep their lengths by default";

    e.t->dragUpdatesSides = true;
    e.t->dragUpdatesDiagonals = false;
    e.input.move(e.at(329, 322));
    const double diagonalBefore = e.t->diagonals.at(findDiagonal(*e.t, 0, 2)).length;
    e.input.leftUp(e.at(329, 322));
    EXPECT_EQ(e.t->polygon.at(2).x, 320) << "the release snaps";
    EXPECT_EQ(e.t->polygon.at(2).y, 320);
    EXPECT_EQ(e.t->diagonals.at(findDiagonal(*e.t, 1, 2)).length, 320.62)
        << "the side follows the snapped point";
    EXPECT_EQ(e.t->diagonals.at(findDiagonal(*e.t, 0, 2)).length, diagonalBefore);
    EXPECT_EQ(e.t->editor.mode, kModePoints);
}

TEST(DraggingPoints, OneUndoTakesTheWholeDragBack) {
    Editor e;
    e.square();
    e.t->takeSnapshot();
    e.input.leftDown(e.at(300, 300));
    for (int step = 1; step <= 10; ++step)
        e.input.move(e.at(300 + step, 300 + step));
    e.input.leftUp(e.at(310, 310));
    ASSERT_EQ(e.t->polygon.at(2).x, 310);
    e.t->undo();
    EXPECT_EQ(e.t->polygon.at(2).x, 300);
    EXPECT_EQ(e.t->polygon.at(2).y, 300);
    EXPECT_EQ(e.t->editor.mode, kModePoints) << "no undo state is caught in the middle of a drag";
    e.click(-100, -100);
    EXPECT_EQ(e.t->polygon.count(), 4);
    e.input.leftDown(e.at(0, 0));
    EXPECT_EQ(e.t->editor.mode, kModeDragVertex) << "the editor still answers the mouse";
}

TEST(DraggingPoints, UndoRedoUndoOfADragStepsBackAndForth) {
    Editor e;
    e.square();
    e.input.leftDown(e.at(300, 300));
    e.input.move(e.at(330, 330));
    e.input.leftUp(e.at(330, 330));
    EXPECT_EQ(e.t->editor.draggedVertex, -1) << "the drag is over";
    e.t->undo();
    ASSERT_EQ(e.t->polygon.at(2).x, 300);
    e.t->redo();
    ASSERT_EQ(e.t->polygon.at(2).x, 330);
    e.t->undo();
    EXPECT_EQ(e.t->polygon.at(2).x, 300);
}

TEST(DraggingPoints, ADragModeReadBackFromAFileIsThePointTool) {
    Editor e;
    e.square();
    e.t->editor.mode = kModeDragVertex;
    e.input.leftDown(e.at(300, 0));
    EXPECT_EQ(e.t->editor.mode, kModeDragVertex);
    EXPECT_EQ(e.t->editor.draggedVertex, 1);
    e.input.leftUp(e.at(300, 0));
    EXPECT_EQ(e.t->editor.mode, kModePoints);
}

TEST(DraggingPoints, AReleaseEndsTheDragEvenWhenTheDraggedVertexWasForgotten) {
    Editor e;
    e.square();
    e.input.leftDown(e.at(0, 0));
    ASSERT_EQ(e.t->editor.mode, kModeDragVertex);
    e.t->refreshFigures(); // an undo or another refresh during the drag
    e.input.move(e.at(50, 50));
    e.input.leftUp(e.at(50, 50));
    EXPECT_EQ(e.t->editor.mode, kModePoints);
    EXPECT_EQ(e.t->polygon.at(0).x, 0);
}

TEST(DraggingPoints, TheCursorShowsWhereAVertexCanBeTaken) {
    Editor e;
    e.square();
    e.input.move(e.at(150, 150));
    EXPECT_EQ(e.window.shape, CursorShape::Arrow);
    e.input.move(e.at(296, 3));
    EXPECT_EQ(e.window.shape, CursorShape::OverVertex);
    EXPECT_NEAR(e.window.cursor.first, 296, 1e-9) << "the panel shows the cursor's drawing position";
    e.input.move(e.at(150, 150));
    EXPECT_EQ(e.window.shape, CursorShape::Arrow);
}

// ---- inserting and deleting -------------------------------------------------------------------------

TEST(InsertingPoints, AClickOnASideSplitsItAndAClickNearAVertexDoesNot) {
    Editor e;
    e.square();
    e.t->editor.pointTool = 1;
    e.click(150, 3);
    ASSERT_EQ(e.t->polygon.count(), 5);
    EXPECT_EQ(e.t->polygon.at(1).x, 150);
    EXPECT_EQ(e.t->polygon.at(1).y, 3);
    EXPECT_GE(findDiagonal(*e.t, 0, 1), 0);
    EXPECT_GE(findDiagonal(*e.t, 1, 2), 0);
    e.click(297, 5); // within 10 cm of B
    EXPECT_EQ(e.t->polygon.count(), 5);
    e.click(150, 150); // on no side
    EXPECT_EQ(e.t->polygon.count(), 5);
    e.click(-2, 150); // the closing side DA
    ASSERT_EQ(e.t->polygon.count(), 6);
    EXPECT_EQ(e.t->polygon.at(5).x, -2) << "a point on the closing side goes after the last vertex";
}

TEST(DeletingPoints, AClickOnAVertexDeletesItAndTheRingStaysClosed) {
    Editor e;
    e.square();
    e.t->editor.pointTool = 3;
    e.click(298, 2);
    ASSERT_EQ(e.t->polygon.count(), 3);
    EXPECT_GE(findDiagonal(*e.t, 0, 1), 0) << "A and C are joined";
    EXPECT_TRUE(e.t->polygon.defined);
    e.click(150, 150);
    EXPECT_EQ(e.t->polygon.count(), 3) << "a click on nothing deletes nothing";
}

TEST(DeletingPoints, BelowThreePointsTheOutlineCanBeEnteredAgain) {
    Editor e;
    setOutline(*e.t, {{0, 0}, {300, 0}, {300, 300}});
    e.t->editor.pointTool = 3;
    e.click(300, 300);
    EXPECT_EQ(e.t->polygon.count(), 2);
    EXPECT_FALSE(e.t->polygon.defined);
    e.t->editor.pointTool = 0;
    e.click(0, 300);
    EXPECT_EQ(e.t->polygon.count(), 3);
}

// ---- diagonals ---------------------------------------------------------------------------------------

TEST(PickingDiagonals, TwoVerticesMakeADiagonalOfTheDrawnLengthAndTheFirstStaysPicked) {
    Editor e;
    e.square();
    e.t->editor.mode = kModeDiagonals;
    e.click(1, 1);
    EXPECT_EQ(e.t->editor.pendingVertex, 0);
    e.click(299, 301);
    const int ac = findDiagonal(*e.t, 0, 2);
    ASSERT_GE(ac, 0);
    EXPECT_EQ(e.t->diagonals.at(ac).length, 424.26);
    EXPECT_EQ(e.t->editor.currentDiagonal, ac);
    EXPECT_EQ(e.window.shownRecords.back(), ac);
    e.click(300, 0); // A is still picked: AB is a side and already there
    EXPECT_EQ(e.t->diagonals.count(), 5);
    EXPECT_EQ(e.t->editor.currentDiagonal, findDiagonal(*e.t, 0, 1));
}

TEST(PickingDiagonals, TheSamePointTwiceMakesNothing) {
    Editor e;
    e.square();
    e.t->editor.mode = kModeDiagonals;
    e.click(0, 0);
    e.click(2, 2);
    EXPECT_EQ(e.t->diagonals.count(), 4);
    EXPECT_EQ(findDiagonal(*e.t, 0, 0), -1);
}

TEST(SelectingDiagonals, AClickOnARecordNamesItInThePanelOrDeletesIt) {
    Editor e;
    e.square();
    const int ac = putDiagonal(*e.t, 0, 2, 424.26);
    e.t->editor.mode = kModeDiagonals;
    e.t->editor.diagonalTool = 1;
    e.click(150, 152);
    EXPECT_EQ(e.window.shownRecords, std::vector<int>{ac});
    EXPECT_EQ(e.t->diagonals.count(), 5);
    e.click(100, 300); // the side CD
    EXPECT_EQ(e.window.shownRecords.back(), findDiagonal(*e.t, 2, 3));

    e.t->editor.diagonalTool = 2;
    e.click(150, 152);
    EXPECT_EQ(findDiagonal(*e.t, 0, 2), -1);
    EXPECT_EQ(e.t->diagonals.count(), 4);
    e.click(150, 100); // nothing there
    EXPECT_EQ(e.t->diagonals.count(), 4);
}

// ---- panning and zooming ----------------------------------------------------------------------------------

TEST(Panning, TheLeftButtonPansWhilePanningIsOnAndDoesNothingElse) {
    Editor e;
    e.square();
    e.t->editor.dragging = true;
    e.input.leftDown({100, 100, false, kWidth, kHeight});
    e.input.move({130, 90, false, kWidth, kHeight});
    e.input.move({140, 95, false, kWidth, kHeight});
    EXPECT_EQ(e.t->view.panX, -40);
    EXPECT_EQ(e.t->view.panY, -5);
    e.input.leftUp({140, 95, false, kWidth, kHeight});
    e.input.move({200, 200, false, kWidth, kHeight});
    EXPECT_EQ(e.t->view.panX, -40) << "no button, no pan";
    EXPECT_EQ(e.t->polygon.count(), 4);
    EXPECT_EQ(e.window.shape, CursorShape::Pan);
}

// The offset may come from a project file at the end of the int range: panning further keeps
// it there instead of wrapping round.
TEST(Panning, AnOffsetAtTheEndOfTheIntRangeStaysThere) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    Editor e;
    e.square();
    e.t->editor.dragging = true;
    e.t->view.panX = kMax;
    e.t->view.panY = kMin;
    e.input.leftDown({100, 100, false, kWidth, kHeight});
    e.input.move({50, 50, false, kWidth, kHeight});
    EXPECT_EQ(e.t->view.panX, kMax);
    EXPECT_EQ(e.t->view.panY, kMin);
    e.input.move({60, 60, false, kWidth, kHeight});
    EXPECT_EQ(e.t->view.panX, kMax - 10);
    EXPECT_EQ(e.t->view.panY, kMin + 10);
}

TEST(Panning, TheMiddleButtonPansAndGivesTheModeAndSwitchBack) {
    Editor e;
    e.square();
    e.t->editor.mode = kModeDiagonals;
    e.input.middleDown({400, 300, false, kWidth, kHeight});
    EXPECT_TRUE(e.t->editor.dragging);
    e.input.move({380, 320, false, kWidth, kHeight});
    EXPECT_EQ(e.t->view.panX, 20);
    EXPECT_EQ(e.t->view.panY, 20);
    e.input.middleUp({380, 320, false, kWidth, kHeight});
    EXPECT_FALSE(e.t->editor.dragging);
    EXPECT_EQ(e.t->editor.mode, kModeDiagonals);
    EXPECT_EQ(e.t->diagonals.count(), 4) << "panning picks nothing";
}

TEST(Wheel, ANotchAwayZoomsInByATenthAndOneTowardsAndOneAwayLeave99Percent) {
    Editor e;
    e.square();
    const int undo = e.t->history.undoCount;
    e.input.wheel(120);
    EXPECT_FLOAT_EQ(e.t->view.scaleX, 0.9f);
    EXPECT_GT(e.t->history.undoCount, undo) << "zooming can be undone";
    e.input.wheel(-120);
    EXPECT_FLOAT_EQ(e.t->view.scaleX, 0.99f);
    EXPECT_FLOAT_EQ(e.t->view.scaleY, 0.99f);
    e.input.wheel(-240);
    EXPECT_FLOAT_EQ(e.t->view.scaleX, 0.99f * 1.2f);
    e.input.wheel(2400); // a factor below zero would turn the drawing inside out
    EXPECT_FLOAT_EQ(e.t->view.scaleX, 0.99f * 1.2f);
}

// ---- the ruler ------------------------------------------------------------------------------------

TEST(Ruler, EscapeWithOnePointLeavesForPanningAndWithMoreClearsTheRuler) {
    Editor e;
    e.square();
    e.t->editor.mode = kModeRuler;
    e.input.move(e.at(50, 50));
    ASSERT_EQ(e.t->editor.rulerPoints.count(), 1);
    e.input.leftDown(e.at(50, 50));
    e.input.leftUp(e.at(50, 50));
    e.input.move(e.at(150, 50));
    EXPECT_EQ(e.t->editor.rulerPoints.count(), 2);
    EXPECT_NEAR(rulerLength(*e.t), 0, 1e-12) << "the moving end does not count";
    e.click(150, 50);
    EXPECT_NEAR(rulerLength(*e.t), 1.0, 1e-12);
    EXPECT_TRUE(e.input.escape());
    EXPECT_EQ(e.t->editor.rulerPoints.count(), 0);
    EXPECT_EQ(e.t->editor.mode, kModeRuler);

    e.input.move(e.at(60, 60));
    ASSERT_EQ(e.t->editor.rulerPoints.count(), 1);
    EXPECT_TRUE(e.input.escape());
    EXPECT_EQ(e.t->editor.mode, kModeNoTool);
    EXPECT_TRUE(e.t->editor.dragging);
}

TEST(Ruler, AClickBeforeAnyMoveFixesTheFirstPoint) {
    Editor e;
    e.square();
    e.t->editor.mode = kModeRuler;
    e.click(100, 100);
    e.input.move(e.at(200, 100));
    EXPECT_NEAR(rulerLength(*e.t), 0, 1e-12);
    e.click(200, 100);
    EXPECT_NEAR(rulerLength(*e.t), 1.0, 1e-12);
}

TEST(Ruler, TheMovingEndSnapsToVerticesAndToTheFootOnARecord) {
    Editor e;
    e.square();
    e.t->editor.mode = kModeRuler;
    e.click(150, 100);
    e.input.move(e.at(303, 2));
    EXPECT_EQ(e.t->editor.hoverVertex, 1);
    EXPECT_EQ(e.t->editor.rulerPoints.at(1).x, 300);
    EXPECT_EQ(e.t->editor.rulerPoints.at(1).y, 0);

    // From (150, 100) the perpendicular onto the side BC (x = 300) lands at (300, 100).
    e.input.move(e.at(302, 103));
    EXPECT_EQ(e.t->editor.hoverVertex, -1);
    EXPECT_EQ(e.t->editor.hoverDiagonal, findDiagonal(*e.t, 1, 2));
    EXPECT_NEAR(e.t->editor.rulerPoints.at(1).x, 300, 1e-9);
    EXPECT_NEAR(e.t->editor.rulerPoints.at(1).y, 100, 1e-9);
    EXPECT_NEAR(e.t->editor.hoverFoot.y, 100, 1e-9);

    e.input.move(e.at(250, 140));
    EXPECT_EQ(e.t->editor.hoverDiagonal, -1);
    EXPECT_EQ(e.t->editor.rulerPoints.at(1).x, 250) << "no snap: the end follows the mouse";
}
