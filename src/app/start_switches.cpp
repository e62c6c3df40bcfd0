#include "app/start_switches.h"

#include "model/ceiling.h"

namespace tenzora {

void applyStartSwitches(TZCeiling& doc) {
    doc.showGrid = true;
    doc.showPointNames = true;
    doc.showLengths = true;
    doc.showConstructions = true;
}

} // namespace tenzora
