#include "editor/ui/child_view_input.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include "editor/photo_placement.h"
#include "editor/ui/child_view.h"
#include "editor/ui/main_panel.h"
#include "model/ceiling.h"

namespace tenzora {

ChildViewInput::ChildViewInput(CChildView& view, TZCeiling& doc, const AppSettings& settings,
                               ImageCodec& images, TZMainPanel* panel)
    : QObject(&view), view_(view), doc_(doc), images_(images), panel_(panel), input_(doc, settings, *this) {
    setObjectName(QStringLiteral("childViewInput"));
    view.setMouseTracking(true);
    view.setFocusPolicy(Qt::StrongFocus);
    view.setContextMenuPolicy(Qt::PreventContextMenu);
    view.installEventFilter(this);
}

PointerEvent ChildViewInput::pointer(const QMouseEvent& e) const {
    const QPoint at = e.position().toPoint();
    return {at.x(), at.y(), (e.modifiers() & Qt::ShiftModifier) != 0, view_.width(), view_.height()};
}

bool ChildViewInput::mousePressed(const QMouseEvent& e) {
    switch (e.button()) {
    case Qt::LeftButton:
        input_.leftDown(pointer(e));
        return true;
    case Qt::MiddleButton:
        input_.middleDown(pointer(e));
        return true;
    case Qt::RightButton:
        input_.rightDown(pointer(e));
        return true;
    default:
        return false;
    }
}

bool ChildViewInput::mouseReleased(const QMouseEvent& e) {
    switch (e.button()) {
    case Qt::LeftButton:
        input_.leftUp(pointer(e));
        return true;
    case Qt::MiddleButton:
        input_.middleUp(pointer(e));
        return true;
    default:
        return false;
    }
}

bool ChildViewInput::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &view_) return false;
    // Each press, move, wheel turn or key is one change: the side panel and the drawing are told
    // once, after it.
    const ChangeCycle change(doc_);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    // The second press of a quick double click is a click like any other: points entered in
    // quick succession are all entered.
    case QEvent::MouseButtonDblClick:
        view_.setFocus(Qt::MouseFocusReason);
        return mousePressed(static_cast<QMouseEvent&>(*event));
    case QEvent::MouseButtonRelease:
        return mouseReleased(static_cast<QMouseEvent&>(*event));
    case QEvent::MouseMove:
        input_.move(pointer(static_cast<QMouseEvent&>(*event)));
        return true;
    case QEvent::Wheel: {
        auto& wheel = static_cast<QWheelEvent&>(*event);
        input_.wheel(wheel.angleDelta().y());
        return true;
    }
    case QEvent::KeyPress: {
        auto& key = static_cast<QKeyEvent&>(*event);
        return key.key() == Qt::Key_Escape && key.modifiers() == Qt::NoModifier && input_.escape();
    }
    case QEvent::Paint:
        preparePhotoForDisplay(doc_, images_);
        return false;
    default:
        return false;
    }
}

void ChildViewInput::showCursorPosition(double x, double y) {
    if (panel_ != nullptr) panel_->showCursorPosition(x, y);
}

void ChildViewInput::showRecord(int record) {
    if (panel_ != nullptr) panel_->showRecord(record);
}

void ChildViewInput::openCanvas(int number, int reference) {
    if (canvasOpener_) canvasOpener_(number, reference);
}

void ChildViewInput::setCursorShape(CursorShape shape) {
    switch (shape) {
    case CursorShape::Arrow:
        view_.unsetCursor();
        break;
    case CursorShape::OverVertex:
        view_.setCursor(Qt::SizeAllCursor);
        break;
    case CursorShape::Pan:
        view_.setCursor(Qt::OpenHandCursor);
        break;
    }
}

void ChildViewInput::moveCursor(int x, int y) {
    QCursor::setPos(view_.mapToGlobal(QPoint(x, y)));
}

} // namespace tenzora
