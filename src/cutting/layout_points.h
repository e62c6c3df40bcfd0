#pragma once
// The points the cutting layout works on: the working outline (with the constructions when they
// are shown) continued by the points of every cutout in cutout order (only when the constructions
// are shown). A seam index of the document addresses this combined list.
//
// The seam frame: the seam direction and origin the layout sets up from the chosen side (or the
// two diagonals), and the rotation into the frame where the seams run along the x axis.

#include <optional>

#include "model/cutouts.h"
#include "model/polygon.h"
#include "model/working_outline.h"

namespace tenzora {

class TZCeiling;

class LayoutPoints {
  public:
    // Rebuilds both parts from the document; the storage is kept between builds.
    void build(TZCeiling& doc);

    const WorkingOutline& outline() const { return outline_; }
    const TZHolesArray& cutouts() const { return cutouts_; }
    // N: points of the working outline; H: points of all the cutouts together.
    int outlineCount() const { return outline_.count(); }
    int cutoutPointCount() const { return withCutouts_ ? cutouts_.totalPoints() : 0; }
    // N + H: the length of the combined list.
    int count() const { return outlineCount() + cutoutPointCount(); }
    bool valid(int i) const { return i >= 0 && i < count(); }
    // Point i of the combined list; i must be valid.
    const Vertex& point(int i) const;

  private:
    WorkingOutline outline_;
    TZHolesArray cutouts_;
    bool withCutouts_ = false;
};

// The seam direction θ (radians), the origin of the seam grid, and the reference line.
struct SeamFrame {
    double angle = 0;
    Vertex origin;
    Vertex lineStart, lineEnd;

    // R(−θ)(p − origin): seams become lines of constant y.
    Vertex toFrame(const Vertex& p) const;
    // Back to the drawing: R(θ)(x, y) + origin.
    Vertex fromFrame(double x, double y) const;
    // About the drawing's origin, without the translation (the canvas lengths and the canvas
    // pieces are measured that way).
    Vertex turnedBack(const Vertex& p) const;     // R(−θ) p
    Vertex turnedForth(double x, double y) const; // R(θ) (x, y)
};

// The frame of the document's seam choice over `points`: the chosen side (from its first point
// to its second), turned by a quarter when "Перпендикулярно" is on, or the line joining the
// points at `seamOffset` along the first diagonal and `seamOffset2` along the second one when
// "Две диагонали" is on. None when a seam index (the second diagonal's too, in that mode) does
// not address a point of the list.
std::optional<SeamFrame> seamFrame(const TZCeiling& doc, const LayoutPoints& points);

// The seam direction alone, as the drawing and the side panel turn the layout display: the same
// rules over the document's own working outline and cutouts; none without a usable seam choice.
std::optional<double> seamDirection(TZCeiling& doc);

} // namespace tenzora
