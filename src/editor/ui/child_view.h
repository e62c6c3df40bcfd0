#pragma once
// CChildView: the drawing area of the main window. In the empty start mode it shows the logo
// centred; the drawing of a project is painted by the painting routine.

#include <QImage>
#include <QWidget>
#include <memory>

#include "editor/drawing_cache.h"
#include "model/settings.h"
#include "platform/qt/qt_text_measurer.h"

namespace tenzora {

class TZCeiling;
class ImageCodec;

class CChildView : public QWidget {
    Q_OBJECT
  public:
    explicit CChildView(TZCeiling& doc, QWidget* parent = nullptr);
    ~CChildView() override;

    // The program's settings (flipping and dealer mode decide how the layout is shown) and the
    // decoder of photos laid over the drawing. Until set, the drawing uses the default settings
    // and shows no photo that has not been decoded yet.
    void setPaintServices(const AppSettings& settings, ImageCodec* photos);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    TZCeiling& doc_;
    // What painting keeps from one repaint to the next: the back buffer, the fonts and the
    // rebuilt outline's storage.
    QImage backBuffer_;
    QtTextMeasurer measurer_;
    std::unique_ptr<DrawingCache> cache_;
    AppSettings defaultSettings_;
    const AppSettings* settings_ = &defaultSettings_;
    ImageCodec* photos_ = nullptr;
};

} // namespace tenzora
