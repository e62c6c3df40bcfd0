#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "editor/corner_labels.h"
#include "editor/display_frame.h"
#include "editor/print_size.h"
#include "editor/world_to_output.h"
#include "model/ceiling.h"
#include "model/geometry.h"
#include "model/settings.h"
#include "model/working_outline.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

struct ScreenView : TestDocument {
    ScreenView() {
        doc->view.viewWidth = 800;
        doc->view.viewHeight = 600;
    }
};

} // namespace

TEST(WorldToOutput, ScreenPutsTheOriginInTheMiddleOfTheView) {
    ScreenView v;
    const OutputTransform t = OutputTransform::screen(*v, false);
    EXPECT_EQ(t.toOutput(0, 0), (Point{400, 300}));
    EXPECT_EQ(t.toOutput(100, 50), (Point{500, 350}));
    EXPECT_EQ(worldToOutput(100, 50, nullptr, false, *v, nullptr, false), (Point{500, 350}));
}

TEST(WorldToOutput, ScreenTruncatesTheZoomedCoordinateBeforeAddingPanAndHalfTheView) {
    ScreenView v;
    v->view.scaleX = v->view.scaleY = 2.0f;
    v->view.panX = 10;
    v->view.panY = -20;
    v->view.viewWidth = 801; // the half is an integer division
    const OutputTransform t = OutputTransform::screen(*v, false);
    EXPECT_EQ(t.toOutput(101, 51), (Point{400 + 50 - 10, 300 + 25 - 20}));
    EXPECT_EQ(t.toOutput(-101, -51), (Point{400 - 50 - 10, 300 - 25 - 20}));
    const ExactPoint e = t.exact(101, 51);
    EXPECT_DOUBLE_EQ(e.x, 400 + 50.5 - 10);
    EXPECT_DOUBLE_EQ(e.y, 300 + 25.5 - 20);
}

// The view offset and size come from the project file as any int: the origin is found without
// overflow, exactly where it is not a pixel, and clamped where it is.
TEST(WorldToOutput, ScreenOfAnOffsetAtTheEndOfTheIntRangeClampsTheOrigin) {
    ScreenView v;
    v->view.panX = std::numeric_limits<std::int32_t>::min();
    v->view.panY = std::numeric_limits<std::int32_t>::max();
    const OutputTransform t = OutputTransform::screen(*v, false);
    EXPECT_EQ(t.toOutput(0, 0),
              (Point{std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::max()}));
    const ExactPoint e = t.exact(0, 0);
    EXPECT_DOUBLE_EQ(e.x, 400.0 + 2147483648.0);
    EXPECT_DOUBLE_EQ(e.y, 300.0 + 2147483647.0);
    v->view.viewWidth = std::numeric_limits<std::int32_t>::min();
    v->view.panX = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(OutputTransform::screen(*v, true).toOutput(0, 0).x, std::numeric_limits<std::int32_t>::min());
}

TEST(WorldToOutput, MirroredScreenTurnsXAroundTheMiddle) {
    ScreenView v;
    v->view.panX = 5;
    const OutputTransform t = OutputTransform::screen(*v, true);
    EXPECT_EQ(t.toOutput(100, 50), (Point{400 - 100 - 5, 350}));
}

TEST(WorldToOutput, AWideBoxFillsTheTargetsWidth) {
    const OutputBox box{0, 0, 200, 50};
    const OutputTransform t = OutputTransform::target(box, {10, 20, 410, 320}, false);
    EXPECT_FALSE(t.fitsHeight());
    EXPECT_DOUBLE_EQ(t.scale(), 2.0);
    EXPECT_EQ(t.toOutput(0, 0), (Point{10, 20}));
    EXPECT_EQ(t.toOutput(200, 50), (Point{410, 120}));
    // Mirrored, the right end of the box lands at the left of the target.
    const OutputTransform m = OutputTransform::target(box, {10, 20, 410, 320}, true);
    EXPECT_EQ(m.toOutput(200, 0), (Point{10, 20}));
    EXPECT_EQ(m.toOutput(0, 0), (Point{410, 20}));
}

TEST(WorldToOutput, ATallBoxFillsTheHeightAndIsCentredAcross) {
    const OutputBox box{-50, -100, 50, 100};
    const OutputTransform t = OutputTransform::target(box, {0, 0, 400, 200}, false);
    EXPECT_TRUE(t.fitsHeight());
    EXPECT_DOUBLE_EQ(t.scale(), 1.0);
    // 300 pixels are left over across; the drawing moves right by half of them.
    EXPECT_EQ(t.toOutput(-50, -100), (Point{150, 0}));
    EXPECT_EQ(t.toOutput(50, 100), (Point{250, 200}));
    // Without the origin the rectangle's corner is left out, the centring is not.
    EXPECT_EQ(OutputTransform::target(box, {100, 100, 500, 300}, false, false).toOutput(-50, -100),
              (Point{150, 0}));
}

TEST(WorldToOutput, ABoxWithoutExtentPutsEverythingAtTheCorner) {
    const OutputTransform t = OutputTransform::target(OutputBox{}, {7, 9, 100, 100}, false);
    EXPECT_EQ(t.toOutput(123, -45), (Point{7, 9}));
    EXPECT_EQ(t.scale(), 0.0);
    // A box that is a line still fits along its length.
    EXPECT_DOUBLE_EQ(OutputTransform::target({0, 5, 100, 5}, {0, 0, 200, 200}, false).scale(), 2.0);
    EXPECT_DOUBLE_EQ(OutputTransform::target({5, 0, 5, 100}, {0, 0, 200, 100}, false).scale(), 1.0);
}

TEST(PrintSize, KeepsScreenSizesAtTheReferenceAndScalesOtherwise) {
    for (double f : {0.0, 1.0, 2.5})
        EXPECT_EQ(printSize(11, 0, 0, f), 11);
    EXPECT_EQ(printSize(11, 3000, 2000, 0), 22); // 22.76 truncated
    EXPECT_EQ(printSize(1, 700, 500, 0), 1);     // never below one pixel
    EXPECT_EQ(printSize(11, 1450, 1000, 0), 11);
    EXPECT_EQ(printSize(11, 1000, 2900, 1.5), 33);
    EXPECT_EQ(printSize(730, 2100, 2970, 1), 1495);
    EXPECT_EQ(printSize(800, 2100, 2970, 1), 1638);
    EXPECT_EQ(printSize(25, 2100, 2970, 1), 51);
}

TEST(TextAngle, TextNeverReadsUpsideDown) {
    const Vertex o = makeVertex(0, 0);
    // Left to right: unturned. Right to left: turned by π from the segment's own direction,
    // which reads the same way as left to right.
    EXPECT_EQ(escapementTruncated(textAngle(o, makeVertex(100, 0), false)), 0);
    EXPECT_EQ(escapementTruncated(textAngle(makeVertex(100, 0), o, false)), 0);
    // Going up the screen (y down) the text reads upwards: 90°; going down, also upwards.
    EXPECT_EQ(escapementRounded(textAngle(o, makeVertex(0, -100), false)), 900);
    EXPECT_EQ(escapementRounded(textAngle(o, makeVertex(0, 100), false)), 900);
    // Up and to the right at 45°, whichever end comes first.
    EXPECT_EQ(escapementRounded(textAngle(o, makeVertex(100, -100), false)), 450);
    EXPECT_EQ(escapementRounded(textAngle(makeVertex(100, -100), o, false)), 450);
    // Down and to the right at 30° reads down to the right: 330°.
    EXPECT_EQ(escapementRounded(textAngle(o, makeVertex(std::cos(kPi / 6), std::sin(kPi / 6)), false)), 3300);
    // Mirrored, that segment shows down to the left, and the text reads up to the right.
    EXPECT_EQ(escapementRounded(textAngle(o, makeVertex(std::cos(kPi / 6), std::sin(kPi / 6)), true)), 300);
}

TEST(CornerLabels, NamesGoOutsideAndAnglesInsideTheCorner) {
    // The top-left corner of a clockwise square (y down): its inside lies down and to the right.
    const Vertex p = makeVertex(0, 0), previous = makeVertex(0, 100), next = makeVertex(100, 0);
    const Vertex inside = cornerLabelPoint(p, previous, next, 10, LabelSide::Inside);
    const Vertex outside = cornerLabelPoint(p, previous, next, 10, LabelSide::Outside);
    EXPECT_NEAR(inside.x, 10 / std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(inside.y, 10 / std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(outside.x, -10 / std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(outside.y, -10 / std::sqrt(2.0), 1e-9);
    // A straight corner on the top side takes the perpendicular: the name above, the angle below.
    const Vertex straight = cornerLabelPoint(p, makeVertex(-50, 0), next, 10, LabelSide::Outside);
    EXPECT_NEAR(straight.x, 0, 1e-9);
    EXPECT_NEAR(straight.y, -10, 1e-9);
    // A point whose neighbours coincide with it still gets a label, above it.
    const Vertex alone = cornerLabelPoint(p, p, p, 10, LabelSide::Outside);
    EXPECT_NEAR(alone.y, -10, 1e-9);
}

TEST(CornerLabels, RadiusIsFifteenOverTheZoomAndGrowsSlowlyBeyondTenCentimetres) {
    EXPECT_DOUBLE_EQ(cornerLabelRadius(1.0f, false), 10 + 15.0 / 7);
    EXPECT_DOUBLE_EQ(cornerLabelRadius(1.0f, true), 30);
    EXPECT_DOUBLE_EQ(cornerLabelRadius(2.0f, false), 7.5);
    EXPECT_DOUBLE_EQ(cornerLabelRadius(2.0f, true), 7.5);
    EXPECT_DOUBLE_EQ(cornerLabelRadius(1.5f, false), 10);
    EXPECT_DOUBLE_EQ(cornerLabelRadius(0.0f, false), 0);
}

TEST(DrawingBox, IsTheWorkingOutlineWidenedByFivePerCent) {
    TestDocument t;
    setOutline(*t, {{0, 0}, {500, 0}, {500, 300}, {0, 300}});
    WorkingOutline outline;
    buildWorkingOutline(*t, false, outline);
    AppSettings settings;
    const DisplayFrame frame = displayFrame(*t, settings, outline, nullptr);
    const OutputBox box = drawingBox(*t, settings, 0, outline, frame);
    EXPECT_DOUBLE_EQ(box.minX, -25);
    EXPECT_DOUBLE_EQ(box.maxX, 525);
    EXPECT_DOUBLE_EQ(box.minY, -15);
    EXPECT_DOUBLE_EQ(box.maxY, 315);
    // Without a measured vertex the box is empty.
    TestDocument empty;
    WorkingOutline none;
    const OutputBox zero = drawingBox(*empty, settings, 0, none, frame);
    EXPECT_EQ(zero.width(), 0);
    EXPECT_EQ(zero.height(), 0);
}

TEST(DrawingBox, TheLayoutDisplayFitsItsTurnedSeamLinesAndPurposeFiveTheSeamLinesWithTheFirstVertex) {
    TestDocument t;
    // A square turned by 90°: its side A→B runs down the screen.
    setOutline(*t, {{0, 0}, {0, 200}, {-200, 200}, {-200, 0}});
    t->seamFrom = 0;
    t->seamTo = 1;
    for (auto [x, y] : std::vector<std::pair<double, double>>{
             {0, 0}, {0, 200}, {-100, 0}, {-100, 200}, {-200, 0}, {-200, 200}})
        t->seamLines.append(makeVertex(x, y));
    t->editor.mode = kModeCutting;
    AppSettings settings;
    WorkingOutline outline;
    buildWorkingOutline(*t, false, outline);
    const DisplayFrame frame = displayFrame(*t, settings, outline, nullptr);
    ASSERT_TRUE(frame.layoutDisplay);
    EXPECT_NEAR(frame.theta, kPi / 2, 1e-12);
    // Turned by −90°, the seams run along x from 0 to 200 at y 0, 100 and 200.
    const OutputBox box = drawingBox(*t, settings, 0, outline, frame);
    EXPECT_NEAR(box.minX, -10, 1e-9);
    EXPECT_NEAR(box.maxX, 210, 1e-9);
    EXPECT_NEAR(box.minY, -10, 1e-9);
    EXPECT_NEAR(box.maxY, 210, 1e-9);
    // Purpose 5 outside the layout display: the seam lines and vertex A, unturned.
    t->editor.mode = kModeNoTool;
    t->polygon.at(0) = makeVertex(300, 0);
    const DisplayFrame plain = displayFrame(*t, settings, outline, nullptr);
    const OutputBox five = drawingBox(*t, settings, 5, outline, plain);
    EXPECT_NEAR(five.maxX, 300 + 25, 1e-9);
    EXPECT_NEAR(five.minX, -200 - 25, 1e-9);
}

TEST(DisplayFrame, SeamDirectionFollowsTheChosenSideOrTheLineBetweenTwoDiagonals) {
    TestDocument t;
    setOutline(*t, {{0, 0}, {100, 100}, {0, 200}, {-100, 100}});
    WorkingOutline outline;
    buildWorkingOutline(*t, false, outline);
    AppSettings settings;
    EXPECT_EQ(seamDirection(*t, settings, outline, nullptr), 0.0); // no side chosen
    t->seamFrom = 0;
    t->seamTo = 1;
    EXPECT_NEAR(seamDirection(*t, settings, outline, nullptr), kPi / 4, 1e-12);
    t->seamPerpendicular = true;
    EXPECT_NEAR(seamDirection(*t, settings, outline, nullptr), 3 * kPi / 4, 1e-12);
    // Two diagonals: the reference line the layout built, "Перпендикулярно" playing no part.
    t->twoDiagonals = true;
    t->seamLineStart = makeVertex(0, 0);
    t->seamLineEnd = makeVertex(0, -10);
    EXPECT_NEAR(seamDirection(*t, settings, outline, nullptr), 3 * kPi / 2, 1e-12);
    settings.dealerMode = true;
    EXPECT_EQ(seamDirection(*t, settings, outline, nullptr), 0.0);
}
