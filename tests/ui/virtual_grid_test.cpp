#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolTip>
#include <QtTest/QTest>
#include <map>

#include "grid/ui/virtual_grid_ctrl.h"
#include "qt_app.h"

using namespace tenzora;

namespace {

QString name(GridCell c) {
    return QStringLiteral("%1,%2").arg(c.column).arg(c.row);
}

// An owner with a small table that writes down the select and set notifications in order.
class TableOwner : public GridOwner {
  public:
    void cellData(GridCellRequest& r) override {
        const auto it = texts.find(name(r.cell));
        r.text =
            (it != texts.end() ? it->second : QStringLiteral("r%1c%2").arg(r.cell.row).arg(r.cell.column))
                .toStdWString();
        if (r.cell == GridCell{2, 3}) {
            r.background = 0x00FF00;
            r.image = 0;
        }
    }
    bool setCellText(GridCell cell, std::wstring& text) override {
        log << "set " + name(cell) + " " + QString::fromStdWString(text);
        if (refuse) return false;
        texts[name(cell)] = QString::fromStdWString(text);
        return true;
    }
    void selectCell(GridCell cell, bool& allow) override {
        log << "select " + name(cell) + (allow ? " yes" : " no");
    }
    QStringList log;
    std::map<QString, QString> texts;
    bool refuse = false;
};

// Types text key by key, as a keyboard with any layout would (QTest knows only ASCII keys).
void typeText(QWidget* target, const QString& text) {
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(target, &release);
    }
}

struct GridWindow {
    GridWindow() {
        grid.setOwner(&owner);
        grid.columns().add(L"№", 30, GridAlignment::Right);
        grid.columns().add(L"Наименование", 110);
        grid.columns().add(L"Цена", 60, GridAlignment::Right);
        grid.setRowCount(40);
        grid.resize(400, 200);
        grid.show();
        QApplication::setActiveWindow(&grid);
        grid.setFocus();
        QApplication::processEvents();
    }
    bool applicationReady = (testApplication(), true); // before any widget
    TableOwner owner;
    CVirtualGridCtrl grid;

    QPoint centreOf(GridCell c) { return grid.visualRect(grid.model()->index(c.row, c.column)).center(); }
    void click(GridCell c) { QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, centreOf(c)); }
    QStringList takeLog() { return std::exchange(owner.log, {}); }
};

} // namespace

TEST(VirtualGrid, ClickTypeAndTabNotifyInOrder) {
    GridWindow w;
    w.click({1, 0});
    EXPECT_EQ(w.takeLog(), QStringList{"select 1,0 yes"});
    EXPECT_EQ(w.grid.currentIndex(), w.grid.model()->index(0, 1));

    QTest::keyClick(&w.grid, Qt::Key_5);
    QLineEdit* edit = w.grid.editor();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), "5");
    EXPECT_FALSE(edit->hasSelectedText());
    QTest::keyClicks(edit, "0");
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_EQ(w.takeLog(), (QStringList{"select 2,0 yes", "set 1,0 50"}));
    // The next cell's editor opens with its text selected.
    edit = w.grid.editor();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), "r0c2");
    EXPECT_EQ(edit->selectedText(), "r0c2");
    EXPECT_EQ(w.grid.model()->index(0, 1).data().toString(), "50");

    // Escape drops the edit; the keyboard stays with the grid.
    QTest::keyClicks(edit, "abc");
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(w.grid.editor(), nullptr);
    EXPECT_TRUE(w.takeLog().isEmpty());
    EXPECT_TRUE(w.grid.hasFocus());
}

TEST(VirtualGrid, EnterAcceptsAndClickingTheCurrentCellEdits) {
    GridWindow w;
    w.click({1, 2});
    w.click({1, 2}); // the current cell: its editor opens
    QLineEdit* edit = w.grid.editor();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), "r2c1");
    typeText(edit, "Кухня");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(w.grid.editor(), nullptr);
    EXPECT_EQ(w.owner.texts["1,2"], "Кухня");
    EXPECT_EQ(w.grid.currentCell(), (GridCell{1, 2}));
}

TEST(VirtualGrid, ARefusedEditKeepsTheEditorOpen) {
    GridWindow w;
    w.click({1, 1});
    QTest::keyClick(&w.grid, Qt::Key_X);
    w.owner.refuse = true;
    w.click({2, 5});
    ASSERT_NE(w.grid.editor(), nullptr);
    EXPECT_EQ(w.grid.currentCell(), (GridCell{1, 1}));
    EXPECT_TRUE(w.grid.editor()->hasFocus());
    w.owner.refuse = false;
    w.click({2, 5});
    EXPECT_EQ(w.grid.editor(), nullptr);
    EXPECT_EQ(w.owner.texts["1,1"], "x");
}

TEST(VirtualGrid, NameOptionTurnsRussianKeysIntoNames) {
    GridWindow w;
    w.grid.options().nameOption = true;
    w.click({1, 0});
    QTest::keyClick(&w.grid, Qt::Key_A, Qt::NoModifier); // opens the editor with "A"
    QLineEdit* edit = w.grid.editor();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), "A");
    edit->clear();
    typeText(edit, "ав");
    EXPECT_EQ(edit->text(), "FD");
    EXPECT_EQ(edit->cursorPosition(), 2);
}

TEST(VirtualGrid, KeyboardMovesTheCurrentCell) {
    GridWindow w;
    w.click({1, 0});
    QTest::keyClick(&w.grid, Qt::Key_Down);
    QTest::keyClick(&w.grid, Qt::Key_Right);
    EXPECT_EQ(w.grid.currentCell(), (GridCell{2, 1}));
    QTest::keyClick(&w.grid, Qt::Key_Home);
    EXPECT_EQ(w.grid.currentCell(), (GridCell{0, 1}));
    QTest::keyClick(&w.grid, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(w.grid.currentCell(), (GridCell{0, 39}));
    QTest::keyClick(&w.grid, Qt::Key_PageUp);
    EXPECT_LT(w.grid.currentCell().row, 39);
    EXPECT_GT(w.grid.currentCell().row, 20); // a page of a 200-pixel grid is a few rows
    // The current row stays in sight.
    EXPECT_TRUE(w.grid.viewport()->rect().intersects(w.grid.visualRect(w.grid.currentIndex())));
    QTest::keyClick(&w.grid, Qt::Key_Tab);
    EXPECT_EQ(w.grid.currentCell().column, 1);
    EXPECT_NE(w.grid.editor(), nullptr);
}

TEST(VirtualGrid, ColumnsKeepTheirLimitsAndFitTheirContents) {
    GridWindow w;
    CGridColumn& name = w.grid.columns()[1];
    name.setMaxWidth(150);
    QHeaderView* header = w.grid.horizontalHeader();
    header->resizeSection(1, 400);
    EXPECT_EQ(name.width(), 150);
    EXPECT_EQ(w.grid.columnWidth(1), 150);
    name.setMinWidth(40);
    header->resizeSection(1, 5);
    EXPECT_EQ(w.grid.columnWidth(1), 40);

    // A double click on the divider fits the contents (here the longest text).
    w.owner.texts["1,7"] = "Очень длинное наименование материала";
    const int divider = header->sectionViewportPosition(1) + header->sectionSize(1) - 1;
    QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, QPoint(divider, header->height() / 2));
    EXPECT_EQ(w.grid.columnWidth(1), 150); // wanted more, held at the maximum
    name.setMaxWidth(1000);
    w.grid.resizeColumnToContents(1);
    EXPECT_EQ(w.grid.columnWidth(1), w.grid.contentsWidth(1));
    EXPECT_GT(w.grid.columnWidth(1), 150);

    name.setVisible(false);
    EXPECT_TRUE(w.grid.isColumnHidden(1));
}

TEST(VirtualGrid, FixedColumnsStayAndRefuseTheCursor) {
    GridWindow w;
    w.grid.setFixedCount(1);
    QApplication::processEvents();
    auto* fixed = w.grid.findChild<QTableView*>("fixedColumns");
    ASSERT_NE(fixed, nullptr);
    EXPECT_TRUE(fixed->isVisible());
    EXPECT_EQ(fixed->width(), w.grid.columnWidth(0));
    QTest::mouseClick(fixed->viewport(), Qt::LeftButton, {},
                      fixed->visualRect(fixed->model()->index(3, 0)).center());
    EXPECT_EQ(w.takeLog(), QStringList{"select 0,3 no"});
    EXPECT_FALSE(w.grid.currentCell().valid());
    // The fixed colour comes from the grid unless the owner gives its own.
    EXPECT_EQ(w.grid.model()->index(3, 0).data(Qt::BackgroundRole).value<QBrush>().color(),
              w.grid.palette().color(QPalette::Button));
    EXPECT_EQ(w.grid.model()->index(3, 2).data(Qt::BackgroundRole).value<QColor>(), QColor(0, 255, 0));
}

TEST(VirtualGrid, ClippedTextGetsATitleTip) {
    GridWindow w;
    w.owner.texts["1,1"] = "Очень длинное наименование, которое не помещается";
    QHelpEvent clipped(QEvent::ToolTip, w.centreOf({1, 1}),
                       w.grid.viewport()->mapToGlobal(w.centreOf({1, 1})));
    QApplication::sendEvent(w.grid.viewport(), &clipped);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), w.owner.texts["1,1"]);
    w.owner.texts["0,1"] = "1";
    QHelpEvent fits(QEvent::ToolTip, w.centreOf({0, 1}), w.grid.viewport()->mapToGlobal(w.centreOf({0, 1})));
    QApplication::sendEvent(w.grid.viewport(), &fits);
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
}

TEST(VirtualGrid, FewerRowsDropTheEditor) {
    GridWindow w;
    w.click({1, 30});
    QTest::keyClick(&w.grid, Qt::Key_7);
    ASSERT_NE(w.grid.editor(), nullptr);
    w.grid.setRowCount(10);
    EXPECT_EQ(w.grid.editor(), nullptr);
    EXPECT_FALSE(w.grid.currentCell().valid());
    // An editor on a row that stays survives a change of the row count with its text.
    w.click({1, 2});
    QTest::keyClick(&w.grid, Qt::Key_8);
    w.grid.setRowCount(12);
    ASSERT_NE(w.grid.editor(), nullptr);
    EXPECT_EQ(w.grid.editor()->text(), "8");
}

TEST(VirtualGrid, Screenshot) {
    GridWindow w;
    w.grid.setFixedCount(1);
    w.grid.columns()[0].setCaption(L"№");
    w.owner.texts["1,1"] = "Очень длинное наименование материала";
    w.click({1, 1});
    w.click({2, 3});
    QTest::keyClick(&w.grid, Qt::Key_4);
    QApplication::processEvents();
    w.grid.grab().save(QString::fromStdString(
        (std::filesystem::path(TENZORA_PROGRAM_DIR).parent_path() / "grid.png").string()));
    EXPECT_NE(w.grid.editor(), nullptr);
}
