// The save dialog tells which entry of its filter the user chose: the export tells the DXF
// drawing from the DXF canvas pieces by it, both ending in ".dxf".

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QTimer>

#include "output/cad_export.h"
#include "platform/qt/widgets_ui_services.h"
#include "qt_app.h"
#include "support/fakes.h"

using namespace tenzora;

TEST(FileDialogFilter, TheChosenEntryIsReportedWithoutItsPatterns) {
    testApplication();
    TempDir dir;
    QtUiServices ui;
    std::wstring chosen;
    FileDialogRequest request;
    request.save = true;
    request.filter =
        L"Рисунки PNG (оптимальный формат для рисунков) (*.png)|*.png|" + cadExportFilter(true) + L"|";
    request.chosenFilter = &chosen;
    const QString target = QString::fromStdString((dir / "cut.dxf").string());
    QString offered;
    // The dialog is modal: it is answered from the event loop it runs.
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        offered = dialog->nameFilters().join(";;");
        for (const QString& f : dialog->nameFilters())
            if (f.startsWith(QString::fromWCharArray(kCanvasDxfFilterText))) dialog->selectNameFilter(f);
        dialog->selectFile(target);
        QMetaObject::invokeMethod(dialog, "accept"); // a protected slot
    });
    const auto path = ui.chooseFile(request);
    ASSERT_TRUE(path.has_value()) << offered.toStdString();
    EXPECT_EQ(QString::fromStdWString(*path), target);
    EXPECT_EQ(chosen, kCanvasDxfFilterText);

    // Without a place to report it nothing is reported.
    request.chosenFilter = nullptr;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(target);
        QMetaObject::invokeMethod(dialog, "accept"); // a protected slot
    });
    EXPECT_TRUE(ui.chooseFile(request).has_value());
}
