// The project information dialog: what it shows, the city's lists, OK (in a new project too),
// Cancel, and the photos.

#include <gtest/gtest.h>

#include "business/business_support.h"
#include "business/photos.h"
#include "business/project_form.h"
#include "model/shapes.h"
#include "storage/price_file.h"

using namespace tenzora;

namespace {

TZPriceFile cityPrices() {
    TZPriceFile p;
    p.cities.append(L"Москва");
    p.cities.append(L"Тверь");
    p.ceilingPrices.append({L"Матовый белый", {}, 0});
    p.ceilingPrices.append({L"Глянец", {}, 0});
    p.ceilingPrices.append({L"Сатин", {}, 1});
    p.extraWorks.append({L"Люстра", 0, 500});
    p.extraWorks.append({L"Труба", 0, 300});
    p.extraWorks.append({L"Труба", 1, 250});
    p.extraWorks.append({L"Светильник", 1, 200});
    return p;
}

struct ProjectFixture : ::testing::Test {
    TempDir programDir;
    std::unique_ptr<TestDocument> t;
    void SetUp() override {
        ASSERT_TRUE(cityPrices().save(programDir.path()));
        t = std::make_unique<TestDocument>(true, programDir.path());
    }
    TZCeiling& doc() { return **t; }
    ScriptedUi& ui() { return t->ui; }

    std::vector<std::pair<std::wstring, std::wstring>> rows(const ProjectForm& form) {
        std::vector<std::pair<std::wstring, std::wstring>> texts;
        for (int r = 0; r < form.workRowCount(); ++r)
            texts.emplace_back(form.workCellText(r, 1), form.workCellText(r, 2));
        return texts;
    }
};

using Rows = std::vector<std::pair<std::wstring, std::wstring>>;

} // namespace

TEST_F(ProjectFixture, ShowingFillsTheFieldsAndTheCitysLists) {
    setOutline(doc(), {{0, 0}, {400, 0}, {400, 300}, {0, 300}});
    doc().orderNumber = L"17";
    doc().client = L"ООО Ромашка¬123¬¬¬¬+7 900";
    doc().city = 0;
    doc().ceilingType = L"матовый"; // the first entry it begins, whatever the case
    doc().harpoon = 2;
    doc().seamFrom = 2;
    doc().seamTo = 0;
    doc().extraWorks.append({L"Труба", 2});
    doc().extraWorks.append({L"Снятый с прайса", 1.5});
    ProjectForm form(doc());
    form.create();
    form.show(false);
    EXPECT_EQ(form.cities(), (std::vector<std::wstring>{L"Москва", L"Тверь"}));
    EXPECT_EQ(form.fields.orderNumber, L"17");
    EXPECT_EQ(form.fields.client.name, L"ООО Ромашка");
    EXPECT_EQ(form.fields.client.inn, L"123");
    EXPECT_EQ(form.fields.client.phone, L"+7 900");
    EXPECT_EQ(form.fields.lastCorner, L"D");
    EXPECT_EQ(form.fields.seamDirection, L"AC");
    EXPECT_EQ(form.fields.city, 0);
    EXPECT_EQ(form.ceilingTypes(), (std::vector<std::wstring>{L"Матовый белый", L"Глянец"}));
    EXPECT_EQ(form.fields.ceilingType, L"Матовый белый");
    EXPECT_EQ(form.fields.harpoon, 2);
    EXPECT_EQ(rows(form), (Rows{{L"Люстра", L""}, {L"Труба", L"2"}, {L"Снятый с прайса", L"1.50"}}));
    EXPECT_FALSE(form.photoListShown());

    // Another city: its works in price-file order keep the quantities of the same names; a work it
    // does not offer keeps its row while it has a quantity.
    form.editWorkCell(0, 2, L"1"); // a chandelier typed in
    form.changeCity(1);
    EXPECT_EQ(form.ceilingTypes(), std::vector<std::wstring>{L"Сатин"});
    EXPECT_EQ(form.fields.ceilingType, L"");
    EXPECT_EQ(
        rows(form),
        (Rows{{L"Труба", L"2"}, {L"Светильник", L""}, {L"Люстра", L"1"}, {L"Снятый с прайса", L"1.50"}}));
    form.changeCity(0);
    EXPECT_EQ(rows(form), (Rows{{L"Люстра", L"1"}, {L"Труба", L"2"}, {L"Снятый с прайса", L"1.50"}}));
}

TEST_F(ProjectFixture, OkStoresTheOrderDataAndTheWorksWithAQuantity) {
    setOutline(doc(), {{0, 0}, {400, 0}, {400, 300}});
    doc().seamFrom = 2;
    doc().seamTo = 0;
    ProjectForm form(doc());
    form.create();
    form.show(false);
    form.fields.orderNumber = L"18";
    form.fields.orderName = L"Спальня";
    form.fields.client = {L"ООО Ромашка", L"", L"", L"", L"", L"+7 900"};
    form.fields.note = L"Белый";
    form.fields.sentToWork = true;
    form.changeCity(1);
    form.fields.ceilingType = L"Сатин";
    form.fields.harpoon = 1;
    form.editWorkCell(1, 2, L"2,5"); // the last row: a new empty row is appended
    EXPECT_EQ(form.workRowCount(), 3);
    form.editWorkCell(2, 1, L"Своя работа");
    form.editWorkCell(2, 2, L"1");
    ASSERT_TRUE(form.accept());

    EXPECT_EQ(doc().orderNumber, L"18");
    EXPECT_EQ(doc().orderName, L"Спальня");
    EXPECT_EQ(doc().client, L"ООО Ромашка¬¬¬¬¬+7 900");
    EXPECT_EQ(doc().note, L"Белый");
    EXPECT_TRUE(doc().sentToWork);
    EXPECT_EQ(doc().city, 1);
    EXPECT_EQ(doc().ceilingType, L"Сатин");
    EXPECT_EQ(doc().harpoon, 1);
    ASSERT_EQ(doc().extraWorks.count(), 2); // "Труба" with 0 is not stored
    EXPECT_EQ(doc().extraWorks[0].name, L"Светильник");
    EXPECT_DOUBLE_EQ(doc().extraWorks[0].quantity, 2.5);
    EXPECT_EQ(doc().extraWorks[1].name, L"Своя работа");
    // The seam side shown and left unchanged keeps its direction.
    EXPECT_EQ(doc().seamFrom, 2);
    EXPECT_EQ(doc().seamTo, 0);
    EXPECT_EQ(t->views.title, L"Tenzora 1.0 ::: Спальня");

    form.show(false);
    form.fields.seamDirection = L"bc"; // lower-case letters read as the names they stand for
    ASSERT_TRUE(form.accept());
    EXPECT_EQ(doc().seamFrom, 1);
    EXPECT_EQ(doc().seamTo, 2);
    form.show(false);
    form.fields.seamDirection = L"?";
    ASSERT_TRUE(form.accept());
    EXPECT_EQ(doc().seamFrom, -1);
    EXPECT_EQ(doc().client, L"ООО Ромашка¬¬¬¬¬+7 900"); // split and joined again unchanged
}

TEST_F(ProjectFixture, NewProjectNeedsAnOrderNumberAndStartsTheOutlineFromTheLastCorner) {
    ProjectForm form(doc());
    form.create();
    form.show(true);
    form.fields.orderName = L"Гостиная";
    EXPECT_FALSE(form.shapeWizardAllowed());
    EXPECT_FALSE(form.accept());
    ASSERT_EQ(ui().messages.size(), 2u);
    EXPECT_EQ(ui().messages[1].text, L"Пожалуйста, укажите номер заказа");
    EXPECT_EQ(ui().messages[1].icon, MessageIcon::Exclamation);
    EXPECT_EQ(doc().orderName, L""); // nothing stored

    form.fields.orderNumber = L"  21 ";
    form.takeCornerCount(5);
    EXPECT_EQ(form.fields.lastCorner, L"E");
    EXPECT_TRUE(form.shapeWizardAllowed());
    ASSERT_TRUE(form.accept());
    EXPECT_EQ(doc().polygon.count(), 5);
    EXPECT_EQ(doc().editor.mode, kModePoints);
    EXPECT_FALSE(doc().outlineFormed);
    EXPECT_EQ(doc().orderName, L"Гостиная");
    EXPECT_EQ(doc().orderNumber, L"  21 ");

    // "A" (or nothing) starts an empty outline; a name that cannot be read is told, and the
    // order data is stored all the same.
    form.show(true);
    form.fields.lastCorner = L"A";
    ASSERT_TRUE(form.accept());
    EXPECT_EQ(doc().polygon.count(), 0);
    EXPECT_EQ(doc().orderNumber, L"  21 ");
    form.show(true);
    form.fields.lastCorner = L"A-B";
    ASSERT_TRUE(form.accept());
    EXPECT_TRUE(ui().saw(kWrongPointMessage));
}

TEST_F(ProjectFixture, ANewProjectNeverTakesTheWorksOfTheProjectShownBefore) {
    doc().city = 0;
    doc().extraWorks.append({L"Люстра", 3});
    ProjectForm form(doc());
    form.create();
    form.show(false);
    ASSERT_TRUE(form.accept());

    ASSERT_TRUE(doc().newProjectAndShow());
    form.show(true);
    EXPECT_EQ(form.fields.city, 0); // the city chosen last stays selected
    EXPECT_EQ(rows(form), (Rows{{L"Люстра", L""}, {L"Труба", L""}}));
    form.fields.orderNumber = L"1";
    ASSERT_TRUE(form.accept());
    EXPECT_EQ(doc().city, 0);
    EXPECT_TRUE(doc().extraWorks.empty());
}

TEST_F(ProjectFixture, CancelStepsForwardToAStateUndoneBefore) {
    setOutline(doc(), {{0, 0}, {400, 0}, {400, 300}});
    doc().orderName = L"Было";
    doc().takeSnapshot();
    doc().orderName = L"Стало";
    doc().takeSnapshot();
    ASSERT_TRUE(doc().undo());
    ASSERT_EQ(doc().orderName, L"Было");
    ProjectForm form(doc());
    form.create();
    form.show(false);
    form.cancel();
    EXPECT_EQ(doc().orderName, L"Стало");
    const int messages = static_cast<int>(ui().messages.size());
    form.cancel(); // nothing later: no message either
    EXPECT_EQ(static_cast<int>(ui().messages.size()), messages);
}

TEST_F(ProjectFixture, PhotosAreAddedOnlyWhenTheyDecodeAndDeletingKeepsTheShownOne) {
    FakeImages images;
    ProjectForm form(doc());
    ui().files = {L"/photos/a.png", L"/photos/b.jpg", L"/photos/c.png", L"/photos/d.png"};
    ASSERT_TRUE(form.addPhoto(images));
    EXPECT_EQ(ui().fileDialogs[0].filter, photos::kFilter);
    EXPECT_FALSE(form.addPhoto(images));
    ASSERT_EQ(ui().messages.size(), 1u);
    EXPECT_EQ(ui().messages[0].text, L"Не удается загрузить фото.");
    EXPECT_EQ(ui().messages[0].caption, L"Ошибка загрузки фото");
    ASSERT_TRUE(form.addPhoto(images));
    EXPECT_EQ(form.photoPaths(), (std::vector<std::wstring>{L"/photos/a.png", L"/photos/c.png"}));
    EXPECT_TRUE(form.photoListShown());
    ASSERT_TRUE(doc().photos[0].image.has_value());

    // The menu's "Добавить фото ..." shows the photo it added.
    ASSERT_TRUE(addPhotoFromMenu(doc(), images));
    EXPECT_EQ(doc().shownPhoto, 2);
    EXPECT_TRUE(form.deletePhoto(0));
    EXPECT_EQ(doc().shownPhoto, 1);
    EXPECT_EQ(doc().photos[1].path, L"/photos/d.png");
    EXPECT_TRUE(form.deletePhoto(1));
    EXPECT_EQ(doc().shownPhoto, -1);
    EXPECT_FALSE(form.deletePhoto(5));
    EXPECT_FALSE(addPhotoFromMenu(doc(), images)); // cancelled
}
