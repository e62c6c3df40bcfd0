#include "business/materials_form.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "business/csv_tables.h"
#include "business/new_instance.h"
#include "business/receipt.h"
#include "model/typed_number.h"
#include "model/typed_value.h"
#include "platform/ui_services.h"
#include "storage/codepage.h"
#include "storage/material_base.h"

namespace tenzora {

using namespace materialsForm;

namespace {

std::wstring fixed2(double value) {
    char buffer[64];
    // Values from a damaged base can be huge: printed in exponent form rather than hundreds of digits.
    std::snprintf(buffer, sizeof buffer, std::fabs(value) < 1e15 ? "%.2f" : "%.2e", value);
    return codepage::fromCp1251(buffer);
}

bool isGroupRow(const Material& m) {
    return m.isGroup != 0;
}

} // namespace

MaterialsForm::MaterialsForm(TZMaterialBase& base, UiServices& ui) : base_(base), ui_(ui) {}

Material MaterialsForm::blankRow(bool isGroup) {
    Material m;
    m.id = ++maxId_;
    m.isGroup = isGroup ? 1 : 0;
    m.name.clear();
    m.tensionCoef = 0.93;
    m.offcutPriceCoef = 1.0;
    m.groupId = 0;
    m.width = 0.0;
    m.stock = 0.0;
    m.groupRow = -1;
    m.baseRecord = -1;
    return m;
}

void MaterialsForm::show() {
    scanButtonEnabled_ = true;
    rows_.clear();
    selectedRow_ = -1;
    shownMovements_.clear();
    for (const Material& m : base_)
        maxId_ = std::max(maxId_, m.id);
    for (int g = 0; g < base_.count(); ++g) {
        const Material& group = base_[g];
        if (!isGroupRow(group)) continue;
        Material groupRow = group;
        groupRow.groupRow = -1;
        groupRow.baseRecord = -1;
        rows_.append(groupRow);
        for (int i = 0; i < base_.count(); ++i) {
            if (i == g || base_[i].groupId != group.id) continue;
            Material row = base_[i];
            row.groupRow = g;
            row.baseRecord = i;
            rows_.append(row);
        }
        Material closing = blankRow(false);
        closing.groupRow = g;
        closing.groupId = group.id;
        rows_.append(closing);
    }
}

std::wstring MaterialsForm::cellText(int row, int column) const {
    const Material* m = rows_.checkedAt(row);
    if (m == nullptr) return {};
    switch (column) {
    case 0:
        return isGroupRow(*m) ? codepage::fromCp1251(m->name) : std::wstring();
    case 1:
        return isGroupRow(*m) ? std::wstring() : codepage::fromCp1251(m->name);
    default:
        break;
    }
    if (isGroupRow(*m) || m->name.empty()) return {};
    switch (column) {
    case 2:
        return fixed2(m->tensionCoef);
    case 3:
        return fixed2(m->offcutPriceCoef);
    case 4:
        return fixed2(m->width);
    case 5:
        return fixed2(m->stock);
    default:
        return {};
    }
}

void MaterialsForm::applyText(Material& row, int column, std::wstring_view text) {
    switch (column) {
    case 0:
        if (isGroupRow(row)) row.setName(codepage::toCp1251(text));
        break;
    case 1:
        if (!isGroupRow(row)) row.setName(codepage::toCp1251(text));
        break;
    case 2:
        row.tensionCoef = readTypedNumber(text);
        break;
    case 3:
        row.offcutPriceCoef = readTypedNumber(text);
        break;
    case 4:
        row.width = readTypedNumber(text);
        break;
    default:
        break;
    }
}

std::optional<std::wstring> MaterialsForm::cellRefusal(int column, std::wstring_view text) {
    const ValueRange* range = nullptr;
    bool zeroIsEmpty = false; // a fabric with no tension or width typed yet (and every group row)
    switch (column) {
    case 2:
        range = &valueRange::kTensionCoef, zeroIsEmpty = true;
        break;
    case 3:
        range = &valueRange::kOffcutCoef;
        break;
    case 4:
        range = &valueRange::kRollWidth, zeroIsEmpty = true;
        break;
    default:
        return std::nullopt;
    }
    const std::wstring name(kMaterialColumns[static_cast<std::size_t>(column)].title);
    const TypedValue v = readTypedValue(text, *range, name, DecimalComma::Rejected, zeroIsEmpty);
    if (v.refused()) return v.refusal;
    return std::nullopt;
}

bool MaterialsForm::editCell(int row, int column, std::wstring_view text) {
    if (row < 0 || row >= rows_.count()) return false;
    // A value outside its range is refused: the row keeps what it held and no row is added.
    if (const auto refusal = cellRefusal(column, text)) {
        ui_.exclamation(*refusal);
        return false;
    }
    bool added = false;
    if (row == rows_.count() - 1) {
        // Typing into the last row keeps a blank row below it.
        rows_.append(blankRow(column == 0));
        added = true;
    } else if (isGroupRow(rows_[row + 1])) {
        // The blank row closing a group: the new row goes in before it, so that a group typed
        // here starts right there and a material typed next lands under that group.
        rows_.insertAt(row, blankRow(column == 0));
        added = true;
    }
    applyText(rows_[row], column, text);
    if (added) {
        selectedRow_ = -1;
        shownMovements_.clear();
    }
    return added;
}

void MaterialsForm::showMovementsOf(int row) {
    shownMovements_.clear();
    const Material* m = rows_.checkedAt(row);
    if (m == nullptr || m->baseRecord < 0) return;
    for (const MaterialBalance& movement : allMovements_)
        if (movement.material == m->baseRecord) shownMovements_.push_back(movement);
}

void MaterialsForm::selectRow(int row) {
    if (row == selectedRow_) return;
    selectedRow_ = row;
    // A row without a base record (a new one) has no movements: the right grid must not go on
    // showing those of the row selected before.
    showMovementsOf(row);
}

std::wstring MaterialsForm::movementText(int movement, int column) const {
    if (movement < 0 || movement >= movementCount()) return {};
    const MaterialBalance& m = shownMovements_[static_cast<std::size_t>(movement)];
    switch (column) {
    case 0:
        return codepage::fromCp1251(m.client);
    case 1:
        return codepage::fromCp1251(m.date);
    case 2:
        return codepage::fromCp1251(m.title);
    case 3: {
        std::wstring text = m.quantity <= -kQuantityEpsilon ? kReceiptPrefix : L"";
        text += fixed2(std::fabs(m.quantity));
        if (std::fabs(m.offcuts) >= kQuantityEpsilon) text += L"+" + fixed2(m.offcuts);
        return text;
    }
    default:
        return {};
    }
}

bool MaterialsForm::accept() {
    // The new base is built and written beside the old one: only once it is on disk does it
    // replace the base in memory.
    TZMaterialBase rebuilt = base_;
    rebuilt.clear();
    int currentGroup = -1;
    for (const Material& row : rows_) {
        if (row.name.empty()) continue;
        Material record = row;
        record.baseRecord = -1;
        if (isGroupRow(row)) {
            record.groupRow = -1;
            rebuilt.append(record);
            currentGroup = rebuilt.count() - 1;
        } else if (currentGroup >= 0) {
            record.groupRow = currentGroup;
            record.groupId = rebuilt[currentGroup].id;
            rebuilt.append(record);
        }
    }
    if (!rebuilt.save(false)) {
        ui_.error(L"Не удалось сохранить базу материалов в файл «" + codepage::fromPath(rebuilt.file()) +
                      L"». Проверьте, что папка программы доступна для записи.",
                  receipt::kCaption);
        return false;
    }
    base_ = std::move(rebuilt);
    return true;
}

bool MaterialsForm::scanStock(std::span<const std::wstring> folders, const StockScanHook& progress) {
    std::optional<std::vector<MaterialBalance>> movements = scanStockStoppable(base_, folders, progress);
    if (!movements) return false;
    receiptControlsEnabled_ = true;
    scanButtonEnabled_ = false;
    allMovements_ = std::move(*movements);
    for (Material& row : rows_)
        if (const Material* record = base_.checkedAt(row.baseRecord)) row.stock = record->stock;
    // The movements shown are those of the new scan.
    showMovementsOf(selectedRow_);
    return true;
}

bool MaterialsForm::addReceipt(const std::wstring& quantityText, const std::wstring& dateText,
                               std::span<const std::wstring> folders, const StockScanHook& progress) {
    const Material* material = rows_.checkedAt(selectedRow_);
    if (material == nullptr) {
        ui_.exclamation(kChooseMaterial, receipt::kCaption);
        return false;
    }
    const std::optional<double> quantity = receiptQuantity(ui_, quantityText, dateText);
    if (!quantity) return false;
    if (!recordReceipt(ui_, folders, *material, *quantity, dateText)) return false;
    selectedRow_ = -1;
    shownMovements_.clear();
    // The receipt is written; a scan stopped now only leaves the remainders of the last scan shown.
    scanStock(folders, progress);
    return true;
}

bool MaterialsForm::exportCsv() {
    const std::optional<std::wstring> path = chooseCsvFile(ui_);
    return path && writeMaterialsCsv(ui_, *path, rows_);
}

bool MaterialsForm::openMovement(int movement, Launcher& launcher) {
    if (selectedRow_ < 0 || movement < 0 || movement >= movementCount()) return false;
    return openInNewInstance(launcher, ui_, shownMovements_[static_cast<std::size_t>(movement)].path);
}

} // namespace tenzora
