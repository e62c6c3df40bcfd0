#pragma once
// TZClients: the client list ("Клиенты"), gathered from the project files of the drawing folders.
// The scan reads file after file with a progress bar and "Отмена"; the window stays responsive
// meanwhile, and a cancelled scan leaves the list shown before as it was. The client grid (1622)
// and the grid of the chosen client's projects (1614) ask ClientsForm for every cell. In choose
// mode "Выбрать" hands the chosen client's requisites back to the project information window.

#include <QDialog>
#include <span>
#include <string>
#include <vector>

#include "business/clients_form.h"
#include "grid/grid_owner.h"

class QProgressDialog;
class QPushButton;

namespace tenzora {

class CVirtualGridCtrl;
class Launcher;
class UiServices;

class TZClients : public QDialog {
    Q_OBJECT
  public:
    TZClients(UiServices& ui, Launcher& launcher, std::span<const std::wstring> folders, bool chooseMode,
              QWidget* parent = nullptr);
    ~TZClients() override;

    // "Обновить" (also run once when the dialog is first shown). False when cancelled.
    bool refresh();
    // The progress window of a running scan (null otherwise), for its "Отмена".
    QProgressDialog* scanProgress() const { return progress_; }
    // "Выбрать": the requisites of the chosen client.
    const ClientRequisites& chosen() const { return form_.chosen(); }
    const ClientsForm& form() const { return form_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    class ClientGrid;
    class ProjectGrid;
    void clientRowChosen(int row);
    void openProject();

    ClientsForm form_;
    Launcher& launcher_;
    std::vector<std::wstring> folders_;
    CVirtualGridCtrl* clients_ = nullptr;
    CVirtualGridCtrl* projects_ = nullptr;
    ClientGrid* clientOwner_ = nullptr;
    ProjectGrid* projectOwner_ = nullptr;
    QProgressDialog* progress_ = nullptr;
    bool scanned_ = false;
    bool scanning_ = false;
};

} // namespace tenzora
