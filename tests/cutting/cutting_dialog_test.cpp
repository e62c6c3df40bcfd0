// The cutting dialog's logic: lists, handlers, OK, the optimiser and the remainders.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "business/receipt.h"
#include "cutting/cutting_dialog.h"
#include "model/names.h"
#include "model/settings.h"
#include "storage/codepage.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

Material record(std::int32_t id, std::int32_t groupId, bool group, const wchar_t* name, double width = 0,
                double tension = 0.93, double offcut = 1.0) {
    Material m;
    m.id = id;
    m.groupId = groupId;
    m.isGroup = group ? 1 : 0;
    m.setName(codepage::toCp1251(name));
    m.width = width;
    m.tensionCoef = tension;
    m.offcutPriceCoef = offcut;
    return m;
}

class CuttingDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setOutline(*doc, {{0, 0}, {500, 0}, {500, 400}, {0, 400}});
        doc->diagonals.at(0).length = 500;
        doc->editor.mode = kModeCutting; // re-placing the outline then only centres it
        TZMaterialBase& base = doc->resources.materialBase;
        base.clear();
        base.append(record(1, 0, true, L"MSD"));
        base.append(record(2, 1, false, L"Белый мат", 320, 0.93, 1.5));
        base.append(record(3, 1, false, L"Белый глянец", 300, 0.95));
        base.append(record(5, 0, true, L"Pongs"));
        base.append(record(6, 5, false, L"Синий", 250, 0.9));
        doc->material = record(2, 1, false, L"белый МАТ", 320);
        settings.materialWithTension = false;
    }
    // Shows the dialog with the side AB and the first fabric chosen, as a user would.
    void chooseSideAB() {
        dialog.setVisible(true);
        dialog.sides().selected = 0;
        dialog.sideChosen();
        dialog.fabricChosen();
    }
    TestDocument doc{true};
    AppSettings settings;
    CuttingDialog dialog{*doc, settings};
};

TEST_F(CuttingDialogTest, ShowingFillsTheListsFromTheBaseAndTheProject) {
    doc->material.groupId = 99; // a group this base does not have
    dialog.setVisible(true);
    EXPECT_EQ(dialog.fabricTypes().entries, (std::vector<std::wstring>{L"MSD", L"Pongs"}));
    EXPECT_EQ(dialog.fabricTypes().selected, 0);
    EXPECT_EQ(doc->material.groupId, 99); // showing does not rewrite the project's material
    EXPECT_EQ(dialog.fabrics().entries, (std::vector<std::wstring>{L"Белый мат", L"Белый глянец"}));
    EXPECT_EQ(dialog.sides().entries.size(), 4u);
    EXPECT_EQ(dialog.sides().entries[3], L"D  -  A");
    EXPECT_TRUE(dialog.fields().seamSide.empty());

    // The project's fabric is found whatever the case of its name.
    dialog.setVisible(false);
    doc->material.groupId = 1;
    doc->material.setName(codepage::toCp1251(L"БЕЛЫЙ ГЛЯНЕЦ"));
    dialog.setVisible(true);
    EXPECT_EQ(dialog.fabrics().selected, 1);

    dialog.fabricTypes().selected = 1;
    dialog.fabricTypeChosen();
    EXPECT_EQ(dialog.fabrics().entries, (std::vector<std::wstring>{L"Синий"}));
    EXPECT_EQ(dialog.fields().width, L"250.0");
    EXPECT_EQ(dialog.fields().tension, L"0.90");
}

TEST_F(CuttingDialogTest, OkWithoutASeamSideAsksForOne) {
    dialog.setVisible(true);
    dialog.fabricChosen();
    dialog.fields().offset = L"12,5";
    EXPECT_EQ(dialog.ok(), ConfirmOutcome::MissingSide);
    ASSERT_EQ(doc.ui.messages.size(), 1u);
    EXPECT_EQ(doc.ui.messages[0].text,
              L"Пожалуйста, выберите сторону или диагональ, по которой будет идти шов");
    EXPECT_EQ(doc->seamFrom, -1);
    EXPECT_TRUE(dialog.visible());
    EXPECT_EQ(doc->seamOffset, 12.5); // the fields read before the check stay stored
}

TEST_F(CuttingDialogTest, OkLaysOutWithTheChosenFabricAndCloses) {
    chooseSideAB();
    EXPECT_EQ(dialog.fields().seamSide, L"AB");
    EXPECT_EQ(dialog.fields().width, L"320.0");
    EXPECT_EQ(dialog.fields().offcutCoef, L"1.50");
    const int trees = doc.views.trees;
    ASSERT_EQ(dialog.ok(), ConfirmOutcome::LaidOut);
    EXPECT_EQ(dialog.layout(), LayoutOutcome::LaidOut);
    EXPECT_FALSE(dialog.visible());
    EXPECT_GT(doc.views.trees, trees);
    EXPECT_EQ(doc->seamFrom, 0);
    EXPECT_EQ(doc->seamTo, 1);
    EXPECT_EQ(doc->tensionY, -1.0); // an empty "по Y*"
    EXPECT_EQ(codepage::fromCp1251(doc->material.name), L"Белый мат");
    EXPECT_EQ(doc->material.offcutPriceCoef, 1.5);
    EXPECT_NEAR(doc->materialQuantity, 34.41, 0.005);
    EXPECT_EQ(doc->diagonals.count(), 4); // AB was a measured side already
    // Hidden again, the fields show the project as stored.
    EXPECT_EQ(dialog.fields().width, L"320");
    EXPECT_EQ(dialog.fields().offset, L"0");
    EXPECT_EQ(dialog.fields().seams, L"0");

    // A typed tension across the canvases is stored and changes the pitch only.
    dialog.setVisible(true);
    dialog.fields().tensionY = L"0,95";
    ASSERT_EQ(dialog.ok(), ConfirmOutcome::LaidOut);
    EXPECT_EQ(doc->tensionY, 0.95);
    EXPECT_NEAR(doc->materialQuantity, 34.41, 0.005);
    EXPECT_EQ(dialog.fields().tensionY, L"0.95");
}

TEST_F(CuttingDialogTest, AnUnknownDiagonalBecomesTheCurrentRecordOnce) {
    dialog.setVisible(true);
    dialog.fields().seamSide = L"AC";
    dialog.fields().width = L"320";
    dialog.fields().tension = L"0.93";
    ASSERT_EQ(dialog.ok(), ConfirmOutcome::LaidOut);
    ASSERT_EQ(doc->diagonals.count(), 5);
    EXPECT_EQ(pairName(doc->diagonals.at(4).a, doc->diagonals.at(4).b), L"AC");
    EXPECT_EQ(doc->diagonals.at(4).length, 0);
    // Later confirmations leave the records alone.
    dialog.setVisible(true);
    dialog.fields().seamSide = L"BD";
    ASSERT_EQ(dialog.ok(), ConfirmOutcome::LaidOut);
    EXPECT_EQ(doc->diagonals.count(), 5);
}

TEST_F(CuttingDialogTest, OkStopsSilentlyWithoutWidthOrFabric) {
    chooseSideAB();
    dialog.fields().width = L"";
    dialog.fields().tension = L"0";
    dialog.fields().perpendicular = true;
    EXPECT_EQ(dialog.ok(), ConfirmOutcome::NoWidth);
    EXPECT_TRUE(doc->seamPerpendicular);
    dialog.fields().width = L"320";
    dialog.fabrics().entries = {L"Нет такого"};
    dialog.fabrics().selected = 0;
    EXPECT_EQ(dialog.ok(), ConfirmOutcome::FabricNotFound);
    dialog.fabricTypes().selected = -1;
    EXPECT_EQ(dialog.ok(), ConfirmOutcome::NoFabricType);
    EXPECT_TRUE(doc.ui.messages.empty());
    EXPECT_TRUE(doc->seamLines.empty());
}

TEST_F(CuttingDialogTest, OffsetButtonsPutASeamThroughAPointOrTheMiddle) {
    dialog.setVisible(true);
    dialog.fields().seamSide = L"AB"; // measured 500
    dialog.offsetButton(OffsetButton::Centre);
    EXPECT_EQ(dialog.fields().offset, L"-250.0");
    dialog.offsetButton(OffsetButton::SecondPoint);
    EXPECT_EQ(dialog.fields().offset, L"-500.0");
    dialog.offsetButton(OffsetButton::FirstPoint);
    EXPECT_EQ(dialog.fields().offset, L"0");
    dialog.fields().seamSide = L"BC"; // not measured: its drawn length
    dialog.offsetButton(OffsetButton::Centre);
    EXPECT_EQ(dialog.fields().offset, L"-200.0");
    dialog.fields().seamSide = L"";
    dialog.offsetButton(OffsetButton::SecondPoint);
    EXPECT_EQ(dialog.fields().offset, L"0");
}

TEST_F(CuttingDialogTest, PerpendicularAndTwoDiagonalsShowTheirControls) {
    dialog.setVisible(true);
    EXPECT_FALSE(dialog.view().offsetButtons);
    dialog.fields().seamSide = L"CD";
    dialog.fields().perpendicular = true;
    dialog.perpendicularChanged();
    EXPECT_TRUE(dialog.view().offsetButtons);
    EXPECT_EQ(dialog.view().firstPointLabel, L"C");
    EXPECT_EQ(dialog.view().secondPointLabel, L"D");

    dialog.fields().twoDiagonals = true;
    dialog.twoDiagonalsChanged();
    EXPECT_TRUE(dialog.view().secondDiagonal);
    EXPECT_FALSE(dialog.view().perpendicularBox);
    EXPECT_FALSE(dialog.view().offsetButtons);
    dialog.seamSideEdited(); // the side field changing does not bring the buttons back
    EXPECT_FALSE(dialog.view().offsetButtons);

    dialog.fields().twoDiagonals = false;
    dialog.twoDiagonalsChanged();
    EXPECT_TRUE(dialog.view().offsetButtons);
}

TEST_F(CuttingDialogTest, TwoDiagonalsNeedTheSecondDiagonalText) {
    chooseSideAB();
    dialog.fields().twoDiagonals = true;
    dialog.fields().secondDiagonal = L"";
    ASSERT_EQ(dialog.ok(), ConfirmOutcome::LaidOut);
    EXPECT_FALSE(doc->twoDiagonals);
    dialog.setVisible(true);
    dialog.fields().twoDiagonals = true;
    dialog.fields().secondDiagonal = L"??";
    ASSERT_EQ(dialog.ok(), ConfirmOutcome::LaidOut);
    EXPECT_TRUE(doc->twoDiagonals);
    EXPECT_EQ(doc->seamFrom2, -1);
    EXPECT_EQ(dialog.layout(), LayoutOutcome::SeamNotFound);
}

TEST_F(CuttingDialogTest, ClosingRepeatsTheLayoutWithTheStoredMaterial) {
    chooseSideAB();
    ASSERT_EQ(dialog.ok(), ConfirmOutcome::LaidOut);
    const double quantity = doc->materialQuantity;
    doc->materialQuantity = 0;
    dialog.setVisible(true);
    doc->materialQuantity = 0;
    dialog.close();
    EXPECT_FALSE(dialog.visible());
    EXPECT_DOUBLE_EQ(doc->materialQuantity, quantity);
}

TEST_F(CuttingDialogTest, RemaindersShowAfterTheNamesAndTheFabricIsStillFound) {
    dialog.setVisible(true);
    std::map<std::int32_t, double> remainders{{2, 12.5}, {3, 0.004}, {6, -3}};
    dialog.showMaterialRemainders([&](TZMaterialBase& base) {
        for (Material& m : base)
            m.stock = remainders[m.id];
    });
    EXPECT_EQ(dialog.fabrics().entries, (std::vector<std::wstring>{L"Белый мат (12.50)", L"Белый глянец"}));
    EXPECT_EQ(doc->resources.materialBase.at(4).stock, -3);
    dialog.sides().selected = 0;
    dialog.sideChosen();
    dialog.fabricChosen();
    EXPECT_EQ(dialog.fields().width, L"320.0");
    EXPECT_EQ(dialog.ok(), ConfirmOutcome::LaidOut);
    EXPECT_EQ(doc->material.id, 2);
}

// "Показать остатки материалов" scans the drawing folders of the settings.
TEST_F(CuttingDialogTest, RemaindersComeFromTheDrawingFolders) {
    TempDir folder;
    settings.drawingFolders[0] = folder.path().wstring();
    ASSERT_TRUE(
        writeReceipt(doc.ui, folder.path().wstring(), doc->resources.materialBase.at(1), 10, L"01.02.2026"));
    dialog.setVisible(true);
    dialog.showMaterialRemainders();
    EXPECT_EQ(dialog.fabrics().entries, (std::vector<std::wstring>{L"Белый мат (10.00)", L"Белый глянец"}));
}

// A tall triangle with a point in the middle of its base: AB and AC lie on one line from A, so
// they lay the canvases out identically; BC lies on that line too, its crossings computed from
// another origin.
class OptimiserTest : public CuttingDialogTest {
  protected:
    void SetUp() override {
        CuttingDialogTest::SetUp();
        setOutline(*doc, {{0, 0}, {50, 0}, {100, 0}, {50, 1000}});
    }
};

TEST_F(OptimiserTest, TriesEveryOrderedPairAndKeepsTheFirstSmallest) {
    dialog.setVisible(true);
    dialog.fabricChosen();
    dialog.fields().perpendicular = true;
    dialog.fields().twoDiagonals = true;
    dialog.fields().offset = L"35";
    // The quantity of each pair, laid out on its own.
    Material m = doc->resources.materialBase.at(1);
    std::vector<std::pair<std::wstring, double>> quantities;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            if (i == j) continue;
            const auto pair = parsePairName(pairName(i, j));
            doc->seamFrom = pair->first;
            doc->seamTo = pair->second;
            layoutCanvases(*doc, m, true, false);
            quantities.emplace_back(pairName(i, j), doc->materialQuantity);
        }
    doc->seamFrom = doc->seamTo = -1;
    doc->seamLines.clear();
    // The first pair in the order tried that reaches the smallest quantity.
    auto best = quantities.front();
    for (const auto& q : quantities)
        if (q.second < best.second) best = q;
    const auto quantityOf = [&](const std::wstring& name) {
        return std::find_if(quantities.begin(), quantities.end(),
                            [&](const auto& q) { return q.first == name; })
            ->second;
    };
    ASSERT_EQ(quantityOf(L"AB"), quantityOf(L"AC"));   // an exact tie, AC tried after AB
    ASSERT_NEAR(quantityOf(L"AB"), best.second, 1e-4); // … near the best

    const int before = doc->history.undoCount;
    const OptimiserResult result = dialog.optimiseSeamSide();
    ASSERT_EQ(result.triedPairs.size(), 12u);
    EXPECT_EQ(result.triedPairs[0], L"AB");
    EXPECT_EQ(result.triedPairs[3], L"AB"); // (1, 0): each pair twice
    EXPECT_EQ(result.bestPair, best.first);
    EXPECT_EQ(result.bestQuantity, best.second);
    EXPECT_EQ(result.final, ConfirmOutcome::LaidOut);
    EXPECT_EQ(pairName(doc->seamFrom, doc->seamTo), best.first);
    EXPECT_EQ(doc->seamOffset, 0);
    EXPECT_FALSE(doc->seamPerpendicular);
    EXPECT_FALSE(doc->twoDiagonals);
    EXPECT_FALSE(dialog.fields().perpendicular);
    EXPECT_FALSE(dialog.fields().twoDiagonals);
    EXPECT_FALSE(dialog.visible());
    EXPECT_FALSE(doc->suppressUndo);
    EXPECT_FALSE(dialog.optimising());
    EXPECT_EQ(doc->history.undoCount, before + 1);

    // Undoing it returns to the project as it was before the search.
    ASSERT_TRUE(doc->undo());
    EXPECT_EQ(doc->seamFrom, -1);
    EXPECT_TRUE(doc->seamLines.empty());
}

TEST_F(OptimiserTest, AProjectWithoutVerticesEndsInTheMissingSideMessage) {
    doc->polygon.clear();
    dialog.setVisible(true);
    dialog.fabricChosen();
    const OptimiserResult result = dialog.optimiseSeamSide();
    EXPECT_TRUE(result.triedPairs.empty());
    EXPECT_EQ(result.final, ConfirmOutcome::MissingSide);
    EXPECT_TRUE(doc.ui.saw(kMissingSeamSideMessage));
}

} // namespace
