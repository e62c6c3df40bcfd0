#include <gtest/gtest.h>

#include <cwctype>
#include <map>
#include <set>
#include <utility>

#include "grid/grid_controller.h"

using namespace tenzora;

namespace {

std::wstring cellName(GridCell c) {
    return std::to_wstring(c.column) + L"," + std::to_wstring(c.row);
}

// An owner that keeps a little table and writes down every notification in order.
class RecordingOwner : public GridOwner {
  public:
    void cellData(GridCellRequest& r) override {
        log.push_back(L"data " + cellName(r.cell));
        r.text = L"t" + cellName(r.cell);
        if (auto it = texts.find(cellName(r.cell)); it != texts.end()) r.text = it->second;
    }
    bool setCellText(GridCell cell, std::wstring& text) override {
        log.push_back(L"set " + cellName(cell) + L" " + text);
        if (failNext) {
            failNext = false;
            return false;
        }
        if (upperCase)
            for (wchar_t& ch : text)
                ch = static_cast<wchar_t>(std::towupper(ch));
        texts[cellName(cell)] = text;
        return true;
    }
    void selectCell(GridCell cell, bool& allow) override {
        log.push_back(L"select " + cellName(cell) + (allow ? L" yes" : L" no"));
        if (refusedColumns.count(cell.column)) allow = false;
        if (allowFixed && cell.column == 0) allow = true;
    }

    std::vector<std::wstring> log;
    std::map<std::wstring, std::wstring> texts;
    std::set<int> refusedColumns;
    bool failNext = false;
    bool upperCase = false;
    bool allowFixed = false;
};

struct Grid {
    explicit Grid(int columns = 4, int rows = 5) : grid(&owner) {
        for (int i = 0; i < columns; ++i)
            grid.columns().add(L"c" + std::to_wstring(i));
        grid.setRowCount(rows);
    }
    RecordingOwner owner;
    GridController grid;
    std::vector<std::wstring> takeLog() { return std::exchange(owner.log, {}); }
};

using Log = std::vector<std::wstring>;

} // namespace

TEST(GridColumns, WidthIsClampedAndChangesAreReported) {
    CGridColumns columns;
    std::vector<std::pair<int, bool>> changes;
    columns.setListener([&](int column, bool layout) { changes.push_back({column, layout}); });
    CGridColumn& c = columns.add(L"Город", 120);
    EXPECT_EQ(c.width(), 120);
    EXPECT_EQ(columns[0].caption(), L"Город");
    c.setMaxWidth(100);
    EXPECT_EQ(c.width(), 100);
    c.setWidth(-5);
    EXPECT_EQ(c.width(), 0);
    c.setMinWidth(30);
    EXPECT_EQ(c.width(), 30);
    c.setMaxWidth(10); // never below the minimum
    EXPECT_EQ(c.maxWidth(), 30);
    changes.clear();
    c.setAlignment(GridAlignment::Right);
    c.setVisible(false);
    EXPECT_EQ(changes, (std::vector<std::pair<int, bool>>{{0, false}, {0, true}}));
    // The defaults of a new column.
    CGridColumn& d = columns.add(L"");
    EXPECT_EQ(d.width(), 64);
    EXPECT_EQ(d.minWidth(), 0);
    EXPECT_EQ(d.maxWidth(), 10000);
    EXPECT_TRUE(d.visible());
    EXPECT_EQ(d.alignment(), GridAlignment::Left);
}

TEST(GridController, TypingThenTabNotifiesInOrder) {
    Grid g;
    ASSERT_TRUE(g.grid.select({1, 0}));
    EXPECT_EQ(g.takeLog(), (Log{L"select 1,0 yes"}));

    ASSERT_TRUE(g.grid.typeCharacter(L'5'));
    EXPECT_TRUE(g.grid.editing());
    EXPECT_EQ(g.grid.editorText(), L"5"); // the typed character replaces the text
    g.takeLog();

    // Tab: the next cell is asked first, then the edit is handed over, then the next editor is filled.
    ASSERT_TRUE(g.grid.tab(false));
    EXPECT_EQ(g.takeLog(), (Log{L"select 2,0 yes", L"set 1,0 5", L"data 2,0"}));
    EXPECT_EQ(g.grid.current(), (GridCell{2, 0}));
    EXPECT_TRUE(g.grid.editing());
    EXPECT_EQ(g.grid.editorText(), L"t2,0");
}

TEST(GridController, TheOwnerMayReplaceTheTextOrRefuseIt) {
    Grid g;
    g.owner.upperCase = true;
    g.grid.select({1, 1});
    g.grid.openEditor();
    g.grid.setEditorText(L"ab");
    EXPECT_TRUE(g.grid.applyEdit());
    EXPECT_EQ(g.grid.editorText(), L"AB");

    // A failed store keeps the edited cell current and its editor open.
    g.owner.failNext = true;
    g.grid.setEditorText(L"x");
    EXPECT_FALSE(g.grid.select({2, 3}));
    EXPECT_EQ(g.grid.current(), (GridCell{1, 1}));
    EXPECT_TRUE(g.grid.editing());
    EXPECT_EQ(g.grid.editorText(), L"x");
    EXPECT_TRUE(g.grid.select({2, 3}));
    EXPECT_EQ(g.owner.texts[L"1,1"], L"X");
}

TEST(GridController, RefusedAndUnselectableCellsAreSkipped) {
    Grid g(5, 2);
    g.owner.refusedColumns = {2};
    g.grid.columns()[3].setVisible(false);
    g.grid.select({1, 0});
    g.takeLog();
    ASSERT_TRUE(g.grid.move(GridMove::Right));
    // Column 2 is asked and refuses; column 3 is hidden and never asked.
    EXPECT_EQ(g.takeLog(), (Log{L"select 2,0 yes", L"select 4,0 yes"}));
    EXPECT_EQ(g.grid.current(), (GridCell{4, 0}));
    // A zero-width column cannot hold the cursor either.
    g.grid.columns()[4].setWidth(0);
    EXPECT_FALSE(g.grid.select({4, 1}));
}

TEST(GridController, FixedColumnsRefuseUnlessTheOwnerAllows) {
    Grid g;
    g.grid.setFixedCount(1);
    EXPECT_FALSE(g.grid.select({0, 2}));
    EXPECT_EQ(g.takeLog(), (Log{L"select 0,2 no"}));
    g.owner.allowFixed = true;
    EXPECT_TRUE(g.grid.select({0, 2}));
    // Even when current, a fixed cell is not edited.
    EXPECT_FALSE(g.grid.openEditor());
    EXPECT_FALSE(g.grid.typeCharacter(L'a'));
    EXPECT_TRUE(g.grid.cellData({0, 2}, kGridColours).fixed);
    EXPECT_TRUE(g.grid.cellData({0, 2}, kGridColours).current);
}

TEST(GridController, KeyboardMoves) {
    Grid g(4, 30);
    auto at = [&] { return g.grid.current(); };
    // Without a cursor any key starts at the first cell.
    g.grid.move(GridMove::Down);
    EXPECT_EQ(at(), (GridCell{0, 0}));
    g.grid.move(GridMove::Right);
    g.grid.move(GridMove::Down);
    EXPECT_EQ(at(), (GridCell{1, 1}));
    EXPECT_TRUE(g.grid.move(GridMove::Up));
    EXPECT_FALSE(g.grid.move(GridMove::Up)); // stops at the top
    EXPECT_EQ(at(), (GridCell{1, 0}));
    g.grid.move(GridMove::PageDown, false, 10);
    EXPECT_EQ(at(), (GridCell{1, 10}));
    g.grid.move(GridMove::PageDown, false, 25);
    EXPECT_EQ(at(), (GridCell{1, 29}));
    g.grid.move(GridMove::PageUp, false, 10);
    EXPECT_EQ(at(), (GridCell{1, 19}));
    g.grid.move(GridMove::End);
    EXPECT_EQ(at(), (GridCell{3, 19}));
    g.grid.move(GridMove::Home);
    EXPECT_EQ(at(), (GridCell{0, 19}));
    g.grid.move(GridMove::End, /*ctrl=*/true);
    EXPECT_EQ(at(), (GridCell{0, 29}));
    g.grid.move(GridMove::Home, /*ctrl=*/true);
    EXPECT_EQ(at(), (GridCell{0, 0}));
    // In row mode Home and End go to the first and last row.
    g.grid.options().rowSelect = true;
    g.grid.move(GridMove::End);
    EXPECT_EQ(at(), (GridCell{0, 29}));
    // Tab runs in reading order across rows; Shift+Tab back.
    g.grid.select({3, 4});
    g.grid.tab(false);
    EXPECT_EQ(at(), (GridCell{0, 5}));
    g.grid.tab(true);
    EXPECT_EQ(at(), (GridCell{3, 4}));
}

TEST(GridController, EnterAcceptsOrMovesOn) {
    Grid g;
    g.grid.select({1, 1});
    g.grid.typeCharacter(L'7');
    g.takeLog();
    EXPECT_TRUE(g.grid.enter(false));
    EXPECT_FALSE(g.grid.editing());
    EXPECT_EQ(g.grid.current(), (GridCell{1, 1}));
    EXPECT_EQ(g.takeLog(), (Log{L"set 1,1 7"}));
    // Enter on the grid (no editor) moves on and opens the next editor.
    g.grid.enter(false);
    EXPECT_EQ(g.grid.current(), (GridCell{2, 1}));
    EXPECT_TRUE(g.grid.editing());
    g.grid.options().moveOnEnter = true;
    g.grid.enter(true);
    EXPECT_EQ(g.grid.current(), (GridCell{1, 1}));
    EXPECT_TRUE(g.grid.editing());
}

TEST(GridController, TabOnTheLastCellStillAcceptsTheEdit) {
    Grid g(2, 1);
    g.grid.select({1, 0});
    g.grid.typeCharacter(L'9');
    EXPECT_FALSE(g.grid.tab(false));
    EXPECT_EQ(g.owner.texts[L"1,0"], L"9");
    EXPECT_TRUE(g.grid.editing());
}

TEST(GridController, NameOptionConvertsTypedNames) {
    Grid g;
    g.grid.options().nameOption = true;
    g.grid.select({1, 0});
    EXPECT_TRUE(g.grid.typeCharacter(L'а')); // Cyrillic а sits on the F key
    EXPECT_EQ(g.grid.editorText(), L"F");
    EXPECT_TRUE(g.grid.setEditorText(L"Fв"));
    EXPECT_EQ(g.grid.editorText(), L"FD");
    EXPECT_FALSE(g.grid.setEditorText(L"FD1")); // nothing to convert: the text is left alone
    g.grid.options().nameOption = false;
    EXPECT_FALSE(g.grid.setEditorText(L"ав"));
    EXPECT_EQ(g.grid.editorText(), L"ав");
}

TEST(GridController, WhatCannotBeEditedIsNotOpened) {
    Grid g;
    g.grid.select({2, 2});
    EXPECT_FALSE(g.grid.typeCharacter(L'\t'));
    EXPECT_FALSE(g.grid.typeCharacter(127));
    g.grid.columns()[2].setReadOnly(true);
    EXPECT_FALSE(g.grid.openEditor());
    g.grid.columns()[2].setReadOnly(false);
    g.grid.options().allowEdit = false;
    EXPECT_FALSE(g.grid.typeCharacter(L'x'));
    // A read-only grid shows the editor but never hands its text over.
    g.grid.options().allowEdit = true;
    g.grid.options().readOnly = true;
    ASSERT_TRUE(g.grid.typeCharacter(L'x'));
    g.takeLog();
    EXPECT_TRUE(g.grid.closeEditor(true));
    EXPECT_TRUE(g.takeLog().empty());
}

TEST(GridController, FewerRowsDropTheCursorAndTheEditorOnVanishedRows) {
    Grid g;
    g.grid.select({1, 4});
    g.grid.typeCharacter(L'1');
    g.grid.setRowCount(3);
    EXPECT_FALSE(g.grid.current().valid());
    EXPECT_FALSE(g.grid.editing());
    EXPECT_TRUE(g.owner.texts.empty());
    g.grid.setRowCount(-4);
    EXPECT_EQ(g.grid.rowCount(), 0);
    EXPECT_FALSE(g.grid.move(GridMove::Down));
}

TEST(GridController, FittingAColumnKeepsItsLimits) {
    Grid g;
    g.grid.columns()[1].setMaxWidth(90);
    EXPECT_EQ(g.grid.fitColumn(1, 140), 90);
    EXPECT_EQ(g.grid.fitColumn(1, 40), 40);
    EXPECT_EQ(g.grid.fitColumn(9, 40), 0);
}
