#pragma once
// Starting other programs and opening documents with the desktop's handler. Arguments are
// passed as they are, never through a shell, so blanks and quotes in paths are safe.

#include <string>
#include <vector>

class Launcher {
public:
    virtual ~Launcher() = default;
    virtual bool startProgram(const std::wstring& program, const std::vector<std::wstring>& arguments) = 0;
    virtual bool openDocument(const std::wstring& path) = 0;
    // The path of the running program, used to start a second instance with a project.
    virtual std::wstring selfPath() = 0;
};
