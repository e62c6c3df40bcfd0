#pragma once
// What the painting routine rebuilds on every paint, kept by its caller so that a repaint does
// not allocate: the working outline and the cutouts, their points in the display frame and on
// the output, and the lists of the canvas-edge dimensioning. Nothing here outlives a paint as
// information; the drawing view keeps one across paints, a print or an export makes its own.

#include <cstdint>
#include <vector>

#include "editor/canvas_distances.h"
#include "model/cutouts.h"
#include "model/working_outline.h"
#include "platform/surface_types.h"

namespace tenzora {

struct DrawingCache {
    WorkingOutline outline;
    TZHolesArray holes;

    std::vector<Vertex> outlineShown; // working outline in the display frame
    std::vector<Point> outlineOutput; // … and on the output
    std::vector<Vertex> holesShown;   // every cutout point in the display frame, cutout after cutout
    std::vector<Point> holesOutput;
    std::vector<Point> areaPoints; // the outline followed by the cutouts, for fills and clips
    std::vector<std::int32_t> areaRings;
    std::vector<Point> scratch;
    CanvasDistanceLists distances;
};

} // namespace tenzora
