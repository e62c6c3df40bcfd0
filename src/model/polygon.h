#pragma once
// The records an outline is made of: vertices in centimetres and measured distances between
// two vertices (sides are stored the same way as diagonals).

#include <cstdint>

#include "model/static_array.h"

namespace tenzora {

// One point of an outline; y grows downwards on the screen.
struct Vertex {
    double x = 0.0;
    double y = 0.0;
    std::uint8_t rightAngle = 0;     // the corner here was recognised as a right angle
    std::int32_t treeItem = 0;       // side panel tree row (run time only)
    std::uint8_t placed = 0;         // placed by the current construction pass; cut mark of corner cuts
    std::int32_t sidePreference = 0; // triangle side chosen by the user: 0 auto, 1 inward, 2 outward
    std::int32_t autoSide = 0;       // side implied by the automatic choice: 1 inward, 2 outward
};

inline Vertex makeVertex(double x, double y) {
    Vertex v;
    v.x = x;
    v.y = y;
    return v;
}

// A measured distance between vertices a and b; a pair is the same record in either order.
struct Diagonal {
    std::int32_t treeItem = 0; // side panel tree row (run time only)
    std::int32_t visits = 0;   // relaxation visit counter
    double length = 0.0;       // measured length in cm; 0 or negative: not measured
    double spare = 0.0;        // kept in the project file; no other use
    std::uint8_t isSide = 0;   // the two vertices are neighbours on the outline
    std::int32_t a = 0;
    std::int32_t b = 0;
};

// The document's outline; `defined` is set once an outline has been entered or generated.
class CPolygon : public TZStaticArray<Vertex> {
  public:
    bool defined = false;

    void copyFrom(const CPolygon& other) {
        TZStaticArray<Vertex>::copyFrom(other);
        defined = other.defined;
    }
    void clear() {
        TZStaticArray<Vertex>::clear();
        defined = false;
    }
};

// Sides and measured diagonals of one outline. The outline is not referenced from here: the
// functions that need both take both, which keeps copies of the document self-contained.
class Diagonals : public TZStaticArray<Diagonal> {};

// Points of the measuring ruler.
class TZRulers : public TZStaticArray<Vertex> {};

} // namespace tenzora
