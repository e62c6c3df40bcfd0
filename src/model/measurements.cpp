#include "model/measurements.h"

#include <cmath>

#include "model/ceiling.h"
#include "model/cutouts.h"
#include "model/formatting.h"
#include "model/geometry.h"
#include "model/record_index.h"
#include "model/records.h"
#include "model/view_transform.h"
#include "model/working_outline.h"

namespace tenzora {

namespace {

constexpr wchar_t kErrorTooLarge[] = L"Внимание! Погрешность больше максимально допустимой!";
// Pythagoras may miss by this much (cm²) and the corner still counts as a right angle.
constexpr double kRightAngleTolerance = 25.0;
// The displayed error is the error figure scaled to the measurer's habitual range.
constexpr double kDisplayedErrorFactor = 20.0;
constexpr double kCentimetresPerMetre = 100.0;
constexpr double kFullTurn = 360.0;
// The cutting layout lists canvases in the side panel once its seam lines make one canvas.
constexpr int kSeamPointsOfOneCanvas = 4;

bool takesPart(const TZCeiling& doc, const Diagonal& d) {
    if (!doc.placedOnly) return true;
    const Vertex* a = doc.polygon.checkedAt(d.a);
    const Vertex* b = doc.polygon.checkedAt(d.b);
    return a && b && a->placed && b->placed;
}

double closedLength(const std::vector<Vertex>& ring) {
    double sum = 0;
    for (std::size_t i = 0; i < ring.size(); ++i)
        sum += distance(ring[i], ring[(i + 1) % ring.size()]);
    return sum;
}

double toDegreesInTurn(double degrees) {
    double d = std::fmod(degrees, kFullTurn);
    if (d < 0) d += kFullTurn;
    if (d >= kFullTurn) d -= kFullTurn;
    return d;
}

} // namespace

double actualLength(const TZCeiling& doc, const Diagonal& record) {
    const Vertex* a = doc.polygon.checkedAt(record.a);
    const Vertex* b = doc.polygon.checkedAt(record.b);
    if (!a || !b) return 0.0;
    return std::trunc(100.0 * distance(*a, *b)) / 100.0;
}

std::wstring lengthText(const TZCeiling& doc, const Diagonal* record, bool computeMissing) {
    if (record == nullptr) return L"?";
    if (!(record->length > 0)) return computeMissing ? formatNumber(actualLength(doc, *record), 1) : L"?";
    return formatNumber(record->length, 1);
}

double errorFigure(const TZCeiling& doc, bool includeSides) {
    double measuredSum = 0;
    for (const Diagonal& d : doc.diagonals)
        if (d.length > 0 && takesPart(doc, d)) measuredSum += d.length;
    if (!(measuredSum > 0)) return 0.0;
    const int n = doc.polygon.count();
    double deviation = 0;
    for (const Diagonal& d : doc.diagonals) {
        if (!(d.length > 0) || !takesPart(doc, d)) continue;
        if (!includeSides && areNeighbours(d.a, d.b, n)) continue;
        deviation += std::fabs(d.length - actualLength(doc, d)) / measuredSum;
    }
    return std::trunc(deviation * 1000 * 100) * 0.001;
}

double displayedError(const TZCeiling& doc) {
    return errorFigure(doc, false) * kDisplayedErrorFactor;
}

bool checkMaximumError(TZCeiling& doc) {
    if (!(displayedError(doc) > kMaximumDisplayedError)) return true;
    doc.ui().exclamation(kErrorTooLarge);
    return false;
}

namespace {

// `find(i, j)` answers as findDiagonal does.
template <class Find> bool recogniseRightAngleWith(TZCeiling& doc, int v, const Find& find) {
    const int n = doc.polygon.count();
    Vertex* corner = doc.polygon.checkedAt(v);
    if (corner == nullptr) return false;
    if (corner->rightAngle) return true;
    const int previous = (v + n - 1) % n;
    const int next = (v + 1) % n;
    const auto measured = [&](int i, int j, double& length) {
        const int k = find(i, j);
        if (k < 0 || !(doc.diagonals.at(k).length > 0)) return false;
        length = doc.diagonals.at(k).length;
        return true;
    };
    double c = 0;
    double e = 0;
    if (!measured(previous, v, c) || !measured(next, v, e)) return false;
    const int across = find(previous, next);
    if (across < 0) return false;
    const double j = doc.diagonals.at(across).length;
    if (!(std::fabs(c * c + e * e - j * j) <= kRightAngleTolerance)) return false;
    corner->rightAngle = 1;
    return true;
}

} // namespace

bool recogniseRightAngle(TZCeiling& doc, int v) {
    return recogniseRightAngleWith(doc, v, [&](int i, int j) { return findDiagonal(doc, i, j); });
}

bool recogniseRightAngle(TZCeiling& doc, int v, const RecordIndex& records) {
    return recogniseRightAngleWith(doc, v, [&](int i, int j) { return records.find(i, j); });
}

void markRightAngles(TZCeiling& doc) {
    if (doc.stepMode) return;
    if (doc.editor.mode == kModeCutting && doc.seamLines.count() >= kSeamPointsOfOneCanvas) return;
    const int n = doc.polygon.count();
    for (int v = 0; v < n; ++v)
        if (findDiagonal(doc, v, v + 1 < n ? v + 1 : 0) >= 0) recogniseRightAngle(doc, v);
}

int crossingCount(const TZCeiling& doc) {
    std::vector<const Diagonal*> sides;
    for (const Diagonal& d : doc.diagonals) {
        if (!d.isSide || !doc.polygon.checkedAt(d.a) || !doc.polygon.checkedAt(d.b)) continue;
        if (takesPart(doc, d)) sides.push_back(&d);
    }
    int count = 0;
    for (std::size_t p = 0; p < sides.size(); ++p) {
        const Diagonal& s = *sides[p];
        for (std::size_t q = p + 1; q < sides.size(); ++q) {
            const Diagonal& t = *sides[q];
            if (s.a == t.a || s.a == t.b || s.b == t.a || s.b == t.b) continue;
            if (segmentsCross(doc.polygon.at(s.a), doc.polygon.at(s.b), doc.polygon.at(t.a),
                              doc.polygon.at(t.b)))
                ++count;
        }
    }
    return count;
}

double outlineArea(const TZCeiling& doc) {
    if (!doc.placedOnly) return area(pointsOf(doc.polygon));
    std::vector<Vertex> placed;
    for (const Vertex& v : doc.polygon)
        if (v.placed) placed.push_back(v);
    return area(placed);
}

namespace {
// The cutouts placed against `withConstructions`, the outline with constructions.
std::vector<std::vector<Vertex>> cutoutOutlines(const TZCeiling& doc,
                                                const WorkingOutline& withConstructions) {
    TZHolesArray holes;
    buildCutouts(doc, withConstructions, holes);
    std::vector<std::vector<Vertex>> result;
    result.reserve(static_cast<std::size_t>(holes.cutoutCount()));
    for (int i = 0; i < holes.cutoutCount(); ++i) {
        std::vector<Vertex>& ring = result.emplace_back();
        for (const TZHolePoint& p : holes.cutout(i))
            ring.push_back(p.point);
    }
    return result;
}
} // namespace

FigureShapes figureShapes(const TZCeiling& doc) {
    FigureShapes shapes;
    WorkingOutline outline;
    buildWorkingOutline(doc, doc.showConstructions, outline);
    shapes.outline.assign(outline.points().begin(), outline.points().end());
    // The cutouts' rows refer to the outline with constructions, which is the one just built.
    if (doc.showConstructions) shapes.cutouts = cutoutOutlines(doc, outline);
    return shapes;
}

double netArea(const TZCeiling& doc) {
    return netArea(doc, figureShapes(doc));
}

double netArea(const TZCeiling& doc, const FigureShapes& shapes) {
    double net = area(shapes.outline);
    if (doc.showConstructions)
        for (const std::vector<Vertex>& cutout : shapes.cutouts)
            net -= area(cutout);
    return net;
}

double perimeter(const TZCeiling& doc) {
    // Without constructions shown the perimeter is the records' and needs no shapes.
    return perimeter(doc, doc.showConstructions ? figureShapes(doc) : FigureShapes{});
}

double perimeter(const TZCeiling& doc, const FigureShapes& shapes) {
    if (doc.showConstructions) {
        double sum = closedLength(shapes.outline);
        for (const std::vector<Vertex>& cutout : shapes.cutouts)
            sum += closedLength(cutout);
        return sum / kCentimetresPerMetre;
    }
    const int n = doc.polygon.count();
    // One lookup of the records by pair rather than a search of the whole list for every side
    // (an outline read from a file may have thousands of sides and records).
    const RecordIndex records(doc.diagonals, n);
    double sum = 0;
    for (int i = 0; i < n; ++i) {
        const int k = records.find(i, i + 1 < n ? i + 1 : 0);
        if (k < 0) continue;
        const Diagonal& side = doc.diagonals.at(k);
        if (!side.isSide) continue;
        sum += side.length == 0 ? actualLength(doc, side) : side.length;
    }
    return sum / kCentimetresPerMetre;
}

double cornerAngle(const TZCeiling& doc, int v) {
    const int n = doc.polygon.count();
    if (doc.polygon.checkedAt(v) == nullptr) return 0.0;
    const auto screen = [&](int i) {
        const Vertex& p = doc.polygon.at(i);
        return worldToScreen(doc, p.x, p.y);
    };
    const ScreenPoint at = screen(v);
    const ScreenPoint previous = screen((v + n - 1) % n);
    const ScreenPoint next = screen((v + 1) % n);
    const auto degreesTowards = [&](const ScreenPoint& p) {
        const double radians = direction(static_cast<double>(p.x) - at.x, static_cast<double>(p.y) - at.y);
        return toDegreesInTurn(radians * 180.0 / kPi);
    };
    return toDegreesInTurn(degreesTowards(previous) - degreesTowards(next));
}

std::wstring cornerAngleText(const TZCeiling& doc, int v) {
    return formatNumber(cornerAngle(doc, v), 0) + L"°";
}

double rulerLength(const TZCeiling& doc) {
    double sum = 0;
    for (int i = 0; i + 2 < doc.editor.rulerPoints.count(); ++i)
        sum += distance(doc.editor.rulerPoints.at(i), doc.editor.rulerPoints.at(i + 1));
    return sum / kCentimetresPerMetre;
}

// All points, the one under the mouse included, so that the area follows the mouse from the
// third point on, as the side panel shows it.
double rulerArea(const TZCeiling& doc) {
    return area(pointsOf(doc.editor.rulerPoints));
}

std::vector<Vertex> figureOutline(const TZCeiling& doc) {
    WorkingOutline outline;
    buildWorkingOutline(doc, doc.showConstructions, outline);
    return std::vector<Vertex>(outline.points().begin(), outline.points().end());
}

// The cutouts are placed against the outline with constructions, as their rows refer to it.
std::vector<std::vector<Vertex>> cutoutOutlines(const TZCeiling& doc) {
    WorkingOutline outline;
    buildWorkingOutline(doc, true, outline);
    return cutoutOutlines(doc, outline);
}

} // namespace tenzora
