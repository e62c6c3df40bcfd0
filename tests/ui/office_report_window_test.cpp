// "Отчет в Word или Excel" in the window, all the way: the shipped templates are offered, the
// chosen one is filled by the real headless LibreOffice through the office helper, and the
// finished report is handed to the desktop's program.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <QtTest/QTest>

#include <cstdlib>
#include <fstream>

#include "app/command_ids.h"
#include "app/tenzora_app.h"
#include "app/ui/main_frame.h"
#include "platform/clock.h"
#include "platform/qt/qt_image_codec.h"
#include "platform/qt/qt_launcher.h"
#include "platform/settings_store.h"
#include "qt_app.h"
#include "storage/codepage.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

// The real launcher, except that the desktop's program is not started for the finished report.
class DesktoplessLauncher : public QtLauncher {
  public:
    bool openDocument(const std::wstring& path) override {
        opened.push_back(path);
        return true;
    }
    std::vector<std::wstring> opened;
};

// TMPDIR pointed at a folder for the test, and put back as it was (also when the test fails).
struct TemporaryFolderOverride {
    explicit TemporaryFolderOverride(const std::filesystem::path& folder)
        : had(qEnvironmentVariableIsSet("TMPDIR")), saved(qgetenv("TMPDIR")) {
        qputenv("TMPDIR", QByteArray::fromStdString(folder.string()));
    }
    ~TemporaryFolderOverride() {
        if (had)
            qputenv("TMPDIR", saved);
        else
            qunsetenv("TMPDIR");
    }
    bool had;
    QByteArray saved;
};

} // namespace

TEST(OfficeReportWindow, TheChosenTemplateIsFilledByLibreOfficeAndOpened) {
    TempDir temp;
    const TemporaryFolderOverride temporaryFolder(temp.path());
    ScriptedUi ui;
    MemorySettingsStore settings;
    DesktoplessLauncher launcher;
    FixedClock clock{LocalTime{2024, 3, 5, 10, 0, 0}};
    QtImageCodec images;
    testApplication();
    CTenzoraApp app({ui, settings, launcher, clock, images}, TENZORA_PROGRAM_DIR);
    std::wstring missing;
    app.loadLogos(missing);
    CMainFrame frame(app);
    frame.resize(1280, 800);
    frame.show();
    ASSERT_TRUE(
        app.document().openFile(codepage::fromUtf8(TENZORA_SOURCE_DIR "/data/examples/l-shaped-hall.tz")));

    QStringList offered;
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [&, poll] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) return;
        poll->stop();
        poll->deleteLater();
        for (QAction* a : menu->actions())
            offered << a->text();
        menu->setActiveAction(menu->actions().value(offered.indexOf("Смета клиента.docx")));
        QTest::keyClick(menu, Qt::Key_Return);
    });
    poll->start();
    frame.findChild<QAction*>(QStringLiteral("cmd%1").arg(cmd::kReport))->trigger();
    QApplication::processEvents();
    EXPECT_EQ(offered, (QStringList{"Заказ в цех.ods", "Заказ в цех.odt", "Смета клиента.docx",
                                    "Смета клиента.xlsx"}));

    for (int i = 0; i < 2400 && launcher.opened.empty() && ui.messages.empty(); ++i)
        QTest::qWait(50);
    ASSERT_TRUE(ui.messages.empty()) << codepage::toUtf8(ui.messages.front().text);
    ASSERT_EQ(launcher.opened.size(), 1u);
    const std::filesystem::path report = codepage::toPath(launcher.opened[0]);
    EXPECT_EQ(report, temp / "Прихожая - Смета клиента.docx");
    // A real Word file, with the client's name where the template had its keyword.
    const std::string bytes = [&] {
        std::ifstream in(report, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }();
    EXPECT_EQ(bytes.rfind("PK", 0), 0u);
    const std::string text = "/usr/bin/python3 -c \"import sys, zipfile; "
                             "sys.exit(0 if 'Петрова Мария Сергеевна' in zipfile.ZipFile(sys.argv[1])"
                             ".read('word/document.xml').decode() else 1)\" '" +
                             report.string() + "'";
    EXPECT_EQ(std::system(text.c_str()), 0);
}
