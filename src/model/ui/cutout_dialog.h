#pragma once
// TZHoleDialog: the modeless dialog of a cutout (a rectangle, a circle, a free outline, an
// ellipse), each point given by two distances from two points of the outline in the grid. The
// main window keeps one for "Внутренний вырез", the side panel its own for the stored cutouts of
// its list. The lists, what each type and mode shows and the record OK stores come from the core
// (model/cutout_form.h, model/cutout_grid.h); OK and "Удалить" go through
// model/construction_operations.h.

#include <QString>
#include <vector>

#include "grid/grid_owner.h"
#include "model/cutout.h"
#include "model/cutout_form.h"
#include "platform/qt/widgets_modeless_dialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace tenzora {

class CVirtualGridCtrl;
class TZCeiling;

class TZHoleDialog : public ModelessDialog, private GridOwner {
    Q_OBJECT
  public:
    TZHoleDialog(TZCeiling& doc, QWidget* parent, const QString& placementKey = QStringLiteral("137"));

    // A fresh rectangle, shown. Nothing happens in the start mode.
    void showNew();
    // Stored cutout `index`, shown for editing; false for an index out of range.
    bool showStored(int index);
    int editedIndex() const { return index_; }
    const std::vector<TZHoleRow>& rows() const { return rows_; }
    CVirtualGridCtrl* grid() const { return grid_; }

    void accept() override; // OK
    void deleteRecord();    // "Удалить"

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    void typeChosen(int position);
    void fillModes(std::int32_t type);
    void modeChosen();
    void showRows();
    void moveRow(bool up);
    void deleteRow();
    void updateConverterSides();
    void convert();
    std::int32_t type() const;
    std::int32_t mode() const;
    int selectedRow() const;

    // GridOwner
    void cellData(GridCellRequest& request) override;
    bool setCellText(GridCell cell, std::wstring& text) override;
    void selectCell(GridCell cell, bool& allow) override;

    TZCeiling& doc_;
    int index_ = -1;
    std::vector<TZHoleRow> rows_;

    QComboBox* type_ = nullptr;
    QComboBox* mode_ = nullptr;
    QLabel* sizeLabel_ = nullptr;
    QLineEdit* size_ = nullptr;
    QLabel* pointsLabel_ = nullptr;
    QLineEdit* points_ = nullptr;
    QLabel* angleFromLabel_ = nullptr;
    QLineEdit* angleFrom_ = nullptr;
    QLabel* angleToLabel_ = nullptr;
    QLineEdit* angleTo_ = nullptr;
    QLabel* size2Label_ = nullptr;
    QLineEdit* size2_ = nullptr;
    QLabel* parallelLabel_ = nullptr;
    QLineEdit* parallel_ = nullptr;
    QCheckBox* turned_ = nullptr;
    QLabel* converterLabel_ = nullptr;
    QRadioButton* sideA_ = nullptr;
    QRadioButton* sideB_ = nullptr;
    QLineEdit* converterValue_ = nullptr;
    QPushButton* convert_ = nullptr;
    CVirtualGridCtrl* grid_ = nullptr;
    QToolButton* up_ = nullptr;
    QToolButton* down_ = nullptr;
    QToolButton* deleteRow_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* delete_ = nullptr;
};

} // namespace tenzora
