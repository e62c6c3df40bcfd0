#pragma once
// The main window's project information window and client list: "Новый проект" (Ctrl+N) and
// "Информация о проекте" (Ctrl+I) show the project window, "Клиенты" (F12) opens the client
// list, and the photo menu's "Добавить фото ..." adds a photo through the project window.

namespace tenzora {

class CMainFrame;
class CTenzoraApp;
class TZProject;

// Registers the handlers of those commands on the frame.
void installProjectWindows(CMainFrame& frame, CTenzoraApp& app);

// The frame's project window, created on first use (null before, unless `create`).
TZProject* projectWindow(CMainFrame& frame, bool create = false);

} // namespace tenzora
