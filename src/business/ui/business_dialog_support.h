#pragma once
// What the business windows share: a grid owner made of three functions (a dialog with two or
// three grids answers each through its own), the remembered position of a window, and column
// widths that follow the font.

#include <QDialog>
#include <QString>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "business/grid_column.h"
#include "grid/grid_owner.h"

namespace tenzora {

class CVirtualGridCtrl;

// A GridOwner whose answers are given by functions.
class FunctionGridOwner : public GridOwner {
  public:
    std::function<std::wstring(GridCell)> text;
    std::function<bool(GridCell, std::wstring&)> edited;
    std::function<void(GridCell)> selecting;

    void cellData(GridCellRequest& request) override {
        if (text) request.text = text(request.cell);
    }
    bool setCellText(GridCell cell, std::wstring& value) override {
        return edited ? edited(cell, value) : true;
    }
    void selectCell(GridCell cell, bool& allow) override {
        if (allow && selecting) selecting(cell);
    }
};

// The columns of a grid: titles and widths in grid units, widened when the font is larger than
// the one those widths were measured for.
void setGridColumns(CVirtualGridCtrl& grid, std::initializer_list<GridColumnTitle> columns);
void setGridColumns(CVirtualGridCtrl& grid, const std::vector<GridColumnTitle>& columns);
template <std::size_t N>
void setGridColumns(CVirtualGridCtrl& grid, const std::array<GridColumnSpec, N>& specs) {
    std::vector<GridColumnTitle> columns;
    for (const GridColumnSpec& s : specs)
        columns.push_back({s.title, s.width});
    setGridColumns(grid, columns);
}
// Grid units to pixels for this grid's font.
int gridUnits(const QWidget& grid, int units);

// The window keeps its position and size between showings and runs (in the per-user settings,
// group "Windows", under `key`); the first time it is centred on its parent.
void rememberPlacement(QWidget& window, const QString& key);

} // namespace tenzora
