#include "grid/grid_controller.h"

#include <algorithm>
#include <vector>

#include "model/names.h"

namespace tenzora {

namespace {
// Characters below the blank and DEL are control keys, not text to type into a cell.
constexpr wchar_t kFirstPrintable = 32;
constexpr wchar_t kDelete = 127;
} // namespace

void GridController::setRowCount(int count) {
    rowCount_ = std::max(0, count);
    if (editing_ && editorCell_.row >= rowCount_) editing_ = false;
    if (current_.row >= rowCount_) current_ = {};
}

void GridController::setFixedCount(int count) {
    fixedCount_ = std::max(0, count);
}

bool GridController::canHoldCursor(GridCell cell) const {
    if (!cell.valid() || cell.row >= rowCount_ || cell.column >= columns_.count()) return false;
    const CGridColumn& column = columns_[cell.column];
    return column.visible() && column.width() > 0;
}

bool GridController::ask(GridCell cell) {
    // Fixed columns refuse the cursor unless the owner says otherwise.
    bool allow = !isFixed(cell.column) && columns_[cell.column].selectable();
    if (owner_ != nullptr) owner_->selectCell(cell, allow);
    return allow;
}

bool GridController::switchTo(GridCell cell) {
    if (editing_ && !closeEditor(true)) return false;
    current_ = cell;
    return true;
}

bool GridController::select(GridCell cell) {
    if (!canHoldCursor(cell)) return false;
    if (cell == current_) return true;
    if (!ask(cell)) return false;
    return switchTo(cell);
}

void GridController::clearCurrent() {
    if (editing_ && !closeEditor(true)) return;
    current_ = {};
}

bool GridController::move(GridMove move, bool ctrl, int pageRows) {
    return moveTo(move, ctrl, pageRows, false);
}

bool GridController::moveTo(GridMove move, bool ctrl, int pageRows, bool openAfter) {
    const int rows = rowCount_;
    const int columns = columns_.count();
    if (rows == 0 || columns == 0) return false;

    // The cells the move may land on, nearest first.
    std::vector<GridCell> candidates;
    const GridCell from = current_;
    auto rowsFrom = [&](int first, int last, int step) {
        for (int r = first; step > 0 ? r <= last : r >= last; r += step)
            candidates.push_back({from.column, r});
    };
    auto columnsFrom = [&](int first, int last, int step) {
        for (int c = first; step > 0 ? c <= last : c >= last; c += step)
            candidates.push_back({c, from.row});
    };
    auto readingOrder = [&](GridCell start, bool backwards) {
        long long index = static_cast<long long>(start.row) * columns + start.column;
        const long long cells = static_cast<long long>(rows) * columns;
        for (index += backwards ? -1 : 1; index >= 0 && index < cells; index += backwards ? -1 : 1)
            candidates.push_back({static_cast<int>(index % columns), static_cast<int>(index / columns)});
    };
    const bool toRows = ctrl || options_.rowSelect;
    const int page = std::max(1, pageRows);

    if (!from.valid()) {
        // No cursor yet: every key starts at the first cell that takes it.
        candidates.push_back({0, 0});
        readingOrder({0, 0}, false);
    } else {
        switch (move) {
        case GridMove::Left:
            columnsFrom(from.column - 1, 0, -1);
            break;
        case GridMove::Right:
            columnsFrom(from.column + 1, columns - 1, 1);
            break;
        case GridMove::Up:
            rowsFrom(from.row - 1, 0, -1);
            break;
        case GridMove::Down:
            rowsFrom(from.row + 1, rows - 1, 1);
            break;
        case GridMove::PageUp: {
            const int target = std::max(0, from.row - page);
            rowsFrom(target, 0, -1);
            rowsFrom(target + 1, from.row - 1, 1);
            break;
        }
        case GridMove::PageDown: {
            const int target = std::min(rows - 1, from.row + page);
            rowsFrom(target, rows - 1, 1);
            rowsFrom(target - 1, from.row + 1, -1);
            break;
        }
        case GridMove::Home:
            if (toRows)
                rowsFrom(0, from.row - 1, 1);
            else
                columnsFrom(0, from.column - 1, 1);
            break;
        case GridMove::End:
            if (toRows)
                rowsFrom(rows - 1, from.row + 1, -1);
            else
                columnsFrom(columns - 1, from.column + 1, -1);
            break;
        case GridMove::Next:
            readingOrder(from, false);
            break;
        case GridMove::Previous:
            readingOrder(from, true);
            break;
        }
    }

    for (const GridCell& cell : candidates) {
        if (!canHoldCursor(cell) || cell == current_) continue;
        if (!ask(cell)) continue;
        if (!switchTo(cell)) return false;
        if (openAfter) openEditor();
        return true;
    }
    return false;
}

bool GridController::isEditable(GridCell cell) const {
    return options_.allowEdit && canHoldCursor(cell) && !isFixed(cell.column) &&
           !columns_[cell.column].readOnly();
}

bool GridController::openEditor() {
    if (editing_ && editorCell_ != current_ && !closeEditor(true)) return false;
    if (!isEditable(current_)) {
        if (editing_) closeEditor(true);
        return false;
    }
    if (editing_) return true;
    editorCell_ = current_;
    editorText_ = cellData(current_, kGridText).text;
    editing_ = true;
    return true;
}

bool GridController::setEditorText(std::wstring text) {
    if (!options_.nameOption) {
        editorText_ = std::move(text);
        return false;
    }
    std::wstring converted = applyNameKeys(text);
    const bool changed = converted != text;
    editorText_ = std::move(converted);
    return changed;
}

bool GridController::applyEdit() {
    if (!editing_ || options_.readOnly || !isEditable(editorCell_)) return true;
    std::wstring text = editorText_;
    if (owner_ != nullptr && !owner_->setCellText(editorCell_, text)) {
        current_ = editorCell_;
        return false;
    }
    editorText_ = std::move(text);
    return true;
}

bool GridController::closeEditor(bool apply) {
    if (!editing_) return true;
    if (apply && !applyEdit()) return false;
    editing_ = false;
    return true;
}

bool GridController::typeCharacter(wchar_t ch) {
    if (ch < kFirstPrintable || ch == kDelete) return false;
    if (!openEditor()) return false;
    setEditorText(std::wstring(1, ch));
    return true;
}

bool GridController::tab(bool backwards) {
    if (moveTo(backwards ? GridMove::Previous : GridMove::Next, false, 1, true)) return true;
    // No cell further on: the edit is still accepted, and the editor stays where it is.
    if (editing_) applyEdit();
    return false;
}

bool GridController::enter(bool shift) {
    if (editing_ && !options_.moveOnEnter) return closeEditor(true);
    return tab(shift);
}

GridCellRequest GridController::cellData(GridCell cell, int mask) const {
    GridCellRequest request;
    request.cell = cell;
    request.mask = mask;
    request.current = current_.valid() && cell.row == current_.row &&
                      (options_.rowSelect || cell.column == current_.column);
    request.fixed = isFixed(cell.column);
    if (owner_ != nullptr) owner_->cellData(request);
    return request;
}

int GridController::fitColumn(int column, int neededWidth) {
    if (column < 0 || column >= columns_.count()) return 0;
    columns_[column].setWidth(neededWidth);
    return columns_[column].width();
}

} // namespace tenzora
