// The project information window on the user's road: "Новый проект" opens it, the order data,
// a client from the client list, the city, the ceiling type and the extra works go in, OK starts
// the outline, the lengths are typed in the side panel, the canvases are laid out and the saved
// file carries the price of the estimate. Then the window's own cases: the client text, the
// wizard, Cancel, the photos.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest/QTest>
#include <fstream>

#include "app/command_ids.h"
#include "app/ui/main_frame.h"
#include "app/ui/main_frame_geometry.h"
#include "app/ui/main_frame_project.h"
#include "business/client_scan.h"
#include "business/estimate.h"
#include "business/project_file.h"
#include "business/ui/clients_dialog.h"
#include "business/ui/project_dialog.h"
#include "cutting/cutting_dialog.h"
#include "cutting/ui/cutting_dialog_window.h"
#include "editor/ui/extended_edit.h"
#include "editor_frame.h"
#include "grid/ui/virtual_grid_ctrl.h"
#include "model/measurements.h"
#include "model/ui/select_angles.h"
#include "model/ui/wizard.h"
#include "storage/codepage.h"
#include "storage/file_io.h"
#include "storage/price_file.h"
#include "window_helpers.h"

using namespace tenzora;

namespace {

struct ProjectWindow : EditorFrame {
    ProjectWindow() {
        useTestSettings();
        app.settings().drawingFolders[0] = codepage::fromPath(drawings.path());
    }
    TZProject* project() { return projectWindow(*frame); }
    template <typename W> W* field(int id) { return project()->findChild<W*>(QString::number(id)); }
    void click(int id) { QTest::mouseClick(field<QPushButton>(id), Qt::LeftButton); }
    void type(int id, const QString& text) {
        auto* edit = field<QLineEdit>(id);
        edit->setFocus();
        edit->selectAll();
        typeInto(edit, text);
    }
    // A quantity typed into the extra works grid, as a user types it over the cell.
    void typeQuantity(int row, const QString& text) {
        auto* grid = field<CVirtualGridCtrl>(1612);
        grid->setFocus();
        ASSERT_TRUE(grid->selectCell({2, row}));
        typeInto(grid, text.left(1));
        ASSERT_NE(grid->editor(), nullptr);
        typeInto(grid->editor(), text.mid(1));
        QTest::keyClick(grid->editor(), Qt::Key_Return);
    }
    void enterLength(const QString& length) {
        TZExtendedEdit* lengthField = panel()->lengthField();
        lengthField->selectAll();
        typeInto(lengthField, length);
        QTest::keyClick(lengthField, Qt::Key_Return);
    }
    void enterRecord(const QString& name, const QString& length) {
        TZExtendedEdit* nameField = panel()->nameField();
        nameField->selectAll();
        typeInto(nameField, name);
        QTest::keyClick(nameField, Qt::Key_Return);
        enterLength(length);
    }
    // A project of the client saved earlier into the drawing folder.
    void saveEarlierProject(const std::wstring& client, const std::string& file) {
        TestDocument earlier(false, TENZORA_PROGRAM_DIR);
        earlier->client = client;
        earlier->orderName = L"Спальня";
        earlier->orderNumber = L"5";
        ASSERT_TRUE(saveProject(*earlier, codepage::fromPath(drawings / file)));
    }

    TempDir drawings;
};

constexpr wchar_t kSeparator = L'\u00AC';

} // namespace

TEST(ProjectWindowRoad, FromNewProjectToThePricedFile) {
    ProjectWindow w;
    w.saveEarlierProject(std::wstring(L"ООО Ромашка") + kSeparator + L"7701" + kSeparator + kSeparator +
                             L"Тверь, ул. Речная, 3" + kSeparator + kSeparator + L"+7 900 123-45-67",
                         "earlier.tz");
    w.frame->refreshCommandStates();
    for (int id : {cmd::kNewProject, cmd::kProjectInfo, cmd::kClients})
        EXPECT_TRUE(w.frame->action(id)->isEnabled()) << id;
    EXPECT_TRUE(w.frame->commands().available(cmd::kAddPhoto));

    // Ctrl+N: the window opens on a new project dated today.
    QTest::keyClick(w.frame.get(), Qt::Key_N, Qt::ControlModifier);
    ASSERT_NE(w.project(), nullptr);
    ASSERT_TRUE(w.project()->isVisible());
    EXPECT_TRUE(w.project()->form().isNewProject());
    EXPECT_EQ(w.field<QLineEdit>(1538)->text(), QStringLiteral("05.03.2024"));
    for (int id : {1538, 1214, 1116, 1540, 1226, 1234, 1240, 1248, 1656, 32505, 1600, 1164, 1596,
                   1566, 1612, 1168, 1228, 1038, 3,    1618, 1138, 1148, 1624,  1,    2})
        EXPECT_NE(w.field<QWidget>(id), nullptr) << id;
    // No photos yet: the list is hidden and "Удалить фото" disabled.
    EXPECT_TRUE(w.field<QListWidget>(1618)->isHidden());
    EXPECT_FALSE(w.field<QPushButton>(1148)->isEnabled());

    w.type(1214, "2024-17");
    w.type(1116, "Гостиная");

    // "...": the client list in choose mode; the client of the earlier project is chosen.
    whenModal<TZClients>(
        [](TZClients* clients) {
            windowShot(clients, "clients-257-choose");
            auto* grid = clients->findChild<CVirtualGridCtrl*>("1622");
            ASSERT_TRUE(grid->selectCell({0, 0}));
            EXPECT_EQ(clients->findChild<CVirtualGridCtrl*>("1614")->rowCount(), 1);
            clients->findChild<QPushButton*>("1")->click();
        },
        [](TZClients* clients) { return clients->form().clientCount() > 0; });
    w.click(1624);
    EXPECT_EQ(w.field<QLineEdit>(1540)->text(), QStringLiteral("ООО Ромашка"));
    EXPECT_EQ(w.field<QLineEdit>(1226)->text(), QStringLiteral("7701"));
    EXPECT_EQ(w.field<QLineEdit>(1240)->text(), QStringLiteral("Тверь, ул. Речная, 3"));
    EXPECT_EQ(w.field<QLineEdit>(1656)->text(), QStringLiteral("+7 900 123-45-67"));

    // The city from the keyboard; its ceiling types and works fill the lists.
    auto* city = w.field<QComboBox>(1600);
    ASSERT_EQ(city->count(), 2);
    city->setFocus();
    QTest::keyClick(city, Qt::Key_Down);
    EXPECT_EQ(city->currentText(), QStringLiteral("Москва"));
    auto* type = w.field<QComboBox>(1164);
    ASSERT_GE(type->count(), 1);
    type->setCurrentIndex(type->findText(QStringLiteral("Матовый")));
    w.field<QComboBox>(1596)->setCurrentIndex(2);
    auto* works = w.field<CVirtualGridCtrl>(1612);
    ASSERT_EQ(works->rowCount(), 5);
    EXPECT_EQ(works->model()->index(0, 1).data().toString(), QStringLiteral("Люстра"));
    EXPECT_EQ(works->model()->index(1, 1).data().toString(), QStringLiteral("Светильник"));
    w.typeQuantity(0, "2");
    w.typeQuantity(1, "1,5");
    w.typeQuantity(2, "0"); // "Обход трубы" with no quantity is not stored
    EXPECT_EQ(works->model()->index(1, 2).data().toString(), QStringLiteral("1.50"));

    // The last corner from the corner picker: "6" names F.
    whenModal<TZSelectAngles>(
        [](TZSelectAngles* picker) { picker->findChild<QPushButton*>("corners6")->click(); });
    w.click(1038);
    EXPECT_EQ(w.field<QLineEdit>(1228)->text(), QStringLiteral("F"));
    windowShot(w.project(), "project-252-new");

    // OK: a six-cornered outline to be measured, the order data stored.
    w.click(1);
    EXPECT_FALSE(w.project()->isVisible());
    ASSERT_EQ(w.doc().polygon.count(), 6);
    EXPECT_EQ(w.doc().editor.mode, kModePoints);
    EXPECT_EQ(w.doc().orderNumber, L"2024-17");
    EXPECT_EQ(w.doc().orderDate, L"05.03.2024");
    EXPECT_EQ(w.doc().client, std::wstring(L"ООО Ромашка") + kSeparator + L"7701" + kSeparator + kSeparator +
                                  L"Тверь, ул. Речная, 3" + kSeparator + kSeparator + L"+7 900 123-45-67");
    EXPECT_EQ(w.doc().city, 0);
    EXPECT_EQ(w.doc().ceilingType, L"Матовый");
    EXPECT_EQ(w.doc().harpoon, 2);
    ASSERT_EQ(w.doc().extraWorks.count(), 2);
    EXPECT_EQ(w.doc().extraWorks.at(0).name, L"Люстра");
    EXPECT_EQ(w.doc().extraWorks.at(0).quantity, 2.0);
    EXPECT_EQ(w.doc().extraWorks.at(1).name, L"Светильник");
    EXPECT_EQ(w.doc().extraWorks.at(1).quantity, 1.5);
    EXPECT_TRUE(w.frame->windowTitle().endsWith(QStringLiteral(" ::: Гостиная")));
    // The side panel waits for the first side.
    EXPECT_EQ(w.panel()->nameField()->text(), QStringLiteral("AB"));

    // The room as measured: an elongated hexagon 600 × 320 with 200 cm bevels.
    for (const QString length : {"200", "360", "200", "200", "360", "200"})
        w.enterLength(length);
    w.enterRecord("AC", "505.96");
    w.enterRecord("AD", "600");
    w.enterRecord("AE", "505.96");
    w.frame->runCommand(cmd::kFormProject);
    ASSERT_TRUE(w.doc().outlineFormed);
    EXPECT_NEAR(netArea(w.doc()), 15.36, 0.01);

    // The canvases, laid out in the cutting dialog: Ctrl+R shows it with the project's fabric,
    // the seams go along BC, OK lays them out.
    w.frame->runCommand(cmd::kCutting);
    CRaskroy* cutting = w.frame->geometryWindows()->cuttingDialog();
    ASSERT_NE(cutting, nullptr);
    ASSERT_TRUE(cutting->isVisible());
    auto* side = cutting->findChild<QLineEdit*>(QStringLiteral("106"));
    ASSERT_NE(side, nullptr);
    side->clear();
    QTest::keyClicks(side, QStringLiteral("BC"));
    auto* ok = cutting->findChild<QPushButton*>(QStringLiteral("1"));
    ASSERT_NE(ok, nullptr);
    ok->click();
    EXPECT_FALSE(cutting->isVisible());
    EXPECT_EQ(w.doc().editor.mode, kModeCutting);
    ASSERT_GT(w.doc().materialQuantity, 0.0);
    windowShot(w.frame.get(), "project-road-laid-out");

    // Saved: the header's price is the estimate of these inputs — the area in its band at the
    // price of "Матовый" in Москва, 6 corners at 150 each (band 4–8) and the two works.
    TZPriceFile prices;
    ASSERT_TRUE(prices.load(w.app.programDir()));
    const double billable = CostEstimate(w.doc(), prices, pricingOptionsOf(w.doc())).billableArea();
    const double perMetre = billable <= 10 ? 650 : billable <= 20 ? 600 : billable <= 50 ? 550 : 500;
    const double expected = billable * perMetre + 6 * 150 + 2 * 500 + 1.5 * 350;
    const std::wstring path = codepage::fromPath(w.drawings / "gostinaya.tz");
    w.ui.files = {path};
    w.frame->runCommand(cmd::kSave);
    std::string bytes;
    ASSERT_EQ(readWholeFile(w.drawings / "gostinaya.tz", projectFile::kMaxProjectBytes, bytes),
              ReadStatus::Ok);
    const auto saved = readClientFields(bytes);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->price, priceTagText(expected));
    EXPECT_NEAR(std::stod(saved->price), expected, 0.01);

    // The client list now counts both projects of the client with their prices.
    whenModal<TZClients>(
        [&](TZClients* clients) {
            const TZClientsList& client = clients->form().result().clients.at(0);
            EXPECT_EQ(client.orderCount, 2);
            EXPECT_NEAR(client.priceSum, std::stod(saved->price), 0.01);
            EXPECT_FALSE(clients->findChild<QPushButton*>("1")->isEnabled()); // browse mode
            windowShot(clients, "clients-257-browse");
            clients->findChild<QPushButton*>("2")->click();
        },
        [](TZClients* clients) { return clients->form().clientCount() > 0; });
    w.frame->runCommand(cmd::kClients);
}

TEST(ProjectWindow, TheClientTextKeepsTheEmptyRequisitesBetweenItsSeparators) {
    ProjectWindow w;
    w.frame->runCommand(cmd::kNewProject);
    w.type(1214, "18");
    w.type(1540, "ООО Ромашка");
    w.type(1656, "+7 900");
    QTest::keyClick(w.field<QLineEdit>(1656), Qt::Key_Return); // Enter is OK
    EXPECT_FALSE(w.project()->isVisible());
    EXPECT_EQ(w.doc().client, L"ООО Ромашка\u00AC\u00AC\u00AC\u00AC\u00AC+7 900");
    // A client without requisites is the bare name; the window shows the stored text split.
    w.frame->runCommand(cmd::kProjectInfo);
    EXPECT_FALSE(w.project()->form().isNewProject());
    EXPECT_EQ(w.field<QLineEdit>(1656)->text(), QStringLiteral("+7 900"));
    w.field<QLineEdit>(1656)->clear();
    w.click(1);
    EXPECT_EQ(w.doc().client, L"ООО Ромашка");
}

TEST(ProjectWindow, ANewProjectNeedsAnOrderNumberForOkAndForTheWizard) {
    ProjectWindow w;
    w.frame->runCommand(cmd::kNewProject);
    w.click(3);
    EXPECT_TRUE(w.ui.saw(L"Пожалуйста, укажите номер заказа"));
    EXPECT_TRUE(w.project()->wizard() == nullptr || !w.project()->wizard()->isVisible());
    w.ui.messages.clear();
    w.click(1);
    EXPECT_TRUE(w.ui.saw(L"Пожалуйста, укажите номер заказа"));
    EXPECT_TRUE(w.project()->isVisible());
    EXPECT_EQ(w.doc().editor.mode, kModePoints);

    // With the number the wizard opens; its rectangle stands and the window's OK keeps it.
    w.type(1214, "19");
    w.click(3);
    TZWizard* wizard = w.project()->wizard();
    ASSERT_NE(wizard, nullptr);
    ASSERT_TRUE(wizard->isVisible());
    QTest::mouseClick(wizard->findChild<WizardShapePicture*>("50028"), Qt::LeftButton);
    wizard->findChild<QLineEdit*>("1402")->setText("400");
    wizard->findChild<QLineEdit*>("1410")->setText("300");
    windowShot(wizard, "wizard-243-rectangle");
    QTest::mouseClick(wizard->findChild<QPushButton*>("1466"), Qt::LeftButton);
    EXPECT_FALSE(wizard->isVisible());
    ASSERT_EQ(w.doc().polygon.count(), 4);
    EXPECT_EQ(w.field<QLineEdit>(1228)->text(), QStringLiteral("D"));
    EXPECT_FALSE(w.project()->form().isNewProject());
    EXPECT_EQ(w.panel()->nameField()->text(), QStringLiteral("AB"));
    w.click(1);
    EXPECT_EQ(w.doc().polygon.count(), 4);
    EXPECT_EQ(w.doc().orderNumber, L"19");
    EXPECT_TRUE(w.doc().outlineFormed);
    EXPECT_NEAR(netArea(w.doc()), 12.0, 1e-6);
}

TEST(ProjectWindow, CancelStepsForwardToAStateUndoneBeforeAndStartModeIgnoresCtrlI) {
    ProjectWindow w;
    w.frame->runCommand(cmd::kProjectInfo);
    EXPECT_EQ(w.project(), nullptr) << "nothing to describe before a project is started";

    w.frame->runCommand(cmd::kNewProject);
    w.type(1214, "20");
    w.click(1);
    const float scale = w.doc().view.scaleX;
    w.frame->runCommand(cmd::kZoomIn);
    w.frame->runCommand(cmd::kUndo);
    EXPECT_FLOAT_EQ(w.doc().view.scaleX, scale);
    w.frame->runCommand(cmd::kProjectInfo);
    w.type(1214, "changed");
    QTest::keyClick(w.project(), Qt::Key_Escape);
    EXPECT_FALSE(w.project()->isVisible());
    EXPECT_EQ(w.doc().orderNumber, L"20") << "Cancel stores nothing";
    EXPECT_FLOAT_EQ(w.doc().view.scaleX, scale * 0.9f) << "the undone zoom is back";
}

TEST(ProjectWindow, PhotosAreAddedDeletedAndTheListShowsOnlyWithPhotos) {
    ProjectWindow w;
    TempDir dir;
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(QString::fromStdString((dir / "room.png").string())));
    ASSERT_TRUE(picture.save(QString::fromStdString((dir / "ceiling.png").string())));
    std::ofstream(dir / "notes.png") << "not a picture";

    w.frame->runCommand(cmd::kNewProject);
    w.type(1214, "21");
    w.click(1);
    w.frame->runCommand(cmd::kProjectInfo);
    EXPECT_TRUE(w.field<QListWidget>(1618)->isHidden());
    w.ui.files = {codepage::fromPath(dir / "room.png")};
    w.click(1138);
    EXPECT_FALSE(w.field<QListWidget>(1618)->isHidden());
    EXPECT_EQ(w.field<QListWidget>(1618)->count(), 1);
    EXPECT_TRUE(w.field<QPushButton>(1148)->isEnabled());
    w.ui.files = {codepage::fromPath(dir / "notes.png")};
    w.click(1138);
    EXPECT_TRUE(w.ui.saw(L"Не удается загрузить фото."));
    EXPECT_EQ(w.field<QListWidget>(1618)->count(), 1);

    // The photo menu's "Добавить фото ..." adds through the window and shows the photo.
    w.ui.files = {codepage::fromPath(dir / "ceiling.png")};
    EXPECT_EQ(w.frame->runCommand(cmd::kAddPhoto), CommandOutcome::Done);
    EXPECT_EQ(w.doc().photos.count(), 2);
    EXPECT_EQ(w.doc().shownPhoto, 1);
    EXPECT_EQ(w.field<QListWidget>(1618)->count(), 2);
    windowShot(w.project(), "project-252-photos");

    w.field<QListWidget>(1618)->setCurrentRow(0);
    w.click(1148);
    ASSERT_EQ(w.doc().photos.count(), 1);
    EXPECT_EQ(w.doc().photos.at(0).path, codepage::fromPath(dir / "ceiling.png"));
    w.click(1148);
    EXPECT_EQ(w.doc().photos.count(), 0);
    EXPECT_TRUE(w.field<QListWidget>(1618)->isHidden());
    EXPECT_FALSE(w.field<QPushButton>(1148)->isEnabled());
}

TEST(ProjectWindow, EveryControlIsReachedWithTabAndThePositionIsKept) {
    ProjectWindow w;
    w.frame->runCommand(cmd::kNewProject);
    TZProject* project = w.project();
    // Tab goes from the order date through every control to "Отмена" in reading order.
    const std::vector<int> order = {1538, 1214, 1116, 1540, 1624, 1226, 1234, 1240, 1248, 1656, 32505, 1600,
                                    1164, 1596, 1566, 1612, 1168, 1228, 1038, 3,    1138, 1,    2};
    std::vector<int> reached;
    QWidget* at = w.field<QWidget>(1538);
    for (std::size_t i = 0; i < 400 && reached.size() < order.size(); ++i) {
        bool ok = false;
        const int id = at->objectName().toInt(&ok);
        if (ok && at->isVisibleTo(project) && at->isEnabled() && (at->focusPolicy() & Qt::TabFocus))
            reached.push_back(id);
        at = at->nextInFocusChain();
    }
    EXPECT_EQ(reached, order);

    // Moved, closed and opened again: the window comes back where it was left.
    project->move(project->pos() + QPoint(37, 23));
    const QPoint left = project->pos();
    w.click(2);
    {
        TZProject again(w.doc(), {w.images, w.launcher, w.app.settings().drawingFolders}, w.frame.get());
        again.showProject(false);
        EXPECT_EQ(again.pos(), left);
    }
}

TEST(ProjectWindow, EditingTheLastWorkGrowsTheGridForAWorkOfOneself) {
    ProjectWindow w;
    w.frame->runCommand(cmd::kNewProject);
    w.type(1214, "22");
    auto* city = w.field<QComboBox>(1600);
    city->setFocus();
    QTest::keyClick(city, Qt::Key_Down);
    auto* works = w.field<CVirtualGridCtrl>(1612);
    ASSERT_EQ(works->rowCount(), 5);
    w.typeQuantity(4, "1");
    QApplication::processEvents();
    ASSERT_EQ(works->rowCount(), 6);
    ASSERT_TRUE(works->selectCell({1, 5}));
    typeInto(works, QStringLiteral("Д"));
    ASSERT_NE(works->editor(), nullptr);
    typeInto(works->editor(), QStringLiteral("емонтаж старого"));
    QTest::keyClick(works->editor(), Qt::Key_Return);
    w.typeQuantity(5, "3");
    QApplication::processEvents();
    EXPECT_EQ(works->rowCount(), 7);
    w.click(1);
    ASSERT_EQ(w.doc().extraWorks.count(), 2);
    EXPECT_EQ(w.doc().extraWorks.at(0).name, L"%Срочный монтаж");
    EXPECT_EQ(w.doc().extraWorks.at(1).name, L"Демонтаж старого");
    EXPECT_EQ(w.doc().extraWorks.at(1).quantity, 3.0);
    // Shown again, the works of the project keep their rows and quantities.
    w.frame->runCommand(cmd::kProjectInfo);
    EXPECT_EQ(works->model()->index(5, 1).data().toString(), QStringLiteral("Демонтаж старого"));
    EXPECT_EQ(works->model()->index(5, 2).data().toString(), QStringLiteral("3"));
}
