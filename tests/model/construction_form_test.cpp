// What the construction and cutout dialogs show and store, without their widgets.

#include <gtest/gtest.h>

#include "model/construction_form.h"
#include "model/cutout_form.h"

using namespace tenzora;

namespace {

TEST(ConstructionForm, OkTurnsAConstructionGivenBackwardsRoundKeepingEachValueAtItsPoint) {
    ConstructionFields f;
    f.kind = static_cast<std::int32_t>(TZDopKind::Trapezoid);
    f.name1 = L"с"; // Russian layout: the key of C
    f.name2 = L"B";
    f.distance1 = 30; // from C
    f.distance2 = 70; // from B
    f.depth = 10;     // at C
    f.extra = 25;     // second depth, at B
    const TZDop d = recordFromFields(f, TZDop{});
    EXPECT_EQ(d.vertex1, 1);
    EXPECT_EQ(d.vertex2, 2);
    EXPECT_EQ(d.distance1, 70);
    EXPECT_EQ(d.distance2, 30);
    EXPECT_EQ(d.depth, 25);
    EXPECT_EQ(d.depth2, 10);

    // Towards point 0 it is the closing side and stays as given; a bend keeps its chain.
    f.name2 = L"A";
    EXPECT_EQ(recordFromFields(f, TZDop{}).vertex1, 2);
    f.kind = static_cast<std::int32_t>(TZDopKind::Bend);
    f.name2 = L"B";
    const TZDop bend = recordFromFields(f, TZDop{});
    EXPECT_EQ(bend.vertex1, 2);
    EXPECT_EQ(bend.extraPoints, 25);
}

TEST(ConstructionForm, FieldsAndRecordAgree) {
    TZDop arc;
    arc.kind = static_cast<std::int32_t>(TZDopKind::Arc);
    arc.vertex1 = 27;
    arc.vertex2 = 28;
    arc.arcLength = 300;
    arc.extraPoints = 7;
    const ConstructionFields f = fieldsFromRecord(arc);
    EXPECT_EQ(f.name1, L"B1");
    EXPECT_EQ(f.extra, 7);
    const TZDop back = recordFromFields(f, arc);
    EXPECT_EQ(back.vertex1, 27);
    EXPECT_EQ(back.arcLength, 300); // kept: the depth is 0
    ConstructionFields deep = f;
    deep.depth = -5;
    EXPECT_EQ(recordFromFields(deep, arc).arcLength, 0);
    deep.name1 = L"";
    deep.name2 = L"?!";
    EXPECT_EQ(recordFromFields(deep, arc).vertex1, -1);
    EXPECT_EQ(recordFromFields(deep, arc).vertex2, -1);
    deep.extra = 1e20; // not a whole number of any size
    EXPECT_EQ(recordFromFields(deep, arc).extraPoints, 0);
}

TEST(ConstructionForm, DirectionWordAndKindSelection) {
    const auto rect = static_cast<std::int32_t>(TZDopKind::Rectangle);
    const auto bend = static_cast<std::int32_t>(TZDopKind::Bend);
    EXPECT_EQ(directionWord(rect, -5, 0), L"Наружу");
    EXPECT_EQ(directionWord(rect, 5, 0), L"Внутрь");
    EXPECT_EQ(directionWord(bend, 5, 0), L"Наружу");
    EXPECT_EQ(directionWord(rect, 0, -100), L"Наружу");
    EXPECT_EQ(directionWord(rect, 0, 0), L"");

    TZDop d;
    d.extraPoints = 0;
    selectKind(d, static_cast<std::int32_t>(TZDopKind::Arc));
    EXPECT_EQ(d.extraPoints, 5);
    selectKind(d, bend);
    EXPECT_EQ(d.extraPoints, 0);
}

TEST(ConstructionForm, LayoutPerKind) {
    const auto cut = constructionLayout(static_cast<std::int32_t>(TZDopKind::CornerCut), L"", L"A", 4);
    EXPECT_EQ(cut.name1, ControlState::Hidden);
    EXPECT_EQ(cut.vertexLabel2Text, L"Вершина:");
    EXPECT_EQ(cut.distanceLabel1, L"Срез по AD :"); // arriving at A from D, the closing side
    EXPECT_EQ(cut.distanceLabel2, L"Срез по AB :");
    const auto trap = constructionLayout(static_cast<std::int32_t>(TZDopKind::Trapezoid), L"B", L"C", 4);
    EXPECT_EQ(trap.distanceLabel1, L"расстояние от B :");
    EXPECT_EQ(trap.extraLabel, L"Глубина 2:");
    EXPECT_EQ(trap.arcLength, ControlState::Hidden);
    const auto off = constructionLayout(0, L"B", L"C", 4);
    EXPECT_EQ(off.depth, ControlState::Inactive);
    EXPECT_EQ(off.distanceLabel2, L"расстояние до вершины:");
}

TEST(CutoutForm, ModesRowsAndLabelsPerType) {
    const auto rect = static_cast<std::int32_t>(TZHoleType::Rectangle);
    const auto circle = static_cast<std::int32_t>(TZHoleType::Circle);
    const auto free = static_cast<std::int32_t>(TZHoleType::Free);
    ASSERT_EQ(cutoutModes(rect).size(), 4u);
    EXPECT_EQ(cutoutModes(rect)[3].mode, 2);
    EXPECT_EQ(cutoutModes(circle).front().mode, 3);
    EXPECT_TRUE(cutoutModes(free).empty());
    EXPECT_EQ(cutoutModeText(4), L"Верх + диаметр");
    EXPECT_EQ(cutoutRowCount(rect, 2), 3);
    EXPECT_EQ(cutoutRowCount(rect, 9), 2);
    EXPECT_EQ(cutoutRowCount(circle, 6), 1);
    EXPECT_FALSE(cutoutUsesSize(rect, 2));
    EXPECT_EQ(cutoutSizeLabel(static_cast<std::int32_t>(TZHoleType::Ellipse)), L"Диаметр 1:");
    EXPECT_EQ(cutoutGridTop(free), 50);
    EXPECT_EQ(pointCountText(0), L"авто");
    EXPECT_EQ(pointCountFromText(L" 12 "), 12);
    EXPECT_EQ(pointCountFromText(L"авто"), 0);
    EXPECT_EQ(pointCountFromText(L"-3"), 0);
    EXPECT_TRUE(freeCutoutNeedsEmptyRow({{1, 2, 0, 0}, {-1, -1, 5, 0}}));
    EXPECT_FALSE(freeCutoutNeedsEmptyRow({{1, 2, 0, 0}, {-1, -1, 0, 0}}));
}

TEST(CutoutForm, EllipseRecordCarriesItsExtraRowAndComesBack) {
    CutoutFields f;
    f.type = static_cast<std::int32_t>(TZHoleType::Ellipse);
    f.mode = 3;
    f.size1 = 80;
    f.size2 = 40;
    f.parallelSide = L"bc";
    f.turned = true;
    f.pointCount = 12;
    TZHoleDiagonal row;
    row.vertex1 = 0;
    row.vertex2 = 1;
    row.distance1 = 100;
    row.distance2 = 350;
    f.rows = {row, TZHoleDiagonal{}}; // the empty second grid row is not stored
    const TZHole h = recordFromCutoutFields(f);
    ASSERT_EQ(h.rows.count(), 2);
    EXPECT_EQ(h.rows.at(1).vertex1, 1);
    EXPECT_EQ(h.rows.at(1).vertex2, 2);
    EXPECT_EQ(h.rows.at(1).distance1, 40);
    EXPECT_EQ(h.rows.at(1).distance2, 1);
    EXPECT_EQ(h.pointCount, 12);

    const CutoutFields back = cutoutFieldsFromRecord(h);
    EXPECT_EQ(back.rows.size(), 1u);
    EXPECT_EQ(back.parallelSide, L"BC");
    EXPECT_TRUE(back.turned);
    EXPECT_EQ(back.size2, 40);

    // Without a measurement row the extra row still comes second.
    f.rows.clear();
    EXPECT_EQ(recordFromCutoutFields(f).rows.at(1).distance1, 40);
    // A free cutout has no mode; a rectangle by three corners no size.
    f.type = static_cast<std::int32_t>(TZHoleType::Rectangle);
    f.mode = 2;
    EXPECT_EQ(recordFromCutoutFields(f).size1, 0);
}

} // namespace
