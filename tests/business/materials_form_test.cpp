// The materials dialog's working list: what the left grid shows, how edits add rows, and what OK
// stores.

#include <gtest/gtest.h>

#include "business/business_support.h"
#include "business/materials_form.h"
#include "business/stock_scan.h"

using namespace tenzora;

namespace {

struct MaterialsFixture : ::testing::Test {
    TempDir programDir;
    ScriptedUi ui;
    TZMaterialBase base = sampleBase(programDir.path());

    std::vector<std::wstring> column(const MaterialsForm& form, int c) {
        std::vector<std::wstring> texts;
        for (int r = 0; r < form.rowCount(); ++r)
            texts.push_back(form.cellText(r, c));
        return texts;
    }
    // The saved base as read back from the file.
    TZMaterialBase saved() {
        TZMaterialBase read;
        read.load(programDir.path());
        return read;
    }
};

} // namespace

TEST_F(MaterialsFixture, WorkingListIsEachGroupItsMaterialsAndAClosingBlankRow) {
    base.append(material(8, 77, false, L"Сирота")); // its group does not exist: shown nowhere
    base[2].stock = 1.5;
    MaterialsForm form(base, ui);
    form.show();
    EXPECT_EQ(column(form, 0), (std::vector<std::wstring>{L"Матовые", L"", L"", L"", L"Глянец", L"", L""}));
    EXPECT_EQ(column(form, 1), (std::vector<std::wstring>{L"", L"Белый матовый", L"Бежевый", L"", L"",
                                                          L"Белый матовый", L""}));
    EXPECT_EQ(form.cellText(2, 2), L"0.93");
    EXPECT_EQ(form.cellText(2, 3), L"1.00");
    EXPECT_EQ(form.cellText(2, 4), L"500.00");
    EXPECT_EQ(form.cellText(2, 5), L"1.50"); // the remainder of the last scan survives
    EXPECT_EQ(form.cellText(0, 2), L"");     // groups show no figures
    EXPECT_EQ(form.cellText(3, 2), L"");     // nor do unnamed rows
    EXPECT_EQ(form.cellText(99, 0), L"");

    const auto& rows = form.rows();
    EXPECT_EQ(rows[1].baseRecord, 1);
    EXPECT_EQ(rows[1].groupRow, 0);
    EXPECT_EQ(rows[0].baseRecord, -1);
    // The closing blank rows belong to their group and take identifiers after the largest one.
    EXPECT_EQ(rows[3].groupId, 1);
    EXPECT_EQ(rows[3].groupRow, 0);
    EXPECT_EQ(rows[3].id, 9);
    EXPECT_EQ(rows[6].id, 10);
    form.show(); // the counter only grows
    EXPECT_EQ(form.rows()[3].id, 11);
}

TEST_F(MaterialsFixture, EmptyBaseHasNoRows) {
    TZMaterialBase empty;
    MaterialsForm form(empty, ui);
    form.show();
    EXPECT_EQ(form.rowCount(), 0);
    EXPECT_FALSE(form.editCell(0, 0, L"Группа"));
}

TEST_F(MaterialsFixture, GroupTypedIntoTheBlankRowClosingAGroupStartsThereAndTakesTheNextMaterial) {
    MaterialsForm form(base, ui);
    form.show();
    form.selectRow(1);
    EXPECT_TRUE(form.editCell(3, 0, L"Сатин")); // the blank row closing "Матовые"
    EXPECT_EQ(form.selectedRow(), -1);
    EXPECT_EQ(form.rowCount(), 8);
    EXPECT_EQ(column(form, 0)[3], L"Сатин");
    EXPECT_EQ(column(form, 1)[4], L""); // the blank row moved down
    EXPECT_TRUE(form.editCell(4, 1, L"Сатин белый"));
    EXPECT_EQ(column(form, 1)[4], L"Сатин белый");
    EXPECT_EQ(form.rowCount(), 9);
    EXPECT_FALSE(form.editCell(4, 4, L"320")); // a coefficient of a named row: no new row
    ASSERT_TRUE(form.accept());

    const TZMaterialBase read = saved();
    ASSERT_EQ(read.count(), 7);
    EXPECT_EQ(read[3].name, codepage::toCp1251(L"Сатин"));
    EXPECT_EQ(read[3].isGroup, 1);
    EXPECT_EQ(read[4].name, codepage::toCp1251(L"Сатин белый"));
    EXPECT_EQ(read[4].groupId, read[3].id);
    EXPECT_EQ(read[4].width, 320.0);
    EXPECT_EQ(read[5].name, codepage::toCp1251(L"Глянец"));
    EXPECT_EQ(base.count(), 7); // the base in memory is the one saved
}

TEST_F(MaterialsFixture, EditsThatLandOnTheWrongKindOfRowOnlyMakeTheNewRow) {
    MaterialsForm form(base, ui);
    form.show();
    // The last row is a material row: typing a group name there appends a group row and nothing else.
    EXPECT_TRUE(form.editCell(6, 0, L"Не здесь"));
    EXPECT_EQ(form.rowCount(), 8);
    EXPECT_EQ(column(form, 0)[6], L"");
    EXPECT_EQ(form.rows()[7].isGroup, 1);
    // A number in a blank row makes an unnamed row that OK does not keep; "0,93" reads as 0.
    EXPECT_TRUE(form.editCell(7, 2, L"0,93"));
    EXPECT_EQ(form.rows()[7].tensionCoef, 0.0);
    ASSERT_TRUE(form.accept());
    EXPECT_EQ(saved().count(), 5);
}

TEST_F(MaterialsFixture, ErasingNamesDeletesRowsAndMovesMaterialsToTheGroupAbove) {
    MaterialsForm form(base, ui);
    form.show();
    form.editCell(2, 1, L""); // "Бежевый" goes
    form.editCell(4, 0, L""); // "Глянец" goes: its material joins "Матовые"
    ASSERT_TRUE(form.accept());
    TZMaterialBase read = saved();
    ASSERT_EQ(read.count(), 3);
    EXPECT_EQ(read[2].id, 5);
    EXPECT_EQ(read[2].groupId, 1);

    // Erasing the first group drops its materials: no group above takes them.
    MaterialsForm again(base, ui);
    again.show();
    again.editCell(0, 0, L"");
    ASSERT_TRUE(again.accept());
    EXPECT_EQ(saved().count(), 0);
}

TEST_F(MaterialsFixture, BaseThatCannotBeWrittenIsToldAndKept) {
    TZMaterialBase unwritable = sampleBase(programDir.path() / "missing-folder");
    MaterialsForm form(unwritable, ui);
    form.show();
    form.editCell(1, 1, L"Новое имя");
    EXPECT_FALSE(form.accept());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Error);
    EXPECT_NE(ui.messages[0].text.find(L"materials.mat"), std::wstring::npos);
    EXPECT_EQ(unwritable[1].name, codepage::toCp1251(L"Белый матовый"));
    EXPECT_EQ(form.cellText(1, 1), L"Новое имя"); // the edits stay for another try
}

TEST_F(MaterialsFixture, MovementOpensInANewInstanceWithItsPathAsOneArgument) {
    TempDir drawings;
    std::array<std::wstring, 10> folders;
    folders[0] = codepage::fromPath(drawings.path());
    saveProjectUsing(drawings.path(), "с пробелом \"и кавычкой\".tz", base[1], 1.0, 0.0);
    MaterialsForm form(base, ui);
    form.show();
    RecordingLauncher launcher;
    form.scanStock(folders);
    EXPECT_FALSE(form.openMovement(0, launcher)); // no material selected
    form.selectRow(1);
    EXPECT_FALSE(form.openMovement(1, launcher));
    ASSERT_TRUE(form.openMovement(0, launcher));
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(launcher.started[0].program, L"/opt/tenzora/tenzora");
    EXPECT_EQ(launcher.started[0].arguments, std::vector<std::wstring>{codepage::fromPath(drawings.path()) +
                                                                       L"/с пробелом \"и кавычкой\".tz"});

    // A row without a base record (a new one) shows no movements.
    form.editCell(3, 1, L"Новый");
    form.selectRow(3);
    EXPECT_EQ(form.movementCount(), 0);

    launcher.succeed = false;
    form.selectRow(1);
    EXPECT_FALSE(form.openMovement(0, launcher));
    EXPECT_EQ(ui.messages.size(), 1u);
}
