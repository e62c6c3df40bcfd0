#include "model/forming_commands.h"

#include <cmath>
#include <optional>
#include <utility>

#include "model/ceiling.h"
#include "model/formatting.h"
#include "model/forming.h"
#include "model/measurements.h"
#include "model/names.h"
#include "model/records.h"

namespace tenzora {

namespace {

// Visits of one record during relaxation while the outline is formed from the keyboard, and
// the usual number otherwise.
constexpr std::int32_t kCommandRelaxPasses = 5;
constexpr std::int32_t kDefaultRelaxPasses = 3;

constexpr wchar_t kRightAngleSuffix[] = L" L";

// The side or diagonal a tree row names: a trailing " L" and everything from the first "(" go.
std::optional<std::pair<int, int>> pairOfRow(std::wstring_view row) {
    std::wstring text(row);
    const std::wstring suffix = kRightAngleSuffix;
    if (text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0)
        text.erase(text.size() - suffix.size());
    if (const auto bracket = text.find(L'('); bracket != std::wstring::npos) text.erase(bracket);
    return parsePairName(trimBlanks(text));
}

} // namespace

bool canFormProject(const TZCeiling& doc) {
    return !doc.diagonals.empty() && doc.polygon.defined;
}

FormCommandResult formProjectCommand(TZCeiling& doc) {
    FormCommandResult result;
    if (!canFormProject(doc)) return result;
    doc.editor.currentDiagonal = 0;
    doc.relaxPasses = kCommandRelaxPasses;
    result.formed = formProject(doc, doc.editor.currentDiagonal);
    doc.relaxPasses = kDefaultRelaxPasses;
    doc.rebuildTree();
    doc.refreshFigures(result.formed);
    result.statusText = doc.statusText;
    doc.statusText.clear();
    doc.repaint();
    return result;
}

void correctDiagonals(TZCeiling& doc) {
    doc.takeSnapshot();
    for (Diagonal& d : doc.diagonals)
        if (!isSideRecord(doc, d)) d.length = actualLength(doc, d);
    doc.refreshAfterChange();
}

int vertexOfRow(const TZCeiling& doc, std::wstring_view row) {
    const auto pair = pairOfRow(row);
    if (!pair || pair->first < 0 || pair->first >= doc.polygon.count()) return -1;
    return pair->first;
}

bool setTriangleSide(TZCeiling& doc, std::wstring_view row, int preference) {
    if (doc.editor.mode == kModeStart) return false;
    const auto pair = pairOfRow(row);
    Vertex* corner = pair ? doc.polygon.checkedAt(pair->first) : nullptr;
    if (corner == nullptr) return false;
    doc.takeSnapshot();
    corner->sidePreference = preference;
    const bool formed = formProject(doc, findDiagonal(doc, pair->first, pair->second));
    doc.refreshFigures(formed);
    doc.rebuildTree();
    doc.repaint();
    return true;
}

bool toggleRightAngle(TZCeiling& doc, std::wstring_view row) {
    if (doc.editor.mode == kModeStart) return false;
    const int v = vertexOfRow(doc, row);
    const int n = doc.polygon.count();
    if (v < 0 || n < 3) return false;
    const int previous = (v + n - 1) % n;
    const int next = (v + 1) % n;
    doc.takeSnapshot();
    const int across = putDiagonal(doc, previous, next, 0.0);
    Vertex& corner = doc.polygon.at(v);
    bool formed = doc.outlineFormed;
    if (corner.rightAngle) {
        corner.rightAngle = 0;
        eraseRecord(doc, across);
        formed = formProject(doc, -1);
    } else {
        corner.rightAngle = 1;
        const int toPrevious = findDiagonal(doc, previous, v);
        const int toNext = findDiagonal(doc, next, v);
        if (toPrevious >= 0 && toNext >= 0 && across >= 0) {
            const double pv = doc.diagonals.at(toPrevious).length;
            const double nv = doc.diagonals.at(toNext).length;
            doc.diagonals.at(across).length = std::sqrt(pv * pv + nv * nv);
            formProject(doc, toPrevious);
            // Forming drops unmeasured records: the other side is looked up again.
            formed = formProject(doc, findDiagonal(doc, next, v));
        }
    }
    doc.refreshFigures(formed);
    doc.rebuildTree();
    doc.repaint();
    return true;
}

bool toggleStepMode(TZCeiling& doc) {
    if (doc.editor.mode == kModeStart) return false;
    doc.stepMode = !doc.stepMode;
    doc.rebuildTree();
    return true;
}

} // namespace tenzora
