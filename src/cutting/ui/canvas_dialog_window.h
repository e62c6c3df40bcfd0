#pragma once
// CPolotno: the modeless canvas dialog ("Полотно № n") with the point list of the canvas the user
// clicked in the cutting mode. Created hidden with the main window; the text and the caption
// come from the core (cutting/canvas_dialog.h).

#include "cutting/canvas_dialog.h"
#include "platform/qt/widgets_modeless_dialog.h"

class QPlainTextEdit;

namespace tenzora {

class CPolotno : public ModelessDialog {
    Q_OBJECT
  public:
    CPolotno(TZCeiling& doc, QWidget* parent);

    // Canvas `number` (from 1) whose upper seam line starts at seam point `reference`; nothing
    // happens for a reference that is not a seam point.
    void showCanvas(int number, int reference);
    const CanvasDialog& logic() const { return dialog_; }

  protected:
    void hideEvent(QHideEvent* event) override;

  private:
    TZCeiling& doc_;
    CanvasDialog dialog_;
    QPlainTextEdit* text_ = nullptr;
};

} // namespace tenzora
