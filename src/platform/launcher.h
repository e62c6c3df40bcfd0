#pragma once
// Starting other programs and opening documents with the desktop's handler. Arguments are
// passed as they are, never through a shell, so blanks and quotes in paths are safe.

#include <functional>
#include <string>
#include <vector>

namespace tenzora {

// Exit statuses of Launcher::runToEnd that are not the program's own.
inline constexpr int kRunNotStarted = -1;
inline constexpr int kRunStopped = -2;

class Launcher {
  public:
    virtual ~Launcher() = default;
    virtual bool startProgram(const std::wstring& program, const std::vector<std::wstring>& arguments) = 0;
    virtual bool openDocument(const std::wstring& path) = 0;
    // The path of the running program, used to start a second instance with a project.
    virtual std::wstring selfPath() = 0;

    // Starts a program that goes on by itself (closing this program does not stop it) and calls
    // `ended` from this program's event loop once it has ended. False when it could not be
    // started.
    virtual bool startWatched(const std::wstring& program, const std::vector<std::wstring>& arguments,
                              std::function<void()> ended) = 0;
    // Runs a program and waits for its end, at most timeoutMs (then it is stopped). Its exit
    // status; kRunNotStarted when it could not be started, kRunStopped when it crashed or had
    // to be stopped.
    virtual int runToEnd(const std::wstring& program, const std::vector<std::wstring>& arguments,
                         int timeoutMs) = 0;
};

} // namespace tenzora
