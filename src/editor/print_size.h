#pragma once
// Output sizing: pens and fonts of the drawing are given in screen pixels and scaled to the
// output they are drawn on, so that a drawing printed at a reference size of 1450 pixels on its
// longer side looks like the screen.

#include <cstdint>

namespace tenzora {

// The longer side of the output on which printSize leaves sizes unchanged.
inline constexpr std::int32_t kReferenceOutputSide = 1450;

// `base` when width and height are both 0 (the screen); otherwise max(width, height) · base / 1450,
// times `factor` when it is not 0, truncated, and never below 1.
std::int32_t printSize(double base, std::int32_t width = 0, std::int32_t height = 0, double factor = 0.0);

} // namespace tenzora
