#include <gtest/gtest.h>

#include "model/ceiling.h"
#include "support/fakes.h"

using namespace tenzora;

namespace {

constexpr wchar_t kNothingToUndo[] = L"Нет данных для отмены";
constexpr wchar_t kNothingToRedo[] = L"Нет данных для возврата";

// A change made as the user interface makes it: a snapshot first, then the change.
void change(TZCeiling& doc, const std::wstring& name) {
    doc.takeSnapshot();
    doc.orderName = name;
}

// The message texts shown since the last call.
std::vector<std::wstring> newMessages(ScriptedUi& ui, std::size_t& seen) {
    std::vector<std::wstring> out;
    for (; seen < ui.messages.size(); ++seen)
        out.push_back(ui.messages[seen].text);
    return out;
}

} // namespace

TEST(Undo, FreshDocumentHasNothingToUndoOrRedo) {
    TestDocument t(true);
    EXPECT_FALSE(t->undo());
    EXPECT_FALSE(t->redo());
    ASSERT_EQ(t.ui.messages.size(), 2u);
    EXPECT_EQ(t.ui.messages[0].text, kNothingToUndo);
    EXPECT_EQ(t.ui.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(t.ui.messages[1].text, kNothingToRedo);
    EXPECT_EQ(t.ui.messages[1].icon, MessageIcon::Information);
}

TEST(Undo, OneChangeUndoneAndRedone) {
    TestDocument t(true);
    t->orderName = L"S0";
    change(*t, L"S1");
    const int repaints = t.views.repaints;
    ASSERT_TRUE(t->undo());
    EXPECT_EQ(t->orderName, L"S0");
    EXPECT_GT(t.views.repaints, repaints);
    EXPECT_GT(t.views.trees, 0);
    EXPECT_GT(t.views.figures, 0);
    t->redo();
    EXPECT_EQ(t->orderName, L"S1");
    EXPECT_TRUE(t.ui.messages.empty());
}

// change, change, undo, change, undo, undo … and on until the history is exhausted: undone
// states stay in the list and are walked through in order.
TEST(Undo, HistoryOnlyGrowsAndIsWalkedBackInOrder) {
    TestDocument t;
    std::size_t seen = 0;
    t->orderName = L"S0";
    change(*t, L"S1"); // stores S0
    change(*t, L"S2"); // stores S1
    EXPECT_EQ(t->history.undoCount, 2);

    t->undo(); // stores S2 (the present), restores S1
    EXPECT_EQ(t->orderName, L"S1");
    EXPECT_EQ(t->history.undoCount, 3);
    EXPECT_EQ(t->history.undoPos, 1);

    change(*t, L"S3"); // stores S1 at the end; nothing after the cursor is dropped
    EXPECT_EQ(t->history.undoCount, 4);
    EXPECT_EQ(t->history.undoPos, 3);

    const std::vector<std::wstring> walk = {L"S1", L"S2", L"S1", L"S0"};
    t->undo(); // stores S3 first
    EXPECT_EQ(t->history.undoCount, 5);
    EXPECT_EQ(t->orderName, walk[0]);
    for (std::size_t i = 1; i < walk.size(); ++i) {
        ASSERT_TRUE(t->undo());
        EXPECT_EQ(t->orderName, walk[i]) << i;
    }
    EXPECT_EQ(t->history.undoPos, 0);
    // Past the first state: one undo does nothing and says nothing, the next one says so.
    EXPECT_TRUE(t->undo());
    EXPECT_EQ(t->history.undoPos, -1);
    EXPECT_EQ(t->orderName, L"S0");
    EXPECT_TRUE(newMessages(t.ui, seen).empty());
    EXPECT_FALSE(t->undo());
    EXPECT_EQ(newMessages(t.ui, seen), std::vector<std::wstring>{kNothingToUndo});

    // Redo walks forward again from the first stored state.
    const std::vector<std::wstring> forward = {L"S0", L"S1", L"S2", L"S1", L"S3"};
    for (const std::wstring& state : forward) {
        t->redo();
        EXPECT_EQ(t->orderName, state);
    }
    EXPECT_TRUE(newMessages(t.ui, seen).empty());
    t->redo();
    EXPECT_EQ(newMessages(t.ui, seen), std::vector<std::wstring>{kNothingToRedo});
}

TEST(Undo, EqualStatesAreStoredOnce) {
    TestDocument t;
    EXPECT_TRUE(t->takeSnapshot());
    EXPECT_FALSE(t->takeSnapshot()); // nothing changed
    EXPECT_EQ(t->history.undoCount, 1);
    // Two wheel steps in opposite directions: two different states.
    t->view.scaleX *= 1.25f;
    EXPECT_TRUE(t->takeSnapshot());
    t->view.scaleX /= 1.25f;
    EXPECT_TRUE(t->takeSnapshot());
    EXPECT_EQ(t->history.undoCount, 3);
    // Only the newest stored state counts: going back to an older one stores it again.
    t->view.scaleX *= 1.25f;
    EXPECT_TRUE(t->takeSnapshot());
    EXPECT_EQ(t->history.undoCount, 4);
}

TEST(Undo, SnapshotMarksTheProjectModifiedAndEmptiesThePriceTag) {
    TestDocument t;
    t->modified = false;
    t->priceTag = "100.00";
    EXPECT_TRUE(t->takeSnapshot());
    EXPECT_TRUE(t->modified);
    EXPECT_TRUE(t->priceTag.empty());
    // A state equal to the newest stored one changes nothing.
    t->modified = false;
    EXPECT_FALSE(t->takeSnapshot());
    EXPECT_FALSE(t->modified);
}

TEST(Undo, SuppressedSnapshotsAreNotTaken) {
    TestDocument t;
    t->modified = false;
    t->suppressUndo = true;
    t->priceTag = "5";
    EXPECT_TRUE(t->takeSnapshot());
    EXPECT_EQ(t->history.undoCount, 0);
    EXPECT_EQ(t->priceTag, "5");
    EXPECT_FALSE(t->modified);
}

TEST(Undo, RestoringBringsBackTheModifiedFlagOfTheState) {
    TestDocument t;
    t->modified = false;
    change(*t, L"a"); // the stored state was unmodified; taking it marks the project modified
    EXPECT_TRUE(t->modified);
    t->undo();
    EXPECT_FALSE(t->modified);
}

TEST(Undo, NewProjectForgetsTheHistory) {
    TestDocument t;
    change(*t, L"a");
    change(*t, L"b");
    ASSERT_TRUE(t->newProject());
    EXPECT_EQ(t->history.undoCount, 0);
    EXPECT_EQ(t->history.undoPos, -1);
    EXPECT_FALSE(t->undo());
    EXPECT_TRUE(t.ui.saw(kNothingToUndo));
}

// When all 2000 places are used, the oldest state is dropped to make room for the newest.
TEST(Undo, The2001stSnapshotDropsTheOldest) {
    TestDocument t;
    for (int i = 0; i <= TZCeiling::kUndoCapacity; ++i) {
        t->view.panX = i;
        ASSERT_TRUE(t->takeSnapshot()) << i;
    }
    EXPECT_EQ(t->history.undoCount, TZCeiling::kUndoCapacity);
    EXPECT_EQ(t->history.undoPos, TZCeiling::kUndoCapacity - 1);
    t->view.panX = -1;
    // The first undo stores the present (dropping another old state) and restores the newest.
    ASSERT_TRUE(t->undo());
    EXPECT_EQ(t->view.panX, TZCeiling::kUndoCapacity);
    EXPECT_EQ(t->history.undoCount, TZCeiling::kUndoCapacity);
    // Walking all the way back ends at the oldest state kept: the states 0 and 1 were dropped.
    int oldest = t->view.panX;
    while (t->history.undoPos > 0) {
        ASSERT_TRUE(t->undo());
        EXPECT_EQ(t->view.panX, oldest - 1);
        oldest = t->view.panX;
    }
    EXPECT_EQ(oldest, 2);
    // Redo runs forward to the present again.
    while (t->history.undoPos < t->history.undoCount - 1)
        t->redo();
    EXPECT_EQ(t->view.panX, -1);
}

TEST(Undo, RejectedRestoreLeavesTheCursorMoved) {
    TestDocument t;
    change(*t, L"a");
    change(*t, L"b");
    // A damaged buffer: the reader refuses it and tells the user; the cursor has moved anyway.
    t->history.undoBuffers[0].release();
    t->history.undoBuffers[0].writeString("damaged");
    t->undo();
    t->undo();
    EXPECT_EQ(t->history.undoPos, 0);
    EXPECT_EQ(t->orderName, L"a");
    EXPECT_TRUE(t.ui.saw(L"Файл этого формата не поддерживается"));
}

// The refresh after a restore forgets the selected record; the first undo after a redo must still
// step back (it used to store the refreshed state as a new one and land on it, doing nothing).
TEST(Undo, UndoRightAfterARedoStepsBack) {
    TestDocument t(true);
    setOutline(*t, {{0, 0}, {400, 0}, {400, 300}, {0, 300}});
    auto setLength = [&](double length) {
        t->takeSnapshot();
        t->diagonals.at(0).length = length;
        t->editor.currentDiagonal = 0; // the side panel keeps the record it was typed into
    };
    setLength(310);
    setLength(320);
    ASSERT_TRUE(t->undo());
    EXPECT_EQ(t->diagonals.at(0).length, 310);
    ASSERT_TRUE(t->redo());
    EXPECT_EQ(t->diagonals.at(0).length, 320);
    ASSERT_TRUE(t->undo());
    EXPECT_EQ(t->diagonals.at(0).length, 310);
    ASSERT_TRUE(t->undo());
    EXPECT_EQ(t->diagonals.at(0).length, 0);
}
