// The cutting and canvas dialogs in the window: the canvases laid out from Ctrl+R with a chosen
// fabric, the offset buttons, the optimiser with its progress and cancel, the remainders, and a
// canvas opened by clicking it; the side panel's figures follow.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>

#include "business/receipt.h"
#include "cutting/ui/canvas_dialog_window.h"
#include "cutting/ui/cutting_dialog_window.h"
#include "editor/view_rules.h"
#include "geometry_windows.h"
#include "model/formatting.h"
#include "model/names.h"
#include "storage/codepage.h"

using namespace tenzora;

namespace {

Material record(std::int32_t id, std::int32_t groupId, bool group, const wchar_t* name, double width = 0) {
    Material m;
    m.id = id;
    m.groupId = groupId;
    m.isGroup = group ? 1 : 0;
    m.setName(codepage::toCp1251(name));
    m.width = width;
    m.tensionCoef = 0.93;
    m.offcutPriceCoef = 1.0;
    return m;
}

struct CuttingFrame : GeometryFrame {
    explicit CuttingFrame(double width = 500) {
        room(width, 300);
        TZMaterialBase& base = doc().resources.materialBase;
        base.clear();
        base.append(record(1, 0, true, L"MSD"));
        base.append(record(2, 1, false, L"Белый мат", 320));
        base.append(record(3, 1, false, L"Белый глянец", 300));
        base.append(record(5, 0, true, L"Pongs"));
        base.append(record(6, 5, false, L"Синий", 250));
        doc().material = base.at(1);
    }
    CRaskroy* dialog() { return windows().cuttingDialog(); }
    QComboBox* combo(int id) { return in<QComboBox>(dialog(), id); }
    void choose(int id, const QString& text) {
        QComboBox* c = combo(id);
        const int index = c->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        c->setCurrentIndex(index);
    }
    void toggleCutting() { QTest::keyClick(view(), Qt::Key_R, Qt::ControlModifier); }
    // Clicks the middle of the strip between seam lines `number` − 1 and `number`.
    void clickCanvas(int number) {
        const TZStaticArray<Vertex>& s = doc().seamLines;
        const int i = 2 * (number - 1);
        const double x = (s.at(i).x + s.at(i + 1).x + s.at(i + 2).x + s.at(i + 3).x) / 4;
        const double y = (s.at(i).y + s.at(i + 1).y + s.at(i + 2).y + s.at(i + 3).y) / 4;
        const ScreenPoint p = worldToScreen(doc(), x, y, isMirroredDisplay(doc(), app.settings()));
        click({p.x, p.y});
    }
};

} // namespace

TEST(CuttingDialogWindow, CtrlRLaysTheCanvasesOutWithTheChosenFabricAndACanvasOpensOnAClick) {
    CuttingFrame w;
    ASSERT_FALSE(w.dialog()->isVisible()) << "created hidden with the window";

    w.toggleCutting();
    EXPECT_EQ(w.doc().editor.mode, kModeCutting);
    ASSERT_TRUE(w.dialog()->isVisible());
    EXPECT_EQ(w.dialog()->windowTitle(), QStringLiteral("Раскрой"));
    EXPECT_EQ(w.combo(1150)->count(), 2);
    EXPECT_EQ(w.combo(1150)->currentText(), QStringLiteral("MSD"));
    EXPECT_EQ(w.combo(1164)->currentText(), QStringLiteral("Белый мат"));
    EXPECT_EQ(in<QLineEdit>(w.dialog(), 1178)->text(), QStringLiteral("320.0"))
        << "the fabric's width is offered";

    // Another type lists its fabrics and takes the first one's width.
    w.choose(1150, QStringLiteral("Pongs"));
    EXPECT_EQ(w.combo(1164)->currentText(), QStringLiteral("Синий"));
    EXPECT_EQ(in<QLineEdit>(w.dialog(), 1178)->text(), QStringLiteral("250.0"));
    w.choose(1150, QStringLiteral("MSD"));
    w.choose(1164, QStringLiteral("Белый глянец"));
    EXPECT_EQ(in<QLineEdit>(w.dialog(), 1178)->text(), QStringLiteral("300.0"));

    // The side AB from the list; "Центр" of the 500 side.
    w.choose(1168, QStringLiteral("A  -  B"));
    EXPECT_EQ(in<QLineEdit>(w.dialog(), 106)->text(), QStringLiteral("AB"));
    EXPECT_FALSE(in<QRadioButton>(w.dialog(), 1372)->isVisible());
    QTest::mouseClick(in<QCheckBox>(w.dialog(), 1304), Qt::LeftButton, {}, QPoint(6, 6));
    ASSERT_TRUE(in<QRadioButton>(w.dialog(), 1372)->isVisible());
    EXPECT_EQ(in<QRadioButton>(w.dialog(), 1368)->text(), QStringLiteral("A"));
    EXPECT_EQ(in<QRadioButton>(w.dialog(), 1376)->text(), QStringLiteral("B"));
    press(w.dialog(), 1372);
    EXPECT_EQ(in<QLineEdit>(w.dialog(), 1308)->text(), QStringLiteral("-250.0"));
    press(w.dialog(), 1376);
    EXPECT_EQ(in<QLineEdit>(w.dialog(), 1308)->text(), QStringLiteral("-500.0"));
    // "Две диагонали" hides the perpendicular switch and its buttons.
    QTest::mouseClick(in<QCheckBox>(w.dialog(), 1548), Qt::LeftButton, {}, QPoint(6, 6));
    EXPECT_FALSE(in<QCheckBox>(w.dialog(), 1304)->isVisible());
    EXPECT_FALSE(in<QRadioButton>(w.dialog(), 1372)->isVisible());
    EXPECT_TRUE(in<QLineEdit>(w.dialog(), 107)->isVisible());
    QTest::mouseClick(in<QCheckBox>(w.dialog(), 1548), Qt::LeftButton, {}, QPoint(6, 6));
    QTest::mouseClick(in<QCheckBox>(w.dialog(), 1304), Qt::LeftButton, {}, QPoint(6, 6));
    fill(w.dialog(), 1308, QStringLiteral("0"));
    // A narrow roll: three canvases across the room.
    fill(w.dialog(), 1178, QStringLiteral("90"));
    in<QLineEdit>(w.dialog(), 1121)->clear();
    screenshotOf(w.dialog(), QStringLiteral("cutting-dialog"));
    press(w.dialog(), 1);

    EXPECT_FALSE(w.dialog()->isVisible());
    EXPECT_EQ(w.doc().tensionY, -1.0) << "an empty \"по Y*\" stores -1";
    EXPECT_EQ(pairName(w.doc().seamFrom, w.doc().seamTo), L"AB");
    EXPECT_EQ(codepage::fromCp1251(w.doc().material.name), L"Белый глянец");
    EXPECT_EQ(w.doc().material.width, 90);
    ASSERT_GT(w.doc().materialQuantity, 0);
    EXPECT_EQ(w.label(1032).toStdWString(), formatNumber(w.doc().materialQuantity, 2));
    EXPECT_EQ(w.label(1034).toStdWString(), formatNumber(w.doc().offcuts, 2));
    EXPECT_NE(w.label(1034), QStringLiteral("0.00"));
    ASSERT_GE(w.doc().seamLines.count(), 8);
    auto* tree = w.control<QTreeWidget>(1110);
    ASSERT_GE(tree->topLevelItemCount(), 3);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("Полотно 1"));
    w.screenshot("cutting-layout");

    // The canvases clicked one after another, until the third one's window shows.
    CPolotno* canvas = w.windows().canvasDialog();
    const int strips = w.doc().seamLines.count() / 2 - 1;
    for (int strip = 1; strip <= strips && canvas->windowTitle() != QStringLiteral("Полотно № 3"); ++strip) {
        w.clickCanvas(strip);
        ASSERT_TRUE(canvas->isVisible()) << strip;
        EXPECT_TRUE(canvas->windowTitle().startsWith(QStringLiteral("Полотно № ")));
    }
    EXPECT_EQ(canvas->windowTitle(), QStringLiteral("Полотно № 3"));
    EXPECT_FALSE(in<QPlainTextEdit>(canvas, 1160)->toPlainText().isEmpty());
    EXPECT_TRUE(in<QPlainTextEdit>(canvas, 1160)->isReadOnly());
    screenshotOf(canvas, QStringLiteral("canvas-dialog"));
    QTest::keyClick(canvas, Qt::Key_Escape);
    EXPECT_FALSE(canvas->isVisible());

    // "Закрыть" lays the canvases out again with the stored material. (The canvas window had the
    // keyboard: the command is run as the toolbar button does.)
    w.frame->runCommand(cmd::kCutting);
    w.frame->runCommand(cmd::kCutting);
    ASSERT_TRUE(w.dialog()->isVisible());
    EXPECT_EQ(in<QLineEdit>(w.dialog(), 106)->text(), QStringLiteral("AB"));
    w.doc().seamLines.clear();
    press(w.dialog(), 2);
    EXPECT_FALSE(w.dialog()->isVisible());
    EXPECT_GE(w.doc().seamLines.count(), 8);
}

TEST(CuttingDialogWindow, TheOptimiserAndTheRemaindersFromTheDialog) {
    CuttingFrame w;
    w.toggleCutting();
    w.choose(1168, QStringLiteral("B  -  C"));
    fill(w.dialog(), 1178, QStringLiteral("200"));
    press(w.dialog(), 1);
    const double alongBC = w.doc().materialQuantity;
    ASSERT_GT(alongBC, 0);

    w.toggleCutting();
    w.toggleCutting();
    fill(w.dialog(), 1178, QStringLiteral("200"));
    press(w.dialog(), 1046);
    EXPECT_FALSE(w.dialog()->isVisible()) << "the search ends with its confirmation";
    EXPECT_LE(w.doc().materialQuantity, alongBC);
    EXPECT_EQ(w.label(1032).toStdWString(), formatNumber(w.doc().materialQuantity, 2));
    EXPECT_EQ(w.doc().seamOffset, 0);

    // A receipt of the glossy fabric in the drawing folder: its entry carries the remainder and
    // is still found when chosen and confirmed.
    TempDir folder;
    w.app.settings().drawingFolders[0] = folder.path().wstring();
    const std::wstring folders[] = {folder.path().wstring()};
    ASSERT_TRUE(recordReceipt(w.ui, folders, w.doc().resources.materialBase.at(2), 25.5, L"01.02.2024"));
    w.toggleCutting();
    w.toggleCutting();
    press(w.dialog(), 1047);
    const QString entry = w.combo(1164)->itemText(1);
    EXPECT_TRUE(entry.startsWith(QStringLiteral("Белый глянец (")) && entry.endsWith(')'))
        << entry.toStdString();
    w.combo(1164)->setCurrentIndex(1);
    screenshotOf(w.dialog(), QStringLiteral("cutting-dialog-remainders"));
    QTest::keyClick(in<QLineEdit>(w.dialog(), 1178), Qt::Key_Return);
    EXPECT_FALSE(w.dialog()->isVisible());
    EXPECT_EQ(codepage::fromCp1251(w.doc().material.name), L"Белый глянец");
}

TEST(CuttingDialogWindow, ALongSearchShowsItsProgressAndCanBeCancelled) {
    CuttingFrame w;
    // A round room of many corners: thousands of candidate pairs.
    std::vector<std::pair<double, double>> ring;
    for (int i = 0; i < 72; ++i)
        ring.emplace_back(300 * std::cos(i * 2 * M_PI / 72), 300 * std::sin(i * 2 * M_PI / 72));
    setOutline(w.doc(), ring);
    w.doc().outlineFormed = true;
    w.toggleCutting();
    ASSERT_TRUE(w.dialog()->isVisible());
    // The progress window at once, as it shows after a moment of a long search.
    w.dialog()->setProgressDelay(0);
    bool seen = false;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* progress = w.dialog()->findChild<QProgressDialog*>(QStringLiteral("optimiserProgress"));
        if (progress == nullptr || !progress->isVisible()) return;
        if (!seen) screenshotOf(progress, QStringLiteral("optimiser-progress"));
        seen = true;
        progress->cancel();
    });
    poll.start();
    const OptimiserResult result = w.dialog()->optimise();
    poll.stop();
    EXPECT_TRUE(seen) << "the progress window shows for a long search";
    EXPECT_TRUE(result.cancelled);
    EXPECT_LT(result.triedPairs.size(), std::size_t(72 * 71));
    EXPECT_FALSE(w.doc().suppressUndo);
}

TEST(CuttingDialogWindow, TheFinerSearchNeedsNoMoreFabricThanTheOptimiser) {
    CuttingFrame w;
    w.toggleCutting();
    fill(w.dialog(), 1178, QStringLiteral("230"));
    press(w.dialog(), 1046);
    const double optimised = w.doc().materialQuantity;
    ASSERT_GT(optimised, 0);

    w.toggleCutting();
    w.toggleCutting();
    fill(w.dialog(), 1178, QStringLiteral("230"));
    auto* fine = w.dialog()->findChild<QCheckBox*>(QStringLiteral("fineSearch"));
    ASSERT_NE(fine, nullptr);
    EXPECT_EQ(fine->text(), QStringLiteral("Искать точнее"));
    fine->setChecked(true);
    screenshotOf(w.dialog(), QStringLiteral("cutting-dialog-fine-search"));
    const int undoCount = w.doc().history.undoCount;
    press(w.dialog(), 1046);
    EXPECT_FALSE(w.dialog()->isVisible()) << "the search ends with its confirmation";
    EXPECT_LE(w.doc().materialQuantity, optimised + 1e-9);
    EXPECT_EQ(w.label(1032).toStdWString(), formatNumber(w.doc().materialQuantity, 2));
    EXPECT_EQ(w.doc().history.undoCount, undoCount + 1);
}
