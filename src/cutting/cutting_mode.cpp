#include "cutting/cutting_mode.h"

#include "model/ceiling.h"
#include "model/forming.h"
#include "model/forming_commands.h"

namespace tenzora {

void toggleCuttingMode(TZCeiling& doc) {
    doc.editor.dragging = false;
    if (!doc.outlineFormed) formProjectCommand(doc);
    if (doc.editor.mode == kModeCutting) {
        doc.editor.mode = kModePoints;
    } else {
        // The dialog re-places the outline again as it shows; the mode changes after it, so both
        // placements still turn the outline as outside the cutting mode.
        normalize(doc);
        doc.showCuttingDialog();
        doc.editor.mode = kModeCutting;
    }
    doc.rebuildTree();
    doc.repaint();
}

} // namespace tenzora
