#pragma once
// Constructions and cutouts of a fuzzed room, read from the byte stream of a target's own Reader
// (any reader with byte(), coordinate() and index(count)): the layout and the CAD export fuzz
// the same records.

#include "model/ceiling.h"

namespace tenzora {

template <class Reader> void appendFuzzedConstructionsAndCutouts(TZCeiling& doc, Reader& in, int vertices) {
    const int constructions = in.byte() % 4;
    for (int i = 0; i < constructions; ++i) {
        TZDop d;
        d.kind = static_cast<std::int32_t>(in.byte() % 6);
        d.vertex1 = in.index(vertices);
        d.vertex2 = in.index(vertices);
        d.distance1 = in.coordinate();
        d.distance2 = in.coordinate();
        d.depth = in.coordinate() - 1000;
        d.extraPoints = in.byte() % 9;
        doc.dops.append(d);
        doc.dopHoleOrder.append({kOrderConstruction, i});
    }
    const int cutouts = in.byte() % 3;
    for (int i = 0; i < cutouts; ++i) {
        TZHole h;
        h.type = static_cast<std::int32_t>(1 + in.byte() % 4);
        h.mode = static_cast<std::int32_t>(in.byte() % 10);
        h.size1 = in.coordinate();
        const int rows = 1 + in.byte() % 4;
        for (int r = 0; r < rows; ++r) {
            TZHoleDiagonal row;
            row.vertex1 = in.index(vertices);
            row.vertex2 = in.index(vertices);
            row.distance1 = in.coordinate();
            row.distance2 = in.coordinate();
            h.rows.append(row);
        }
        doc.holes.append(h);
        doc.dopHoleOrder.append({kOrderCutout, i});
    }
}

} // namespace tenzora
