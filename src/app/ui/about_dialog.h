#pragma once
// TZAbout: the About window, modal. The logo with the program's web page behind it (a hand
// cursor over it, a click opens the page in the browser), a line of information, the notice
// naming the firm the program is made for, and "OK"; laid out around the logo as aboutLayout says.

#include <QDialog>
#include <QImage>

class QLabel;
class QPushButton;

namespace tenzora {

struct Bitmap;

class TZAbout : public QDialog {
    Q_OBJECT
  public:
    TZAbout(const Bitmap& logo, const std::wstring& printTitle, QWidget* parent = nullptr);

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    int handBottom_ = 0;
    int linkBottom_ = 0;
};

// The logo as a Qt picture.
QImage bitmapImage(const Bitmap& bitmap);

} // namespace tenzora
