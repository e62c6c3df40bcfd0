#pragma once
// Whether a point lies inside a closed outline, by the even-odd rule: a ray from the point
// crosses the outline an odd number of times.

#include <span>

#include "model/polygon.h"

namespace tenzora {

bool insideEvenOdd(std::span<const Vertex> outline, double x, double y);

} // namespace tenzora
