// The cutout dialog in the window: each type added from the toolbar with its points typed into
// the grid, one edited from the side panel's list and one deleted there; the row buttons and the
// distance converter.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <cmath>

#include "geometry_windows.h"
#include "model/measurements.h"
#include "model/ui/cutout_dialog.h"

using namespace tenzora;

namespace {

TZHoleDialog* frameDialog(GeometryFrame& w) {
    return w.frame->findChild<TZHoleDialog*>(QStringLiteral("137"));
}

QString distance(double x) {
    return QString::number(x, 'f', 2);
}

// The two distances of a point of the room from two corners.
double from(const Vertex& corner, double x, double y) {
    return std::hypot(corner.x - x, corner.y - y);
}

void chooseType(TZHoleDialog* d, int position) {
    auto* type = in<QComboBox>(d, 1150);
    type->setCurrentIndex(position);
    emit type->activated(position);
}

// Row `row` measures the point (x, y) from the corners `a` and `b` (indexes of the room).
void typePoint(GeometryFrame& w, CVirtualGridCtrl* grid, int row, int a, int b, double x, double y) {
    const QString names = QStringLiteral("ABCD");
    typeCell(grid, {1, row}, names.mid(a, 1));
    typeCell(grid, {2, row}, distance(from(w.doc().polygon.at(a), x, y)));
    typeCell(grid, {3, row}, names.mid(b, 1));
    typeCell(grid, {4, row}, distance(from(w.doc().polygon.at(b), x, y)));
}

} // namespace

TEST(CutoutDialog, EachTypeFromTheToolbarThenOneEditedAndOneDeletedFromTheList) {
    GeometryFrame w;
    w.room();
    ASSERT_TRUE(w.frame->action(cmd::kInnerCutout)->isEnabled());

    // A rectangle 100 × 50 from two corners next to each other.
    w.frame->action(cmd::kInnerCutout)->trigger();
    TZHoleDialog* d = frameDialog(w);
    ASSERT_NE(d, nullptr);
    ASSERT_TRUE(d->isVisible());
    EXPECT_EQ(in<QComboBox>(d, 1150)->currentText(), QStringLiteral("Прямоугольник"));
    EXPECT_EQ(in<QComboBox>(d, 1158)->currentText(), QStringLiteral("Две точки рядом + сторона"));
    EXPECT_EQ(in<QLabel>(d, 1552)->text(), QStringLiteral("Сторона:"));
    EXPECT_TRUE(in<QPushButton>(d, 1136)->isVisible()) << "the converter belongs to the rectangle modes";
    EXPECT_FALSE(in<QLineEdit>(d, 1176)->isVisible());
    CVirtualGridCtrl* grid = in<CVirtualGridCtrl>(d, 40000);
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("Вершина 1"));
    typePoint(w, grid, 0, 0, 1, 100, 100);
    typePoint(w, grid, 1, 0, 1, 200, 100);
    EXPECT_EQ(cellText(grid, 0, 1), QStringLiteral("A"));
    EXPECT_EQ(cellText(grid, 0, 2), QStringLiteral("141.4"));
    EXPECT_EQ(cellText(grid, 1, 0), QStringLiteral("2"));
    fill(d, 1168, QStringLiteral("50"));
    screenshotOf(d, QStringLiteral("cutout-rectangle"));
    press(d, 1);
    EXPECT_FALSE(d->isVisible());
    ASSERT_EQ(w.doc().holes.count(), 1);
    EXPECT_EQ(w.label(1026), QStringLiteral("11.50"));
    EXPECT_EQ(w.list()->item(0)->text(), QStringLiteral("ВЫРЕЗ прямоугольника"));

    // A circle of 40 around its centre, with the points chosen automatically.
    w.frame->action(cmd::kInnerCutout)->trigger();
    EXPECT_EQ(in<QComboBox>(d, 1150)->currentText(), QStringLiteral("Прямоугольник")) << "a fresh rectangle";
    EXPECT_TRUE(cellText(grid, 0, 1).isEmpty());
    chooseType(d, 1);
    EXPECT_EQ(in<QLabel>(d, 1552)->text(), QStringLiteral("Диаметр:"));
    EXPECT_EQ(in<QComboBox>(d, 1158)->currentText(), QStringLiteral("Центр + диаметр"));
    EXPECT_TRUE(in<QLineEdit>(d, 1176)->isVisible());
    EXPECT_EQ(in<QLineEdit>(d, 1176)->text(), QStringLiteral("авто"));
    EXPECT_FALSE(in<QPushButton>(d, 1136)->isVisible());
    ASSERT_EQ(grid->rowCount(), 1);
    typePoint(w, grid, 0, 2, 3, 200, 200);
    fill(d, 1168, QStringLiteral("40"));
    screenshotOf(d, QStringLiteral("cutout-circle"));
    press(d, 1);
    ASSERT_EQ(w.doc().holes.count(), 2);
    EXPECT_EQ(w.doc().holes.at(1).type, int(TZHoleType::Circle));
    EXPECT_DOUBLE_EQ(w.doc().holes.at(1).size1, 40);

    // A free triangle: the grid grows a row as each row is filled.
    w.frame->action(cmd::kInnerCutout)->trigger();
    chooseType(d, 2);
    EXPECT_FALSE(in<QComboBox>(d, 1158)->isEnabled());
    EXPECT_FALSE(in<QLineEdit>(d, 1168)->isVisible());
    const double triangle[][2] = {{300, 50}, {350, 50}, {350, 100}};
    for (int r = 0; r < 3; ++r) {
        typePoint(w, grid, r, 1, 2, triangle[r][0], triangle[r][1]);
        QApplication::processEvents();
        EXPECT_EQ(grid->rowCount(), r + 2);
    }
    screenshotOf(d, QStringLiteral("cutout-free"));
    press(d, 1);
    ASSERT_EQ(w.doc().holes.count(), 3);
    EXPECT_EQ(w.doc().holes.at(2).rows.count(), 3);

    // An ellipse parallel to AB, turned.
    w.frame->action(cmd::kInnerCutout)->trigger();
    chooseType(d, 3);
    EXPECT_EQ(in<QLabel>(d, 1552)->text(), QStringLiteral("Диаметр 1:"));
    EXPECT_TRUE(in<QLineEdit>(d, 1568)->isVisible());
    EXPECT_TRUE(in<QCheckBox>(d, 1171)->isVisible());
    typePoint(w, grid, 0, 0, 3, 100, 220);
    fill(d, 1168, QStringLiteral("60"));
    fill(d, 1568, QStringLiteral("30"));
    fill(d, 1569, QStringLiteral("фи")); // AB with the Russian layout
    in<QCheckBox>(d, 1171)->setFocus();
    QTest::keyClick(in<QCheckBox>(d, 1171), Qt::Key_Space);
    EXPECT_TRUE(in<QCheckBox>(d, 1171)->isChecked());
    screenshotOf(d, QStringLiteral("cutout-ellipse"));
    press(d, 1);
    ASSERT_EQ(w.doc().holes.count(), 4);
    const TZHole& ellipse = w.doc().holes.at(3);
    ASSERT_EQ(ellipse.rows.count(), 2);
    EXPECT_EQ(ellipse.rows.at(1).vertex1, 0);
    EXPECT_EQ(ellipse.rows.at(1).vertex2, 1);
    EXPECT_DOUBLE_EQ(ellipse.rows.at(1).distance1, 30);
    EXPECT_DOUBLE_EQ(ellipse.rows.at(1).distance2, 1);
    EXPECT_EQ(w.list()->count(), 4);
    const double allFour = netArea(w.doc());

    // The circle opened from the list in the panel's own dialog and made larger.
    w.openListLine(1);
    TZHoleDialog* panelDialog = w.windows().panelCutoutDialog();
    ASSERT_TRUE(panelDialog->isVisible());
    EXPECT_NE(panelDialog, d);
    EXPECT_EQ(in<QComboBox>(panelDialog, 1150)->currentText(), QStringLiteral("Круг"));
    EXPECT_EQ(in<QLineEdit>(panelDialog, 1168)->text(), QStringLiteral("40"));
    EXPECT_EQ(cellText(in<CVirtualGridCtrl>(panelDialog, 40000), 0, 1), QStringLiteral("C"));
    fill(panelDialog, 1168, QStringLiteral("80"));
    press(panelDialog, 1);
    EXPECT_DOUBLE_EQ(w.doc().holes.at(1).size1, 80);
    EXPECT_LT(netArea(w.doc()), allFour - 0.03);

    // The free cutout deleted from the list; the ellipse that followed keeps its line.
    w.openListLine(2);
    press(panelDialog, 1230);
    ASSERT_EQ(w.doc().holes.count(), 3);
    ASSERT_EQ(w.list()->count(), 3);
    EXPECT_EQ(w.list()->item(2)->text(), QStringLiteral("ВЫРЕЗ эллипса"));
    w.screenshot("cutouts");
}

TEST(CutoutDialog, RowButtonsAndTheDistanceConverter) {
    GeometryFrame w;
    w.room();
    w.frame->action(cmd::kInnerCutout)->trigger();
    TZHoleDialog* d = frameDialog(w);
    CVirtualGridCtrl* grid = in<CVirtualGridCtrl>(d, 40000);
    typeCell(grid, {1, 0}, QStringLiteral("B"));
    typeCell(grid, {3, 0}, QStringLiteral("C"));
    typeCell(grid, {1, 1}, QStringLiteral("D"));

    // "down" and "up" move the selected row; "delete" keeps the two rows of the mode.
    ASSERT_TRUE(grid->selectCell({1, 0}));
    press(d, 1054);
    EXPECT_EQ(cellText(grid, 0, 1), QStringLiteral("D"));
    EXPECT_EQ(cellText(grid, 1, 1), QStringLiteral("B"));
    press(d, 1042);
    EXPECT_EQ(cellText(grid, 0, 1), QStringLiteral("B"));
    ASSERT_TRUE(grid->selectCell({1, 0}));
    press(d, 1064);
    EXPECT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(cellText(grid, 0, 1), QStringLiteral("D"));
    EXPECT_TRUE(cellText(grid, 1, 1).isEmpty());

    // The converter: a point 100 along BC from B and 50 into the room.
    typeCell(grid, {1, 1}, QStringLiteral("B"));
    typeCell(grid, {2, 1}, QStringLiteral("100"));
    typeCell(grid, {3, 1}, QStringLiteral("C"));
    typeCell(grid, {4, 1}, QStringLiteral("50"));
    ASSERT_TRUE(grid->selectCell({1, 1}));
    in<QLineEdit>(d, 1200)->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(in<QRadioButton>(d, 1582)->text(), QStringLiteral("BC"));
    EXPECT_EQ(in<QRadioButton>(d, 1586)->text(), QStringLiteral("AB"));
    press(d, 1136); // no side chosen: nothing happens
    EXPECT_EQ(cellText(grid, 1, 2), QStringLiteral("100.0"));
    QTest::mouseClick(in<QRadioButton>(d, 1582), Qt::LeftButton);
    screenshotOf(d, QStringLiteral("cutout-converter"));
    press(d, 1136);
    EXPECT_EQ(cellText(grid, 1, 2), QStringLiteral("111.8"));
    EXPECT_EQ(cellText(grid, 1, 4), QStringLiteral("206.2"));
    QTest::keyClick(d, Qt::Key_Escape);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(w.doc().holes.count(), 0);
}
