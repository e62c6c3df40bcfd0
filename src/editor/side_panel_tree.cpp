#include "editor/side_panel_tree.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>

#include "editor/view_rules.h"
#include "model/ceiling.h"
#include "model/formatting.h"
#include "model/measurements.h"
#include "model/names.h"
#include "model/records.h"
#include "model/settings.h"

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

// The record of each pair of vertices as findDiagonal picks it (the first measured record of the
// pair, else its last one), found in one pass over the records: the tree asks for every pair, and
// a search of all records for each of them made the tree grow with the cube of the vertices.
class PairRecords {
  public:
    explicit PairRecords(const TZCeiling& doc) {
        chosen_.reserve(static_cast<std::size_t>(doc.diagonals.count()));
        for (int k = 0; k < doc.diagonals.count(); ++k) {
            const Diagonal& d = doc.diagonals.at(k);
            const auto [it, isNew] = chosen_.try_emplace(key(d.a, d.b), k);
            if (!isNew && !(doc.diagonals.at(it->second).length > 0)) it->second = k;
        }
    }
    int find(int i, int j) const {
        const auto it = chosen_.find(key(i, j));
        return it == chosen_.end() ? -1 : it->second;
    }

  private:
    static std::uint64_t key(int i, int j) {
        const auto lo = static_cast<std::uint32_t>(std::min(i, j));
        const auto hi = static_cast<std::uint32_t>(std::max(i, j));
        return (static_cast<std::uint64_t>(hi) << 32) | lo;
    }
    std::unordered_map<std::uint64_t, int> chosen_;
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
    }
    return rows;
}

// The pairs from vertex i to every later vertex, the most deviating measured diagonal marked.
void addPairRows(TZCeiling& doc, const PairRecords& records, int i, PanelTreeRow& root) {
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

std::vector<PanelTreeRow> sideRows(TZCeiling& doc) {
    std::vector<PanelTreeRow> rows;
    const int n = doc.polygon.count();
    const PairRecords records(doc);
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
        if (recogniseRightAngle(doc, i)) row.text += kRightAngleMark;
        const int preference = doc.polygon.at(i).sidePreference;
        if (preference == kSideInward) row.text += kInwardMark;
        if (preference == kSideOutward) row.text += kOutwardMark;
        addPairRows(doc, records, i, row);
    }
    return rows;
}

} // namespace

std::vector<PanelTreeRow> buildPanelTree(TZCeiling& doc, const AppSettings& settings,
                                         const CanvasPieceSource& canvases) {
    if (doc.stepMode) return {};
    const ScopedSwitch placedOnly(doc.placedOnly, true);
    if (showsCanvases(doc, settings)) return canvasRows(doc, canvases);
    return sideRows(doc);
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
