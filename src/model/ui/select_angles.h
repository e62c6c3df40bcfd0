#pragma once
// TZSelectAngles: the corner-count picker ("Выберите количество углов"), ninety buttons "3" …
// "92", ten to a row. A button closes it with its number; closing it any other way gives 0.

#include <QDialog>

namespace tenzora {

class TZSelectAngles : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kFirstCount = 3;
    static constexpr int kLastCount = 92;
    static constexpr int kPerRow = 10;

    explicit TZSelectAngles(QWidget* parent = nullptr);

    // Opens the picker modally with its top-left corner at the bottom-left corner of `anchor`
    // (the "Выбор" button); the chosen number of corners, 0 when closed without a choice.
    static int choose(QWidget* anchor);
};

} // namespace tenzora
