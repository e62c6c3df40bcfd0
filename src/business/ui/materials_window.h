#pragma once
// CMaterials: the materials base window ("База материалов"), modeless, created once. Its left
// grid shows the working list of groups and materials, its right grid the stock movements of the
// selected material; the buttons run the stock scan (with a progress window that can stop it),
// record a receipt, open a movement's project in a new instance and write the CSV table. Every
// rule is MaterialsForm's; the window only binds its controls to it.

#include <QDialog>
#include <memory>

#include "business/materials_form.h"
#include "business/ui/business_dialog_support.h"

class QLineEdit;
class QPushButton;

class QProgressDialog;

namespace tenzora {

class CTenzoraApp;
class CVirtualGridCtrl;

class CMaterials : public QDialog {
    Q_OBJECT
  public:
    explicit CMaterials(CTenzoraApp& app, QWidget* parent = nullptr);
    ~CMaterials() override;

    MaterialsForm& form() { return form_; }
    CVirtualGridCtrl* materialsGrid() const { return left_; }
    CVirtualGridCtrl* movementsGrid() const { return right_; }

    // "Показать остатки" as the button runs it: false when the user stopped it.
    bool runStockScan();

    void accept() override;
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void rebuild();
    void refreshButtons();
    void refreshGrids();
    void addReceipt();
    void openMovement();
    StockScanHook progressHook(std::unique_ptr<QProgressDialog>& progress);

    CTenzoraApp& app_;
    MaterialsForm form_;
    FunctionGridOwner leftOwner_;
    FunctionGridOwner rightOwner_;
    CVirtualGridCtrl* left_ = nullptr;
    CVirtualGridCtrl* right_ = nullptr;
    QPushButton* scanButton_ = nullptr;
    QPushButton* receiptButton_ = nullptr;
    QPushButton* removeButton_ = nullptr;
    QPushButton* openButton_ = nullptr;
    QLineEdit* quantity_ = nullptr;
    QLineEdit* date_ = nullptr;
};

} // namespace tenzora
