#include "model/triangles.h"

#include <cmath>
#include <vector>

#include "model/ceiling.h"
#include "model/geometry.h"
#include "model/measurements.h"
#include "model/names.h"
#include "model/record_index.h"
#include "model/records.h"

namespace tenzora {

namespace {

// When the two candidates' error figures differ by less than this (per cent), the larger area
// decides between them.
constexpr double kCandidateErrorMargin = 0.02;
// The foot of the new vertex must reproduce both squared distances, to a and to b, within this
// (cm²); otherwise it lies on the other side of a.
constexpr double kFootTolerance = 1.0;
// A vertex that no triangle reaches is put this far (cm) from a placed vertex measured to it.
constexpr double kUnreachedDistance = 100.0;

struct CandidateScore {
    int crossings = 0;
    double error = 0.0;
    double area = 0.0;
};

// Candidate 1 wins with fewer crossings; with as many, with an error smaller by the margin, or
// with about the same error and the larger area. Ties go to candidate 2.
bool firstCandidateWins(const CandidateScore& one, const CandidateScore& two) {
    if (one.crossings != two.crossings) return one.crossings < two.crossings;
    if (two.error - one.error >= kCandidateErrorMargin) return true;
    return std::fabs(two.error - one.error) < kCandidateErrorMargin && two.area < one.area;
}

bool opposite(std::int32_t a, std::int32_t b) {
    return (a == kSideInward && b == kSideOutward) || (a == kSideOutward && b == kSideInward);
}

// Places vertices triangle by triangle. The recursion of placing and propagating (a placement
// propagates from its two new edges, which place further vertices, …) runs on an explicit
// stack, so that large outlines cannot exhaust the call stack; the order of visits is exactly
// that of the recursive description.
class TriangleBuilder {
  public:
    explicit TriangleBuilder(TZCeiling& doc) : doc_(doc), index_(doc.diagonals, doc.polygon.count()) {
        for (int k = 0; k < doc.diagonals.count(); ++k) {
            const Diagonal& d = doc.diagonals.at(k);
            if (d.isSide && isVertex(d.a) && isVertex(d.b)) sides_.push_back(k);
        }
    }

    void placeTriangle(int a, int b, int c) {
        if (!place(a, b, c)) return;
        run({Frame::afterPlacing(a, b, c)});
    }

    void propagate(int p, int q) {
        if (!canPropagate(p, q)) return;
        run({Frame::propagating(p, q)});
    }

    const RecordIndex& index() const { return index_; }

  private:
    struct Frame {
        bool propagate = true;
        int p = 0, q = 0;        // propagate: the edge …
        std::size_t next = 0;    // … and the position reached in p's measured neighbours
        int a = 0, b = 0, c = 0; // after a placement: the triangle …
        int stage = 0;           // … and how many of its two edges have been propagated from

        static Frame propagating(int p, int q) { return Frame{true, p, q, 0, 0, 0, 0, 0}; }
        static Frame afterPlacing(int a, int b, int c) { return Frame{false, 0, 0, 0, a, b, c, 0}; }
    };

    bool isVertex(int i) const { return i >= 0 && i < doc_.polygon.count(); }
    Vertex& vertex(int i) { return doc_.polygon.at(i); }
    bool canPropagate(int p, int q) const { return isVertex(p) && isVertex(q) && index_.find(p, q) >= 0; }

    void run(std::vector<Frame> stack) {
        while (!stack.empty()) {
            Frame& top = stack.back();
            if (top.propagate) {
                // The vertices measured to both p and q, in index order: p's measured neighbours
                // that are also q's.
                const std::vector<int>& candidates = index_.measuredNeighbours(top.p);
                int found = -1;
                while (top.next < candidates.size()) {
                    const int i = candidates[top.next++];
                    if (i == top.p || i == top.q || vertex(i).placed || !index_.measured(i, top.q)) continue;
                    found = i;
                    break;
                }
                if (found < 0) {
                    stack.pop_back();
                    continue;
                }
                const int p = top.p;
                const int q = top.q;
                if (place(p, q, found)) stack.push_back(Frame::afterPlacing(p, q, found));
                continue;
            }
            const int from = top.stage == 0 ? top.a : top.b;
            const int to = top.c;
            if (top.stage++ >= 2) {
                stack.pop_back();
                continue;
            }
            if (canPropagate(from, to)) stack.push_back(Frame::propagating(from, to));
        }
    }

    double lengthOf(int k) const { return k >= 0 ? doc_.diagonals.at(k).length : 0.0; }
    bool isSide(int k) const { return k >= 0 && doc_.diagonals.at(k).isSide; }

    // Everything of a placement but the propagation. False when the three are not distinct
    // vertices.
    bool place(int a, int b, int c) {
        if (!isVertex(a) || !isVertex(b) || !isVertex(c) || c == a || c == b) return false;
        const int baseRecord = index_.find(a, b);
        const int acRecord = index_.find(a, c);
        const int bcRecord = index_.find(b, c);
        double d = lengthOf(baseRecord);
        double e = lengthOf(acRecord);
        double f = lengthOf(bcRecord);

        // The base takes its measured length: b moves along it unless only a may.
        if (distance(vertex(a), vertex(b)) != d) {
            if (vertex(a).placed || isSide(baseRecord) || !vertex(b).placed) {
                const Vertex fixed = vertex(a);
                placeAtDistance(fixed, vertex(b), d);
            } else {
                const Vertex fixed = vertex(b);
                placeAtDistance(fixed, vertex(a), d);
            }
        }

        // A corner marked as a right angle completes the missing third length by Pythagoras.
        double h = d;
        if (vertex(a).rightAngle && isSide(acRecord) && isSide(baseRecord)) {
            f = std::sqrt(e * e + h * h);
        } else if (vertex(b).rightAngle && isSide(bcRecord) && isSide(baseRecord)) {
            e = std::sqrt(h * h + f * f);
        } else if (vertex(c).rightAngle && isSide(bcRecord) && isSide(acRecord)) {
            h = d = std::sqrt(e * e + f * f);
        }

        // Height of c above the base (0 when the lengths do not close) and its foot along it.
        const double u = e;
        const double v = f;
        const double w = (u - v - h) * (h + v + u) * (v - u - h) * (v + u - h);
        const double height = std::sqrt(std::max(w, 0.0)) / (2 * d);
        double foot = -(u * u + d * d - v * v) / (2 * d);
        if (std::fabs(height * height + foot * foot - u * u) > kFootTolerance ||
            std::fabs(height * height + (d - foot) * (d - foot) - v * v) > kFootTolerance)
            foot = -foot;

        const Vertex& pa = vertex(a);
        const Vertex& pb = vertex(b);
        const double m = direction(pb.x - pa.x, pb.y - pa.y);
        const double cx = pa.x + foot * std::cos(m);
        const double cy = pa.y + foot * std::sin(m);
        const Vertex one = makeVertex(cx - height * std::sin(m), cy + height * std::cos(m));
        const Vertex two = makeVertex(cx + height * std::sin(m), cy - height * std::cos(m));

        vertex(a).placed = 1;
        vertex(b).placed = 1;
        vertex(c).placed = 1;
        const CandidateScore first = scoreAt(c, one);
        const CandidateScore second = scoreAt(c, two);
        const bool firstWins = firstCandidateWins(first, second);
        moveTo(c, firstWins ? one : two);

        // The user's side preference overrides the automatic choice (not in step-by-step mode).
        if (!doc_.stepMode && opposite(vertex(c).autoSide, vertex(c).sidePreference))
            moveTo(c, firstWins ? two : one);
        return true;
    }

    void moveTo(int c, const Vertex& at) {
        vertex(c).x = at.x;
        vertex(c).y = at.y;
    }

    // The candidate's figures over the placed vertices. Of the crossing count only the pairs
    // with a side at c are counted: the others are the same for both candidates, so the
    // comparison is unchanged.
    CandidateScore scoreAt(int c, const Vertex& at) {
        moveTo(c, at);
        const bool wasPlacedOnly = doc_.placedOnly;
        doc_.placedOnly = true;
        CandidateScore score;
        score.crossings = crossingsWithSidesAt(c);
        score.error = errorFigure(doc_, true);
        score.area = outlineArea(doc_);
        doc_.placedOnly = wasPlacedOnly;
        return score;
    }

    int crossingsWithSidesAt(int c) {
        int count = 0;
        const auto placed = [&](const Diagonal& d) { return vertex(d.a).placed && vertex(d.b).placed; };
        for (int s : sides_) {
            const Diagonal& side = doc_.diagonals.at(s);
            if ((side.a != c && side.b != c) || !placed(side)) continue;
            for (int t : sides_) {
                const Diagonal& other = doc_.diagonals.at(t);
                if (other.a == side.a || other.a == side.b || other.b == side.a || other.b == side.b)
                    continue;
                if (!placed(other)) continue;
                // The pair is tested with the earlier record's segment first, as the full count does.
                const Diagonal& first = s < t ? side : other;
                const Diagonal& second = s < t ? other : side;
                if (segmentsCross(vertex(first.a), vertex(first.b), vertex(second.a), vertex(second.b)))
                    ++count;
            }
        }
        return count;
    }

    TZCeiling& doc_;
    RecordIndex index_;
    std::vector<int> sides_; // side-flagged records joining two vertices, in list order
};

// Removes record k while *follow keeps naming the same record, or the one taking its place.
void eraseFollowing(TZCeiling& doc, int k, int* follow) {
    eraseRecord(doc, k);
    if (follow == nullptr || *follow < 0) return;
    if (*follow > k) --*follow;
    if (*follow >= doc.diagonals.count()) *follow = doc.diagonals.empty() ? -1 : 0;
}

// Unmeasured records go, side flags follow the ring, and coordinates that are not finite numbers
// (a base of length 0 divides by zero) start again from 0.
void prepareForPass(TZCeiling& doc, int* follow) {
    doc.baseSide = -1;
    for (int k = doc.diagonals.count() - 1; k >= 0; --k)
        if (doc.diagonals.at(k).length == 0) eraseFollowing(doc, k, follow);
    const int n = doc.polygon.count();
    for (Diagonal& d : doc.diagonals) {
        const bool joinsVertices = d.a >= 0 && d.a < n && d.b >= 0 && d.b < n;
        d.isSide = joinsVertices && areNeighbours(d.a, d.b, n) ? 1 : 0;
    }
    for (Vertex& v : doc.polygon) {
        if (!std::isfinite(v.x)) v.x = 0;
        if (!std::isfinite(v.y)) v.y = 0;
    }
}

// Puts every vertex that the triangles did not reach near a placed vertex measured to it and
// returns their names, each followed by a blank.
std::wstring placeUnreached(TZCeiling& doc, const RecordIndex& index) {
    const int n = doc.polygon.count();
    std::wstring names;
    for (int v = 0; v < n; ++v) {
        if (doc.polygon.at(v).placed) continue;
        for (int j : index.neighbours(v)) {
            if (!doc.polygon.at(j).placed) continue;
            const Vertex anchor = doc.polygon.at(j);
            placeAtDistance(anchor, doc.polygon.at(v), kUnreachedDistance);
            break;
        }
        // Without any placed vertex measured to it the vertex stays where it was.
        doc.polygon.at(v).placed = 1;
        names += vertexName(v) + L" ";
    }
    return names;
}

} // namespace

void placeTriangle(TZCeiling& doc, int a, int b, int c) {
    TriangleBuilder(doc).placeTriangle(a, b, c);
}

void propagate(TZCeiling& doc, int p, int q) {
    TriangleBuilder(doc).propagate(p, q);
}

bool constructionPass(TZCeiling& doc) {
    return constructionPass(doc, nullptr);
}

bool constructionPass(TZCeiling& doc, int* record) {
    prepareForPass(doc, record);
    const int n = doc.polygon.count();
    if (n == 0) return false;
    TriangleBuilder builder(doc);
    for (int base = 0; base <= n; ++base) {
        // Bases (0,1), (1,2), …, then the closing side (0, last); (last, n) names no vertex.
        const int p = base == n ? 0 : base;
        const int q = base == n ? n - 1 : base + 1;
        for (Vertex& v : doc.polygon)
            v.placed = 0;
        builder.propagate(p, q);
        doc.statusText = placeUnreached(doc, builder.index());
        if (doc.statusText.empty()) {
            doc.baseSide = base;
            doc.outlineFormed = true;
            return true;
        }
    }
    return false;
}

void computeAutoSides(TZCeiling& doc) {
    const int n = doc.polygon.count();
    const double whole = area(pointsOf(doc.polygon));
    for (int skip = 0; skip < n; ++skip) {
        // The shoelace sum of the ring without `skip`, in the order of the ring.
        double sum = 0;
        for (int i = 0; i < n; ++i) {
            if (i == skip) continue;
            int next = (i + 1) % n;
            if (next == skip) next = (next + 1) % n;
            if (next == skip) continue; // a ring of one vertex
            const Vertex& p = doc.polygon.at(i);
            const Vertex& q = doc.polygon.at(next);
            sum += p.x * q.y - p.y * q.x;
        }
        const double without = std::fabs(sum / 2) / 10000.0;
        doc.polygon.at(skip).autoSide = without < whole ? kSideOutward : kSideInward;
    }
}

} // namespace tenzora
