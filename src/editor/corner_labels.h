#pragma once
// Corner labels: angle values, point names and the names of dimension points are written beside
// their point, on the bisector of the corner the point makes with its two neighbours — names
// outside the corner, angle values inside it — about 15 screen pixels away.

#include "model/polygon.h"

namespace tenzora {

// How far from its point a corner label stands, in centimetres: 15 screen pixels at the view's
// zoom; beyond 10 cm (zoomed far out) 10 cm plus a seventh of that on the screen, and twice the
// 15 pixels on paper.
double cornerLabelRadius(float scaleX, bool printing);

enum class LabelSide { Inside, Outside };

// The label point of the corner at `p` between `previous` and `next` (all in one frame), at
// `radius` along the bisector (inside) or against it (outside). A straight corner, whose two
// directions cancel, takes the perpendicular to the direction towards `next` (turned a quarter
// towards +y, which is the inside of a clockwise outline); a point without distinct neighbours
// puts its label above it.
Vertex cornerLabelPoint(const Vertex& p, const Vertex& previous, const Vertex& next, double radius,
                        LabelSide side);

} // namespace tenzora
