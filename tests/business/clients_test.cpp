// The client text of a project and the client list gathered from the drawing folders.

#include <gtest/gtest.h>

#include <fstream>

#include "business/business_support.h"
#include "business/client_scan.h"
#include "business/client_text.h"
#include "business/clients_form.h"
#include "business/receipt.h"
#include "storage/dynamic_memory.h"
#include "storage/image_bytes.h"
#include "storage/project_image.h"

using namespace tenzora;

namespace {

constexpr wchar_t S = kClientSeparator;

// The fields joined by the separator.
std::wstring sep(std::initializer_list<std::wstring> fields) {
    std::wstring text;
    for (auto it = fields.begin(); it != fields.end(); ++it)
        text += (it == fields.begin() ? L"" : std::wstring(1, S)) + *it;
    return text;
}

ClientRequisites client(std::wstring name, std::wstring inn = L"", std::wstring kpp = L"",
                        std::wstring address = L"", std::wstring account = L"", std::wstring phone = L"") {
    return {std::move(name),    std::move(inn),     std::move(kpp),
            std::move(address), std::move(account), std::move(phone)};
}

// Saves a project of the client (a client text as stored) with a price tag in its header.
void saveClientProject(const std::filesystem::path& folder, const std::string& file,
                       const std::wstring& clientText, const std::string& priceTag,
                       const std::wstring& orderName = L"Кухня") {
    TestDocument t;
    t->client = clientText;
    t->orderName = orderName;
    t->orderNumber = L"17";
    t->orderDate = L"12.03.2024";
    t->priceTag = priceTag;
    TZDynamicMemory s;
    saveToStream(*t, s);
    std::ofstream(folder / file, std::ios::binary) << s.bytes();
}

struct ClientsFixture : ::testing::Test {
    TempDir drawings;
    std::array<std::wstring, 10> folders;
    void SetUp() override { folders[0] = codepage::fromPath(drawings.path()); }
};

} // namespace

TEST(ClientText, JoinsTheRequisitesOnlyWhenThereAreAny) {
    EXPECT_EQ(joinClientText(client(L"Иванов")), L"Иванов");
    ClientRequisites onlyPhone = client(L"ООО Ромашка");
    onlyPhone.phone = L"+7 900";
    EXPECT_EQ(joinClientText(onlyPhone), sep({L"ООО Ромашка", L"", L"", L"", L"", L"+7 900"}));
    ClientRequisites all{L"ООО Ромашка", L"123", L"456", L"Тверь", L"4070", L"+7"};
    EXPECT_EQ(splitClientText(joinClientText(all)), all);
    EXPECT_EQ(splitClientText(joinClientText(onlyPhone)), onlyPhone);
}

TEST(ClientText, SplitsByPosition) {
    EXPECT_EQ(splitClientText(L"Иванов"), client(L"Иванов"));
    // Fields missing at the end are empty; text after a sixth separator is ignored.
    EXPECT_EQ(splitClientText(sep({L"Иванов", L"123"})), client(L"Иванов", L"123"));
    EXPECT_EQ(splitClientText(sep({L"A", L"1", L"2", L"3", L"4", L"5", L"лишнее", L"ещё"})),
              client(L"A", L"1", L"2", L"3", L"4", L"5"));
    // An empty field between two separators stays empty.
    EXPECT_EQ(splitClientText(sep({L"A", L"", L"2"})), client(L"A", L"", L"2"));
    // A leading separator makes the whole text the name.
    const std::wstring leading = std::wstring(1, S) + L"123";
    EXPECT_EQ(splitClientText(leading), client(leading));
    EXPECT_EQ(splitClientText(L""), ClientRequisites{});
}

TEST_F(ClientsFixture, ProjectsAreGroupedByExactNameAndTheFirstRequisiteWins) {
    saveClientProject(drawings.path(), "1.tz", sep({L"ООО Ромашка", L"123", L"", L"", L"", L""}), "15300.50");
    saveClientProject(drawings.path(), "2.tz", sep({L"ООО Ромашка", L"456", L"789", L"", L"", L""}), "100");
    saveClientProject(drawings.path(), "3.tz", L"ооо ромашка", ""); // another client: case matters
    saveClientProject(drawings.path(), "4.tz", L"", "50");          // no client: not listed
    std::ofstream(drawings / "5.tz", std::ios::binary)
        << receiptImage(material(2, 1, false, L"Белый"), 5, L"1.1");

    const ClientScan scan = scanClients(folders);
    ASSERT_EQ(scan.clients.size(), 2u);
    const TZClientsList& romashka = scan.clients[0];
    EXPECT_EQ(romashka.id, 1);
    EXPECT_EQ(romashka.inn, L"123");
    EXPECT_EQ(romashka.kpp, L"789");
    EXPECT_EQ(romashka.orderCount, 2);
    EXPECT_DOUBLE_EQ(romashka.priceSum, 15400.5);
    EXPECT_EQ(scan.clients[1].id, 2);
    EXPECT_EQ(scan.clients[1].name, L"ооо ромашка");
    EXPECT_EQ(scan.clients[1].priceSum, 0.0); // saved without a price tag
    ASSERT_EQ(scan.projects.size(), 3u);
    EXPECT_EQ(scan.projects[1].clientId, 1);
    EXPECT_EQ(scan.projects[1].price, L"100");
    EXPECT_EQ(scan.projects[2].price, L"");
    EXPECT_EQ(scan.projects[0].orderNumber, L"17");
    EXPECT_EQ(scan.projects[0].path, codepage::fromPath(drawings / "1.tz"));
}

TEST_F(ClientsFixture, HeaderMustBeginWithTheProgramNameDirectlyOrUnscrambled) {
    TestDocument t;
    t->client = L"Петров";
    t->priceTag = codepage::toCp1251(L"12.5руб"); // the leading number counts
    ImageBytes image = expectedImage(*t);
    TZDynamicMemory scrambled;
    scrambled.assign(image.bytes);
    scrambled.scramble(scrambleKeys::K2);
    scrambled.scramble(scrambleKeys::K1);
    std::ofstream(drawings / "old.tz", std::ios::binary) << scrambled.bytes();
    // Accepted by the project reader, but not beginning with "Tenzora": not a listed project.
    std::string other = image.bytes;
    other.replace(0, 7, "Tenzorb");
    std::ofstream(drawings / "other.tz", std::ios::binary) << other;
    ImageBytes damaged = image;
    damaged.patchI32(damaged.fieldStart.at(6), 10'001);
    std::ofstream(drawings / "damaged.tz", std::ios::binary) << damaged.bytes;

    const ClientScan scan = scanClients(folders);
    ASSERT_EQ(scan.clients.size(), 1u);
    EXPECT_EQ(scan.clients[0].orderCount, 1);
    EXPECT_DOUBLE_EQ(scan.clients[0].priceSum, 12.5);
    EXPECT_EQ(scan.projects[0].price, L"12.5руб");
}

TEST_F(ClientsFixture, NoFolderGivesAnEmptyList) {
    saveClientProject(drawings.path(), "1.tz", L"Иванов", "1");
    EXPECT_TRUE(scanClients(std::array<std::wstring, 10>{}).clients.empty());
}

TEST_F(ClientsFixture, DialogShowsTheSelectedClientsProjectsAndHandsBackItsRequisites) {
    saveClientProject(drawings.path(), "1.tz", sep({L"ООО Ромашка", L"123", L"", L"Тверь", L"", L"+7"}),
                      "1000.4", L"Офис");
    saveClientProject(drawings.path(), "2.tz", L"Иванов", "99");
    saveClientProject(drawings.path(), "3.tz", L"ООО Ромашка", "2000.2", L"Склад");
    ScriptedUi ui;
    ClientsForm form(ui, /*chooseMode=*/true);
    EXPECT_TRUE(form.chooseEnabled());
    form.scan(folders);
    ASSERT_EQ(form.clientCount(), 2);
    EXPECT_EQ(form.clientText(0, 0), L"ООО Ромашка");
    EXPECT_EQ(form.clientText(0, 1), L"+7");
    EXPECT_EQ(form.clientText(0, 4), L"Тверь");
    EXPECT_EQ(form.clientText(0, 6), L"2");
    EXPECT_EQ(form.clientText(0, 7), L"3001");
    EXPECT_EQ(form.projectCount(), 0);
    EXPECT_EQ(form.chosen(), ClientRequisites{});

    form.selectClient(0);
    ASSERT_EQ(form.projectCount(), 2);
    EXPECT_EQ(form.projectText(1, 0), L"Склад");
    EXPECT_EQ(form.projectText(1, 1), L"12.03.2024");
    EXPECT_EQ(form.projectText(1, 2), L"17");
    EXPECT_EQ(form.projectText(1, 3), L"2000.2");
    EXPECT_EQ(form.chosen(), client(L"ООО Ромашка", L"123", L"", L"Тверь", L"", L"+7"));

    RecordingLauncher launcher;
    EXPECT_FALSE(form.openProject(2, launcher));
    ASSERT_TRUE(form.openProject(1, launcher));
    EXPECT_EQ(launcher.started[0].arguments,
              std::vector<std::wstring>{codepage::fromPath(drawings / "3.tz")});

    form.scan(folders); // "Обновить" forgets the selection
    EXPECT_EQ(form.selectedClientId(), 0);
    EXPECT_FALSE(form.openProject(0, launcher));
    EXPECT_FALSE(ClientsForm(ui, false).chooseEnabled());
}

TEST_F(ClientsFixture, ACancelledScanChangesNothingAndAFullOneListsAsThePlainScan) {
    for (int i = 0; i < 6; ++i)
        saveClientProject(drawings.path(), std::to_string(i) + ".tz", i % 2 ? L"Иванов" : L"Петров",
                          std::to_string(100 * (i + 1)));
    const ClientScan plain = scanClients(folders);
    std::vector<std::size_t> steps;
    const std::optional<ClientScan> full =
        scanClientsUnlessCancelled(folders, [&](std::size_t done, std::size_t total) {
            EXPECT_EQ(total, 6u);
            steps.push_back(done);
            return true;
        });
    ASSERT_TRUE(full);
    EXPECT_EQ(steps, (std::vector<std::size_t>{1, 2, 3, 4, 5, 6}));
    ASSERT_EQ(full->clients.size(), plain.clients.size());
    for (std::size_t i = 0; i < plain.clients.size(); ++i) {
        EXPECT_EQ(full->clients[i].name, plain.clients[i].name);
        EXPECT_EQ(full->clients[i].priceSum, plain.clients[i].priceSum);
    }
    ASSERT_EQ(full->projects.size(), plain.projects.size());
    for (std::size_t i = 0; i < plain.projects.size(); ++i)
        EXPECT_EQ(full->projects[i].path, plain.projects[i].path);

    // The dialog keeps the list, the selected client and the chosen requisites of the last
    // complete scan when the next one is stopped half-way.
    ScriptedUi ui;
    ClientsForm form(ui, /*chooseMode=*/true);
    form.scan(folders);
    form.selectClient(1);
    saveClientProject(drawings.path(), "new.tz", L"Сидоров", "5");
    EXPECT_FALSE(form.scanUnlessCancelled(folders, [](std::size_t done, std::size_t) { return done < 3; }));
    EXPECT_EQ(form.clientCount(), 2);
    EXPECT_EQ(form.selectedClientId(), 2);
    EXPECT_EQ(form.chosen().name, L"Иванов");
    EXPECT_EQ(form.projectCount(), 3);
    EXPECT_TRUE(form.scanUnlessCancelled(folders, {}));
    EXPECT_EQ(form.clientCount(), 3);
    EXPECT_EQ(form.selectedClientId(), 0);
}
