// The settings, About and price windows opened from the main window's commands, driven by their
// control ids as a user would.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QtTest/QTest>

#include "business/estimate.h"
#include "business/ui/price_dialogs.h"
#include "business_frame.h"
#include "storage/price_file.h"

using namespace tenzora;

namespace {

// Catches the web page the About window opens instead of starting a browser.
class UrlCatcher : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> opened;
  public slots:
    void open(const QUrl& url) { opened << url; }
};

template <typename W> W* child(QWidget* in, int id) {
    W* w = in->findChild<W*>(QString::number(id));
    EXPECT_NE(w, nullptr) << id;
    return w;
}

void click(QWidget* in, int id) {
    if (auto* b = child<QPushButton>(in, id)) b->click();
}

} // namespace

TEST(SettingsWindow, FoldersBEmptyCWritePathOneAndTwo) {
    BusinessFrame t;
    t.settings.write(kSettingsSection, L"path1", L"/old/1");
    t.settings.write(kSettingsSection, L"path2", L"/old/2");
    t.settings.write(kSettingsSection, L"path3", L"/old/3");
    t.settings.write(kSettingsSection, L"path10", L"/kept/10");
    t.app.readSettings();
    bool inside = false;
    whenModalOpens([&](QWidget* dialog) {
        inside = true;
        EXPECT_EQ(dialog->objectName(), "258");
        EXPECT_EQ(child<QLineEdit>(dialog, 1572)->text(), "/old/1");
        EXPECT_EQ(child<QLineEdit>(dialog, 1580)->text(), "/old/3");
        EXPECT_EQ(child<QLineEdit>(dialog, 1584)->text(), "/kept/10"); // the fourth folder read
        child<QLineEdit>(dialog, 1572)->setText("B");
        child<QLineEdit>(dialog, 1576)->clear();
        child<QLineEdit>(dialog, 1580)->setText("C");
        child<QLineEdit>(dialog, 1584)->clear();
        // "..." puts the chosen folder into its field; a cancelled choice leaves it.
        t.ui.files = {L"/srv/drawings"};
        click(dialog, 1058);
        EXPECT_EQ(child<QLineEdit>(dialog, 1576)->text(), "/srv/drawings");
        t.ui.files = {L""};
        click(dialog, 1058);
        EXPECT_EQ(child<QLineEdit>(dialog, 1576)->text(), "/srv/drawings");
        child<QLineEdit>(dialog, 1576)->clear();
        t.ui.files = {L"/srv/templates"};
        click(dialog, 1114);
        EXPECT_EQ(child<QLineEdit>(dialog, 1608)->text(), "/srv/templates");
        child<QCheckBox>(dialog, 1620)->setChecked(false);
        dialog->findChild<QLineEdit*>("printTitle")->setText("ООО «Потолки»");
        keepScreenshot(dialog, "settings");
        QTest::keyClick(child<QLineEdit>(dialog, 1580), Qt::Key_Return); // Enter is OK
    });
    t.frame->runCommand(cmd::kSettings);
    ASSERT_TRUE(inside);
    auto value = [&](const wchar_t* name) {
        return t.settings.read(kSettingsSection, name).value_or(L"<absent>");
    };
    EXPECT_EQ(value(L"path1"), L"B");
    EXPECT_EQ(value(L"path2"), L"C");
    EXPECT_EQ(value(L"path3"), L"<absent>");
    EXPECT_EQ(value(L"path10"), L"/kept/10") << "path10 is not the dialog's";
    EXPECT_EQ(value(L"flip_raskroy"), L"NO");
    EXPECT_EQ(value(L"velmar"), L"YES");
    EXPECT_EQ(value(L"folder_word"), L"/srv/templates");
    EXPECT_EQ(value(L"print_title"), L"ООО «Потолки»");
    EXPECT_EQ(t.app.settings().drawingFolders[0], L"B");
    EXPECT_EQ(t.app.settings().drawingFolders[1], L"C");
    EXPECT_TRUE(t.app.settings().drawingFolders[2].empty());
    EXPECT_FALSE(t.app.settings().flipCutting);
    EXPECT_EQ(t.app.settings().printTitle, L"ООО «Потолки»");

    // Esc cancels: nothing is written.
    whenModalOpens([&](QWidget* dialog) {
        child<QLineEdit>(dialog, 1572)->setText("Z");
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    t.frame->runCommand(cmd::kSettings);
    EXPECT_EQ(value(L"path1"), L"B");
}

TEST(AboutWindow, NamesTheFirmAndOpensTheProgramsPage) {
    BusinessFrame t;
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("https", &catcher, "open");
    bool inside = false;
    whenModalOpens([&](QWidget* dialog) {
        inside = true;
        EXPECT_EQ(dialog->objectName(), "253");
        EXPECT_NE(child<QLabel>(dialog, 1542)->text().indexOf("«Сатрон»"), -1);
        const QLabel* logo = child<QLabel>(dialog, 1544);
        EXPECT_EQ(logo->pixmap().size(), QSize(t.doc().resources.logo.width, t.doc().resources.logo.height));
        EXPECT_EQ(dialog->width(), std::max(t.doc().resources.logo.width, 400) + 16);
        EXPECT_EQ(dialog->height(), t.doc().resources.logo.height + 185);
        keepScreenshot(dialog, "about");
        QTest::mouseClick(dialog, Qt::LeftButton, {}, QPoint(dialog->width() / 2, 10));
        click(dialog, 1);
    });
    t.frame->runCommand(cmd::kAbout);
    QDesktopServices::unsetUrlHandler("https");
    ASSERT_TRUE(inside);
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened[0].host(), "tenzora.example.org");

    t.app.settings().printTitle = L"Потолки-М";
    whenModalOpens([&](QWidget* dialog) {
        EXPECT_NE(child<QLabel>(dialog, 1542)->text().indexOf("«Потолки-М»"), -1);
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    t.frame->runCommand(cmd::kAbout);
}

TEST(PriceWindows, PricesTypedInTheWindowsPriceTheJob) {
    BusinessFrame t([](const std::filesystem::path& dir) { std::filesystem::remove(dir / "price.dat"); });
    bool inside = false;
    whenModalOpens([&](QWidget* dialog) {
        inside = true;
        EXPECT_EQ(dialog->objectName(), "256");
        auto* cities = child<CVirtualGridCtrl>(dialog, 1600);
        auto* areas = child<CVirtualGridCtrl>(dialog, 1604);
        auto* corners = child<CVirtualGridCtrl>(dialog, 1610);
        EXPECT_EQ(cities->model()->headerData(1, Qt::Horizontal).toString(), "Город");
        typeIntoCell(cities, {1, 0}, "Тверь");
        typeIntoCell(cities, {1, 1}, "Клин");
        EXPECT_EQ(cities->model()->rowCount(), 3);
        // Typed out of order and with a near repeat: 50, 20, 5 and 5.005 keep 5, 20 and 50.
        typeIntoCell(areas, {1, 0}, "50");
        typeIntoCell(areas, {1, 1}, "20,0");
        typeIntoCell(areas, {1, 2}, "5");
        typeIntoCell(areas, {1, 3}, "5.005");
        EXPECT_EQ(cellText(areas, 1, 1), "20.0");
        typeIntoCell(corners, {1, 0}, "8");
        typeIntoCell(corners, {1, 1}, "4");
        keepScreenshot(dialog, "price-options");
        click(dialog, 1);
    });
    t.frame->runCommand(cmd::kPriceSettings);
    ASSERT_TRUE(inside);
    TZPriceFile saved;
    ASSERT_TRUE(saved.load(t.programDir));
    ASSERT_EQ(saved.cities.count(), 2);
    ASSERT_EQ(saved.areaSteps.count(), 3);
    EXPECT_DOUBLE_EQ(saved.areaSteps[0], 5.0);
    EXPECT_DOUBLE_EQ(saved.areaSteps[2], 50.0);
    ASSERT_EQ(saved.cornerSteps.count(), 2);
    EXPECT_EQ(saved.cornerSteps[0], 4);

    inside = false;
    whenModalOpens([&](QWidget* dialog) {
        inside = true;
        EXPECT_EQ(dialog->objectName(), "255");
        auto* city = child<QComboBox>(dialog, 1600);
        auto* ceilings = child<CVirtualGridCtrl>(dialog, 1606);
        auto* works = child<CVirtualGridCtrl>(dialog, 1612);
        auto* corners = child<CVirtualGridCtrl>(dialog, 1616);
        ASSERT_EQ(city->count(), 2);
        EXPECT_EQ(city->currentText(), "Тверь");
        QStringList bands;
        for (int c = 0; c < ceilings->model()->columnCount(); ++c)
            bands << ceilings->model()->headerData(c, Qt::Horizontal).toString();
        EXPECT_EQ(bands, (QStringList{"", "Наименование", "0-5", "5-20", "20-50", ">50"}));
        QStringList cornerBands;
        for (int c = 2; c < corners->model()->columnCount(); ++c)
            cornerBands << corners->model()->headerData(c, Qt::Horizontal).toString();
        EXPECT_EQ(cornerBands, (QStringList{"до 4", "от 4 до 8", "8 и более"}));
        EXPECT_EQ(ceilings->model()->rowCount(), 2) << "a city without rows gets two blank rows";

        typeIntoCell(ceilings, {1, 0}, "Матовый");
        typeIntoCell(ceilings, {4, 0}, "450");
        typeIntoCell(ceilings, {5, 0}, "400,5");
        EXPECT_EQ(cellText(ceilings, 0, 5), "400.50");
        typeIntoCell(works, {1, 0}, "%Срочно");
        typeIntoCell(works, {2, 0}, "1.2");
        typeIntoCell(corners, {3, 0}, "100");
        EXPECT_EQ(cellText(corners, 1, 1), "Клин");
        // The second city has rows of its own.
        city->setCurrentIndex(1);
        EXPECT_EQ(cellText(ceilings, 0, 1), "");
        typeIntoCell(ceilings, {1, 0}, "Глянец");
        city->setCurrentIndex(0);
        EXPECT_EQ(cellText(ceilings, 0, 1), "Матовый");

        // Resizable, with the controls where they belong for the new size.
        dialog->resize(900, 600);
        QApplication::processEvents();
        EXPECT_EQ(ceilings->geometry(), QRect(11, 36, 475, 418));
        EXPECT_EQ(corners->geometry(), QRect(11, 469, 475, 120));
        EXPECT_EQ(works->geometry(), QRect(492, 36, 400, 418));
        EXPECT_EQ(child<QPushButton>(dialog, 1)->pos(), QPoint(734, 562));
        EXPECT_EQ(child<QPushButton>(dialog, 2)->pos(), QPoint(818, 562));
        keepScreenshot(dialog, "price-lists");
        click(dialog, 1);
    });
    t.frame->runCommand(cmd::kPriceLists);
    ASSERT_TRUE(inside);

    // The estimate prices a job from what was typed: 30 m² in the band 20–50 at 450, 6 corners in
    // the band 4–8 at 100 each, and 20 % for the urgent work.
    TZPriceFile prices;
    ASSERT_TRUE(prices.load(t.programDir));
    ASSERT_EQ(prices.ceilingPrices.count(), 2);
    TestDocument job;
    setOutline(*job, {{0, 0}, {300, 0}, {300, 200}, {600, 200}, {600, 500}, {0, 500}});
    job->city = 0;
    job->ceilingType = L"Матовый";
    job->materialQuantity = 30.0;
    job->extraWorks.append({L"%Срочно", 1.0});
    const CostEstimate estimate(*job, prices, {true});
    EXPECT_DOUBLE_EQ(estimate.jobCost(false), 30 * 450.0 + 6 * 100.0);
    EXPECT_DOUBLE_EQ(estimate.jobCost(true), (30 * 450.0 + 6 * 100.0) * 1.2);
}

#include "business_dialogs_test.moc"
