#include "editor/ui/panel_button.h"

#include <QPainter>

namespace tenzora {

PanelButton::PanelButton(const QString& text, int controlId, QWidget* parent) : QPushButton(text, parent) {
    setObjectName(QString::number(controlId));
    setFocusPolicy(Qt::StrongFocus);
}

void PanelButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect r = rect();
    painter.fillRect(r, faceColour());
    const bool sunken = isDown();
    const QColor topLeft = sunken ? darkEdgeColour() : lightEdgeColour();
    const QColor bottomRight = sunken ? lightEdgeColour() : darkEdgeColour();
    painter.setPen(topLeft);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(r.topRight(), r.bottomRight());
    painter.drawLine(r.bottomLeft(), r.bottomRight());

    painter.setFont(font());
    painter.setPen(isEnabled() ? palette().color(QPalette::ButtonText) : darkEdgeColour());
    const int shift = sunken ? 1 : 0;
    const QRect caption = r.adjusted(shift, kCaptionTop + shift, shift, shift);
    painter.drawText(caption, Qt::AlignHCenter | Qt::AlignTop, text());
    if (hasFocus()) {
        // Keyboard users see where the focus is.
        QPen dotted(darkEdgeColour(), 1, Qt::DotLine);
        painter.setPen(dotted);
        painter.drawRect(r.adjusted(2, 2, -3, -3));
    }
}

} // namespace tenzora
