#include "business/price_list_form.h"

#include "business/price_options_form.h"
#include "model/formatting.h"
#include "model/typed_number.h"
#include "model/typed_value.h"
#include "platform/ui_services.h"

namespace tenzora {

namespace {

std::wstring stepText(double step) {
    return formatNumber(step, 1, true);
}

// prices[index] := value, the list first extended with zeros.
void setPrice(TZStaticArray<double>& prices, int index, double value) {
    // A price column beyond every band the file can hold is not a price (a damaged grid request).
    if (index < 0 || index >= priceFile::kMaxPricesPerRow) return;
    while (prices.count() <= index)
        prices.append(0.0);
    prices[index] = value;
}

double priceAt(const TZStaticArray<double>& prices, int index) {
    const double* p = prices.checkedAt(index);
    return p ? *p : 0.0;
}

double typedPrice(std::wstring_view text) {
    return readTypedNumber(text, DecimalComma::Accepted);
}

// Tells the user when the typed price is not a number or outside its range; true then (the cell
// keeps what it held).
bool refusedPrice(UiServices& ui, std::wstring_view text, const ValueRange& range) {
    const TypedValue v = readTypedValue(text, range, L"Цена");
    if (!v.refused()) return false;
    ui.exclamation(v.refusal);
    return true;
}

// The first price column of the ceiling and corner grids (after the number and the name).
constexpr int kFirstPriceColumn = 2;

} // namespace

std::vector<std::wstring> areaBandTitles(const TZStaticArray<double>& steps) {
    const int a = steps.count();
    if (a == 0) return {L"0-0"};
    std::vector<std::wstring> titles{L"0-" + stepText(steps[0])};
    for (int i = 1; i < a; ++i)
        titles.push_back(stepText(steps[i - 1]) + L"-" + stepText(steps[i]));
    titles.push_back(L">" + stepText(steps[a - 1]));
    return titles;
}

std::vector<std::wstring> cornerBandTitles(const TZStaticArray<std::int32_t>& steps) {
    const int k = steps.count();
    if (k == 0) return {L"до 0"};
    std::vector<std::wstring> titles{L"до " + std::to_wstring(steps[0])};
    for (int i = 1; i < k; ++i)
        titles.push_back(L"от " + std::to_wstring(steps[i - 1]) + L" до " + std::to_wstring(steps[i]));
    titles.push_back(std::to_wstring(steps[k - 1]) + L" и более");
    return titles;
}

std::wstring priceCellText(double price) {
    return price > 0 ? formatNumber(price, 2, true) : std::wstring();
}

PriceListForm::PriceListForm(std::filesystem::path programDir, UiServices& ui)
    : programDir_(std::move(programDir)), ui_(ui) {}

void PriceListForm::open() {
    prices_.load(programDir_);
    ceilingRows_.assign(prices_.ceilingPrices.begin(), prices_.ceilingPrices.end());
    works_.assign(prices_.extraWorks.begin(), prices_.extraWorks.end());
    // One corner row per city: the city's first row in the file, or an empty one.
    cornerRows_.clear();
    for (int city = 0; city < prices_.cities.count(); ++city) {
        TZPriceAngle row;
        row.city = city;
        for (const TZPriceAngle& stored : prices_.cornerPrices) {
            if (stored.city == city) {
                row.prices = stored.prices;
                break;
            }
        }
        cornerRows_.push_back(row);
    }
    selectedCity_ = -1;
    if (!prices_.cities.empty()) selectCity(0);
}

template <typename Row> std::vector<std::size_t> PriceListForm::cityRows(const std::vector<Row>& rows) const {
    std::vector<std::size_t> shown;
    if (selectedCity_ < 0) return shown;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].city == selectedCity_) shown.push_back(i);
    return shown;
}

void PriceListForm::selectCity(int city) {
    if (city < 0 || city >= prices_.cities.count()) return;
    selectedCity_ = city;
    auto blank = [city]<typename Row>(std::vector<Row>& rows) {
        for (const Row& r : rows)
            if (r.city == city) return;
        for (int i = 0; i < 2; ++i) {
            Row row{};
            row.city = city;
            rows.push_back(row);
        }
    };
    blank(ceilingRows_);
    blank(works_);
}

// The list index of a shown row about to be edited; editing the last shown row first puts a
// blank row of the city right after it.
template <typename Row>
std::size_t PriceListForm::rowForEdit(std::vector<Row>& rows, int row, bool& appended) {
    const std::vector<std::size_t> shown = cityRows(rows);
    const std::size_t index = shown[static_cast<std::size_t>(row)];
    appended = row == static_cast<int>(shown.size()) - 1;
    if (appended) {
        Row blank{};
        blank.city = selectedCity_;
        rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(index) + 1, blank);
    }
    return index;
}

std::vector<GridColumnTitle> PriceListForm::ceilingColumns() const {
    std::vector<GridColumnTitle> columns{{L"", kNumberWidth}, {L"Наименование", kNameWidth}};
    for (std::wstring& title : areaBandTitles(prices_.areaSteps))
        columns.push_back({std::move(title), kBandWidth});
    return columns;
}

std::wstring PriceListForm::ceilingCellText(int row, int column) const {
    const std::vector<std::size_t> shown = cityRows(ceilingRows_);
    if (row < 0 || row >= static_cast<int>(shown.size())) return {};
    const TZPriceCeil& r = ceilingRows_[shown[static_cast<std::size_t>(row)]];
    if (column == 0) return std::to_wstring(row + 1);
    if (column == 1) return r.name;
    return priceCellText(priceAt(r.prices, column - kFirstPriceColumn));
}

bool PriceListForm::editCeilingCell(int row, int column, std::wstring_view text) {
    if (row < 0 || row >= ceilingRowCount() || column < 1) return false;
    if (column != 1 && refusedPrice(ui_, text, valueRange::kPrice)) return false;
    bool appended = false;
    const std::size_t index = rowForEdit(ceilingRows_, row, appended);
    TZPriceCeil& r = ceilingRows_[index];
    if (column == 1)
        r.name = std::wstring(text);
    else
        setPrice(r.prices, column - kFirstPriceColumn, typedPrice(text));
    return appended;
}

std::wstring PriceListForm::workCellText(int row, int column) const {
    const std::vector<std::size_t> shown = cityRows(works_);
    if (row < 0 || row >= static_cast<int>(shown.size())) return {};
    const TZPriceDop& w = works_[shown[static_cast<std::size_t>(row)]];
    switch (column) {
    case 0:
        return std::to_wstring(row + 1);
    case 1:
        return w.name;
    case 2:
        return priceCellText(w.price);
    default:
        return {};
    }
}

bool PriceListForm::editWorkCell(int row, int column, std::wstring_view text) {
    if (row < 0 || row >= workRowCount() || column < 1 || column > 2) return false;
    if (column == 2 && refusedPrice(ui_, text, valueRange::kExtraWorkPrice)) return false;
    bool appended = false;
    const std::size_t index = rowForEdit(works_, row, appended);
    TZPriceDop& w = works_[index];
    w.city = selectedCity_;
    if (column == 1)
        w.name = std::wstring(text);
    else
        w.price = typedPrice(text);
    return appended;
}

std::vector<GridColumnTitle> PriceListForm::cornerColumns() const {
    std::vector<GridColumnTitle> columns{{L"", kNumberWidth}, {L"Город", kNameWidth}};
    for (std::wstring& title : cornerBandTitles(prices_.cornerSteps))
        columns.push_back({std::move(title), kBandWidth});
    return columns;
}

std::wstring PriceListForm::cornerCellText(int row, int column) const {
    if (row < 0 || row >= cornerRowCount()) return {};
    const TZPriceAngle& r = cornerRows_[static_cast<std::size_t>(row)];
    if (column == 0) return std::to_wstring(row + 1);
    if (column == 1) return prices_.cities[r.city];
    return priceCellText(priceAt(r.prices, column - kFirstPriceColumn));
}

void PriceListForm::editCornerCell(int row, int column, std::wstring_view text) {
    if (row < 0 || row >= cornerRowCount() || column < kFirstPriceColumn) return;
    if (refusedPrice(ui_, text, valueRange::kPrice)) return;
    setPrice(cornerRows_[static_cast<std::size_t>(row)].prices, column - kFirstPriceColumn, typedPrice(text));
}

bool PriceListForm::accept() {
    TZPriceFile onDisk;
    onDisk.load(programDir_);
    onDisk.ceilingPrices.clear();
    for (const TZPriceCeil& r : ceilingRows_)
        if (!r.name.empty()) onDisk.ceilingPrices.append(r);
    onDisk.extraWorks.clear();
    for (const TZPriceDop& w : works_)
        if (!w.name.empty()) onDisk.extraWorks.append(w);
    onDisk.cornerPrices.clear();
    for (const TZPriceAngle& r : cornerRows_)
        onDisk.cornerPrices.append(r);
    if (!onDisk.save(programDir_)) {
        reportPriceFileNotSaved(ui_, programDir_);
        return false;
    }
    return true;
}

PriceDialogLayout priceDialogLayout(int width, int height, const PriceDialogFixedSizes& sizes) {
    const int half = width / 2;
    PriceDialogLayout l;
    l.ceilingGrid = {11, 36, half + 25, height - 182};
    l.label2500 = {13, height - 145, sizes.label2500.width, sizes.label2500.height};
    l.cornerGrid = {11, height - 131, half + 25, 120};
    l.worksGrid = {half + 42, 36, half - 50, height - 182};
    l.label2501 = {width - 11 - sizes.label2501.width, 15, sizes.label2501.width, sizes.label2501.height};
    l.note2502 = {half + 42, height - 45 - sizes.note2502.height, sizes.note2502.width,
                  sizes.note2502.height};
    l.ok = {width - 166, height - 38, sizes.ok.width, sizes.ok.height};
    l.cancel = {width - 82, height - 38, sizes.cancel.width, sizes.cancel.height};
    return l;
}

} // namespace tenzora
