#include <gtest/gtest.h>

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QTreeWidget>
#include <QtTest/QTest>

#include "editor/ui/child_view_input.h"
#include "editor/ui/extended_edit.h"
#include "editor_frame.h"
#include "model/records.h"

using namespace tenzora;

namespace {

void pressKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
}

} // namespace

TEST(DrawingView, BeforeANewProjectClicksEnterNothingAndTheToolsDoNothing) {
    EditorFrame w;
    ASSERT_EQ(w.doc().editor.mode, kModeStart);
    w.click({300, 300});
    w.wheel(0);
    pressKey(w.view(), Qt::Key_Escape);
    for (int id : {cmd::kEditPoints, cmd::kInsertDiagonal, cmd::kRuler, cmd::kPan, cmd::kTriangleInward})
        w.frame->runCommand(id);
    EXPECT_EQ(w.doc().editor.mode, kModeStart);
    EXPECT_EQ(w.doc().polygon.count(), 0);
    EXPECT_FALSE(w.doc().editor.dragging);
}

TEST(DrawingView, ClickingOutARoomClosesItAndThePanelOffersItsFirstSide) {
    EditorFrame w;
    w.frame->runCommand(cmd::kNewProject);
    ASSERT_EQ(w.doc().editor.mode, kModePoints);
    for (auto [x, y] : {std::pair{-200.0, -150.0}, {200.0, -150.0}, {200.0, 150.0}, {-200.0, 150.0}})
        w.clickAt(x, y);
    w.clickAt(-196, -147); // on A again
    EXPECT_TRUE(w.doc().polygon.defined);
    EXPECT_EQ(w.doc().polygon.count(), 4);
    EXPECT_EQ(w.doc().editor.mode, kModeDiagonals);
    EXPECT_EQ(w.panel()->nameField()->text(), QStringLiteral("AB"));
    EXPECT_EQ(w.panel()->lengthField()->text(), QStringLiteral("?"));
    auto* tree = w.control<QTreeWidget>(1110);
    ASSERT_NE(tree, nullptr);
    ASSERT_EQ(tree->topLevelItemCount(), 4);
    EXPECT_EQ(tree->topLevelItem(3)->text(0), QStringLiteral("DA (?)"));
}

TEST(DrawingView, AQuickDoubleClickEntersTwoPoints) {
    EditorFrame w;
    w.frame->runCommand(cmd::kNewProject);
    w.clickAt(0, 0);
    const QPoint second = w.pixel(100, 0);
    w.mouse(QEvent::MouseButtonPress, second, Qt::LeftButton);
    w.mouse(QEvent::MouseButtonRelease, second, Qt::LeftButton);
    const QPoint third = w.pixel(100, 100);
    w.mouse(QEvent::MouseButtonDblClick, third, Qt::LeftButton);
    w.mouse(QEvent::MouseButtonRelease, third, Qt::LeftButton);
    EXPECT_EQ(w.doc().polygon.count(), 3);
}

TEST(DrawingView, DraggingAVertexMovesItAndTheCursorShowsIt) {
    EditorFrame w;
    w.frame->runCommand(cmd::kNewProject);
    setOutline(w.doc(), {{0, 0}, {300, 0}, {300, 300}, {0, 300}});
    w.frame->runCommand(cmd::kEditPoints);
    w.mouse(QEvent::MouseMove, w.pixel(298, 302), Qt::NoButton);
    EXPECT_EQ(w.view()->cursor().shape(), Qt::SizeAllCursor);
    const QLabel* x = w.control<QLabel>(1014);
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->text(), QStringLiteral("298.0"));
    w.drag(w.pixel(300, 300), w.pixel(350, 320));
    EXPECT_EQ(w.doc().polygon.at(2).x, 350);
    EXPECT_EQ(w.doc().polygon.at(2).y, 320);
    EXPECT_EQ(w.doc().editor.mode, kModePoints);
}

TEST(DrawingView, TheWheelZoomsByATenthANotchAndTheMiddleButtonPans) {
    EditorFrame w;
    w.frame->runCommand(cmd::kNewProject);
    setOutline(w.doc(), {{0, 0}, {300, 0}, {300, 300}});
    w.wheel(120);
    EXPECT_FLOAT_EQ(w.doc().view.scaleX, 0.9f);
    w.wheel(-120);
    EXPECT_FLOAT_EQ(w.doc().view.scaleX, 0.99f);

    w.drag({500, 400}, {450, 430}, Qt::MiddleButton);
    EXPECT_EQ(w.doc().view.panX, 50);
    EXPECT_EQ(w.doc().view.panY, 30);
    EXPECT_FALSE(w.doc().editor.dragging);
    EXPECT_EQ(w.doc().polygon.count(), 3) << "panning enters no point";
}

TEST(DrawingView, EscapeInTheRulerWithOnePointLeavesForPanningWithTheLeftButton) {
    EditorFrame w;
    w.frame->runCommand(cmd::kNewProject);
    setOutline(w.doc(), {{0, 0}, {300, 0}, {300, 300}});
    w.frame->runCommand(cmd::kRuler);
    ASSERT_EQ(w.doc().editor.mode, kModeRuler);
    w.mouse(QEvent::MouseMove, w.pixel(10, 10), Qt::NoButton);
    ASSERT_EQ(w.doc().editor.rulerPoints.count(), 1);
    pressKey(w.view(), Qt::Key_Escape);
    EXPECT_EQ(w.doc().editor.mode, kModeNoTool);
    EXPECT_TRUE(w.doc().editor.dragging);
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.frame->action(cmd::kPan)->isChecked(); }, 1000))
        << "the toolbar shows panning";
    w.drag({400, 400}, {420, 400});
    EXPECT_EQ(w.doc().view.panX, -20);
}

TEST(DrawingView, TheRulerShowsItsLengthInThePanel) {
    EditorFrame w;
    w.frame->runCommand(cmd::kNewProject);
    setOutline(w.doc(), {{0, 0}, {300, 0}, {300, 300}});
    w.frame->runCommand(cmd::kRuler);
    w.clickAt(-100, -100);
    w.clickAt(150, -100);
    EXPECT_EQ(w.control<QLabel>(1262)->text(), QStringLiteral("ДЛИНА:"));
    // Two fixed points and the end that follows the mouse: the length, and the area they enclose.
    EXPECT_EQ(w.control<QLabel>(1250)->text(), QStringLiteral("250.0см, S=0"));
    EXPECT_EQ(w.control<QLabel>(1316)->text(), QStringLiteral("м2"));
    pressKey(w.view(), Qt::Key_Escape);
    EXPECT_EQ(w.control<QLabel>(1262)->text(), QStringLiteral("Периметр:"));
}

TEST(DrawingView, ACanvasClickedInTheLayoutGoesToTheCanvasWindow) {
    EditorFrame w;
    w.frame->runCommand(cmd::kNewProject);
    setOutline(w.doc(), {{0, 0}, {300, 0}, {300, 300}, {0, 300}});
    TZCeiling& doc = w.doc();
    doc.editor.mode = kModeCutting;
    doc.seamLineEnd = makeVertex(300, 0);
    for (double y : {0.0, 150.0, 300.0}) {
        doc.seamLines.append(makeVertex(0, y));
        doc.seamLines.append(makeVertex(300, y));
    }
    std::vector<std::pair<int, int>> opened;
    w.frame->viewInput()->setCanvasOpener(
        [&](int number, int reference) { opened.emplace_back(number, reference); });
    // The layout is mirrored: drawing x = 100 lies left of the centre.
    const QPoint inSecond(doc.view.viewWidth / 2 - 100, doc.view.viewHeight / 2 + 200);
    w.click(inSecond);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], std::make_pair(2, 2));
}
