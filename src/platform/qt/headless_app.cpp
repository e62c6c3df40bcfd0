#include "platform/qt/headless_app.h"

#include <QGuiApplication>
#include <clocale>
#include <cstdlib>

int runHeadless(int argc, char* argv[], const std::function<int(int, char*[])>& body) {
    // Never ask for a display, whatever the environment offers.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication application(qtArgc, argv);
    // Qt adopts the user's locale; numbers in files and texts are always written with a point.
    std::setlocale(LC_NUMERIC, "C");
    return body(argc, argv);
}

std::string applicationFilePathUtf8() { return QCoreApplication::applicationFilePath().toStdString(); }
