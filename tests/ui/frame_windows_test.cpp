// What the core asks of the main window has a window behind it; the switches of a new window;
// the program's keys whichever control has the focus; undo and the side panel; a project opened
// at start-up; Qt's own texts in Russian.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QTranslator>
#include <QTreeWidget>
#include <type_traits>

#include "app/ui/qt_translations.h"
#include "business/project_file.h"
#include "cutting/ui/cutting_dialog_window.h"
#include "editor/ui/extended_edit.h"
#include "editor/view_fit.h"
#include "geometry_windows.h"
#include "model/formatting.h"
#include "model/measurements.h"
#include "model/records.h"

using namespace tenzora;

static_assert(!std::is_abstract_v<CMainFrame>, "the main window implements every view the document asks for");

TEST(FrameWindows, EveryViewTheDocumentAsksForIsAWindow) {
    GeometryFrame w;
    w.room();
    DocumentViews& views = *w.doc().views();
    ASSERT_EQ(&views, static_cast<DocumentViews*>(w.frame.get()));

    // The cutting dialog: asked for by the cutting mode, shown by the window.
    ASSERT_FALSE(w.windows().cuttingDialog()->isVisible());
    views.showCuttingDialog();
    EXPECT_TRUE(w.windows().cuttingDialog()->isVisible());
    w.windows().cuttingDialog()->hide();

    // The figures and the tree of the side panel.
    setOutline(w.doc(), {{0, 0}, {500, 0}, {500, 300}, {0, 300}});
    views.refreshFigures();
    EXPECT_EQ(w.label(1026), QStringLiteral("15.00"));
    views.rebuildTree();
    EXPECT_EQ(w.control<QTreeWidget>(1110)->topLevelItemCount(), 4);
    views.setTitle(L"Tenzora 1.0 ::: Кухня");
    EXPECT_EQ(w.frame->windowTitle(), QStringLiteral("Tenzora 1.0 ::: Кухня"));
    int width = 0, height = 0;
    views.clientSize(width, height);
    EXPECT_EQ(width, w.view()->width());
    EXPECT_EQ(height, w.view()->height());

    // The side panel's selected row, asked for by the triangle commands.
    auto* tree = w.control<QTreeWidget>(1110);
    tree->setCurrentItem(tree->topLevelItem(1));
    const CommandHost& host = *w.frame;
    ASSERT_TRUE(host.selectedTreeRow().has_value());
    EXPECT_EQ(*host.selectedTreeRow(), tree->topLevelItem(1)->text(0).toStdWString());
}

TEST(FrameWindows, ANewWindowShowsGridNamesLengthsAndConstructions) {
    GeometryFrame w;
    EXPECT_TRUE(w.doc().view.showGrid);
    EXPECT_TRUE(w.doc().view.showPointNames);
    EXPECT_TRUE(w.doc().view.showLengths);
    EXPECT_TRUE(w.doc().showConstructions);
    EXPECT_FALSE(w.doc().view.snapToGrid);
    EXPECT_FALSE(w.doc().view.showAngles);
    EXPECT_FALSE(w.doc().view.showCanvasDistances);
    for (int id : {cmd::kShowGrid, cmd::kShowPoints, cmd::kShowLengths, cmd::kShowConstructions})
        EXPECT_TRUE(w.frame->action(id)->isChecked()) << id;
    // Nothing of the geometry's commands is left without its window.
    for (int id : {cmd::kCornerCut, cmd::kArc, cmd::kCutRectangle, cmd::kCutTrapezoid, cmd::kBend,
                   cmd::kInnerCutout, cmd::kCutting})
        EXPECT_TRUE(w.frame->action(id)->isEnabled()) << id;
}

TEST(FrameWindows, TheProgramsKeysActOnTheProjectFromTheSidePanelsFields) {
    GeometryFrame w;
    w.frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.frame.get()));
    w.room();
    TZExtendedEdit* name = w.panel()->nameField();
    TZExtendedEdit* length = w.panel()->lengthField();
    name->setFocus();
    name->selectAll();
    typeText(name, QStringLiteral("AB"));
    QTest::keyClick(name, Qt::Key_Return);
    length->selectAll();
    typeText(length, QStringLiteral("450"));
    QTest::keyClick(length, Qt::Key_Return);
    const int ab = findDiagonal(w.doc(), 0, 1);
    ASSERT_EQ(w.doc().diagonals.at(ab).length, 450);

    // Ctrl+Z in the length field undoes the length, not the field's typing.
    length->setFocus();
    typeText(length, QStringLiteral("77"));
    QTest::keyClick(length, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(w.doc().diagonals.at(ab).length, 400);
    // The side panel shows the project as it is again: the side's row and the fields.
    auto* tree = w.control<QTreeWidget>(1110);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("AB (400.0)"));
    name->setFocus();
    name->selectAll();
    typeText(name, QStringLiteral("AB"));
    EXPECT_EQ(length->text(), QStringLiteral("400.0"));

    // Ctrl+A in the name field redoes it instead of selecting the field's text.
    QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(w.doc().diagonals.at(ab).length, 450);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("AB (450.0)"));
    // Ctrl+R from a field of the panel enters the cutting mode.
    QTest::keyClick(length, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(w.doc().editor.mode, kModeCutting);
    // Copying stays the field's: it is no command of the program.
    length->selectAll();
    QTest::keyClick(length, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(w.doc().editor.mode, kModeCutting);
}

TEST(FrameWindows, UndoAndRedoFromTheToolbarRebuildTheSidePanel) {
    GeometryFrame w;
    w.room();
    w.panel()->showRecord(findDiagonal(w.doc(), 1, 2));
    TZExtendedEdit* length = w.panel()->lengthField();
    length->selectAll();
    typeText(length, QStringLiteral("350"));
    QTest::keyClick(length, Qt::Key_Return);
    auto* tree = w.control<QTreeWidget>(1110);
    ASSERT_EQ(tree->topLevelItem(1)->text(0), QStringLiteral("BC (350.0)"));
    w.panel()->showRecord(findDiagonal(w.doc(), 1, 2));
    ASSERT_EQ(length->text(), QStringLiteral("350.0"));

    w.frame->action(cmd::kUndo)->trigger();
    EXPECT_EQ(tree->topLevelItem(1)->text(0), QStringLiteral("BC (300.0)"));
    EXPECT_EQ(length->text(), QStringLiteral("300.0")) << "the field shows the side's length after undo";
    w.frame->action(cmd::kRedo)->trigger();
    EXPECT_EQ(tree->topLevelItem(1)->text(0), QStringLiteral("BC (350.0)"));
    EXPECT_EQ(length->text(), QStringLiteral("350.0"));
}

TEST(FrameWindows, AProjectOpenedAtStartUpIsShownCentredAndWhole) {
    TempDir dir;
    {
        // Made elsewhere around its first corner, larger than the view at its scale.
        TestDocument made;
        setOutline(*made, {{0, 0}, {0, 900}, {1500, 900}, {1500, 0}});
        ASSERT_TRUE(saveProject(*made, (dir / "big.tz").wstring()));
    }
    GeometryFrame w;
    ASSERT_TRUE(openStartupProject(*w.frame, w.app, L"\"" + (dir / "big.tz").wstring() + L"\""));
    EXPECT_EQ(w.doc().view.viewWidth, w.view()->width());
    EXPECT_TRUE(outlineWhollyInView(w.doc(), 2));
    const ScreenPoint centre = worldToScreen(w.doc(), 750, 450);
    EXPECT_NEAR(centre.x, w.view()->width() / 2, 2);
    EXPECT_NEAR(centre.y, w.view()->height() / 2, 2);
    EXPECT_FALSE(w.doc().modified) << "only the view moved";
    w.screenshot("opened-at-start-up");
    EXPECT_FALSE(openStartupProject(*w.frame, w.app, (dir / "missing.tz").wstring()));
}

TEST(FrameWindows, QtsOwnTextsAreRussian) {
    testApplication();
    QTranslator translator;
    ASSERT_TRUE(installQtTranslations(translator)) << "qt6-translations-l10n is installed by scripts/setup";
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Отмена"));
    QCoreApplication::removeTranslator(&translator);
}
