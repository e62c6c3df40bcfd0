#pragma once
// The drawing view's mouse and keyboard rules, by mode and tool: entering, closing and dragging
// points, inserting and deleting them, picking pairs of points for diagonals, selecting and
// deleting diagonals, panning, zooming with the wheel, the measuring ruler, moving and resizing
// the photo over the drawing, and hovering and opening canvases of the cutting layout.
//
// The window feeds it events in view pixels; everything it changes is the document's, and what
// it needs of the window (the side panel's fields, the canvas window, the cursor) goes through
// EditorWindow. Hit tolerances are in drawing centimetres (see hit_tests.h).

#include "model/picture.h"
#include "model/polygon.h"

namespace tenzora {

class TZCeiling;
struct AppSettings;

enum class CursorShape {
    Arrow,
    OverVertex, // a vertex under the cursor can be dragged
    Pan,        // the left button pans the drawing
};

// One mouse event: the position in view pixels, Shift, and the view's client size at the time.
struct PointerEvent {
    int x = 0;
    int y = 0;
    bool shift = false;
    int viewWidth = 0;
    int viewHeight = 0;
};

// What the editor asks of its window.
class EditorWindow {
  public:
    virtual ~EditorWindow() = default;
    // The drawing coordinates under the cursor, for the side panel's x and y fields.
    virtual void showCursorPosition(double x, double y) = 0;
    // The side panel's input names record `record` (its fields then follow the name).
    virtual void showRecord(int record) = 0;
    // The canvas window for canvas `number` (from 1), whose upper seam line starts at seam point
    // `reference`.
    virtual void openCanvas(int number, int reference) = 0;
    virtual void setCursorShape(CursorShape shape) = 0;
    // Puts the mouse cursor at a view pixel (the photo's corner after keeping its proportions).
    virtual void moveCursor(int x, int y) = 0;
};

// Wheel units per notch divided by the zoom step: one notch changes the scale by a tenth.
inline constexpr float kWheelZoomDivisor = 1200.0f;

class EditorInput {
  public:
    EditorInput(TZCeiling& doc, const AppSettings& settings, EditorWindow& window);

    void leftDown(const PointerEvent& e);
    void leftUp(const PointerEvent& e);
    void middleDown(const PointerEvent& e);
    void middleUp(const PointerEvent& e);
    void rightDown(const PointerEvent& e);
    void move(const PointerEvent& e);
    // `delta` in the platform's wheel units, 120 per notch, positive away from the user.
    void wheel(int delta);
    // Esc; false when the key was not used.
    bool escape();

    // The photo handle being dragged, 1–8; 0 for none.
    int photoHandle() const { return photoHandle_; }
    bool buttonHeld() const { return pressX_ >= 0 || pressY_ >= 0; }

  private:
    void takeViewSize(const PointerEvent& e);
    Vertex drawingPoint(const PointerEvent& e) const;
    void remember(const PointerEvent& e);
    void forgetPress();
    bool startPhotoDrag(const PointerEvent& e);
    void dragPhoto(const PointerEvent& e);
    void pointsDown(const Vertex& p, const Vertex& snapped);
    void closeOutline();
    void diagonalsDown(const Vertex& p);
    void rulerDown(const Vertex& p, const Vertex& snapped);
    void followRuler(const Vertex& p);
    void moveVertex(int index, const Vertex& p);
    void updateCursor(const Vertex& p);

    TZCeiling& doc_;
    const AppSettings& settings_;
    EditorWindow& window_;

    // The last press position in pixels (−1, −1 while no button is held) and the position the
    // pan and the photo drag last moved from.
    int pressX_ = -1, pressY_ = -1;
    int lastX_ = 0, lastY_ = 0;
    // The mode to return to after a vertex drag.
    int modeBeforeDrag_ = 5;
    // The mode and panning switch saved while the middle button pans.
    bool middleHeld_ = false;
    int modeBeforeMiddle_ = 5;
    bool draggingBeforeMiddle_ = false;
    // The photo handle being dragged, the photo's screen rectangle as it is being dragged, and
    // where within the dragged corner's box the cursor took hold of it.
    int photoHandle_ = 0;
    PixelRect photoRect_;
    int grabOffsetX_ = 0, grabOffsetY_ = 0;
    CursorShape cursor_ = CursorShape::Arrow;
};

// The lengths a vertex drag rewrites from the drawing: the records touching vertex v that are
// diagonals when `dragUpdatesDiagonals` is on, and those that are sides when `dragUpdatesSides`.
void rewriteLengthsAfterDrag(TZCeiling& doc, int v);

} // namespace tenzora
