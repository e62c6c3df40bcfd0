#include "editor/ui/extended_edit.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

#include "model/names.h"
#include "platform/qt/qt_text.h"

namespace tenzora {

TZExtendedEdit::TZExtendedEdit(int controlId, QWidget* parent) : QLineEdit(parent), controlId_(controlId) {
    setObjectName(QString::number(controlId));
    connect(this, &QLineEdit::textEdited, this, &TZExtendedEdit::applyNameKeys);
}

void TZExtendedEdit::applyNameKeys(const QString& text) {
    const QString keyed = toQt(tenzora::applyNameKeys(fromQt(text)));
    if (keyed != text) {
        setText(keyed);
        setCursorPosition(int(keyed.size()));
    }
    emit edited();
    if (changed_) changed_();
}

void TZExtendedEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // After the click that brought the focus has placed the caret.
    QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

void TZExtendedEdit::mousePressEvent(QMouseEvent* event) {
    // The middle button selects everything (instead of pasting the selection, as X11 would).
    if (event->button() == Qt::MiddleButton) {
        setFocus(Qt::MouseFocusReason);
        selectAll();
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void TZExtendedEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Ctrl+Enter belongs to the main window ("Поиск решения").
        if (event->modifiers() & Qt::ControlModifier) {
            event->ignore();
            return;
        }
        emit enterPressed();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace tenzora
