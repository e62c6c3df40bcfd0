#include "model/relaxation.h"

#include <array>
#include <cmath>
#include <vector>

#include "model/ceiling.h"
#include "model/geometry.h"
#include "model/measurements.h"

namespace tenzora {

namespace {

// Records applied by one refinement.
constexpr int kRefineSteps = 6;
// A refinement stops early below this error figure (per cent) when nothing crosses.
constexpr double kRefineGoalError = 0.5;
// Relaxations of one trial direction of applyDiagonal, and from the far end afterwards.
constexpr int kRelaxPerTrial = 2;
constexpr int kRelaxFromFarEnd = 10;

bool isVertex(const TZCeiling& doc, int i) {
    return i >= 0 && i < doc.polygon.count();
}

// The records at every vertex, in list order; records that name no vertex or join a vertex to
// itself measure nothing and are left out.
std::vector<std::vector<int>> recordsAtVertices(const TZCeiling& doc) {
    std::vector<std::vector<int>> at(static_cast<std::size_t>(doc.polygon.count()));
    for (int k = 0; k < doc.diagonals.count(); ++k) {
        const Diagonal& d = doc.diagonals.at(k);
        if (!isVertex(doc, d.a) || !isVertex(doc, d.b) || d.a == d.b) continue;
        at[static_cast<std::size_t>(d.a)].push_back(k);
        at[static_cast<std::size_t>(d.b)].push_back(k);
    }
    return at;
}

// Moves the end of record k that is not `fixedEnd` to the record's length; returns it (−1 when
// the record names no vertex).
int pullAlong(TZCeiling& doc, int fixedEnd, int k) {
    Diagonal& d = doc.diagonals.at(k);
    const int moving = fixedEnd == d.a ? d.b : d.a;
    if (!isVertex(doc, fixedEnd) || !isVertex(doc, moving)) return -1;
    const Vertex fixed = doc.polygon.at(fixedEnd);
    placeAtDistance(fixed, doc.polygon.at(moving), d.length);
    ++d.visits;
    return moving;
}

struct RelaxFrame {
    int moved;
    std::size_t next;
};

// The records at each vertex and the walk's stack, made once for the relaxations of one
// applyDiagonal: relaxing moves vertices and counts visits but changes no record's ends, so the
// lists need not be built again (a list per vertex) for each of its eighteen relaxations.
struct RelaxLists {
    std::vector<std::vector<int>> recordsAt;
    std::vector<RelaxFrame> stack;
};

// Depth first on an explicit stack: every frame is a moved vertex and how far the scan of its
// records has come, which is the order the recursive description visits them in. Every visit
// counts, and a record is entered only below `relaxPasses` visits, so the walk ends.
void relaxWith(TZCeiling& doc, RelaxLists& lists, int fixedEnd, int d, bool reset) {
    if (doc.diagonals.checkedAt(d) == nullptr) return;
    if (reset)
        for (Diagonal& r : doc.diagonals)
            r.visits = 0;
    std::vector<RelaxFrame>& stack = lists.stack;
    stack.clear();
    const int first = pullAlong(doc, fixedEnd, d);
    if (first >= 0) stack.push_back({first, 0});
    while (!stack.empty()) {
        RelaxFrame& top = stack.back();
        const std::vector<int>& records = lists.recordsAt[static_cast<std::size_t>(top.moved)];
        int found = -1;
        while (top.next < records.size()) {
            const Diagonal& r = doc.diagonals.at(records[top.next++]);
            if (r.visits < doc.relaxPasses && r.length > 0) {
                found = records[top.next - 1];
                break;
            }
        }
        if (found < 0) {
            stack.pop_back();
            continue;
        }
        const int moved = pullAlong(doc, top.moved, found);
        if (moved >= 0) stack.push_back({moved, 0});
    }
}

} // namespace

void relax(TZCeiling& doc, int fixedEnd, int d, bool reset) {
    if (doc.diagonals.checkedAt(d) == nullptr) return;
    RelaxLists lists{recordsAtVertices(doc), {}};
    relaxWith(doc, lists, fixedEnd, d, reset);
}

// Each trial direction is scored in the original manner of the program, but the result always
// continues from the last trial, so the scores decide nothing and are not computed. The far end
// keeps its marks (right angle, side preference) through the trials: they are the user's.
void applyDiagonal(TZCeiling& doc, int d, double length) {
    if (!(length > 0)) return;
    Diagonal* record = doc.diagonals.checkedAt(d);
    if (record == nullptr) return;
    record->length = length;
    bool anyMeasured = false;
    for (const Diagonal& r : doc.diagonals)
        anyMeasured = anyMeasured || r.length > 0;
    if (!anyMeasured) return;
    const int a = record->a;
    const int b = record->b;
    if (!isVertex(doc, a) || !isVertex(doc, b)) return;

    const Vertex pa = doc.polygon.at(a);
    const Vertex pb = doc.polygon.at(b);
    const double delta = length - distance(pa, pb);
    const double theta = direction(pb.x - pa.x, pb.y - pa.y);
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    const std::array<Vertex, 4> trials = {
        makeVertex(pa.x + delta * c, pa.y + delta * s),
        makeVertex(pa.x - delta * c, pa.y - delta * s),
        makeVertex(pa.x - delta * s, pa.y + delta * c),
        makeVertex(pa.x + delta * s, pa.y - delta * c),
    };
    RelaxLists lists{recordsAtVertices(doc), {}};
    for (const Vertex& trial : trials) {
        doc.polygon.at(b).x = trial.x;
        doc.polygon.at(b).y = trial.y;
        for (int i = 0; i < kRelaxPerTrial; ++i)
            relaxWith(doc, lists, a, d, true);
    }
    for (int i = 0; i < kRelaxFromFarEnd; ++i)
        relaxWith(doc, lists, b, d, true);
}

void refine(TZCeiling& doc, int d) {
    const int count = doc.diagonals.count();
    if (count == 0) return;
    int k = doc.diagonals.checkedAt(d) ? d : 0;
    for (int step = 0; step < kRefineSteps; ++step) {
        const double length = doc.diagonals.at(k).length;
        // An unmeasured record stops the walk: the remaining steps all land on it.
        if (length == 0) continue;
        applyDiagonal(doc, k, length);
        const double error = errorFigure(doc, true);
        const int crossings = crossingCount(doc);
        k = (k + 1) % count;
        if (error < kRefineGoalError && crossings == 0) break;
    }
}

} // namespace tenzora
