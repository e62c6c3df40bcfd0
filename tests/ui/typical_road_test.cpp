#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLabel>
#include <QTreeWidget>
#include <QtTest/QTest>

#include "editor/ui/extended_edit.h"
#include "editor_frame.h"
#include "model/formatting.h"
#include "model/measurements.h"
#include "model/records.h"

using namespace tenzora;

// The measurer's road through the window: a new project, a room clicked out with the mouse, its
// lengths typed into the side panel, forming, the display switches, zoom and pan, undo and redo,
// saving and opening again. Screenshots of the way go to the build folder ("screens").

namespace {

void typeText(QWidget* target, const QString& text) {
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(target, &press);
    }
}

void enterLength(EditorFrame& w, const QString& length) {
    TZExtendedEdit* field = w.panel()->lengthField();
    field->selectAll();
    typeText(field, length);
    QTest::keyClick(field, Qt::Key_Return);
}

} // namespace

TEST(TypicalRoad, ARoomFromTheFirstClickToTheReopenedFile) {
    EditorFrame w;
    w.frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.frame.get()));
    w.screenshot("01-start");

    w.frame->runCommand(cmd::kNewProject);
    ASSERT_EQ(w.doc().editor.mode, kModePoints);
    // An L-shaped room, 4 × 3 m with a 1 × 1.5 m bay, sketched roughly (1 cm per pixel).
    const std::vector<std::pair<double, double>> sketch = {{-250, -150}, {150, -160}, {160, 0},
                                                           {260, 10},    {250, 160},  {-240, 150}};
    for (auto [x, y] : sketch)
        w.clickAt(x, y);
    w.screenshot("02-points");
    w.clickAt(-247, -146);
    ASSERT_TRUE(w.doc().polygon.defined);
    EXPECT_EQ(w.panel()->nameField()->text(), QStringLiteral("AB"));
    w.screenshot("03-closed");

    // The sides, one after another: the panel moves on by itself.
    for (const QString length : {"400", "150", "100", "150", "500", "300"})
        enterLength(w, length);
    EXPECT_EQ(w.doc().diagonals.at(findDiagonal(w.doc(), 5, 0)).length, 300);
    // Diagonals across the room, by name.
    const std::pair<const char*, const char*> diagonals[] = {
        {"AC", "427.2"}, {"AD", "522.0"}, {"AE", "583.1"}, {"BD", "180.3"}, {"BE", "316.2"}, {"CE", "180.3"}};
    for (auto [name, length] : diagonals) {
        TZExtendedEdit* field = w.panel()->nameField();
        field->selectAll();
        typeText(field, QString::fromLatin1(name));
        QTest::keyClick(field, Qt::Key_Return);
        enterLength(w, QString::fromLatin1(length));
    }
    w.screenshot("04-measured");

    QTest::keyClick(w.view(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_TRUE(w.doc().outlineFormed);
    EXPECT_EQ(w.control<QLabel>(1284)->text(), QStringLiteral("ПРОЕКТ СФОРМИРОВАН"));
    EXPECT_LT(displayedError(w.doc()), kMaximumDisplayedError);
    const double area = netArea(w.doc());
    EXPECT_NEAR(area, 4.0 * 3.0 + 1.0 * 1.5, 0.05);
    w.screenshot("05-formed");

    for (int id : {cmd::kShowGrid, cmd::kShowAngles, cmd::kShowGrid})
        w.frame->runCommand(id);
    EXPECT_TRUE(w.doc().view.showAngles);
    w.wheel(120);
    w.wheel(120);
    w.drag({600, 400}, {640, 380}, Qt::MiddleButton);
    EXPECT_FLOAT_EQ(w.doc().view.scaleX, 0.81f);
    EXPECT_EQ(w.doc().view.panX, -40);
    w.screenshot("06-zoomed");

    const Vertex before = w.doc().polygon.at(2);
    w.frame->runCommand(cmd::kEditPoints);
    w.drag(w.pixel(before.x, before.y), w.pixel(before.x + 30, before.y + 20));
    EXPECT_NE(w.doc().polygon.at(2).x, before.x);
    w.frame->runCommand(cmd::kUndo);
    EXPECT_NEAR(w.doc().polygon.at(2).x, before.x, 1e-9);
    w.frame->runCommand(cmd::kRedo);
    EXPECT_NE(w.doc().polygon.at(2).x, before.x);
    w.frame->runCommand(cmd::kUndo);
    w.screenshot("07-undone");

    TempDir dir;
    const std::wstring path = (dir / "room.tz").wstring();
    w.ui.files = {path};
    w.frame->runCommand(cmd::kSave);
    ASSERT_TRUE(std::filesystem::exists(dir / "room.tz"));
    w.ui.answers = {MessageAnswer::No};
    w.frame->runCommand(cmd::kNewProject);
    EXPECT_EQ(w.doc().polygon.count(), 0);
    EXPECT_EQ(w.control<QTreeWidget>(1110)->topLevelItemCount(), 0);
    EXPECT_TRUE(w.panel()->nameField()->text().isEmpty()) << "nothing of the old project is offered";
    w.ui.files = {path};
    w.frame->runCommand(cmd::kOpen);
    EXPECT_EQ(w.doc().polygon.count(), 6);
    EXPECT_NEAR(netArea(w.doc()), area, 1e-9);
    EXPECT_EQ(w.control<QTreeWidget>(1110)->topLevelItemCount(), 6);
    EXPECT_EQ(w.control<QLabel>(1026)->text().toStdWString(), formatNumber(area, 2));
    w.screenshot("08-reopened");
}
