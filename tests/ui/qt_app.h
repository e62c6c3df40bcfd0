#pragma once
// One QApplication for the window tests (offscreen platform, set by CTest).

#include <QApplication>
#include <clocale>

inline QApplication& testApplication() {
    static int argc = 1;
    static char name[] = "tenzora-tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        auto* application = new QApplication(argc, argv);
        std::setlocale(LC_NUMERIC, "C");  // as the programs do
        return application;
    }();
    return *app;
}
