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
    doc_.viewWidth = e.viewWidth;
    doc_.viewHeight = e.viewHeight;
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
    if (doc_.mode == kModeStart) return;
    // The drag mode lasts from a press to its release; met at a press (read back from a file or
    // an old undo state), it stands for the point tool it came from.
    if (doc_.mode == kModeDragVertex) doc_.mode = kModePoints;
    takeViewSize(e);
    const Vertex p = drawingPoint(e);
    const Vertex snapped = snapToGridIfOn(doc_, p);

    if (doc_.mode != kModeCutting && startPhotoDrag(e)) return;

    if (doc_.mode == kModeCutting && showsCanvases(doc_, settings_) && !doc_.dragging) {
        if (doc_.hoverCanvas != -1) {
            doc_.hoverCanvas = -1;
            doc_.repaint();
        }
        int number = 0;
        const int canvas = canvasUnder(doc_, snapped, &number);
        if (canvas >= 0) window_.openCanvas(number, canvas);
    }

    if (doc_.dragging) {
        doc_.takeSnapshot();
        remember(e);
        return;
    }
    remember(e);

    switch (doc_.mode) {
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
    if (doc_.polygon.count() < 3) doc_.mode = kModePoints;
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
    switch (doc_.pointTool) {
    case 0: {
        const int v = vertexUnder(doc_, p);
        if (v >= 0 && doc_.polygon.defined) {
            doc_.draggedVertex = v;
            modeBeforeDrag_ = doc_.mode;
            doc_.mode = kModeDragVertex;
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
    doc_.mode = kModeDiagonals;
    doc_.rebuildTree();
    doc_.currentDiagonal = doc_.diagonals.empty() ? -1 : 0;
    window_.showRecord(doc_.currentDiagonal);
    markAllAsSides(doc_);
    doc_.refreshFigures();
}

void EditorInput::diagonalsDown(const Vertex& p) {
    doc_.takeSnapshot();
    const int v = vertexUnder(doc_, p);
    if (v >= 0) {
        const Vertex* first = doc_.polygon.checkedAt(doc_.pendingVertex);
        if (first == nullptr) {
            doc_.pendingVertex = v;
        } else if (doc_.pendingVertex != v) {
            // The picked vertex stays picked: further clicks join it to more vertices.
            const int record =
                setDiagonal(doc_, doc_.pendingVertex, v, drawnLength(*first, doc_.polygon.at(v)));
            doc_.rebuildTree();
            doc_.currentDiagonal = record;
            window_.showRecord(record);
        }
    } else if (const int record = recordUnder(doc_, p); record >= 0) {
        if (doc_.diagonalTool == 2) {
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
    if (doc_.rulerPoints.empty()) doc_.rulerPoints.append(makeVertex(p.x, p.y));
    doc_.rulerPoints.append(makeVertex(snapped.x, snapped.y));
    doc_.refreshFigures();
    doc_.repaint();
}

void EditorInput::leftUp(const PointerEvent& e) {
    if (doc_.mode == kModeStart) return;
    takeViewSize(e);
    if (photoHandle_ != 0) {
        photoHandle_ = 0;
        forgetPress();
        return;
    }
    forgetPress();
    if (doc_.mode != kModeDragVertex) return;
    // The drag ends first (even when something forgot the dragged vertex meanwhile): the snapshot
    // below must not keep the drag's mode, or undoing to it would leave the editor dragging
    // nothing, deaf to clicks.
    // The dragged vertex is forgotten with it: an undo state that still named it would differ
    // from the same state restored (every refresh forgets it), and undo would step in place.
    doc_.mode = modeBeforeDrag_ == kModeDragVertex ? kModePoints : modeBeforeDrag_;
    const int dragged = doc_.draggedVertex;
    doc_.draggedVertex = -1;
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
    if (doc_.mode == kModeStart) return;
    takeViewSize(e);
    modeBeforeMiddle_ = doc_.mode;
    draggingBeforeMiddle_ = doc_.dragging;
    middleHeld_ = true;
    doc_.dragging = true;
    doc_.takeSnapshot();
    remember(e);
}

void EditorInput::middleUp(const PointerEvent& e) {
    if (doc_.mode == kModeStart || !middleHeld_) return;
    takeViewSize(e);
    forgetPress();
    middleHeld_ = false;
    doc_.mode = modeBeforeMiddle_;
    doc_.dragging = draggingBeforeMiddle_;
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
    if (doc_.mode == kModeStart) return false;
    if (doc_.rulerPoints.count() >= 2) {
        doc_.rulerPoints.clear();
        doc_.refreshFigures();
        doc_.repaint();
        return true;
    }
    doc_.mode = kModeNoTool;
    doc_.dragging = true;
    window_.setCursorShape(cursor_ = CursorShape::Pan);
    doc_.repaint();
    return true;
}

// ---- mouse move ---------------------------------------------------------------------------------------

void EditorInput::move(const PointerEvent& e) {
    if (doc_.mode == kModeStart) return;
    takeViewSize(e);
    if (photoHandle_ != 0 && doc_.mode != kModeCutting) {
        dragPhoto(e);
        return;
    }
    const Vertex p = drawingPoint(e);
    window_.showCursorPosition(p.x, p.y);

    if (doc_.mode == kModeCutting && showsCanvases(doc_, settings_) && doc_.seamFrom != -1 &&
        doc_.seamTo != -1) {
        const int canvas = canvasUnder(doc_, p);
        if (canvas != doc_.hoverCanvas) {
            doc_.hoverCanvas = canvas;
            doc_.repaint();
            return;
        }
    }
    if (doc_.dragging && buttonHeld()) {
        // In double and clamped: the offset may come from a project file as any int.
        doc_.panX = toPixel(static_cast<double>(doc_.panX) + lastX_ - e.x);
        doc_.panY = toPixel(static_cast<double>(doc_.panY) + e.y - lastY_);
        lastX_ = e.x;
        lastY_ = e.y;
        doc_.repaint();
    }
    if (doc_.mode == kModeDragVertex && doc_.polygon.checkedAt(doc_.draggedVertex) != nullptr) {
        moveVertex(doc_.draggedVertex, p);
        doc_.repaint();
    }
    if (doc_.mode == kModeRuler) followRuler(p);
    updateCursor(p);
}

void EditorInput::followRuler(const Vertex& p) {
    TZRulers& ruler = doc_.rulerPoints;
    if (ruler.empty()) ruler.append(makeVertex(p.x, p.y));
    const int last = ruler.count() - 1;
    // With a single point the forgiving accessor gives that point as its own previous one.
    const Vertex previous = ruler.at(last - 1);
    const RulerSnap snap = snapRulerEnd(doc_, previous, p);
    doc_.hoverVertex = snap.vertex;
    doc_.hoverDiagonal = snap.record;
    if (snap.record >= 0) doc_.hoverFoot = makeVertex(snap.point.x, snap.point.y);
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
    if (doc_.dragging)
        shape = CursorShape::Pan;
    else if (doc_.mode == kModeDragVertex || (doc_.mode == kModePoints && vertexUnder(doc_, p) >= 0))
        shape = CursorShape::OverVertex;
    if (shape == cursor_) return;
    cursor_ = shape;
    window_.setCursorShape(shape);
}

} // namespace tenzora
