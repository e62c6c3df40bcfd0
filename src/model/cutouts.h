#pragma once
// The cutout polygons: computed from the cutout records whenever they are needed, each point
// located by two measured distances from two points of the working outline.

#include <cstdint>
#include <span>
#include <vector>

#include "model/cutout.h"
#include "model/polygon.h"
#include "model/view_transform.h"
#include "model/working_outline.h"

namespace tenzora {

class TZCeiling;

// Points all the cutouts of a project can have together (the cutting layout works on the working
// outline and the cutouts in arrays of this size). A cutout whose points would not fit is left
// out whole.
inline constexpr int kCutoutPointCapacity = 1000;

// One computed cutout point and its output position.
struct TZHolePoint {
    Vertex point;
    ScreenPoint output;
};

// A row a build computed anew: the three-point rectangle's third row, rewritten to describe the
// corner actually drawn.
struct TZRowRewrite {
    int hole = -1; // index of the cutout record
    int row = -1;  // index of its row
    double distance1 = 0.0;
    double distance2 = 0.0;
};

// The computed cutouts of a project: one polygon per cutout record, in record order (empty for a
// cutout that yields none). The caller keeps it and reuses it: its storage is reserved once.
class TZHolesArray {
  public:
    TZHolesArray();

    // Number of cutouts (the number of records at the last build).
    int cutoutCount() const { return static_cast<int>(ranges_.size()); }
    // Points of cutout i (empty for an index out of range).
    std::span<const TZHolePoint> cutout(int i) const;
    int pointCount(int i) const { return static_cast<int>(cutout(i).size()); }
    // Every point of every cutout, in cutout order.
    std::span<const TZHolePoint> allPoints() const { return points_; }
    int totalPoints() const { return static_cast<int>(points_.size()); }
    int room() const { return kCutoutPointCapacity - totalPoints(); }

    // Rows the build computed anew (see storeCutouts).
    std::span<const TZRowRewrite> rowRewrites() const { return rewrites_; }

    // Building: clear, then for every cutout begin one and add its points.
    void clear();
    void beginCutout();
    bool addPoint(const Vertex& p, ScreenPoint output);
    void addRowRewrite(const TZRowRewrite& rewrite);

  private:
    struct Range {
        int first = 0;
        int count = 0;
    };
    std::vector<TZHolePoint> points_;
    std::vector<Range> ranges_;
    std::vector<TZRowRewrite> rewrites_;
};

// The point at distance a from A and b from B. Of the two such points the one inside the room
// (even-odd test against `room`, the project's measured vertices) is taken, else the other one.
// Circles that do not meet give the point on the line AB; A and B at one place give A.
Vertex locatePoint(const Vertex& A, double a, const Vertex& B, double b, std::span<const Vertex> room);

// Whether a row can locate a point: two different, valid working-outline points and distances
// that are numbers.
bool rowUsable(const TZHoleDiagonal& row, const WorkingOutline& outline);

// Builds the polygon of every cutout of the document against the working outline (built with
// constructions) and returns the total number of points. Rows that name an invalid or repeated
// point are skipped; a rectangle left with fewer than two usable rows (three for the three-point
// mode), a circle or ellipse whose measurement row is unusable and an ellipse without its extra
// row produce no polygon, and so does a mode that does not belong to the cutout's type. The
// three-point rectangle computes its third row anew, to describe the corner actually drawn; the
// document is only read.
int buildCutouts(const TZCeiling& doc, const WorkingOutline& outline, const OutputMapping& mapping,
                 TZHolesArray& holes);
// The same with the drawing view's transform.
int buildCutouts(const TZCeiling& doc, const WorkingOutline& outline, TZHolesArray& holes);

// Writes the rows a build computed anew into the document's cutout records.
void storeCutouts(TZCeiling& doc, const TZHolesArray& holes);
// Builds and stores, for a change of the document.
int regenerateCutouts(TZCeiling& doc, const WorkingOutline& outline, const OutputMapping& mapping,
                      TZHolesArray& holes);
int regenerateCutouts(TZCeiling& doc, const WorkingOutline& outline, TZHolesArray& holes);

// Points of a circle or ellipse with automatic point count: the larger diameter over 6, made
// even, when that is at least 8, else 6 (none for a diameter that is not a number).
std::int64_t automaticPointCount(double diameter1, double diameter2);

} // namespace tenzora
