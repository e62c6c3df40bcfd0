#include "model/inside_test.h"

namespace tenzora {

bool insideEvenOdd(std::span<const Vertex> outline, double x, double y) {
    bool inside = false;
    const std::size_t n = outline.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const Vertex& p = outline[i];
        const Vertex& q = outline[j];
        // The edge straddles the horizontal through the point (one end above, one not) and
        // crosses it to the right of the point.
        if ((p.y > y) != (q.y > y) && x < (q.x - p.x) * (y - p.y) / (q.y - p.y) + p.x) inside = !inside;
    }
    return inside;
}

} // namespace tenzora
