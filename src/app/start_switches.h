#pragma once
// What the main window switches on as it is created, and a project made by the headless program
// gets the same: the grid, the point names, the lengths and the constructions are shown (and so
// the constructions count in the area, the layout and the pictures); snapping, angles and the
// canvas distances stay off.

namespace tenzora {

class TZCeiling;

void applyStartSwitches(TZCeiling& doc);

} // namespace tenzora
