#pragma once
// The main window's commands of the business windows: the materials base (50025, modeless,
// created on first use and kept), the price list settings (32904) and the price lists (32906),
// the settings (32910) and About (57664), all modal.

namespace tenzora {

class CMainFrame;
class CTenzoraApp;

void registerBusinessWindows(CMainFrame& frame, CTenzoraApp& app);

} // namespace tenzora
