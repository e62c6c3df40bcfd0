// A typed length no room has, entered in the side panel of the window: the message names the
// field and the range, and the project keeps its lengths. The message is shown once through the
// real message box and photographed.

#include <gtest/gtest.h>

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest/QTest>

#include "editor/length_entry.h"
#include "editor/ui/extended_edit.h"
#include "editor_frame.h"
#include "model/records.h"
#include "platform/qt/widgets_ui_services.h"
#include "support/rooms.h"
#include "window_helpers.h"

using namespace tenzora;

TEST(TypedValuesWindow, ALengthNoRoomHasIsRefusedFromTheSidePanelWithItsRange) {
    EditorFrame w;
    w.frame->runCommand(cmd::kNewProject);
    buildMeasuredRoom(w.doc(), {{0, 0}, {0, 300}, {400, 300}, {400, 0}}, {L"AC"});
    w.doc().rebuildTree();
    TZExtendedEdit* name = w.panel()->nameField();
    TZExtendedEdit* length = w.panel()->lengthField();
    const double before = w.doc().diagonals.at(findDiagonal(w.doc(), 0, 2)).length;
    for (const char* bad : {"-5", "nan", "inf", "1e308"}) {
        w.ui.messages.clear();
        name->setText(QStringLiteral("AC"));
        length->setText(QString::fromLatin1(bad));
        QTest::mouseClick(w.control<QPushButton>(1632), Qt::LeftButton);
        ASSERT_EQ(w.ui.messages.size(), 1u) << bad;
        EXPECT_EQ(w.ui.messages[0].text, L"Поле «Длина»: введите число больше 0 и не больше 10000 см");
        EXPECT_EQ(w.doc().diagonals.at(findDiagonal(w.doc(), 0, 2)).length, before) << bad;
        // The name stays for mending; the length field shows what the record still holds.
        EXPECT_EQ(name->text(), QStringLiteral("AC"));
        EXPECT_EQ(length->text(), QStringLiteral("500.0")) << bad;
    }

    // The same message through the program's message box.
    QtUiServices real;
    real.setOwner(w.frame.get());
    QString shown;
    whenModal<QMessageBox>([&shown](QMessageBox* box) {
        shown = box->text();
        windowShot(box, "typed-length-refused");
        box->accept();
    });
    real.exclamation(w.ui.messages.back().text);
    EXPECT_EQ(shown, QStringLiteral("Поле «Длина»: введите число больше 0 и не больше 10000 см"));
}
