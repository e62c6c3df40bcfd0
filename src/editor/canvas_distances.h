#pragma once
// Canvas-edge dimensioning: over the cutting layout, every canvas is outlined, a perpendicular
// is dropped from every room corner inside a canvas onto the canvas's edges, the feet and the
// canvas corners are named (the names continue the outline's), every dimension line gets its
// length, and each canvas edge is divided into labelled pieces (lengths times the material's
// tension coefficient, so that the cutter measures them on the unstretched fabric).

#include <cstdint>
#include <span>
#include <vector>

#include "model/polygon.h"

namespace tenzora {

class Surface;
class TZCeiling;
class OutputTransform;

// One edge of a canvas quadrilateral.
struct TZDopDiagonal {
    Vertex start;
    Vertex end;
    std::int32_t vertex1 = -1;
    std::int32_t vertex2 = -1;
};

// One dimension point: a canvas corner, or the foot of the perpendicular from a room corner
// (its partner) onto a canvas edge. The neighbours place its name.
struct TZRasPoint {
    Vertex point;
    Vertex partner;
    std::uint8_t hasPartner = 0;
    Vertex neighbour1;
    Vertex neighbour2;
};

// The lists of one paint, kept by the caller so that repaints do not allocate.
struct CanvasDistanceLists {
    std::vector<TZDopDiagonal> edges;
    std::vector<TZRasPoint> points;
    std::vector<Vertex> measured;  // measured vertices in the display frame
    std::vector<Vertex> crossings; // seam crossings in the display frame (layout display only)
    std::vector<double> angles;
    std::vector<int> order;
    std::vector<std::pair<double, Vertex>> onEdge;
};

struct CanvasDistanceRequest {
    std::span<const Vertex> outline; // the working outline as drawn (in the display frame)
    double theta = 0;                // the seam direction
    bool layoutDisplay = false;
    bool mirrored = false;
    int purpose = 0;
    bool showNames = false; // point names for this paint
    std::int32_t referenceWidth = 0, referenceHeight = 0;
    std::int32_t zeroHeight = 0; // height of "0" in the names' font, for centring the names
};

// Draws the layer (nothing with fewer than 3 seam-line entries). Returns the number of
// dimension points accepted.
int drawCanvasDistances(Surface& surface, const TZCeiling& doc, const OutputTransform& transform,
                        const CanvasDistanceRequest& request, CanvasDistanceLists& lists);

// Whether point p lies on the edge from (x1, y1) to (x2, y2) by the dimensioning's tolerances:
// within 0.1 cm of a horizontal or vertical edge (and no more than 0.1 cm beyond its ends), or,
// for a slanted edge, at the same relative position along x and y (within 0.01) between −0.01
// and 1.01.
bool liesOnEdge(const Vertex& p, const Vertex& start, const Vertex& end);

// Whether segment a1–a2 crosses segment b1–b2 strictly inside both (parameters within
// (1e-7, 0.9999999)); nearly parallel segments never cross.
bool dimensionLineCrosses(const Vertex& a1, const Vertex& a2, const Vertex& b1, const Vertex& b2);

} // namespace tenzora
