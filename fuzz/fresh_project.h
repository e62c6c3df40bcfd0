#pragma once
// The document of a fuzz target that reads project images. Making one is costly (its undo
// buffers), so a target makes it once and, before each input, gives it the image of a new project:
// that sets every stored member, so each input starts from the same document whatever the
// previous one left.

#include <cstdlib>
#include <filesystem>
#include <string>

#include "model/ceiling.h"
#include "platform/ui_services.h"
#include "storage/project_image.h"

namespace tenzora {

// No materials.mat is read or written while fuzzing.
inline const std::filesystem::path kNoProgramDir = "/nonexistent/tenzora-fuzz";

inline std::string imageOf(TZCeiling& doc) {
    TZDynamicMemory s;
    saveToStream(doc, s);
    return std::string(s.bytes());
}

// Loads the image of a new project into the document; a target whose reset fails is broken.
inline void resetToNewProject(TZCeiling& doc) {
    static const std::string fresh = [] {
        SilentUiServices ui;
        TZCeiling empty(ui, kNoProgramDir);
        return imageOf(empty);
    }();
    bool currentFormat = true;
    TZDynamicMemory reset;
    reset.assign(fresh);
    if (!loadFromStream(doc, reset, currentFormat)) std::abort();
}

// The state a document editing targets start from: the image of a new project, fresh editor and
// view states (they are not stored in the image) and an empty history.
inline void resetToFreshEditing(TZCeiling& doc) {
    doc.editor = TZEditorState{};
    doc.view = TZViewState{};
    resetToNewProject(doc);
    doc.history.clearUndo();
}

} // namespace tenzora
