#pragma once
// The logic of the price list settings dialog ("Настройка прайс-листов"): the cities, the area
// gradations and the corner-count gradations as three editable lists, and OK, which normalises
// the gradations and saves the price file. The price rows keep their city indexes and price
// positions: deleting a city shifts what the later cities' rows belong to.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "business/grid_column.h"
#include "storage/price_file.h"

namespace tenzora {

class UiServices;

// The area gradations as saved: sorted ascending, a value less than kStepTolerance from the last
// value kept is dropped (starting from kNoPreviousStep), then values not above kStepTolerance.
std::vector<double> normalizeAreaSteps(std::vector<double> values);
// The corner gradations as saved: sorted ascending, repeats dropped, values below 1 dropped.
std::vector<std::int32_t> normalizeCornerSteps(std::vector<std::int32_t> values);

// A number typed as a whole number: optional blanks and sign, then decimal digits (the leading
// part is read; no digits read as 0). Values beyond the int32 range are clamped to it.
std::int32_t readTypedInteger(std::wstring_view text);

class PriceOptionsForm {
  public:
    enum class List { Cities, AreaSteps, CornerSteps };
    // Each grid: the row number and one value column.
    static constexpr GridColumnSpec kNumberColumn = {L"№", 30};
    static constexpr std::array<GridColumnSpec, 3> kValueColumns = {
        {{L"Город", 150}, {L"Метраж", 80}, {L"Количество углов", 100}}};

    PriceOptionsForm(std::filesystem::path programDir, UiServices& ui);

    // Opening: the price file is loaded and each list is shown followed by one blank row.
    void open();

    int rowCount(List list) const;
    // Column 0 the row number, column 1 the value (areas with one decimal, blank below 0.01;
    // corner counts blank below 1).
    std::wstring cellText(List list, int row, int column) const;
    // An edit of the value column; typing into the last row appends a blank row (true then).
    bool editCell(List list, int row, int column, std::wstring_view text);

    // OK: the non-empty city names, the normalised gradations; the price rows unchanged; saved.
    // False (the user told, the dialog left open) when price.dat cannot be written.
    bool accept();

    const TZPriceFile& prices() const { return prices_; }

  private:
    std::filesystem::path programDir_;
    UiServices& ui_;
    TZPriceFile prices_;
    std::vector<std::wstring> cities_;
    std::vector<double> areaSteps_;
    std::vector<std::int32_t> cornerSteps_;
};

namespace priceOptions {
// Two area gradations closer than this are one; a gradation must be above it.
inline constexpr double kStepTolerance = 0.01;
// Where the walk over the sorted area values starts: far below any gradation.
inline constexpr double kNoPreviousStep = -100500.0;
// A corner gradation counts at least this many corners.
inline constexpr std::int32_t kMinCornerStep = 1;
} // namespace priceOptions

// Told when price.dat cannot be written; shared by both price dialogs.
void reportPriceFileNotSaved(UiServices& ui, const std::filesystem::path& programDir);

} // namespace tenzora
