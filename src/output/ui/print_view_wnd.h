#pragma once
// CPrintViewWnd: the print preview window "Печать". Its toolbar "Инструменты просмотра печати"
// prints the form now (50004), zooms in and out (50007, 50008), lets the page be dragged (50009),
// shows the sheet or its continuation page (32901, 32902) and saves the sheet as a picture
// (32903). The page is painted by the preview's core routine; the window only binds the
// toolbar and the mouse to it. Closing the window hides it.

#include <QMainWindow>
#include <functional>
#include <map>

#include "output/print_preview.h"

class QAction;
class QToolBar;

namespace tenzora {

class TZCeiling;
class ImageCodec;
struct AppSettings;

class CPrintViewWnd : public QMainWindow {
    Q_OBJECT
  public:
    struct Actions {
        std::function<void()> print;       // 50004: print the form now
        std::function<void()> savePicture; // 32903: the export dialog of the sheet
    };

    CPrintViewWnd(TZCeiling& doc, const AppSettings& settings, ImageCodec* images, Actions actions,
                  QWidget* parent = nullptr);
    ~CPrintViewWnd() override;

    // Shows the window with the page back in its place and dragging on.
    void showPreview();

    PrintPreview& preview() { return preview_; }
    QAction* action(int id) const;
    QToolBar* toolbar() const { return toolbar_; }
    // The page area below the toolbar.
    QWidget* pageArea() const { return area_; }
    // Runs a toolbar command as its button does.
    void runCommand(int id);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    class PageArea;
    QAction* addCommand(int id, const QString& text);
    void refreshChecks();

    TZCeiling& doc_;
    const AppSettings& settings_;
    ImageCodec* images_;
    Actions actions_;
    PrintPreview preview_;
    QToolBar* toolbar_ = nullptr;
    QWidget* area_ = nullptr; // a PageArea
    std::map<int, QAction*> commands_;
};

} // namespace tenzora
