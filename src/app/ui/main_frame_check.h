#pragma once
// "Проверить измерения" in the main window: the command and its result window.

namespace tenzora {

class CMainFrame;

// Registers the command's handler; the result window is created on first use, owned by the frame.
void installMeasurementCheck(CMainFrame& frame);

} // namespace tenzora
