#include "editor/editor_input.h"

#include <cmath>

#include "editor/hit_tests.h"
#include "editor/photo_placement.h"
#include "editor/view_rules.h"
#include "editor/view_zoom.h"
#include "model/ceiling.h"
#include "model/geometry.h"
#include "model/measurements.h"
#include "model/records.h"
#include "model/view_transform.h"

namespace tenzora {

namespace {

// Drawn distances become lengths truncated to hundredths, as every drawn length is shown.
double drawnLength(const Vertex& a, const Vertex& b) {
    return std::trunc(100.0 * distance(a, b)) / 100.0;
}

bool isCornerHandle(int handle) {
    return handle >= 1 && handle <= 4;
}

// The shown photo when it has a place on the drawing (its handles exist only then).
TZPicture* placedShownPhoto(TZCeiling& doc) {
    TZPicture* photo = doc.photos.checkedAt(doc.shownPhoto);
    return photo != nullptr && photo->placed ? photo : nullptr;
}

} // namespace

void rewriteLengthsAfterDrag(TZCeiling& doc, int v) {
    for (Diagonal& d : doc.diagonals) {
        if (d.a != v && d.b != v) continue;
        const bool rewrite = isSideRecord(doc, d) ? doc.dragUpdatesSides : doc.dragUpdatesDiagonals;
        if (rewrite) d.length = actualLength(doc, d);
    }
}

EditorInput::EditorInput(TZCeiling& doc, const AppSettings& settings, EditorWindow& window)
    : doc_(doc), settings_(settings), window_(window) {}

void EditorInput::takeViewSize(const PointerEvent& e) {
    doc_.view.viewWidth = e.viewWidth;
    doc_.view.viewHeight = e.viewHeight;
}

Vertex EditorInput::drawingPoint(const PointerEvent& e) const {
    return viewToDrawing(doc_, settings_, e.x, e.y);
}

void EditorInput::remember(const PointerEvent& e) {
    pressX_ = lastX_ = e.x;
    pressY_ = lastY_ = e.y;
}

void EditorInput::forgetPress() {
    pressX_ = pressY_ = -1;
}

// ---- left button ----------------------------------------------------------------------------------

void EditorInput::leftDown(const PointerEvent& e) {
    if (doc_.editor.mode == kModeStart) return;
    // The drag mode lasts from a press to its release; met at a press (read back from a file or
    // an old undo state), it stands for the point tool it came from.
    if (doc_.editor.mode == kModeDragVertex) doc_.editor.mode = kModePoints;
    takeViewSize(e);
    const Vertex p = drawingPoint(e);
    const Vertex snapped = snapToGridIfOn(doc_, p);

    if (doc_.editor.mode != kModeCutting && startPhotoDrag(e)) return;

    if (doc_.editor.mode == kModeCutting && showsCanvases(doc_, settings_) && !doc_.editor.dragging) {
        if (doc_.editor.hoverCanvas != -1) {
            doc_.editor.hoverCanvas = -1;
            doc_.repaint();
        }
        int number = 0;
        const int canvas = canvasUnder(doc_, snapped, &number);
        if (canvas >= 0) window_.openCanvas(number, canvas);
    }

    if (doc_.editor.dragging) {
        doc_.takeSnapshot();
        remember(e);
        return;
    }
    remember(e);

    switch (doc_.editor.mode) {
    case kModePoints:
        pointsDown(p, snapped);
        break;
    case kModeDiagonals:
        diagonalsDown(p);
        break;
    case kModeRuler:
        rulerDown(p, snapped);
        break;
    default:
        break;
    }
    if (doc_.polygon.count() < 3) doc_.editor.mode = kModePoints;
}

bool EditorInput::startPhotoDrag(const PointerEvent& e) {
    TZPicture* photo = placedShownPhoto(doc_);
    if (photo == nullptr) return false;
    const PixelRect rect = photoScreenRect(doc_, *photo);
    const int handle = photoHandleAt(rect, e.x, e.y);
    if (handle == 0) return false;
    photoHandle_ = handle;
    photoRect_ = rect;
    int cornerX = e.x, cornerY = e.y;
    if (isCornerHandle(handle)) handleCorner(rect, handle, cornerX, cornerY);
    grabOffsetX_ = e.x - cornerX;
    grabOffsetY_ = e.y - cornerY;
    remember(e);
    return true;
}

void EditorInput::pointsDown(const Vertex& p, const Vertex& snapped) {
    doc_.takeSnapshot();
    switch (doc_.editor.pointTool) {
    case 0: {
        const int v = vertexUnder(doc_, p);
        if (v >= 0 && doc_.polygon.defined) {
            doc_.editor.draggedVertex = v;
            modeBeforeDrag_ = doc_.editor.mode;
            doc_.editor.mode = kModeDragVertex;
        } else if (!doc_.polygon.defined) {
            if (!nearAVertex(doc_, snapped)) appendVertex(doc_, snapped.x, snapped.y);
            // A click on an existing point closes the outline; with fewer than three points there
            // is nothing to close yet (a closed outline of two points could take no more points).
            else if (doc_.polygon.count() >= 3)
                closeOutline();
        }
        doc_.repaint();
        break;
    }
    case 1: {
        int first = -1, second = -1;
        if (!nearAVertex(doc_, snapped) && sideUnder(doc_, p, first, second)) {
            insertVertexOnSide(doc_, snapped, first, second);
            doc_.refreshAfterChange();
        }
        break;
    }
    case 3: {
        const int v = vertexUnder(doc_, p);
        if (v >= 0) {
            deleteVertex(doc_, v);
            // Fewer than three points no longer make a closed outline: points can be entered
            // again to complete it.
            if (doc_.polygon.count() < 3) doc_.polygon.defined = false;
            doc_.refreshAfterChange();
        }
        break;
    }
    default:
        break;
    }
}

void EditorInput::closeOutline() {
    doc_.polygon.defined = true;
    createSides(doc_);
    doc_.editor.mode = kModeDiagonals;
    doc_.rebuildTree();
    doc_.editor.currentDiagonal = doc_.diagonals.empty() ? -1 : 0;
    window_.showRecord(doc_.editor.currentDiagonal);
    markAllAsSides(doc_);
    doc_.refreshFigures();
}

void EditorInput::diagonalsDown(const Vertex& p) {
    doc_.takeSnapshot();
    const int v = vertexUnder(doc_, p);
    if (v >= 0) {
        const Vertex* first = doc_.polygon.checkedAt(doc_.editor.pendingVertex);
        if (first == nullptr) {
            doc_.editor.pendingVertex = v;
        } else if (doc_.editor.pendingVertex != v) {
            // The picked vertex stays picked: further clicks join it to more vertices.
            const int record =
                setDiagonal(doc_, doc_.editor.pendingVertex, v, drawnLength(*first, doc_.polygon.at(v)));
            doc_.rebuildTree();
            doc_.editor.currentDiagonal = record;
            window_.showRecord(record);
        }
    } else if (const int record = recordUnder(doc_, p); record >= 0) {
        if (doc_.editor.diagonalTool == 2) {
            eraseRecord(doc_, record);
            doc_.rebuildTree();
            // The error figure changes with the records.
            doc_.refreshFigures();
        } else {
            window_.showRecord(record);
        }
    }
    doc_.repaint();
}

void EditorInput::rulerDown(const Vertex& p, const Vertex& snapped) {
    doc_.takeSnapshot();
    // A click before the mouse has moved over the view: the ruler starts where it is, as a move
    // would have started it, so that this click fixes its first point.
    if (doc_.editor.rulerPoints.empty()) doc_.editor.rulerPoints.append(makeVertex(p.x, p.y));
    doc_.editor.rulerPoints.append(makeVertex(snapped.x, snapped.y));
    doc_.refreshFigures();
    doc_.repaint();
}

void EditorInput::leftUp(const PointerEvent& e) {
    if (doc_.editor.mode == kModeStart) return;
    takeViewSize(e);
    if (photoHandle_ != 0) {
        photoHandle_ = 0;
        forgetPress();
        return;
    }
    forgetPress();
    if (doc_.editor.mode != kModeDragVertex) return;
    // The drag ends first (even when something forgot the dragged vertex meanwhile): the snapshot
    // below must not keep the drag's mode, or undoing to it would leave the editor dragging
    // nothing, deaf to clicks.
    // The dragged vertex is forgotten with it: an undo state that still named it would differ
    // from the same state restored (every refresh forgets it), and undo would step in place.
    doc_.editor.mode = modeBeforeDrag_ == kModeDragVertex ? kModePoints : modeBeforeDrag_;
    const int dragged = doc_.editor.draggedVertex;
    doc_.editor.draggedVertex = -1;
    if (doc_.polygon.checkedAt(dragged) != nullptr) {
        doc_.takeSnapshot();
        moveVertex(dragged, snapToGridIfOn(doc_, drawingPoint(e)));
    }
    doc_.repaint();
}

void EditorInput::moveVertex(int index, const Vertex& p) {
    Vertex& v = doc_.polygon.at(index);
    v.x = p.x;
    v.y = p.y;
    rewriteLengthsAfterDrag(doc_, index);
}

// ---- middle and right buttons, wheel, keys -------------------------------------------------------

void EditorInput::middleDown(const PointerEvent& e) {
    // Nothing to pan before anything is entered; panning left switched on there would outlive
    // the start mode.
    if (doc_.editor.mode == kModeStart) return;
    takeViewSize(e);
    modeBeforeMiddle_ = doc_.editor.mode;
    draggingBeforeMiddle_ = doc_.editor.dragging;
    middleHeld_ = true;
    doc_.editor.dragging = true;
    doc_.takeSnapshot();
    remember(e);
}

void EditorInput::middleUp(const PointerEvent& e) {
    if (doc_.editor.mode == kModeStart || !middleHeld_) return;
    takeViewSize(e);
    forgetPress();
    middleHeld_ = false;
    doc_.editor.mode = modeBeforeMiddle_;
    doc_.editor.dragging = draggingBeforeMiddle_;
}

void EditorInput::rightDown(const PointerEvent& e) {
    takeViewSize(e);
    doc_.repaint();
}

void EditorInput::wheel(int delta) {
    if (delta == 0) return;
    zoomBy(doc_, 1.0f - static_cast<float>(delta) / kWheelZoomDivisor);
}

bool EditorInput::escape() {
    // The start screen stays as it is: there is no drawing to pan yet.
    if (doc_.editor.mode == kModeStart) return false;
    if (doc_.editor.rulerPoints.count() >= 2) {
        doc_.editor.rulerPoints.clear();
        doc_.refreshFigures();
        doc_.repaint();
        return true;
    }
    doc_.editor.mode = kModeNoTool;
    doc_.editor.dragging = true;
    window_.setCursorShape(cursor_ = CursorShape::Pan);
    doc_.repaint();
    return true;
}

// ---- mouse move ---------------------------------------------------------------------------------------

void EditorInput::move(const PointerEvent& e) {
    if (doc_.editor.mode == kModeStart) return;
    takeViewSize(e);
    if (photoHandle_ != 0 && doc_.editor.mode != kModeCutting) {
        dragPhoto(e);
        return;
    }
    const Vertex p = drawingPoint(e);
    window_.showCursorPosition(p.x, p.y);

    if (doc_.editor.mode == kModeCutting && showsCanvases(doc_, settings_) && doc_.seamFrom != -1 &&
        doc_.seamTo != -1) {
        const int canvas = canvasUnder(doc_, p);
        if (canvas != doc_.editor.hoverCanvas) {
            doc_.editor.hoverCanvas = canvas;
            doc_.repaint();
            return;
        }
    }
    if (doc_.editor.dragging && buttonHeld()) {
        // In double and clamped: the offset may come from a project file as any int.
        doc_.view.panX = toPixel(static_cast<double>(doc_.view.panX) + lastX_ - e.x);
        doc_.view.panY = toPixel(static_cast<double>(doc_.view.panY) + e.y - lastY_);
        lastX_ = e.x;
        lastY_ = e.y;
        doc_.repaint();
    }
    if (doc_.editor.mode == kModeDragVertex && doc_.polygon.checkedAt(doc_.editor.draggedVertex) != nullptr) {
        moveVertex(doc_.editor.draggedVertex, p);
        doc_.repaint();
    }
    if (doc_.editor.mode == kModeRuler) followRuler(p);
    updateCursor(p);
}

void EditorInput::followRuler(const Vertex& p) {
    TZRulers& ruler = doc_.editor.rulerPoints;
    if (ruler.empty()) ruler.append(makeVertex(p.x, p.y));
    const int last = ruler.count() - 1;
    // With a single point the forgiving accessor gives that point as its own previous one.
    const Vertex previous = ruler.at(last - 1);
    const RulerSnap snap = snapRulerEnd(doc_, previous, p);
    doc_.editor.hoverVertex = snap.vertex;
    doc_.editor.hoverDiagonal = snap.record;
    if (snap.record >= 0) doc_.editor.hoverFoot = makeVertex(snap.point.x, snap.point.y);
    Vertex& end = ruler.at(last);
    end.x = snap.point.x;
    end.y = snap.point.y;
    doc_.repaint();
}

void EditorInput::dragPhoto(const PointerEvent& e) {
    TZPicture* photo = placedShownPhoto(doc_);
    if (photo == nullptr) {
        photoHandle_ = 0;
        return;
    }
    const int aspectWidth = photo->image ? photo->image->width : 0;
    const int aspectHeight = photo->image ? photo->image->height : 0;
    photoRect_ = dragPhotoHandle(photoRect_, photoHandle_, e.x - lastX_, e.y - lastY_, e.shift, aspectWidth,
                                 aspectHeight);
    lastX_ = e.x;
    lastY_ = e.y;
    if (e.shift && isCornerHandle(photoHandle_)) {
        // The corner was corrected to keep the proportions: the cursor goes with it.
        int cornerX = 0, cornerY = 0;
        handleCorner(photoRect_, photoHandle_, cornerX, cornerY);
        const int x = cornerX + grabOffsetX_;
        const int y = cornerY + grabOffsetY_;
        if (x != e.x || y != e.y) {
            lastX_ = x;
            lastY_ = y;
            window_.moveCursor(x, y);
        }
    }
    placePhotoAt(doc_, *photo, photoRect_);
    doc_.repaint();
}

void EditorInput::updateCursor(const Vertex& p) {
    CursorShape shape = CursorShape::Arrow;
    if (doc_.editor.dragging)
        shape = CursorShape::Pan;
    else if (doc_.editor.mode == kModeDragVertex ||
             (doc_.editor.mode == kModePoints && vertexUnder(doc_, p) >= 0))
        shape = CursorShape::OverVertex;
    if (shape == cursor_) return;
    cursor_ = shape;
    window_.setCursorShape(shape);
}

} // namespace tenzora
