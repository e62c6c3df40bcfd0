#pragma once
// A push button painted the side panel's way: a flat grey face with a light frame at the left
// and top and a dark one at the right and bottom (swapped while pressed), and the caption
// centred a little below the top edge.

#include <QPushButton>

namespace tenzora {

class PanelButton : public QPushButton {
    Q_OBJECT
  public:
    PanelButton(const QString& text, int controlId, QWidget* parent = nullptr);

    static QColor faceColour() { return {208, 208, 208}; }
    static QColor lightEdgeColour() { return {240, 240, 240}; }
    static QColor darkEdgeColour() { return {144, 144, 144}; }
    // The caption's top edge lies this many pixels below the button's top.
    static constexpr int kCaptionTop = 3;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tenzora
