#include "app/ui/command_icons.h"

#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace tenzora {

namespace {

// The picture is drawn faded and grey while its command is disabled.
constexpr qreal kDisabledOpacity = 0.5;
constexpr int kProgramIconId = -1;

class PaintedIconEngine : public QIconEngine {
  public:
    explicit PaintedIconEngine(int id) : id_(id) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        // Rendering through an image keeps the disabled variant's grey conversion exact.
        const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap picture = pixmap(rect.size() * dpr, mode, state);
        picture.setDevicePixelRatio(dpr);
        painter->drawPixmap(rect, picture);
    }

    // `size` is in device pixels when Qt asks for a high-resolution pixmap.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            p.setRenderHint(QPainter::TextAntialiasing);
            p.scale(size.width() / qreal(kToolbarIconSize), size.height() / qreal(kToolbarIconSize));
            paintCommandPicture(p, id_);
        }
        if (mode == QIcon::Disabled) image = disabled(image);
        return QPixmap::fromImage(std::move(image));
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine* clone() const override { return new PaintedIconEngine(id_); }
    QString key() const override { return QStringLiteral("tenzora-painted"); }

  private:
    static QImage disabled(const QImage& source) {
        QImage grey = source.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < grey.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
            for (int x = 0; x < grey.width(); ++x) {
                const QRgb c = line[x];
                const int g = qGray(c);
                line[x] = qRgba(g, g, g, int(qAlpha(c) * kDisabledOpacity));
            }
        }
        return grey;
    }

    int id_;
};

} // namespace

QIcon commandIcon(int commandId) {
    if (!hasCommandIcon(commandId)) return {};
    return QIcon(new PaintedIconEngine(commandId));
}

QIcon programIcon() {
    return QIcon(new PaintedIconEngine(kProgramIconId));
}

bool hasCommandIcon(int commandId) {
    QImage probe(1, 1, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&probe);
    return paintCommandPicture(p, commandId);
}

} // namespace tenzora
