#pragma once
// The windows of the geometry and the cutting that the main window owns: the construction and
// cutout dialogs of its commands (created on first use), the side panel's own construction and
// cutout dialogs for the records of its list, and the cutting and canvas dialogs (created hidden
// with the window). Here they are created, wired to their commands, to the side panel's list
// and to the drawing view's canvas clicks; and the display switches of a new window are set.

#include <QObject>
#include <string>

namespace tenzora {

class CMainFrame;
class CPolotno;
class CRaskroy;
class CTenzoraApp;
class TZDopPostr;
class TZHoleDialog;

class GeometryWindows : public QObject {
    Q_OBJECT
  public:
    GeometryWindows(CMainFrame& frame, CTenzoraApp& app);

    // The main window's instances.
    TZDopPostr* constructionDialog();
    TZHoleDialog* cutoutDialog();
    CRaskroy* cuttingDialog() const { return cutting_; }
    CPolotno* canvasDialog() const { return canvas_; }
    // The side panel's own instances.
    TZDopPostr* panelConstructionDialog();
    TZHoleDialog* panelCutoutDialog();

  private:
    void registerCommands();
    template <typename Dialog> void remember(Dialog* dialog);

    CMainFrame& frame_;
    CTenzoraApp& app_;
    TZDopPostr* construction_ = nullptr;
    TZHoleDialog* cutout_ = nullptr;
    TZDopPostr* panelConstruction_ = nullptr;
    TZHoleDialog* panelCutout_ = nullptr;
    CRaskroy* cutting_ = nullptr;
    CPolotno* canvas_ = nullptr;
};

// Opens the project named on the command line into the shown window. A project saved in a window
// of another size, or made by the headless program around its first corner, may lie partly
// outside this one: it is then shown centred and whole (only the view changes). False when a
// project was named and could not be opened.
bool openStartupProject(CMainFrame& frame, CTenzoraApp& app, const std::wstring& commandLine);

} // namespace tenzora
