#pragma once
// Runs a function inside a Qt GUI application object on the offscreen platform, for the headless
// program: fonts, images and settings work without a display.

#include <functional>
#include <string>

namespace tenzora {

int runHeadless(int argc, char* argv[], const std::function<int(int, char*[])>& body);

// The running program's own path (UTF-8).
std::string applicationFilePathUtf8();

} // namespace tenzora
