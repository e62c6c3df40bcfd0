// tenzora-cli price, stock, receipt, clients and the exports (order-export, materials-csv, clients --csv),
// run as the program they are.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "business/project_file.h"
#include "cli_run.h"
#include "storage/codepage.h"
#include "storage/material_base.h"
#include "storage/price_file.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

using namespace clitest;

CliRun cli(const std::filesystem::path& home, const std::vector<std::string>& args) {
    return runCli(args, home);
}

Material fabric(int id, int groupId, bool isGroup, const std::wstring& name) {
    Material m;
    m.id = id;
    m.groupId = groupId;
    m.isGroup = isGroup ? 1 : 0;
    m.setName(codepage::toCp1251(name));
    return m;
}

// A program directory with a base of one group and two fabrics.
struct BusinessCli : ::testing::Test {
    TempDir home;
    TempDir drawings;
    void SetUp() override {
        TZMaterialBase base;
        base.load(home.path());
        base.append(fabric(1, 0, true, L"Матовые"));
        base.append(fabric(2, 1, false, L"Белый матовый"));
        base.append(fabric(3, 1, false, L"Бежевый"));
        ASSERT_TRUE(base.save(false));
    }
    std::string folder() const { return drawings.path().string(); }
};

} // namespace

TEST(PriceCli, PricesAProjectFromTheShippedPriceList) {
    TempDir dir;
    TestDocument t;
    setOutline(*t, {{0, 0}, {500, 0}, {500, 500}, {0, 500}}); // 25 m², 4 corners
    t->city = 0;                                              // Москва
    t->ceilingType = L"Матовый";
    t->materialQuantity = 30.0;
    t->material.offcutPriceCoef = 0.5;
    t->extraWorks.append({L"Люстра", 2.0});
    t->extraWorks.append({L"%Срочный монтаж", 1.0});
    t->extraWorks.append({L"Нет такой", 1.0});
    const std::string file = (dir / "room.tz").string();
    ASSERT_TRUE(saveProject(*t, codepage::fromUtf8(file)));

    // 30 m² billed in the band 20–50 at 550, no surcharge for 4 corners; 2 chandeliers at 500 and
    // 20 % for the urgent work.
    CliRun run = cli(TENZORA_PROGRAM_DIR, {"price", file});
    ASSERT_EQ(run.status, 0) << run.err;
    nlohmann::json j = run.json();
    EXPECT_DOUBLE_EQ(j["materialSum"].get<double>(), 16500.0);
    EXPECT_DOUBLE_EQ(j["extrasSum"].get<double>(), 1000.0 + 3300.0);
    EXPECT_DOUBLE_EQ(j["jobCost"].get<double>(), 20800.0);
    ASSERT_EQ(j["extraWorks"].size(), 3u);
    EXPECT_EQ(j["extraWorks"][1]["name"], "%Срочный монтаж");
    EXPECT_DOUBLE_EQ(j["extraWorks"][1]["cost"].get<double>(), 3300.0);
    EXPECT_EQ(j["extraWorks"][2]["cost"], 0.0);

    // With the setting off, 25 m² plus half of the 5 m² beyond: 27.5 m² at 550.
    run = cli(TENZORA_PROGRAM_DIR, {"--material-with-tension", "no", "price", file});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_DOUBLE_EQ(run.json()["materialSum"].get<double>(), 15125.0);

    // Saving through the command line writes that price into the header.
    const std::string out = (dir / "out.tz").string();
    run = cli(TENZORA_PROGRAM_DIR, {"form", file, "-o", out});
    run = cli(TENZORA_PROGRAM_DIR, {"info", out});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.json()["file"]["priceTag"], "20800.00");
}

TEST_F(BusinessCli, ReceiptAndProjectGiveTheRemainder) {
    CliRun run = cli(home.path(), {"--folder", folder(), "receipt", "--material", "2", "--quantity", "10",
                                   "--date", "01/02/2023"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.json()["path"], folder() + "/Белый матовый-01022023.tz");

    TestDocument t;
    t->material = fabric(2, 1, false, L"Белый матовый");
    t->materialQuantity = 3.5;
    t->offcuts = 0.5;
    t->client = L"Иванов";
    ASSERT_TRUE(saveProject(*t, codepage::fromPath(drawings / "кухня.tz")));

    run = cli(home.path(), {"stock", "--folder", folder()});
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json j = run.json();
    ASSERT_EQ(j["materials"].size(), 3u);
    EXPECT_EQ(j["materials"][1]["name"], "Белый матовый");
    EXPECT_DOUBLE_EQ(j["materials"][1]["stock"].get<double>(), 6.0);
    EXPECT_EQ(j["materials"][0]["isGroup"], true);
    ASSERT_EQ(j["movements"].size(), 2u);
    EXPECT_EQ(j["movements"][0]["materialId"], 2);
    EXPECT_EQ(j["movements"][0]["quantity"], -10.0);
    EXPECT_EQ(j["movements"][0]["title"], "ПОСТУПЛЕНИЕ");
    EXPECT_EQ(j["movements"][0]["date"], "01/02/2023");
    EXPECT_EQ(j["movements"][1]["client"], "Иванов");
    EXPECT_EQ(j["movements"][1]["offcuts"], 0.5);
}

TEST_F(BusinessCli, ReceiptFailuresAreReported) {
    CliRun run = cli(home.path(), {"receipt", "--material", "2", "--quantity", "10", "--date", "01.02.2023"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Не указана папка с чертежами"), std::string::npos) << run.err;
    run = cli(home.path(),
              {"--folder", folder(), "receipt", "--material", "2", "--quantity", "0", "--date", "01.02"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Пожалуйста, укажите количество материала!"), std::string::npos) << run.err;
    run = cli(home.path(),
              {"--folder", folder(), "receipt", "--material", "9", "--quantity", "1", "--date", "01.02"});
    EXPECT_EQ(run.status, 1);
    run = cli(home.path(), {"--folder", (drawings / "missing").string(), "receipt", "--material", "2",
                            "--quantity", "1", "--date", "01.02"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("missing"), std::string::npos) << run.err;
    run = cli(home.path(), {"receipt", "--material", "2"});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(std::filesystem::is_empty(drawings.path()));
}

TEST_F(BusinessCli, ClientsAreGatheredFromTheFolders) {
    for (auto [file, client] :
         {std::pair{"1.tz", L"ООО Ромашка¬123¬¬¬¬"}, {"2.tz", L"ООО Ромашка"}, {"3.tz", L"Петров"}}) {
        TestDocument t;
        t->client = client;
        setOutline(*t, {{0, 0}, {100, 0}, {100, 100}});
        t->orderName = L"Заказ";
        ASSERT_TRUE(saveProject(*t, codepage::fromPath(drawings / file)));
    }
    CliRun run = cli(home.path(), {"clients", "--folder", folder()});
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json j = run.json();
    ASSERT_EQ(j["clients"].size(), 2u);
    EXPECT_EQ(j["clients"][0]["name"], "ООО Ромашка");
    EXPECT_EQ(j["clients"][0]["inn"], "123");
    EXPECT_EQ(j["clients"][0]["orderCount"], 2);
    EXPECT_EQ(j["clients"][0]["priceSum"], 0.0); // no price list here: every tag is "0"
    ASSERT_EQ(j["projects"].size(), 3u);
    EXPECT_EQ(j["projects"][2]["clientId"], 2);
    EXPECT_EQ(j["projects"][2]["price"], "0");
    EXPECT_EQ(j["projects"][0]["path"], folder() + "/1.tz");

    run = cli(home.path(), {"clients"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.json()["clients"].empty());
}

namespace {

// The program directory of BusinessCli with a price list: "Матовый" at 400 per m² up to 50 m² in Тверь.
struct ExportsCli : BusinessCli {
    TempDir out;
    void SetUp() override {
        BusinessCli::SetUp();
        TZPriceFile prices;
        prices.cities.append(L"Тверь");
        prices.areaSteps.append(50.0);
        TZPriceCeil row;
        row.name = L"Матовый";
        row.prices.append(400.0);
        row.prices.append(350.0);
        prices.ceilingPrices.append(row);
        ASSERT_TRUE(prices.save(home.path()));
    }
    // A 4 × 5 m project of the client with 12.5 m² of "Белый матовый". Saved with the prices of
    // the program directory, its header carries the price 5000.
    std::filesystem::path saveRoom(const std::string& name, const std::wstring& client) {
        TestDocument t(false, home.path());
        setOutline(*t, {{0, 0}, {400, 0}, {400, 500}, {0, 500}});
        t->orderName = L"Кухня";
        t->client = client;
        t->city = 0;
        t->ceilingType = L"Матовый";
        t->material = fabric(2, 1, false, L"Белый матовый");
        t->materialQuantity = 12.5;
        t->offcuts = 0.5;
        const std::filesystem::path path = drawings / name;
        EXPECT_TRUE(saveProject(*t, codepage::fromPath(path)));
        return path;
    }
};

} // namespace

TEST_F(ExportsCli, OrderExportWritesTheOrderLines) {
    const std::filesystem::path project = saveRoom("кухня.tz", L"Иванов");
    const std::filesystem::path file = out / "заказ.txt";
    CliRun run = cli(home.path(), {"order-export", project.string(), file.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::wstring text = codepage::fromCp1251(slurp(file));
    EXPECT_EQ(text.rfind(L"#Номер заказа:", 0), 0u) << codepage::toUtf8(text);
    for (const wchar_t* line :
         {L"\n#Название заказа:Кухня\n", L"\n#Клиент:Иванов\n", L"\n#Город:Тверь\n", L"\n#Площадь:20\n",
          L"\n#Периметр:18\n", L"\n#Сумма заказа:5000.00\n", L"\n#Количество материала:12.5\n"})
        EXPECT_NE(text.find(line), std::wstring::npos) << codepage::toUtf8(line);
    EXPECT_TRUE(text.ends_with(L"\n#Направление раскроя:\n"));

    // A dealer gets no export; a file that cannot be written fails with its name; usage errors.
    std::filesystem::remove(file);
    run = cli(home.path(), {"--dealer-mode", "order-export", project.string(), file.string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(std::filesystem::exists(file));
    const std::string missing = (out / "нет" / "заказ.txt").string();
    run = cli(home.path(), {"order-export", project.string(), missing});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(missing), std::string::npos) << run.err;
    EXPECT_EQ(cli(home.path(), {"order-export", project.string()}).status, 2);
}

TEST_F(ExportsCli, MaterialsCsvCarriesTheRemaindersOfTheStockScan) {
    saveRoom("кухня.tz", L"Иванов");
    const std::filesystem::path file = out / "материалы.csv";
    CliRun run = cli(home.path(), {"--folder", folder(), "materials-csv", file.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(
        codepage::fromCp1251(slurp(file)),
        L"Группа;Материал/цвет;Коэффициент натяжения;Коэффициент лишнего материала;Ширина;Остаток на складе\n"
        L"Матовые;;0,93;1,00;100;0,00\n"
        L";Белый матовый;0,93;1,00;100;-13,00\n"
        L";Бежевый;0,93;1,00;100;0,00\n");

    run = cli(home.path(), {"materials-csv", (out / "нет" / "м.csv").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Не удалось записать файл"), std::string::npos) << run.err;
}

TEST_F(ExportsCli, ClientsWritesTheTableBesideTheJson) {
    saveRoom("1.tz", L"ООО Ромашка¬7701¬¬¬¬+7 900");
    saveRoom("2.tz", L"ООО Ромашка");
    const std::filesystem::path file = out / "clients.csv";
    CliRun run = cli(home.path(), {"clients", "--folder", folder(), "--csv", file.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(nlohmann::json::parse(run.out)["clients"].size(), 1u);
    EXPECT_EQ(codepage::fromCp1251(slurp(file)),
              L"Клиент;Телефон;ИНН;КПП;Адрес;Расчетный счет;Кол-во заказов;Сумма\n"
              L"ООО Ромашка;+7 900;7701;;;;2;10000\n");

    run = cli(home.path(), {"clients", "--csv", (out / "нет" / "c.csv").string()});
    EXPECT_EQ(run.status, 1);
}
