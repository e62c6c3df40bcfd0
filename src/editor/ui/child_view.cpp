#include "editor/ui/child_view.h"

#include <QPainter>

#include "model/ceiling.h"
#include "platform/qt/qt_image_codec.h"

CChildView::CChildView(TZCeiling& doc, QWidget* parent) : QWidget(parent), doc_(doc) {
    setObjectName("childView");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void CChildView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    doc_.viewWidth = width();
    doc_.viewHeight = height();
}

void CChildView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (doc_.mode == kModeStart) {
        // The empty view shows only the logo, unscaled and centred, once start-up has finished.
        if (doc_.showLogo && !doc_.logo.empty()) {
            const QImage logo = QtImageCodec::toImage(doc_.logo);
            painter.drawImage((doc_.viewWidth - logo.width()) / 2, (doc_.viewHeight - logo.height()) / 2, logo);
        }
        return;
    }
}
