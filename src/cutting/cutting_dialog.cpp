#include "cutting/cutting_dialog.h"

#include <algorithm>
#include <climits>
#include <cwctype>
#include <tuple>

#include "business/stock_scan.h"
#include "model/ceiling.h"
#include "model/formatting.h"
#include "model/forming.h"
#include "model/geometry.h"
#include "model/names.h"
#include "model/records.h"
#include "model/settings.h"
#include "model/typed_number.h"
#include "model/typed_value.h"
#include "storage/codepage.h"

namespace tenzora {

namespace {

// The optimiser starts from a quantity no layout reaches (m²).
constexpr double kNoQuantityYet = 1e12;

double readNumber(const std::wstring& text) {
    return readTypedNumber(text, DecimalComma::Accepted);
}

// The seam allowance: the leading whole number (base 10), 0 when there is none; beyond the
// range of the stored int32 it is clamped.
std::int32_t readWholeNumber(const std::wstring& text) {
    std::size_t i = 0;
    while (i < text.size() && std::iswspace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    long long value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i)
        value = std::min<long long>(value * 10 + (text[i] - L'0'), static_cast<long long>(INT32_MAX) + 1);
    if (negative) value = -value;
    return static_cast<std::int32_t>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
}

// The two indexes of a typed pair name; (−1, −1) when it does not parse.
std::pair<int, int> pairIndexes(const std::wstring& text) {
    const auto pair = parsePairName(text);
    return pair ? *pair : std::pair<int, int>{-1, -1};
}

bool seamSideChosen(const TZCeiling& doc) {
    return doc.seamFrom >= 0 && doc.seamTo >= 0;
}

} // namespace

CuttingDialog::CuttingDialog(TZCeiling& doc, const AppSettings& settings) : doc_(doc), settings_(settings) {}

void CuttingDialog::setVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    showOrHide();
}

void CuttingDialog::showOrHide() {
    normalize(doc_);
    if (!seamSideChosen(doc_)) {
        fillLists(doc_.material);
        // Shown for the first time, the dialog offers the selected fabric's tension, offcut
        // coefficient and width: with the fields left empty, OK would lay the canvases out with a
        // tension of 0 and report no material at all.
        if (trimBlanks(fields_.width).empty() && trimBlanks(fields_.tension).empty()) fabricChosen();
        applyTwoDiagonals();
        return;
    }
    lastLayout_ = layoutCanvases(doc_, doc_.material, false, settings_.materialWithTension);
    fillLists(doc_.material);
    const Material& m = doc_.material;
    fields_.seamSide = pairName(doc_.seamFrom, doc_.seamTo);
    fields_.perpendicular = doc_.seamPerpendicular;
    fields_.tension = formatNumber(m.tensionCoef, 2);
    fields_.offcutCoef = formatNumber(m.offcutPriceCoef, 2);
    fields_.width = formatNumber(m.width, 0);
    fields_.offset = formatNumber(doc_.seamOffset, 1);
    fields_.seams = formatInteger(doc_.seamWidth);
    fields_.twoDiagonals = doc_.twoDiagonals;
    fields_.offset2 = formatNumber(doc_.seamOffset2, 1);
    if (doc_.tensionY > 0) fields_.tensionY = formatNumber(doc_.tensionY, 2);
    if (doc_.seamFrom2 >= 0 && doc_.seamTo2 >= 0)
        fields_.secondDiagonal = pairName(doc_.seamFrom2, doc_.seamTo2);
    applyTwoDiagonals();
}

// ---- lists ----------------------------------------------------------------------------------

void CuttingDialog::fillLists(const Material& current) {
    types_.clear();
    fabrics_.clear();
    sides_.clear();
    groupIds_.clear();
    // The lists follow the current material without changing it: a project whose fabric group
    // is not in this base keeps its own group until the user confirms another fabric.
    Material m = current;
    const TZMaterialBase& base = doc_.resources.materialBase;
    for (const Material& record : base) {
        if (record.isGroup == 0) continue;
        types_.entries.push_back(codepage::fromCp1251(record.name));
        groupIds_.push_back(record.id);
        if (m.groupId > 0 && m.groupId == record.id)
            types_.selected = static_cast<int>(types_.entries.size()) - 1;
    }
    if (!types_.hasSelection() && !types_.entries.empty()) {
        types_.selected = 0;
        const int first = findGroupRecord(base, types_.entries.front());
        if (first >= 0) m.groupId = base.at(first).id;
    }
    fillFabrics(m.groupId, m);

    for (const Diagonal& d : doc_.diagonals)
        sides_.entries.push_back(vertexName(d.a) + kSideListSeparator + vertexName(d.b));
    if (seamSideChosen(doc_)) fields_.seamSide = vertexName(doc_.seamFrom) + vertexName(doc_.seamTo);
    fields_.offset = formatNumber(doc_.seamOffset, 0);
    fields_.perpendicular = doc_.seamPerpendicular;
}

void CuttingDialog::fillFabrics(std::int32_t groupId, const Material& current) {
    fabrics_.clear();
    materialIds_.clear();
    for (const Material& record : doc_.resources.materialBase) {
        if (record.isGroup != 0 || record.groupId != groupId) continue;
        fabrics_.entries.push_back(fabricEntryText(record));
        materialIds_.push_back(record.id);
        const bool isCurrent =
            sameNameIgnoringCase(record.name, current.name) && record.groupId == current.groupId;
        if (isCurrent && !fabrics_.hasSelection())
            fabrics_.selected = static_cast<int>(fabrics_.entries.size()) - 1;
    }
    if (!fabrics_.hasSelection() && !fabrics_.entries.empty()) fabrics_.selected = 0;
}

int CuttingDialog::selectedFabricRecord() const {
    const TZMaterialBase& base = doc_.resources.materialBase;
    const int group = findGroupRecord(base, types_.selectedText());
    if (group < 0 || !fabrics_.hasSelection()) return -1;
    return findFabricRecord(base, base.at(group).id, fabrics_.selectedText());
}

// ---- handlers -------------------------------------------------------------------------------

void CuttingDialog::fabricTypeChosen() {
    fabrics_.clear();
    materialIds_.clear();
    const int group = findGroupRecord(doc_.resources.materialBase, types_.selectedText());
    if (group >= 0) fillFabrics(doc_.resources.materialBase.at(group).id, doc_.material);
    fabricChosen();
}

void CuttingDialog::fabricChosen() {
    const int record = selectedFabricRecord();
    if (record < 0) return;
    const Material& m = doc_.resources.materialBase.at(record);
    fields_.tension = formatNumber(m.tensionCoef, 2);
    fields_.offcutCoef = formatNumber(m.offcutPriceCoef, 2);
    fields_.width = formatNumber(m.width, 1);
}

void CuttingDialog::sideChosen() {
    const Diagonal* d = doc_.diagonals.checkedAt(sides_.selected);
    if (d == nullptr) return;
    fields_.seamSide = pairName(d->a, d->b);
    seamSideEdited();
}

void CuttingDialog::perpendicularChanged() {
    applyPerpendicular();
}

void CuttingDialog::applyPerpendicular() {
    // In the two-diagonals mode the offset buttons stay hidden whatever the side field holds.
    if (!fields_.perpendicular || fields_.twoDiagonals) {
        view_.offsetButtons = false;
        return;
    }
    if (const auto pair = parsePairName(fields_.seamSide)) {
        view_.firstPointLabel = vertexName(pair->first);
        view_.secondPointLabel = vertexName(pair->second);
    }
    view_.offsetButtons = true;
}

void CuttingDialog::offsetButton(OffsetButton button) {
    double length = 0;
    if (const auto pair = parsePairName(fields_.seamSide)) {
        if (const Diagonal* d = doc_.diagonals.checkedAt(findDiagonal(doc_, pair->first, pair->second))) {
            const Vertex* a = doc_.polygon.checkedAt(d->a);
            const Vertex* b = doc_.polygon.checkedAt(d->b);
            length = d->length > 0 ? d->length : (a && b ? distance(*a, *b) : 0.0);
        }
    }
    double offset = 0;
    if (button == OffsetButton::Centre) offset = -length / 2;
    if (button == OffsetButton::SecondPoint) offset = -length;
    fields_.offset = formatNumber(offset, 1);
}

void CuttingDialog::twoDiagonalsChanged() {
    applyTwoDiagonals();
}

void CuttingDialog::applyTwoDiagonals() {
    view_.secondDiagonal = fields_.twoDiagonals;
    view_.perpendicularBox = !fields_.twoDiagonals;
    applyPerpendicular();
}

void CuttingDialog::close() {
    setVisible(false);
}

ConfirmOutcome CuttingDialog::ok() {
    return confirm();
}

// ---- confirmation ---------------------------------------------------------------------------

std::optional<std::wstring> CuttingDialog::fieldRefusal() const {
    struct Field {
        const std::wstring& text;
        const ValueRange& range;
        const wchar_t* name;
        bool zeroIsEmpty; // 0 means "not given" there (the width and tension read from the fabric)
    };
    const Field checked[] = {
        {fields_.offset, valueRange::kSeamOffset, L"Отступ", false},
        {fields_.offset2, valueRange::kSeamOffset, L"Отступ по второй диагонали", false},
        {fields_.tension, valueRange::kTensionCoef, L"К-т натяжения", true},
        {fields_.tensionY, valueRange::kTensionCoef, L"К-т натяжения по Y", true},
        {fields_.offcutCoef, valueRange::kOffcutCoef, L"К-т лишнего материала", false},
        {fields_.width, valueRange::kRollWidth, L"Ширина", true},
        {fields_.seams, valueRange::kSeamAllowance, L"Швы", false},
    };
    for (const Field& f : checked) {
        const TypedValue v = readTypedValue(f.text, f.range, f.name, DecimalComma::Accepted, f.zeroIsEmpty);
        if (v.refused()) return v.refusal;
    }
    return std::nullopt;
}

ConfirmOutcome CuttingDialog::confirm() {
    // The searches check the fields once before they start; their candidates change only the
    // seam side and the offset, to values of their own.
    if (!optimising_) {
        if (const auto refusal = fieldRefusal()) {
            doc_.ui().exclamation(*refusal);
            return ConfirmOutcome::Refused;
        }
    }
    doc_.seamOffset = readNumber(fields_.offset);
    doc_.seamPerpendicular = fields_.perpendicular;
    doc_.seamWidth = readWholeNumber(fields_.seams);
    doc_.twoDiagonals = fields_.twoDiagonals;
    doc_.seamOffset2 = readNumber(fields_.offset2);
    doc_.tensionY = trimBlanks(fields_.tensionY).empty() ? -1.0 : readNumber(fields_.tensionY);
    if (trimBlanks(fields_.secondDiagonal).empty()) {
        doc_.twoDiagonals = false;
    } else {
        std::tie(doc_.seamFrom2, doc_.seamTo2) = pairIndexes(fields_.secondDiagonal);
    }

    const double width = readNumber(fields_.width);
    const double tension = readNumber(fields_.tension);
    if (width == 0 && tension == 0) return ConfirmOutcome::NoWidth;
    if (!types_.hasSelection()) return ConfirmOutcome::NoFabricType;
    if (trimBlanks(fields_.seamSide).empty()) {
        // A plain message box: the program's caption, no icon, one button.
        doc_.ui().message(
            {kMissingSeamSideMessage, L"", MessageIcon::None, MessageButtons::Ok, MessageAnswer::Ok});
        return ConfirmOutcome::MissingSide;
    }
    std::tie(doc_.seamFrom, doc_.seamTo) = pairIndexes(fields_.seamSide);

    // The first confirmation makes the seam side a known side or diagonal of the outline.
    if (madeCurrentRecord_ < 0 && doc_.seamFrom != doc_.seamTo)
        madeCurrentRecord_ = setDiagonal(doc_, doc_.seamFrom, doc_.seamTo, 0.0);

    const int record = selectedFabricRecord();
    if (record < 0) return ConfirmOutcome::FabricNotFound;
    working_ = doc_.resources.materialBase.at(record);
    working_.tensionCoef = tension;
    working_.offcutPriceCoef = readNumber(fields_.offcutCoef);
    working_.width = width;

    if (!optimising_) normalize(doc_);
    lastLayout_ = layoutCanvases(doc_, working_, optimising_, settings_.materialWithTension);
    doc_.material = working_;
    if (!optimising_) {
        doc_.rebuildTree();
        doc_.refreshFigures();
        doc_.repaint();
        setVisible(false);
    }
    return ConfirmOutcome::LaidOut;
}

// ---- optimiser and remainders ----------------------------------------------------------------

OptimiserResult CuttingDialog::optimiseSeamSide(const OptimiserProgress& progress) {
    OptimiserResult result;
    if (const auto refusal = fieldRefusal()) {
        doc_.ui().exclamation(*refusal);
        result.final = ConfirmOutcome::Refused;
        return result;
    }
    const std::wstring sideBefore = fields_.seamSide;
    fields_.perpendicular = false;
    fields_.twoDiagonals = false;
    fields_.offset = L"0";

    // The search and the closing layout are one step of the history, and undoing it returns to
    // the project as it was before the search (not to a state left by some candidate).
    doc_.takeSnapshot();
    const bool suppressed = doc_.suppressUndo;
    doc_.suppressUndo = true;
    optimising_ = true;

    double best = kNoQuantityYet;
    const int n = doc_.polygon.count();
    const int total = n > 1 ? n * (n - 1) : 0;
    int done = 0;
    for (int i = 0; i < n && !result.cancelled; ++i) {
        for (int j = 0; j < n; ++j) {
            if (i == j) continue;
            if (progress && !progress(done, total)) {
                result.cancelled = true;
                break;
            }
            ++done;
            const std::wstring pair = pairName(i, j);
            fields_.seamSide = pair;
            result.triedPairs.push_back(pair);
            const ConfirmOutcome outcome = confirm();
            // A candidate the layout refused has no quantity to compare. The first pair
            // reaching the smallest quantity wins: later equal ones do not replace it.
            if (outcome != ConfirmOutcome::LaidOut || lastLayout_ != LayoutOutcome::LaidOut) continue;
            if (best > doc_.materialQuantity) {
                best = doc_.materialQuantity;
                result.bestPair = pair;
            }
        }
    }
    fields_.seamSide = result.cancelled && result.bestPair.empty() ? sideBefore : result.bestPair;
    result.bestQuantity = result.bestPair.empty() ? 0.0 : best;
    optimising_ = false;
    result.final = confirm();
    doc_.suppressUndo = suppressed;
    return result;
}

void CuttingDialog::showMaterialRemainders() {
    showMaterialRemainders([this](TZMaterialBase& base) { scanStock(base, settings_.drawingFolders); });
}

void CuttingDialog::showMaterialRemainders(const StockScan& scan) {
    TZMaterialBase workingCopy = doc_.resources.materialBase;
    if (scan) scan(workingCopy);
    const int count = std::min(workingCopy.count(), doc_.resources.materialBase.count());
    for (int i = 0; i < count; ++i)
        doc_.resources.materialBase.at(i).stock = workingCopy.at(i).stock;
    fillLists(doc_.material);
}

} // namespace tenzora
