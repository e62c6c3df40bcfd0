// The cutting dialog refuses a typed value no fabric or seam can have: told with the field and
// its range, and the project stays as it was.

#include <gtest/gtest.h>

#include <cmath>

#include "cutting/cutting_dialog.h"
#include "model/settings.h"
#include "storage/codepage.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

Material fabric(std::int32_t id, std::int32_t groupId, bool group, const wchar_t* name, double width = 0) {
    Material m;
    m.id = id;
    m.groupId = groupId;
    m.isGroup = group ? 1 : 0;
    m.setName(codepage::toCp1251(name));
    m.width = width;
    return m;
}

class CuttingDialogValues : public ::testing::Test {
  protected:
    void SetUp() override {
        setOutline(*doc, {{0, 0}, {500, 0}, {500, 400}, {0, 400}});
        doc->diagonals.at(0).length = 500;
        doc->editor.mode = kModeCutting;
        doc->resources.materialBase.clear();
        doc->resources.materialBase.append(fabric(1, 0, true, L"MSD"));
        doc->resources.materialBase.append(fabric(2, 1, false, L"Белый мат", 320));
        doc->material = fabric(2, 1, false, L"Белый мат", 320);
    }
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

TEST_F(CuttingDialogValues, EachNumberFieldRefusesWhatNoLayoutCanUse) {
    struct Field {
        std::wstring CuttingDialogFields::*member;
        const wchar_t* message;
    };
    const Field fields[] = {
        {&CuttingDialogFields::offset, L"Поле «Отступ»: введите число от -10000 до 10000 см"},
        {&CuttingDialogFields::offset2,
         L"Поле «Отступ по второй диагонали»: введите число от -10000 до 10000 см"},
        {&CuttingDialogFields::tension, L"Поле «К-т натяжения»: введите число от 0.5 до 1"},
        {&CuttingDialogFields::tensionY, L"Поле «К-т натяжения по Y»: введите число от 0.5 до 1"},
        {&CuttingDialogFields::offcutCoef, L"Поле «К-т лишнего материала»: введите число от 0 до 100"},
        {&CuttingDialogFields::width, L"Поле «Ширина»: введите число больше 0 и не больше 1000 см"},
        {&CuttingDialogFields::seams, L"Поле «Швы»: введите число от 0 до 1000 мм"},
    };
    for (const Field& f : fields) {
        for (const wchar_t* bad : {L"-20000", L"nan", L"inf", L"1e308", L"ширина"}) {
            chooseSideAB();
            const CuttingDialogFields good = dialog.fields();
            dialog.fields().*f.member = bad;
            doc.ui.messages.clear();
            const double quantityBefore = doc->materialQuantity;
            const int seamsBefore = doc->seamLines.count();
            EXPECT_EQ(dialog.ok(), ConfirmOutcome::Refused) << f.message << " / " << bad;
            ASSERT_EQ(doc.ui.messages.size(), 1u) << f.message << " / " << bad;
            EXPECT_EQ(doc.ui.messages[0].text, f.message);
            EXPECT_TRUE(dialog.visible()) << "the dialog stays open for mending";
            EXPECT_EQ(doc->materialQuantity, quantityBefore);
            EXPECT_EQ(doc->seamLines.count(), seamsBefore);
            // Mended, the same dialog lays out.
            dialog.fields() = good;
            EXPECT_EQ(dialog.ok(), ConfirmOutcome::LaidOut) << f.message;
            EXPECT_TRUE(std::isfinite(doc->materialQuantity));
        }
    }
}

TEST_F(CuttingDialogValues, EmptyOrZeroKeepTheirMeaningAndTheSearchesCheckFirst) {
    chooseSideAB();
    // An empty Y tension is "the same as the tension"; an empty offset is 0.
    dialog.fields().tensionY = L"";
    dialog.fields().offset = L"";
    EXPECT_EQ(dialog.ok(), ConfirmOutcome::LaidOut);
    EXPECT_EQ(doc->tensionY, -1.0);
    // No width and no tension: stops silently, as before.
    chooseSideAB();
    dialog.fields().width = L"0";
    dialog.fields().tension = L"";
    doc.ui.messages.clear();
    EXPECT_EQ(dialog.ok(), ConfirmOutcome::NoWidth);
    EXPECT_TRUE(doc.ui.messages.empty());

    // The optimisers refuse before trying a single side, with one message.
    chooseSideAB();
    dialog.fields().width = L"1e308";
    doc.ui.messages.clear();
    const OptimiserResult quick = dialog.optimiseSeamSide({});
    EXPECT_EQ(quick.final, ConfirmOutcome::Refused);
    EXPECT_TRUE(quick.triedPairs.empty());
    const FineSearchResult fine = dialog.optimiseSeamSideFine({});
    EXPECT_EQ(fine.final, ConfirmOutcome::Refused);
    EXPECT_EQ(fine.layouts, 0);
    EXPECT_EQ(doc.ui.messages.size(), 2u);
}

} // namespace
