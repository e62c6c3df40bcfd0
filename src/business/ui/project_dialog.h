#pragma once
// TZProject: the project information window ("Информация о проекте"). It edits the order data,
// the client with its requisites (chosen from the client list with "..."), the city, the ceiling
// type, the harpoon, the extra works (grid 1612) and the photos, and it is the first step of a
// new project: its OK then starts the outline, as an empty one, as the regular polygon up to
// "Последний угол:", or leaves the shape the wizard ("Мастер") made. Modeless, created on first
// use and kept for the whole run. Every rule is ProjectForm's; the window copies its controls
// into the form's fields before each action and shows the fields afterwards.

#include <QDialog>
#include <functional>
#include <span>
#include <string>

#include "business/project_form.h"
#include "grid/grid_owner.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tenzora {

class CVirtualGridCtrl;
class ImageCodec;
class Launcher;
class TZCeiling;
class TZExtendedEdit;
class TZWizard;

class TZProject : public QDialog, private GridOwner {
    Q_OBJECT
  public:
    struct Services {
        ImageCodec& images;
        Launcher& launcher;
        // The drawing folders the client list reads.
        std::span<const std::wstring> drawingFolders;
    };
    TZProject(TZCeiling& doc, Services services, QWidget* parent = nullptr);
    ~TZProject() override;

    // Shows the window with the document's data; `newProject` is set by "Новый проект".
    void showProject(bool newProject);
    // What a new outline (the wizard's shape or the regular polygon of OK) needs of the main
    // window afterwards: the side panel's first side named, the length field focused.
    void setOutlineStarted(std::function<void()> started) { outlineStarted_ = std::move(started); }

    // "Добавить фото" (1138); the photo menu's "Добавить фото ..." comes here as well and, with
    // `showOnDrawing`, shows the added photo over the drawing. True when a photo was added.
    bool addPhoto(bool showOnDrawing = false);
    // "Удалить фото" (1148): the photo selected in the list.
    bool deletePhoto();

    // OK (1) and Отмена (2), as their buttons.
    bool confirm();
    void cancel();

    ProjectForm& form() { return form_; }
    TZWizard* wizard() const { return wizard_; }

  protected:
    void reject() override;

  private:
    // GridOwner of the extra works grid.
    void cellData(GridCellRequest& request) override;
    bool setCellText(GridCell cell, std::wstring& text) override;

    void buildControls();
    // Controls → form fields, and form fields (with the lists) → controls.
    void readControls();
    void showFields();
    void showCityLists();
    void showPhotos();
    void cityChosen(int index);
    void chooseClient();
    void chooseCorners();
    void openWizard();
    void outlineStarted();

    TZCeiling& doc_;
    Services services_;
    ProjectForm form_;
    std::function<void()> outlineStarted_;
    TZWizard* wizard_ = nullptr;

    QLineEdit* orderDate_ = nullptr;
    QLineEdit* orderNumber_ = nullptr;
    QLineEdit* orderName_ = nullptr;
    QLineEdit* clientName_ = nullptr;
    QLineEdit* inn_ = nullptr;
    QLineEdit* kpp_ = nullptr;
    QLineEdit* address_ = nullptr;
    QLineEdit* account_ = nullptr;
    QLineEdit* phone_ = nullptr;
    QLineEdit* note_ = nullptr;
    QComboBox* city_ = nullptr;
    QComboBox* ceilingType_ = nullptr;
    QComboBox* harpoon_ = nullptr;
    QCheckBox* sentToWork_ = nullptr;
    CVirtualGridCtrl* works_ = nullptr;
    TZExtendedEdit* seamDirection_ = nullptr;
    TZExtendedEdit* lastCorner_ = nullptr;
    QPushButton* chooseCornersButton_ = nullptr;
    QListWidget* photos_ = nullptr;
    QLabel* photosLabel_ = nullptr;
    QPushButton* deletePhoto_ = nullptr;
    bool showingFields_ = false;
};

} // namespace tenzora
