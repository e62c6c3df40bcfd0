#include "editor/side_panel_tree.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "editor/view_rules.h"
#include "model/ceiling.h"
#include "model/formatting.h"
#include "model/measurements.h"
#include "model/names.h"
#include "model/record_index.h"
#include "model/records.h"
#include "model/settings.h"

namespace tenzora {

namespace {

// Sets a document switch for the duration of a scope.
class ScopedSwitch {
  public:
    ScopedSwitch(bool& flag, bool on) : flag_(flag), before_(flag) { flag_ = on; }
    ~ScopedSwitch() { flag_ = before_; }
    ScopedSwitch(const ScopedSwitch&) = delete;
    ScopedSwitch& operator=(const ScopedSwitch&) = delete;

  private:
    bool& flag_;
    bool before_;
};

std::wstring withLength(const TZCeiling& doc, std::wstring name, int record) {
    return name + L" (" + lengthText(doc, doc.diagonals.checkedAt(record), false) + L")";
}

// A fabric coordinate: the drawing length times the tension coefficient, to a tenth.
std::wstring fabricCoordinate(double v, double tension) {
    return formatNumber(std::round(v * tension * 10.0) / 10.0, 1);
}

std::vector<PanelTreeRow> canvasRows(const TZCeiling& doc, const CanvasPieceSource& canvases) {
    std::vector<PanelTreeRow> rows;
    if (!canvases) return rows;
    const double tension = doc.material.tensionCoef;
    for (int k = 0; k + 2 < doc.seamLines.count(); k += 2) {
        const std::vector<CanvasPiecePoint> points = canvases(doc, k);
        if (points.empty()) continue;
        PanelTreeRow& canvas = rows.emplace_back();
        canvas.root = true;
        canvas.text = kCanvasRowPrefix + std::to_wstring(k / 2 + 1);
        for (const CanvasPiecePoint& p : points) {
            PanelTreeRow& row = canvas.children.emplace_back();
            row.text = vertexName(p.nameIndex) + L" (" + fabricCoordinate(p.x, tension) + L", " +
                       fabricCoordinate(p.y, tension) + L")";
        }
        canvas.childCount = static_cast<int>(canvas.children.size());
    }
    return rows;
}

// The pairs from vertex i to every later vertex, the most deviating measured diagonal marked.
void addPairRows(const TZCeiling& doc, const RecordIndex& records, int i, PanelTreeRow& root) {
    const int n = doc.polygon.count();
    std::size_t worst = 0;
    double worstDeviation = 0; // measured − drawn of the worst row
    for (int j = i + 1; j < n; ++j) {
        PanelTreeRow& row = root.children.emplace_back();
        row.first = i;
        row.second = j;
        row.record = records.find(i, j);
        row.text = withLength(doc, pairName(i, j), row.record);
        const Diagonal* d = doc.diagonals.checkedAt(row.record);
        if (d == nullptr || !(d->length > 0) || areNeighbours(i, j, n)) continue;
        const double deviation = d->length - actualLength(doc, *d);
        if (std::fabs(deviation) > std::fabs(worstDeviation)) {
            worstDeviation = deviation;
            worst = root.children.size() - 1;
        }
    }
    if (worstDeviation == 0) return;
    root.children[worst].text +=
        (worstDeviation > 0 ? L"(+" : L"(-") + formatNumber(std::fabs(worstDeviation), 2) + L")";
}

std::vector<PanelTreeRow> sideRows(TZCeiling& doc, bool withPairs) {
    std::vector<PanelTreeRow> rows;
    const int n = doc.polygon.count();
    // One lookup of the records by pair: the tree asks for every pair, and a search of all
    // records for each of them made the tree grow with the cube of the vertices.
    const RecordIndex records(doc.diagonals, n);
    for (int i = 0; i < n; ++i) {
        const int next = i + 1 < n ? i + 1 : 0;
        const int side = records.find(i, next);
        if (side < 0) continue;
        PanelTreeRow& row = rows.emplace_back();
        row.root = true;
        row.first = i;
        row.second = next;
        row.record = side;
        // The closing side is written from the last vertex to the first, as one walks round.
        row.text = withLength(doc, vertexName(i) + vertexName(next), side);
        if (recogniseRightAngle(doc, i, records)) row.text += kRightAngleMark;
        const int preference = doc.polygon.at(i).sidePreference;
        if (preference == kSideInward) row.text += kInwardMark;
        if (preference == kSideOutward) row.text += kOutwardMark;
        row.childCount = n - 1 - i;
        if (withPairs) addPairRows(doc, records, i, row);
    }
    return rows;
}

} // namespace

std::vector<PanelTreeRow> buildPanelTree(TZCeiling& doc, const AppSettings& settings,
                                         const CanvasPieceSource& canvases) {
    if (doc.stepMode) return {};
    const ScopedSwitch placedOnly(doc.placedOnly, true);
    if (showsCanvases(doc, settings)) return canvasRows(doc, canvases);
    return sideRows(doc, true);
}

std::vector<PanelTreeRow> buildPanelRoots(TZCeiling& doc, const AppSettings& settings,
                                          const CanvasPieceSource& canvases) {
    if (doc.stepMode) return {};
    const ScopedSwitch placedOnly(doc.placedOnly, true);
    if (showsCanvases(doc, settings)) return canvasRows(doc, canvases);
    return sideRows(doc, false);
}

std::vector<PanelTreeRow> buildPanelChildren(const TZCeiling& doc, const PanelTreeRow& root) {
    if (!root.root || root.first < 0 || root.first >= doc.polygon.count() || root.second < 0) return {};
    // The pair rows read the lengths and the drawn distances only, which the placed-only switch
    // the whole tree is built with does not touch.
    PanelTreeRow rows = root;
    rows.children.clear();
    addPairRows(doc, RecordIndex(doc.diagonals, doc.polygon.count()), root.first, rows);
    return std::move(rows.children);
}

bool chooseRow(const PanelTreeRow& row, RowChoice& choice) {
    if (row.first < 0 || row.second < 0) return false;
    if (row.root) {
        const std::size_t bracket = row.text.find(L" (");
        choice.name = row.text.substr(0, bracket);
        choice.focusLength = true;
    } else {
        choice.name = pairName(row.first, row.second);
        choice.focusLength = false;
    }
    return true;
}

} // namespace tenzora
