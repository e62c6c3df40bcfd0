#include "app/start_switches.h"

#include "model/ceiling.h"

void applyStartSwitches(TZCeiling& doc) {
    doc.showGrid = true;
    doc.showPointNames = true;
    doc.showLengths = true;
    doc.showConstructions = true;
}
