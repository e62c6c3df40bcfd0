#include <gtest/gtest.h>

#include "model/ceiling.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {
constexpr wchar_t kSaveQuestion[] = L"Проект был изменён. Сохранить?";

void makeModifiedProject(TZCeiling& doc) {
    setOutline(doc, {{0, 0}, {400, 0}, {400, 300}, {0, 300}});
    doc.orderName = L"Кухня";
    doc.modified = true;
    doc.editor.mode = kModePoints;
}
} // namespace

TEST(Ceiling, StartsEmptyInTheStartMode) {
    TestDocument t;
    EXPECT_EQ(t->editor.mode, kModeStart);
    EXPECT_EQ(t->polygon.count(), 0);
    EXPECT_EQ(t->tensionY, -1.0);
    EXPECT_EQ(t->seamFrom, -1);
    EXPECT_EQ(t->material.tensionCoef, 0.93);
    EXPECT_EQ(t->material.width, 100.0);
    EXPECT_EQ(t->accuracyClass, 0.05);
    EXPECT_EQ(t->history.undoCount, 0);
    EXPECT_EQ(t->history.undoPos, -1);
    EXPECT_TRUE(t->currentFormat);
}

TEST(Ceiling, TitleTexts) {
    TestDocument t;
    EXPECT_EQ(t->title(), L"Tenzora 1.0");
    t->orderName = L"Кухня";
    EXPECT_EQ(t->title(), L"Tenzora 1.0 ::: Кухня");
    t->filePath = L"C:\\p\\room.tz";
    EXPECT_EQ(t->title(), L"Tenzora 1.0 ::: Кухня (C:\\p\\room.tz)");
    t->currentFormat = false;
    EXPECT_EQ(t->title(), L"Tenzora 1.0 ::: Кухня (C:\\p\\room.tz) СТАРАЯ ВЕРСИЯ ФАЙЛА!");
    t->orderName.clear();
    EXPECT_EQ(t->title(), L"Tenzora 1.0 (C:\\p\\room.tz) СТАРАЯ ВЕРСИЯ ФАЙЛА!");
}

TEST(NewProject, AsksNothingWhenUnmodifiedOrEmpty) {
    TestDocument t(true);
    setOutline(*t, {{0, 0}, {100, 0}, {100, 100}});
    t->modified = false; // just saved: the reset's own snapshot must not make it ask
    EXPECT_TRUE(t->newProject());
    EXPECT_TRUE(t.ui.messages.empty());

    t->polygon.clear();
    t->modified = true;
    EXPECT_TRUE(t->newProject());
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST(NewProject, HeadlessAsksNothing) {
    TestDocument t(false);
    makeModifiedProject(*t);
    EXPECT_TRUE(t->newProject());
    EXPECT_TRUE(t.ui.messages.empty());
    EXPECT_EQ(t->polygon.count(), 0);
}

TEST(NewProject, CancelLeavesTheDocumentUntouched) {
    TestDocument t(true);
    makeModifiedProject(*t);
    t.ui.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(t->newProject());
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, kSaveQuestion);
    EXPECT_EQ(t.ui.messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(t.ui.messages[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(t.ui.messages[0].defaultAnswer, MessageAnswer::No);
    EXPECT_EQ(t->polygon.count(), 4);
    EXPECT_EQ(t->orderName, L"Кухня");
}

TEST(NewProject, YesThenCancelledSaveDialogLeavesTheDocumentUntouched) {
    TestDocument t(true);
    makeModifiedProject(*t);
    t.ui.answers = {MessageAnswer::Yes};
    EXPECT_FALSE(t->newProject());
    ASSERT_EQ(t.ui.fileDialogs.size(), 1u);
    EXPECT_TRUE(t.ui.fileDialogs[0].save);
    EXPECT_EQ(t.ui.fileDialogs[0].initialName, L"Кухня");
    EXPECT_EQ(t->polygon.count(), 4);
}

TEST(NewProject, YesSavesThenResets) {
    TempDir dir;
    TestDocument t(true);
    makeModifiedProject(*t);
    t.ui.answers = {MessageAnswer::Yes};
    t.ui.files = {(dir / "kitchen.tz").wstring()};
    EXPECT_TRUE(t->newProject());
    EXPECT_TRUE(std::filesystem::exists(dir / "kitchen.tz"));
    EXPECT_EQ(t->polygon.count(), 0);
}

TEST(NewProject, NoResetsEverythingTheResetNames) {
    TestDocument t(true);
    makeModifiedProject(*t);
    t->view.scaleX = 3;
    t->view.panX = 40;
    t->view.gridStep = 50;
    t->seamFrom = 1;
    t->city = 2;
    t->harpoon = 1;
    t->currentFormat = false;
    t->priceTag = "123";
    t->extraWorks.append({L"Люстра", 2});
    t->dops.append(TZDop{});
    t->dopHoleOrder.append({kOrderConstruction, 0});
    t->canvasLengths.append(320);
    t->canvasLengthTotal = 320;
    t.ui.answers = {MessageAnswer::No};
    EXPECT_TRUE(t->newProject());
    EXPECT_EQ(t->polygon.count(), 0);
    EXPECT_FALSE(t->polygon.defined);
    EXPECT_EQ(t->diagonals.count(), 0);
    EXPECT_EQ(t->orderName, L"");
    EXPECT_EQ(t->view.scaleX, 1.0f);
    EXPECT_EQ(t->view.panX, 0);
    EXPECT_EQ(t->view.gridStep, 20.0);
    EXPECT_EQ(t->seamFrom, -1);
    EXPECT_EQ(t->city, -1);
    EXPECT_EQ(t->harpoon, 0);
    EXPECT_TRUE(t->currentFormat);
    EXPECT_EQ(t->priceTag, "");
    EXPECT_EQ(t->extraWorks.count(), 0);
    EXPECT_EQ(t->dops.count(), 0);
    EXPECT_EQ(t->dopHoleOrder.count(), 0); // no stale entries reorder the next project's list
    EXPECT_EQ(t->canvasLengths.count(), 0);
    EXPECT_EQ(t->canvasLengthTotal, 0);
    EXPECT_EQ(t->history.undoCount, 0);
    EXPECT_EQ(t.views.title, L"Tenzora 1.0");
    // After the reset there is nothing to undo.
    EXPECT_FALSE(t->undo());
    EXPECT_TRUE(t.ui.saw(L"Нет данных для отмены"));
}

TEST(NewProject, AndShowEntersThePointToolWithTheViewSize) {
    TestDocument t(true);
    t.views.width = 1024;
    t.views.height = 700;
    t->editor.mode = kModeStart;
    t->editor.pointTool = 3;
    EXPECT_TRUE(t->newProjectAndShow());
    EXPECT_EQ(t->editor.mode, kModePoints);
    EXPECT_EQ(t->editor.pointTool, 0);
    EXPECT_EQ(t->view.viewWidth, 1024);
    EXPECT_EQ(t->view.viewHeight, 700);
    EXPECT_GE(t.views.trees, 1);
    EXPECT_GE(t.views.figures, 1);
    EXPECT_GE(t.views.repaints, 1);
}

TEST(Ceiling, FigureRefreshForgetsPickedVerticesAndTheSelectedRecord) {
    TestDocument t;
    t->editor.draggedVertex = 1;
    t->editor.pendingVertex = 2;
    t->editor.editorVertex2 = 0;
    t->editor.currentDiagonal = 3;
    t->refreshFigures();
    EXPECT_EQ(t->editor.draggedVertex, -1);
    EXPECT_EQ(t->editor.pendingVertex, -1);
    EXPECT_EQ(t->editor.editorVertex2, -1);
    EXPECT_EQ(t->editor.currentDiagonal, -1);
}
