#pragma once
// Where the editing stands: the mode and its tool, the measuring ruler, what is under the mouse,
// dragged or picked, and the record chosen in the side panel. Every vertex, record or canvas is
// named by its index, −1 for none.

#include <cstdint>

#include "model/polygon.h"

namespace tenzora {

// Editor modes.
enum EditorMode : std::int32_t {
    kModeDragVertex = 4, // a vertex is being dragged (between press and release)
    kModePoints = 5,     // points: enter/edit, insert, delete (pointTool)
    kModeDiagonals = 6,  // diagonals: insert, select, delete (diagonalTool)
    kModeStart = 7,      // nothing has been entered yet
    kModeCutting = 8,    // cutting layout display
    kModeNoTool = 9,     // no tool; the left button only pans
    kModeRuler = 10,     // measuring ruler
};

struct TZEditorState {
    std::int32_t mode = kModeStart;
    std::int32_t pointTool = 0;
    std::int32_t diagonalTool = 0;
    bool dragging = false; // the pan tool is on
    TZRulers rulerPoints;
    std::int32_t hoverVertex = -1;   // the ruler end snapped to this vertex
    std::int32_t hoverDiagonal = -1; // … or to the foot point on this record
    Vertex hoverFoot;                // that foot point
    std::int32_t hoverCanvas = -1;   // index into seamLines of the canvas under the mouse
    std::int32_t draggedVertex = -1;
    std::int32_t editorVertex2 = -1;   // kept in the project file only
    std::int32_t pendingVertex = -1;   // first vertex picked in diagonal mode
    std::int32_t currentDiagonal = -1; // record selected for entry in the side panel
};

} // namespace tenzora
