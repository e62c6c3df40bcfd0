// Cutout polygons: rectangles by two or three located corners, circles and ellipses around a
// located point, free outlines of located points.

#include "model/cutouts.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "model/ceiling.h"
#include "model/geometry.h"
#include "model/inside_test.h"

namespace tenzora {

namespace {

// A circle or ellipse with automatic point count gets one point per this many cm of its larger
// diameter …
constexpr double kCentimetresPerPoint = 6.0;
// … but at least this many points when that gives fewer than kMinAutomaticPoints.
constexpr std::int64_t kFewestPoints = 6;
constexpr std::int64_t kMinAutomaticPoints = 8;
// An ellipse counts as turned perpendicular when its flag is above this.
constexpr double kTurnedFlag = 0.01;
// End angles (degrees) that, with a start of 0, mean the whole outline.
constexpr int kWholeTurnEnds[] = {0, 359, 360};

Vertex add(const Vertex& p, double dx, double dy) {
    return makeVertex(p.x + dx, p.y + dy);
}

// Position of working point i, as a plain point.
Vertex outlinePoint(const WorkingOutline& outline, int i) {
    const Vertex& v = outline.point(i);
    return makeVertex(v.x, v.y);
}

Vertex locateRow(const TZHoleDiagonal& row, const WorkingOutline& outline, std::span<const Vertex> room) {
    return locatePoint(outlinePoint(outline, row.vertex1), row.distance1, outlinePoint(outline, row.vertex2),
                       row.distance2, room);
}

// The four corners of a rectangle cutout, in drawing order; false when it has none.
bool rectangleCorners(const TZHole& hole, const WorkingOutline& outline, std::span<const Vertex> room,
                      std::array<Vertex, 4>& c, TZRowRewrite& rewrite) {
    std::array<int, 3> rows{};
    int usable = 0;
    for (int r = 0; r < hole.rows.count() && usable < 3; ++r)
        if (rowUsable(hole.rows.at(r), outline)) rows[static_cast<std::size_t>(usable++)] = r;
    if (usable < 2) return false;
    const Vertex first = locateRow(hole.rows.at(rows[0]), outline, room);
    const Vertex second = locateRow(hole.rows.at(rows[1]), outline, room);
    const double size = hole.size1;

    switch (static_cast<TZHoleMode>(hole.mode)) {
    case TZHoleMode::TwoAdjacentPoints: {
        const double vx = second.x - first.x, vy = second.y - first.y;
        const double length = std::hypot(vx, vy);
        if (!(length > 0) || !std::isfinite(size)) return false;
        c[0] = first;
        c[1] = second;
        c[2] = add(second, -vy / length * size, vx / length * size);
        c[3] = add(first, c[2].x - second.x, c[2].y - second.y);
        return true;
    }
    case TZHoleMode::ThreePoints: {
        if (usable < 3) return false;
        const double vx = second.x - first.x, vy = second.y - first.y;
        const double length = std::hypot(vx, vy);
        if (!(length > 0)) return false;
        // The third corner is projected onto the perpendicular through the second, and its row
        // is rewritten to describe the corner actually drawn.
        const TZHoleDiagonal& third = hole.rows.at(rows[2]);
        const Vertex measured = locateRow(third, outline, room);
        const double nx = -vy / length, ny = vx / length;
        const double along = (measured.x - second.x) * nx + (measured.y - second.y) * ny;
        c[0] = first;
        c[1] = second;
        c[2] = add(second, nx * along, ny * along);
        c[3] = add(first, c[2].x - second.x, c[2].y - second.y);
        rewrite.row = rows[2];
        rewrite.distance1 = distance(c[2], outlinePoint(outline, third.vertex1));
        rewrite.distance2 = distance(c[2], outlinePoint(outline, third.vertex2));
        return true;
    }
    case TZHoleMode::TwoOppositePoints:
    case TZHoleMode::TwoOppositePointsTurned: {
        // The second row is the opposite corner; the corner next to the first one along `size`
        // is where a circle of radius size around it meets one of the other side's length
        // around the opposite corner.
        const Vertex opposite = second;
        const double diagonal = distance(first, opposite);
        if (!(diagonal > 0) || !(size > 0) || size > diagonal) return false;
        const double other = diagonal * std::sin(std::acos(size / diagonal));
        const double ux = (opposite.x - first.x) / diagonal, uy = (opposite.y - first.y) / diagonal;
        const double nx = -uy, ny = ux;
        const double t = (size * size + diagonal * diagonal - other * other) / (2 * diagonal);
        const double g = (diagonal * diagonal - (size - other) * (size - other)) *
                         ((size + other) * (size + other) - diagonal * diagonal);
        const double h = g > 0 ? std::sqrt(g) / (2 * diagonal) : 0.0;
        const Vertex foot = add(first, t * ux, t * uy);
        c[0] = first;
        c[2] = opposite;
        if (hole.mode == static_cast<std::int32_t>(TZHoleMode::TwoOppositePoints)) {
            c[3] = add(foot, -h * nx, -h * ny);
            c[1] = add(first, opposite.x - c[3].x, opposite.y - c[3].y);
        } else {
            c[1] = add(foot, h * nx, h * ny);
            c[3] = add(first, opposite.x - c[1].x, opposite.y - c[1].y);
        }
        return true;
    }
    default:
        return false;
    }
}

bool wholeOutline(const TZHole& hole) {
    if (hole.angleFrom != 0) return false;
    return std::find(std::begin(kWholeTurnEnds), std::end(kWholeTurnEnds), hole.angleTo) !=
           std::end(kWholeTurnEnds);
}

// Circle (type 2) and ellipse (type 4).
void addRoundCutout(const TZCeiling& doc, const TZHole& hole, const WorkingOutline& outline,
                    const OutputMapping& mapping, TZHolesArray& holes) {
    const bool ellipse = hole.type == static_cast<std::int32_t>(TZHoleType::Ellipse);
    if (hole.rows.count() < (ellipse ? 2 : 1)) return;
    const TZHoleDiagonal& row = hole.rows.at(0);
    if (!rowUsable(row, outline)) return;
    const Vertex reference = locateRow(row, outline, pointsOf(doc.polygon));

    const double d1 = hole.size1;
    double d2 = d1;
    double phi = 0.0;
    if (ellipse) {
        const TZHoleDiagonal& extra = hole.rows.at(1);
        d2 = extra.distance1;
        const Vertex* from = doc.polygon.checkedAt(extra.vertex1);
        const Vertex* to = doc.polygon.checkedAt(extra.vertex2);
        // Without a valid side the first diameter lies along the drawing's x axis.
        if (from && to && extra.vertex1 != extra.vertex2) phi = direction(to->x - from->x, to->y - from->y);
        if (extra.distance2 > kTurnedFlag) phi += kPi / 2;
    }
    if (!std::isfinite(d1) || !std::isfinite(d2)) return;

    const bool whole = wholeOutline(hole);
    std::int64_t m = hole.pointCount != 0 ? hole.pointCount : automaticPointCount(d1, d2);
    if (!whole) ++m;
    if (m < (whole ? 1 : 2) || m > holes.room()) return;

    Vertex centre = reference;
    switch (static_cast<TZHoleMode>(hole.mode)) {
    case TZHoleMode::Centre:
        break;
    case TZHoleMode::Top:
        centre = add(reference, 0, d2 / 2);
        break; // y grows downward
    case TZHoleMode::Right:
        centre = add(reference, -d1 / 2, 0);
        break;
    case TZHoleMode::Bottom:
        centre = add(reference, 0, -d2 / 2);
        break;
    case TZHoleMode::Left:
        centre = add(reference, d1 / 2, 0);
        break;
    default:
        return;
    }
    const bool topOrBottom = hole.mode == static_cast<std::int32_t>(TZHoleMode::Top) ||
                             hole.mode == static_cast<std::int32_t>(TZHoleMode::Bottom);
    const double phase = topOrBottom ? kPi / static_cast<double>(m) : 0.0;
    const double from = hole.angleFrom * kPi / 180.0;
    const double span = (static_cast<double>(hole.angleTo) - hole.angleFrom) * kPi / 180.0;
    const double cosPhi = std::cos(phi), sinPhi = std::sin(phi);
    for (std::int64_t i = 0; i < m; ++i) {
        double lx = 0, ly = 0;
        if (whole) {
            const double theta = phase + 2 * kPi * static_cast<double>(i) / static_cast<double>(m);
            lx = d1 / 2 * std::cos(theta);
            ly = d2 / 2 * std::sin(theta);
        } else {
            const double theta = from + static_cast<double>(i) * span / static_cast<double>(m - 1) + phase;
            lx = -d1 / 2 * std::cos(theta);
            ly = -d2 / 2 * std::sin(theta);
        }
        const Vertex p = add(centre, lx * cosPhi - ly * sinPhi, lx * sinPhi + ly * cosPhi);
        holes.addPoint(p, mapping.toOutput(p.x, p.y));
    }
}

} // namespace

// ---- TZHolesArray ------------------------------------------------------------------------------

TZHolesArray::TZHolesArray() {
    points_.reserve(kCutoutPointCapacity);
}

std::span<const TZHolePoint> TZHolesArray::cutout(int i) const {
    if (i < 0 || i >= cutoutCount()) return {};
    const Range& r = ranges_[static_cast<std::size_t>(i)];
    return std::span<const TZHolePoint>(points_).subspan(static_cast<std::size_t>(r.first),
                                                         static_cast<std::size_t>(r.count));
}

void TZHolesArray::clear() {
    points_.clear();
    ranges_.clear();
    rewrites_.clear();
}

void TZHolesArray::addRowRewrite(const TZRowRewrite& rewrite) {
    rewrites_.push_back(rewrite);
}

void TZHolesArray::beginCutout() {
    ranges_.push_back({totalPoints(), 0});
}

bool TZHolesArray::addPoint(const Vertex& p, ScreenPoint output) {
    if (ranges_.empty() || room() <= 0) return false;
    TZHolePoint hp;
    hp.point = makeVertex(p.x, p.y);
    hp.output = output;
    points_.push_back(hp);
    ++ranges_.back().count;
    return true;
}

// ---- locating ----------------------------------------------------------------------------------

Vertex locatePoint(const Vertex& A, double a, const Vertex& B, double b, std::span<const Vertex> room) {
    const double c = distance(A, B);
    if (!(c > 0)) return makeVertex(A.x, A.y);
    const double ux = (B.x - A.x) / c, uy = (B.y - A.y) / c;
    const double nx = -uy, ny = ux;
    const double g = (c * c - (a - b) * (a - b)) * ((a + b) * (a + b) - c * c);
    const double h = g > 0 ? std::sqrt(g) / (2 * c) : 0.0; // circles that do not meet: on AB
    const double t = (a * a + c * c - b * b) / (2 * c);
    const Vertex first = makeVertex(A.x + t * ux + h * nx, A.y + t * uy + h * ny);
    if (insideEvenOdd(room, first.x, first.y)) return first;
    return makeVertex(A.x + t * ux - h * nx, A.y + t * uy - h * ny);
}

bool rowUsable(const TZHoleDiagonal& row, const WorkingOutline& outline) {
    return row.vertex1 != row.vertex2 && outline.valid(row.vertex1) && outline.valid(row.vertex2) &&
           std::isfinite(row.distance1) && std::isfinite(row.distance2);
}

std::int64_t automaticPointCount(double diameter1, double diameter2) {
    const double larger = std::max(diameter1, diameter2);
    const double steps = std::floor(larger / kCentimetresPerPoint);
    if (!(steps >= 0)) return kFewestPoints;
    // Far more points than any cutout may have: the caller leaves such a cutout out.
    if (steps > 1e9) return static_cast<std::int64_t>(1e9);
    const std::int64_t even = static_cast<std::int64_t>(steps) & ~std::int64_t{1};
    return even >= kMinAutomaticPoints ? even : kFewestPoints;
}

// ---- building -----------------------------------------------------------------------------------

int buildCutouts(const TZCeiling& doc, const WorkingOutline& outline, const OutputMapping& mapping,
                 TZHolesArray& holes) {
    holes.clear();
    const std::span<const Vertex> room = pointsOf(doc.polygon);
    for (int h = 0; h < doc.holes.count(); ++h) {
        const TZHole& hole = doc.holes.at(h);
        holes.beginCutout();
        switch (static_cast<TZHoleType>(hole.type)) {
        case TZHoleType::Rectangle: {
            std::array<Vertex, 4> corners;
            TZRowRewrite rewrite;
            rewrite.hole = h;
            if (holes.room() < 4 || !rectangleCorners(hole, outline, room, corners, rewrite)) break;
            if (rewrite.row >= 0) holes.addRowRewrite(rewrite);
            for (const Vertex& c : corners)
                holes.addPoint(c, mapping.toOutput(c.x, c.y));
            break;
        }
        case TZHoleType::Circle:
        case TZHoleType::Ellipse:
            addRoundCutout(doc, hole, outline, mapping, holes);
            break;
        case TZHoleType::Free: {
            int usable = 0;
            for (const TZHoleDiagonal& row : hole.rows)
                usable += rowUsable(row, outline) ? 1 : 0;
            if (usable > holes.room()) break;
            for (const TZHoleDiagonal& row : hole.rows) {
                if (!rowUsable(row, outline)) continue;
                const Vertex p = locateRow(row, outline, room);
                holes.addPoint(p, mapping.toOutput(p.x, p.y));
            }
            break;
        }
        default:
            break;
        }
    }
    return holes.totalPoints();
}

int buildCutouts(const TZCeiling& doc, const WorkingOutline& outline, TZHolesArray& holes) {
    const ScreenMapping mapping(doc);
    return buildCutouts(doc, outline, mapping, holes);
}

void storeCutouts(TZCeiling& doc, const TZHolesArray& holes) {
    for (const TZRowRewrite& r : holes.rowRewrites()) {
        TZHole* hole = doc.holes.checkedAt(r.hole);
        TZHoleDiagonal* row = hole != nullptr ? hole->rows.checkedAt(r.row) : nullptr;
        if (row == nullptr) continue;
        row->distance1 = r.distance1;
        row->distance2 = r.distance2;
    }
}

int regenerateCutouts(TZCeiling& doc, const WorkingOutline& outline, const OutputMapping& mapping,
                      TZHolesArray& holes) {
    const int total = buildCutouts(doc, outline, mapping, holes);
    storeCutouts(doc, holes);
    return total;
}

int regenerateCutouts(TZCeiling& doc, const WorkingOutline& outline, TZHolesArray& holes) {
    const ScreenMapping mapping(doc);
    return regenerateCutouts(doc, outline, mapping, holes);
}

} // namespace tenzora
