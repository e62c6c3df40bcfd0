#pragma once
// Helpers of the dialog window tests: screenshots into the build folder, typing any text, and
// acting on a modal dialog once it is open (a modal dialog runs its own event loop).

#include <QApplication>
#include <QKeyEvent>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <functional>

namespace tenzora {

// Dialog positions are remembered in the per-user settings; the tests keep theirs apart.
inline void useTestSettings() {
    QStandardPaths::setTestModeEnabled(true);
}

// A screenshot of a window into build/screenshots/NAME.png.
inline void windowShot(QWidget* window, const char* name) {
    QApplication::processEvents();
    const auto dir = std::filesystem::path(TENZORA_PROGRAM_DIR).parent_path() / "screenshots";
    std::filesystem::create_directories(dir);
    window->grab().save(QString::fromStdString((dir / (std::string(name) + ".png")).string()));
}

// Types text key by key as a keyboard with any layout does.
inline void typeInto(QWidget* target, const QString& text) {
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(target, &release);
    }
}

// Runs `act` on the modal dialog of type T once it is open and `ready` says it may; polls.
template <typename T>
void whenModal(
    std::function<void(T*)> act, std::function<bool(T*)> ready = [](T*) { return true; }) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, act, ready] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible() || !ready(dialog)) return;
        poll->stop();
        poll->deleteLater();
        act(dialog);
    });
    poll->start();
}

} // namespace tenzora
