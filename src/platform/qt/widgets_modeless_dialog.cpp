#include "platform/qt/widgets_modeless_dialog.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QShowEvent>

namespace tenzora {

ModelessDialog::ModelessDialog(QString placementKey, QWidget* parent)
    : QDialog(parent), placementKey_(std::move(placementKey)) {
    setModal(false);
    // A dialog box, not a tool window: it has its own caption and stays above the main window.
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

QString ModelessDialog::key() const {
    return QStringLiteral("Dialogs/%1/geometry").arg(placementKey_);
}

void ModelessDialog::present() {
    show();
    raise();
    activateWindow();
}

void ModelessDialog::showEvent(QShowEvent* event) {
    if (!placed_ && !event->spontaneous()) {
        placed_ = true;
        adjustSize();
        QSettings* settings = store();
        const QByteArray saved = settings != nullptr ? settings->value(key()).toByteArray() : QByteArray();
        if (saved.isEmpty() || !restoreGeometry(saved)) {
            const QScreen* screen =
                parentWidget() != nullptr ? parentWidget()->screen() : QGuiApplication::primaryScreen();
            if (screen != nullptr) {
                const QRect area = screen->availableGeometry();
                move(area.center() - QPoint(width() / 2, height() / 2));
            }
        }
    }
    QDialog::showEvent(event);
}

void ModelessDialog::hideEvent(QHideEvent* event) {
    if (!event->spontaneous())
        if (QSettings* settings = store()) settings->setValue(key(), saveGeometry());
    QDialog::hideEvent(event);
}

} // namespace tenzora
