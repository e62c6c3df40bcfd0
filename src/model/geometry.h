#pragma once
// Small geometric helpers on outline points. Lengths are centimetres, angles radians, and the
// drawing's y axis points down (so "clockwise" is clockwise as seen on the screen).

#include <optional>
#include <span>

#include "model/polygon.h"

namespace tenzora {

inline constexpr double kPi = 3.14159265358979323846;

double distance(const Vertex& p, const Vertex& q);

// Angle of the vector (dx, dy) from +x towards +y: in [0, 2π) except on the y axis, where the
// result is π/2 for dy >= 0 and −π/2 below (callers rely on that sign).
double direction(double dx, double dy);

// p = centre + R(angle)(p − centre).
void rotateAbout(Vertex& p, const Vertex& centre, double angle);
void rotateAbout(Vertex& p, double angle);
void rotateAll(TZStaticArray<Vertex>& points, double angle);

// Moves `moving` onto the ray from `fixed` through it, at distance d; when both coincide the
// point goes to fixed + (d, 0).
void placeAtDistance(const Vertex& fixed, Vertex& moving, double d);

// Whether segment a1–a2 crosses segment b1–b2 (see the tolerances in the definition).
// The crossing point is written to `at` when given and the segments are not parallel.
bool segmentsCross(const Vertex& a1, const Vertex& a2, const Vertex& b1, const Vertex& b2,
                   Vertex* at = nullptr);

// Σ (x_i·y_{i+1} − y_i·x_{i+1}) over the closed ring.
double shoelace(std::span<const Vertex> points);
// |S/2| / 10000: square metres of a ring given in centimetres.
double area(std::span<const Vertex> points);
// S/2 >= 0 (an empty outline counts as clockwise).
bool isClockwise(std::span<const Vertex> points);
// y = −y for every point.
void mirror(TZStaticArray<Vertex>& points);

inline std::span<const Vertex> pointsOf(const TZStaticArray<Vertex>& a) {
    return {a.begin(), static_cast<std::size_t>(a.count())};
}

} // namespace tenzora
