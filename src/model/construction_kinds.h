#pragma once
// How each kind of construction changes the working outline. Used by the working-outline builder
// (and by the tests of the single kinds); everything else goes through buildWorkingOutline.

#include "model/construction.h"
#include "model/working_outline.h"

namespace tenzora {

class TZCeiling;

// The outline being built, with what every insertion needs: the output transform for the new
// point's position and the document it is built from (only read).
class OutlineEditor {
  public:
    OutlineEditor(const TZCeiling& doc, WorkingOutline& outline, const OutputMapping& mapping)
        : doc_(doc), outline_(outline), mapping_(mapping) {}

    const TZCeiling& doc() const { return doc_; }
    WorkingOutline& outline() { return outline_; }
    int count() const { return outline_.count(); }
    const Vertex& point(int i) const { return outline_.point(i); }
    int next(int i) const { return count() > 0 ? (i + 1) % count() : 0; }
    int previous(int i) const { return count() > 0 ? (i + count() - 1) % count() : 0; }

    // Inserts a point made by a construction before position `at`.
    bool insertOwned(int at, const Vertex& p);
    // Replaces point i by a point made by a construction (its marks go).
    void replaceWithOwned(int i, const Vertex& p);
    void remove(int i) { outline_.remove(i); }
    // Marks point i as the first or last point of construction `k` and stores its output position.
    void markFirst(int i, int k, TZDop& dop);
    void markLast(int i, int k, TZDop& dop);
    // Appends one fold line to the outline's fold lines (within kMaxFoldLines).
    void addFoldLine(const Vertex& from, const Vertex& to) { outline_.addFoldLine(from, to); }
    // Number of fold line points, and dropping the ones added after `count`.
    int foldPointCount() const { return static_cast<int>(outline_.foldLines().size()); }
    void dropFoldPointsAfter(int count) { outline_.dropFoldPointsAfter(count); }

  private:
    const TZCeiling& doc_;
    WorkingOutline& outline_;
    const OutputMapping& mapping_;
};

// The host side of a construction: indexes into the outline as built so far, and copies of its
// two points taken before anything is inserted. `exchanged` is set when the construction was
// given from point 0 to the last point and is applied on the closing side in outline order.
struct HostSide {
    int a = -1;
    int b = -1;
    bool exchanged = false;
    Vertex pa;
    Vertex pb;
};

// Each returns false when the construction was skipped because its points would not fit; the
// outline is then unchanged. Other reasons to insert nothing (collinear arc points, a zero arc
// length) are not failures.
bool applyRectangle(OutlineEditor& editor, TZDop& dop, int k, const HostSide& side, bool trapezoid);
bool applyArc(OutlineEditor& editor, TZDop& dop, int k, const HostSide& side);
bool applyCornerCut(OutlineEditor& editor, TZDop& dop, int k, int corner);
bool applyBend(OutlineEditor& editor, TZDop& dop, const HostSide& side);

// Depth of a circular arc of chord c and length L, from the table of chord/arc ratios of arcs of
// 0 … 360 degrees: (L/φ)(1 − cos(φ/2)) below a half circle, L/π from there on, negated when the
// arc is longer than a half circle. 0 when no arc of that length spans the chord.
double arcDepth(double chord, double arcLength);

// Centre and radius of the circle through three points; false when they are (nearly) collinear
// or two of them coincide.
bool circleThrough(const Vertex& p, const Vertex& q, const Vertex& r, Vertex& centre, double& radius);

// Whether two side directions (radians) are perpendicular within 1/π radian.
bool sidesPerpendicular(double theta1, double theta2);

} // namespace tenzora
