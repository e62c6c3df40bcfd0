#pragma once
// Runs a function inside a Qt GUI application object on the offscreen platform, for the headless
// program: fonts, images and settings work without a display.

#include <functional>

int runHeadless(int argc, char* argv[], const std::function<int(int, char*[])>& body);

#include <string>
// The running program's own path (UTF-8).
std::string applicationFilePathUtf8();
