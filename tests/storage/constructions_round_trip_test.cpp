// A project with constructions and cutouts survives saving and loading, and its cutout rows are
// captured again on loading, ready for the next construction.

#include <gtest/gtest.h>

#include "cutting/construction_operations.h"
#include "model/outline_figures.h"
#include "storage/project_image.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

TEST(ConstructionsRoundTrip, ConstructionsAndCutoutsSurviveAndRowsAreCapturedAgain) {
    TestDocument source;
    setOutline(*source, {{0, 0}, {400, 0}, {400, 300}, {0, 300}});
    source->showConstructions = true;
    TZDop arc;
    arc.kind = static_cast<std::int32_t>(TZDopKind::Arc);
    arc.vertex1 = 0;
    arc.vertex2 = 1;
    arc.distance1 = 50;
    arc.distance2 = 150;
    arc.depth = -40;
    arc.extraPoints = 3;
    addConstruction(*source, arc);
    TZHole circle;
    circle.type = static_cast<std::int32_t>(TZHoleType::Circle);
    circle.mode = static_cast<std::int32_t>(TZHoleMode::Top);
    circle.size1 = 60;
    circle.pointCount = 12;
    circle.angleFrom = 30;
    circle.angleTo = 200;
    TZHoleDiagonal r;
    r.vertex1 = 7; // C in the outline with the arc's five points
    r.vertex2 = 8; // D
    r.distance1 = 150;
    r.distance2 = 310;
    circle.rows.append(r);
    addCutout(*source, circle);
    const ConstructionFigures before = constructionFigures(*source, true);

    TZDynamicMemory stream(TZCeiling::kStreamGrowBy);
    saveToStream(*source, stream);
    TestDocument target;
    bool currentFormat = false;
    ASSERT_TRUE(loadFromStream(*target, stream, currentFormat));
    EXPECT_TRUE(currentFormat);

    ASSERT_EQ(target->dops.count(), 1);
    EXPECT_EQ(target->dops.at(0).extraPoints, 3);
    EXPECT_DOUBLE_EQ(target->dops.at(0).depth, -40);
    ASSERT_EQ(target->holes.count(), 1);
    const TZHole& h = target->holes.at(0);
    EXPECT_EQ(h.pointCount, 12);
    EXPECT_EQ(h.angleFrom, 30);
    EXPECT_EQ(h.angleTo, 200);
    ASSERT_EQ(h.rows.count(), 1);
    EXPECT_EQ(h.rows.at(0).point1.measuredVertex, 2); // captured again: C and D
    EXPECT_EQ(h.rows.at(0).point2.measuredVertex, 3);
    ASSERT_EQ(target->dopHoleOrder.count(), 2);
    EXPECT_EQ(target->dopHoleOrder.at(1).type, kOrderCutout);

    const ConstructionFigures after = constructionFigures(*target, true);
    EXPECT_DOUBLE_EQ(after.netArea(), before.netArea());
    EXPECT_DOUBLE_EQ(after.outlinePerimeter + after.cutoutsPerimeter,
                     before.outlinePerimeter + before.cutoutsPerimeter);
    EXPECT_LT(after.netArea(), 12.0 + 0.4); // the arc adds, the cutout takes away

    // The loaded rows follow their vertices when the next construction renumbers the outline.
    TZDop cut;
    cut.kind = static_cast<std::int32_t>(TZDopKind::CornerCut);
    cut.vertex2 = 0;
    cut.distance1 = cut.distance2 = 20;
    addConstruction(*target, cut);
    EXPECT_EQ(target->holes.at(0).rows.at(0).vertex1, 8);
    EXPECT_EQ(target->holes.at(0).rows.at(0).vertex2, 9);
}

} // namespace
