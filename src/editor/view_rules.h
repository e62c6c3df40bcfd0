#pragma once
// How the drawing view maps the mouse to the drawing: the screen transform as the editor sees it
// (mirrored in the cutting layout display when the settings ask for it) and snapping to the grid.

#include "model/polygon.h"

namespace tenzora {

class TZCeiling;
struct AppSettings;

// The cutting layout is shown mirrored left to right while the editor is in cutting mode,
// "Переворачивать при раскрое" is on and dealer mode is off.
bool isMirroredDisplay(const TZCeiling& doc, const AppSettings& settings);

// The layout display: cutting mode with at least one canvas (two seam lines) laid out.
bool isLayoutDisplay(const TZCeiling& doc);
// The layout display as the measurer sees it: canvases are listed, hovered and opened only while
// dealer mode is off.
bool showsCanvases(const TZCeiling& doc, const AppSettings& settings);

// The drawing point under a view pixel, mirrored as the display is.
Vertex viewToDrawing(const TZCeiling& doc, const AppSettings& settings, double sx, double sy);

// The nearest grid line, halves away from zero: step × trunc((v ± step/2) / step). A step that is
// not positive (or not finite) leaves the value as it is.
double snapCoordinate(double v, double step);
// Both coordinates snapped when the document's snapping is on; the point unchanged otherwise.
Vertex snapToGridIfOn(const TZCeiling& doc, const Vertex& p);

} // namespace tenzora
