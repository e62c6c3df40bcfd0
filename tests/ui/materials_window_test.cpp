// The materials base window as a user meets it: the stock of a receipt and a project, the
// movements, editing and saving the base, opening a movement's project, and a long stock scan
// with its progress window and "Отмена".

#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QtTest/QTest>

#include "business/ui/materials_window.h"
#include "business_frame.h"

using namespace tenzora;

namespace {

// A program directory whose base is the sample base of the business tests.
void sampleMaterials(const std::filesystem::path& dir) {
    std::filesystem::remove(dir / "materials.mat");
    ASSERT_TRUE(sampleBase(dir).save(false));
}

struct MaterialsWindow : BusinessFrame {
    MaterialsWindow() : BusinessFrame(sampleMaterials) {
        app.settings().drawingFolders[0] = codepage::fromPath(drawings.path());
    }
    TempDir drawings;

    CMaterials* open() {
        frame->runCommand(cmd::kMaterials);
        QApplication::processEvents();
        return frame->findChild<CMaterials*>();
    }
    QPushButton* button(CMaterials* w, int id) { return control<QPushButton>(w, id); }
};

} // namespace

TEST(MaterialsWindowTest, AReceiptOfTenThenAProjectOfFourLeaveSix) {
    MaterialsWindow t;
    CMaterials* w = t.open();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->isModal());
    CVirtualGridCtrl* left = t.control<CVirtualGridCtrl>(w, 1173);
    CVirtualGridCtrl* right = t.control<CVirtualGridCtrl>(w, 1174);
    ASSERT_NE(left, nullptr);
    ASSERT_NE(right, nullptr);
    // Group, its materials and the blank row closing it, for both groups.
    ASSERT_EQ(left->model()->rowCount(), 7);
    EXPECT_EQ(cellText(left, 0, 0), "Матовые");
    EXPECT_EQ(cellText(left, 1, 1), "Белый матовый");
    EXPECT_EQ(cellText(left, 1, 2), "0.93");
    EXPECT_EQ(left->model()->headerData(5, Qt::Horizontal).toString(), "Остаток на складе");

    // The receipt controls wait for the first scan.
    QLineEdit* quantity = t.control<QLineEdit>(w, 1568);
    QLineEdit* date = t.control<QLineEdit>(w, 1569);
    EXPECT_FALSE(t.button(w, 5)->isEnabled());
    EXPECT_FALSE(quantity->isEnabled());
    t.button(w, 3)->click();
    EXPECT_TRUE(t.button(w, 5)->isEnabled());
    EXPECT_FALSE(t.button(w, 3)->isEnabled());

    // Without a material chosen the receipt is refused with its message.
    t.button(w, 5)->click();
    EXPECT_TRUE(t.ui.saw(L"Пожалуйста, выберите материал в таблице слева!"));

    ASSERT_TRUE(left->selectCell({1, 1}));
    quantity->setText("10");
    date->setText("01.02.2023");
    t.ui.messages.clear();
    t.button(w, 5)->click();
    EXPECT_TRUE(t.ui.messages.empty())
        << (t.ui.messages.empty() ? "" : QString::fromStdWString(t.ui.messages[0].text).toStdString());
    EXPECT_TRUE(std::filesystem::exists(t.drawings / "Белый матовый-01.02.2023.tz"));
    EXPECT_EQ(cellText(left, 1, 5), "10.00");

    saveProjectUsing(t.drawings.path(), "кухня.tz", t.doc().resources.materialBase[1], 3.5, 0.5);
    // Shown again, the scan button is back; the scan counts the project.
    t.button(w, 2)->click();
    EXPECT_FALSE(w->isVisible());
    ASSERT_EQ(t.open(), w) << "one window for the whole run";
    ASSERT_TRUE(t.button(w, 3)->isEnabled());
    t.button(w, 3)->click();
    EXPECT_EQ(cellText(left, 1, 5), "6.00");
    EXPECT_EQ(cellText(left, 2, 5), "0.00");

    EXPECT_FALSE(left->currentCell().valid()) << "the receipt cleared the choice";
    ASSERT_TRUE(left->selectCell({1, 1}));
    ASSERT_EQ(right->model()->rowCount(), 2);
    EXPECT_EQ(cellText(right, 0, 3), "(пост.) 10.00");
    EXPECT_EQ(cellText(right, 0, 2), "ПОСТУПЛЕНИЕ");
    EXPECT_EQ(cellText(right, 1, 3), "3.50+0.50");
    EXPECT_EQ(cellText(right, 1, 0), "Иванов И. И.");
    keepScreenshot(w, "materials");

    // "Открыть проект": the movement's file in a new instance of the program.
    ASSERT_TRUE(right->selectCell({0, 1}));
    t.button(w, 7)->click();
    ASSERT_EQ(t.launcher.started.size(), 1u);
    EXPECT_EQ(t.launcher.started[0].arguments,
              std::vector<std::wstring>{codepage::fromPath(t.drawings / "кухня.tz")});
}

TEST(MaterialsWindowTest, EditsAreSavedByOkAndDroppedByCancel) {
    MaterialsWindow t;
    CMaterials* w = t.open();
    CVirtualGridCtrl* left = t.control<CVirtualGridCtrl>(w, 1173);
    // A material typed into the blank row closing the first group, with its width.
    typeIntoCell(left, {1, 3}, "Кремовый");
    EXPECT_EQ(left->model()->rowCount(), 8);
    typeIntoCell(left, {4, 3}, "3.2");
    EXPECT_EQ(cellText(left, 3, 4), "3.20");
    t.button(w, 2)->click();
    TZMaterialBase unchanged;
    ASSERT_TRUE(unchanged.load(t.programDir));
    EXPECT_EQ(unchanged.count(), 5) << "Cancel writes nothing";

    w = t.open();
    EXPECT_EQ(left->model()->rowCount(), 7) << "the working list is rebuilt from the base";
    typeIntoCell(left, {1, 3}, "Кремовый");
    typeIntoCell(left, {4, 3}, "3.2");
    QTest::keyClick(w, Qt::Key_Escape);
    EXPECT_FALSE(w->isVisible()) << "Esc closes like Cancel";
    w = t.open();
    typeIntoCell(left, {1, 3}, "Кремовый");
    typeIntoCell(left, {4, 3}, "3.2");
    t.button(w, 1)->click();
    EXPECT_FALSE(w->isVisible());
    TZMaterialBase saved;
    ASSERT_TRUE(saved.load(t.programDir));
    ASSERT_EQ(saved.count(), 6);
    EXPECT_EQ(codepage::fromCp1251(saved[3].name), L"Кремовый");
    EXPECT_EQ(saved[3].groupId, 1);
    EXPECT_DOUBLE_EQ(saved[3].width, 3.2);
    EXPECT_EQ(t.doc().resources.materialBase.count(), 6) << "the document's base is the saved one";
}

TEST(MaterialsWindowTest, ALongScanShowsProgressAndCancelChangesNothing) {
    MaterialsWindow t;
    // 400 projects of the first fabric.
    const auto first =
        saveProjectUsing(t.drawings.path(), "p000.tz", t.doc().resources.materialBase[1], 1.0, 0.0);
    for (int i = 1; i < 400; ++i)
        std::filesystem::copy_file(first, t.drawings / ("p" + std::to_string(1000 + i) + ".tz"));
    CMaterials* w = t.open();
    CVirtualGridCtrl* left = t.control<CVirtualGridCtrl>(w, 1173);

    int seenMaximum = -1;
    QTimer::singleShot(0, w, [&] {
        auto* progress = w->findChild<QProgressDialog*>(QStringLiteral("stockScanProgress"));
        ASSERT_NE(progress, nullptr);
        seenMaximum = progress->maximum();
        progress->show();
        keepScreenshot(progress, "materials-scan-progress");
        progress->cancel();
    });
    EXPECT_FALSE(w->runStockScan());
    EXPECT_EQ(seenMaximum, 400);
    EXPECT_EQ(t.doc().resources.materialBase[1].stock, 0.0);
    EXPECT_EQ(cellText(left, 1, 5), "0.00");
    EXPECT_TRUE(w->form().allMovements().empty());
    EXPECT_TRUE(t.button(w, 3)->isEnabled()) << "the scan can be started again";
    EXPECT_FALSE(t.button(w, 5)->isEnabled());

    // Run to its end, every file counts.
    EXPECT_TRUE(w->runStockScan());
    EXPECT_EQ(cellText(left, 1, 5), "-400.00");
    EXPECT_EQ(w->form().allMovements().size(), 400u);
}

TEST(MaterialsWindowTest, TheWindowKeepsItsPlace) {
    QPoint placed;
    {
        MaterialsWindow t;
        CMaterials* w = t.open();
        w->move(140, 90);
        placed = w->pos();
        w->hide();
        // A second run (the settings file is the test's own, in the program directory's folder).
        auto* again = new CMaterials(t.app, t.frame.get());
        again->show();
        QApplication::processEvents();
        EXPECT_EQ(again->pos(), placed);
    }
}
