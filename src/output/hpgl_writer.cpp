#include <cmath>

#include "output/cad_drawing.h"
#include "output/cad_files.h"

namespace tenzora {

namespace {

std::string unitsOf(double cm) {
    return std::to_string(std::llround(cm * kHpglUnitsPerCm));
}

std::string pairOf(const Vertex& p) {
    return unitsOf(p.x) + "," + unitsOf(p.y);
}

} // namespace

std::string hpglText(const CanvasRoll& roll) {
    std::string out = "IN;SP1;\n";
    for (const RollPiece& piece : roll.pieces) {
        for (const std::vector<Vertex>& ring : piece.rings) {
            if (ring.size() < 2) continue;
            out += "PU" + pairOf(ring.front()) + ";PD";
            for (std::size_t i = 1; i < ring.size(); ++i)
                out += pairOf(ring[i]) + ",";
            // Back to the first point: the piece is cut closed.
            out += pairOf(ring.front()) + ";\n";
        }
    }
    out += "PU0,0;SP0;\n";
    return out;
}

} // namespace tenzora
