#include "editor/corner_labels.h"

#include <cmath>

namespace tenzora {

namespace {

// Screen pixels between a point and its label.
constexpr double kLabelPixels = 15.0;
// Beyond this many centimetres the radius grows more slowly.
constexpr double kLabelRadiusLimit = 10.0;
constexpr double kScreenGrowthDivisor = 7.0;
constexpr double kPaperRadiusFactor = 2.0;
// Below this length a direction counts as none.
constexpr double kNoDirection = 1e-9;

struct Direction {
    double x = 0, y = 0;
};

Direction unit(double dx, double dy) {
    const double len = std::hypot(dx, dy);
    if (!(len > kNoDirection)) return {};
    return {dx / len, dy / len};
}

} // namespace

double cornerLabelRadius(float scaleX, bool printing) {
    const double r = scaleX != 0.0f ? kLabelPixels / static_cast<double>(scaleX) : 0.0;
    if (!(r > kLabelRadiusLimit)) return r;
    return printing ? kPaperRadiusFactor * r : kLabelRadiusLimit + r / kScreenGrowthDivisor;
}

Vertex cornerLabelPoint(const Vertex& p, const Vertex& previous, const Vertex& next, double radius,
                        LabelSide side) {
    const Direction toPrevious = unit(previous.x - p.x, previous.y - p.y);
    const Direction toNext = unit(next.x - p.x, next.y - p.y);
    Direction d = unit(toPrevious.x + toNext.x, toPrevious.y + toNext.y);
    if (d.x == 0 && d.y == 0) {
        const Direction along = (toNext.x != 0 || toNext.y != 0) ? toNext : toPrevious;
        if (along.x == 0 && along.y == 0)
            d = {0, 1}; // no neighbour apart from the point itself: inside is below, a name goes above
        else
            d = {-along.y, along.x};
    }
    const double sign = side == LabelSide::Inside ? 1.0 : -1.0;
    return makeVertex(p.x + sign * radius * d.x, p.y + sign * radius * d.y);
}

} // namespace tenzora
