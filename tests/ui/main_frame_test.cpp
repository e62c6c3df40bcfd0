#include <gtest/gtest.h>

#include <QImage>

#include "app/tenzora_app.h"
#include "app/ui/main_frame.h"
#include "editor/ui/child_view.h"
#include "platform/clock.h"
#include "platform/qt/qt_image_codec.h"
#include "platform/qt/qt_launcher.h"
#include "platform/settings_store.h"
#include "qt_app.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

struct Window {
    explicit Window(std::filesystem::path home = TENZORA_PROGRAM_DIR)
        : app({ui, settings, launcher, clock, images}, std::move(home)) {}
    ScriptedUi ui;
    MemorySettingsStore settings;
    QtLauncher launcher;
    FixedClock clock{LocalTime{}};
    QtImageCodec images;
    CTenzoraApp app;
};

} // namespace

TEST(MainFrame, EmptyWindowShowsTheLogoCentredAfterStartUp) {
    testApplication();
    Window w;
    std::wstring missing;
    ASSERT_TRUE(w.app.loadLogos(missing)) << missing.size();
    CMainFrame frame(w.app);
    frame.resize(1000, 700);
    frame.show();
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Tenzora 1.0"));

    // Before the last start-up step the view stays blank.
    QImage before = frame.view()->grab().toImage();
    const QPoint centre(before.width() / 2, before.height() / 2);
    EXPECT_EQ(before.pixelColor(centre), QColor(Qt::white));

    w.app.finishStartup();
    QImage after = frame.view()->grab().toImage();
    const TZCeiling& doc = w.app.document();
    EXPECT_EQ(doc.view.viewWidth, after.width());
    // The logo is drawn unscaled with its top-left corner at ((W − w)/2, (H − h)/2).
    const int left = (doc.view.viewWidth - doc.resources.logo.width) / 2;
    const int top = (doc.view.viewHeight - doc.resources.logo.height) / 2;
    int differing = 0;
    for (int y = 0; y < doc.resources.logo.height; y += 7)
        for (int x = 0; x < doc.resources.logo.width; x += 7)
            if (after.pixel(left + x, top + y) != (doc.resources.logo.pixel(x, y) | 0xFF000000u)) ++differing;
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(after.pixelColor(2, 2), QColor(Qt::white));
    after.save(QString::fromStdString(
        (std::filesystem::path(TENZORA_PROGRAM_DIR).parent_path() / "empty-window.png").string()));
}

TEST(MainFrame, MissingLogoIsNamed) {
    testApplication();
    TempDir empty;
    Window w(empty.path());
    std::wstring missing;
    EXPECT_FALSE(w.app.loadLogos(missing));
    EXPECT_NE(missing.find(L"logo.bmp"), std::wstring::npos);
}

TEST(MainFrame, ClosingAModifiedProjectAsksAndCancelKeepsTheWindow) {
    testApplication();
    Window w;
    CMainFrame frame(w.app);
    TZCeiling& doc = w.app.document();
    setOutline(doc, {{0, 0}, {100, 0}, {100, 100}});
    doc.modified = true;
    w.ui.answers = {MessageAnswer::Cancel, MessageAnswer::No};
    EXPECT_FALSE(frame.confirmClose());
    EXPECT_TRUE(w.ui.saw(L"Проект был изменён. Сохранить?"));
    EXPECT_TRUE(frame.confirmClose());
    doc.modified = false;
    w.ui.messages.clear();
    EXPECT_TRUE(frame.confirmClose());
    EXPECT_TRUE(w.ui.messages.empty());
}
