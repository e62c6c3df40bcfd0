#pragma once
// The triangle phase of forming: vertices are placed triangle by triangle from a base side,
// each new vertex from its measured distances to the two ends of a placed edge, on the side of
// that edge that crosses the fewest sides and fits the measurements best.

namespace tenzora {

class TZCeiling;

// Places vertex c from the base (a, b) using the records (a, b), (a, c) and (b, c), then goes
// on placing every vertex it makes reachable (propagate from (a, c), then from (b, c)).
void placeTriangle(TZCeiling& doc, int a, int b, int c);

// Places, in index order, every unplaced vertex measured to both p and q (and, through each,
// the vertices those placements reach). Nothing when p or q is not a vertex or no record joins
// them.
void propagate(TZCeiling& doc, int p, int q);

// Builds the outline from one base side after another until one places every vertex from
// measurements alone. Removes the unmeasured records first. True when a base succeeded
// (`baseSide` and `outlineFormed` are then set); otherwise the last base's outline remains, with
// the vertices it could not place listed in `statusText`.
bool constructionPass(TZCeiling& doc);
// The same, keeping *record naming the same record while unmeasured records are removed (a
// removed record is replaced by the one that takes its place in the list).
bool constructionPass(TZCeiling& doc, int* record);

// For every vertex, the side of its neighbours' chord it lies on as the outline now stands:
// 2 (outward) when leaving it out makes the area smaller, else 1 (inward).
void computeAutoSides(TZCeiling& doc);

} // namespace tenzora
