#pragma once
// How the drawing is looked at: the view's offset, scale and size, and the display switches of
// the view menu. The project file keeps these too, so that a project opens as it was left.

#include <cstdint>

namespace tenzora {

struct TZViewState {
    std::int32_t panX = 0, panY = 0;    // view offset in pixels
    float scaleX = 1.0f, scaleY = 1.0f; // centimetres per pixel
    std::int32_t viewWidth = 0, viewHeight = 0;
    double gridStep = 20.0;
    bool showGrid = false, snapToGrid = false, showPointNames = false, showLengths = false,
         showAngles = false, showCanvasDistances = false;
};

} // namespace tenzora
