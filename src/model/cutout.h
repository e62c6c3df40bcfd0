#pragma once
// Cutouts inside the ceiling (rectangles, circles, ellipses, free outlines), each point located
// by two measured distances from two points of the working outline.

#include <cstdint>

#include "model/static_array.h"

namespace tenzora {

// Which point of the working outline a row measured from when its rows were last captured, so
// that the row can find it again after a construction has renumbered the outline. A measured
// vertex keeps its identity through every rebuild and is remembered by its index in the
// project's outline. A point made by a construction is rebuilt on every pass and has no lasting
// identity: it is remembered by its position, which the earlier constructions reproduce exactly.
// Run time only, not stored in the file.
struct TZRowPoint {
    std::int32_t measuredVertex = -1; // index into the project's outline, −1 for none
    bool byPosition = false;          // a construction's point, recognised by x and y
    double x = 0.0;
    double y = 0.0;
    bool captured() const { return measuredVertex >= 0 || byPosition; }
};

// One measurement row: the cutout's point lies distance1 from working-outline point vertex1 and
// distance2 from vertex2. (The extra row of an ellipse holds other things, see TZHole.)
struct TZHoleDiagonal {
    std::int32_t vertex1 = -1; // index into the working outline
    std::int32_t vertex2 = -1;
    TZRowPoint point1; // what vertex1 designated when last captured
    TZRowPoint point2;
    double distance1 = 0.0; // cm from vertex1
    double distance2 = 0.0; // cm from vertex2
};

enum class TZHoleType : std::int32_t { Rectangle = 1, Circle = 2, Free = 3, Ellipse = 4 };

// Placement modes (the number is stored in the project file).
enum class TZHoleMode : std::int32_t {
    TwoAdjacentPoints = 1,       // rectangle: two neighbouring corners and the side length
    ThreePoints = 2,             // rectangle: three corners, clockwise
    Centre = 3,                  // circle, ellipse: the measured point is the centre
    Top = 4,                     // … the top point
    Right = 5,                   // … the right point
    Bottom = 6,                  // … the bottom point
    Left = 7,                    // … the left point
    TwoOppositePoints = 8,       // rectangle: two opposite corners and one side length
    TwoOppositePointsTurned = 9, // the same, the other way round
};

// One cutout. An ellipse carries an extra row after its measurement row: vertex1 and vertex2
// are the two measured vertices (indexes into the project's outline) of the side its first
// diameter is parallel to, distance1 is the second diameter and distance2 is 1 when the ellipse
// is turned perpendicular to that side, else 0.
struct TZHole {
    TZStaticArray<TZHoleDiagonal> rows;
    double size1 = 0.0;          // rectangle: side; circle: diameter; ellipse: first diameter
    std::int32_t pointCount = 0; // circle and ellipse: polygon points, 0 = automatic
    std::int32_t angleFrom = 0;  // partial outline, degrees
    std::int32_t angleTo = 0;
    std::int32_t type = static_cast<std::int32_t>(TZHoleType::Rectangle);
    std::int32_t mode = 0; // placement mode
};

} // namespace tenzora
