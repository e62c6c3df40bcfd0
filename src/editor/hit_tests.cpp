#include "editor/hit_tests.h"

#include <array>
#include <cmath>

#include "model/ceiling.h"
#include "model/geometry.h"
#include "model/inside_test.h"
#include "model/measurements.h"

namespace tenzora {

double distanceToSegment(const Vertex& p, const Vertex& a, const Vertex& b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    if (!(lengthSquared > 0)) return distance(p, a);
    const double t = ((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared;
    if (t < 0) return distance(p, a);
    if (t > 1) return distance(p, b);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

int vertexUnder(const TZCeiling& doc, const Vertex& p) {
    int nearest = -1;
    double best = kVertexHitDistance;
    for (int i = 0; i < doc.polygon.count(); ++i) {
        const double d = distance(doc.polygon.at(i), p);
        if (d < best) {
            best = d;
            nearest = i;
        }
    }
    return nearest;
}

bool nearAVertex(const TZCeiling& doc, const Vertex& p) {
    for (const Vertex& v : doc.polygon)
        if (distance(v, p) <= kVertexHitDistance) return true;
    return false;
}

bool sideUnder(const TZCeiling& doc, const Vertex& p, int& first, int& second) {
    const int n = doc.polygon.count();
    const int sides = doc.polygon.defined ? n : n - 1;
    double best = kLineHitDistance;
    bool found = false;
    for (int i = 0; i < sides; ++i) {
        const int j = i + 1 < n ? i + 1 : 0;
        const double d = distanceToSegment(p, doc.polygon.at(i), doc.polygon.at(j));
        if (d < best) {
            best = d;
            first = i;
            second = j;
            found = true;
        }
    }
    return found;
}

int recordUnder(const TZCeiling& doc, const Vertex& p) {
    for (int k = 0; k < doc.diagonals.count(); ++k) {
        const Diagonal& d = doc.diagonals.at(k);
        const Vertex* a = doc.polygon.checkedAt(d.a);
        const Vertex* b = doc.polygon.checkedAt(d.b);
        if (a && b && distanceToSegment(p, *a, *b) < kLineHitDistance) return k;
    }
    return -1;
}

RulerSnap snapRulerEnd(const TZCeiling& doc, const Vertex& previous, const Vertex& p) {
    RulerSnap snap;
    snap.point = p;
    double best = kRulerSnapDistance;
    for (int i = 0; i < doc.polygon.count(); ++i) {
        const double d = distance(doc.polygon.at(i), p);
        if (d < best) {
            best = d;
            snap.vertex = i;
        }
    }
    if (snap.vertex >= 0) {
        snap.point = doc.polygon.at(snap.vertex);
        return snap;
    }
    for (int k = 0; k < doc.diagonals.count(); ++k) {
        const Diagonal& d = doc.diagonals.at(k);
        const Vertex* a = doc.polygon.checkedAt(d.a);
        const Vertex* b = doc.polygon.checkedAt(d.b);
        // The parameter along the record is taken against its drawn length as the figures show
        // it (truncated to hundredths); a record of no length has no line to drop a foot on.
        const double length = actualLength(doc, d);
        if (!a || !b || !(length > 0)) continue;
        const double dx = b->x - a->x;
        const double dy = b->y - a->y;
        const double t = ((previous.x - a->x) * dx + (previous.y - a->y) * dy) / (length * length);
        const Vertex foot = makeVertex(a->x + t * dx, a->y + t * dy);
        if (distance(foot, p) < kRulerSnapDistance) {
            snap.record = k;
            snap.point = foot;
        }
    }
    return snap;
}

double layoutSeamDirection(const TZCeiling& doc) {
    double theta =
        direction(doc.seamLineEnd.x - doc.seamLineStart.x, doc.seamLineEnd.y - doc.seamLineStart.y);
    if (doc.seamPerpendicular) theta += kPi / 2;
    return theta;
}

int canvasUnder(const TZCeiling& doc, const Vertex& p, int* number) {
    const int count = doc.seamLines.count();
    const double theta = layoutSeamDirection(doc);
    for (int k = 0; k + 2 < count; k += 2) {
        // Two consecutive seam lines, the second walked backwards, close the canvas.
        std::array<Vertex, 4> corners = {doc.seamLines.at(k), doc.seamLines.at(k + 1),
                                         doc.seamLines.at(k + 3), doc.seamLines.at(k + 2)};
        for (Vertex& c : corners)
            rotateAbout(c, -theta);
        bool inside = insideEvenOdd(corners, p.x, p.y);
        for (std::size_t e = 0; e < corners.size() && !inside; ++e)
            inside =
                distanceToSegment(p, corners[e], corners[(e + 1) % corners.size()]) <= kCanvasEdgeTolerance;
        if (inside) {
            if (number != nullptr) *number = k / 2 + 1;
            return k;
        }
    }
    return -1;
}

} // namespace tenzora
