// Storing, changing and deleting constructions and cutouts, the cutout rows that follow their
// points through renumbering, and the side panel's list.

#include <gtest/gtest.h>

#include "cutting/construction_operations.h"
#include "model/cutouts.h"
#include "model/geometry.h"
#include "model/row_capture.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

TZDop niche(int v1, int v2) {
    TZDop d;
    d.kind = static_cast<std::int32_t>(TZDopKind::Rectangle);
    d.vertex1 = v1;
    d.vertex2 = v2;
    d.distance1 = 100;
    d.distance2 = 100;
    d.depth = -50;
    return d;
}

TZHoleDiagonal row(int v1, double d1, int v2, double d2) {
    TZHoleDiagonal r;
    r.vertex1 = v1;
    r.vertex2 = v2;
    r.distance1 = d1;
    r.distance2 = d2;
    return r;
}

// A circle of diameter 40 around (300, 200), measured from C and D.
TZHole circleFromCD() {
    TZHole h;
    h.type = static_cast<std::int32_t>(TZHoleType::Circle);
    h.mode = static_cast<std::int32_t>(TZHoleMode::Centre);
    h.size1 = 40;
    h.rows.append(row(2, distance(makeVertex(400, 300), makeVertex(300, 200)), 3,
                      distance(makeVertex(0, 300), makeVertex(300, 200))));
    return h;
}

class OperationsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setOutline(*doc, {{0, 0}, {400, 0}, {400, 300}, {0, 300}});
        doc->editor.mode = kModePoints;
    }
    Vertex cutoutCentre(int i) {
        WorkingOutline outline;
        buildWorkingOutline(*doc, true, outline);
        TZHolesArray holes;
        buildCutouts(*doc, outline, holes);
        double x = 0, y = 0;
        for (const TZHolePoint& p : holes.cutout(i)) {
            x += p.point.x;
            y += p.point.y;
        }
        return makeVertex(x / holes.pointCount(i), y / holes.pointCount(i));
    }
    // The circle of circleFromCD() lies at its measured distances from the vertices C and D.
    void expectMeasuredFromCAndD() {
        const Vertex centre = cutoutCentre(0);
        EXPECT_NEAR(distance(centre, doc->polygon.at(2)),
                    distance(makeVertex(400, 300), makeVertex(300, 200)), 1e-6);
        EXPECT_NEAR(distance(centre, doc->polygon.at(3)), distance(makeVertex(0, 300), makeVertex(300, 200)),
                    1e-6);
    }
    TestDocument doc{/*withWindow=*/true};
};

TEST_F(OperationsTest, CutoutRowsKeepTheirVerticesWhenAConstructionRenumbersTheOutline) {
    addCutout(*doc, circleFromCD());
    ASSERT_EQ(addConstruction(*doc, niche(0, 1)), 0);
    // The niche inserted four points after A: C and D are now points 6 and 7.
    EXPECT_EQ(doc->holes.at(0).rows.at(0).vertex1, 6);
    EXPECT_EQ(doc->holes.at(0).rows.at(0).vertex2, 7);
    // Storing a construction re-places the outline (turned and centred), so the cutout is checked
    // by its distances from C and D, which must be the measured ones.
    expectMeasuredFromCAndD();

    // Changing and deleting the construction renumber the outline too.
    TZDop arc = niche(0, 1);
    arc.kind = static_cast<std::int32_t>(TZDopKind::Arc);
    arc.extraPoints = 1;
    changeConstruction(*doc, 0, arc);
    EXPECT_EQ(doc->holes.at(0).rows.at(0).vertex1, 5);
    deleteConstruction(*doc, 0);
    EXPECT_EQ(doc->holes.at(0).rows.at(0).vertex1, 2);
    EXPECT_EQ(doc->holes.at(0).rows.at(0).vertex2, 3);
    expectMeasuredFromCAndD();
}

TEST_F(OperationsTest, RowsOnConstructionPointsFollowThemToo) {
    addConstruction(*doc, niche(1, 2)); // on BC: its points are 2 … 5
    TZHole h = circleFromCD();
    h.rows.at(0) = row(3, 50, 4, 50); // between the niche's two outer corners
    addCutout(*doc, h);
    const Vertex before = cutoutCentre(0);
    addConstruction(*doc, niche(0, 1)); // four more points before them
    EXPECT_EQ(doc->holes.at(0).rows.at(0).vertex1, 7);
    EXPECT_EQ(doc->holes.at(0).rows.at(0).vertex2, 8);
    EXPECT_NEAR(cutoutCentre(0).x, before.x, 1e-9);
    EXPECT_NEAR(cutoutCentre(0).y, before.y, 1e-9);
}

TEST_F(OperationsTest, AVertexReplacedByAConstructionPointIsFoundAtItsPlace) {
    addCutout(*doc, circleFromCD());
    TZDop bend = niche(0, 3); // folds A→B→C→D; D's place is taken by the bend's last point
    bend.kind = static_cast<std::int32_t>(TZDopKind::Bend);
    bend.distance1 = bend.distance2 = 0;
    bend.depth = 20;
    bend.extraPoints = 0;
    addConstruction(*doc, bend);
    // C is gone with the bend (the row keeps its index); D stands at point 5.
    EXPECT_EQ(doc->holes.at(0).rows.at(0).vertex2, 5);
}

TEST_F(OperationsTest, TheExtraRowOfAnEllipseIsNotRenumbered) {
    TZHole e = circleFromCD();
    e.type = static_cast<std::int32_t>(TZHoleType::Ellipse);
    e.rows.append(row(1, 20, 2, 0)); // parallel to BC, second diameter 20
    addCutout(*doc, e);
    addConstruction(*doc, niche(0, 1));
    EXPECT_EQ(doc->holes.at(0).rows.at(0).vertex1, 6);
    EXPECT_EQ(doc->holes.at(0).rows.at(1).vertex1, 1);
    EXPECT_EQ(doc->holes.at(0).rows.at(1).vertex2, 2);
}

TEST_F(OperationsTest, EveryChangeIsUndoableAndRefreshesTheViews) {
    addConstruction(*doc, niche(0, 1));
    EXPECT_EQ(doc->history.undoCount, 1);
    EXPECT_GE(doc.views.repaints, 1);
    EXPECT_GE(doc.views.figures, 1);
    addCutout(*doc, circleFromCD());
    deleteConstruction(*doc, 0);
    EXPECT_EQ(doc->history.undoCount, 3);
    ASSERT_TRUE(doc->undo());
    EXPECT_EQ(doc->dops.count(), 1); // the deletion is undone
    EXPECT_EQ(doc->holes.count(), 1);
    ASSERT_TRUE(doc->undo());
    EXPECT_EQ(doc->holes.count(), 0); // undoing a new cutout leaves no empty record behind
    EXPECT_FALSE(changeConstruction(*doc, 5, niche(0, 1)));
    EXPECT_FALSE(deleteCutout(*doc, -1));
}

TEST_F(OperationsTest, OrderListNamesTheFirstAndLastPointsInOrder) {
    addConstruction(*doc, niche(0, 1));
    addCutout(*doc, circleFromCD());
    TZDop arc = niche(5, 6);
    arc.kind = static_cast<std::int32_t>(TZDopKind::Arc);
    arc.extraPoints = 0;
    addConstruction(*doc, arc);
    TZDop off;
    off.kind = static_cast<std::int32_t>(TZDopKind::Disabled);
    off.vertex1 = 2;
    off.vertex2 = 3;
    addConstruction(*doc, off);
    TZHole rect;
    addCutout(*doc, rect);

    auto lines = orderListLines(*doc);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].text, L"ВЫРЕЗ: BE");
    EXPECT_EQ(lines[1].text, L"ВЫРЕЗ круга");
    EXPECT_EQ(lines[2].text, L"ДУГА: GH");
    EXPECT_EQ(lines[3].text, L"ОТКЛЮЧЁН..CD");
    EXPECT_EQ(lines[4].text, L"ВЫРЕЗ прямоугольника");
    EXPECT_EQ(lines[4].type, kOrderCutout);
    EXPECT_EQ(lines[4].index, 1);

    // Deleting from the middle keeps the other lines in place and in order.
    deleteConstruction(*doc, 1);
    lines = orderListLines(*doc);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2].text, L"ОТКЛЮЧЁН..CD");
    EXPECT_EQ(lines[2].index, 1);
    deleteCutout(*doc, 0);
    lines = orderListLines(*doc);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2].text, L"ВЫРЕЗ прямоугольника");
    EXPECT_EQ(lines[2].index, 0);
}

TEST_F(OperationsTest, OrderListDropsRepeatedAndDanglingEntries) {
    addConstruction(*doc, niche(-1, -1));        // no points: named by its (empty) vertices
    doc->dopHoleOrder.append({kOrderCutout, 0}); // no such cutout
    doc->dopHoleOrder.insertAt(0, {kOrderConstruction, 0});
    doc->dopHoleOrder.append({7, 0}); // no such type
    const auto lines = orderListLines(*doc);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, L"ВЫРЕЗ: ");
    EXPECT_EQ(doc->dopHoleOrder.count(), 3); // the first of the two equal entries went
    EXPECT_EQ(doc->dopHoleOrder.at(1).type, kOrderCutout);
}

TEST_F(OperationsTest, CutoutTexts) {
    TZHole h;
    for (auto [type, text] :
         {std::pair{TZHoleType::Rectangle, L"ВЫРЕЗ прямоугольника"},
          std::pair{TZHoleType::Circle, L"ВЫРЕЗ круга"}, std::pair{TZHoleType::Free, L"ВЫРЕЗ"},
          std::pair{TZHoleType::Ellipse, L"ВЫРЕЗ эллипса"}}) {
        h.type = static_cast<std::int32_t>(type);
        EXPECT_EQ(cutoutListText(h), text);
    }
    TZDop d = niche(0, 1);
    for (auto [kind, text] :
         {std::pair{TZDopKind::CornerCut, L"СРЕЗ: AB"}, std::pair{TZDopKind::Trapezoid, L"ТРАПЕЦИЯ: AB"},
          std::pair{TZDopKind::Bend, L"ПЕРЕГИБ: AB"}}) {
        d.kind = static_cast<std::int32_t>(kind);
        EXPECT_EQ(constructionListText(d), text);
    }
}

} // namespace
