#include <gtest/gtest.h>

#include <QImage>

#include "editor/ui/child_view.h"
#include "model/ceiling.h"
#include "qt_app.h"
#include "support/fakes.h"

using namespace tenzora;

TEST(ChildViewPainting, TheViewPaintsTheDrawingThroughItsBackBuffer) {
    testApplication();
    TestDocument t;
    setOutline(*t, {{-100, -50}, {100, -50}, {100, 50}, {-100, 50}});
    for (Diagonal& d : t->diagonals)
        d.length = 100;
    t->editor.mode = kModePoints;
    AppSettings settings;
    CChildView view(*t);
    view.setPaintServices(settings, nullptr);
    view.resize(400, 300);
    QImage image = view.grab().toImage();
    EXPECT_EQ(t->view.viewWidth, 400);
    EXPECT_EQ(t->view.viewHeight, 300);
    EXPECT_EQ(image.pixelColor(200, 150), QColor(233, 233, 233));
    EXPECT_EQ(image.pixelColor(150, 100), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(10, 10), QColor(Qt::white));
    // A repaint after a change shows the change.
    t->view.scaleX = t->view.scaleY = 2;
    image = view.grab().toImage();
    EXPECT_EQ(image.pixelColor(175, 125), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(150, 100), QColor(Qt::white));
}
