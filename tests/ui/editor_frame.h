#pragma once
// The main window for the editor's window tests, with helpers that press, move and release the
// mouse on the drawing view at drawing positions, as a user would.

#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>
#include <filesystem>
#include <memory>

#include "app/command_ids.h"
#include "app/tenzora_app.h"
#include "app/ui/main_frame.h"
#include "editor/ui/child_view.h"
#include "editor/ui/main_panel.h"
#include "platform/clock.h"
#include "platform/qt/qt_image_codec.h"
#include "platform/qt/qt_launcher.h"
#include "platform/settings_store.h"
#include "qt_app.h"
#include "support/fakes.h"

namespace tenzora {

struct EditorFrame {
    EditorFrame() : app({ui, settings, launcher, clock, images}, TENZORA_PROGRAM_DIR) {
        testApplication();
        std::wstring missing;
        app.loadLogos(missing);
        frame = std::make_unique<CMainFrame>(app);
        frame->resize(1280, 800);
        frame->show();
        app.finishStartup();
        QApplication::processEvents();
    }
    ScriptedUi ui;
    MemorySettingsStore settings;
    QtLauncher launcher;
    FixedClock clock{LocalTime{2024, 3, 5, 10, 0, 0}};
    QtImageCodec images;
    CTenzoraApp app;
    std::unique_ptr<CMainFrame> frame;

    TZCeiling& doc() { return app.document(); }
    CChildView* view() { return frame->view(); }
    TZMainPanel* panel() { return frame->mainPanel(); }
    template <typename W> W* control(int id) { return frame->findChild<W*>(QString::number(id)); }

    // The view pixel of a drawing position.
    QPoint pixel(double x, double y) {
        return {int(doc().view.viewWidth / 2 + x / doc().view.scaleX - doc().view.panX),
                int(doc().view.viewHeight / 2 + y / doc().view.scaleY + doc().view.panY)};
    }
    void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers = {}) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease || type == QEvent::MouseMove
                                          ? Qt::MouseButtons(heldButtons_)
                                          : Qt::MouseButtons(heldButtons_ | button);
        QMouseEvent event(type, QPointF(at), view()->mapToGlobal(QPointF(at)), button, held, modifiers);
        QApplication::sendEvent(view(), &event);
        if (type == QEvent::MouseButtonPress) heldButtons_ |= button;
        if (type == QEvent::MouseButtonRelease) heldButtons_ &= ~button;
    }
    void click(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        mouse(QEvent::MouseMove, at, Qt::NoButton);
        mouse(QEvent::MouseButtonPress, at, button);
        mouse(QEvent::MouseButtonRelease, at, button);
    }
    void clickAt(double x, double y) { click(pixel(x, y)); }
    void drag(QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton, int steps = 8) {
        mouse(QEvent::MouseMove, from, Qt::NoButton);
        mouse(QEvent::MouseButtonPress, from, button);
        for (int i = 1; i <= steps; ++i)
            mouse(QEvent::MouseMove, from + (to - from) * i / steps, Qt::NoButton);
        mouse(QEvent::MouseButtonRelease, to, button);
    }
    void wheel(int delta) {
        const QPointF centre(view()->width() / 2.0, view()->height() / 2.0);
        QWheelEvent event(centre, view()->mapToGlobal(centre), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view(), &event);
    }
    // A screenshot of the whole window into the build folder (next to the program directory).
    void screenshot(const QString& name) {
        QApplication::processEvents();
        const auto dir = std::filesystem::path(TENZORA_PROGRAM_DIR).parent_path() / "screens";
        std::filesystem::create_directories(dir);
        frame->grab().save(QString::fromStdString((dir / (name.toStdString() + ".png")).string()));
    }

  private:
    int heldButtons_ = 0;
};

} // namespace tenzora
