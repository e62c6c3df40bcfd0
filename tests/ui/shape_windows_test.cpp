// The shape wizard and the corner-count picker on their own: their controls by id, the choice
// of a shape and its fields, the messages, OK, and the picker's numbers.

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>

#include "model/ceiling.h"
#include "model/ui/select_angles.h"
#include "model/ui/wizard.h"
#include "qt_app.h"
#include "support/fakes.h"
#include "window_helpers.h"

using namespace tenzora;

namespace {

struct WizardWindow {
    WizardWindow() : ready((testApplication(), useTestSettings(), true)), wizard(*t) {
        wizard.showWizard(true, [this](const std::wstring& name) { generated.push_back(name); });
        QApplication::processEvents();
    }
    template <typename W> W* control(int id) { return wizard.findChild<W*>(QString::number(id)); }
    void type(int id, const QString& text) {
        control<QLineEdit>(id)->setFocus();
        QTest::keyClicks(control<QLineEdit>(id), text);
    }
    void ok() { QTest::mouseClick(control<QPushButton>(1466), Qt::LeftButton); }

    bool ready;
    TestDocument t{true};
    TZWizard wizard;
    std::vector<std::wstring> generated;
};

} // namespace

TEST(ShapeWizard, APictureEnablesOnlyItsOwnFields) {
    WizardWindow w;
    const std::vector<std::pair<int, std::vector<int>>> shapes = {{1384, {1394}},
                                                                  {50028, {1402, 1410}},
                                                                  {50030, {1434, 1442, 1516, 1518}},
                                                                  {1536, {1422, 1426}},
                                                                  {1380, {1430, 1472, 1482}}};
    for (const auto& [picture, fields] : shapes) {
        ASSERT_NE(w.control<WizardShapePicture>(picture), nullptr) << picture;
        for (int id : fields)
            EXPECT_FALSE(w.control<QLineEdit>(id)->isEnabled()) << id << " before any choice";
    }
    for (const auto& [picture, fields] : shapes) {
        QTest::mouseClick(w.control<WizardShapePicture>(picture), Qt::LeftButton);
        EXPECT_TRUE(w.control<WizardShapePicture>(picture)->chosen());
        for (const auto& [other, otherFields] : shapes)
            for (int id : otherFields)
                EXPECT_EQ(w.control<QLineEdit>(id)->isEnabled(), other == picture) << picture << " " << id;
    }
    // The keyboard reaches the pictures too: Space on a focused picture chooses it.
    w.control<WizardShapePicture>(50028)->setFocus();
    QTest::keyClick(w.control<WizardShapePicture>(50028), Qt::Key_Space);
    EXPECT_EQ(w.wizard.chosenShape(), WizardShape::Rectangle);
    windowShot(&w.wizard, "wizard-243");
}

TEST(ShapeWizard, MissingFieldsAreToldAndTheWizardStaysOpen) {
    WizardWindow w;
    w.ok();
    EXPECT_TRUE(w.t.ui.saw(L"Пожалуйста, укажите тип фигуры"));
    QTest::mouseClick(w.control<WizardShapePicture>(50030), Qt::LeftButton);
    w.type(1434, "500");
    w.type(1442, "400");
    w.type(1516, "0");
    w.ok();
    EXPECT_TRUE(w.t.ui.saw(L"Пожалуйста, укажите длину выреза"));
    QTest::mouseClick(w.control<WizardShapePicture>(1536), Qt::LeftButton);
    w.type(1422, "300");
    w.ok();
    EXPECT_TRUE(w.t.ui.saw(L"Пожалуйста, укажите число точек, составляющих эллипс"));
    EXPECT_TRUE(w.wizard.isVisible());
    EXPECT_TRUE(w.generated.empty());
    EXPECT_EQ(w.t->polygon.count(), 0);
}

TEST(ShapeWizard, OkGeneratesTheShapeNamesTheLastCornerAndHides) {
    WizardWindow w;
    QTest::mouseClick(w.control<WizardShapePicture>(1384), Qt::LeftButton);
    w.type(1394, "300");
    // Enter in a field is OK.
    QTest::keyClick(w.control<QLineEdit>(1394), Qt::Key_Return);
    ASSERT_EQ(w.t->polygon.count(), 4);
    EXPECT_EQ(w.t->diagonals.count(), 5);
    EXPECT_EQ(w.generated, std::vector<std::wstring>{L"D"});
    EXPECT_FALSE(w.wizard.isVisible());

    // A corner cut of 500 × 400 less 200 × 100, and an ellipse of 7 points, which has 6.
    w.wizard.showWizard(true, [&](const std::wstring& name) { w.generated.push_back(name); });
    QTest::mouseClick(w.control<WizardShapePicture>(50030), Qt::LeftButton);
    for (auto [id, text] : {std::pair{1434, "500"}, {1442, "400"}, {1516, "200"}, {1518, "100"}})
        w.type(id, text);
    w.ok();
    EXPECT_EQ(w.t->polygon.count(), 6);
    EXPECT_EQ(w.generated.back(), L"F");
    w.wizard.showWizard(true, [&](const std::wstring& name) { w.generated.push_back(name); });
    QTest::mouseClick(w.control<WizardShapePicture>(1380), Qt::LeftButton);
    for (auto [id, text] : {std::pair{1430, "400"}, {1472, "300"}, {1482, "7"}})
        w.type(id, text);
    w.ok();
    EXPECT_EQ(w.t->polygon.count(), 6);

    // Отмена and Esc close without a change.
    w.wizard.showWizard(true, {});
    QTest::keyClick(&w.wizard, Qt::Key_Escape);
    EXPECT_FALSE(w.wizard.isVisible());
    EXPECT_EQ(w.t->polygon.count(), 6);
}

TEST(CornerPicker, NinetyButtonsTenToARowAndTheChosenNumber) {
    testApplication();
    TZSelectAngles picker;
    EXPECT_EQ(picker.windowTitle(), QStringLiteral("Выберите количество углов"));
    const auto buttons = picker.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 90);
    EXPECT_EQ(buttons.front()->text(), "3");
    EXPECT_EQ(buttons.back()->text(), "92");
    picker.show();
    QApplication::processEvents();
    auto* three = picker.findChild<QPushButton*>("corners3");
    auto* twelve = picker.findChild<QPushButton*>("corners12");
    auto* thirteen = picker.findChild<QPushButton*>("corners13");
    EXPECT_EQ(three->y(), twelve->y());
    EXPECT_GT(thirteen->y(), three->y());
    EXPECT_EQ(thirteen->x(), three->x());
    windowShot(&picker, "select-angles-251");
    picker.hide();

    QPushButton anchor("Выбор");
    anchor.move(200, 150);
    anchor.show();
    for (auto [caption, expected] : {std::pair{"corners4", 4}, {"corners30", 30}}) {
        QPoint at;
        whenModal<TZSelectAngles>([&at, caption = caption](TZSelectAngles* p) {
            at = p->pos();
            p->findChild<QPushButton*>(caption)->click();
        });
        EXPECT_EQ(TZSelectAngles::choose(&anchor), expected);
        EXPECT_EQ(at, anchor.mapToGlobal(QPoint(0, anchor.height())));
    }
    whenModal<TZSelectAngles>([](TZSelectAngles* p) { QTest::keyClick(p, Qt::Key_Escape); });
    EXPECT_EQ(TZSelectAngles::choose(&anchor), 0);
}
