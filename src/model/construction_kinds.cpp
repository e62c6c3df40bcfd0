// Rectangles, trapezoids, arcs and corner cuts: what each inserts into the working outline.

#include "model/construction_kinds.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <utility>

#include "model/ceiling.h"
#include "model/geometry.h"

namespace tenzora {

namespace {

// A rectangle's start (end) merges into the corner when it lies this close to it, in cm.
constexpr double kCornerMergeDistance = 0.1;
// Two sides count as perpendicular within this many radians (1/π, about 18°).
constexpr double kPerpendicularTolerance = 0.3183098861837907;
// Three points count as collinear when the sine of the angle between their two segments is no
// larger than this (the circle through them would be far larger than any room).
constexpr double kCollinearSine = 1e-9;
// Measured vertices closer than this to a cut corner carry the cut mark.
constexpr double kCutMarkDistance = 1.0;
// Entries of the chord/arc table: arcs of 0 … 360 whole degrees.
constexpr int kArcTableSteps = 360;

double sideDirection(const Vertex& from, const Vertex& to) {
    return direction(to.x - from.x, to.y - from.y);
}

// Direction in [0, 2π).
double fullTurnDirection(double dx, double dy) {
    double a = direction(dx, dy);
    if (a < 0) a += 2 * kPi;
    return a;
}

// T[i] = sin(φ)/φ for φ = i·π/360: chord/arc of an arc whose central angle is i degrees.
const std::array<double, kArcTableSteps + 1>& chordArcRatios() {
    static const std::array<double, kArcTableSteps + 1> table = [] {
        std::array<double, kArcTableSteps + 1> t{};
        t[0] = 1.0;
        for (int i = 1; i < kArcTableSteps; ++i) {
            const double half = i * kPi / 360.0;
            t[static_cast<std::size_t>(i)] = std::sin(half) / half;
        }
        t[kArcTableSteps] = 0.0;
        return t;
    }();
    return table;
}

} // namespace

// ---- OutlineEditor ------------------------------------------------------------------------------

bool OutlineEditor::insertOwned(int at, const Vertex& p) {
    return outline_.insert(at, p, TZDopPoint{}, mapping_.toOutput(p.x, p.y));
}

void OutlineEditor::replaceWithOwned(int i, const Vertex& p) {
    outline_.setPoint(i, p, mapping_.toOutput(p.x, p.y));
    outline_.entryAt(i) = TZDopPoint{};
}

void OutlineEditor::markFirst(int i, int k, TZDop& dop) {
    if (!outline_.valid(i)) return;
    outline_.entryAt(i).firstOf = k;
    dop.firstPointPosX = outline_.position(i).x;
    dop.firstPointPosY = outline_.position(i).y;
}

void OutlineEditor::markLast(int i, int k, TZDop& dop) {
    if (!outline_.valid(i)) return;
    outline_.entryAt(i).lastOf = k;
    dop.lastPointPosX = outline_.position(i).x;
    dop.lastPointPosY = outline_.position(i).y;
}

// ---- helpers -------------------------------------------------------------------------------------

bool sidesPerpendicular(double theta1, double theta2) {
    double delta = std::fabs(theta1 - theta2);
    if (delta > 2 * kPi) delta -= 2 * kPi;
    if (delta > kPi) delta -= kPi;
    return std::fabs(delta - kPi / 2) < kPerpendicularTolerance;
}

bool circleThrough(const Vertex& p, const Vertex& q, const Vertex& r, Vertex& centre, double& radius) {
    // Relative to p, so that the result does not lose digits far from the origin.
    const double bx = q.x - p.x, by = q.y - p.y;
    const double cx = r.x - p.x, cy = r.y - p.y;
    const double cross = bx * (r.y - q.y) - by * (r.x - q.x);
    const double scale = std::hypot(bx, by) * std::hypot(r.x - q.x, r.y - q.y);
    if (!(std::fabs(cross) > kCollinearSine * scale)) return false; // also NaN
    const double d = 2 * (bx * cy - by * cx);
    const double b2 = bx * bx + by * by;
    const double c2 = cx * cx + cy * cy;
    const double ux = (cy * b2 - by * c2) / d;
    const double uy = (bx * c2 - cx * b2) / d;
    if (!std::isfinite(ux) || !std::isfinite(uy)) return false;
    centre = makeVertex(p.x + ux, p.y + uy);
    radius = std::hypot(ux, uy);
    return true;
}

double arcDepth(double chord, double arcLength) {
    const double ratio = chord / arcLength;
    const auto& table = chordArcRatios();
    int step = 0;
    for (int i = 1; i <= kArcTableSteps; ++i) {
        if (table[static_cast<std::size_t>(i - 1)] > ratio && ratio >= table[static_cast<std::size_t>(i)]) {
            step = i;
            break;
        }
    }
    if (step == 0) return 0.0; // no arc of this length spans the chord (also NaN)
    double phi = step * kPi / 180.0;
    if (phi >= 2 * kPi) phi -= 2 * kPi;
    double depth = 0.0;
    if (phi >= kPi)
        depth = arcLength / kPi;
    else if (phi > 0)
        depth = (arcLength / phi) * (1 - std::cos(phi / 2));
    // A whole turn (φ reduced to 0) has no depth to offer: the chord is next to nothing.
    if (arcLength > chord * kPi / 2) depth = -depth;
    return depth;
}

// ---- rectangle and trapezoid ---------------------------------------------------------------------

bool applyRectangle(OutlineEditor& editor, TZDop& dop, int k, const HostSide& side, bool trapezoid) {
    double d1 = dop.distance1;
    double d2 = dop.distance2;
    double h1 = dop.depth;
    double h2 = trapezoid ? dop.depth2 : dop.depth;
    // Given from point 0 to the last point, the side is walked from its other end: each distance
    // (and each depth of a trapezoid) stays at the vertex it was given for.
    if (side.exchanged) {
        std::swap(d1, d2);
        std::swap(h1, h2);
    }
    const Vertex& pa = side.pa;
    const Vertex& pb = side.pb;
    const double thetaSide = sideDirection(pa, pb);
    const double thetaPrevious = sideDirection(editor.point(editor.previous(side.a)), pa);
    const double thetaNext = sideDirection(pb, editor.point(editor.next(side.b)));
    const bool mergeStart = d1 <= kCornerMergeDistance && sidesPerpendicular(thetaSide, thetaPrevious);
    const bool mergeEnd = d2 <= kCornerMergeDistance && sidesPerpendicular(thetaSide, thetaNext);

    std::array<Vertex, 4> corners = {
        pointAlongSide(pa, pb, true, d1, 0), pointAlongSide(pa, pb, true, d1, h1),
        pointAlongSide(pa, pb, false, d2, h2), pointAlongSide(pa, pb, false, d2, 0)};
    // A merged corner: the leg continues the neighbouring side, so the side's own end point and
    // the vertex go.
    const int firstCorner = mergeStart ? 1 : 0;
    const int lastCorner = mergeEnd ? 2 : 3;
    const int inserted = lastCorner - firstCorner + 1;
    if (editor.outline().room() < inserted) return false;

    dop.width = distance(pa, pb) - d1 - d2;
    int at = side.a + 1;
    for (int c = firstCorner; c <= lastCorner; ++c)
        editor.insertOwned(at++, corners[static_cast<std::size_t>(c)]);
    editor.markFirst(side.a + 1, k, dop);
    editor.markLast(side.a + inserted, k, dop);

    // Remove the later index first so that the earlier one stays where it is.
    const int b = side.b > side.a ? side.b + inserted : side.b;
    const int removeStart = mergeStart ? side.a : -1;
    const int removeEnd = mergeEnd ? b : -1;
    if (removeStart > removeEnd) {
        editor.remove(removeStart);
        if (removeEnd >= 0) editor.remove(removeEnd);
    } else {
        editor.remove(removeEnd);
        if (removeStart >= 0) editor.remove(removeStart);
    }
    return true;
}

// ---- arc ---------------------------------------------------------------------------------------

bool applyArc(OutlineEditor& editor, TZDop& dop, int k, const HostSide& side) {
    double d1 = dop.distance1;
    double d2 = dop.distance2;
    if (side.exchanged) std::swap(d1, d2);
    const Vertex a = pointAlongSide(side.pa, side.pb, true, d1, 0);
    const Vertex b = pointAlongSide(side.pa, side.pb, false, d2, 0);
    const double chord = distance(a, b);

    double depth = 0.0;
    double sign = 1.0;
    if (dop.depth != 0) {
        depth = std::fabs(dop.depth);
        sign = dop.depth < 0 ? -1.0 : 1.0;
    } else {
        if (dop.arcLength == 0) return true;
        depth = arcDepth(chord, std::fabs(dop.arcLength));
        sign = dop.arcLength < 0 ? -1.0 : 1.0;
    }
    if (depth == 0 || !std::isfinite(depth)) return true;

    const Vertex apex = pointAlongSide(side.pa, side.pb, true, d1 + chord / 2, sign * depth);
    Vertex centre;
    double radius = 0.0;
    if (!circleThrough(apex, a, b, centre, radius)) return true; // collinear: no circle, no arc
    dop.depth2 = radius;

    double alpha1 = fullTurnDirection(a.x - centre.x, a.y - centre.y);
    double alpha2 = fullTurnDirection(b.x - centre.x, b.y - centre.y);
    // The shorter way round.
    if (std::fabs(alpha1 - alpha2) > kPi) {
        if (alpha1 > alpha2)
            alpha1 -= 2 * kPi;
        else
            alpha2 -= 2 * kPi;
    }
    const std::int64_t between = dop.extraPoints > 0 ? dop.extraPoints : 0;
    if (editor.outline().room() < between + 2) return false;

    const double step = (alpha2 - alpha1) / static_cast<double>(between + 1);
    const double low = std::min(alpha1, alpha2);
    const double high = std::max(alpha1, alpha2);
    int at = side.a + 1;
    editor.insertOwned(at, a);
    editor.markFirst(at++, k, dop);
    for (std::int64_t i = 1; i <= between; ++i) {
        const double alpha = alpha1 + static_cast<double>(i) * step;
        if (!(alpha > low && alpha < high)) break;
        editor.insertOwned(
            at++, makeVertex(centre.x + radius * std::cos(alpha), centre.y + radius * std::sin(alpha)));
    }
    editor.insertOwned(at, b);
    editor.markLast(at, k, dop);
    return true;
}

// ---- corner cut ----------------------------------------------------------------------------------

bool applyCornerCut(OutlineEditor& editor, TZDop& dop, int k, int corner) {
    if (editor.outline().room() < 1) return false;
    const Vertex c = editor.point(corner);
    const Vertex before = editor.point(editor.previous(corner));
    const Vertex after = editor.point(editor.next(corner));
    const Vertex p = pointAlongSide(before, c, false, dop.distance1, 0);
    const Vertex q = pointAlongSide(c, after, true, dop.distance2, 0);

    const CPolygon& measured = editor.doc().polygon;
    for (int i = 0; i < measured.count(); ++i)
        if (distance(measured.at(i), c) < kCutMarkDistance) editor.outline().markCut(i);
    // P takes the corner's place and Q follows it: the corner is replaced by the two points.
    editor.replaceWithOwned(corner, p);
    editor.insertOwned(corner + 1, q);
    editor.markFirst(corner, k, dop);
    editor.markLast(corner + 1, k, dop);
    return true;
}

} // namespace tenzora
