// The cutting mode: the "Раскрой фигуры" switch, and the canvases laid out again when a
// construction or cutout changes while the layout is displayed.

#include <gtest/gtest.h>

#include <cmath>

#include "app/command_ids.h"
#include "app/commands.h"
#include "cutting/construction_operations.h"
#include "cutting/cutting_mode.h"
#include "cutting/layout.h"
#include "model/geometry.h"
#include "model/settings.h"
#include "platform/clock.h"
#include "support/fakes.h"
#include "support/rooms.h"

using namespace tenzora;

namespace {

TZDop niche(int v1, int v2, double depth) {
    TZDop d;
    d.kind = static_cast<std::int32_t>(TZDopKind::Rectangle);
    d.vertex1 = v1;
    d.vertex2 = v2;
    d.distance1 = 100;
    d.distance2 = 100;
    d.depth = depth;
    return d;
}

// A circle of diameter 60 around (250, 344) of the 500 × 400 room, across the middle seam.
TZHole circleOnTheSeam() {
    TZHole h;
    h.type = static_cast<std::int32_t>(TZHoleType::Circle);
    h.mode = static_cast<std::int32_t>(TZHoleMode::Centre);
    h.size1 = 60;
    TZHoleDiagonal r;
    r.vertex1 = 0;
    r.vertex2 = 1;
    r.distance1 = std::hypot(250, 344);
    r.distance2 = std::hypot(250, 344);
    h.rows.append(r);
    return h;
}

class RelayoutTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setOutline(*doc, {{0, 0}, {500, 0}, {500, 400}, {0, 400}});
        doc->showConstructions = true;
        doc->seamFrom = 0;
        doc->seamTo = 1;
        doc->material.width = 320;
        doc->material.tensionCoef = 0.93;
        doc->editor.mode = kModeCutting;
        settings.materialWithTension = false;
        doc->setSettings(&settings);
        ASSERT_EQ(layoutCanvases(*doc, doc->material, true, false), LayoutOutcome::LaidOut);
    }
    TestDocument doc{true};
    AppSettings settings;
};

TEST_F(RelayoutTest, ACutoutStoredOrDeletedInTheCuttingModeRelaysTheCanvases) {
    ASSERT_EQ(doc->addPoints.count(), 2);
    const double offcuts = doc->offcuts;
    const int steps = doc->history.undoCount;
    ASSERT_EQ(addCutout(*doc, circleOnTheSeam()), 0);
    EXPECT_EQ(doc->addPoints.count(), 4);         // the middle seam crosses the circle twice
    EXPECT_EQ(doc.views.trees, 2);                // the canvas list is rebuilt after the new layout
    EXPECT_GT(doc->offcuts, offcuts);             // the cutout is offcut now
    EXPECT_EQ(doc->history.undoCount, steps + 1); // one step for the whole change
    ASSERT_TRUE(deleteCutout(*doc, 0));
    EXPECT_EQ(doc->addPoints.count(), 2);
    EXPECT_NEAR(doc->offcuts, offcuts, 1e-9);
}

TEST_F(RelayoutTest, AConstructionChangedInTheCuttingModeRelaysTheCanvases) {
    // A ledge 50 cm out of the side CD (the far side from AB) makes the first canvas taller.
    ASSERT_EQ(addConstruction(*doc, niche(2, 3, -50)), 0);
    EXPECT_NEAR(doc->canvasLengthTotal, 1000, 1e-9); // the ledge stays within the upper canvas
    const double quantity = doc->materialQuantity;
    // The setting the document knows is the one the layout follows.
    settings.materialWithTension = true;
    ASSERT_TRUE(changeConstruction(*doc, 0, niche(2, 3, -400)));
    EXPECT_EQ(doc->canvasLengths.count(), 3);
    EXPECT_NEAR(doc->materialQuantity, 320 / 0.93 * 0.13 * 0.93 * 0.93, 1e-6); // 300 + 500 + 500 cm
    EXPECT_NE(doc->materialQuantity, quantity);
}

TEST_F(RelayoutTest, OutsideTheCuttingModeOrWithoutASideTheLayoutStays) {
    doc->editor.mode = kModePoints;
    addCutout(*doc, circleOnTheSeam());
    EXPECT_EQ(doc->addPoints.count(), 2);
    doc->editor.mode = kModeCutting;
    doc->seamTo = -1;
    addCutout(*doc, circleOnTheSeam());
    EXPECT_EQ(doc->addPoints.count(), 2);
}

class CuttingSwitchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        buildMeasuredRoom(*doc, {{0, 0}, {500, 0}, {500, 400}, {0, 400}}, {L"AC"}, 20);
        registerDocumentCommands(processor.registry());
    }
    TestDocument doc{true};
    AppSettings settings;
    FixedClock clock{LocalTime{}};
    CommandProcessor processor{*doc, settings, clock};
};

TEST_F(CuttingSwitchTest, EntersTheCuttingModeWithTheDialogAndLeavesItForThePoints) {
    doc->editor.dragging = true;
    EXPECT_EQ(processor.execute(cmd::kCutting), CommandOutcome::Done);
    EXPECT_TRUE(doc->outlineFormed); // formed first
    EXPECT_FALSE(doc->editor.dragging);
    EXPECT_EQ(doc->editor.mode, kModeCutting);
    EXPECT_EQ(doc.views.cuttingDialogs, 1);
    const CPolygon placed = doc->polygon;
    const int trees = doc.views.trees;

    toggleCuttingMode(*doc);
    EXPECT_EQ(doc->editor.mode, kModePoints);
    EXPECT_EQ(doc.views.cuttingDialogs, 1);
    EXPECT_GT(doc.views.trees, trees);
    for (int i = 0; i < placed.count(); ++i) {
        EXPECT_EQ(doc->polygon.at(i).x, placed.at(i).x);
        EXPECT_EQ(doc->polygon.at(i).y, placed.at(i).y);
    }
}

} // namespace
