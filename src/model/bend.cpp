// Bends of a multi-level ceiling: a chain of sides folded onto a parallel chain, in one or two
// levels, with mitred corners.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "model/ceiling.h"
#include "model/construction_kinds.h"

namespace tenzora {

namespace {

// Points lying this close (in x and in y) to a junction point go with it.
constexpr double kJunctionTolerance = 0.01;
// Two offset lines count as parallel when the sine of their angle is no larger than this.
constexpr double kParallelSine = 1e-9;

// Where the lines p1→p2 and q1→q2 meet; false when they are parallel (or not numbers).
bool linesMeet(const Vertex& p1, const Vertex& p2, const Vertex& q1, const Vertex& q2, Vertex& at) {
    const double rx = p2.x - p1.x, ry = p2.y - p1.y;
    const double sx = q2.x - q1.x, sy = q2.y - q1.y;
    const double cross = rx * sy - ry * sx;
    if (!(std::fabs(cross) > kParallelSine * std::hypot(rx, ry) * std::hypot(sx, sy))) return false;
    const double t = ((q1.x - p1.x) * sy - (q1.y - p1.y) * sx) / cross;
    at = makeVertex(p1.x + t * rx, p1.y + t * ry);
    return std::isfinite(at.x) && std::isfinite(at.y);
}

// `junctions` sorted by x: a long chain must not make every point compare with every junction.
bool nearJunction(const Vertex& p, const std::vector<Vertex>& junctions) {
    auto it = std::lower_bound(junctions.begin(), junctions.end(), p.x - kJunctionTolerance,
                               [](const Vertex& j, double x) { return j.x < x; });
    for (; it != junctions.end() && it->x <= p.x + kJunctionTolerance; ++it)
        if (std::fabs(p.y - it->y) <= kJunctionTolerance) return true;
    return false;
}

// One level: folds the chain of sides from point a to point b (through the closing side when
// b < a) by `level`. The sides are handled from the last to the first, so that what is inserted
// after one side never moves the points of the sides still to come. False, changing nothing,
// when the points would not fit.
bool foldChain(OutlineEditor& editor, const TZDop& dop, int a, int b, double level) {
    WorkingOutline& outline = editor.outline();
    const int n = outline.count();
    const int sides = ((b - a) % n + n) % n;
    if (sides < 1) return true;
    // Each side inserts E1, O1 and E2; the last one also O2.
    if (static_cast<std::int64_t>(outline.room()) < 3LL * sides + 1) return false;

    const double offset = -level;
    std::vector<Vertex>& junctions = outline.scratch();
    junctions.clear();
    if (junctions.capacity() < 2 * kWorkingOutlineCapacity) junctions.reserve(2 * kWorkingOutlineCapacity);

    // Sides past the closing side (original index below a) are handled first; everything they
    // insert lies before the sides from a onwards.
    int insertedPastClosing = 0;
    int laterO1 = -1;                  // index of the O1 inserted for the side handled before (the next side)
    Vertex laterO1Point, laterO2Point; // that side's offset line
    for (int i = sides - 1; i >= 0; --i) {
        const int k = (a + i) % n;
        const bool pastClosing = k < a;
        const int at = k + (pastClosing ? 0 : insertedPastClosing);
        const Vertex p0 = outline.point(at);
        const Vertex p1 = outline.point(at + 1 < outline.count() ? at + 1 : 0);
        const bool first = i == 0;
        const bool last = i == sides - 1;
        const double d1 = first ? dop.distance1 : 0.0;
        const double d2 = last ? dop.distance2 : 0.0;

        editor.addFoldLine(p0, p1);
        const Vertex e1 = pointAlongSide(p0, p1, true, d1, 0);
        const Vertex o1 = pointAlongSide(p0, p1, true, d1, offset);
        const Vertex o2 = pointAlongSide(p0, p1, false, d2, offset);
        const Vertex e2 = pointAlongSide(p0, p1, false, d2, 0);

        // The mitred corner: the next side's first offset point moves to where the two offset
        // lines meet (before anything of this side is inserted, so its index still holds).
        Vertex corner;
        if (laterO1 >= 0 && linesMeet(o1, o2, laterO1Point, laterO2Point, corner))
            editor.replaceWithOwned(laterO1, corner);

        int cursor = at + 1;
        editor.insertOwned(cursor++, e1);
        if (!first) junctions.push_back(e1);
        const int o1Index = cursor;
        editor.insertOwned(cursor++, o1);
        if (last) editor.insertOwned(cursor++, o2);
        editor.insertOwned(cursor++, e2);
        if (!last) junctions.push_back(e2);
        const int inserted = cursor - (at + 1);
        if (pastClosing) insertedPastClosing += inserted;

        laterO1 = o1Index;
        laterO1Point = o1;
        laterO2Point = o2;
    }

    // The junctions and the chain's inner vertices (which lie on them) go. A junction that is not
    // a number is near nothing.
    std::erase_if(junctions, [](const Vertex& j) { return !std::isfinite(j.x) || !std::isfinite(j.y); });
    std::sort(junctions.begin(), junctions.end(), [](const Vertex& a, const Vertex& b) { return a.x < b.x; });
    if (!junctions.empty()) {
        for (int i = outline.count() - 1; i >= 0; --i)
            if (nearJunction(outline.point(i), junctions)) outline.remove(i);
    }
    return true;
}

} // namespace

bool applyBend(OutlineEditor& editor, TZDop& dop, const HostSide& side) {
    WorkingOutline& outline = editor.outline();
    const bool twoLevels = dop.extraPoints != 0;
    const int foldMark = editor.foldPointCount();
    if (twoLevels) outline.saveBackup();

    if (!foldChain(editor, dop, side.a, side.b, dop.depth)) return false;
    cleanUpOutline(outline);
    if (!twoLevels) return true;

    // The second level folds the chain one point further on in the outline left by the first.
    const int a = side.a + 1;
    const int b = side.b + 1;
    if (!outline.valid(a) || !outline.valid(b) || a == b) return true;
    if (!foldChain(editor, dop, a, b, static_cast<double>(dop.extraPoints))) {
        outline.restoreBackup();
        editor.dropFoldPointsAfter(foldMark);
        return false;
    }
    cleanUpOutline(outline);
    return true;
}

} // namespace tenzora
