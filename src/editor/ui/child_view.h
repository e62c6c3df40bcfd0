#pragma once
// CChildView: the drawing area of the main window. In the empty start mode it shows the logo
// centred; the drawing of a project is painted by the painting routine.

#include <QWidget>

class TZCeiling;

class CChildView : public QWidget {
    Q_OBJECT
public:
    explicit CChildView(TZCeiling& doc, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    TZCeiling& doc_;
};
