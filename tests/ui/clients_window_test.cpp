// The client list window: the scan of the drawing folders with its progress and "Отмена" (a
// cancelled scan leaves the list as it was), the grids, choose mode, "Открыть потолок" and
// "В Excel".

#include <gtest/gtest.h>

#include <QProgressDialog>
#include <QPushButton>
#include <QtTest/QTest>

#include "business/business_support.h"
#include "business/ui/clients_dialog.h"
#include "grid/ui/virtual_grid_ctrl.h"
#include "qt_app.h"
#include "storage/file_io.h"
#include "window_helpers.h"

using namespace tenzora;

namespace {

struct ClientsWindow {
    ClientsWindow() {
        testApplication();
        useTestSettings();
        folders[0] = codepage::fromPath(drawings.path());
    }
    void saveProject(const std::string& file, const std::wstring& client, const std::wstring& name) {
        TestDocument t(false, TENZORA_PROGRAM_DIR);
        t->client = client;
        t->orderName = name;
        t->orderNumber = L"7";
        t->orderDate = L"01.02.2024";
        ASSERT_TRUE(tenzora::saveProject(*t, codepage::fromPath(drawings / file)));
    }
    TempDir drawings;
    std::array<std::wstring, 10> folders;
    ScriptedUi ui;
    RecordingLauncher launcher;
};

} // namespace

TEST(ClientsWindow, GridsChooseModeOpenAndExcel) {
    ClientsWindow w;
    w.saveProject("1.tz", L"Иванов", L"Кухня");
    w.saveProject("2.tz", L"Петров\u00AC\u00AC\u00AC\u00AC\u00AC+7 495", L"Зал");
    w.saveProject("3.tz", L"Иванов", L"Детская");
    TZClients dialog(w.ui, w.launcher, w.folders, /*chooseMode=*/true);
    dialog.show();
    ASSERT_TRUE(dialog.refresh());
    auto* clients = dialog.findChild<CVirtualGridCtrl*>("1622");
    auto* projects = dialog.findChild<CVirtualGridCtrl*>("1614");
    ASSERT_EQ(clients->rowCount(), 2);
    EXPECT_EQ(clients->columns().count(), 8);
    EXPECT_EQ(clients->columns()[7].caption(), L"Сумма");
    EXPECT_EQ(projects->columns()[2].caption(), L"Договор");
    EXPECT_EQ(projects->rowCount(), 0);
    EXPECT_EQ(clients->model()->index(1, 1).data().toString(), QStringLiteral("+7 495"));
    EXPECT_EQ(clients->model()->index(0, 6).data().toString(), QStringLiteral("2"));

    // Choosing a client's row shows its projects; the keyboard moves between the rows.
    clients->setFocus();
    ASSERT_TRUE(clients->selectCell({0, 0}));
    ASSERT_EQ(projects->rowCount(), 2);
    EXPECT_EQ(projects->model()->index(1, 0).data().toString(), QStringLiteral("Детская"));
    QTest::keyClick(clients, Qt::Key_Down);
    EXPECT_EQ(dialog.chosen().name, L"Петров");
    EXPECT_EQ(projects->rowCount(), 1);
    windowShot(&dialog, "clients-257");

    // "Открыть потолок": the project of the current row in a new instance of the program.
    ASSERT_TRUE(projects->selectCell({0, 0}));
    dialog.findChild<QPushButton*>("5")->click();
    ASSERT_EQ(w.launcher.started.size(), 1u);
    EXPECT_EQ(w.launcher.started[0].arguments,
              std::vector<std::wstring>{codepage::fromPath(w.drawings / "2.tz")});

    // "В Excel": the list as a table in the file the user names.
    TempDir out;
    w.ui.files = {codepage::fromPath(out / "clients.csv")};
    dialog.findChild<QPushButton*>("4")->click();
    std::string csv;
    ASSERT_EQ(readWholeFile(out / "clients.csv", 1 << 20, csv), ReadStatus::Ok);
    EXPECT_NE(csv.find(codepage::toCp1251(L"Петров")), std::string::npos);

    // "Выбрать" (Enter) closes the dialog with the client chosen.
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.chosen().phone, L"+7 495");
}

TEST(ClientsWindow, ALongScanShowsProgressAndACancelledOneChangesNothing) {
    ClientsWindow w;
    w.saveProject("0000.tz", L"Иванов", L"Кухня");
    TZClients dialog(w.ui, w.launcher, w.folders, /*chooseMode=*/false);
    dialog.show();
    ASSERT_TRUE(dialog.refresh());
    ASSERT_EQ(dialog.form().clientCount(), 1);
    EXPECT_FALSE(dialog.findChild<QPushButton*>("1")->isEnabled());

    // Many more projects of other clients: copies of one file under other names.
    TestDocument t(false, TENZORA_PROGRAM_DIR);
    t->client = L"Сидоров";
    ASSERT_TRUE(saveProject(*t, codepage::fromPath(w.drawings / "model.tz")));
    constexpr int kCopies = 600;
    for (int i = 1; i < kCopies; ++i)
        std::filesystem::copy_file(w.drawings / "model.tz", w.drawings / ("p" + std::to_string(i) + ".tz"));

    // "Отмена" pressed while the files are read: the list stays what it was.
    int maximum = -1;
    QTimer::singleShot(0, &dialog, [&] {
        ASSERT_NE(dialog.scanProgress(), nullptr);
        maximum = dialog.scanProgress()->maximum();
        dialog.scanProgress()->show();
        windowShot(dialog.scanProgress(), "clients-257-progress");
        dialog.scanProgress()->cancel();
    });
    QTest::mouseClick(dialog.findChild<QPushButton*>("3"), Qt::LeftButton);
    EXPECT_EQ(maximum, kCopies + 1);
    EXPECT_EQ(dialog.form().clientCount(), 1);
    EXPECT_EQ(dialog.findChild<CVirtualGridCtrl*>("1622")->rowCount(), 1);

    // Uncancelled, the scan reads them all.
    ASSERT_TRUE(dialog.refresh());
    ASSERT_EQ(dialog.form().clientCount(), 2);
    EXPECT_EQ(dialog.form().result().clients[1].orderCount, kCopies);
}

TEST(ClientsWindow, WithoutDrawingFoldersTheListIsEmptyAndEscCloses) {
    ClientsWindow w;
    w.saveProject("1.tz", L"Иванов", L"Кухня");
    TZClients dialog(w.ui, w.launcher, std::array<std::wstring, 10>{}, /*chooseMode=*/false);
    dialog.show();
    ASSERT_TRUE(dialog.refresh());
    EXPECT_EQ(dialog.findChild<CVirtualGridCtrl*>("1622")->rowCount(), 0);
    // Nothing chosen: "Открыть потолок" starts nothing.
    dialog.findChild<QPushButton*>("5")->click();
    EXPECT_TRUE(w.launcher.started.empty());
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}
