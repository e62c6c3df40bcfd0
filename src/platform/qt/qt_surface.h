#pragma once
// The drawing surface over a QPainter: the drawing view (a widget or its back buffer), a QImage
// for the picture export, a QPrinter or QPdfWriter page. Coordinates are the painter's (device
// pixels unless the caller set a transform before handing the painter over).
//
// Crispness: shapes and lines are drawn without antialiasing by default, as GDI draws them, so
// one-pixel lines stay one pixel and the drawing's colours stay exact (which also keeps a GIF's
// palette exact); pens of width 0 or 1 are cosmetic, one device pixel on any device. Text is
// antialiased (rotated labels are unreadable otherwise). Both can be changed in Options.

#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPoint>
#include <QString>
#include <memory>
#include <vector>

#include "platform/qt/qt_text_measurer.h"
#include "platform/surface.h"

namespace tenzora {

class QtSurface : public Surface {
  public:
    struct Options {
        bool antialiasShapes = false;
        bool antialiasText = true;
        bool smoothBitmaps = true; // filtered stretching of photos and logos
    };

    // The painter must be active and outlive the surface. With no measurer the surface makes its
    // own; a given one must outlive the surface (sharing one keeps its font cache across paints).
    explicit QtSurface(QPainter& painter, const QtTextMeasurer* measurer = nullptr);
    QtSurface(QPainter& painter, const QtTextMeasurer* measurer, Options options);
    ~QtSurface() override;

    void polyline(std::span<const Point> points) override;
    void polygon(std::span<const Point> points, FillRule rule) override;
    void ellipse(const Rect& box) override;
    void rectangle(const Rect& box) override;
    void fillRect(const Rect& box, Color color) override;
    void textOut(Point reference, std::wstring_view text) override;
    DeviceMetrics metrics() const override { return metrics_; }
    const TextMeasurer& measurer() const override { return *measurer_; }

    // Replaces what the device reports (a printer page's printable area, a preview's A4 page).
    void setMetrics(const DeviceMetrics& metrics) { metrics_ = metrics; }

    static QColor toQColor(Color c) { return QColor(c.r, c.g, c.b); }

  protected:
    void doFillPolygonWithHoles(std::span<const Point> points, std::span<const std::int32_t> ringSizes,
                                FillRule outerRule) override;
    void doDrawBitmap(const Bitmap& bitmap, const Rect& target, BitmapOptions options) override;
    void doPushClipRect(const Rect& box) override;
    void doPushClipRegion(std::span<const Point> points, std::span<const std::int32_t> ringSizes,
                          FillRule outerRule) override;
    void doPopClip() override;

  private:
    static QPen makePen(const Pen& pen);
    void applyPen(const Pen& pen);
    void applyBrush(const Brush& brush);
    void applyBackground();
    const QPoint* toQPoints(std::span<const Point> points);
    QPainterPath areaPath(std::span<const Point> points, std::span<const std::int32_t> rings,
                          FillRule outerRule);
    void applyClips();

    QPainter& painter_;
    std::unique_ptr<QtTextMeasurer> ownMeasurer_;
    const QtTextMeasurer* measurer_;
    Options options_;
    DeviceMetrics metrics_;
    QTransform base_;

    // What the painter holds, to skip setting what has not changed.
    bool penKnown_ = false;
    Pen pen_;
    bool brushKnown_ = false;
    Brush brush_;
    bool fontKnown_ = false;
    Font font_;
    bool backgroundKnown_ = false;
    BackgroundMode backgroundMode_ = BackgroundMode::Opaque;
    Color backgroundColor_;

    struct ClipLevel {
        bool isRect = true;
        QRect rect;
        QPainterPath path;
    };
    std::vector<ClipLevel> clips_;
    bool initialClipping_ = false;
    QPainterPath initialClip_;

    std::vector<std::pair<Pen, QPen>> penCache_;
    std::size_t nextPenSlot_ = 0;
    std::vector<QPoint> points_;
    QString text_;
};

} // namespace tenzora
