#pragma once
// The two price windows, both modal and working on their own copy of price.dat until OK:
// TZRPriceOptions ("Настройка прайс-листов": the cities and the area and corner gradations) and
// TZPriceDialog ("Прайс на потолки": the ceiling prices and extra works of a city, the corner
// surcharges of every city), which is resizable and lays its controls out as PriceListForm says.
// The rules are those of PriceOptionsForm and PriceListForm.

#include <QDialog>
#include <filesystem>

#include "business/price_list_form.h"
#include "business/price_options_form.h"
#include "business/ui/business_dialog_support.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace tenzora {

class CVirtualGridCtrl;
class UiServices;

class TZRPriceOptions : public QDialog {
    Q_OBJECT
  public:
    // `programDir` is where price.dat is read and written.
    TZRPriceOptions(std::filesystem::path programDir, UiServices& ui, QWidget* parent = nullptr);

    PriceOptionsForm& form() { return form_; }
    CVirtualGridCtrl* grid(PriceOptionsForm::List list) const;
    void accept() override;

  private:
    PriceOptionsForm form_;
    FunctionGridOwner owners_[3];
    CVirtualGridCtrl* grids_[3] = {};
};

class TZPriceDialog : public QDialog {
    Q_OBJECT
  public:
    TZPriceDialog(std::filesystem::path programDir, UiServices& ui, QWidget* parent = nullptr);

    PriceListForm& form() { return form_; }
    CVirtualGridCtrl* ceilingGrid() const { return ceilings_; }
    CVirtualGridCtrl* worksGrid() const { return works_; }
    CVirtualGridCtrl* cornerGrid() const { return corners_; }
    QComboBox* cityBox() const { return city_; }
    void accept() override;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void showCity(int city);
    void layOut();

    PriceListForm form_;
    FunctionGridOwner ceilingOwner_, workOwner_, cornerOwner_;
    CVirtualGridCtrl* ceilings_ = nullptr;
    CVirtualGridCtrl* works_ = nullptr;
    CVirtualGridCtrl* corners_ = nullptr;
    QComboBox* city_ = nullptr;
    QLabel* cityLabel_ = nullptr;
    QLabel* ceilingsLabel_ = nullptr;
    QLabel* label2500_ = nullptr;
    QLabel* label2501_ = nullptr;
    QLabel* note2502_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

} // namespace tenzora
