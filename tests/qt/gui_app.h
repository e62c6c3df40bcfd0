#pragma once
// The one Qt GUI application object the Qt backend tests need (fonts, images, painting), on the
// offscreen platform. Made on first use unless some other part of the suite already made one.

#include <QCoreApplication>
#include <QGuiApplication>

namespace tenzora {

inline void ensureGuiApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "tenzora-qt-tests";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

} // namespace tenzora
