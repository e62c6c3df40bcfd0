// The window program: start-up in the order the program has always followed — the application
// object and its document, the settings, the main window with its logos, the project named on
// the command line, then the message loop.

#include <QApplication>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTranslator>

#include <clocale>

#include "app/tenzora_app.h"
#include "app/ui/main_frame.h"
#include "app/ui/main_frame_geometry.h"
#include "app/ui/qt_translations.h"
#include "platform/clock.h"
#include "platform/qt/qt_image_codec.h"
#include "platform/qt/qt_launcher.h"
#include "platform/qt/qt_settings_store.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/widgets_ui_services.h"
#include "storage/codepage.h"

namespace tenzora {} // namespace tenzora

using namespace tenzora;

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // Qt adopts the user's locale; numbers in files and texts are always written with a point.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setOrganizationName("Tenzora");
    QApplication::setApplicationName("tenzora");
    // Qt's own texts (file dialogs, the buttons of questions) in Russian like every other text
    // of the program.
    QTranslator qtTexts;
    installQtTranslations(qtTexts);

    QtUiServices ui;
    QtSettingsStore settings;
    QtLauncher launcher;
    SystemClock clock;
    QtImageCodec images;
    // An installed program reads its files from PREFIX/share/tenzora and writes the user's into
    // ~/.local/share/tenzora (or the firm's shared folder of the settings); see program_home.h.
    const auto programDir =
        resolveProgramDirectory(std::nullopt, codepage::toPath(fromQt(QApplication::applicationFilePath())),
                                ProgramEnvironment::fromProcess(), settings);
    CTenzoraApp app({ui, settings, launcher, clock, images}, programDir);
    app.readSettings();
    // A new user's first start: a drawing folder "Tenzora" in the documents folder, with the
    // examples beside it. Qt finds the documents folder as the desktop names it
    // (XDG_DOCUMENTS_DIR of user-dirs.dirs, else ~/Documents). The headless program leaves the
    // user's folders alone: it works only on what it is given.
    if (setUpFirstDrawingFolder(
            app.settings(), settings,
            codepage::toPath(fromQt(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))),
            app.programDirectory()))
        settings.flush();

    CMainFrame frame(app);
    ui.setOwner(&frame);
    // The window's size and toolbar layout of the last run (same per-user store as the settings).
    QSettings layout;
    frame.restoreLayout(layout);
    frame.setLayoutSettings(&layout);
    std::wstring missing;
    if (!app.loadLogos(missing)) {
        // Without its pictures the window cannot be built; say which file is missing.
        QMessageBox::critical(
            nullptr, QStringLiteral("Tenzora"),
            QStringLiteral("Не удалось загрузить рисунок %1. Программа не может быть запущена.")
                .arg(toQt(missing)));
        return 1;
    }
    frame.showMaximized();
    // The window takes its real size before a project is opened into it.
    QApplication::processEvents();

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    openStartupProject(frame, app, fromQt(arguments.join(' ')));
    app.finishStartup();
    frame.repaint();
    const int exitCode = QApplication::exec();
    // The dialogs remember their places while they are destroyed with the window; the store
    // goes before it.
    frame.setLayoutSettings(nullptr);
    return exitCode;
}
