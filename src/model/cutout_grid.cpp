#include "model/cutout_grid.h"

#include <cmath>
#include <cstdint>
#include <utility>

#include "model/formatting.h"
#include "model/names.h"
#include "model/typed_number.h"
#include "model/typed_value.h"
#include "model/working_outline.h"

namespace tenzora {

namespace {

constexpr int kNumberColumn = 0;
constexpr int kVertex1Column = 1;
constexpr int kDistance1Column = 2;
constexpr int kVertex2Column = 3;
constexpr int kDistance2Column = 4;

bool validRow(const std::vector<TZHoleRow>& rows, int row) {
    return row >= 0 && row < static_cast<int>(rows.size());
}

int indexOfName(const std::wstring& text) {
    const std::wstring keyed = applyNameKeys(text);
    return keyed.empty() ? -1 : vertexIndexStrict(keyed);
}

// The side's drawn length is given to a hundredth of a centimetre.
double truncatedLength(double length) {
    return std::trunc(length * 100.0) / 100.0;
}

} // namespace

std::optional<std::wstring> editCutoutCell(TZHoleRow& row, int column, std::wstring& text) {
    if (column == kDistance1Column || column == kDistance2Column) {
        const TypedValue v = readTypedValue(text, valueRange::kDistance, L"Расстояние");
        if (v.refused()) {
            text = rowDistanceText(column == kDistance1Column ? row.distance1 : row.distance2);
            return v.refusal;
        }
    }
    switch (column) {
    case kVertex1Column:
        row.vertex1 = indexOfName(text);
        text = rowNameText(row.vertex1);
        break;
    case kVertex2Column:
        row.vertex2 = indexOfName(text);
        text = rowNameText(row.vertex2);
        break;
    case kDistance1Column:
        row.distance1 = readTypedNumber(text, DecimalComma::Accepted);
        text = rowDistanceText(row.distance1);
        break;
    case kDistance2Column:
        row.distance2 = readTypedNumber(text, DecimalComma::Accepted);
        text = rowDistanceText(row.distance2);
        break;
    default:
        break;
    }
    return std::nullopt;
}

std::wstring cutoutCellText(const std::vector<TZHoleRow>& rows, int row, int column) {
    if (!validRow(rows, row)) return L"";
    const TZHoleRow& r = rows[static_cast<std::size_t>(row)];
    switch (column) {
    case kNumberColumn:
        return std::to_wstring(row + 1);
    case kVertex1Column:
        return rowNameText(r.vertex1);
    case kDistance1Column:
        return rowDistanceText(r.distance1);
    case kVertex2Column:
        return rowNameText(r.vertex2);
    case kDistance2Column:
        return rowDistanceText(r.distance2);
    default:
        return L"";
    }
}

bool moveCutoutRow(std::vector<TZHoleRow>& rows, int row, bool up) {
    const int other = up ? row - 1 : row + 1;
    if (!validRow(rows, row) || !validRow(rows, other)) return false;
    std::swap(rows[static_cast<std::size_t>(row)], rows[static_cast<std::size_t>(other)]);
    return true;
}

bool deleteCutoutRow(std::vector<TZHoleRow>& rows, int row, bool freeCutout) {
    if (!validRow(rows, row)) return false;
    rows.erase(rows.begin() + row);
    if (!freeCutout) rows.push_back(TZHoleRow{});
    return true;
}

ConverterSides converterSides(const TZHoleRow& row, int pointCount) {
    ConverterSides sides;
    if (row.vertex1 < 0 || row.vertex2 < 0 || pointCount <= 0) return sides;
    sides.first = pairName(row.vertex1, row.vertex2);
    // In 64 bits: a row read from a file may name any int.
    const std::int64_t v = row.vertex1, n = pointCount;
    int neighbour = static_cast<int>((v + n - 1) % n);
    if (neighbour == row.vertex2) neighbour = static_cast<int>((v + 1) % n);
    sides.second = pairName(row.vertex1, neighbour);
    return sides;
}

bool convertRowDistances(TZCeiling& doc, TZHoleRow& row, const std::wstring& side,
                         const std::wstring& fromSide) {
    const auto pair = parsePairName(applyNameKeys(side));
    if (!pair) return false;
    WorkingOutline outline;
    buildWorkingOutline(doc, true, outline);
    if (!outline.valid(pair->first) || !outline.valid(pair->second) || pair->first == pair->second)
        return false;
    // The end at the row's vertex 1 is where the offset along the side is measured from.
    int from = pair->first;
    int to = pair->second;
    if (row.vertex1 == to) std::swap(from, to);
    if (row.vertex1 != from) return false;

    const double a = row.distance1;
    const double h =
        trimBlanks(fromSide).empty() ? row.distance2 : readTypedNumber(fromSide, DecimalComma::Accepted);
    if (a == 0 && h == 0) return false;
    const Vertex& p = outline.point(from);
    const Vertex& q = outline.point(to);
    const double length = truncatedLength(std::hypot(q.x - p.x, q.y - p.y));
    const double fromFirst = std::hypot(a, h);
    const double fromSecond = std::hypot(length - a, h);
    // Numbers beyond any room give no distance the grid could show.
    if (!std::isfinite(fromFirst) || !std::isfinite(fromSecond)) return false;
    row.vertex1 = from;
    row.vertex2 = to;
    row.distance1 = fromFirst;
    row.distance2 = fromSecond;
    return true;
}

} // namespace tenzora
