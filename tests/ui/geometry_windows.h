#pragma once
// The main window with a measured room for the window tests of the construction, cutout, cutting
// and canvas dialogs, and the helpers that drive those dialogs by their control ids as a user
// would: typing into fields and grid cells, clicking buttons. Screenshots of the dialogs go to
// the build folder ("screenshots").

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest/QTest>
#include <filesystem>

#include "app/ui/main_frame_geometry.h"
#include "editor_frame.h"
#include "grid/ui/virtual_grid_ctrl.h"

namespace tenzora {

struct GeometryFrame : EditorFrame {
    // A room of 4 × 3 m (or as given), formed, in the point mode; corners A (top left) B C D
    // clockwise.
    void room(double width = 400, double height = 300) {
        frame->runCommand(cmd::kNewProject);
        setOutline(doc(), {{0, 0}, {width, 0}, {width, height}, {0, height}});
        for (Diagonal& d : doc().diagonals)
            d.length = std::hypot(doc().polygon.at(d.b).x - doc().polygon.at(d.a).x,
                                  doc().polygon.at(d.b).y - doc().polygon.at(d.a).y);
        doc().outlineFormed = true;
        doc().editor.mode = kModePoints;
        doc().refreshAfterChange();
        frame->refreshCommandStates();
    }
    GeometryWindows& windows() { return *frame->geometryWindows(); }
    QListWidget* list() { return control<QListWidget>(1220); }
    QString label(int id) { return control<QLabel>(id)->text(); }
    // Double-clicks line `row` of the side panel's list of constructions and cutouts.
    void openListLine(int row) {
        QListWidget* l = list();
        QListWidgetItem* item = l->item(row);
        const QPoint at = l->visualItemRect(item).center();
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, at);
    }
};

template <typename W> W* in(QWidget* dialog, int id) {
    W* w = dialog->findChild<W*>(QString::number(id));
    if (w == nullptr) ADD_FAILURE() << "no control " << id;
    return w;
}

// Types as the keyboard does, character by character (name fields apply the name keys).
inline void typeText(QWidget* target, const QString& text) {
    for (const QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(target, &release);
    }
}

// Replaces a field's text by typing.
inline void fill(QWidget* dialog, int id, const QString& text) {
    auto* edit = in<QLineEdit>(dialog, id);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    typeText(edit, text);
}

inline void press(QWidget* dialog, int id) {
    auto* button = in<QAbstractButton>(dialog, id);
    ASSERT_TRUE(button->isVisible() && button->isEnabled()) << id;
    QTest::mouseClick(button, Qt::LeftButton);
}

// Types into a grid cell: the first character opens the editor, Enter accepts.
inline void typeCell(CVirtualGridCtrl* grid, GridCell cell, const QString& text) {
    ASSERT_TRUE(grid->selectCell(cell));
    grid->setFocus();
    typeText(grid, text.left(1));
    QLineEdit* editor = grid->editor();
    ASSERT_NE(editor, nullptr);
    typeText(editor, text.mid(1));
    QTest::keyClick(editor, Qt::Key_Return);
}

inline QString cellText(CVirtualGridCtrl* grid, int row, int column) {
    return grid->model()->index(row, column).data().toString();
}

// A screenshot of a dialog into the build folder's "screenshots".
inline void screenshotOf(QWidget* dialog, const QString& name) {
    QApplication::processEvents();
    const auto dir = std::filesystem::path(TENZORA_PROGRAM_DIR).parent_path() / "screenshots";
    std::filesystem::create_directories(dir);
    dialog->grab().save(QString::fromStdString((dir / (name.toStdString() + ".png")).string()));
}

} // namespace tenzora
