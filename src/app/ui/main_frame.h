#pragma once
// CMainFrame: the main window. Its menu bar, toolbars and keys are generated from the command
// table; every command goes through the command processor, whose rules enable and check the
// actions before a menu opens, after each command and on a short timer. It holds the drawing
// view, asks before a modified project is closed and remembers its size and toolbar layout.

#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "app/command_host.h"
#include "app/commands.h"
#include "model/document_views.h"

class QAction;
class QDockWidget;
class QSettings;
class QTimer;
class QToolBar;

namespace tenzora {

class CChildView;
class PrintCommands;
class ChildViewInput;
class TZMainPanel;
class CTenzoraApp;
class GeometryWindows;

class CMainFrame : public QMainWindow, public DocumentViews, public CommandHost {
    Q_OBJECT
  public:
    explicit CMainFrame(CTenzoraApp& app, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CChildView* view() const { return view_; }
    // The side panel docked at the left, and the drawing view's mouse and keyboard.
    TZMainPanel* mainPanel() const { return panel_; }
    ChildViewInput* viewInput() const { return viewInput_; }
    // Where other windows register the handlers of their commands.
    CommandProcessor& commands() { return processor_; }
    // Printing and the print preview.
    PrintCommands& printing() { return *printing_; }
    // The action of a command (objectName "cmd" + id, data() = id); null when unknown.
    QAction* action(int id) const;
    // A toolbar by its resource number (5 main, 6 triangles, 4 points, 8 constructions).
    QToolBar* toolbar(int resource) const;

    // Docks the side panel on the left and makes "Фигура" show and hide it.
    void setSidePanel(QWidget* panel);
    QDockWidget* sidePanelDock() const { return sidePanelDock_; }
    // Where the triangle commands read the side panel's selected row from.
    void setSelectedRowSource(std::function<std::optional<std::wstring>()> source);

    // Runs a command as a menu item, button or key would, then refreshes the command states.
    CommandOutcome runCommand(int id);
    // Enables and checks every action by the rules.
    void refreshCommandStates();

    // The window's size and toolbar layout, kept between runs in `settings` (group "Window").
    void restoreLayout(QSettings& settings);
    void saveLayout(QSettings& settings) const;
    // Saves the layout there when the window closes.
    void setLayoutSettings(QSettings* settings) { layoutSettings_ = settings; }
    // Where the dialogs keep their places too; null when nothing is kept.
    QSettings* layoutSettings() const { return layoutSettings_; }
    // The construction, cutout, cutting and canvas dialogs.
    GeometryWindows* geometryWindows() const { return geometry_; }

    // DocumentViews
    void refreshFigures() override;
    void rebuildTree() override;
    void repaint() override;
    void setTitle(const std::wstring& title) override;
    void clientSize(int& width, int& height) override;
    void showCuttingDialog() override;
    bool saveProjectAs() override;

    // CommandHost: a pop-up menu under the command's toolbar button.
    void showPopup(int anchorCommand, const std::vector<PopupItem>& items) override;
    std::optional<std::wstring> selectedTreeRow() const override;

    // The close question; true when the window may close.
    bool confirmClose();

    // The interval of the state refresh that keeps toolbar buttons current between commands.
    static constexpr int kStateRefreshMs = 250;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void createActions();
    void buildMenus();
    void buildToolbars();
    void registerWindowCommands();
    void toggleBar(QWidget* bar);
    CommandUiState uiState() const;
    QPoint popupPosition(int anchorCommand) const;

    CTenzoraApp& app_;
    CommandProcessor processor_;
    CChildView* view_ = nullptr;
    TZMainPanel* panel_ = nullptr;
    ChildViewInput* viewInput_ = nullptr;
    std::map<int, QAction*> actions_;
    std::map<int, QToolBar*> toolbars_;
    QDockWidget* sidePanelDock_ = nullptr;
    QTimer* stateTimer_ = nullptr;
    QSettings* layoutSettings_ = nullptr;
    std::function<std::optional<std::wstring>()> selectedRow_;
    std::unique_ptr<PrintCommands> printing_;
    GeometryWindows* geometry_ = nullptr;
};

} // namespace tenzora
