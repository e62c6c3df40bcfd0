#include "model/geometry.h"

#include <cmath>

namespace tenzora {

namespace {

// Below this cross product two segments count as parallel.
constexpr double kParallelTolerance = 0.001;
// Parallel segments cross only when their end points lie this close together.
constexpr double kTouchTolerance = 0.001;
// A crossing strictly inside the second segment: its ends themselves do not count.
constexpr double kEndMargin = 0.0001;

} // namespace

double distance(const Vertex& p, const Vertex& q) {
    return std::hypot(q.x - p.x, q.y - p.y);
}

double direction(double dx, double dy) {
    if (dx == 0) return dy >= 0 ? kPi / 2 : -kPi / 2;
    if (dy == 0) return dx > 0 ? 0.0 : kPi;
    const double t = std::atan(std::fabs(dy) / std::fabs(dx));
    if (dx > 0 && dy > 0) return t;
    if (dx < 0 && dy > 0) return kPi - t;
    if (dx < 0) return kPi + t;
    return 2 * kPi - t;
}

void rotateAbout(Vertex& p, const Vertex& centre, double angle) {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double dx = p.x - centre.x;
    const double dy = p.y - centre.y;
    p.x = centre.x + c * dx - s * dy;
    p.y = centre.y + s * dx + c * dy;
}

void rotateAbout(Vertex& p, double angle) {
    rotateAbout(p, Vertex{}, angle);
}

void rotateAll(TZStaticArray<Vertex>& points, double angle) {
    for (Vertex& v : points)
        rotateAbout(v, angle);
}

void placeAtDistance(const Vertex& fixed, Vertex& moving, double d) {
    const double dx = moving.x - fixed.x;
    const double dy = moving.y - fixed.y;
    const double len = std::hypot(dx, dy);
    if (len == 0) {
        moving.x = fixed.x + d;
        moving.y = fixed.y;
        return;
    }
    moving.x = fixed.x + d * dx / len;
    moving.y = fixed.y + d * dy / len;
}

bool segmentsCross(const Vertex& a1, const Vertex& a2, const Vertex& b1, const Vertex& b2, Vertex* at) {
    const double rx = a2.x - a1.x;
    const double ry = a2.y - a1.y;
    const double sx = b2.x - b1.x;
    const double sy = b2.y - b1.y;
    const double d = rx * sy - ry * sx;
    if (std::fabs(d) >= kParallelTolerance) {
        const double qx = b1.x - a1.x;
        const double qy = b1.y - a1.y;
        const double t = (qx * sy - qy * sx) / d; // along a1→a2
        const double u = (qx * ry - qy * rx) / d; // along b1→b2
        if (t < 0 || t > 1 || u <= kEndMargin || u >= 1 - kEndMargin) return false;
        if (at) {
            at->x = a1.x + t * rx;
            at->y = a1.y + t * ry;
        }
        return true;
    }
    for (const Vertex* p : {&a1, &a2})
        for (const Vertex* q : {&b1, &b2})
            if (distance(*p, *q) < kTouchTolerance) return true;
    return false;
}

double shoelace(std::span<const Vertex> points) {
    const std::size_t n = points.size();
    double s = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const Vertex& p = points[i];
        const Vertex& q = points[(i + 1) % n];
        s += p.x * q.y - p.y * q.x;
    }
    return s;
}

double area(std::span<const Vertex> points) {
    return std::fabs(shoelace(points) / 2) / 10000.0;
}

bool isClockwise(std::span<const Vertex> points) {
    return shoelace(points) / 2 >= 0;
}

void mirror(TZStaticArray<Vertex>& points) {
    for (Vertex& v : points)
        v.y = -v.y;
}

} // namespace tenzora
