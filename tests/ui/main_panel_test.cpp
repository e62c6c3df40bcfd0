#include <gtest/gtest.h>

#include <QDockWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QSettings>
#include <QTreeWidget>
#include <QtTest/QTest>

#include "cutting/construction_operations.h"
#include "editor/ui/extended_edit.h"
#include "editor/ui/panel_button.h"
#include "editor_frame.h"
#include "model/records.h"
#include "support/rooms.h"

using namespace tenzora;

namespace {

const std::vector<std::pair<double, double>> kRectangle = {{0, 0}, {0, 300}, {400, 300}, {400, 0}};

QTreeWidgetItem* rowNamed(QTreeWidget* tree, const QString& prefix) {
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        if (tree->topLevelItem(i)->text(0).startsWith(prefix)) return tree->topLevelItem(i);
    return nullptr;
}

// Typing as a keyboard with any layout does: each character arrives as the text of a key press.
void typeText(QWidget* target, const QString& text) {
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(target, &release);
    }
}

} // namespace

TEST(SidePanel, IsDockedAtTheLeftWithEveryControlUnderItsId) {
    EditorFrame w;
    ASSERT_NE(w.frame->sidePanelDock(), nullptr);
    EXPECT_EQ(w.frame->dockWidgetArea(w.frame->sidePanelDock()), Qt::LeftDockWidgetArea);
    EXPECT_EQ(w.frame->sidePanelDock()->widget(), w.panel());
    for (int id : {1632, 1110, 1288, 1014, 1292, 1018, 1284, 1026, 1262, 1250, 1316, 1024, 1032, 1034, 1220,
                   1208, 1028})
        EXPECT_NE(w.frame->findChild<QWidget*>(QString::number(id)), nullptr) << id;
    EXPECT_EQ(w.control<QPushButton>(1632)->text(), QStringLiteral("Установить"));
    // Hiding and showing the panel by its command.
    w.frame->runCommand(cmd::kBarSidePanel);
    EXPECT_TRUE(w.frame->sidePanelDock()->isHidden());
    w.frame->runCommand(cmd::kBarSidePanel);
    EXPECT_FALSE(w.frame->sidePanelDock()->isHidden());
}

TEST(SidePanel, FormingShowsTheStatusInBlueInsteadOfTheCoordinates) {
    EditorFrame w;
    w.frame->runCommand(cmd::kNewProject);
    buildMeasuredRoom(w.doc(), kRectangle, {L"AC"}, 15);
    w.doc().rebuildTree();
    auto* status = w.control<QLabel>(1284);
    auto* x = w.control<QLabel>(1014);
    EXPECT_FALSE(status->isVisible());
    EXPECT_TRUE(x->isVisible());
    w.frame->runCommand(cmd::kFormProject);
    EXPECT_TRUE(status->isVisible());
    EXPECT_EQ(status->text(), QStringLiteral("ПРОЕКТ СФОРМИРОВАН"));
    EXPECT_EQ(status->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_FALSE(x->isVisible());
    EXPECT_EQ(w.control<QLabel>(1026)->text(), QStringLiteral("12.00"));
    EXPECT_EQ(w.control<QLabel>(1250)->text(), QStringLiteral("14.0"));
    EXPECT_EQ(w.control<QLabel>(1024)->text(), QStringLiteral("0"));
}

TEST(SidePanel, TheTreeMarksARightAngleAndTheTriangleCommandsActOnTheSelectedRow) {
    EditorFrame w;
    w.frame->runCommand(cmd::kNewProject);
    setOutline(w.doc(), {{0, 0}, {300, 0}, {300, 300}, {0, 300}});
    for (const wchar_t* side : {L"AB", L"BC", L"CD", L"DA"})
        measureRecord(w.doc(), side, 300);
    measureRecord(w.doc(), L"AC", 424.27);
    w.doc().rebuildTree();
    auto* tree = w.control<QTreeWidget>(1110);
    QTreeWidgetItem* bc = rowNamed(tree, QStringLiteral("BC"));
    ASSERT_NE(bc, nullptr);
    EXPECT_EQ(bc->text(0), QStringLiteral("BC (300.0) L"));

    tree->setCurrentItem(rowNamed(tree, QStringLiteral("CD")));
    EXPECT_EQ(w.panel()->nameField()->text(), QStringLiteral("CD"));
    w.frame->runCommand(cmd::kTriangleInward);
    EXPECT_EQ(w.doc().polygon.at(2).sidePreference, kSideInward);
    QTreeWidgetItem* cd = rowNamed(tree, QStringLiteral("CD"));
    ASSERT_NE(cd, nullptr);
    EXPECT_TRUE(cd->text(0).endsWith(QStringLiteral(" ВНУТРЬ")));
    EXPECT_TRUE(cd->isSelected()) << "the row stays selected across the rebuild";
    w.frame->refreshCommandStates();
    EXPECT_TRUE(w.frame->action(cmd::kTriangleInward)->isChecked());
}

// The pairs below a side are made when the side is opened; a rebuild (any change) keeps the
// opened sides open with their pairs as they are now, and a selected pair selected.
TEST(SidePanel, ThePairsOfASideAppearWhenItIsOpenedAndStayOpenAcrossARebuild) {
    EditorFrame w;
    w.frame->runCommand(cmd::kNewProject);
    buildMeasuredRoom(w.doc(), kRectangle, {L"AC"});
    w.doc().rebuildTree();
    auto* tree = w.control<QTreeWidget>(1110);
    QTreeWidgetItem* ab = rowNamed(tree, QStringLiteral("AB"));
    ASSERT_NE(ab, nullptr);
    EXPECT_EQ(ab->childCount(), 0);
    EXPECT_EQ(ab->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator) << "it can be opened";
    tree->expandItem(ab);
    ASSERT_EQ(ab->childCount(), 3);
    EXPECT_EQ(ab->child(1)->text(0), QStringLiteral("AC (500.0)"));
    tree->setCurrentItem(ab->child(1));

    measureRecord(w.doc(), L"AC", 510);
    w.doc().rebuildTree();
    ab = rowNamed(tree, QStringLiteral("AB"));
    ASSERT_NE(ab, nullptr);
    EXPECT_TRUE(ab->isExpanded());
    ASSERT_EQ(ab->childCount(), 3);
    EXPECT_TRUE(ab->child(1)->text(0).startsWith(QStringLiteral("AC (510.0)")));
    EXPECT_TRUE(ab->child(1)->isSelected());
    EXPECT_EQ(rowNamed(tree, QStringLiteral("BC"))->childCount(), 0) << "closed sides stay unbuilt";
    EXPECT_EQ(rowNamed(tree, QStringLiteral("DA"))->childIndicatorPolicy(),
              QTreeWidgetItem::DontShowIndicatorWhenChildless)
        << "nothing below the last vertex";
}

TEST(SidePanel, ChoosingARowFillsTheFieldsAndASideRowMovesTheFocusToTheLength) {
    EditorFrame w;
    w.frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.frame.get()));
    w.frame->runCommand(cmd::kNewProject);
    buildMeasuredRoom(w.doc(), kRectangle, {L"AC"});
    w.doc().rebuildTree();
    auto* tree = w.control<QTreeWidget>(1110);
    QTreeWidgetItem* ab = rowNamed(tree, QStringLiteral("AB"));
    tree->expandItem(ab); // the pairs below a side are there once it is opened
    tree->setCurrentItem(ab->child(1));
    EXPECT_EQ(w.panel()->nameField()->text(), QStringLiteral("AC"));
    EXPECT_EQ(w.panel()->lengthField()->text(), QStringLiteral("500.0"));
    EXPECT_EQ(w.doc().editor.currentDiagonal, findDiagonal(w.doc(), 0, 2)) << "the drawing marks it";
    tree->setCurrentItem(rowNamed(tree, QStringLiteral("DA")));
    EXPECT_EQ(w.panel()->nameField()->text(), QStringLiteral("AD"));
    EXPECT_EQ(w.panel()->lengthField()->text(), QStringLiteral("400.0"));
    EXPECT_TRUE(w.panel()->lengthField()->hasFocus());
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.panel()->lengthField()->selectedText() == "400.0"; }, 1000))
        << "the focus selects the whole length, ready to be typed over";
}

TEST(SidePanel, NamesTypedWithTheRussianLayoutReadAsTheLatinLettersOfTheSameKeys) {
    EditorFrame w;
    TZExtendedEdit* name = w.panel()->nameField();
    typeText(name, QStringLiteral("ав"));
    EXPECT_EQ(name->text(), QStringLiteral("FD"));
    EXPECT_EQ(name->cursorPosition(), 2);
    typeText(name, QStringLiteral("1-b"));
    EXPECT_EQ(name->text(), QStringLiteral("FD1-B"));
}

TEST(SidePanel, RussianKeysTypeLatinNamesAndEnterWalksThroughTheEntry) {
    EditorFrame w;
    w.frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.frame.get()));
    w.frame->runCommand(cmd::kNewProject);
    buildMeasuredRoom(w.doc(), {{0, 0}, {0, 300}, {400, 300}, {400, 0}, {200, -100}, {0, -100}}, {}, 10);
    w.doc().rebuildTree();
    TZExtendedEdit* name = w.panel()->nameField();
    TZExtendedEdit* length = w.panel()->lengthField();
    name->setFocus();
    typeText(name, QStringLiteral("сф"));
    EXPECT_EQ(name->text(), QStringLiteral("AC")) << "\"CA\" selected and written lower index first";
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_TRUE(length->hasFocus()) << "Enter in the name goes on to the length";
    length->clear();
    typeText(length, QStringLiteral("500,5"));
    QTest::keyClick(length, Qt::Key_Return);
    EXPECT_EQ(w.doc().diagonals.at(findDiagonal(w.doc(), 0, 2)).length, 500.5);
    EXPECT_EQ(name->text(), QStringLiteral("AD")) << "the next diagonal to measure";
    EXPECT_EQ(length->text(), QStringLiteral("?"));
    EXPECT_TRUE(length->hasFocus());
    EXPECT_EQ(length->selectedText(), QStringLiteral("?"));
    typeText(length, QStringLiteral("447.2"));
    QTest::mouseClick(w.control<QPushButton>(1632), Qt::LeftButton);
    EXPECT_EQ(w.doc().diagonals.at(findDiagonal(w.doc(), 0, 3)).length, 447.2);
}

TEST(SidePanel, TheMiddleButtonSelectsTheWholeName) {
    EditorFrame w;
    TZExtendedEdit* name = w.panel()->nameField();
    name->setText(QStringLiteral("AB"));
    name->deselect();
    QTest::mouseClick(name, Qt::MiddleButton);
    EXPECT_EQ(name->selectedText(), QStringLiteral("AB"));
    EXPECT_EQ(name->text(), QStringLiteral("AB")) << "nothing pasted";
}

TEST(SidePanel, TheListShowsConstructionsAndCutoutsInOrder) {
    EditorFrame w;
    w.frame->runCommand(cmd::kNewProject);
    setOutline(w.doc(), kRectangle);
    TZHole circle;
    circle.type = static_cast<std::int32_t>(TZHoleType::Circle);
    circle.size1 = 50;
    addCutout(w.doc(), circle);
    TZHole rectangle;
    rectangle.size1 = 40;
    addCutout(w.doc(), rectangle);
    auto* list = w.control<QListWidget>(1220);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("ВЫРЕЗ круга"));
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("ВЫРЕЗ прямоугольника"));
    std::vector<int> opened;
    w.panel()->setListOpener([&](const OrderListLine& line) { opened.push_back(line.index); });
    emit list->itemActivated(list->item(1));
    EXPECT_EQ(opened, std::vector<int>{1});
}

TEST(SidePanel, ButtonsArePaintedWithTheirFrameOnAGreyFace) {
    EditorFrame w;
    auto* button = w.control<PanelButton>(1632);
    const QImage image = button->grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    const auto at = [&](int x, int y) { return image.pixelColor(int(x * ratio), int(y * ratio)); };
    EXPECT_EQ(at(0, button->height() / 2), QColor(240, 240, 240));
    EXPECT_EQ(at(button->width() - 1, button->height() / 2), QColor(144, 144, 144));
    EXPECT_EQ(at(2, button->height() - 3), QColor(208, 208, 208));
    EXPECT_EQ(w.panel()->palette().color(QPalette::Window), QColor(224, 224, 224));
}

TEST(SidePanel, ItsWidthAndWhetherItIsShownAreRememberedBetweenRuns) {
    TempDir dir;
    QSettings store(QString::fromStdString((dir / "layout.ini").string()), QSettings::IniFormat);
    int width = 0;
    {
        EditorFrame w;
        w.frame->resizeDocks({w.frame->sidePanelDock()}, {320}, Qt::Horizontal);
        QApplication::processEvents();
        width = w.frame->sidePanelDock()->width();
        EXPECT_GT(width, 300);
        w.frame->saveLayout(store);
    }
    {
        EditorFrame again;
        again.frame->restoreLayout(store);
        QApplication::processEvents();
        EXPECT_EQ(again.frame->sidePanelDock()->width(), width);
        again.frame->runCommand(cmd::kBarSidePanel);
        again.frame->saveLayout(store);
    }
    EditorFrame third;
    third.frame->restoreLayout(store);
    QApplication::processEvents();
    EXPECT_TRUE(third.frame->sidePanelDock()->isHidden());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !third.frame->action(cmd::kBarSidePanel)->isChecked(); }, 1000));
}
