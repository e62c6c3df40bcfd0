#pragma once
// The program's keys (Ctrl+Z, Ctrl+A, Ctrl+S, …) act on the project whichever control of the main
// window has the focus, as they always have: an edit of the side panel would otherwise keep
// Ctrl+Z for its own text and Ctrl+A for selecting it. Keys that are no command of the program
// (copy, cut, paste) stay the control's.

namespace tenzora {

class CMainFrame;

void installAcceleratorFilter(CMainFrame& frame);

} // namespace tenzora
