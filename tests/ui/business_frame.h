#pragma once
// The main window over a program directory of its own (a copy of the shipped data, so that the
// windows may write materials.mat and price.dat), for the tests of the business windows, with
// helpers that type into grids and fields as a user would and keep screenshots.

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSettings>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/command_ids.h"
#include "app/tenzora_app.h"
#include "app/ui/main_frame.h"
#include "business/business_support.h"
#include "grid/ui/virtual_grid_ctrl.h"
#include "platform/clock.h"
#include "platform/qt/qt_image_codec.h"
#include "platform/settings_store.h"
#include "qt_app.h"
#include "support/fakes.h"

namespace tenzora {

// Copies the shipped program directory (pictures, materials base, price lists, forms).
inline std::filesystem::path copyProgramDir(const std::filesystem::path& to) {
    for (const char* name : {"logo.bmp", "printlogo.bmp", "materials.mat", "price.dat"})
        std::filesystem::copy_file(std::filesystem::path(TENZORA_PROGRAM_DIR) / name, to / name,
                                   std::filesystem::copy_options::overwrite_existing);
    return to;
}

// A screenshot of a widget into the build folder's "screenshots".
inline void keepScreenshot(QWidget* widget, const QString& name) {
    QApplication::processEvents();
    const auto dir = std::filesystem::path(TENZORA_PROGRAM_DIR).parent_path() / "screenshots";
    std::filesystem::create_directories(dir);
    widget->grab().save(QString::fromStdString((dir / (name.toStdString() + ".png")).string()));
}

// Types text key by key, as a keyboard with any layout would (QTest knows only ASCII keys).
inline void typeKeys(QWidget* target, const QString& text) {
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(target, &release);
    }
}

// Makes the cell current, types the text into its editor and accepts it with Enter.
inline void typeIntoCell(CVirtualGridCtrl* grid, GridCell cell, const QString& text) {
    grid->setFocus();
    ASSERT_TRUE(grid->selectCell(cell)) << cell.column << "," << cell.row;
    typeKeys(grid, text.left(1)); // the first character opens the editor
    QLineEdit* editor = grid->editor();
    ASSERT_NE(editor, nullptr);
    typeKeys(editor, text.mid(1));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(editor, &enter);
    QApplication::processEvents(); // rows the edit appended arrive
}

inline QString cellText(CVirtualGridCtrl* grid, int row, int column) {
    return grid->model()->index(row, column).data().toString();
}

// Runs `inside` once the next modal window is open (a command's dialog.exec()).
inline void whenModalOpens(std::function<void(QWidget*)> inside) {
    QTimer::singleShot(0, [inside] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        inside(modal);
    });
}

struct BusinessFrame {
    explicit BusinessFrame(std::function<void(const std::filesystem::path&)> prepare = {})
        : programDir(copyProgramDir(home.path())), prepared(runPrepare(prepare, programDir)),
          app({ui, settings, launcher, clock, images}, programDir) {
        testApplication();
        // Window positions go to a settings file of the test's own.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString((home / "config").string()));
        std::wstring missing;
        app.loadLogos(missing);
        frame = std::make_unique<CMainFrame>(app);
        frame->resize(1280, 800);
        frame->show();
        app.finishStartup();
        QApplication::processEvents();
    }
    static bool runPrepare(const std::function<void(const std::filesystem::path&)>& prepare,
                           const std::filesystem::path& dir) {
        if (prepare) prepare(dir);
        return true;
    }
    TempDir home;
    std::filesystem::path programDir;
    bool prepared;
    ScriptedUi ui;
    MemorySettingsStore settings;
    RecordingLauncher launcher;
    FixedClock clock{LocalTime{2024, 3, 5, 10, 0, 0}};
    QtImageCodec images;
    CTenzoraApp app;
    std::unique_ptr<CMainFrame> frame;

    TZCeiling& doc() { return app.document(); }
    template <typename W> W* control(QWidget* in, int id) { return in->findChild<W*>(QString::number(id)); }
};

} // namespace tenzora
