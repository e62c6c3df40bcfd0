// The CSV tables of the materials dialog and the client list: their rows and number forms, the
// save question of "В Excel", and the bytes on disk.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "business/clients_form.h"
#include "business/csv_tables.h"
#include "business/materials_form.h"
#include "business_support.h"

using namespace tenzora;

namespace {

std::string slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Group "Матовые" with a fabric whose name holds a ";" and a fabric 319.6 cm wide; group "Глянец"
// without fabrics.
struct MaterialsCsv : ::testing::Test {
    TempDir home;
    TempDir out;
    ScriptedUi ui;
    TZMaterialBase base;
    void SetUp() override {
        base.load(home.path());
        base.append(material(1, 0, true, L"Матовые"));
        Material semicolon = material(2, 1, false, L"Белый;матовый");
        semicolon.tensionCoef = 0.9;
        semicolon.offcutPriceCoef = 1.5;
        semicolon.stock = -3.5; // the remainder of the last scan
        base.append(semicolon);
        base.append(material(3, 1, false, L"Бежевый", 319.6));
        base.append(material(4, 0, true, L"Глянец"));
    }
};

} // namespace

TEST_F(MaterialsCsv, WritesEveryNamedRowOfTheWorkingListWithDecimalCommas) {
    MaterialsForm form(base, ui);
    form.show();
    // An edit not yet saved with OK: a new fabric typed into the blank row closing "Матовые".
    form.editCell(3, 1, L"Новый");

    const std::wstring expected = L"Группа;Материал/цвет;Коэффициент натяжения;Коэффициент лишнего материала;"
                                  L"Ширина;Остаток на складе\n"
                                  L"Матовые;;0,93;1,00;320;0,00\n"
                                  L";Белый;матовый;0,90;1,50;320;-3,50\n" // unquoted: one field more
                                  L";Бежевый;0,93;1,00;320;0,00\n"
                                  L";Новый;0,93;1,00;0;0,00\n"
                                  L"Глянец;;0,93;1,00;320;0,00\n";
    EXPECT_EQ(materialsCsvText(form.rows()), expected);

    // "В Excel": the save question, then the table as single bytes with line feeds only.
    const std::filesystem::path file = out / "материалы.csv";
    ui.files.push_back(codepage::fromPath(file));
    EXPECT_TRUE(form.exportCsv());
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    EXPECT_TRUE(ui.fileDialogs[0].save);
    EXPECT_TRUE(ui.fileDialogs[0].confirmOverwrite);
    EXPECT_EQ(ui.fileDialogs[0].filter, L"Файлы CSV (поддерживаются всеми электронными таблицами)|*.csv|");
    EXPECT_EQ(ui.fileDialogs[0].defaultExtension, L"csv");
    const std::string bytes = slurp(file);
    EXPECT_EQ(bytes, codepage::toCp1251(expected));
    EXPECT_EQ(bytes.find('\r'), std::string::npos);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xC3u); // "Г" in Windows-1251, no byte-order mark

    // Cancelled (no name, or an empty one): nothing is written.
    std::filesystem::remove(file);
    EXPECT_FALSE(form.exportCsv());
    ui.files.push_back(L"");
    EXPECT_FALSE(form.exportCsv());
    EXPECT_TRUE(std::filesystem::is_empty(out.path()));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(ClientsCsv, ListsEveryClientWithOrderCountAndRoundedSum) {
    ClientListBuilder list;
    const std::string romashka =
        codepage::toCp1251(L"ООО Ромашка¬7701¬770101001¬Москва, ул. Ленина¬40702¬+7 900");
    for (const char* price : {"4000.2", "4000.2", "4345.2"}) // 12 345.6
        list.add({price, "01.02.2024", romashka, "Кухня", "1"}, L"/p/1.tz");
    list.add({"", "02.02.2024", codepage::toCp1251(L"Петров"), "Зал", "2"}, L"/p/2.tz");

    const std::wstring text = clientsCsvText(list.scan().clients);
    EXPECT_EQ(text, L"Клиент;Телефон;ИНН;КПП;Адрес;Расчетный счет;Кол-во заказов;Сумма\n"
                    L"ООО Ромашка;+7 900;7701;770101001;Москва, ул. Ленина;40702;3;12346\n"
                    L"Петров;;;;;;1;0\n");

    // "В Excel" of the dialog writes the list of its last scan (here none: the header alone).
    TempDir out;
    ScriptedUi ui;
    ClientsForm form(ui, false);
    form.scan({});
    const std::filesystem::path file = out / "clients.csv";
    ui.files.push_back(codepage::fromPath(file));
    EXPECT_TRUE(form.exportCsv());
    EXPECT_EQ(slurp(file), codepage::toCp1251(csvTables::kClientsHeader));
    EXPECT_EQ(ui.fileDialogs.at(0).defaultExtension, L"csv");
}
