#pragma once
// The logic of the price lists dialog ("Прайс на потолки"): the ceiling rows and the extra works
// of the selected city, the corner surcharges of every city, the column titles of the area and
// corner bands, editing that grows the lists, OK, and where the controls go when the dialog is
// resized.

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "business/grid_column.h"
#include "storage/price_file.h"

namespace tenzora {

class UiServices;

// The band titles: "0-" + g0, g(i−1) + "-" + g(i), ">" + g(A−1) ("0-0" without gradations).
std::vector<std::wstring> areaBandTitles(const TZStaticArray<double>& steps);
// "до " + k0, "от " + k(i−1) + " до " + k(i), k(K−1) + " и более" ("до 0" without gradations).
std::vector<std::wstring> cornerBandTitles(const TZStaticArray<std::int32_t>& steps);
// A price cell: two decimals (whole numbers without them) when above 0, otherwise nothing.
std::wstring priceCellText(double price);

class PriceListForm {
  public:
    // Column widths.
    static constexpr int kNumberWidth = 20;
    static constexpr int kNameWidth = 110;
    static constexpr int kBandWidth = 36;
    static constexpr std::array<GridColumnSpec, 3> kWorkColumns = {
        {{L"", kNumberWidth}, {L"Наименование", kNameWidth}, {L"Цена", 60}}};

    PriceListForm(std::filesystem::path programDir, UiServices& ui);

    // Opening: the price file is loaded, its rows copied, one corner row made per city, and the
    // first city selected.
    void open();

    const TZStaticArray<std::wstring>& cities() const { return prices_.cities; }
    int selectedCity() const { return selectedCity_; }
    // A city chosen in the combo box; a city without rows is given two blank rows in each grid.
    void selectCity(int city);

    // ---- ceiling rows of the selected city ------------------------------------------------------
    std::vector<GridColumnTitle> ceilingColumns() const;
    int ceilingRowCount() const { return static_cast<int>(cityRows(ceilingRows_).size()); }
    std::wstring ceilingCellText(int row, int column) const;
    // True when the edit appended a row (the grid takes the new row count).
    bool editCeilingCell(int row, int column, std::wstring_view text);

    // ---- extra works of the selected city -------------------------------------------------------
    int workRowCount() const { return static_cast<int>(cityRows(works_).size()); }
    std::wstring workCellText(int row, int column) const;
    bool editWorkCell(int row, int column, std::wstring_view text);

    // ---- corner surcharges, one row per city ----------------------------------------------------
    std::vector<GridColumnTitle> cornerColumns() const;
    int cornerRowCount() const { return static_cast<int>(cornerRows_.size()); }
    std::wstring cornerCellText(int row, int column) const;
    void editCornerCell(int row, int column, std::wstring_view text);

    // OK: the file is read again (its cities and gradations are those on disk), its rows are
    // replaced by the named rows and the per-city corner rows, and it is saved. False (the user
    // told, the dialog left open) when price.dat cannot be written.
    bool accept();

    const std::vector<TZPriceCeil>& ceilingRows() const { return ceilingRows_; }
    const std::vector<TZPriceDop>& works() const { return works_; }
    const std::vector<TZPriceAngle>& cornerRows() const { return cornerRows_; }

  private:
    template <typename Row> std::vector<std::size_t> cityRows(const std::vector<Row>& rows) const;
    template <typename Row> std::size_t rowForEdit(std::vector<Row>& rows, int row, bool& appended);

    std::filesystem::path programDir_;
    UiServices& ui_;
    TZPriceFile prices_;
    std::vector<TZPriceCeil> ceilingRows_;
    std::vector<TZPriceDop> works_;
    std::vector<TZPriceAngle> cornerRows_;
    int selectedCity_ = -1;
};

// ---- resizing ---------------------------------------------------------------------------------------

struct ControlRect {
    int x = 0, y = 0, width = 0, height = 0;
    friend bool operator==(const ControlRect&, const ControlRect&) = default;
};
struct ControlSize {
    int width = 0, height = 0;
};

// The sizes of the controls that keep their size when the dialog is resized.
struct PriceDialogFixedSizes {
    ControlSize label2500;
    ControlSize label2501;
    ControlSize note2502;
    ControlSize ok;
    ControlSize cancel;
};

struct PriceDialogLayout {
    ControlRect ceilingGrid; // 1606
    ControlRect label2500;
    ControlRect cornerGrid; // 1616
    ControlRect worksGrid;  // 1612
    ControlRect label2501;  // right-aligned at the top
    ControlRect note2502;   // the note on "%" works and deleting rows
    ControlRect ok;
    ControlRect cancel;
};

// Where the controls go for a client area of width × height pixels.
PriceDialogLayout priceDialogLayout(int width, int height, const PriceDialogFixedSizes& sizes);

} // namespace tenzora
