#include <gtest/gtest.h>

#include <cmath>

#include "editor/length_entry.h"
#include "model/ceiling.h"
#include "model/geometry.h"
#include "model/measurements.h"
#include "model/records.h"
#include "support/fakes.h"
#include "support/rooms.h"

using namespace tenzora;

namespace {
const std::vector<std::pair<double, double>> kQuadrilateral = {{0, 0}, {0, 300}, {400, 300}, {400, 0}};
} // namespace

TEST(LengthField, ReadsACommaOrAPointAndOtherwiseZero) {
    EXPECT_EQ(readLengthField(L"312,5"), 312.5);
    EXPECT_EQ(readLengthField(L" 312.5 "), 312.5);
    EXPECT_EQ(readLengthField(L"+40см"), 40);
    EXPECT_EQ(readLengthField(L"?"), 0);
    EXPECT_EQ(readLengthField(L""), 0);
    EXPECT_EQ(readLengthField(L"nan"), 0);
    EXPECT_EQ(readLengthField(L"1e999"), 0);
    EXPECT_EQ(readLengthField(L"-5"), -5);
}

TEST(LengthEntry, AMeasuredQuadrilateralFormsFromItsDiagonalAndProposesTheOther) {
    TestDocument t(true);
    buildMeasuredRoom(*t, kQuadrilateral, {}, 20);
    const LengthEntryResult result = enterLength(*t, L"AC", L"500");
    EXPECT_TRUE(result.lengthSet);
    EXPECT_TRUE(result.formed);
    EXPECT_TRUE(t->figuresFormed);
    EXPECT_EQ(result.nextName, L"BD");
    EXPECT_NEAR(drawnLength(*t, L"AC"), 500, 0.05);
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST(LengthEntry, SidesOneAfterAnotherEachProposeTheNextUnmeasuredSide) {
    TestDocument t;
    setOutline(*t, kQuadrilateral);
    EXPECT_EQ(enterLength(*t, L"AB", L"300").nextName, L"BC");
    const LengthEntryResult result = enterLength(*t, L"bc", L"400,0");
    EXPECT_FALSE(result.formed) << "no diagonal yet: forming does not start";
    EXPECT_EQ(result.nextName, L"CD");
    EXPECT_EQ(t->diagonals.at(1).length, 400);
}

TEST(LengthEntry, AnImpossibleDiagonalIsWarnedAboutButKept) {
    TestDocument t;
    buildMeasuredRoom(*t, {{0, 0}, {300, 0}, {300, 500}, {0, 500}}, {});
    measureRecord(*t, L"BC", 500);
    enterLength(*t, L"AC", L"900");
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, L"Диагональ AC не может быть больше 800.0 см (AB + BC)");
    EXPECT_EQ(t.ui.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(t->diagonals.at(findDiagonal(*t, 0, 2)).length, 900);
}

TEST(LengthEntry, ReplacesAMeasuredLengthAndCreatesAMissingRecord) {
    TestDocument t;
    buildMeasuredRoom(*t, kQuadrilateral, {L"AC"});
    enterLength(*t, L"AB", L"310");
    EXPECT_EQ(t->diagonals.at(findDiagonal(*t, 0, 1)).length, 310);
    enterLength(*t, L"B-D", L"505");
    const int bd = findDiagonal(*t, 1, 3);
    ASSERT_GE(bd, 0);
    EXPECT_EQ(t->diagonals.at(bd).length, 505);
}

TEST(LengthEntry, NothingIsSetForANonPositiveLengthOrAnUnknownName) {
    TestDocument t;
    buildMeasuredRoom(*t, kQuadrilateral, {L"AC"});
    const int undoBefore = t->history.undoCount;
    for (const auto& [name, length] :
         {std::pair{L"AC", L"0"}, {L"AC", L""}, {L"AZ", L"100"}, {L"", L"100"}}) {
        const LengthEntryResult result = enterLength(*t, name, length);
        EXPECT_FALSE(result.lengthSet) << length;
    }
    EXPECT_EQ(t->history.undoCount, undoBefore);
    EXPECT_EQ(t->diagonals.at(4).length, 500);
    EXPECT_EQ(enterLength(*t, L"AC", L"0").nextName, L"BD") << "… but it moves on";
}

TEST(LengthEntry, ALengthNoRoomCanHaveIsRefusedWithItsRangeAndChangesNothing) {
    TestDocument t;
    buildMeasuredRoom(*t, kQuadrilateral, {L"AC"});
    const int undoBefore = t->history.undoCount;
    const double areaBefore = outlineArea(*t);
    for (const wchar_t* length : {L"-5", L"-3", L"-0,1", L"nan", L"NaN", L"inf", L"-inf", L"1e308", L"1e400",
                                  L"abc", L"см", L"10000.01", L"1e5"}) {
        t.ui.messages.clear();
        const LengthEntryResult result = enterLength(*t, L"AC", length);
        EXPECT_FALSE(result.lengthSet) << length;
        EXPECT_TRUE(result.nextName.empty()) << length << ": the fields stay for mending";
        ASSERT_EQ(t.ui.messages.size(), 1u) << length;
        EXPECT_EQ(t.ui.messages[0].text, L"Поле «Длина»: введите число больше 0 и не больше 10000 см")
            << length;
        EXPECT_EQ(result.refusal, t.ui.messages[0].text);
    }
    EXPECT_EQ(t->history.undoCount, undoBefore);
    EXPECT_EQ(t->diagonals.at(4).length, 500);
    EXPECT_EQ(outlineArea(*t), areaBefore);
    EXPECT_TRUE(std::isfinite(areaBefore));

    // "?", the field's text for an item not measured yet, is no length either, and no mistake.
    t.ui.messages.clear();
    EXPECT_FALSE(enterLength(*t, L"AC", L"?").lengthSet);
    EXPECT_FALSE(enterLength(*t, L"AC", L" ? ").lengthSet);
    EXPECT_TRUE(t.ui.messages.empty());

    // The largest room length is taken, and a unit after the number is still allowed.
    EXPECT_TRUE(enterLength(*t, L"AB", L"10000").lengthSet);
    EXPECT_TRUE(enterLength(*t, L"AB", L"300 см").lengthSet);
    EXPECT_EQ(t->diagonals.at(findDiagonal(*t, 0, 1)).length, 300);
}

namespace {
// Views that note each thing they are told, and what the panel's fields held at that moment.
class OrderViews : public RecordingViews {
  public:
    void refreshFigures() override {
        RecordingViews::refreshFigures();
        told.push_back(L"figures");
    }
    void rebuildTree() override {
        RecordingViews::rebuildTree();
        told.push_back(L"tree");
        // A view that asks for more while it is told (the tree's rebuild repaints) is told after.
        if (doc != nullptr) doc->repaint();
    }
    void repaint() override {
        RecordingViews::repaint();
        told.push_back(L"repaint");
    }
    std::vector<std::wstring> told;
};
} // namespace

// One "Установить" that forms the project asks for the tree, the figures and the drawing several
// times over; in one change the views hear of each once, after the change, and never while it runs.
TEST(LengthEntry, InOneChangeTheViewsAreToldOnceAfterIt) {
    TestDocument t;
    OrderViews views;
    views.doc = &*t;
    t->setViews(&views);
    buildMeasuredRoom(*t, kQuadrilateral, {}, 20);
    views.told.clear();

    LengthEntryResult result;
    {
        const ChangeCycle change(*t);
        result = enterLength(*t, L"AC", L"500");
        EXPECT_TRUE(views.told.empty()) << "nothing told while the change runs";
        {
            const ChangeCycle inner(*t); // a change inside a change is a part of it
            t->repaint();
        }
        EXPECT_TRUE(views.told.empty());
    }
    ASSERT_TRUE(result.formed);
    EXPECT_EQ(views.told, (std::vector<std::wstring>{L"tree", L"figures", L"repaint"}));
    EXPECT_TRUE(t->figuresFormed) << "the document's own side of the refresh happened at once";

    // Outside a change every refresh is told at once, as headless work and the tests expect.
    views.told.clear();
    t->refreshFigures();
    t->repaint();
    EXPECT_EQ(views.told, (std::vector<std::wstring>{L"figures", L"repaint"}));
}
