#include "app/start_switches.h"

#include "model/ceiling.h"

namespace tenzora {

void applyStartSwitches(TZCeiling& doc) {
    doc.view.showGrid = true;
    doc.view.showPointNames = true;
    doc.view.showLengths = true;
    doc.showConstructions = true;
}

} // namespace tenzora
