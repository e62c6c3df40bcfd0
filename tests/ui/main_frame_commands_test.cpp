#include <gtest/gtest.h>

#include <fstream>

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QSettings>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QtTest/QTest>

#include "app/command_ids.h"
#include "app/command_table.h"
#include "app/tenzora_app.h"
#include "app/ui/command_icons.h"
#include "app/ui/main_frame.h"
#include "editor/ui/child_view.h"
#include "platform/clock.h"
#include "platform/qt/qt_image_codec.h"
#include "platform/qt/qt_launcher.h"
#include "platform/settings_store.h"
#include "qt_app.h"
#include "storage/codepage.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

struct Window {
    Window() : app({ui, settings, launcher, clock, images}, TENZORA_PROGRAM_DIR) {
        testApplication();
        std::wstring missing;
        app.loadLogos(missing);
        frame = std::make_unique<CMainFrame>(app);
        frame->resize(1280, 800);
    }
    ScriptedUi ui;
    MemorySettingsStore settings;
    QtLauncher launcher;
    FixedClock clock{LocalTime{2024, 3, 5, 10, 0, 0}};
    QtImageCodec images;
    CTenzoraApp app;
    std::unique_ptr<CMainFrame> frame;

    TZCeiling& doc() { return app.document(); }
    QAction* action(int id) { return frame->findChild<QAction*>(QStringLiteral("cmd%1").arg(id)); }
    void drawRoom() {
        setOutline(doc(), {{0, 0}, {400, 0}, {400, 300}, {0, 300}});
        doc().editor.mode = kModePoints;
    }
};

// Runs `act` on the pop-up menu as soon as it is open (menus run their own event loop).
void whenPopupOpens(std::function<void(QMenu*)> act) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget()); menu && menu->isVisible()) {
            poll->stop();
            poll->deleteLater();
            act(menu);
        }
    });
    poll->start();
}

std::filesystem::path buildFolder() {
    return std::filesystem::path(TENZORA_PROGRAM_DIR).parent_path();
}

// The menu bar as text: one line per entry, "-" for a separator, ">" + title for a submenu.
QStringList describe(const QMenu* menu) {
    QStringList lines;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator())
            lines << "-";
        else if (a->menu() != nullptr)
            lines << ">" + a->text() << describe(a->menu()) << "<";
        else
            lines << QString::number(a->data().toInt()) + " " + a->text();
    }
    return lines;
}

} // namespace

TEST(MainFrameCommands, MenusAreBuiltFromTheTable) {
    Window w;
    const QList<QAction*> menus = w.frame->menuBar()->actions();
    QStringList titles;
    for (QAction* m : menus)
        titles << m->text();
    EXPECT_EQ(titles,
              (QStringList{"&Файл", "Редактирование", "&Вид", "Режим работы", "Стоимость", "&Справка"}));

    const QStringList edit = describe(menus[1]->menu());
    EXPECT_EQ(edit, (QStringList{"50024 Раскрой фигуры\tCtrl+R", "1642 Поиск решения\tCtrl+Enter",
                                 "32921 Проверить измерения", ">Тип решения", "32897 Двойной метод",
                                 "32898 Треугольники", "32900 Диф. уравнение", "<", "-",
                                 "50005 Отменить последнее действие\tCtrl+Z",
                                 "50006 Вернуть последнее действие после отмены\tCtrl+A", "-",
                                 "50021 Срез угла", "50022 Дуга", "50028 Вырезать прямоугольник",
                                 "32860 Вырезать трапецию", "32835 Внутренний вырез"}));
    const QStringList view = describe(menus[2]->menu());
    EXPECT_TRUE(view.contains("50007 Увеличить масштаб\tGray \"+\""));
    EXPECT_EQ(view.mid(view.indexOf(">Панели инструментов")),
              (QStringList{">Панели инструментов", "32852 Фигура", "32849 Основная", "32850 Редактирование",
                           "32859 Треугольники", "<"}));
    EXPECT_EQ(describe(menus[5]->menu()), (QStringList{"57664 &О программе..."}));
}

TEST(MainFrameCommands, ToolbarsWithButtonsSeparatorsAndCaptions) {
    Window w;
    const int resources[] = {kMainToolbar, kTrianglesToolbar, kPointsToolbar, kConstructionsToolbar};
    for (int resource : resources) {
        QToolBar* bar = w.frame->toolbar(resource);
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->objectName(), QStringLiteral("toolbar%1").arg(resource));
        EXPECT_EQ(bar->iconSize(), QSize(28, 28));
        const ToolbarDefinition* definition = nullptr;
        for (const ToolbarDefinition& t : toolbars())
            if (t.resource == resource) definition = &t;
        EXPECT_EQ(bar->windowTitle(),
                  QString::fromWCharArray(definition->caption.data(), definition->caption.size()));
        std::vector<int> buttons;
        for (QAction* a : bar->actions())
            buttons.push_back(a->isSeparator() ? kToolbarSeparator : a->data().toInt());
        EXPECT_EQ(buttons, definition->buttons);
        for (QAction* a : bar->actions()) {
            if (!a->isSeparator()) {
                EXPECT_FALSE(a->icon().isNull()) << a->data().toInt();
            }
        }
    }
    // The triangle toolbar starts a second row, the other two follow it on that row.
    w.frame->show();
    QApplication::processEvents();
    const int secondRow = w.frame->toolbar(kTrianglesToolbar)->y();
    EXPECT_GT(secondRow, w.frame->toolbar(kMainToolbar)->y());
    EXPECT_EQ(w.frame->toolbar(kPointsToolbar)->y(), secondRow);
    EXPECT_GT(w.frame->toolbar(kPointsToolbar)->x(), w.frame->toolbar(kTrianglesToolbar)->x());
    EXPECT_EQ(w.frame->toolbar(kConstructionsToolbar)->y(), secondRow);
}

TEST(MainFrameCommands, ActionsCarryIdsKeysAndTooltips) {
    Window w;
    for (const CommandInfo& info : commandTable()) {
        QAction* a = w.action(info.id);
        ASSERT_NE(a, nullptr) << info.id;
        EXPECT_EQ(a->data().toInt(), info.id);
    }
    EXPECT_EQ(w.action(cmd::kNewProject)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    EXPECT_TRUE(w.action(cmd::kFormProject)->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Return)));
    EXPECT_EQ(w.action(cmd::kZoomIn)->shortcut(), QKeySequence(Qt::KeypadModifier | Qt::Key_Plus));
    EXPECT_EQ(w.action(cmd::kZoomOut)->shortcut(), QKeySequence(Qt::KeypadModifier | Qt::Key_Minus));
    EXPECT_EQ(w.action(cmd::kClients)->shortcut(), QKeySequence(Qt::Key_F12));
    EXPECT_EQ(w.action(cmd::kRuler)->toolTip(), QStringLiteral("\"Линейка\" - измерить расстояние"));
    EXPECT_EQ(w.action(cmd::kRuler)->statusTip(), QStringLiteral("\"Линейка\""));
    EXPECT_EQ(w.action(cmd::kTriangleAuto)->text(), QStringLiteral("Автовыбор"));
}

TEST(MainFrameCommands, CommandsWithoutHandlersAreDisabled) {
    Window w;
    w.frame->refreshCommandStates();
    for (int id : {cmd::kBarTriangles})
        EXPECT_FALSE(w.action(id)->isEnabled()) << id;
    for (int id :
         {cmd::kNewProject,    cmd::kOpen,         cmd::kSave,    cmd::kUndo,       cmd::kZoomIn,
          cmd::kShowGrid,      cmd::kExit,         cmd::kBarMain, cmd::kPhotos,     cmd::kDealerMode,
          cmd::kTriangleAuto,  cmd::kBarSidePanel, cmd::kReport,  cmd::kExport,     cmd::kOrderExport,
          cmd::kPrint,         cmd::kPreview,      cmd::kClients, cmd::kMaterials,  cmd::kPriceLists,
          cmd::kPriceSettings, cmd::kSettings,     cmd::kAbout,   cmd::kCornerCut,  cmd::kArc,
          cmd::kCutRectangle,  cmd::kCutTrapezoid, cmd::kBend,    cmd::kInnerCutout})
        EXPECT_TRUE(w.action(id)->isEnabled()) << id;

    // A handler registered later enables its command at the next refresh.
    int runs = 0;
    w.frame->commands().registry().removeHandler(cmd::kMaterials);
    w.frame->refreshCommandStates();
    ASSERT_FALSE(w.action(cmd::kMaterials)->isEnabled());
    w.frame->commands().registry().setHandler(cmd::kMaterials, [&](CommandContext&) { ++runs; });
    w.frame->refreshCommandStates();
    ASSERT_TRUE(w.action(cmd::kMaterials)->isEnabled());
    w.action(cmd::kMaterials)->trigger();
    EXPECT_EQ(runs, 1);
}

TEST(MainFrameCommands, TriggeringTogglesAndTheRulesSetTheMarks) {
    Window w;
    // The grid starts switched on, as the window is created.
    QAction* grid = w.action(cmd::kShowGrid);
    EXPECT_TRUE(grid->isChecked());
    grid->trigger();
    EXPECT_FALSE(w.doc().view.showGrid);
    EXPECT_FALSE(grid->isChecked());
    grid->trigger();
    EXPECT_TRUE(w.doc().view.showGrid);
    EXPECT_TRUE(grid->isChecked());

    // In the start mode the tools do nothing, so their buttons do not become checked either.
    w.action(cmd::kRuler)->trigger();
    EXPECT_EQ(w.doc().editor.mode, kModeStart);
    EXPECT_FALSE(w.action(cmd::kRuler)->isChecked());
    w.drawRoom();
    w.action(cmd::kRuler)->trigger();
    EXPECT_TRUE(w.action(cmd::kRuler)->isChecked());
    w.action(cmd::kInsertDiagonal)->trigger();
    EXPECT_FALSE(w.action(cmd::kRuler)->isChecked());
    EXPECT_TRUE(w.action(cmd::kInsertDiagonal)->isChecked());

    // Dealer mode disables the canvas distances.
    w.action(cmd::kDealerMode)->trigger();
    EXPECT_TRUE(w.app.settings().dealerMode);
    EXPECT_FALSE(w.action(cmd::kShowCanvasDistances)->isEnabled());
}

TEST(MainFrameCommands, KeysReachTheirCommands) {
    Window w;
    w.frame->show();
    QApplication::setActiveWindow(w.frame.get());
    QApplication::processEvents();
    w.drawRoom();
    const float scale = w.doc().view.scaleX;
    QTest::keyClick(w.frame->view(), Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_FLOAT_EQ(w.doc().view.scaleX, scale * 0.9f);
    QTest::keyClick(w.frame->view(), Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_NEAR(w.doc().view.scaleX, scale * 0.99, 1e-6);
    QTest::keyClick(w.frame->view(), Qt::Key_H, Qt::ControlModifier);
    EXPECT_TRUE(w.doc().editor.dragging);
    EXPECT_TRUE(w.action(cmd::kPan)->isChecked());
}

TEST(MainFrameCommands, ToolbarVisibilityCommands) {
    Window w;
    w.frame->show();
    QApplication::processEvents();
    w.action(cmd::kBarMain)->trigger();
    EXPECT_TRUE(w.frame->toolbar(kMainToolbar)->isHidden());
    EXPECT_FALSE(w.action(cmd::kBarMain)->isChecked());
    w.action(cmd::kBarEditing)->trigger();
    EXPECT_TRUE(w.frame->toolbar(kPointsToolbar)->isHidden());
    w.action(cmd::kBarMain)->trigger();
    EXPECT_FALSE(w.frame->toolbar(kMainToolbar)->isHidden());
    EXPECT_TRUE(w.action(cmd::kBarMain)->isChecked());

    // The side panel is docked from the start and its command shows and hides it.
    EXPECT_TRUE(w.action(cmd::kBarSidePanel)->isEnabled());
    EXPECT_TRUE(w.action(cmd::kBarSidePanel)->isChecked());
    EXPECT_EQ(w.frame->dockWidgetArea(w.frame->sidePanelDock()), Qt::LeftDockWidgetArea);
    w.action(cmd::kBarSidePanel)->trigger();
    EXPECT_TRUE(w.frame->sidePanelDock()->isHidden());
}

TEST(MainFrameCommands, PhotoMenuUnderItsButtonRunsTheChoice) {
    Window w;
    w.frame->show();
    QApplication::processEvents();
    TZPicture photo;
    photo.path = L"/photos/a&b.jpg";
    w.doc().photos.append(photo);
    QStringList seen;
    whenPopupOpens([&](QMenu* menu) {
        for (QAction* a : menu->actions())
            seen << (a->isSeparator() ? "-" : a->text() + (a->isEnabled() ? "" : " (off)"));
        // Under the photo button of the triangle toolbar.
        QWidget* button = w.frame->toolbar(kTrianglesToolbar)->widgetForAction(w.action(cmd::kPhotos));
        EXPECT_EQ(menu->pos().y(), button->mapToGlobal(QPoint(0, button->height())).y());
        menu->setActiveAction(menu->findChild<QAction*>("cmd22001"));
        QTest::keyClick(menu, Qt::Key_Return);
    });
    w.action(cmd::kPhotos)->trigger();
    QApplication::processEvents();
    EXPECT_EQ(seen,
              (QStringList{"Добавить фото ...", "/photos/a&&b.jpg", "-", "Убрать фото с экрана (off)"}));
    EXPECT_EQ(w.doc().shownPhoto, 0);
}

TEST(MainFrameCommands, ReportMenuListsTheTemplatesAndTheChoiceWritesTheReport) {
    Window w;
    w.frame->show();
    QApplication::processEvents();
    TempDir templates;
    std::ofstream(templates / "Смета.doc") << "x";
    w.app.settings().templatesFolder = codepage::fromPath(templates.path());
    QStringList seen;
    whenPopupOpens([&](QMenu* menu) {
        for (QAction* a : menu->actions())
            seen << a->text();
        menu->setActiveAction(menu->actions().value(0));
        QTest::keyClick(menu, Qt::Key_Return);
    });
    // The choice went to the report, not to a print form: without a script host here the report
    // goes to LibreOffice's helper, which (pointed at no soffice) reports back what is missing.
    qputenv("TENZORA_SOFFICE", "/nonexistent/soffice");
    w.action(cmd::kReport)->trigger();
    QApplication::processEvents();
    qunsetenv("TENZORA_SOFFICE");
    EXPECT_EQ(seen, QStringList{"Смета.doc"});
    EXPECT_FALSE(w.frame->commands().reportMenuPending());
    for (int i = 0; i < 600 && w.ui.messages.empty(); ++i) {
        QApplication::processEvents();
        QTest::qWait(50);
    }
    ASSERT_FALSE(w.ui.messages.empty());
    EXPECT_EQ(w.ui.messages.back().text.rfind(L"Не найден LibreOffice (программа soffice)", 0), 0u)
        << codepage::toUtf8(w.ui.messages.back().text);
}

TEST(MainFrameCommands, LayoutIsRememberedBetweenRuns) {
    TempDir dir;
    QSettings store(QString::fromStdString((dir / "layout.ini").string()), QSettings::IniFormat);
    {
        Window w;
        w.frame->show();
        QApplication::processEvents();
        w.action(cmd::kBarEditing)->trigger();
        w.frame->saveLayout(store);
    }
    Window again;
    again.frame->restoreLayout(store);
    again.frame->show();
    QApplication::processEvents();
    EXPECT_TRUE(again.frame->toolbar(kPointsToolbar)->isHidden());
    EXPECT_FALSE(again.frame->toolbar(kMainToolbar)->isHidden());
}

TEST(MainFrameCommands, ScreenshotOfTheWindow) {
    Window w;
    w.frame->show();
    w.app.finishStartup();
    w.drawRoom();
    w.action(cmd::kShowGrid)->trigger();
    QApplication::processEvents();
    const QImage shot = w.frame->grab().toImage();
    EXPECT_FALSE(shot.isNull());
    shot.save(QString::fromStdString((buildFolder() / "main-window.png").string()));
    // The left part of the toolbars at the screen's own resolution, for a closer look.
    const QImage bars = w.frame->grab(QRect(0, 0, 640, w.frame->view()->y())).toImage();
    bars.save(QString::fromStdString((buildFolder() / "toolbars.png").string()));

    // Every button picture at 1×, 2× and 3× and disabled, one row each.
    std::vector<int> ids;
    for (const ToolbarDefinition& t : toolbars())
        for (int id : t.buttons)
            if (id != kToolbarSeparator) ids.push_back(id);
    constexpr int perRow = 10, cellW = 130, cellH = 96;
    QImage sheet(perRow * cellW, int((ids.size() + perRow - 1) / perRow) * cellH, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    for (std::size_t i = 0; i < ids.size(); ++i) {
        const QIcon icon = commandIcon(ids[i]);
        const int x = int(i % perRow) * cellW, y = int(i / perRow) * cellH;
        p.drawPixmap(x + 4, y + 4, icon.pixmap(QSize(28, 28)));
        p.drawPixmap(x + 4, y + 40, icon.pixmap(QSize(28, 28), QIcon::Disabled));
        p.drawPixmap(x + 40, y + 4, icon.pixmap(QSize(84, 84)));
    }
    p.end();
    sheet.save(QString::fromStdString((buildFolder() / "icons.png").string()));
}
