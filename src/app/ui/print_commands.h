#pragma once
// The main window's printing: "Печать" and "Предварительный просмотр" offer the print forms
// under their buttons; the chosen form is printed through the system print dialog or shown in
// the preview window, which is created on first use and kept.

#include <memory>

namespace tenzora {

class CMainFrame;
class CTenzoraApp;
class CPrintViewWnd;
class QtPrinterChooser;
struct PrintServices;
class VariableTextsAdapter;

class PrintCommands {
  public:
    // Registers the commands and the choice of a print form with the frame's processor.
    PrintCommands(CMainFrame& frame, CTenzoraApp& app);
    ~PrintCommands();
    PrintCommands(const PrintCommands&) = delete;
    PrintCommands& operator=(const PrintCommands&) = delete;

    // The preview window; null until the first preview.
    CPrintViewWnd* previewWindow() const { return preview_; }
    // The print dialog (a test replaces the dialog by a runner of its own). Made on first use:
    // asking the print system for its default printer can take a while.
    QtPrinterChooser& printers();

  private:
    void print(int mode, int formIndex);
    void showPreview();
    void savePicture();

    CMainFrame& frame_;
    CTenzoraApp& app_;
    std::unique_ptr<QtPrinterChooser> printers_;
    CPrintViewWnd* preview_ = nullptr;
};

} // namespace tenzora
