#pragma once
// What lies under the mouse, in drawing centimetres: vertices, sides, records (sides and
// diagonals), the snapping of the ruler's moving end, and the canvases of the cutting layout.
// Tolerances are distances in the drawing, not pixels, so they shrink on screen as one zooms out.

#include "model/polygon.h"

namespace tenzora {

class TZCeiling;

// A vertex is under the cursor below this distance; a click this close or closer closes the
// outline being entered, and a new point this close to an existing one is not entered.
inline constexpr double kVertexHitDistance = 10.0;
// A side or a record is under the cursor below this distance.
inline constexpr double kLineHitDistance = 5.0;
// The ruler's moving end snaps to a vertex or a foot point within this distance.
inline constexpr double kRulerSnapDistance = 5.0;
// A point this close to a canvas border counts as inside the canvas.
inline constexpr double kCanvasEdgeTolerance = 0.05;

// Distance from p to the segment a–b (to the nearer end when the foot falls outside).
double distanceToSegment(const Vertex& p, const Vertex& a, const Vertex& b);

// The nearest vertex closer than kVertexHitDistance; −1 for none.
int vertexUnder(const TZCeiling& doc, const Vertex& p);
// Whether some vertex lies within kVertexHitDistance (inclusive) of p.
bool nearAVertex(const TZCeiling& doc, const Vertex& p);

// The side of the outline nearest to p, closer than kLineHitDistance, as its two vertices
// (first, first + 1); the closing side counts only when the outline is defined. False for none.
bool sideUnder(const TZCeiling& doc, const Vertex& p, int& first, int& second);

// The first record in list order whose segment lies closer than kLineHitDistance; −1 for none.
int recordUnder(const TZCeiling& doc, const Vertex& p);

// Where the ruler's moving end goes for the cursor at p, given the previous ruler point.
struct RulerSnap {
    Vertex point;    // the cursor itself when nothing snapped
    int vertex = -1; // snapped to this vertex
    int record = -1; // … or to the foot point on this record
};
// The nearest vertex within kRulerSnapDistance; otherwise the foot of the perpendicular from
// `previous` onto the line of a record when the foot lies within kRulerSnapDistance of p (the
// last such record in list order); otherwise p.
RulerSnap snapRulerEnd(const TZCeiling& doc, const Vertex& previous, const Vertex& p);

// The canvas under p in the layout display (p in the display frame): the index into seamLines of
// the first point of its upper seam line, −1 for none. `number` receives its 1-based number.
int canvasUnder(const TZCeiling& doc, const Vertex& p, int* number = nullptr);
// The seam direction the layout display is turned by: from seamLineStart to seamLineEnd, a
// quarter turn more when the seams run perpendicular.
double layoutSeamDirection(const TZCeiling& doc);

} // namespace tenzora
