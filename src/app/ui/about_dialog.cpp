#include "app/ui/about_dialog.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

#include "app/about.h"
#include "platform/bitmap.h"
#include "platform/qt/qt_text.h"

namespace tenzora {

QImage bitmapImage(const Bitmap& bitmap) {
    if (bitmap.empty() || bitmap.pixels.size() < static_cast<std::size_t>(bitmap.width) * bitmap.height)
        return {};
    QImage image(bitmap.width, bitmap.height, QImage::Format_ARGB32);
    for (int y = 0; y < bitmap.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < bitmap.width; ++x)
            line[x] = bitmap.pixel(x, y);
    }
    return image;
}

TZAbout::TZAbout(const Bitmap& logo, const std::wstring& printTitle, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("253"));
    setWindowTitle(QStringLiteral("О программе Tenzora"));
    setMouseTracking(true);

    const QImage image = bitmapImage(logo);
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("1544"));
    picture->setPixmap(QPixmap::fromImage(image));
    picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* info = new QLabel(toQt(aboutInfoLine()), this);
    info->setObjectName(QStringLiteral("1656"));
    info->setAlignment(Qt::AlignCenter);
    auto* notice = new QLabel(toQt(aboutNotice(printTitle)), this);
    notice->setObjectName(QStringLiteral("1542"));
    notice->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    notice->setWordWrap(true);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TZAbout::accept);

    const QRect screen = QGuiApplication::primaryScreen() != nullptr
                             ? QGuiApplication::primaryScreen()->availableGeometry()
                             : QRect(0, 0, 1024, 768);
    const QSize button = ok->sizeHint();
    const AboutLayout l = aboutLayout(image.width(), image.height(), button.width(), button.height(),
                                      screen.width(), screen.height());
    picture->setGeometry(l.picture.x, l.picture.y, l.picture.width, l.picture.height);
    info->setGeometry(l.info.x, l.info.y, l.info.width, l.info.height);
    notice->setGeometry(l.notice.x, l.notice.y, l.notice.width, l.notice.height);
    ok->setGeometry(l.ok.x, l.ok.y, l.ok.width, l.ok.height);
    setFixedSize(l.window.width, l.window.height);
    move(screen.x() + l.window.x, screen.y() + l.window.y);
    handBottom_ = l.handBottom;
    linkBottom_ = l.linkBottom;
    for (QWidget* child : {static_cast<QWidget*>(info), static_cast<QWidget*>(notice)})
        child->setAttribute(Qt::WA_TransparentForMouseEvents);
    ok->setFocus();
}

void TZAbout::mouseMoveEvent(QMouseEvent* event) {
    setCursor(event->position().y() < handBottom_ ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QDialog::mouseMoveEvent(event);
}

void TZAbout::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && event->position().y() < linkBottom_) {
        QDesktopServices::openUrl(QUrl(toQt(kProgramWebPage)));
        return;
    }
    QDialog::mousePressEvent(event);
}

} // namespace tenzora
