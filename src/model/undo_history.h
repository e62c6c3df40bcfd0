#pragma once
// The undo history of the document: the project images of its past states, kept in a ring so
// that dropping the oldest state of a full store moves nothing. State k (0 the oldest,
// undoCount − 1 the newest) is undoState(k); undoPos is the state the project was last brought
// back to, or the newest.

#include <array>
#include <cstddef>
#include <cstdint>

#include "storage/dynamic_memory.h"

namespace tenzora {

class TZUndoHistory {
  public:
    // Number of states the history keeps.
    static constexpr int kUndoCapacity = 2000;
    // Growth step of the streams the states are written into.
    static constexpr int kStreamGrowBy = 4048;

    std::array<TZDynamicMemory, kUndoCapacity> undoBuffers;
    std::int32_t undoCount = 0;
    std::int32_t undoPos = -1;

    // Forgets every state and gives their storage back.
    void clearUndo();
    TZDynamicMemory& undoState(std::int32_t k) { return undoBuffers[undoSlot(k)]; }

    // Where a new state is written before it is compared with the newest one. It is ready for an
    // image the size of the newest state, so that the image is not built by repeated growth.
    TZDynamicMemory& newState();
    // Keeps the state written into newState() as the newest one, the oldest going when the store
    // is full; false, keeping nothing, when it equals the newest state.
    bool keepNewState();

  private:
    // The block of the new state is swapped into the store, so taking states does not reallocate.
    TZDynamicMemory undoScratch_{kStreamGrowBy};
    // The slot of the oldest stored state.
    std::int32_t undoFirst_ = 0;
    std::size_t undoSlot(std::int32_t k) const {
        return static_cast<std::size_t>((undoFirst_ + k) % kUndoCapacity);
    }
};

} // namespace tenzora
