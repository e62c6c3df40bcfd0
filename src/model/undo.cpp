// Undo and redo: the whole project is serialised with the project file writer before every
// change. The history only grows: undoing moves a cursor back, redoing forward, and a new change
// appends at the end without discarding the states after the cursor.

#include <algorithm>

#include "model/ceiling.h"
#include "storage/project_image.h"

namespace {
constexpr wchar_t kNothingToUndo[] = L"Нет данных для отмены";
constexpr wchar_t kNothingToRedo[] = L"Нет данных для возврата";
}  // namespace

void TZCeiling::clearUndo() {
    for (TZDynamicMemory& buffer : undoBuffers) buffer.release();
    undoCount = 0;
    undoPos = -1;
}

bool TZCeiling::takeSnapshot() {
    if (suppressUndo) return true;
    priceTag.clear();
    // The scratch stream may have received an empty buffer from the store: give it room for an
    // image the size of the newest one, so that the image is not built by repeated growth.
    if (undoCount > 0)
        undoScratch_.reserve(static_cast<std::size_t>(undoBuffers[static_cast<std::size_t>(undoCount - 1)].size()));
    saveToStream(*this, undoScratch_, /*keepBlock=*/true);
    if (undoCount > 0 && undoScratch_.sameContents(undoBuffers[static_cast<std::size_t>(undoCount - 1)]))
        return false;
    // The store is full: the oldest state goes (its block is reused for the new one).
    if (undoCount == kUndoCapacity) {
        // Moved down one place each (a third of the moves a rotation by swaps makes).
        TZDynamicMemory oldest = std::move(undoBuffers[0]);
        for (std::size_t i = 1; i < undoBuffers.size(); ++i) undoBuffers[i - 1] = std::move(undoBuffers[i]);
        undoBuffers.back() = std::move(oldest);
        --undoCount;
    }
    std::swap(undoBuffers[static_cast<std::size_t>(undoCount)], undoScratch_);
    undoScratch_.resetKeepingBlock();
    undoPos = undoCount;
    ++undoCount;
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
}  // namespace

bool TZCeiling::undo() {
    if (undoCount > 0 && undoPos >= 0) {
        if (undoPos == undoCount - 1) takeSnapshot();
        --undoPos;
        if (undoPos < 0) return true;
        restore(*this, undoBuffers[static_cast<std::size_t>(undoPos)]);
        return true;
    }
    ui().information(kNothingToUndo);
    return false;
}

bool TZCeiling::redo() {
    if (undoPos < undoCount - 1) {
        ++undoPos;
        restore(*this, undoBuffers[static_cast<std::size_t>(undoPos)]);
        return true;
    }
    ui().information(kNothingToRedo);
    return false;
}
