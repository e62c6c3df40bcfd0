#pragma once
// Cutouts inside the ceiling (rectangles, circles, ellipses, free outlines), each point located
// by two measured distances from two points of the working outline.

#include <cstdint>

#include "model/static_array.h"

// One measurement row. point1/point2 remember which measured vertex vertex1/vertex2 designated
// when last captured, so that a row keeps measuring from "its" vertex when a construction
// renumbers the working outline. Points made by constructions are rebuilt on every pass and have
// no lasting identity, so a row on such a point captures none (−1) and keeps its index.
// Not stored in the file.
struct TZHoleDiagonal {
    std::int32_t vertex1 = -1;  // index into the working outline
    std::int32_t vertex2 = -1;
    std::int32_t point1 = -1;   // captured: index of the measured vertex at vertex1, −1 for none
    std::int32_t point2 = -1;
    double distance1 = 0.0;  // cm from vertex1
    double distance2 = 0.0;  // cm from vertex2
};

enum class TZHoleType : std::int32_t { Rectangle = 1, Circle = 2, Free = 3, Ellipse = 4 };

struct TZHole {
    TZStaticArray<TZHoleDiagonal> rows;
    double size1 = 0.0;           // rectangle: side; circle: diameter; ellipse: first diameter
    std::int32_t pointCount = 0;  // circle and ellipse: polygon points, 0 = automatic
    std::int32_t angleFrom = 0;   // partial outline, degrees
    std::int32_t angleTo = 0;
    std::int32_t type = static_cast<std::int32_t>(TZHoleType::Rectangle);
    std::int32_t mode = 0;        // placement mode
};
