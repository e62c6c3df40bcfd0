#pragma once
// Additional constructions along the sides of the outline (niches, arcs, corner cuts,
// trapezoids, bends) and the order list that interleaves them with the cutouts. These are the
// stored records; the points they produce are computed whenever the outline is needed.

#include <cstdint>

namespace tenzora {

// The number is the position in the dialog's type list and is stored in the project file.
enum class TZDopKind : std::int32_t {
    Disabled = 0,
    Rectangle = 1,
    Arc = 2,
    CornerCut = 3,
    Trapezoid = 4,
    Bend = 5
};

// Output positions start far off the view until the construction's points are found.
inline constexpr std::int32_t kUnsetPosition = -100000000;

struct TZDop {
    std::int32_t vertex1 = -1;         // first host point in the working outline
    std::int32_t vertex2 = -1;         // second host point (for a corner cut: the corner)
    std::int32_t firstPointIndex = -1; // computed: working-outline index of the first point
    std::int32_t lastPointIndex = -1;  // computed: working-outline index of the last point
    std::int32_t firstPointPosX = kUnsetPosition;
    std::int32_t firstPointPosY = kUnsetPosition;
    std::int32_t lastPointPosX = kUnsetPosition;
    std::int32_t lastPointPosY = kUnsetPosition;
    double distance1 = 0.0;       // start of the construction from vertex1 along the side, cm
    double distance2 = 0.0;       // its end from vertex2, cm
    double depth = 0.0;           // sign = direction: positive inward on a clockwise outline
    double depth2 = 0.0;          // trapezoid: second depth; arc: the computed radius
    double width = 0.0;           // computed: side length − distance1 − distance2
    double arcLength = 0.0;       // arc: used only when depth is 0
    std::int32_t extraPoints = 5; // arc: intermediate points; bend: second level in whole cm
    std::int32_t kind = static_cast<std::int32_t>(TZDopKind::Disabled);
};

// Entry types of the order list.
inline constexpr std::int32_t kOrderConstruction = 0;
inline constexpr std::int32_t kOrderCutout = 1;

struct TZDopAndHole {
    std::int32_t type = kOrderConstruction; // 0 construction, 1 cutout
    std::int32_t index = 0;                 // into the construction or cutout list
};

} // namespace tenzora
