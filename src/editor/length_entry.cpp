#include "editor/length_entry.h"

#include "model/ceiling.h"
#include "model/formatting.h"
#include "model/forming.h"
#include "model/names.h"
#include "model/records.h"
#include "model/typed_number.h"
#include "model/typed_value.h"

namespace tenzora {

namespace {

// The pair of vertices a name field names; none when it names no two vertices of the outline.
std::optional<std::pair<int, int>> pairOfField(const TZCeiling& doc, std::wstring_view field) {
    const std::wstring keyed = trimBlanks(applyNameKeys(field));
    const auto pair = parsePairName(keyed);
    const int n = doc.polygon.count();
    if (!pair || pair->first < 0 || pair->first >= n || pair->second < 0 || pair->second >= n)
        return std::nullopt;
    return pair;
}

} // namespace

double readLengthField(std::wstring_view text) {
    return readTypedNumber(text, DecimalComma::Accepted);
}

std::optional<std::wstring> triangleWarning(const TZCeiling& doc, int a, int b, double length) {
    for (int k = 0; k < doc.polygon.count(); ++k) {
        if (k == a || k == b) continue;
        double toA = 0;
        double toB = 0;
        if (!measuredLength(doc, k, a, toA) || !measuredLength(doc, k, b, toB) || !(toA + toB < length))
            continue;
        return L"Диагональ " + pairName(a, b) + L" не может быть больше " + formatNumber(toA + toB, 1) +
               L" см (" + pairName(k, a) + L" + " + pairName(k, b) + L")";
    }
    return std::nullopt;
}

LengthEntryResult enterLength(TZCeiling& doc, std::wstring_view nameField, std::wstring_view lengthField) {
    LengthEntryResult result;
    // "?" is what the field shows for an item not measured yet: it means the same as empty.
    const bool unmeasured = trimBlanks(std::wstring(lengthField)) == measuredLengthText(nullptr);
    const TypedValue typed =
        readTypedValue(unmeasured ? std::wstring_view() : lengthField, valueRange::kRoomLength,
                       kLengthFieldName, DecimalComma::Accepted, true);
    if (typed.refused()) {
        result.refusal = typed.refusal;
        doc.ui().exclamation(typed.refusal);
        return result;
    }
    const double length = typed.value;
    const auto pair = pairOfField(doc, nameField);
    if (length > 0 && pair) {
        doc.takeSnapshot();
        int record = findDiagonal(doc, pair->first, pair->second);
        if (record < 0) record = putDiagonal(doc, pair->first, pair->second, length);
        if (record >= 0) {
            Diagonal& d = doc.diagonals.at(record);
            d.length = length;
            doc.editor.currentDiagonal = record;
            // The warning does not stop the entry: the length stays as typed.
            if (const auto warning = triangleWarning(doc, d.a, d.b, length)) doc.ui().exclamation(*warning);
            result.lengthSet = true;
            // Forming takes a snapshot of its own: one "Установить" is two steps of undo, the
            // length typed and the outline formed from it, so that a bad forming can be undone
            // while keeping the length.
            result.formed = formProject(doc, record);
            doc.refreshFigures(result.formed);
            doc.rebuildTree();
        }
    }
    // The refresh forgets the selection; the name field still names the record just entered,
    // and the proposal goes on from it.
    doc.editor.currentDiagonal = pair ? findDiagonal(doc, pair->first, pair->second) : -1;
    result.nextName = suggestNextRecord(doc);
    return result;
}

} // namespace tenzora
