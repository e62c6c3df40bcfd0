#include <gtest/gtest.h>

#include "editor/side_panel_fields.h"
#include "editor/side_panel_figures.h"
#include "editor/side_panel_tree.h"
#include "model/ceiling.h"
#include "model/names.h"
#include "model/records.h"
#include "model/settings.h"
#include "support/fakes.h"
#include "support/rooms.h"

using namespace tenzora;

namespace {

const std::vector<std::pair<double, double>> kRectangle = {{0, 0}, {0, 300}, {400, 300}, {400, 0}};

std::vector<std::wstring> texts(const std::vector<PanelTreeRow>& rows) {
    std::vector<std::wstring> out;
    for (const PanelTreeRow& r : rows)
        out.push_back(r.text);
    return out;
}

} // namespace

// ---- figures -------------------------------------------------------------------------------------

TEST(PanelFigures, TheStatusLineShowsTheFormedProjectInPlaceOfTheCoordinates) {
    TestDocument t;
    setOutline(*t, kRectangle);
    PanelFigures f = panelFigures(*t);
    EXPECT_FALSE(f.statusShown);
    EXPECT_EQ(f.area, L"12.00");
    EXPECT_EQ(f.perimeterLabel, L"Периметр:");
    EXPECT_EQ(f.perimeterValue, L"14.0");
    EXPECT_EQ(f.perimeterUnit, L"м");
    EXPECT_EQ(f.error, L"0");
    EXPECT_EQ(f.materialArea, L"0");

    t->statusText = L"C D ";
    f = panelFigures(*t);
    EXPECT_TRUE(f.statusShown);
    EXPECT_FALSE(f.statusFormed);
    EXPECT_EQ(f.status, L"C D ");

    t->figuresFormed = true;
    f = panelFigures(*t);
    EXPECT_TRUE(f.statusFormed);
    EXPECT_EQ(f.status, L"ПРОЕКТ СФОРМИРОВАН");
}

TEST(PanelFigures, AMeasuringRulerShowsItsLengthAndFromThreePointsItsArea) {
    TestDocument t;
    setOutline(*t, kRectangle);
    t->editor.rulerPoints.append(makeVertex(0, 0));
    EXPECT_EQ(panelFigures(*t).perimeterLabel, L"Периметр:") << "a ruler of no length";
    t->editor.rulerPoints.append(makeVertex(250, 0));
    t->editor.rulerPoints.append(makeVertex(250, 0)); // the end that follows the mouse
    PanelFigures f = panelFigures(*t);
    EXPECT_EQ(f.perimeterLabel, L"ДЛИНА:");
    EXPECT_EQ(f.perimeterValue, L"250.0см, S=0");
    EXPECT_EQ(f.perimeterUnit, L"м2");

    t->editor.rulerPoints.removeAt(2);
    EXPECT_EQ(panelFigures(*t).perimeterLabel, L"Периметр:") << "two points: the moving end alone";

    t->editor.rulerPoints.clear();
    for (auto [x, y] : {std::pair{0.0, 0.0}, {200.0, 0.0}, {200.0, 100.0}, {0.0, 100.0}})
        t->editor.rulerPoints.append(makeVertex(x, y));
    f = panelFigures(*t);
    EXPECT_EQ(f.perimeterValue, L"300.0см, S=2.00");
}

// ---- the tree ------------------------------------------------------------------------------------

TEST(PanelTree, SidesCarryTheirLengthsTheRightAngleMarkAndTheTriangleSide) {
    TestDocument t;
    setOutline(*t, {{0, 0}, {300, 0}, {300, 300}, {0, 300}});
    measureRecord(*t, L"AB", 300);
    measureRecord(*t, L"BC", 300);
    measureRecord(*t, L"AC", 424.27); // 300² + 300² − 424.27² = −5.03, within 25 cm²: a right angle at B
    t->polygon.at(2).sidePreference = kSideInward;
    t->polygon.at(3).sidePreference = kSideOutward;
    AppSettings settings;
    const std::vector<PanelTreeRow> rows = buildPanelTree(*t, settings, {});
    EXPECT_EQ(texts(rows), (std::vector<std::wstring>{L"AB (300.0)", L"BC (300.0) L", L"CD (?) ВНУТРЬ",
                                                      L"DA (?) НАРУЖУ"}));
    EXPECT_TRUE(t->polygon.at(1).rightAngle) << "the recognition marks the vertex";
    EXPECT_EQ(rows[0].record, findDiagonal(*t, 0, 1));
    ASSERT_EQ(rows[0].children.size(), 3u);
    EXPECT_EQ(rows[0].children[0].text, L"AB (300.0)");
    EXPECT_EQ(rows[0].children[2].text, L"AD (?)") << "the closing side below A, under its proper name";
    EXPECT_TRUE(rows[3].children.empty()) << "no later vertex after D";
}

TEST(PanelTree, ADiagonalOf4243IsTooLongForARightAngleOf300By300) {
    TestDocument t;
    setOutline(*t, {{0, 0}, {300, 0}, {300, 300}, {0, 300}});
    measureRecord(*t, L"AB", 300);
    measureRecord(*t, L"BC", 300);
    measureRecord(*t, L"AC", 424.3); // 300² + 300² − 424.3² = −30.49
    AppSettings settings;
    EXPECT_EQ(buildPanelTree(*t, settings, {})[1].text, L"BC (300.0)");
}

TEST(PanelTree, TheMostDeviatingMeasuredDiagonalOfARowIsMarked) {
    TestDocument t;
    setOutline(*t, {{0, 0}, {300, 0}, {300, 300}, {0, 300}, {-100, 150}});
    measureRecord(*t, L"AC", 430.0); // drawn 424.26: 5.74 shorter
    measureRecord(*t, L"AD", 298.0); // drawn 300: 2 longer
    measureRecord(*t, L"AB", 350.0); // a side: never marked
    measureRecord(*t, L"BD", 420.0); // drawn 424.26: 4.26 longer, the worst below B
    AppSettings settings;
    const std::vector<PanelTreeRow> rows = buildPanelTree(*t, settings, {});
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].children[1].text, L"AC (430.0)(+5.74)");
    EXPECT_EQ(rows[0].children[2].text, L"AD (298.0)");
    EXPECT_EQ(rows[0].children[0].text, L"AB (350.0)");
    EXPECT_EQ(rows[1].children[1].text, L"BD (420.0)(-4.26)");
    EXPECT_EQ(rows[1].children[2].text, L"BE (?)") << "a pair without a record";
    EXPECT_EQ(rows[1].children[2].record, -1);
}

// The window builds the roots and opens sides one by one; what it shows must be the whole tree.
TEST(PanelTree, RootsWithTheirChildrenBuiltOnDemandAreTheWholeTree) {
    TestDocument t;
    setOutline(*t, {{0, 0}, {300, 0}, {300, 300}, {0, 300}, {-100, 150}});
    measureRecord(*t, L"AC", 430.0);
    measureRecord(*t, L"BD", 420.0);
    measureRecord(*t, L"AB", 350.0);
    t->polygon.at(1).sidePreference = kSideInward;
    AppSettings settings;
    const std::vector<PanelTreeRow> whole = buildPanelTree(*t, settings, {});
    const std::vector<PanelTreeRow> roots = buildPanelRoots(*t, settings, {});
    ASSERT_EQ(roots.size(), whole.size());
    for (std::size_t r = 0; r < roots.size(); ++r) {
        EXPECT_EQ(roots[r].text, whole[r].text);
        EXPECT_TRUE(roots[r].children.empty());
        ASSERT_EQ(roots[r].childCount, static_cast<int>(whole[r].children.size())) << "row " << r;
        const std::vector<PanelTreeRow> children = buildPanelChildren(*t, roots[r]);
        ASSERT_EQ(children.size(), whole[r].children.size());
        for (std::size_t c = 0; c < children.size(); ++c) {
            EXPECT_EQ(children[c].text, whole[r].children[c].text);
            EXPECT_EQ(children[c].record, whole[r].children[c].record);
        }
    }
    EXPECT_TRUE(buildPanelChildren(*t, whole[0].children[0]).empty()) << "a pair has nothing below it";
}

TEST(PanelTree, StepModeLeavesTheTreeEmptyAndASideWithoutRecordHasNoRow) {
    TestDocument t;
    setOutline(*t, kRectangle);
    eraseRecord(*t, findDiagonal(*t, 1, 2));
    AppSettings settings;
    EXPECT_EQ(texts(buildPanelTree(*t, settings, {})),
              (std::vector<std::wstring>{L"AB (?)", L"CD (?)", L"DA (?)"}));
    t->stepMode = true;
    EXPECT_TRUE(buildPanelTree(*t, settings, {}).empty());
    EXPECT_FALSE(t->placedOnly) << "the switch is back off after the rebuild";
}

TEST(PanelTree, TheLayoutDisplayListsCanvasesWithTheirPointsOnTheFabric) {
    TestDocument t;
    setOutline(*t, kRectangle);
    t->editor.mode = kModeCutting;
    for (double y : {0.0, 100.0, 200.0, 300.0}) {
        t->seamLines.append(makeVertex(0, y));
        t->seamLines.append(makeVertex(400, y));
    }
    t->material.tensionCoef = 0.93;
    std::vector<int> asked;
    const CanvasPieceSource source = [&](const TZCeiling&, int reference) {
        asked.push_back(reference);
        if (reference == 2) return std::vector<CanvasPiecePoint>{}; // a canvas without a piece
        return std::vector<CanvasPiecePoint>{{0, 0.0, 0.0}, {27, 400.0, 100.04}};
    };
    AppSettings settings;
    const std::vector<PanelTreeRow> rows = buildPanelTree(*t, settings, source);
    EXPECT_EQ(asked, (std::vector<int>{0, 2, 4}));
    EXPECT_EQ(texts(rows), (std::vector<std::wstring>{L"Полотно 1", L"Полотно 3"}));
    ASSERT_EQ(rows[1].children.size(), 2u);
    EXPECT_EQ(rows[1].children[0].text, L"A (0, 0)");
    EXPECT_EQ(rows[1].children[1].text, L"B1 (372.0, 93.0)");
    RowChoice choice;
    EXPECT_FALSE(chooseRow(rows[1].children[1], choice)) << "a canvas point names no side";

    settings.dealerMode = true;
    EXPECT_EQ(buildPanelTree(*t, settings, source).size(), 4u) << "dealers see the sides";
}

TEST(PanelTree, ChoosingASideRowMovesOnToTheLengthAndADiagonalRowDoesNot) {
    TestDocument t;
    setOutline(*t, kRectangle);
    AppSettings settings;
    const std::vector<PanelTreeRow> rows = buildPanelTree(*t, settings, {});
    RowChoice choice;
    ASSERT_TRUE(chooseRow(rows[3], choice));
    EXPECT_EQ(choice.name, L"DA");
    EXPECT_TRUE(choice.focusLength);
    ASSERT_TRUE(chooseRow(rows[0].children[1], choice));
    EXPECT_EQ(choice.name, L"AC");
    EXPECT_FALSE(choice.focusLength);
}

// ---- the fields ----------------------------------------------------------------------------------

TEST(PanelFields, ANameIsCompleteAtTwoLettersOrBeyondThreeCharactersOnLargeOutlines) {
    EXPECT_FALSE(nameIsComplete(L"A", 4));
    EXPECT_TRUE(nameIsComplete(L"AC", 26));
    EXPECT_FALSE(nameIsComplete(L"A-C", 26));
    EXPECT_FALSE(nameIsComplete(L"AC", 27));
    EXPECT_FALSE(nameIsComplete(L"A1B", 30));
    EXPECT_TRUE(nameIsComplete(L"A1B1", 30));
}

TEST(PanelFields, ANameSelectsItsRecordShowsItsLengthAndIsWrittenTheCanonicalWay) {
    TestDocument t;
    buildMeasuredRoom(*t, kRectangle, {L"AC"});
    t->editor.currentDiagonal = -1;
    SidePanelFields fields(*t);
    fields.lengthEdited(L"123");
    fields.nameEdited(L"C");
    EXPECT_EQ(t->editor.currentDiagonal, -1) << "one letter is not a name yet";
    fields.nameEdited(L"CA");
    EXPECT_EQ(fields.name(), L"AC");
    EXPECT_EQ(fields.length(), L"500.0");
    EXPECT_EQ(t->editor.currentDiagonal, findDiagonal(*t, 0, 2));

    fields.nameEdited(L"BD"); // no such record yet
    EXPECT_EQ(fields.name(), L"BD");
    EXPECT_EQ(fields.length(), L"500.0") << "the length field is left alone";
    EXPECT_EQ(t->editor.currentDiagonal, -1);

    fields.nameEdited(L"QZ");
    fields.nameFinished();
    EXPECT_EQ(fields.name(), L"QZ") << "letters beyond the outline name nothing";
    fields.showRecord(findDiagonal(*t, 1, 2));
    EXPECT_EQ(fields.name(), L"BC");
    EXPECT_EQ(fields.length(), L"400.0");
}

TEST(PanelFields, SetAfterAcProposesBdAndFormsTheRoom) {
    TestDocument t(true);
    buildMeasuredRoom(*t, kRectangle, {}, 20);
    SidePanelFields fields(*t);
    fields.nameEdited(L"AC");
    fields.lengthEdited(L"500");
    fields.setLength();
    EXPECT_TRUE(t->figuresFormed);
    EXPECT_EQ(fields.name(), L"BD");
    EXPECT_EQ(fields.length(), L"?");
    EXPECT_EQ(t->editor.currentDiagonal, -1) << "BD has no record yet";
    EXPECT_GT(t.views.repaints, 0);
    EXPECT_GT(t.views.trees, 0);
}

TEST(PanelFields, SidesAreEnteredOneAfterAnotherWithTheProposalSelected) {
    TestDocument t(true);
    setOutline(*t, kRectangle);
    SidePanelFields fields(*t);
    fields.showRecord(0);
    EXPECT_EQ(fields.name(), L"AB");
    EXPECT_EQ(fields.length(), L"?");
    for (const wchar_t* length : {L"300", L"400", L"300,0"}) {
        fields.lengthEdited(length);
        fields.setLength();
    }
    EXPECT_EQ(fields.name(), L"AD");
    EXPECT_EQ(t->editor.currentDiagonal, findDiagonal(*t, 0, 3));
    EXPECT_EQ(t->diagonals.at(findDiagonal(*t, 2, 3)).length, 300);
}

TEST(PanelFields, AnImpossibleLengthIsWarnedAboutAndKept) {
    TestDocument t(true);
    buildMeasuredRoom(*t, {{0, 0}, {300, 0}, {300, 500}, {0, 500}}, {});
    measureRecord(*t, L"BC", 500);
    SidePanelFields fields(*t);
    fields.nameEdited(L"AC");
    fields.lengthEdited(L"900");
    fields.setLength();
    EXPECT_TRUE(t.ui.saw(L"Диагональ AC не может быть больше 800.0 см (AB + BC)"));
    EXPECT_EQ(t->diagonals.at(findDiagonal(*t, 0, 2)).length, 900);
}

TEST(PanelFields, ANewOutlineForgetsNamesOfVerticesItDoesNotHave) {
    TestDocument t;
    setOutline(*t, kRectangle);
    SidePanelFields fields(*t);
    fields.nameEdited(L"CD");
    fields.lengthEdited(L"300");
    EXPECT_FALSE(fields.forgetNameOutsideOutline());
    setOutline(*t, {{0, 0}, {0, 300}, {400, 300}});
    EXPECT_TRUE(fields.forgetNameOutsideOutline()) << "no D any more";
    EXPECT_EQ(fields.name(), L"");
    EXPECT_EQ(fields.length(), L"");
    fields.nameEdited(L"A");
    EXPECT_FALSE(fields.forgetNameOutsideOutline()) << "a name being typed stays";
    t->polygon.clear();
    EXPECT_TRUE(fields.forgetNameOutsideOutline());
}
