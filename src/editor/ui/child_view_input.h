#pragma once
// The drawing view's mouse and keyboard, handed to the editor's rules (editor/editor_input.h).
// Installed on CChildView as an event filter and owned by it: the view keeps its painting, this
// object its input. Before each paint it also loads and, the first time, fits the shown photo.

#include <QObject>
#include <functional>

#include "editor/editor_input.h"

class QMouseEvent;

namespace tenzora {

class CChildView;
class ImageCodec;
class TZCeiling;
class TZMainPanel;
struct AppSettings;

class ChildViewInput : public QObject, public EditorWindow {
    Q_OBJECT
  public:
    // `panel` receives the cursor's coordinates and the records chosen in the drawing (may be null).
    ChildViewInput(CChildView& view, TZCeiling& doc, const AppSettings& settings, ImageCodec& images,
                   TZMainPanel* panel);

    EditorInput& input() { return input_; }
    // Opens the canvas window for a canvas clicked in the cutting layout (number from 1, the seam
    // point its upper seam line starts at). Nothing happens until it is set.
    void setCanvasOpener(std::function<void(int number, int reference)> opener) {
        canvasOpener_ = std::move(opener);
    }

    // EditorWindow
    void showCursorPosition(double x, double y) override;
    void showRecord(int record) override;
    void openCanvas(int number, int reference) override;
    void setCursorShape(CursorShape shape) override;
    void moveCursor(int x, int y) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    PointerEvent pointer(const QMouseEvent& e) const;
    bool mousePressed(const QMouseEvent& e);
    bool mouseReleased(const QMouseEvent& e);

    CChildView& view_;
    TZCeiling& doc_;
    ImageCodec& images_;
    TZMainPanel* panel_;
    EditorInput input_;
    std::function<void(int, int)> canvasOpener_;
};

} // namespace tenzora
