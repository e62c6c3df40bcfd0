// Undo and redo: the whole project is serialised with the project file writer before every
// change. The history only grows: undoing moves a cursor back, redoing forward, and a new change
// appends at the end without discarding the states after the cursor.

#include <algorithm>

#include "model/ceiling.h"
#include "storage/project_image.h"

namespace tenzora {

namespace {
constexpr wchar_t kNothingToUndo[] = L"Нет данных для отмены";
constexpr wchar_t kNothingToRedo[] = L"Нет данных для возврата";
} // namespace

void TZUndoHistory::clearUndo() {
    for (TZDynamicMemory& buffer : undoBuffers)
        buffer.release();
    undoCount = 0;
    undoPos = -1;
    undoFirst_ = 0;
}

TZDynamicMemory& TZUndoHistory::newState() {
    // The scratch stream may have received an empty buffer from the store.
    if (undoCount > 0) undoScratch_.reserve(static_cast<std::size_t>(undoState(undoCount - 1).size()));
    return undoScratch_;
}

bool TZUndoHistory::keepNewState() {
    if (undoCount > 0 && undoScratch_.sameContents(undoState(undoCount - 1))) {
        undoScratch_.resetKeepingBlock();
        return false;
    }
    // The store is full: the oldest state goes; the ring starts one slot later, and the freed
    // slot (now the one after the newest) takes the new state, its block reused.
    if (undoCount == kUndoCapacity) {
        undoFirst_ = (undoFirst_ + 1) % kUndoCapacity;
        --undoCount;
    }
    std::swap(undoState(undoCount), undoScratch_);
    undoScratch_.resetKeepingBlock();
    undoPos = undoCount;
    ++undoCount;
    return true;
}

bool TZCeiling::takeSnapshot() {
    if (suppressUndo) return true;
    priceTag.clear();
    saveToStream(*this, history.newState(), /*keepBlock=*/true);
    if (!history.keepNewState()) return false;
    modified = true;
    return true;
}

namespace {
// Restores a state and refreshes the window. The refresh itself changes the document a little
// (it forgets the picked vertices and the selected record, and marks recognised right angles),
// so the state is written back into its buffer: otherwise the first undo after a redo would
// store the refreshed state as a new one and step back onto it, seeming to do nothing.
void restore(TZCeiling& doc, TZDynamicMemory& buffer) {
    bool throwAwayFormat = true;
    loadFromStream(doc, buffer, throwAwayFormat);
    doc.refreshAfterChange();
    doc.priceTag.clear();
    saveToStream(doc, buffer, /*keepBlock=*/true);
}
} // namespace

bool TZCeiling::undo() {
    if (history.undoCount > 0 && history.undoPos >= 0) {
        if (history.undoPos == history.undoCount - 1) takeSnapshot();
        --history.undoPos;
        if (history.undoPos < 0) return true;
        restore(*this, history.undoState(history.undoPos));
        return true;
    }
    ui().information(kNothingToUndo);
    return false;
}

bool TZCeiling::redo() {
    if (history.undoPos < history.undoCount - 1) {
        ++history.undoPos;
        restore(*this, history.undoState(history.undoPos));
        return true;
    }
    ui().information(kNothingToRedo);
    return false;
}

} // namespace tenzora
