#include "platform/qt/widgets_remembered_position.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace tenzora {

namespace {

class PositionMemory : public QObject {
  public:
    PositionMemory(QWidget* dialog, const QString& key)
        : QObject(dialog), dialog_(dialog), key_(QStringLiteral("Dialogs/") + key) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == dialog_) {
            if (event->type() == QEvent::Show && !placed_) place();
            if (event->type() == QEvent::Hide && placed_) QSettings().setValue(key_, dialog_->pos());
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    void place() {
        placed_ = true;
        const QVariant kept = QSettings().value(key_);
        if (kept.isValid()) {
            const QPoint pos = kept.toPoint();
            // A position on a screen that is no longer there would hide the dialog.
            for (const QScreen* screen : QGuiApplication::screens()) {
                if (screen->availableGeometry().contains(QRect(pos, QSize(40, 40)))) {
                    dialog_->move(pos);
                    return;
                }
            }
        }
        const QWidget* parent =
            dialog_->parentWidget() != nullptr ? dialog_->parentWidget()->window() : nullptr;
        const QRect over =
            parent != nullptr && parent->isVisible()
                ? parent->frameGeometry()
                : (dialog_->screen() != nullptr ? dialog_->screen()->availableGeometry() : QRect());
        if (over.isValid()) {
            const QSize size = dialog_->sizeHint().expandedTo(dialog_->size());
            dialog_->move(over.center() - QPoint(size.width() / 2, size.height() / 2));
        }
    }

    QWidget* dialog_;
    QString key_;
    bool placed_ = false;
};

} // namespace

void rememberPosition(QWidget* dialog, const QString& key) {
    dialog->installEventFilter(new PositionMemory(dialog, key));
}

} // namespace tenzora
