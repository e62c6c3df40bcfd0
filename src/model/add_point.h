#pragma once
// A crossing of a seam line with an outline or cutout edge, found by the cutting layout.

#include <cstdint>

#include "model/polygon.h"

namespace tenzora {

struct TZAddPoint {
    Vertex point;     // the crossing
    Vertex edgeStart; // copies of the end points of the crossed edge
    Vertex edgeEnd;
    std::uint8_t mark = 0; // always 0 from the layout; kept in the project file
};

} // namespace tenzora
