#pragma once
// "Раскрой фигуры" (Ctrl+R): the main window's switch between the cutting layout display and the
// point editing mode.

namespace tenzora {

class TZCeiling;

// Panning off; the outline is formed first when it has not been; then the cutting mode is left
// for the point mode, or entered: the outline re-placed and the cutting dialog shown. The side
// panel's tree is rebuilt (it lists the canvases in the cutting mode) and the view repainted.
void toggleCuttingMode(TZCeiling& doc);

} // namespace tenzora
