#include "model/row_capture.h"

#include "model/ceiling.h"
#include "model/geometry.h"
#include "model/working_outline.h"

namespace tenzora {

namespace {

// Rows that hold indexes into the working outline. The extra row of an ellipse names two
// measured vertices of the project's outline instead, which no construction renumbers.
int rowsOnOutline(const TZHole& hole) {
    if (hole.type == static_cast<std::int32_t>(TZHoleType::Ellipse)) return hole.rows.count() > 0 ? 1 : 0;
    return hole.rows.count();
}

TZRowPoint capture(const WorkingOutline& outline, int index) {
    TZRowPoint p;
    if (!outline.valid(index)) return p;
    const TZDopPoint& entry = outline.entry(index);
    if (!entry.owned()) {
        p.measuredVertex = entry.measuredVertex;
    } else {
        p.byPosition = true;
        p.x = outline.point(index).x;
        p.y = outline.point(index).y;
    }
    return p;
}

// A measured vertex that a construction's clean-up replaced by its own point at the same place
// (a bend ending on the vertex, a corner cut next to it) is found as that point, this close.
constexpr double kStandInDistance = 1.0;

// The index of the captured point in the outline, or `current` when it is not there.
int resolve(const WorkingOutline& outline, const CPolygon& measured, const TZRowPoint& p, int current) {
    if (p.measuredVertex >= 0) {
        for (int i = 0; i < outline.count(); ++i)
            if (outline.entry(i).measuredVertex == p.measuredVertex) return i;
        const Vertex* vertex = measured.checkedAt(p.measuredVertex);
        if (!vertex) return current;
        int nearest = current;
        double nearestDistance = kStandInDistance;
        for (int i = 0; i < outline.count(); ++i) {
            const double d = distance(outline.point(i), *vertex);
            if (d < nearestDistance) {
                nearest = i;
                nearestDistance = d;
            }
        }
        return nearest;
    }
    if (p.byPosition) {
        // The earlier constructions compute their points again from the same numbers, so a
        // point that is still there is there exactly.
        for (int i = 0; i < outline.count(); ++i)
            if (outline.entry(i).owned() && outline.point(i).x == p.x && outline.point(i).y == p.y) return i;
    }
    return current;
}

} // namespace

void captureRowPoints(TZCeiling& doc) {
    WorkingOutline outline;
    regenerateWorkingOutline(doc, true, outline);
    for (TZHole& hole : doc.holes) {
        const int rows = rowsOnOutline(hole);
        for (int r = 0; r < rows; ++r) {
            TZHoleDiagonal& row = hole.rows.at(r);
            row.point1 = capture(outline, row.vertex1);
            row.point2 = capture(outline, row.vertex2);
        }
    }
}

void resolveRowPoints(TZCeiling& doc) {
    WorkingOutline outline;
    regenerateWorkingOutline(doc, true, outline);
    for (TZHole& hole : doc.holes) {
        const int rows = rowsOnOutline(hole);
        for (int r = 0; r < rows; ++r) {
            TZHoleDiagonal& row = hole.rows.at(r);
            if (row.point1.captured()) row.vertex1 = resolve(outline, doc.polygon, row.point1, row.vertex1);
            if (row.point2.captured()) row.vertex2 = resolve(outline, doc.polygon, row.point2, row.vertex2);
        }
    }
}

} // namespace tenzora
