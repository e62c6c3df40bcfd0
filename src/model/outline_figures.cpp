#include "model/outline_figures.h"

#include <algorithm>
#include <cmath>

#include "model/ceiling.h"
#include "model/cutouts.h"
#include "model/geometry.h"
#include "model/working_outline.h"

namespace tenzora {

namespace {

// Square centimetres in a square metre.
constexpr double kSquareCmPerSquareM = 10000.0;

template <typename Point, typename GetVertex>
double ringShoelace(std::span<const Point> ring, GetVertex vertexOf) {
    double s = 0;
    const std::size_t n = ring.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Vertex& p = vertexOf(ring[i]);
        const Vertex& q = vertexOf(ring[(i + 1) % n]);
        s += p.x * q.y - p.y * q.x;
    }
    return s;
}

template <typename Point, typename GetVertex>
double ringLength(std::span<const Point> ring, GetVertex vertexOf) {
    double length = 0;
    const std::size_t n = ring.size();
    if (n < 2) return 0;
    for (std::size_t i = 0; i < n; ++i)
        length += distance(vertexOf(ring[i]), vertexOf(ring[(i + 1) % n]));
    return length;
}

const Vertex& self(const Vertex& v) {
    return v;
}
const Vertex& holePoint(const TZHolePoint& p) {
    return p.point;
}

} // namespace

double outlineArea(const WorkingOutline& outline) {
    return area(outline.points());
}

double outlinePerimeter(const WorkingOutline& outline) {
    return ringLength(outline.points(), self);
}

double cutoutsArea(const TZHolesArray& holes) {
    double sum = 0;
    for (int i = 0; i < holes.cutoutCount(); ++i)
        sum += std::fabs(ringShoelace(holes.cutout(i), holePoint) / 2) / kSquareCmPerSquareM;
    return sum;
}

double cutoutsPerimeter(const TZHolesArray& holes) {
    double sum = 0;
    for (int i = 0; i < holes.cutoutCount(); ++i)
        sum += ringLength(holes.cutout(i), holePoint);
    return sum;
}

std::optional<OutlineBounds> outlineBounds(const WorkingOutline& outline) {
    if (outline.empty()) return std::nullopt;
    OutlineBounds b{outline.point(0).x, outline.point(0).y, outline.point(0).x, outline.point(0).y};
    for (const Vertex& v : outline.points()) {
        b.minX = std::min(b.minX, v.x);
        b.minY = std::min(b.minY, v.y);
        b.maxX = std::max(b.maxX, v.x);
        b.maxY = std::max(b.maxY, v.y);
    }
    return b;
}

ConstructionFigures constructionFigures(const TZCeiling& doc, bool withConstructions) {
    ConstructionFigures f;
    WorkingOutline outline;
    buildWorkingOutline(doc, withConstructions, outline);
    f.outlineArea = outlineArea(outline);
    f.outlinePerimeter = outlinePerimeter(outline);
    f.bounds = outlineBounds(outline);
    if (withConstructions) {
        TZHolesArray holes;
        buildCutouts(doc, outline, holes);
        f.cutoutsArea = cutoutsArea(holes);
        f.cutoutsPerimeter = cutoutsPerimeter(holes);
    }
    return f;
}

double workingOutlineArea(const TZCeiling& doc, bool withConstructions) {
    WorkingOutline outline;
    buildWorkingOutline(doc, withConstructions, outline);
    return outlineArea(outline);
}

double workingOutlinePerimeter(const TZCeiling& doc, bool withConstructions) {
    WorkingOutline outline;
    buildWorkingOutline(doc, withConstructions, outline);
    return outlinePerimeter(outline);
}

double cutoutsArea(const TZCeiling& doc) {
    WorkingOutline outline;
    buildWorkingOutline(doc, true, outline);
    TZHolesArray holes;
    buildCutouts(doc, outline, holes);
    return cutoutsArea(holes);
}

double cutoutsPerimeter(const TZCeiling& doc) {
    WorkingOutline outline;
    buildWorkingOutline(doc, true, outline);
    TZHolesArray holes;
    buildCutouts(doc, outline, holes);
    return cutoutsPerimeter(holes);
}

std::optional<OutlineBounds> workingOutlineBounds(const TZCeiling& doc, bool withConstructions) {
    WorkingOutline outline;
    buildWorkingOutline(doc, withConstructions, outline);
    return outlineBounds(outline);
}

} // namespace tenzora
