#pragma once
// The frame the drawing is displayed in. Outside the cutting layout display it is the world
// frame. In the layout display (editor mode 8 with at least two seam lines) the outline, the
// cutouts, the seams and the photo are turned by minus the seam direction about the world origin,
// so that the seams lie horizontal and the canvases stand upright; with "Переворачивать при
// раскрое" on (and dealer mode off) mode 8 is also shown mirrored left to right.

#include "editor/view_rules.h"
#include "model/polygon.h"

namespace tenzora {

class TZCeiling;
class WorkingOutline;
class TZHolesArray;
struct AppSettings;

// Seam-line entries (two per line) from which mode 8 shows the layout.
inline constexpr int kLayoutDisplayMinSeamEntries = 4;

// isLayoutDisplay and isMirroredDisplay (editor/view_rules.h) say when this frame applies.

// The point of index i of the layout's numbering: the working outline's points, then every
// cutout's points in cutout order. False when i names none.
bool layoutPoint(const WorkingOutline& outline, const TZHolesArray* holes, int i, Vertex& point);

// The seam direction θ in radians: the direction of the chosen side from seamFrom to seamTo,
// plus π/2 with "Перпендикулярно"; with "Две диагонали" the direction of the reference line the
// layout laid the seams along. 0 in dealer mode and when no seam side is chosen (or it names no
// point).
double seamDirection(const TZCeiling& doc, const AppSettings& settings, const WorkingOutline& outline,
                     const TZHolesArray* holes);

struct DisplayFrame {
    bool layoutDisplay = false;
    bool mirrored = false;
    double theta = 0.0; // the seam direction, whether or not the display is turned by it
    double cosTheta = 1.0, sinTheta = 0.0;

    // A world point in the display frame (turned by −θ in the layout display).
    Vertex toDisplay(double x, double y) const {
        if (!layoutDisplay) return makeVertex(x, y);
        return makeVertex(x * cosTheta + y * sinTheta, -x * sinTheta + y * cosTheta);
    }
    Vertex toDisplay(const Vertex& v) const { return toDisplay(v.x, v.y); }
};

DisplayFrame displayFrame(const TZCeiling& doc, const AppSettings& settings, const WorkingOutline& outline,
                          const TZHolesArray* holes);

// Rotations about the world origin.
Vertex rotated(const Vertex& v, double angle);

} // namespace tenzora
