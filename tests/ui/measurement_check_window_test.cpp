// "Проверить измерения" in the window: the command lists the suspects and a click on one shows
// it in the side panel.

#include <gtest/gtest.h>

#include <QListWidget>
#include <QTest>
#include <cmath>

#include "app/command_ids.h"
#include "app/tenzora_app.h"
#include "app/ui/main_frame.h"
#include "editor/ui/extended_edit.h"
#include "editor/ui/main_panel.h"
#include "model/ceiling.h"
#include "model/forming.h"
#include "model/ui/measurement_check_window.h"
#include "platform/clock.h"
#include "platform/qt/qt_image_codec.h"
#include "platform/qt/qt_launcher.h"
#include "platform/settings_store.h"
#include "qt_app.h"
#include "support/fakes.h"
#include "support/rooms.h"

using namespace tenzora;

namespace {

struct Window {
    Window() : app({ui, settings, launcher, clock, images}, TENZORA_PROGRAM_DIR) {}
    ScriptedUi ui;
    MemorySettingsStore settings;
    QtLauncher launcher;
    FixedClock clock{LocalTime{}};
    QtImageCodec images;
    CTenzoraApp app;
};

} // namespace

TEST(MeasurementCheckWindow, ListsTheSuspectAndAClickShowsItInTheSidePanel) {
    testApplication();
    Window w;
    CMainFrame frame(w.app);
    frame.resize(1000, 700);
    frame.show();
    TZCeiling& doc = w.app.document();
    buildMeasuredRoom(doc, {{0, 0}, {600, 0}, {600, 300}, {300, 300}, {300, 500}, {0, 500}},
                      {L"AC", L"AD", L"AE", L"BD", L"BE", L"CE"}, 10);
    measureRecord(doc, L"BD", std::hypot(300, 300) + 20);
    formProject(doc, -1);
    doc.refreshAfterChange();
    frame.refreshCommandStates();

    QAction* action = frame.action(cmd::kCheckMeasurements);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), QStringLiteral("Проверить измерения"));
    ASSERT_TRUE(action->isEnabled());
    EXPECT_EQ(frame.runCommand(cmd::kCheckMeasurements), CommandOutcome::Done);

    auto* window = frame.findChild<TZCheckWindow*>(QStringLiteral("checkWindow"));
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isModal());
    QListWidget* list = window->list();
    ASSERT_GE(list->count(), 1);
    EXPECT_TRUE(list->item(0)->text().startsWith(QStringLiteral("BD: измерено 444.3, по остальным 424.")))
        << list->item(0)->text().toStdString();
    window->grab().save(QStringLiteral(TENZORA_PROGRAM_DIR "/../screenshots-check-window.png"));

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    EXPECT_EQ(frame.mainPanel()->nameField()->text(), QStringLiteral("BD"));

    // Run again after the length is corrected: nothing is suspect any more, and the same window
    // shows it.
    measureRecord(doc, L"BD", std::hypot(300, 300));
    formProject(doc, -1);
    frame.runCommand(cmd::kCheckMeasurements);
    EXPECT_EQ(frame.findChildren<TZCheckWindow*>().size(), 1);
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), QString::fromStdWString(kCheckConsistent));
}
