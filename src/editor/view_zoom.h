#pragma once
// Zooming the view: the zoom commands and the mouse wheel multiply the scale of the drawing.

namespace tenzora {

class TZCeiling;

// Zoom factors of the zoom commands (centimetres per pixel are multiplied by them).
inline constexpr float kZoomInFactor = 0.9f;
inline constexpr float kZoomOutFactor = 1.1f;
// The range of the view scale in centimetres per pixel: beyond it the drawing would collapse
// to nothing or overflow the screen transform (and repeated zooming would reach 0 or infinity).
inline constexpr float kMinViewScale = 1e-3f;
inline constexpr float kMaxViewScale = 1e4f;

// Undo snapshot, both scales multiplied by `factor`, repaint. A factor that would take the scale
// out of [kMinViewScale, kMaxViewScale] changes nothing; false then.
bool zoomBy(TZCeiling& doc, float factor);

} // namespace tenzora
