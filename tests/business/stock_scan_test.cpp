// The stock scan over the drawing folders and the receipts it counts.

#include <gtest/gtest.h>

#include <fstream>

#include "business/business_support.h"
#include "business/materials_form.h"
#include "business/receipt.h"
#include "business/stock_scan.h"
#include "storage/dynamic_memory.h"
#include "storage/file_io.h"
#include "storage/image_bytes.h"
#include "storage/project_image.h"

using namespace tenzora;

namespace {

void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A folder list as the settings hold it, with the folder given first.
std::array<std::wstring, 10> foldersOf(const std::filesystem::path& folder) {
    std::array<std::wstring, 10> folders;
    folders[0] = codepage::fromPath(folder) + L"/"; // one trailing separator, as typed
    return folders;
}

struct StockFixture : ::testing::Test {
    TempDir programDir;
    TempDir drawings;
    ScriptedUi ui;
    TZMaterialBase base = sampleBase(programDir.path() / "absent");
    std::array<std::wstring, 10> folders = foldersOf(drawings.path());
};

} // namespace

TEST_F(StockFixture, ReceiptOfTenThenAProjectOfThreeAndAHalfLeavesSix) {
    MaterialsForm form(base, ui);
    form.show();
    ASSERT_EQ(form.cellText(1, 1), L"Белый матовый");
    form.selectRow(1);
    ASSERT_TRUE(form.addReceipt(L"10", L"01.02.2023", folders));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(form.selectedRow(), -1);
    EXPECT_DOUBLE_EQ(base[1].stock, 10.0);

    saveProjectUsing(drawings.path(), "кухня.tz", base[1], 3.5, 0.5);
    form.scanStock(folders);
    EXPECT_DOUBLE_EQ(base[1].stock, 6.0);
    EXPECT_EQ(form.cellText(1, 5), L"6.00");
    EXPECT_EQ(form.cellText(2, 5), L"0.00"); // the other fabric has no movements

    form.selectRow(1);
    ASSERT_EQ(form.movementCount(), 2);
    EXPECT_EQ(form.movementText(0, 3), L"(пост.) 10.00");
    EXPECT_EQ(form.movementText(0, 2), L"ПОСТУПЛЕНИЕ");
    EXPECT_EQ(form.movementText(0, 1), L"01.02.2023");
    EXPECT_EQ(form.movementText(0, 0), L"");
    EXPECT_EQ(form.movementText(1, 3), L"3.50+0.50");
    EXPECT_EQ(form.movementText(1, 0), L"Иванов И. И.");
    EXPECT_EQ(form.movementText(1, 2), L"Кухня");

    // Stock is reset before every scan: a second scan gives the same remainders and movements.
    form.scanStock(folders);
    EXPECT_DOUBLE_EQ(base[1].stock, 6.0);
    EXPECT_EQ(form.allMovements().size(), 2u);
    EXPECT_EQ(form.movementCount(), 2);
}

TEST_F(StockFixture, MaterialIsTheFirstRecordWithTheSameGroupAndTheSameBytes) {
    base.append(material(6, 1, false, L"Белый матовый")); // a later duplicate never gets movements
    saveProjectUsing(drawings.path(), "a.tz", base[1], 2.0, 0.0);
    saveProjectUsing(drawings.path(), "b.tz", base[4], 1.0, 0.25); // same name, group 4
    Material renamed = base[1];
    renamed.setName(codepage::toCp1251(L"белый матовый"));
    saveProjectUsing(drawings.path(), "c.tz", renamed, 7.0, 0.0); // differs in case: not counted
    Material moved = base[1];
    moved.groupId = 99;
    saveProjectUsing(drawings.path(), "d.tz", moved, 7.0, 0.0); // its group is gone: not counted

    const std::vector<MaterialBalance> movements = scanStock(base, folders);
    ASSERT_EQ(movements.size(), 2u);
    EXPECT_EQ(movements[0].material, 1);
    EXPECT_EQ(movements[1].material, 4);
    EXPECT_DOUBLE_EQ(base[1].stock, -2.0);
    EXPECT_DOUBLE_EQ(base[4].stock, -1.25);
    EXPECT_EQ(base[5].stock, 0.0);
    EXPECT_EQ(movements[0].path, codepage::fromPath(drawings / "a.tz"));
}

TEST_F(StockFixture, ForeignDamagedAndOversizedFilesAreSkipped) {
    TestDocument t;
    t->material = base[1];
    t->materialQuantity = 1.0;
    ImageBytes image = expectedImage(*t);

    writeBytes(drawings / "ok.tz", image.bytes);
    writeBytes(drawings / "upper.TZ", image.bytes);  // the extension in capitals is a project too
    writeBytes(drawings / "other.txt", image.bytes); // not a project file name
    std::filesystem::create_directory(drawings / "folder.tz");
    writeBytes(drawings / "empty.tz", "");
    writeBytes(drawings / "foreign.tz", std::string("Something else\0abc", 18));
    writeBytes(drawings / "huge.tz", image.bytes + std::string(1'000'001 - image.bytes.size(), '\0'));
    ImageBytes tooMany = image;
    tooMany.patchI32(tooMany.fieldStart.at(45), 20'001); // crossings beyond their limit
    writeBytes(drawings / "damaged.tz", tooMany.bytes);
    // Lists at their limit are read (here running past the end, so the material reads as none).
    ImageBytes atLimit = image;
    atLimit.patchI32(atLimit.fieldStart.at(24), 10'000);
    EXPECT_TRUE(readStockFields(atLimit.bytes));
    atLimit.patchI32(atLimit.fieldStart.at(24), 10'001);
    EXPECT_FALSE(readStockFields(atLimit.bytes));
    // An older scrambled file.
    TZDynamicMemory scrambled;
    scrambled.assign(image.bytes);
    scrambled.scramble(scrambleKeys::K2);
    scrambled.scramble(scrambleKeys::K1);
    writeBytes(drawings / "old.tz", std::string(scrambled.bytes()));
    // A receipt cut short: what is missing reads as 0.
    const std::string receiptBytes = receiptImage(base[1], 4.0, L"01.01.2024");
    writeBytes(drawings / "short.tz", receiptBytes.substr(0, receiptBytes.size() - 16));

    const std::vector<MaterialBalance> movements = scanStock(base, folders);
    std::vector<std::wstring> names;
    for (const MaterialBalance& m : movements)
        names.push_back(std::filesystem::path(m.path).filename().wstring());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"ok.tz", L"old.tz", L"short.tz", L"upper.TZ"}));
    EXPECT_DOUBLE_EQ(base[1].stock, -3.0);
}

TEST_F(StockFixture, NoFoldersOrMissingFoldersGiveNoMovements) {
    saveProjectUsing(drawings.path(), "a.tz", base[1], 2.0, 0.0);
    base[1].stock = 5.0;
    EXPECT_TRUE(scanStock(base, std::array<std::wstring, 10>{}).empty());
    EXPECT_EQ(base[1].stock, 0.0);
    std::array<std::wstring, 10> missing;
    missing[0] = codepage::fromPath(drawings / "nowhere");
    EXPECT_TRUE(scanStock(base, missing).empty());
}

TEST_F(StockFixture, ProgressIsToldAfterEveryFile) {
    for (const char* name : {"a.tz", "b.tz", "c.tz"})
        saveProjectUsing(drawings.path(), name, base[1], 1.0, 0.0);
    std::vector<std::pair<std::size_t, std::size_t>> calls;
    scanStock(base, folders, [&](std::size_t done, std::size_t total) { calls.emplace_back(done, total); });
    EXPECT_EQ(calls, (std::vector<std::pair<std::size_t, std::size_t>>{{1, 3}, {2, 3}, {3, 3}}));
}

// ---- receipts ----------------------------------------------------------------------------------

TEST(Receipt, ImageIsTheShortProjectLayoutByteForByte) {
    Material fabric = material(7, 3, false, L"Белый матовый 320", 320.0);
    fabric.tensionCoef = 0.95;
    fabric.offcutPriceCoef = 1.2;
    ImageBytes b;
    b.str("Tenzora file format. Version 1.01. ADDMATERIAL");
    b.u8(0);
    b.i32(0);
    b.i32(0);
    b.str(codepage::toCp1251(L"01.02.2023"));
    b.i32(0);
    b.f64(0.0);
    b.i32(0);
    b.str("");
    b.str(codepage::toCp1251(L"ПОСТУПЛЕНИЕ"));
    b.str("");
    b.i32(0);
    b.u8(0);
    for (int i = 0; i < 8; ++i)
        b.i32(0);
    b.i32(0);
    b.i32(0);
    b.i32(0);
    b.u8(0), b.u8(0), b.u8(0);
    b.f64(0.0), b.f64(0.0);
    b.i32(0);
    b.i32(7);
    b.i32(3);
    b.u8(0);
    b.f64(0.95);
    b.f64(1.2);
    b.str(codepage::toCp1251(L"Белый матовый 320"));
    b.f64(320.0);
    b.i32(0), b.i32(0), b.i32(0);
    b.i32(0);
    b.f64(-12.5);
    b.f64(0.0);
    const std::string image = receiptImage(fabric, 12.5, L"01.02.2023");
    EXPECT_EQ(image, b.bytes);

    // The project reader takes it as a project of the previous format with no lists.
    TestDocument t;
    TZDynamicMemory s;
    s.assign(image);
    bool currentFormat = true;
    ASSERT_TRUE(loadFromStream(*t, s, currentFormat));
    EXPECT_FALSE(currentFormat);
    EXPECT_EQ(t->orderName, L"ПОСТУПЛЕНИЕ");
    EXPECT_EQ(t->material.name, fabric.name);
    EXPECT_DOUBLE_EQ(t->materialQuantity, -12.5);
    EXPECT_TRUE(t->dops.empty() && t->holes.empty() && t->extraWorks.empty() && t->photos.empty());
}

TEST(Receipt, FileNameLosesForbiddenCharactersAndPathSeparators) {
    auto name = [](const std::wstring& fabric, const std::wstring& date) {
        return receiptFileName(material(1, 1, false, fabric), date);
    };
    EXPECT_EQ(name(L"Белый:мат*", L"01.02.2023"), L"Белыймат-01.02.2023.tz");
    EXPECT_EQ(name(L"a|b?c<d>e\"f'g", L"1.1"), L"abcdefg-1.1.tz");
    // Separators in the name or the date must not lead out of the drawing folder.
    EXPECT_EQ(name(L"../../etc/cron.d/x", L"01/02/2023"), L"....etccron.dx-01022023.tz");
    EXPECT_EQ(name(L"..\\x", L"1.1"), L"..x-1.1.tz");
    EXPECT_EQ(name(L"..", L"1.1"), std::nullopt);
    EXPECT_EQ(name(L"./", L"1.1"), std::nullopt);
    EXPECT_EQ(name(L":*?", L"1.1"), std::nullopt);
}

TEST_F(StockFixture, ReceiptLandsInTheFirstFolderWithoutADoubledSeparator) {
    std::array<std::wstring, 10> list;
    list[0] = folders[0]; // with its trailing separator
    const auto path =
        writeReceipt(ui, firstDrawingFolder(list), material(2, 1, false, L"Белый:мат*"), 3.0, L"01.02.2023");
    ASSERT_TRUE(path);
    EXPECT_EQ(*path, codepage::fromPath(drawings.path()) + L"/Белыймат-01.02.2023.tz");
    EXPECT_TRUE(std::filesystem::exists(drawings / codepage::toPath(L"Белыймат-01.02.2023.tz")));

    // A name that cannot make a file name is refused and told.
    EXPECT_FALSE(
        writeReceipt(ui, codepage::fromPath(drawings.path()), material(2, 1, false, L".."), 3.0, L"1.1"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, L"Tenzora");
}

TEST_F(StockFixture, ReceiptThatCannotBeWrittenIsToldAndNothingIsScanned) {
    MaterialsForm form(base, ui);
    form.show();
    form.selectRow(1);
    std::array<std::wstring, 10> missing;
    missing[0] = codepage::fromPath(drawings / "nowhere");
    EXPECT_FALSE(form.addReceipt(L"10", L"01.02.2023", missing));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Error);
    EXPECT_NE(ui.messages[0].text.find(L"nowhere"), std::wstring::npos);
    EXPECT_EQ(form.selectedRow(), 1); // the user can try again
    EXPECT_FALSE(form.receiptControlsEnabled());

    // No drawing folder at all: told too, instead of silently recording nothing.
    EXPECT_FALSE(form.addReceipt(L"10", L"01.02.2023", std::array<std::wstring, 10>{}));
    EXPECT_EQ(ui.messages.back().text, receipt::kNoDrawingFolder);
}

TEST_F(StockFixture, ReceiptChecksAreToldWithTheProgramCaptionAndChangeNothing) {
    MaterialsForm form(base, ui);
    form.show();
    EXPECT_FALSE(form.addReceipt(L"10", L"01.02.2023", folders));
    form.selectRow(2);
    EXPECT_FALSE(form.addReceipt(L"10", L"1", folders));
    EXPECT_FALSE(form.addReceipt(L"0,5", L"01.02.2023", folders)); // a comma ends the number: 0
    EXPECT_FALSE(form.addReceipt(L"-0.01", L"01.02.2023", folders));
    ASSERT_EQ(ui.messages.size(), 4u);
    EXPECT_EQ(ui.messages[0].text, L"Пожалуйста, выберите материал в таблице слева!");
    EXPECT_EQ(ui.messages[1].text, L"Пожалуйста, укажите дату поступления!");
    EXPECT_EQ(ui.messages[2].text, L"Пожалуйста, укажите количество материала!");
    for (const MessageRequest& m : ui.messages) {
        EXPECT_EQ(m.caption, L"Tenzora");
        EXPECT_EQ(m.icon, MessageIcon::Exclamation);
    }
    EXPECT_EQ(form.selectedRow(), 2);
    EXPECT_TRUE(std::filesystem::is_empty(drawings.path()));
}

TEST_F(StockFixture, NegativeReceiptIsAWriteOff) {
    MaterialsForm form(base, ui);
    form.show();
    form.selectRow(2); // "Бежевый"
    ASSERT_TRUE(form.addReceipt(L"-5", L"02.02.2023", folders));
    EXPECT_DOUBLE_EQ(base[2].stock, -5.0);
    form.selectRow(2);
    ASSERT_EQ(form.movementCount(), 1);
    EXPECT_EQ(form.movementText(0, 3), L"5.00"); // a consumption, not a receipt
    EXPECT_TRUE(form.receiptControlsEnabled());
    EXPECT_FALSE(form.scanButtonEnabled());
}
