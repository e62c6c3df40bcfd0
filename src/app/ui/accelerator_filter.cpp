#include "app/ui/accelerator_filter.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "app/ui/main_frame.h"

namespace tenzora {

namespace {

class AcceleratorFilter : public QObject {
  public:
    explicit AcceleratorFilter(CMainFrame& frame) : QObject(&frame), frame_(frame) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride) return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget == nullptr || widget == &frame_ || widget->window() != &frame_) return false;
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        for (const QAction* action : frame_.actions()) {
            if (!action->isEnabled()) continue;
            for (const QKeySequence& key : action->shortcuts())
                // Not accepted: the control does not claim the key, so the command gets it.
                if (key == pressed) return true;
        }
        return false;
    }

  private:
    CMainFrame& frame_;
};

} // namespace

void installAcceleratorFilter(CMainFrame& frame) {
    QApplication::instance()->installEventFilter(new AcceleratorFilter(frame));
}

} // namespace tenzora
