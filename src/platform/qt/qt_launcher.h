#pragma once
// Starting programs (no shell) and opening documents with the desktop's handler.

#include <memory>

#include "platform/launcher.h"

class QObject;

namespace tenzora {

class QtLauncher : public Launcher {
  public:
    QtLauncher();
    ~QtLauncher() override;
    bool startProgram(const std::wstring& program, const std::vector<std::wstring>& arguments) override;
    bool openDocument(const std::wstring& path) override;
    std::wstring selfPath() override;
    // The program is started detached (in a session of its own, it outlives this program) and a
    // timer of the event loop looks every 200 ms whether it still runs. The watch ends with the
    // launcher: `ended` is never called after the launcher is gone.
    bool startWatched(const std::wstring& program, const std::vector<std::wstring>& arguments,
                      std::function<void()> ended) override;
    // Stopped after the time: first asked to end (so that it can end what it started), then killed.
    int runToEnd(const std::wstring& program, const std::vector<std::wstring>& arguments,
                 int timeoutMs) override;

    static constexpr int kWatchIntervalMs = 200;

  private:
    // The parent of the watch timers.
    std::unique_ptr<QObject> watches_;
};

} // namespace tenzora
