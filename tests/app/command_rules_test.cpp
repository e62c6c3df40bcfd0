#include <gtest/gtest.h>

#include <map>

#include "app/command_ids.h"
#include "app/command_rules.h"
#include "app/command_table.h"
#include "model/settings.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

struct Rules {
    TestDocument t;
    AppSettings settings;
    CommandUiState ui;
    CommandState operator()(int id) { return commandRule(id, {*t, settings, ui}); }
    std::optional<bool> checked(int id) { return (*this)(id).checked; }
};

constexpr std::optional<bool> kKeep = std::nullopt;

} // namespace

TEST(CommandRules, EveryCommandOfAFreshDocument) {
    Rules r;
    // Enabled and checked as a fresh document in the start mode shows them.
    const std::map<int, CommandState> expected = {
        {cmd::kFormProject, {false, false}},
        {cmd::kCheckMeasurements, {false, false}}, // nothing measured yet
        {cmd::kStepMode, {true, false}},
        {cmd::kTriangleOutward, {true, kKeep}},
        {cmd::kTriangleInward, {true, kKeep}},
        {cmd::kTriangleAuto, {true, kKeep}},
        {cmd::kRightAngle, {true, kKeep}},
        {cmd::kDragUpdatesDiagonals, {true, true}}, // on by default
        {cmd::kMarkSides, {true, true}},            // on by default
        {cmd::kAccuracy5, {true, true}},            // the default class
        {cmd::kMethodDouble, {true, true}},         // the default method
        {cmd::kBarMain, {true, true}},
        {cmd::kBarEditing, {true, true}},
        {cmd::kBarSidePanel, {true, true}},
        {cmd::kBarTriangles, {false, false}},
    };
    for (const CommandInfo& c : commandTable()) {
        const CommandState state = r(c.id);
        const auto it = expected.find(c.id);
        const CommandState want = it == expected.end() ? CommandState{true, false} : it->second;
        EXPECT_EQ(state.enabled, want.enabled) << c.id;
        EXPECT_EQ(state.checked, want.checked) << c.id;
    }
}

TEST(CommandRules, SwitchesAreCheckedByTheirFlags) {
    Rules r;
    TZCeiling& doc = *r.t;
    const std::pair<int, bool& (*)(TZCeiling&)> switches[] = {
        {cmd::kShowPoints, [](TZCeiling& d) -> bool& { return d.view.showPointNames; }},
        {cmd::kShowLengths, [](TZCeiling& d) -> bool& { return d.view.showLengths; }},
        {cmd::kShowConstructions, [](TZCeiling& d) -> bool& { return d.showConstructions; }},
        {cmd::kShowAngles, [](TZCeiling& d) -> bool& { return d.view.showAngles; }},
        {cmd::kShowGrid, [](TZCeiling& d) -> bool& { return d.view.showGrid; }},
        {cmd::kSnapToGrid, [](TZCeiling& d) -> bool& { return d.view.snapToGrid; }},
        {cmd::kShowCanvasDistances, [](TZCeiling& d) -> bool& { return d.view.showCanvasDistances; }},
        {cmd::kDragUpdatesSides, [](TZCeiling& d) -> bool& { return d.dragUpdatesSides; }},
        {cmd::kDragUpdatesDiagonals, [](TZCeiling& d) -> bool& { return d.dragUpdatesDiagonals; }},
        {cmd::kMarkSides, [](TZCeiling& d) -> bool& { return d.markSides; }},
        {cmd::kMarkDiagonals, [](TZCeiling& d) -> bool& { return d.markDiagonals; }},
        {cmd::kStepMode, [](TZCeiling& d) -> bool& { return d.stepMode; }},
        {cmd::kPan, [](TZCeiling& d) -> bool& { return d.editor.dragging; }},
    };
    for (auto [id, flag] : switches) {
        flag(doc) = true;
        EXPECT_EQ(r.checked(id), true) << id;
        flag(doc) = false;
        EXPECT_EQ(r.checked(id), false) << id;
    }
}

TEST(CommandRules, ToolsAreCheckedByModeAndTool) {
    Rules r;
    TZCeiling& doc = *r.t;
    const int pointCommands[] = {cmd::kEditPoints, cmd::kInsertPoints, cmd::kDeletePoints};
    const int diagonalCommands[] = {cmd::kInsertDiagonal, cmd::kSelectDiagonal, cmd::kDeleteDiagonal};
    auto checkedTools = [&] {
        std::vector<int> on;
        for (int id : pointCommands)
            if (r.checked(id) == true) on.push_back(id);
        for (int id : diagonalCommands)
            if (r.checked(id) == true) on.push_back(id);
        for (int id : {cmd::kCutting, cmd::kRuler})
            if (r.checked(id) == true) on.push_back(id);
        return on;
    };
    doc.editor.mode = kModePoints;
    doc.editor.pointTool = 3; // delete: the third button; tool 2 has none
    EXPECT_EQ(checkedTools(), std::vector<int>{cmd::kDeletePoints});
    doc.editor.pointTool = 2;
    EXPECT_TRUE(checkedTools().empty());
    doc.editor.pointTool = 1;
    doc.editor.diagonalTool = 2; // the diagonal tool counts only in mode 6
    EXPECT_EQ(checkedTools(), std::vector<int>{cmd::kInsertPoints});
    doc.editor.mode = kModeDiagonals;
    EXPECT_EQ(checkedTools(), std::vector<int>{cmd::kDeleteDiagonal});
    doc.editor.mode = kModeCutting;
    EXPECT_EQ(checkedTools(), std::vector<int>{cmd::kCutting});
    doc.editor.mode = kModeRuler;
    EXPECT_EQ(checkedTools(), std::vector<int>{cmd::kRuler});
    doc.editor.mode = kModeNoTool;
    EXPECT_TRUE(checkedTools().empty());
}

TEST(CommandRules, TriangleMarksFollowTheSelectedRowAfterItsName) {
    Rules r;
    r.t->editor.mode = kModePoints;
    auto marks = [&](const std::wstring& row) {
        r.ui.selectedTreeRow = row;
        return std::vector<std::optional<bool>>{r.checked(cmd::kTriangleOutward),
                                                r.checked(cmd::kTriangleInward),
                                                r.checked(cmd::kTriangleAuto), r.checked(cmd::kRightAngle)};
    };
    using V = std::vector<std::optional<bool>>;
    EXPECT_EQ(marks(L"B  НАРУЖУ"), (V{true, false, false, false}));
    EXPECT_EQ(marks(L"C ВНУТРЬ L"), (V{false, true, false, true}));
    EXPECT_EQ(marks(L"D"), (V{false, false, true, false}));
    // The marks are looked for after the first two characters only.
    EXPECT_EQ(marks(L" LНАРУЖУ"), (V{true, false, false, false}));
    EXPECT_EQ(marks(L" L"), (V{false, false, true, false}));

    // Without a selected row, or in the start mode, the marks stay as they are.
    r.ui.selectedTreeRow.reset();
    EXPECT_EQ(r.checked(cmd::kTriangleAuto), kKeep);
    r.ui.selectedTreeRow = L"B НАРУЖУ";
    r.t->editor.mode = kModeStart;
    EXPECT_EQ(r.checked(cmd::kTriangleOutward), kKeep);
}

TEST(CommandRules, FormingNeedsRecordsAndADefinedOutline) {
    Rules r;
    TZCeiling& doc = *r.t;
    setOutline(doc, {{0, 0}, {300, 0}, {300, 300}}, /*withSides=*/false);
    EXPECT_FALSE(r(cmd::kFormProject).enabled); // no record yet
    setOutline(doc, {{0, 0}, {300, 0}, {300, 300}});
    EXPECT_TRUE(r(cmd::kFormProject).enabled);
    doc.polygon.defined = false;
    EXPECT_FALSE(r(cmd::kFormProject).enabled);
}

TEST(CommandRules, AccuracyClassNeedsRedMarking) {
    Rules r;
    TZCeiling& doc = *r.t;
    doc.accuracyClass = 0.02;
    EXPECT_EQ(r(cmd::kAccuracy2).checked, true);
    EXPECT_EQ(r(cmd::kAccuracy5).checked, false);
    doc.markSides = false;
    doc.markDiagonals = false;
    for (int id : {cmd::kAccuracy10, cmd::kAccuracy5, cmd::kAccuracy2})
        EXPECT_FALSE(r(id).enabled) << id;
    doc.markDiagonals = true;
    for (int id : {cmd::kAccuracy10, cmd::kAccuracy5, cmd::kAccuracy2})
        EXPECT_TRUE(r(id).enabled) << id;
    doc.accuracyClass = 0.1;
    EXPECT_EQ(r(cmd::kAccuracy10).checked, true);
}

TEST(CommandRules, DealerModeDisablesCanvasDistances) {
    Rules r;
    r.t->view.showCanvasDistances = true;
    r.settings.dealerMode = true;
    EXPECT_EQ(r(cmd::kDealerMode).checked, true);
    EXPECT_FALSE(r(cmd::kShowCanvasDistances).enabled);
    EXPECT_EQ(r(cmd::kShowCanvasDistances).checked, kKeep);
    r.settings.dealerMode = false;
    EXPECT_TRUE(r(cmd::kShowCanvasDistances).enabled);
    EXPECT_EQ(r(cmd::kShowCanvasDistances).checked, true);
}

TEST(CommandRules, MethodAndBarVisibility) {
    Rules r;
    r.t->constructionMethod = 2;
    EXPECT_EQ(r.checked(cmd::kMethodDifferential), true);
    EXPECT_EQ(r.checked(cmd::kMethodDouble), false);
    r.ui.mainToolbarVisible = false;
    r.ui.sidePanelVisible = false;
    EXPECT_EQ(r.checked(cmd::kBarMain), false);
    EXPECT_EQ(r.checked(cmd::kBarEditing), true);
    EXPECT_EQ(r.checked(cmd::kBarSidePanel), false);
}
