#pragma once
// Opening a project from a list (a stock movement, a client's project) in a second instance of
// the program, so that the project open in this one stays as it is.

#include <string>

namespace tenzora {

class Launcher;
class UiServices;

// Starts the running program again with the path as its one argument (never through a shell,
// so blanks and quotes in the path reach it intact). A failure to start is told to the user.
bool openInNewInstance(Launcher& launcher, UiServices& ui, const std::wstring& path);

} // namespace tenzora
