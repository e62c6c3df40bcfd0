#include <gtest/gtest.h>

#include "app/command_effects.h"
#include "app/command_ids.h"
#include "app/command_table.h"
#include "app/commands.h"
#include "model/settings.h"
#include "platform/clock.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

struct RecordingHost : CommandHost {
    void showPopup(int anchor, const std::vector<PopupItem>& items) override {
        anchors.push_back(anchor);
        popups.push_back(items);
    }
    std::optional<std::wstring> selectedTreeRow() const override { return std::nullopt; }
    std::vector<int> anchors;
    std::vector<std::vector<PopupItem>> popups;
};

// A window-like setting: document with views, settings, a fixed clock and the document commands.
struct Commands {
    Commands() : processor(*t, settings, clock) {
        registerDocumentCommands(processor.registry());
        processor.setHost(&host);
    }
    TestDocument t{true};
    AppSettings settings;
    FixedClock clock{LocalTime{2024, 3, 5, 14, 30, 0}};
    RecordingHost host;
    CommandProcessor processor;

    TZCeiling& doc() { return *t; }
    CommandOutcome run(int id) { return processor.execute(id); }
    // A square room in the points mode, as after drawing it.
    void drawRoom() {
        setOutline(doc(), {{0, 0}, {300, 0}, {300, 300}, {0, 300}});
        doc().editor.mode = kModePoints;
    }
};

TZPicture photo(const std::wstring& path) {
    TZPicture p;
    p.path = path;
    return p;
}

} // namespace

TEST(Commands, CommandsOfOtherPartsAreNotAvailableUntilTheyRegister) {
    Commands c;
    const CommandUiState ui;
    // Built elsewhere: present in the table, disabled and reporting so when run.
    for (int id : {cmd::kClients, cmd::kMaterials, cmd::kPrint, cmd::kPreview, cmd::kReport, cmd::kCornerCut,
                   cmd::kInnerCutout, cmd::kPriceLists, cmd::kSettings, cmd::kBarTriangles, cmd::kAddPhoto}) {
        EXPECT_EQ(c.run(id), CommandOutcome::NotAvailable) << id;
        EXPECT_FALSE(c.processor.state(id, ui).enabled) << id;
    }
    EXPECT_EQ(c.run(4242), CommandOutcome::Ignored);

    // A later part plugs in its handler and its own enable rule without touching the table.
    int runs = 0;
    c.processor.registry().setHandler(cmd::kMaterials, [&](CommandContext&) { ++runs; });
    EXPECT_TRUE(c.processor.state(cmd::kMaterials, ui).enabled);
    EXPECT_EQ(c.run(cmd::kMaterials), CommandOutcome::Done);
    EXPECT_EQ(runs, 1);
    c.processor.registry().setEnableRule(
        cmd::kMaterials, [](const CommandInputs& in) { return in.doc.editor.mode != kModeStart; });
    EXPECT_FALSE(c.processor.state(cmd::kMaterials, ui).enabled);
    c.drawRoom();
    EXPECT_TRUE(c.processor.state(cmd::kMaterials, ui).enabled);

    // The table's own rule still applies to a registered command.
    c.processor.registry().setHandler(cmd::kFormProject, [](CommandContext&) {});
    c.doc().diagonals.clear();
    EXPECT_FALSE(c.processor.state(cmd::kFormProject, ui).enabled);
}

TEST(Commands, EveryDocumentCommandHasAHandler) {
    Commands c;
    for (int id : {cmd::kNewProject,
                   cmd::kSave,
                   cmd::kOpen,
                   cmd::kUndo,
                   cmd::kRedo,
                   cmd::kZoomIn,
                   cmd::kZoomOut,
                   cmd::kShowPoints,
                   cmd::kShowLengths,
                   cmd::kShowConstructions,
                   cmd::kShowAngles,
                   cmd::kShowCanvasDistances,
                   cmd::kShowGrid,
                   cmd::kSnapToGrid,
                   cmd::kEditPoints,
                   cmd::kInsertPoints,
                   cmd::kPointTool2,
                   cmd::kDeletePoints,
                   cmd::kInsertDiagonal,
                   cmd::kSelectDiagonal,
                   cmd::kDeleteDiagonal,
                   cmd::kPan,
                   cmd::kRuler,
                   cmd::kStepMode,
                   cmd::kDealerMode,
                   cmd::kMethodDouble,
                   cmd::kMethodTriangles,
                   cmd::kMethodDifferential,
                   cmd::kDragUpdatesSides,
                   cmd::kDragUpdatesDiagonals,
                   cmd::kMarkSides,
                   cmd::kMarkDiagonals,
                   cmd::kAccuracy10,
                   cmd::kAccuracy5,
                   cmd::kAccuracy2,
                   cmd::kPhotos})
        EXPECT_TRUE(c.processor.available(id)) << id;
}

TEST(Commands, EditingCommandsDoNothingInTheStartMode) {
    Commands c;
    ASSERT_EQ(c.doc().editor.mode, kModeStart);
    c.doc().editor.rulerPoints.append(makeVertex(1, 2));
    for (int id :
         {cmd::kEditPoints, cmd::kInsertPoints, cmd::kPointTool2, cmd::kDeletePoints, cmd::kInsertDiagonal,
          cmd::kSelectDiagonal, cmd::kDeleteDiagonal, cmd::kPan, cmd::kRuler, cmd::kStepMode})
        EXPECT_EQ(c.run(id), CommandOutcome::Done) << id;
    EXPECT_EQ(c.doc().editor.mode, kModeStart);
    EXPECT_FALSE(c.doc().editor.dragging);
    EXPECT_FALSE(c.doc().stepMode);
    EXPECT_EQ(c.doc().editor.rulerPoints.count(), 1);
    EXPECT_EQ(c.t.views.figures + c.t.views.trees + c.t.views.repaints, 0);
}

TEST(Commands, ToolsSetModeAndToolAndEndPanning) {
    Commands c;
    c.drawRoom();
    c.run(cmd::kPan);
    EXPECT_TRUE(c.doc().editor.dragging);
    c.run(cmd::kDeletePoints); // the delete tool leaves panning as it is
    EXPECT_EQ(c.doc().editor.pointTool, 3);
    EXPECT_TRUE(c.doc().editor.dragging);
    c.run(cmd::kInsertPoints);
    EXPECT_EQ(c.doc().editor.pointTool, 1);
    EXPECT_FALSE(c.doc().editor.dragging);

    c.run(cmd::kPan);
    c.run(cmd::kSelectDiagonal);
    EXPECT_EQ(c.doc().editor.mode, kModeDiagonals);
    EXPECT_EQ(c.doc().editor.diagonalTool, 1);
    EXPECT_FALSE(c.doc().editor.dragging);

    c.doc().editor.rulerPoints.append(makeVertex(1, 2));
    c.run(cmd::kPan);
    const int repaints = c.t.views.repaints;
    c.run(cmd::kRuler);
    EXPECT_EQ(c.doc().editor.mode, kModeRuler);
    EXPECT_EQ(c.doc().editor.rulerPoints.count(), 0);
    EXPECT_FALSE(c.doc().editor.dragging);
    EXPECT_EQ(c.t.views.repaints, repaints + 1);

    // Every tool change refreshes the panel's figures, which forgets the picked vertex.
    c.doc().editor.pendingVertex = 2;
    c.run(cmd::kInsertDiagonal);
    EXPECT_EQ(c.doc().editor.pendingVertex, -1);

    c.run(cmd::kStepMode);
    EXPECT_TRUE(c.doc().stepMode);
}

TEST(Commands, ZoomInThenOutLeavesNinetyNineHundredthsAndCanBeUndone) {
    Commands c;
    c.drawRoom();
    c.doc().view.scaleX = 2.0f;
    c.doc().view.scaleY = 2.0f;
    const int snapshots = c.doc().history.undoCount;
    c.run(cmd::kZoomIn);
    EXPECT_FLOAT_EQ(c.doc().view.scaleX, 1.8f);
    c.run(cmd::kZoomOut);
    EXPECT_NEAR(c.doc().view.scaleX, 2.0 * 0.99, 1e-6);
    EXPECT_NEAR(c.doc().view.scaleY, 2.0 * 0.99, 1e-6);
    EXPECT_EQ(c.doc().history.undoCount, snapshots + 2); // one snapshot per zoom
    EXPECT_GE(c.t.views.repaints, 2);

    c.run(cmd::kUndo);
    EXPECT_FLOAT_EQ(c.doc().view.scaleX, 1.8f);
    c.run(cmd::kRedo);
    EXPECT_NEAR(c.doc().view.scaleX, 1.98, 1e-6);
}

TEST(Commands, ZoomStopsAtTheEndsOfTheScaleRange) {
    Commands c;
    // Zooming is allowed in every mode, but never down to 0 or up to infinity.
    for (int i = 0; i < 2000; ++i)
        c.run(cmd::kZoomIn);
    EXPECT_GE(c.doc().view.scaleX, kMinViewScale);
    EXPECT_LT(c.doc().view.scaleX * kZoomInFactor, kMinViewScale);
    for (int i = 0; i < 4000; ++i)
        c.run(cmd::kZoomOut);
    EXPECT_LE(c.doc().view.scaleX, kMaxViewScale);
    EXPECT_GT(c.doc().view.scaleX * kZoomOutFactor, kMaxViewScale);
}

TEST(Commands, DisplaySwitchesToggleAndRefresh) {
    Commands c;
    const std::pair<int, bool& (*)(TZCeiling&)> switches[] = {
        {cmd::kShowPoints, [](TZCeiling& d) -> bool& { return d.view.showPointNames; }},
        {cmd::kShowLengths, [](TZCeiling& d) -> bool& { return d.view.showLengths; }},
        {cmd::kShowConstructions, [](TZCeiling& d) -> bool& { return d.showConstructions; }},
        {cmd::kShowAngles, [](TZCeiling& d) -> bool& { return d.view.showAngles; }},
        {cmd::kShowCanvasDistances, [](TZCeiling& d) -> bool& { return d.view.showCanvasDistances; }},
        {cmd::kShowGrid, [](TZCeiling& d) -> bool& { return d.view.showGrid; }},
        {cmd::kSnapToGrid, [](TZCeiling& d) -> bool& { return d.view.snapToGrid; }}};
    for (auto [id, flag] : switches) {
        const int figures = c.t.views.figures, repaints = c.t.views.repaints;
        c.run(id);
        EXPECT_TRUE(flag(c.doc())) << id;
        EXPECT_EQ(c.t.views.figures, figures + 1) << id;
        EXPECT_EQ(c.t.views.repaints, repaints + 1) << id;
        c.run(id);
        EXPECT_FALSE(flag(c.doc())) << id;
    }
    // The switches are view state: no undo snapshot.
    EXPECT_EQ(c.doc().history.undoCount, 0);
}

TEST(Commands, SettingsOfTheProjectAndDealerMode) {
    Commands c;
    c.run(cmd::kMethodTriangles);
    EXPECT_EQ(c.doc().constructionMethod, 1);
    c.run(cmd::kAccuracy2);
    EXPECT_DOUBLE_EQ(c.doc().accuracyClass, 0.02);
    c.run(cmd::kDragUpdatesSides);
    c.run(cmd::kDragUpdatesDiagonals);
    c.run(cmd::kMarkSides);
    c.run(cmd::kMarkDiagonals);
    EXPECT_TRUE(c.doc().dragUpdatesSides);
    EXPECT_FALSE(c.doc().dragUpdatesDiagonals);
    EXPECT_FALSE(c.doc().markSides);
    EXPECT_TRUE(c.doc().markDiagonals);

    const int trees = c.t.views.trees;
    c.run(cmd::kDealerMode);
    EXPECT_TRUE(c.settings.dealerMode);
    EXPECT_EQ(c.t.views.trees, trees + 1);
    EXPECT_FALSE(c.processor.state(cmd::kShowCanvasDistances, {}).enabled);
    c.run(cmd::kDealerMode);
    EXPECT_FALSE(c.settings.dealerMode);
}

TEST(Commands, NewProjectDatesTheOrderAndStopsWhenCancelled) {
    Commands c;
    EXPECT_EQ(c.run(cmd::kNewProject), CommandOutcome::Done);
    EXPECT_EQ(c.doc().orderDate, L"05.03.2024");
    EXPECT_EQ(c.doc().editor.mode, kModePoints);

    // A modified project asks first; Cancel leaves everything as it was.
    c.drawRoom();
    c.doc().orderDate = L"01.01.2020";
    c.doc().modified = true;
    c.t.ui.answers = {MessageAnswer::Cancel};
    c.run(cmd::kNewProject);
    EXPECT_TRUE(c.t.ui.saw(L"Проект был изменён. Сохранить?"));
    EXPECT_EQ(c.doc().orderDate, L"01.01.2020");
    EXPECT_EQ(c.doc().polygon.count(), 4);
}

TEST(Commands, OpenAndSaveGoThroughTheirDialogs) {
    Commands c;
    c.run(cmd::kOpen);
    c.run(cmd::kSave);
    ASSERT_EQ(c.t.ui.fileDialogs.size(), 2u);
    EXPECT_FALSE(c.t.ui.fileDialogs[0].save);
    EXPECT_TRUE(c.t.ui.fileDialogs[1].save);
}

TEST(Commands, SaveThenOpenThroughTheCommandsRestoresTheProject) {
    Commands c;
    TempDir dir;
    const std::wstring path = (dir / "room.tz").wstring();
    c.drawRoom();
    c.doc().orderName = L"Кухня";
    c.t.ui.files = {path};
    c.run(cmd::kSave);
    c.t.ui.answers = {MessageAnswer::No};
    c.run(cmd::kNewProject);
    EXPECT_EQ(c.doc().polygon.count(), 0);
    c.t.ui.files = {path};
    c.run(cmd::kOpen);
    EXPECT_EQ(c.doc().polygon.count(), 4);
    EXPECT_EQ(c.doc().orderName, L"Кухня");
    EXPECT_EQ(c.doc().filePath, path);
}

TEST(SharedChoices, ReportFlagDecidesAndAnyCommandClearsIt) {
    Commands c;
    std::vector<std::pair<char, int>> ran;
    c.processor.registry().setChoiceHandler(ChoiceKind::Report, [&](CommandContext&, int i) {
        ran.push_back({'R', i});
    });
    c.processor.registry().setChoiceHandler(ChoiceKind::PrintForm, [&](CommandContext&, int i) {
        ran.push_back({'P', i});
    });
    for (int i = 0; i < 3; ++i) {
        TZWordForm w;
        w.name = L"отчёт" + std::to_wstring(i);
        c.doc().resources.wordForms.append(w);
        TZPrintForm p;
        p.name = L"форма" + std::to_wstring(i);
        c.doc().resources.printForms.append(p);
    }

    // The report pop-up: ids 20000 + i, the flag set; the choice runs a report and clears it.
    EXPECT_TRUE(c.processor.offerChoices(ChoiceKind::Report, cmd::kReport, {L"a", L"b", L"c"}));
    ASSERT_EQ(c.host.popups.size(), 1u);
    EXPECT_EQ(c.host.anchors[0], cmd::kReport);
    EXPECT_EQ(c.host.popups[0][2].command, 20002);
    EXPECT_EQ(c.host.popups[0][2].text, L"c");
    EXPECT_TRUE(c.processor.reportMenuPending());
    c.run(20002);
    EXPECT_FALSE(c.processor.reportMenuPending());
    // Without the flag the same id prints form 2.
    c.run(20002);
    EXPECT_EQ(ran, (std::vector<std::pair<char, int>>{{'R', 2}, {'P', 2}}));

    // A report pop-up dismissed without a choice: the next command (of any kind) clears the flag,
    // so a print form chosen afterwards prints.
    ran.clear();
    c.processor.offerChoices(ChoiceKind::Report, cmd::kReport, {L"a"});
    c.run(cmd::kShowGrid);
    EXPECT_FALSE(c.processor.reportMenuPending());
    c.run(20001);
    EXPECT_EQ(ran, (std::vector<std::pair<char, int>>{{'P', 1}}));

    // An index past the list does nothing (it would otherwise reach the first entry).
    ran.clear();
    EXPECT_EQ(c.run(20003), CommandOutcome::Ignored);
    EXPECT_EQ(c.run(20050), CommandOutcome::Ignored);
    EXPECT_TRUE(ran.empty());
}

TEST(SharedChoices, NoFormsIsToldAndAtMostFiftyAreListed) {
    Commands c;
    EXPECT_FALSE(c.processor.offerChoices(ChoiceKind::PrintForm, cmd::kPrint, {}));
    EXPECT_TRUE(c.t.ui.saw(L"Нет ни одной доступной печатной формы!"));
    EXPECT_TRUE(c.host.popups.empty());

    std::vector<std::wstring> names(60, L"форма");
    c.processor.offerChoices(ChoiceKind::PrintForm, cmd::kPrint, names);
    ASSERT_EQ(c.host.popups.size(), 1u);
    EXPECT_EQ(c.host.popups[0].size(), 50u);
    EXPECT_EQ(c.host.popups[0].back().command, 20049);
    EXPECT_FALSE(c.processor.reportMenuPending());
    // Nothing can run a print form yet: the items are shown greyed.
    EXPECT_FALSE(c.host.popups[0][0].enabled);
}

TEST(PhotoMenu, ItemsShowAndHidePhotos) {
    Commands c;
    c.doc().photos.append(photo(L"/p/kitchen.jpg"));
    c.doc().photos.append(photo(L"/p/hall.jpg"));
    c.run(cmd::kPhotos);
    ASSERT_EQ(c.host.popups.size(), 1u);
    const std::vector<PopupItem>& items = c.host.popups[0];
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0].command, cmd::kAddPhoto);
    EXPECT_EQ(items[0].text, L"Добавить фото ...");
    EXPECT_FALSE(items[0].enabled); // adding photos belongs to the project window, not built yet
    EXPECT_EQ(items[2].command, 22002);
    EXPECT_EQ(items[2].text, L"/p/hall.jpg");
    EXPECT_TRUE(items[3].isSeparator());
    EXPECT_EQ(items[4].command, 22003);
    EXPECT_EQ(items[4].text, L"Убрать фото с экрана");
    EXPECT_FALSE(items[4].enabled); // nothing is shown

    const int repaints = c.t.views.repaints;
    c.run(22002);
    EXPECT_EQ(c.doc().shownPhoto, 1);
    c.run(22002); // the photo already shown: nothing
    EXPECT_EQ(c.t.views.repaints, repaints + 1);
    c.run(cmd::kPhotos);
    EXPECT_TRUE(c.host.popups[1][2].checked);
    EXPECT_TRUE(c.host.popups[1][4].enabled);
    c.run(22003);
    EXPECT_EQ(c.doc().shownPhoto, -1);
    EXPECT_EQ(c.run(22004), CommandOutcome::Ignored);

    // Adding photos works once the project window registers it.
    c.processor.registry().setHandler(cmd::kAddPhoto, [](CommandContext&) {});
    c.run(cmd::kPhotos);
    EXPECT_TRUE(c.host.popups[2][0].enabled);
}

TEST(PhotoMenu, ItemsBeyondTheAcceptedIdsAreGreyed) {
    Commands c;
    for (int i = 0; i < 52; ++i)
        c.doc().photos.append(photo(L"/p/" + std::to_wstring(i) + L".jpg"));
    const std::vector<PopupItem> items = photoMenu(c.doc(), false);
    ASSERT_EQ(items.size(), 55u);
    EXPECT_TRUE(items[1 + 49].enabled);  // photo 49: id 22050, still acted on
    EXPECT_FALSE(items[1 + 50].enabled); // photo 50: its id is ignored
    EXPECT_FALSE(items.back().enabled);  // the hide item's id 22053 is ignored too
    c.run(22050);
    EXPECT_EQ(c.doc().shownPhoto, 49);
    EXPECT_EQ(c.run(22051), CommandOutcome::Ignored);
    EXPECT_EQ(c.doc().shownPhoto, 49);
}
