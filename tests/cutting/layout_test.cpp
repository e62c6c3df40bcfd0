// The cutting layout: seam lines, crossings, canvas lengths and the material quantity.

#include <gtest/gtest.h>

#include <cmath>

#include "cutting/layout.h"
#include "model/cutout.h"
#include "model/geometry.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

constexpr double kRoll = 320;
constexpr double kTension = 0.93;
const double kPitch = kRoll / kTension; // ≈ 344.09

Material fabric(double width = kRoll, double tension = kTension) {
    Material m;
    m.width = width;
    m.tensionCoef = tension;
    m.offcutPriceCoef = 1.0;
    return m;
}

class LayoutTest : public ::testing::Test {
  protected:
    // The 500 × 400 room with A at the origin and AB along x; the room lies on the positive y side.
    void SetUp() override {
        setOutline(*doc, {{0, 0}, {500, 0}, {500, 400}, {0, 400}});
        doc->seamFrom = 0;
        doc->seamTo = 1;
    }
    LayoutOutcome layOut(bool withTension = false, const Material& m = fabric()) {
        return layoutCanvases(*doc, m, false, withTension);
    }
    int lineCount() { return doc->seamLines.count() / 2; }
    // The line (two points) that passes through p, or −1.
    int lineThrough(const Vertex& p) {
        for (int i = 0; i + 1 < doc->seamLines.count(); i += 2) {
            const Vertex& a = doc->seamLines.at(i);
            const Vertex& b = doc->seamLines.at(i + 1);
            const double cross = (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
            if (std::fabs(cross) / std::max(1e-9, distance(a, b)) < 1e-6) return i / 2;
        }
        return -1;
    }
    TestDocument doc{true};
};

TEST_F(LayoutTest, RectangleAlongItsFirstSide) {
    doc->editor.hoverCanvas = 2;
    ASSERT_EQ(layOut(), LayoutOutcome::LaidOut);
    EXPECT_EQ(doc->editor.hoverCanvas, -1);
    ASSERT_EQ(lineCount(), 3);
    EXPECT_NEAR(doc->seamLines.at(0).y, 2 * kPitch, 1e-9);
    EXPECT_NEAR(doc->seamLines.at(2).y, kPitch, 1e-9);
    EXPECT_NEAR(doc->seamLines.at(4).y, 0, 1e-9);
    EXPECT_NEAR(2 * kPitch, 688.17, 0.005);
    // Every line but the last is trimmed to its canvas; the last keeps the outline's width.
    for (int i = 0; i < 6; i += 2) {
        EXPECT_NEAR(doc->seamLines.at(i).x, 0, 1e-9);
        EXPECT_NEAR(doc->seamLines.at(i + 1).x, 500, 1e-9);
    }
    ASSERT_EQ(doc->canvasLengths.count(), 2);
    EXPECT_NEAR(doc->canvasLengths.at(0), 500, 1e-9);
    EXPECT_NEAR(doc->canvasLengths.at(1), 500, 1e-9);
    EXPECT_NEAR(doc->canvasLengthTotal, 1000, 1e-9);
    EXPECT_NEAR(doc->materialQuantity, 34.41, 0.005);
    EXPECT_NEAR(doc->materialQuantity, kPitch * 1000 / 10000, 1e-9);
    EXPECT_NEAR(doc->offcuts, doc->materialQuantity - 20.0, 1e-9);
    // The middle seam crosses the sides BC and DA; the side AB lies on the lowest seam, and its
    // ends are corners, not crossings.
    // Crossings are computed from frame coordinates rounded to four decimals.
    ASSERT_EQ(doc->addPoints.count(), 2);
    EXPECT_NEAR(doc->addPoints.at(0).point.x, 500, 1e-9);
    EXPECT_NEAR(doc->addPoints.at(0).point.y, 344.086, 1e-9);
    EXPECT_EQ(doc->addPoints.at(0).edgeStart.x, 500);
    EXPECT_EQ(doc->addPoints.at(0).edgeEnd.y, 400);
    EXPECT_NEAR(doc->addPoints.at(1).point.x, 0, 1e-9);
    EXPECT_EQ(doc->addPoints.at(1).mark, 0);
    EXPECT_EQ(doc->seamLineStart.x, 0);
    EXPECT_EQ(doc->seamLineEnd.x, 500);
    EXPECT_GE(doc.views.figures, 1);

    // With the material counted as stretched, both figures are multiplied by k·k.
    ASSERT_EQ(layOut(true), LayoutOutcome::LaidOut);
    EXPECT_NEAR(doc->materialQuantity, 29.76, 0.005);
    EXPECT_NEAR(doc->offcuts, (kPitch * 0.1 - 20.0) * kTension * kTension, 1e-9);
}

TEST_F(LayoutTest, OffsetShiftsTheGridAtRightAnglesToTheSide) {
    doc->seamOffset = 100;
    ASSERT_EQ(layOut(), LayoutOutcome::LaidOut);
    ASSERT_GE(lineThrough(makeVertex(250, 100)), 0);
    EXPECT_EQ(lineThrough(makeVertex(250, 0)), -1);
}

TEST_F(LayoutTest, PerpendicularSeamsStartFromTheSecondPoint) {
    doc->seamPerpendicular = true;
    ASSERT_EQ(layOut(), LayoutOutcome::LaidOut);
    EXPECT_GE(lineThrough(makeVertex(500, 0)), 0); // through B
    EXPECT_EQ(lineThrough(makeVertex(0, 0)), -1);
    ASSERT_EQ(doc->canvasLengths.count(), 2);
    EXPECT_NEAR(doc->canvasLengths.at(0), 400, 1e-9);
    EXPECT_NEAR(doc->canvasLengths.at(1), 400, 1e-9);

    doc->seamOffset = -500;
    ASSERT_EQ(layOut(), LayoutOutcome::LaidOut);
    EXPECT_GE(lineThrough(makeVertex(0, 0)), 0); // through A
    EXPECT_EQ(lineThrough(makeVertex(500, 0)), -1);
    EXPECT_NEAR(doc->materialQuantity, kPitch * 800 / 10000, 1e-9);
}

TEST_F(LayoutTest, TensionAcrossTheCanvasesSetsThePitchButNotTheQuantityWidth) {
    doc->tensionY = 0.95;
    ASSERT_EQ(layOut(), LayoutOutcome::LaidOut);
    ASSERT_EQ(lineCount(), 3);
    EXPECT_NEAR(doc->seamLines.at(0).y, 2 * kRoll / 0.95, 1e-9);
    EXPECT_NEAR(doc->materialQuantity, kRoll / kTension * 1000 / 10000, 1e-9);
    ASSERT_EQ(layOut(true), LayoutOutcome::LaidOut);
    EXPECT_NEAR(doc->materialQuantity, kRoll / kTension * 0.1 * 0.95 * kTension, 1e-9);
}

TEST_F(LayoutTest, ASliverWithinOneCentimetreOpensNoCanvas) {
    setOutline(*doc, {{0, 0}, {500, 0}, {500, kPitch + 0.5}, {0, kPitch + 0.5}});
    ASSERT_EQ(layOut(), LayoutOutcome::LaidOut);
    EXPECT_EQ(lineCount(), 2);
    EXPECT_EQ(doc->canvasLengths.count(), 1);

    setOutline(*doc, {{0, 0}, {500, 0}, {500, kPitch + 1.5}, {0, kPitch + 1.5}});
    ASSERT_EQ(layOut(), LayoutOutcome::LaidOut);
    EXPECT_EQ(lineCount(), 3);
    ASSERT_EQ(doc->canvasLengths.count(), 2);
    EXPECT_NEAR(doc->canvasLengths.at(0), 500, 1e-9);
}

TEST_F(LayoutTest, AVertexOnASeamIsNoCrossingButCountsForBothCanvases) {
    // C sticks out to the right exactly on the middle seam.
    setOutline(*doc, {{0, 0}, {500, 0}, {600, kPitch}, {500, 400}, {0, 400}});
    ASSERT_EQ(layOut(), LayoutOutcome::LaidOut);
    ASSERT_EQ(doc->addPoints.count(), 1); // on EA only
    EXPECT_EQ(doc->addPoints.at(0).edgeStart.y, 400);
    EXPECT_EQ(doc->addPoints.at(0).edgeEnd.y, 0);
    ASSERT_EQ(doc->canvasLengths.count(), 2);
    EXPECT_NEAR(doc->canvasLengths.at(0), 600, 1e-9);
    EXPECT_NEAR(doc->canvasLengths.at(1), 600, 1e-9);
}

TEST_F(LayoutTest, TheOriginFarBeyondTheCeilingDropsTheSurplusLine) {
    // The grid passes 600 cm below the room: the line under the room goes, the rest is counted.
    doc->seamOffset = -600;
    ASSERT_EQ(layOut(), LayoutOutcome::LaidOut);
    double sum = 0;
    for (double length : doc->canvasLengths) {
        EXPECT_NEAR(length, 500, 1e-9);
        sum += length;
    }
    EXPECT_EQ(doc->canvasLengths.count(), 2);
    EXPECT_NEAR(doc->canvasLengthTotal, sum, 1e-9);
}

TEST_F(LayoutTest, CutoutEdgesAreCrossedToo) {
    doc->showConstructions = true;
    // A free cutout 200..300 × 300..380, across the middle seam.
    TZHole hole;
    hole.type = static_cast<std::int32_t>(TZHoleType::Free);
    const double corners[][2] = {{200, 300}, {300, 300}, {300, 380}, {200, 380}};
    for (const auto& c : corners) {
        TZHoleDiagonal row;
        row.vertex1 = 0;
        row.vertex2 = 1;
        row.distance1 = std::hypot(c[0], c[1]);
        row.distance2 = std::hypot(500 - c[0], c[1]);
        hole.rows.append(row);
    }
    doc->holes.append(hole);
    ASSERT_EQ(layOut(), LayoutOutcome::LaidOut);
    ASSERT_EQ(doc->addPoints.count(), 4);
    EXPECT_NEAR(doc->addPoints.at(2).point.x, 300, 1e-6);
    EXPECT_NEAR(doc->addPoints.at(3).point.x, 200, 1e-6);
    // The canvas lengths stay those of the room; the offcuts grow by the cutout's area.
    EXPECT_NEAR(doc->canvasLengthTotal, 1000, 1e-9);
    EXPECT_NEAR(doc->offcuts, doc->materialQuantity - 20.0 + 0.8, 1e-6);
    // A seam index may name a cutout point (the list continues after the outline).
    doc->seamFrom = 4;
    doc->seamTo = 5;
    EXPECT_EQ(layOut(), LayoutOutcome::LaidOut);
    doc->seamTo = 8;
    EXPECT_EQ(layOut(), LayoutOutcome::SeamNotFound);
    EXPECT_EQ(doc->seamLines.count(), 0);
}

TEST_F(LayoutTest, TwoDiagonalsWithBothOffsetsZeroJoinTheirFirstPoints) {
    doc->twoDiagonals = true;
    doc->seamPerpendicular = true; // ignored in this mode
    doc->seamFrom = 0;             // AC
    doc->seamTo = 2;
    doc->seamFrom2 = 1; // BD
    doc->seamTo2 = 3;
    ASSERT_EQ(layOut(), LayoutOutcome::LaidOut);
    EXPECT_EQ(doc->seamLineStart.x, 0);
    EXPECT_EQ(doc->seamLineStart.y, 0);
    EXPECT_EQ(doc->seamLineEnd.x, 500);
    EXPECT_EQ(doc->seamLineEnd.y, 0);
    EXPECT_NEAR(doc->materialQuantity, kPitch * 0.1, 1e-9); // as along AB
    // With offsets the reference points move along their diagonals.
    doc->seamOffset = std::hypot(250, 200);
    doc->seamOffset2 = std::hypot(250, 200);
    ASSERT_EQ(layOut(), LayoutOutcome::LaidOut);
    EXPECT_NEAR(doc->seamLineStart.x, 250, 1e-9);
    EXPECT_NEAR(doc->seamLineEnd.y, 200, 1e-9);
    // Without a usable second diagonal nothing is laid out.
    doc->seamFrom2 = -1;
    EXPECT_EQ(layOut(), LayoutOutcome::SeamNotFound);
}

TEST_F(LayoutTest, NoPitchOrNoOutlineGivesNoSeamsAndZeroQuantities) {
    ASSERT_EQ(layOut(), LayoutOutcome::LaidOut);
    doc->seamWidth = static_cast<std::int32_t>(kRoll); // the allowance takes the whole roll
    EXPECT_EQ(layOut(), LayoutOutcome::NoCanvases);
    EXPECT_EQ(doc->seamLines.count(), 0);
    EXPECT_EQ(doc->addPoints.count(), 0);
    EXPECT_EQ(doc->canvasLengths.count(), 0);
    EXPECT_EQ(doc->materialQuantity, 0);
    EXPECT_EQ(doc->offcuts, 0);

    doc->seamWidth = 0;
    EXPECT_EQ(layOut(false, fabric(kRoll, 0)), LayoutOutcome::NoCanvases); // no tension
    EXPECT_EQ(layOut(false, fabric(kRoll, std::nan(""))), LayoutOutcome::NoCanvases);

    ASSERT_EQ(layOut(), LayoutOutcome::LaidOut);
    doc->polygon.clear();
    EXPECT_EQ(layOut(), LayoutOutcome::NoCanvases);
    EXPECT_EQ(doc->materialQuantity, 0);
}

TEST_F(LayoutTest, WithoutASideOrARollNothingChanges) {
    ASSERT_EQ(layOut(), LayoutOutcome::LaidOut);
    const double quantity = doc->materialQuantity;
    EXPECT_EQ(layOut(false, fabric(0)), LayoutOutcome::NotStarted);
    EXPECT_EQ(layOut(false, fabric(std::nan(""))), LayoutOutcome::NotStarted);
    doc->seamTo = -1;
    EXPECT_EQ(layOut(), LayoutOutcome::NotStarted);
    EXPECT_EQ(doc->materialQuantity, quantity);
    EXPECT_EQ(lineCount(), 3);
}

TEST_F(LayoutTest, AnAbsurdPitchIsRefusedWithAMessage) {
    setOutline(*doc, {{0, 0}, {1e6, 0}, {1e6, 1e6}, {0, 1e6}});
    EXPECT_EQ(layOut(false, fabric(1)), LayoutOutcome::TooManySeams);
    EXPECT_TRUE(doc.ui.saw(kTooManySeamsMessage));
    EXPECT_EQ(doc->seamLines.count(), 0);
    EXPECT_EQ(doc->materialQuantity, 0);
    // Quietly (as the optimiser runs it) the refusal is not told.
    doc.ui.messages.clear();
    EXPECT_EQ(layoutCanvases(*doc, fabric(1), true, false), LayoutOutcome::TooManySeams);
    EXPECT_TRUE(doc.ui.messages.empty());
    // A pitch that still fits is laid out.
    EXPECT_EQ(layOut(false, fabric(1e6 / kMaxSeamLines * 2)), LayoutOutcome::LaidOut);
    EXPECT_LE(doc->seamLines.count(), 2 * kMaxSeamLines);
}

TEST_F(LayoutTest, TooManyCrossingsAreRefusedWithAMessage) {
    // A comb of 400 teeth across 100 seams crosses them 80,000 times.
    std::vector<std::pair<double, double>> comb{{0, -10}, {4000, -10}};
    for (int i = 399; i >= 0; --i) {
        comb.emplace_back(10.0 * i + 5, 100 * kPitch);
        comb.emplace_back(10.0 * i, 0);
    }
    setOutline(*doc, comb);
    EXPECT_EQ(layOut(), LayoutOutcome::TooManyCrossings);
    EXPECT_TRUE(doc.ui.saw(kTooManyCrossingsMessage));
    EXPECT_EQ(doc->addPoints.count(), 0);
    EXPECT_EQ(doc->seamLines.count(), 0);
}

} // namespace
