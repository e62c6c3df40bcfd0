#pragma once
// The behaviour of the grid control without its window: which cell is current, how the keys
// move it, when the owner is asked, and the life of the in-place editor (opening, the name
// option, applying the text, moving on with Tab and Enter). The Qt control binds its widgets to
// this and keeps no rule of its own.

#include <string>

#include "grid/grid_columns.h"
#include "grid/grid_owner.h"

namespace tenzora {

enum class GridMove { Left, Right, Up, Down, PageUp, PageDown, Home, End, Next, Previous };

struct GridOptions {
    bool allowEdit = true;    // cells can be edited at all
    bool readOnly = false;    // edits are shown but never handed to the owner
    bool moveOnEnter = false; // Enter in the editor moves on like Tab (otherwise it accepts)
    bool rowSelect = false;   // the whole row is the cursor; Home and End go to the first/last row
    bool nameOption = false;  // typed text goes through the name-key table (vertex names)
};

class GridController {
  public:
    explicit GridController(GridOwner* owner = nullptr) : owner_(owner) {}

    void setOwner(GridOwner* owner) { owner_ = owner; }
    GridOwner* owner() const { return owner_; }
    CGridColumns& columns() { return columns_; }
    const CGridColumns& columns() const { return columns_; }
    GridOptions& options() { return options_; }
    const GridOptions& options() const { return options_; }

    int rowCount() const { return rowCount_; }
    // A current cell or an editor on a row that no longer exists is dropped (the editor unapplied).
    void setRowCount(int count);
    int fixedCount() const { return fixedCount_; }
    void setFixedCount(int count);
    bool isFixed(int column) const { return column < fixedCount_; }

    // ---- the current cell ---------------------------------------------------------------------
    GridCell current() const { return current_; }
    // A cell of an existing row in a visible column of positive width.
    bool canHoldCursor(GridCell cell) const;
    // Makes `cell` current: the owner is asked first; then the open editor is closed with its text
    // applied; then the cell becomes current. False when refused or when the edit failed.
    bool select(GridCell cell);
    // No current cell (a press outside the cells); the editor is closed with its text applied.
    void clearCurrent();
    // A key's move: the nearest cell in that direction that the owner accepts. `pageRows` is the
    // number of rows a page holds.
    bool move(GridMove move, bool ctrl = false, int pageRows = 1);

    // ---- the in-place editor ------------------------------------------------------------------
    bool isEditable(GridCell cell) const;
    bool editing() const { return editing_; }
    GridCell editorCell() const { return editorCell_; }
    const std::wstring& editorText() const { return editorText_; }
    // Opens the editor on the current cell with the cell's text; an editor elsewhere is closed
    // first. False (and no editor) when the cell cannot be edited.
    bool openEditor();
    // The editor's text changed. With the name option the text is converted; true when the
    // conversion changed it (the window then replaces the text and puts the caret at the end).
    bool setEditorText(std::wstring text);
    // Hands the editor's text to the owner and takes back what it returns. On failure the edited
    // cell becomes current again and the editor stays open: false.
    bool applyEdit();
    // Closes the editor, applying its text first when asked; false (editor still open) when
    // applying failed.
    bool closeEditor(bool apply);
    // A printable character typed on the grid: opens the editor with that character as its text.
    bool typeCharacter(wchar_t ch);
    // Tab (Shift+Tab) on the grid or in the editor: the next (previous) cell with its editor open.
    bool tab(bool backwards);
    // Enter: on the grid like Tab; in the editor like Tab when moving on Enter, else accepts.
    bool enter(bool shift);

    // ---- cells for painting -------------------------------------------------------------------
    GridCellRequest cellData(GridCell cell, int mask) const;
    // Sets a column to the width its contents need, within its limits; returns the width.
    int fitColumn(int column, int neededWidth);

  private:
    bool ask(GridCell cell);
    bool switchTo(GridCell cell);
    bool moveTo(GridMove move, bool ctrl, int pageRows, bool openAfter);

    GridOwner* owner_ = nullptr;
    CGridColumns columns_;
    GridOptions options_;
    int rowCount_ = 0;
    int fixedCount_ = 0;
    GridCell current_;
    bool editing_ = false;
    GridCell editorCell_;
    std::wstring editorText_;
};

} // namespace tenzora
