#include "business/new_instance.h"

#include "platform/launcher.h"
#include "platform/ui_services.h"

bool openInNewInstance(Launcher& launcher, UiServices& ui, const std::wstring& path) {
    if (launcher.startProgram(launcher.selfPath(), {path})) return true;
    ui.error(L"Не удалось запустить программу, чтобы открыть проект «" + path + L"».");
    return false;
}
