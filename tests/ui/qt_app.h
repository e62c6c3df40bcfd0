#pragma once
// One QApplication for the window tests (offscreen platform, set by CTest).

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <clocale>

namespace tenzora {

// The settings the windows write (dialog positions, the program's values) go to a folder of this
// test process: never the user's, and never another test's (CTest runs them side by side, and one
// test's window hidden at the wrong moment would move another's). Removed at exit.
inline void useProcessSettings() {
    static const struct ProcessSettings {
        QString folder =
            QDir::tempPath() + "/tenzora-ui-settings-" + QString::number(QCoreApplication::applicationPid());
        ProcessSettings() {
            QStandardPaths::setTestModeEnabled(true);
            QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
            QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
        }
        ~ProcessSettings() { QDir(folder).removeRecursively(); }
    } settings;
}

inline QApplication& testApplication() {
    static int argc = 1;
    static char name[] = "tenzora-tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        useProcessSettings();
        auto* application = new QApplication(argc, argv);
        std::setlocale(LC_NUMERIC, "C"); // as the programs do
        return application;
    }();
    return *app;
}

} // namespace tenzora
