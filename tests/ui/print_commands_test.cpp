// The print-form menu, the print job through a scripted print dialog, and the preview window.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QPrinter>
#include <QTimer>
#include <QToolBar>
#include <QtTest/QTest>

#include "app/command_ids.h"
#include "app/tenzora_app.h"
#include "app/ui/main_frame.h"
#include "app/ui/print_commands.h"
#include "model/ceiling.h"
#include "model/geometry.h"
#include "output/print_preview.h"
#include "output/ui/print_view_wnd.h"
#include "platform/clock.h"
#include "platform/qt/qt_image_codec.h"
#include "platform/qt/qt_launcher.h"
#include "platform/qt/widgets_print_dialog.h"
#include "platform/settings_store.h"
#include "qt_app.h"
#include "storage/codepage.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

struct PrintWindow {
    explicit PrintWindow(const std::filesystem::path& programDir = TENZORA_PROGRAM_DIR)
        : app({ui, settings, launcher, clock, images}, programDir) {
        testApplication();
        std::wstring missing;
        app.loadLogos(missing);
        frame = std::make_unique<CMainFrame>(app);
        frame->resize(1280, 800);
        frame->show();
        QApplication::processEvents();
    }
    ScriptedUi ui;
    MemorySettingsStore settings;
    QtLauncher launcher;
    FixedClock clock{LocalTime{2024, 3, 5, 10, 0, 0}};
    QtImageCodec images;
    CTenzoraApp app;
    std::unique_ptr<CMainFrame> frame;

    TZCeiling& doc() { return app.document(); }
    QAction* action(int id) { return frame->action(id); }
    CPrintViewWnd* preview() { return frame->printing().previewWindow(); }

    // A round room of `corners` measured sides: its list of sides overflows the workshop
    // sheet's three lines to the continuation page.
    void roundRoom(int corners) {
        std::vector<std::pair<double, double>> points;
        for (int i = 0; i < corners; ++i) {
            const double a = 2 * kPi * i / corners;
            points.emplace_back(300 * std::cos(a), 300 * std::sin(a));
        }
        setOutline(doc(), points);
        for (int i = 0; i < doc().diagonals.count(); ++i) {
            Diagonal& d = doc().diagonals.at(i);
            d.length = distance(doc().polygon.at(d.a), doc().polygon.at(d.b));
        }
        doc().editor.mode = kModePoints;
        doc().orderNumber = L"4711";
        doc().orderName = L"Гостиная";
    }

    // Opens the menu of `command` and picks the form of `index` (or closes the menu: -1),
    // giving the menu's entries as "objectName text".
    QStringList chooseForm(int command, int index) {
        QStringList seen;
        auto* poll = new QTimer;
        poll->setInterval(5);
        QObject::connect(poll, &QTimer::timeout, [poll, &seen, index] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr || !menu->isVisible()) return;
            poll->stop();
            poll->deleteLater();
            for (QAction* a : menu->actions())
                seen << a->objectName() + " " + a->text();
            if (index < 0) {
                menu->close();
                return;
            }
            menu->setActiveAction(menu->actions().value(index));
            QTest::keyClick(menu, Qt::Key_Return);
        });
        poll->start();
        action(command)->trigger();
        QApplication::processEvents();
        QApplication::processEvents();
        return seen;
    }
};

std::string readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Pages of a PDF written by Qt: its page objects.
int pdfPages(const std::string& pdf) {
    int pages = 0;
    for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos;
         at = pdf.find("/Type /Page", at + 1))
        if (pdf.compare(at, 12, "/Type /Pages") != 0) ++pages;
    return pages;
}

// Dark pixels inside a rectangle of the picture.
int darkPixels(const QImage& image, const QRect& box) {
    int dark = 0;
    for (int y = box.top(); y <= box.bottom() && y < image.height(); ++y)
        for (int x = box.left(); x <= box.right() && x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) ++dark;
    return dark;
}

} // namespace

TEST(PrintCommands, TheMenuListsAtMostFiftyFormsUnderItsCommand) {
    TempDir program;
    for (int i = 0; i < 55; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "form-%02d.pem", i);
        std::ofstream(program / name) << "Form " << i << "\r\nPRINT; 10; 10; 5; X\r\n";
    }
    PrintWindow w(program.path());
    ASSERT_TRUE(w.action(cmd::kPreview)->isEnabled());
    ASSERT_TRUE(w.action(cmd::kPrint)->isEnabled());
    const QStringList seen = w.chooseForm(cmd::kPreview, -1);
    ASSERT_EQ(seen.size(), 50);
    EXPECT_EQ(seen.first(), "cmd20000 Form 0");
    EXPECT_EQ(seen.last(), "cmd20049 Form 49");
    EXPECT_EQ(w.doc().resources.printForms.count(), 55);
    EXPECT_EQ(w.doc().printMode, 0);
    w.chooseForm(cmd::kPrint, -1);
    EXPECT_EQ(w.doc().printMode, 1);
    // A dismissed menu prints nothing and opens no preview.
    EXPECT_EQ(w.preview(), nullptr);
}

TEST(PrintCommands, WithoutFormsTheUserIsToldAndNoMenuOpens) {
    TempDir program;
    PrintWindow w(program.path());
    int popups = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            ++popups;
            menu->close();
        }
    });
    poll.start(5);
    w.action(cmd::kPrint)->trigger();
    QApplication::processEvents();
    EXPECT_EQ(popups, 0);
    EXPECT_TRUE(w.ui.saw(L"Нет ни одной доступной печатной формы!"));
}

TEST(PrintCommands, APreviewChoiceOpensTheWindowWhichZoomsAndOnlyHidesOnClose) {
    PrintWindow w;
    w.roundRoom(8);
    w.chooseForm(cmd::kPreview, 1);
    CPrintViewWnd* view = w.preview();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->windowTitle(), QStringLiteral("Печать"));
    EXPECT_EQ(view->toolbar()->windowTitle(), QStringLiteral("Инструменты просмотра печати"));
    EXPECT_EQ(w.doc().printFormIndex, 1);
    QStringList buttons;
    for (QAction* a : view->toolbar()->actions())
        buttons << (a->isSeparator() ? "-" : a->objectName());
    EXPECT_EQ(buttons, (QStringList{"cmd50004", "cmd50007", "cmd50008", "cmd50009", "-", "cmd32901",
                                    "cmd32902", "-", "-", "cmd32903"}));

    const double start = view->preview().pixelsPerCm;
    EXPECT_GT(start, 0);
    for (int i = 0; i < 3; ++i)
        view->action(cmd::kZoomIn)->trigger();
    EXPECT_NEAR(view->preview().pixelsPerCm, start * 1.331, 1e-9);

    // The page buttons are pressed by the page mode.
    EXPECT_TRUE(view->action(previewCmd::kFirstPage)->isChecked());
    view->action(previewCmd::kSecondPage)->trigger();
    EXPECT_EQ(view->preview().pageMode, 1);
    EXPECT_TRUE(view->action(previewCmd::kSecondPage)->isChecked());
    EXPECT_FALSE(view->action(previewCmd::kFirstPage)->isChecked());

    // Dragging with the left button moves the page.
    view->resize(1000, 900);
    QApplication::processEvents();
    QWidget* area = view->pageArea();
    QTest::mousePress(area, Qt::LeftButton, {}, QPoint(300, 300));
    QMouseEvent moveEvent(QEvent::MouseMove, QPointF(340, 320), area->mapToGlobal(QPointF(340, 320)),
                          Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area, &moveEvent);
    QTest::mouseRelease(area, Qt::LeftButton, {}, QPoint(340, 320));
    EXPECT_EQ(view->preview().offsetX, 40);
    EXPECT_EQ(view->preview().offsetY, 20);
    // The page is painted at its new place: its left border 40 pixels right of the old one.
    QApplication::processEvents();
    const QImage moved = area->grab().toImage();
    const Rect page = view->preview().pageRect(area->width());
    EXPECT_EQ(qGray(moved.pixel(page.left, page.top + 50)), 0);
    EXPECT_EQ(moved.pixel(page.left - 40, page.top + 50), QColor(177, 177, 177).rgb());

    view->close();
    EXPECT_TRUE(view->isHidden());
    EXPECT_EQ(w.preview(), view);
    // Shown again: the same window, the page back in its place.
    w.chooseForm(cmd::kPreview, 0);
    EXPECT_EQ(w.preview(), view);
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->preview().offsetX, 0);
    EXPECT_EQ(w.doc().printFormIndex, 0);
}

TEST(PrintCommands, TheSecondPageOfThePreviewShowsTheContinuationText) {
    PrintWindow w;
    w.roundRoom(40);
    w.chooseForm(cmd::kPreview, 0); // the workshop sheet
    CPrintViewWnd* view = w.preview();
    ASSERT_NE(view, nullptr);
    view->resize(900, 1000);
    QApplication::processEvents();
    const Rect page = view->preview().pageRect(view->pageArea()->width());
    const double pxPerMm = page.width() / 210.0;
    // The sheet's title at (55, 12) mm, and the continuation text's first line 10 mm in.
    const QRect title(page.left + int(55 * pxPerMm), page.top + int(12 * pxPerMm), int(60 * pxPerMm),
                      int(6 * pxPerMm));
    const QRect rest(page.left + int(10 * pxPerMm), page.top + int(10 * pxPerMm), int(190 * pxPerMm),
                     int(6 * pxPerMm));

    const QImage first = view->pageArea()->grab().toImage();
    first.save(QString::fromStdString(
        (std::filesystem::path(TENZORA_PROGRAM_DIR).parent_path() / "print-preview-page1.png").string()));
    EXPECT_GT(darkPixels(first, title), 20);

    view->action(previewCmd::kSecondPage)->trigger();
    const QImage second = view->pageArea()->grab().toImage();
    second.save(QString::fromStdString(
        (std::filesystem::path(TENZORA_PROGRAM_DIR).parent_path() / "print-preview-page2.png").string()));
    EXPECT_GT(darkPixels(second, rest), 20);
    // Below the continuation text the page is empty; on the sheet it holds the lists.
    const QRect lower(page.left + int(10 * pxPerMm), page.top + int(150 * pxPerMm), int(190 * pxPerMm),
                      int(120 * pxPerMm));
    EXPECT_GT(darkPixels(first, lower), 20);
    EXPECT_EQ(darkPixels(second, lower), 0);
    EXPECT_EQ(darkPixels(second, title.translated(0, int(110 * pxPerMm))), 0);

    // The whole window, for looking at.
    view->grab().save(QString::fromStdString(
        (std::filesystem::path(TENZORA_PROGRAM_DIR).parent_path() / "print-preview-window.png").string()));
}

TEST(PrintCommands, APrintChoiceRunsTheJobOnThePrinterOfTheDialog) {
    PrintWindow w;
    w.roundRoom(40);
    TempDir out;
    const std::filesystem::path pdf = out / "sheet.pdf";
    QString docName;
    int dialogs = 0;
    bool accept = false;
    w.frame->printing().printers().setDialogRunner([&](QPrinter& printer) {
        ++dialogs;
        docName = printer.docName();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf.string()));
        printer.setPageSize(QPageSize(QPageSize::A4));
        return accept;
    });
    // Cancelled: nothing printed.
    w.chooseForm(cmd::kPrint, 0);
    EXPECT_EQ(dialogs, 1);
    EXPECT_FALSE(std::filesystem::exists(pdf));
    EXPECT_EQ(w.preview(), nullptr);

    accept = true;
    w.chooseForm(cmd::kPrint, 0);
    EXPECT_EQ(dialogs, 2);
    EXPECT_EQ(docName, QStringLiteral("Чертёж Гостиная"));
    const std::string written = readAll(pdf);
    ASSERT_EQ(written.rfind("%PDF", 0), 0u);
    // The sheet and its continuation page.
    EXPECT_EQ(pdfPages(written), 2);
    EXPECT_TRUE(w.ui.messages.empty());
    std::filesystem::copy_file(
        pdf, std::filesystem::path(TENZORA_PROGRAM_DIR).parent_path() / "print-dialog-sheet.pdf",
        std::filesystem::copy_options::overwrite_existing);

    // The preview's print button prints the form shown, through the dialog again.
    std::filesystem::remove(pdf);
    w.chooseForm(cmd::kPreview, 1);
    ASSERT_NE(w.preview(), nullptr);
    w.preview()->action(cmd::kPrint)->trigger();
    EXPECT_EQ(dialogs, 3);
    EXPECT_TRUE(std::filesystem::exists(pdf));

    // A printer that cannot start the document.
    w.frame->printing().printers().setDialogRunner([&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString((out / "no-such-folder" / "x.pdf").string()));
        return true;
    });
    w.chooseForm(cmd::kPrint, 0);
    EXPECT_TRUE(w.ui.saw(L"Error StartDoc"));
}

TEST(PrintCommands, SavingThePreviewWritesThePictureOfTheSheet) {
    PrintWindow w;
    w.roundRoom(8);
    w.chooseForm(cmd::kPreview, 1);
    ASSERT_NE(w.preview(), nullptr);
    TempDir out;
    const std::filesystem::path png = out / "sheet.png";
    w.ui.files.push_back(codepage::fromPath(png));
    w.preview()->action(previewCmd::kSavePicture)->trigger();
    ASSERT_FALSE(w.ui.fileDialogs.empty());
    const FileDialogRequest& dialog = w.ui.fileDialogs.back();
    EXPECT_EQ(dialog.initialName, L"Гостиная");
    EXPECT_EQ(dialog.filter.find(L"*.wmf"), std::wstring::npos);
    EXPECT_NE(dialog.filter.find(L"*.emf"), std::wstring::npos);
    QImage picture(QString::fromStdString(png.string()));
    ASSERT_FALSE(picture.isNull());
    // A sheet: a page of A4 proportions.
    EXPECT_NEAR(double(picture.height()) / picture.width(), 297.0 / 210.0, 0.01);
}
