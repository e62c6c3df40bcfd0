#include "business/new_instance.h"

#include "platform/launcher.h"
#include "platform/ui_services.h"

namespace tenzora {

bool openInNewInstance(Launcher& launcher, UiServices& ui, const std::wstring& path) {
    // The running executable itself: /usr/bin/tenzora when installed, build/bin/tenzora when run
    // from a build. Not a fixed /usr/bin/tenzora, so that a build running beside an installed
    // package opens the project in the same program, with the same program directory (it also
    // hands on $TENZORA_HOME, as the new process inherits the environment).
    if (launcher.startProgram(launcher.selfPath(), {path})) return true;
    ui.error(L"Не удалось запустить программу, чтобы открыть проект «" + path + L"».");
    return false;
}

} // namespace tenzora
