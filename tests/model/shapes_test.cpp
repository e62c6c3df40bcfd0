#include <gtest/gtest.h>

#include <cmath>

#include "model/ceiling.h"
#include "model/geometry.h"
#include "model/records.h"
#include "model/shape_wizard.h"
#include "model/shapes.h"
#include "support/fakes.h"
#include "support/rooms.h"

using namespace tenzora;

namespace {
constexpr wchar_t kWrongPoint[] = L"Вы указали неправильную точку";
constexpr wchar_t kPointsMissing[] = L"Пожалуйста, укажите число точек, составляющих эллипс";

void expectRecordsAsDrawn(const TZCeiling& doc) {
    for (const Diagonal& d : doc.diagonals)
        EXPECT_NEAR(distance(doc.polygon.at(d.a), doc.polygon.at(d.b)), d.length, 1e-6);
}

// A generated outline is shown with its first side up, A on the grid, in the point mode.
void expectShownAsGenerated(const TZCeiling& doc) {
    EXPECT_EQ(doc.editor.mode, kModePoints);
    EXPECT_TRUE(doc.polygon.defined);
    EXPECT_TRUE(isClockwise(pointsOf(doc.polygon)));
    EXPECT_EQ(doc.editor.currentDiagonal, 0);
    const Vertex& a = doc.polygon.at(0);
    const Vertex& b = doc.polygon.at(1);
    EXPECT_NEAR(a.x, b.x, 1e-9);
    EXPECT_LT(b.y, a.y);
    EXPECT_EQ(std::remainder(a.x, doc.view.gridStep), 0.0);
}
} // namespace

TEST(Shapes, TheSquareWizardMakesFourSidesAndTheDiagonalAC) {
    TestDocument t(true);
    WizardFields fields;
    fields.squareSide = L"300";
    ASSERT_TRUE(wizardOk(*t, WizardShape::Square, fields));
    ASSERT_EQ(t->polygon.count(), 4);
    ASSERT_EQ(t->diagonals.count(), 5);
    for (int k = 0; k < 4; ++k) {
        EXPECT_DOUBLE_EQ(t->diagonals.at(k).length, 300);
        EXPECT_TRUE(t->diagonals.at(k).isSide);
    }
    EXPECT_NEAR(t->diagonals.at(4).length, 424.264, 1e-3);
    EXPECT_FALSE(t->diagonals.at(4).isSide);
    EXPECT_TRUE(t->outlineFormed);
    EXPECT_EQ(lastCornerName(*t), L"D");
    expectRecordsAsDrawn(*t);
    expectShownAsGenerated(*t);
    EXPECT_EQ(t.views.width, t->view.viewWidth);
    EXPECT_GE(t.views.repaints, 1);
}

TEST(Shapes, TheCornerCutRemovesTheCornerAtXZero) {
    TestDocument t;
    ASSERT_TRUE(generateShape(*t, ShapeKind::CornerCut, 0, 500, 400, 200, 100));
    ASSERT_EQ(t->polygon.count(), 6);
    // Generated anticlockwise on screen, the outline is mirrored (y = −y) first; AB then points
    // up already and normalising turns it by a whole turn.
    const Vertex& a = t->polygon.at(0);
    const Vertex& e = t->polygon.at(4);
    const Vertex& f = t->polygon.at(5);
    EXPECT_NEAR(f.x - a.x, 300, 1e-9);
    EXPECT_NEAR(f.y - a.y, 0, 1e-9);
    EXPECT_NEAR(e.x - a.x, 300, 1e-9);
    EXPECT_NEAR(e.y - a.y, -100, 1e-9);
    EXPECT_EQ(t->diagonals.count(), 9) << "six sides, AC, AD, AE";
    EXPECT_GE(findDiagonal(*t, 0, 4), 0);
    expectRecordsAsDrawn(*t);
    expectShownAsGenerated(*t);
}

TEST(Shapes, AnEllipseOfSevenPointsHasSixAroundTheCentre) {
    TestDocument t;
    ASSERT_TRUE(generateShape(*t, ShapeKind::Ellipse, 7, 400, 200));
    ASSERT_EQ(t->polygon.count(), 6);
    EXPECT_EQ(t->diagonals.count(), 6 + 3) << "the sides and the diagonals AC, AD, AE";
    // The points lie on the ellipse around the centre of their bounding box (A, B, D, E at ±s/2).
    Vertex centre = makeVertex(0, 0);
    for (const Vertex& v : t->polygon) {
        centre.x += v.x / 6;
        centre.y += v.y / 6;
    }
    for (const Vertex& v : t->polygon) {
        // Normalising turns the ellipse by π: the x diameter stays horizontal.
        const double dx = (v.x - centre.x) / 200;
        const double dy = (v.y - centre.y) / 100;
        EXPECT_NEAR(dx * dx + dy * dy, 1.0, 1e-9);
    }
    expectRecordsAsDrawn(*t);
    expectShownAsGenerated(*t);
}

TEST(Shapes, TheRegularPolygonFromEHasFiveUnmeasuredSides) {
    TestDocument t;
    ASSERT_TRUE(generateRegularPolygon(*t, L"E"));
    ASSERT_EQ(t->polygon.count(), 5);
    ASSERT_EQ(t->diagonals.count(), 5);
    Vertex centre = makeVertex(0, 0);
    for (const Vertex& v : t->polygon) {
        centre.x += v.x / 5;
        centre.y += v.y / 5;
    }
    for (const Vertex& v : t->polygon)
        EXPECT_NEAR(distance(v, centre), 150, 1e-9);
    for (const Diagonal& d : t->diagonals) {
        EXPECT_EQ(d.length, 0);
        EXPECT_TRUE(d.isSide);
    }
    EXPECT_FALSE(t->outlineFormed);
    EXPECT_EQ(t->history.undoCount, 0) << "nothing to undo into a half-made outline";
    expectShownAsGenerated(*t);
}

TEST(Shapes, BadCountsAndNamesAreRefusedAndTheProjectKept) {
    TestDocument t;
    setOutline(*t, {{0, 0}, {10, 0}, {10, 10}});
    EXPECT_FALSE(generateShape(*t, ShapeKind::Ellipse, 2, 100, 100));
    EXPECT_FALSE(generateShape(*t, ShapeKind::Ellipse, kMaxGeneratedPoints + 1, 100, 100));
    EXPECT_FALSE(generateRegularPolygon(*t, L""));
    EXPECT_FALSE(generateRegularPolygon(*t, L"A-1"));
    EXPECT_FALSE(generateRegularPolygon(*t, L"Z99"));
    ASSERT_EQ(t.ui.messages.size(), 5u);
    for (const MessageRequest& m : t.ui.messages) {
        EXPECT_EQ(m.text, kWrongPoint);
        EXPECT_EQ(m.icon, MessageIcon::Information);
    }
    EXPECT_FALSE(generateRegularPolygon(*t, L"B")) << "two corners make no outline";
    EXPECT_EQ(t.ui.messages.size(), 5u) << "… without a word";
    EXPECT_EQ(t->polygon.count(), 3);
}

TEST(Shapes, CancellingTheNewProjectQuestionKeepsTheOldProject) {
    TestDocument t(true);
    setOutline(*t, {{0, 0}, {10, 0}, {10, 10}});
    t->modified = true;
    t.ui.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(generateRegularPolygon(*t, L"D"));
    EXPECT_EQ(t->polygon.count(), 3);
}

TEST(Wizard, TheFirstMissingFieldIsNamedAZeroOrAWordIsMissing) {
    WizardFields f;
    EXPECT_EQ(wizardFieldMessage(WizardShape::None, f), L"Пожалуйста, укажите тип фигуры");
    f.cutX = L"500";
    f.cutY = L"400";
    f.cutWidth = L"0";
    EXPECT_EQ(wizardFieldMessage(WizardShape::CornerCut, f), L"Пожалуйста, укажите длину выреза");
    f.cutWidth = L"200";
    EXPECT_EQ(wizardFieldMessage(WizardShape::CornerCut, f), L"Пожалуйста, укажите ширину выреза");
    f.circleDiameter = L"250";
    f.circlePoints = L"0.5";
    EXPECT_EQ(wizardFieldMessage(WizardShape::Circle, f), kPointsMissing) << "a count that truncates to 0";
    f.ellipseX = L"abc";
    EXPECT_EQ(wizardFieldMessage(WizardShape::Ellipse, f),
              L"Пожалуйста, укажите горизонтальный диаметр эллипса");
}

TEST(Wizard, AMissingFieldIsToldAndNothingChanges) {
    TestDocument t;
    setOutline(*t, {{0, 0}, {10, 0}, {10, 10}});
    WizardFields f;
    f.ellipseX = L"400";
    f.ellipseY = L"300";
    EXPECT_FALSE(wizardOk(*t, WizardShape::Ellipse, f));
    EXPECT_EQ(t.ui.texts(), std::vector<std::wstring>{kPointsMissing});
    EXPECT_EQ(t->polygon.count(), 3);
    f.ellipsePoints = L"92";
    ASSERT_TRUE(wizardOk(*t, WizardShape::Ellipse, f));
    EXPECT_EQ(t->polygon.count(), 92);
    EXPECT_EQ(lastCornerName(*t), L"N3");
}
