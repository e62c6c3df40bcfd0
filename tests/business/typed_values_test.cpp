// The grids and fields of the business dialogs refuse a typed value outside its range: the user
// is told which field and which range, and the row keeps what it held.

#include <gtest/gtest.h>

#include "business/business_support.h"
#include "business/materials_form.h"
#include "business/price_list_form.h"
#include "business/price_options_form.h"
#include "business/project_form.h"
#include "business/receipt.h"
#include "storage/price_file.h"

using namespace tenzora;

namespace {

// The texts no field of these dialogs can store, beside the ones each refuses for its range.
const std::vector<const wchar_t*> kNeverStored = {L"nan", L"inf", L"-inf", L"1e308", L"1e999", L"abc"};

std::vector<const wchar_t*> with(std::vector<const wchar_t*> texts,
                                 std::initializer_list<const wchar_t*> more) {
    texts.insert(texts.end(), more);
    return texts;
}

TZPriceFile oneCity() {
    TZPriceFile p;
    p.cities.append(L"Москва");
    p.ceilingPrices.append({L"Матовый белый", {}, 0});
    p.extraWorks.append({L"Люстра", 0, 500});
    return p;
}

} // namespace

TEST(TypedValuesInDialogs, MaterialsGridRefusesCoefficientsAndWidthsOutOfRange) {
    TempDir programDir;
    ScriptedUi ui;
    TZMaterialBase base = sampleBase(programDir.path());
    MaterialsForm form(base, ui);
    form.show();
    const int row = 1; // "Белый матовый"
    struct Column {
        int column;
        std::vector<const wchar_t*> refused;
        const wchar_t* message;
    };
    const Column columns[] = {
        {2, with(kNeverStored, {L"-5", L"0.4", L"7"}), L"Поле «Коэф. натяжения»: введите число от 0.5 до 1"},
        {3, with(kNeverStored, {L"-5", L"101"}), L"Поле «Коэф. цены обрезков»: введите число от 0 до 100"},
        {4, with(kNeverStored, {L"-5", L"1001"}),
         L"Поле «Ширина»: введите число больше 0 и не больше 1000 см"},
    };
    for (const Column& c : columns) {
        const std::wstring before = form.cellText(row, c.column);
        const int rows = form.rowCount();
        for (const wchar_t* text : c.refused) {
            ui.messages.clear();
            EXPECT_FALSE(form.editCell(row, c.column, text)) << text;
            ASSERT_EQ(ui.messages.size(), 1u) << c.column << " " << text;
            EXPECT_EQ(ui.messages[0].text, c.message);
            EXPECT_EQ(form.cellText(row, c.column), before) << text;
        }
        // Refused in the last (blank) row, no row is added.
        EXPECT_FALSE(form.editCell(form.rowCount() - 1, c.column, L"nan"));
        EXPECT_EQ(form.rowCount(), rows);
    }
    // Within range, and empty (not given), they are stored as before.
    ui.messages.clear();
    form.editCell(row, 2, L"0.95");
    form.editCell(row, 4, L"");
    EXPECT_EQ(form.rows()[row].tensionCoef, 0.95);
    EXPECT_EQ(form.rows()[row].width, 0);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(TypedValuesInDialogs, PriceGridsRefusePricesAndAreasOutOfRange) {
    TempDir programDir;
    ScriptedUi ui;
    ASSERT_TRUE(oneCity().save(programDir.path()));
    PriceListForm lists(programDir.path(), ui);
    lists.open();
    for (const wchar_t* text : with(kNeverStored, {L"-5", L"2e9"})) {
        ui.messages.clear();
        EXPECT_FALSE(lists.editCeilingCell(0, 2, text)) << text;
        lists.editCornerCell(0, 2, text);
        EXPECT_EQ(ui.messages.size(), 2u) << text;
        EXPECT_EQ(ui.messages[0].text, L"Поле «Цена»: введите число от 0 до 1000000000");
    }
    EXPECT_TRUE(lists.ceilingRows()[0].prices.count() == 0) << "nothing was stored";
    // An extra work may be a discount, typed as a negative amount.
    ui.messages.clear();
    lists.editWorkCell(0, 2, L"-300");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(lists.works()[0].price, -300);
    for (const wchar_t* text : with(kNeverStored, {L"-2e9"})) {
        lists.editWorkCell(0, 2, text);
        EXPECT_EQ(lists.works()[0].price, -300) << text;
    }

    PriceOptionsForm options(programDir.path(), ui);
    options.open();
    const int rows = options.rowCount(PriceOptionsForm::List::AreaSteps);
    for (const wchar_t* text : with(kNeverStored, {L"-5", L"2e6"})) {
        ui.messages.clear();
        EXPECT_FALSE(options.editCell(PriceOptionsForm::List::AreaSteps, rows - 1, 1, text)) << text;
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, L"Поле «Метраж»: введите число от 0 до 1000000 м²");
    }
    EXPECT_EQ(options.rowCount(PriceOptionsForm::List::AreaSteps), rows) << "no row added";
}

TEST(TypedValuesInDialogs, ExtraWorkQuantitiesAndReceiptsRefuseWhatNobodyCounts) {
    TempDir programDir;
    ASSERT_TRUE(oneCity().save(programDir.path()));
    TestDocument t(true, programDir.path());
    ProjectForm form(*t);
    form.create();
    form.show(false);
    form.editWorkCell(0, 2, L"2");
    for (const wchar_t* text : with(kNeverStored, {L"-5", L"2e6"})) {
        t.ui.messages.clear();
        EXPECT_FALSE(form.editWorkCell(0, 2, text)) << text;
        ASSERT_EQ(t.ui.messages.size(), 1u) << text;
        EXPECT_EQ(t.ui.messages[0].text, L"Поле «Количество»: введите число от 0 до 1000000");
        EXPECT_EQ(form.workCellText(0, 2), L"2") << text;
    }

    ScriptedUi ui;
    for (const wchar_t* text : with(kNeverStored, {L"-2e6", L"2e6"})) {
        ui.messages.clear();
        EXPECT_FALSE(receiptQuantity(ui, text, L"09.12.2026")) << text;
        ASSERT_EQ(ui.messages.size(), 1u) << text;
        EXPECT_EQ(ui.messages[0].text, L"Поле «Количество»: введите число от -1000000 до 1000000");
    }
    // Empty or 0 is "no quantity", told as before; a return is negative.
    ui.messages.clear();
    EXPECT_FALSE(receiptQuantity(ui, L"", L"09.12.2026"));
    EXPECT_EQ(ui.messages.at(0).text, receipt::kEnterQuantity);
    EXPECT_EQ(receiptQuantity(ui, L"-12.5", L"09.12.2026"), -12.5);
}
