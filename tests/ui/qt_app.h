#pragma once
// One QApplication for the window tests (offscreen platform, set by CTest).

#include <QApplication>

inline QApplication& testApplication() {
    static int argc = 1;
    static char name[] = "tenzora-tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}
