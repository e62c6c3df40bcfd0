#include "business/price_options_form.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/formatting.h"
#include "model/typed_number.h"
#include "model/typed_value.h"
#include "platform/ui_services.h"
#include "storage/codepage.h"

namespace tenzora {

using namespace priceOptions;

std::vector<double> normalizeAreaSteps(std::vector<double> values) {
    // Values that are not numbers cannot be ordered; they are no gradations.
    std::erase_if(values, [](double v) { return !std::isfinite(v); });
    std::sort(values.begin(), values.end());
    std::vector<double> kept;
    double last = kNoPreviousStep;
    for (double v : values) {
        if (std::fabs(v - last) < kStepTolerance) continue;
        kept.push_back(v);
        last = v;
    }
    std::erase_if(kept, [](double v) { return !(v > kStepTolerance); });
    return kept;
}

std::vector<std::int32_t> normalizeCornerSteps(std::vector<std::int32_t> values) {
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    std::erase_if(values, [](std::int32_t v) { return v < kMinCornerStep; });
    return values;
}

std::int32_t readTypedInteger(std::wstring_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::numeric_limits<std::int32_t>::max();
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i)
        value = std::min(value * 10 + (text[i] - L'0'), kLimit + 1);
    if (negative) value = -value;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, -kLimit - 1, kLimit));
}

void reportPriceFileNotSaved(UiServices& ui, const std::filesystem::path& programDir) {
    ui.error(L"Не удалось сохранить прайс-листы в файл «" +
             codepage::fromPath(programDir / codepage::toPath(priceFile::kFileName)) +
             L"». Проверьте, что папка программы доступна для записи.");
}

PriceOptionsForm::PriceOptionsForm(std::filesystem::path programDir, UiServices& ui)
    : programDir_(std::move(programDir)), ui_(ui) {}

void PriceOptionsForm::open() {
    prices_.load(programDir_);
    cities_.assign(prices_.cities.begin(), prices_.cities.end());
    areaSteps_.assign(prices_.areaSteps.begin(), prices_.areaSteps.end());
    cornerSteps_.assign(prices_.cornerSteps.begin(), prices_.cornerSteps.end());
    cities_.emplace_back();
    areaSteps_.push_back(0.0);
    cornerSteps_.push_back(0);
}

int PriceOptionsForm::rowCount(List list) const {
    switch (list) {
    case List::Cities:
        return static_cast<int>(cities_.size());
    case List::AreaSteps:
        return static_cast<int>(areaSteps_.size());
    case List::CornerSteps:
        return static_cast<int>(cornerSteps_.size());
    }
    return 0;
}

std::wstring PriceOptionsForm::cellText(List list, int row, int column) const {
    if (row < 0 || row >= rowCount(list)) return {};
    if (column == 0) return std::to_wstring(row + 1);
    if (column != 1) return {};
    const auto r = static_cast<std::size_t>(row);
    switch (list) {
    case List::Cities:
        return cities_[r];
    case List::AreaSteps:
        return areaSteps_[r] < kStepTolerance ? std::wstring() : formatNumber(areaSteps_[r], 1);
    case List::CornerSteps:
        return cornerSteps_[r] < kMinCornerStep ? std::wstring() : std::to_wstring(cornerSteps_[r]);
    }
    return {};
}

bool PriceOptionsForm::editCell(List list, int row, int column, std::wstring_view text) {
    if (row < 0 || row >= rowCount(list) || column != 1) return false;
    if (list == List::AreaSteps) {
        // An area gradation outside its range is refused: the list stays as it was.
        const TypedValue v = readTypedValue(text, valueRange::kAreaStep, L"Метраж");
        if (v.refused()) {
            ui_.exclamation(v.refusal);
            return false;
        }
    }
    const bool last = row == rowCount(list) - 1;
    const auto r = static_cast<std::size_t>(row);
    switch (list) {
    case List::Cities:
        if (last) cities_.emplace_back();
        cities_[r] = std::wstring(text);
        break;
    case List::AreaSteps:
        if (last) areaSteps_.push_back(0.0);
        areaSteps_[r] = readTypedNumber(text, DecimalComma::Accepted);
        break;
    case List::CornerSteps:
        if (last) cornerSteps_.push_back(0);
        cornerSteps_[r] = readTypedInteger(text);
        break;
    }
    return last;
}

bool PriceOptionsForm::accept() {
    TZPriceFile updated = prices_;
    updated.cities.clear();
    for (const std::wstring& city : cities_)
        if (!city.empty()) updated.cities.append(city);
    updated.areaSteps.clear();
    for (double v : normalizeAreaSteps(areaSteps_))
        updated.areaSteps.append(v);
    updated.cornerSteps.clear();
    for (std::int32_t v : normalizeCornerSteps(cornerSteps_))
        updated.cornerSteps.append(v);
    if (!updated.save(programDir_)) {
        reportPriceFileNotSaved(ui_, programDir_);
        return false;
    }
    prices_ = std::move(updated);
    return true;
}

} // namespace tenzora
