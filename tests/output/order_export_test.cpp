// The order export: its lines in order, the number forms of its figures, the command's file
// question and dealer mode, the bytes on disk, and a file that cannot be written.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/command_ids.h"
#include "app/commands.h"
#include "model/settings.h"
#include "output/order_export.h"
#include "platform/clock.h"
#include "storage/codepage.h"
#include "storage/export_file.h"
#include "storage/price_file.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

// Two cities; "Матовый" in Москва at 500 / 450 / 400 per m² over the area gradations 20 and 50;
// no corner surcharge up to 4 corners; a chandelier at 500 and an urgent job at +20 %.
TZPriceFile samplePrices() {
    TZPriceFile p;
    p.cities.append(L"Москва");
    p.cities.append(L"Тверь");
    p.areaSteps.append(20.0);
    p.areaSteps.append(50.0);
    p.cornerSteps.append(4);
    TZPriceCeil row;
    row.name = L"Матовый";
    for (double v : {500.0, 450.0, 400.0})
        row.prices.append(v);
    p.ceilingPrices.append(row);
    TZPriceAngle corners;
    for (double v : {0.0, 100.0})
        corners.prices.append(v);
    p.cornerPrices.append(corners);
    p.extraWorks.append({L"Люстра", 0, 500.0});
    p.extraWorks.append({L"%Срочно", 0, 1.2});
    return p;
}

// A 5 × 4.9 m room (24.5 m²) with its order data, priced in Москва from 30 m² of material.
void orderedRoom(TZCeiling& doc) {
    setOutline(doc, {{0, 0}, {500, 0}, {500, 490}, {0, 490}});
    doc.orderNumber = L"17/2";
    doc.orderDate = L"05.03.2024";
    doc.orderName = L"Кухня";
    doc.client = L"ООО Ромашка¬7701¬¬Москва¬¬+7 900";
    doc.note = L"Этаж 3";
    doc.city = 0;
    doc.harpoon = 2;
    doc.ceilingType = L"Матовый";
    doc.materialQuantity = 30.0;
    doc.offcuts = 5.5;
    doc.seamFrom = 0;
    doc.seamTo = 2;
}

std::string slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::wstring lastLine(const std::wstring& text) {
    const std::size_t end = text.size() - 1; // the final line feed
    const std::size_t start = text.rfind(L'\n', end - 1);
    return text.substr(start + 1);
}

} // namespace

TEST(OrderExport, ListsTheOrderLinesInOrderWithTheExtraWorksLast) {
    TestDocument t;
    orderedRoom(*t);
    t->extraWorks.append({L"Люстра", 2.0});
    t->extraWorks.append({L"%Срочно", 1.5});
    t->extraWorks.append({L"Нет в прайсе", 1.0});
    // 30 m² in the band 20–50 at 450: 13 500; 2 chandeliers 1 000, urgent 1.5 × 0.2 × 13 500 = 4 050.
    EXPECT_EQ(orderExportText(*t, samplePrices()), L"#Номер заказа:17/2\n"
                                                   L"#Дата заказа:05.03.2024\n"
                                                   L"#Название заказа:Кухня\n"
                                                   L"#Клиент:ООО Ромашка¬7701¬¬Москва¬¬+7 900\n"
                                                   L"#Примечание:Этаж 3\n"
                                                   L"#Город:Москва\n"
                                                   L"#Количество изделий: 1\n"
                                                   L"#Площадь:24.50\n"
                                                   L"#Периметр:19.80\n"
                                                   L"#Гарпун:Невидимый\n"
                                                   L"#Валюта счета: руб.\n"
                                                   L"#Курс: 1,000\n"
                                                   L"#Сумма заказа:18550.00\n"
                                                   L"#Сумма материала:13500.00\n"
                                                   L"#Сумма доп. работ:5050.00\n"
                                                   L"#Тип материала:Матовый\n"
                                                   L"#Количество материала:30.0\n"
                                                   L"#Обрезки:5.5\n"
                                                   L"#Направление раскроя:AC\n"
                                                   L"#Дополнительная работа:Люстра\n"
                                                   L"Количество:2\n"
                                                   L"Стоимость:1000.00\n"
                                                   L"#Дополнительная работа:%Срочно\n"
                                                   L"Количество:1.50\n"
                                                   L"Стоимость:4050.00\n"
                                                   L"#Дополнительная работа:Нет в прайсе\n"
                                                   L"Количество:1\n"
                                                   L"Стоимость:0\n");
}

TEST(OrderExport, FiguresAndNamesTakeTheirShortFormsAndEmptyValues) {
    TestDocument t;
    orderedRoom(*t);
    const TZPriceFile prices = samplePrices();
    // A project without extra works ends with the seam direction.
    EXPECT_EQ(lastLine(orderExportText(*t, prices)), L"#Направление раскроя:AC\n");
    t->seamTo = -1;
    EXPECT_EQ(lastLine(orderExportText(*t, prices)), L"#Направление раскроя:\n");

    // An area within a hundredth of its whole part loses its decimals, and so does the perimeter.
    setOutline(*t, {{0, 0}, {600.1, 0}, {600.1, 400}, {0, 400}}); // 24.004 m²
    std::wstring text = orderExportText(*t, prices);
    EXPECT_NE(text.find(L"\n#Площадь:24\n"), std::wstring::npos) << codepage::toUtf8(text);
    EXPECT_NE(text.find(L"\n#Периметр:20\n"), std::wstring::npos);

    // Without price lists every cost is 0 and the city has no name; an unknown harpoon is empty.
    t->harpoon = 3;
    text = orderExportText(*t, TZPriceFile());
    for (const wchar_t* line : {L"\n#Сумма заказа:0\n", L"\n#Сумма материала:0\n", L"\n#Сумма доп. работ:0\n",
                                L"\n#Город:\n", L"\n#Гарпун:\n"})
        EXPECT_NE(text.find(line), std::wstring::npos) << codepage::toUtf8(line);
    t->city = -1;
    EXPECT_NE(orderExportText(*t, prices).find(L"\n#Город:\n"), std::wstring::npos);
}

namespace {

// The window's command processor over a document whose program directory holds price.dat.
struct OrderExportCommand : ::testing::Test {
    TempDir home;
    TempDir out;
    std::unique_ptr<TestDocument> t;
    AppSettings settings;
    FixedClock clock{LocalTime{2024, 3, 5, 14, 30, 0}};
    std::unique_ptr<CommandProcessor> processor;

    void SetUp() override {
        ASSERT_TRUE(samplePrices().save(home.path()));
        t = std::make_unique<TestDocument>(true, home.path());
        orderedRoom(**t);
        processor = std::make_unique<CommandProcessor>(**t, settings, clock);
        registerDocumentCommands(processor->registry());
    }
    ScriptedUi& ui() { return t->ui; }
};

} // namespace

TEST_F(OrderExportCommand, AsksForATextFileAndWritesWindows1251WithLineFeeds) {
    const std::filesystem::path file = out / "заказ.txt";
    ui().files.push_back(codepage::fromPath(file));
    EXPECT_EQ(processor->execute(cmd::kOrderExport), CommandOutcome::Done);

    ASSERT_EQ(ui().fileDialogs.size(), 1u);
    const FileDialogRequest& asked = ui().fileDialogs[0];
    EXPECT_TRUE(asked.save);
    EXPECT_TRUE(asked.confirmOverwrite);
    EXPECT_EQ(asked.filter, L"Текстовые файлы (*.txt)|*.txt|Все файлы(*.*)|*.*|");
    EXPECT_EQ(asked.defaultExtension, L"txt");
    EXPECT_EQ(asked.initialName, L"Кухня");

    // Priced from the price file of the program directory, and stored as single bytes: no byte-order
    // mark, no carriage return.
    const std::string bytes = slurp(file);
    EXPECT_EQ(bytes, codepage::toCp1251(orderExportText(**t, samplePrices())));
    EXPECT_EQ(bytes.find('\r'), std::string::npos);
    EXPECT_NE(bytes.find(codepage::toCp1251(L"#Сумма заказа:13500.00\n")), std::string::npos);
    EXPECT_TRUE(ui().messages.empty());
}

TEST_F(OrderExportCommand, DoesNothingInDealerModeOrWhenCancelled) {
    settings.dealerMode = true;
    ui().files.push_back(codepage::fromPath(out / "a.txt"));
    processor->execute(cmd::kOrderExport);
    EXPECT_TRUE(ui().fileDialogs.empty());

    settings.dealerMode = false;
    ui().files.clear();
    processor->execute(cmd::kOrderExport); // the dialog is cancelled
    EXPECT_EQ(ui().fileDialogs.size(), 1u);
    EXPECT_TRUE(std::filesystem::is_empty(out.path()));
    EXPECT_TRUE(ui().messages.empty());
}

TEST_F(OrderExportCommand, AFileThatCannotBeWrittenIsReportedAndTheOldOneKept) {
    // The export replaces a file through a temporary one beside it. A name at the file system's
    // length limit leaves no room for the temporary name, so the write fails whoever runs the test
    // (permissions would not stop the superuser) — and the existing file must survive it intact.
    const std::filesystem::path file = out / (std::string(250, 'x') + ".txt");
    { std::ofstream(file, std::ios::binary) << "old order"; }
    ui().files.push_back(codepage::fromPath(file));
    EXPECT_FALSE(exportOrder(**t, settings));
    EXPECT_EQ(slurp(file), "old order");
    ASSERT_EQ(ui().messages.size(), 1u);
    EXPECT_EQ(ui().messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(ui().messages[0].text, exportWriteFailedText(codepage::fromPath(file)));
    EXPECT_NE(ui().messages[0].text.find(L"Не удалось записать файл"), std::wstring::npos);

    // A folder that does not exist.
    const std::wstring missing = codepage::fromPath(out / "нет" / "заказ.txt");
    ui().files.push_back(missing);
    EXPECT_FALSE(exportOrder(**t, settings));
    ASSERT_EQ(ui().messages.size(), 2u);
    EXPECT_NE(ui().messages[1].text.find(missing), std::wstring::npos);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out.path()), {}), 1); // no temporary left
}
