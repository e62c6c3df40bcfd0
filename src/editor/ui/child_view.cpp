#include "editor/ui/child_view.h"

#include <QPainter>

#include "editor/painting.h"
#include "model/ceiling.h"
#include "platform/qt/qt_surface.h"

namespace tenzora {

CChildView::CChildView(TZCeiling& doc, QWidget* parent)
    : QWidget(parent), doc_(doc), cache_(std::make_unique<DrawingCache>()) {
    setObjectName("childView");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

CChildView::~CChildView() = default;

void CChildView::setPaintServices(const AppSettings& settings, ImageCodec* photos) {
    settings_ = &settings;
    photos_ = photos;
}

void CChildView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    doc_.view.viewWidth = width();
    doc_.view.viewHeight = height();
}

// Double-buffered: the whole drawing is painted into a back buffer of the view's size, which is
// then copied to the window in one block, so a repaint on every mouse move does not flicker. On
// a high-resolution screen the buffer has the screen's pixels, so that texts stay sharp; the
// drawing is laid out in the view's own pixels all the same.
void CChildView::paintEvent(QPaintEvent*) {
    if (width() <= 0 || height() <= 0) return;
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    if (backBuffer_.size() != pixels || backBuffer_.devicePixelRatio() != ratio) {
        backBuffer_ = QImage(pixels, QImage::Format_RGB32);
        backBuffer_.setDevicePixelRatio(ratio);
    }
    {
        QPainter buffer(&backBuffer_);
        QtSurface surface(buffer, &measurer_);
        surface.setMetrics(deviceMetricsFor(width(), height(), logicalDpiX()));
        prepareScreenPaint(doc_, surface, *settings_, *cache_);
        paintDrawing(surface, doc_, *settings_, PaintRequest{}, *cache_, photos_);
    }
    QPainter window(this);
    window.drawImage(0, 0, backBuffer_);
}

} // namespace tenzora
