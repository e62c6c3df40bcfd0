#pragma once
// CRaskroy: the modeless cutting dialog ("Раскрой"). The user chooses the fabric and the seam
// side, sets the tension, the offcut coefficient, the width and the seam allowance, and confirms;
// "Оптимизировать расход материала" searches the seam side with the least material (with a
// progress window and a cancel when it takes more than a moment). Created hidden with the main
// window and shown by the cutting mode. Every rule is the core's (cutting/cutting_dialog.h): this
// window copies its controls into the core before each handler and shows the core afterwards.

#include "cutting/cutting_dialog.h"
#include "platform/qt/widgets_modeless_dialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tenzora {

class TZExtendedEdit;

class CRaskroy : public ModelessDialog {
    Q_OBJECT
  public:
    CRaskroy(TZCeiling& doc, const AppSettings& settings, QWidget* parent);

    CuttingDialog& logic() { return dialog_; }

    void accept() override; // OK
    void reject() override; // "Закрыть" and Esc
    OptimiserResult optimise();
    void showRemainders();
    // How long the optimiser runs before its progress window appears (milliseconds).
    void setProgressDelay(int ms) { progressDelayMs_ = ms; }

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void buildControls();
    // The controls into the core's fields and lists, and back.
    void readControls();
    void showValues();
    // Runs a handler of the core between the two copies.
    template <typename F> void handle(F&& handler);

    TZCeiling& doc_;
    CuttingDialog dialog_;
    bool showing_ = false;
    int progressDelayMs_;

    QComboBox* types_ = nullptr;
    QComboBox* fabrics_ = nullptr;
    QComboBox* sides_ = nullptr;
    TZExtendedEdit* seamSide_ = nullptr;
    TZExtendedEdit* secondDiagonal_ = nullptr;
    QCheckBox* perpendicular_ = nullptr;
    QLineEdit* offset_ = nullptr;
    QRadioButton* firstPoint_ = nullptr;
    QRadioButton* centre_ = nullptr;
    QRadioButton* secondPoint_ = nullptr;
    QCheckBox* twoDiagonals_ = nullptr;
    QLabel* offset2Label_ = nullptr;
    QLineEdit* offset2_ = nullptr;
    QLineEdit* tension_ = nullptr;
    QLineEdit* tensionY_ = nullptr;
    QLineEdit* offcutCoef_ = nullptr;
    QLineEdit* width_ = nullptr;
    QLineEdit* seams_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* close_ = nullptr;
    QPushButton* optimise_ = nullptr;
    QCheckBox* fine_ = nullptr; // "Искать точнее": the finer seam search for the optimiser button
    QPushButton* remainders_ = nullptr;
};

} // namespace tenzora
