#pragma once
// The toolbar pictures: painted in code on a 28 × 28 design grid, at whatever size and device
// pixel ratio a button asks for, so they stay sharp on every screen.

#include <QIcon>

class QPainter;

namespace tenzora {

// Design size of a toolbar picture in logical pixels.
inline constexpr int kToolbarIconSize = 28;

// The picture of a command's toolbar button; a null icon for commands without one.
QIcon commandIcon(int commandId);
// The program's own icon (the window icon).
QIcon programIcon();
// True when a picture exists for the command.
bool hasCommandIcon(int commandId);

// Paints the picture of `commandId` on the 28 × 28 design grid of `painter` (already scaled).
// Returns false when there is none. Exposed for the window tests.
bool paintCommandPicture(QPainter& painter, int commandId);

} // namespace tenzora
