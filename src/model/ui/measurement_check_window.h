#pragma once
// "Проверка измерений": the result of the measurement check in a small modeless window. Each
// line names a suspect record; a click on it shows that record in the side panel, where its
// length can be typed again.

#include <QDialog>
#include <functional>

#include "model/measurement_check.h"

class QLabel;
class QListWidget;

namespace tenzora {

class TZCeiling;

class TZCheckWindow : public QDialog {
    Q_OBJECT
  public:
    // `showRecord` is called with the record of a clicked line.
    TZCheckWindow(std::function<void(int record)> showRecord, QWidget* parent = nullptr);

    // Checks the document as it stands and lists the result.
    void check(const TZCeiling& doc);
    const MeasurementCheck& result() const { return result_; }
    QListWidget* list() const { return list_; }

  private:
    std::function<void(int)> showRecord_;
    MeasurementCheck result_;
    QLabel* summary_ = nullptr;
    QListWidget* list_ = nullptr;
};

} // namespace tenzora
