#pragma once
// Starting programs (no shell) and opening documents with the desktop's handler.

#include "platform/launcher.h"

class QtLauncher : public Launcher {
public:
    bool startProgram(const std::wstring& program, const std::vector<std::wstring>& arguments) override;
    bool openDocument(const std::wstring& path) override;
    std::wstring selfPath() override;
};
