#pragma once
// Cutout rows measure from points of the working outline by index. Adding (or changing, or
// deleting) a construction renumbers that outline, so the rows are captured before the change
// (which point each index designates) and resolved after it (the new index of that point).

namespace tenzora {

class TZCeiling;

// Builds the working outline with constructions and remembers, for every row that measures from
// it, the point at vertex1 and at vertex2.
void captureRowPoints(TZCeiling& doc);

// Builds the working outline with constructions and sets every row's vertex1 (vertex2) to the
// index of the point captured for it. A measured vertex that a construction's clean-up replaced
// by one of its own points lying on it (within 1 cm) is found as that point. A row whose point is
// not found, or was never captured, keeps its index.
void resolveRowPoints(TZCeiling& doc);

} // namespace tenzora
