#pragma once
// The screen transform of the drawing view: drawing centimetres to view pixels and back.
// x grows to the right, y downwards; the view centre is the drawing origin shifted by the pan.

#include <cstdint>

namespace tenzora {

class TZCeiling;

struct ScreenPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// A double to a pixel coordinate: truncated toward zero, clamped to the int32 range, 0 for NaN.
std::int32_t toPixel(double v);

// sx = W/2 + trunc(x / scaleX) − panX; sy = H/2 + trunc(y / scaleY) + panY. With `mirrored`
// (the cutting layout display when flipping is on) x is mirrored: sx = W/2 − trunc(x / scaleX) − panX.
ScreenPoint worldToScreen(const TZCeiling& doc, double x, double y, bool mirrored = false);
// x = (panX + sx − W/2) · scaleX; y = (sy − H/2 − panY) · scaleY (mirrored: x = (W/2 − panX − sx) · scaleX).
void screenToWorld(const TZCeiling& doc, double sx, double sy, double& x, double& y, bool mirrored = false);

} // namespace tenzora
