#include "platform/qt/headless_app.h"

#include <QGuiApplication>
#include <clocale>
#include <cstdio>
#include <cstdlib>

namespace tenzora {

namespace {
// The headless program's standard error carries the program's own messages, one line each; Qt's
// diagnostics (for example about a missing runtime folder) would break that, so they are shown
// only when asked for.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg || qEnvironmentVariableIsSet("TENZORA_QT_DEBUG"))
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}
} // namespace

int runHeadless(int argc, char* argv[], const std::function<int(int, char*[])>& body) {
    qInstallMessageHandler(quietQtMessages);
    // Never ask for a display, whatever the environment offers.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication application(qtArgc, argv);
    // Qt adopts the user's locale; numbers in files and texts are always written with a point.
    std::setlocale(LC_NUMERIC, "C");
    return body(argc, argv);
}

std::string applicationFilePathUtf8() {
    return QCoreApplication::applicationFilePath().toStdString();
}

} // namespace tenzora
