// The construction dialog in the window: each kind added from the toolbar, one edited from the
// side panel's list and one deleted there; Enter confirms and Esc cancels.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QToolBar>

#include "app/command_table.h"
#include "geometry_windows.h"
#include "model/formatting.h"
#include "model/measurements.h"
#include "model/typed_number.h"
#include "model/ui/construction_dialog.h"
#include "platform/qt/qt_text.h"

using namespace tenzora;

namespace {

TZDopPostr* frameDialog(GeometryFrame& w) {
    return w.frame->findChild<TZDopPostr*>(QStringLiteral("232"));
}

// Triggers the command as its toolbar button does.
void fromToolbar(GeometryFrame& w, int id) {
    QAction* action = w.frame->action(id);
    ASSERT_TRUE(action->isEnabled()) << id;
    ASSERT_NE(w.frame->toolbar(kConstructionsToolbar)->widgetForAction(action), nullptr) << id;
    action->trigger();
}

} // namespace

TEST(ConstructionDialog, EachKindFromTheToolbarThenOneEditedAndOneDeletedFromTheList) {
    GeometryFrame w;
    // Before any outline the commands do nothing.
    w.frame->action(cmd::kCutRectangle)->trigger();
    EXPECT_EQ(frameDialog(w) == nullptr || !frameDialog(w)->isVisible(), true);

    w.room();
    ASSERT_EQ(w.label(1026), QStringLiteral("12.00"));

    // A niche 100 wide and 40 deep in the middle of DA: the area loses 0.4 m².
    fromToolbar(w, cmd::kCutRectangle);
    TZDopPostr* d = frameDialog(w);
    ASSERT_NE(d, nullptr);
    ASSERT_TRUE(d->isVisible());
    EXPECT_EQ(in<QComboBox>(d, 1150)->currentText(), QStringLiteral("Прямоугольник"));
    EXPECT_FALSE(in<QPushButton>(d, 1230)->isEnabled()) << "a new record cannot be deleted";
    EXPECT_FALSE(in<QLineEdit>(d, 1244)->isVisible());
    fill(d, 2010, QStringLiteral("в")); // D with the Russian layout
    fill(d, 2011, QStringLiteral("A"));
    EXPECT_EQ(in<QLineEdit>(d, 2010)->text(), QStringLiteral("D"));
    EXPECT_EQ(in<QLabel>(d, 1264)->text(), QStringLiteral("расстояние от D :"));
    EXPECT_EQ(in<QLabel>(d, 1268)->text(), QStringLiteral("расстояние от A :"));
    fill(d, 1180, QStringLiteral("100"));
    fill(d, 1188, QStringLiteral("100"));
    fill(d, 1204, QStringLiteral("40"));
    EXPECT_EQ(in<QLabel>(d, 1640)->text(), QStringLiteral("Внутрь"));
    screenshotOf(d, QStringLiteral("construction-rectangle"));
    press(d, 1);
    EXPECT_FALSE(d->isVisible());
    ASSERT_EQ(w.doc().dops.count(), 1);
    EXPECT_EQ(w.doc().dops.at(0).kind, int(TZDopKind::Rectangle));
    EXPECT_EQ(w.label(1026), QStringLiteral("11.60"));
    ASSERT_EQ(w.list()->count(), 1);

    // A trapezoid on CD: labels and the second depth.
    fromToolbar(w, cmd::kCutTrapezoid);
    EXPECT_EQ(in<QComboBox>(d, 1150)->currentText(), QStringLiteral("Трапеция"));
    EXPECT_TRUE(in<QLineEdit>(d, 2010)->text().isEmpty()) << "each command gives a fresh record";
    fill(d, 2010, QStringLiteral("C"));
    fill(d, 2011, QStringLiteral("D"));
    fill(d, 1180, QStringLiteral("100"));
    fill(d, 1188, QStringLiteral("100"));
    fill(d, 1204, QStringLiteral("30"));
    fill(d, 1210, QStringLiteral("50,5"));
    EXPECT_EQ(in<QLabel>(d, 1280)->text(), QStringLiteral("Глубина 1:"));
    EXPECT_EQ(in<QLabel>(d, 1276)->text(), QStringLiteral("Глубина 2:"));
    screenshotOf(d, QStringLiteral("construction-trapezoid"));
    press(d, 1);
    ASSERT_EQ(w.doc().dops.count(), 2);
    EXPECT_DOUBLE_EQ(w.doc().dops.at(1).depth2, 50.5);

    // A corner cut at B, confirmed with Enter.
    fromToolbar(w, cmd::kCornerCut);
    EXPECT_FALSE(in<QLineEdit>(d, 2010)->isVisible());
    EXPECT_EQ(in<QLabel>(d, 1258)->text(), QStringLiteral("Вершина:"));
    fill(d, 2011, QStringLiteral("B"));
    EXPECT_EQ(in<QLabel>(d, 1264)->text(), QStringLiteral("Срез по AB :"));
    EXPECT_EQ(in<QLabel>(d, 1268)->text(), QStringLiteral("Срез по BC :"));
    fill(d, 1180, QStringLiteral("50"));
    fill(d, 1188, QStringLiteral("50"));
    screenshotOf(d, QStringLiteral("construction-corner-cut"));
    QTest::keyClick(in<QLineEdit>(d, 1188), Qt::Key_Return);
    EXPECT_FALSE(d->isVisible());
    ASSERT_EQ(w.doc().dops.count(), 3);
    EXPECT_EQ(w.doc().dops.at(2).vertex2, 1);

    // An arc outward on the side from A, with its default points.
    fromToolbar(w, cmd::kArc);
    EXPECT_EQ(in<QLineEdit>(d, 1210)->text(), QStringLiteral("5"));
    EXPECT_TRUE(in<QLineEdit>(d, 1244)->isVisible());
    fill(d, 2010, QStringLiteral("A"));
    fill(d, 2011, QStringLiteral("B"));
    fill(d, 1180, QStringLiteral("50"));
    fill(d, 1188, QStringLiteral("50"));
    fill(d, 1204, QStringLiteral("-30"));
    EXPECT_EQ(in<QLabel>(d, 1640)->text(), QStringLiteral("Наружу"));
    screenshotOf(d, QStringLiteral("construction-arc"));
    press(d, 1);
    ASSERT_EQ(w.doc().dops.count(), 4);
    EXPECT_EQ(w.doc().dops.at(3).extraPoints, 5);

    // A bend: a positive level moves outward; Esc leaves the project as it was.
    fromToolbar(w, cmd::kBend);
    EXPECT_EQ(in<QLabel>(d, 1280)->text(), QStringLiteral("1й уровень:"));
    fill(d, 1204, QStringLiteral("20"));
    EXPECT_EQ(in<QLabel>(d, 1640)->text(), QStringLiteral("Наружу"));
    screenshotOf(d, QStringLiteral("construction-bend"));
    QTest::keyClick(in<QLineEdit>(d, 1204), Qt::Key_Escape);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(w.doc().dops.count(), 4);
    fromToolbar(w, cmd::kBend);
    fill(d, 2010, QStringLiteral("A"));
    fill(d, 2011, QStringLiteral("B"));
    fill(d, 1204, QStringLiteral("20"));
    press(d, 1);
    ASSERT_EQ(w.doc().dops.count(), 5);
    EXPECT_EQ(w.doc().dops.at(4).kind, int(TZDopKind::Bend));
    ASSERT_EQ(w.list()->count(), 5);
    const QString areaWithAll = w.label(1026);

    // The niche opened from the side panel's list, in the panel's own dialog, made deeper.
    w.openListLine(0);
    TZDopPostr* panelDialog = w.windows().panelConstructionDialog();
    ASSERT_TRUE(panelDialog->isVisible());
    EXPECT_NE(panelDialog, d);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(panelDialog->editedIndex(), 0);
    EXPECT_EQ(in<QComboBox>(panelDialog, 1150)->currentText(), QStringLiteral("Прямоугольник"));
    EXPECT_EQ(in<QLineEdit>(panelDialog, 1204)->text(), QStringLiteral("40"));
    EXPECT_TRUE(in<QPushButton>(panelDialog, 1230)->isEnabled());
    fill(panelDialog, 1204, QStringLiteral("60"));
    screenshotOf(panelDialog, QStringLiteral("construction-edit-from-list"));
    press(panelDialog, 1);
    EXPECT_EQ(w.doc().dops.count(), 5);
    EXPECT_EQ(w.doc().dops.at(0).depth, 60);
    EXPECT_NEAR(readTypedNumber(fromQt(w.label(1026))), readTypedNumber(fromQt(areaWithAll)) - 0.2, 0.0051);

    // The trapezoid deleted from the list: the other lines stay, in order (their point names
    // follow the outline, which has fewer points now).
    const QString first = w.list()->item(0)->text().left(7);
    const QString third = w.list()->item(2)->text().left(5);
    w.openListLine(1);
    ASSERT_TRUE(panelDialog->isVisible());
    press(panelDialog, 1230);
    EXPECT_FALSE(panelDialog->isVisible());
    ASSERT_EQ(w.doc().dops.count(), 4);
    ASSERT_EQ(w.list()->count(), 4);
    EXPECT_EQ(w.list()->item(0)->text().left(7), first);
    EXPECT_EQ(w.doc().dops.at(1).kind, int(TZDopKind::CornerCut));
    EXPECT_EQ(w.list()->item(1)->text().left(5), third);

    // Undo brings the trapezoid back, and the list with it.
    w.frame->runCommand(cmd::kUndo);
    EXPECT_EQ(w.doc().dops.count(), 5);
    EXPECT_EQ(w.list()->count(), 5);
    w.screenshot("constructions");
}
