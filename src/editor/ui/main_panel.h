#pragma once
// TZMainPanel: the side panel docked at the left of the main window. Sides and diagonals are
// picked in its tree or by name, their lengths typed and set with "Установить"; it shows the
// result figures, the cursor's coordinates, the project's status and the list of constructions
// and cutouts. The rules live in the core (side_panel_*.h); this class binds them to widgets.
// Controls carry their dialog ids as object names.

#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cutting/construction_operations.h"
#include "editor/side_panel_fields.h"
#include "editor/side_panel_tree.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QTreeWidget;
class QTreeWidgetItem;

namespace tenzora {

class PanelButton;
class TZCeiling;
class TZExtendedEdit;
struct AppSettings;

class TZMainPanel : public QWidget {
    Q_OBJECT
  public:
    TZMainPanel(TZCeiling& doc, const AppSettings& settings, QWidget* parent = nullptr);

    // The figures, the status line and the list (after every change of the model).
    void refreshPanel();
    // The tree (after the outline is rebuilt, after undo and redo, after loading).
    void rebuildTree();

    // The cursor's drawing coordinates in the x and y fields.
    void showCursorPosition(double x, double y);
    // The name field names record `record` and the fields follow it.
    void showRecord(int record);
    // The text of the tree's selected row; none while no row is selected.
    std::optional<std::wstring> selectedRow() const;

    // Where the canvases of the cutting layout come from (the tree lists them in the layout
    // display); none until the layout is connected.
    void setCanvasSource(CanvasPieceSource source) { canvases_ = std::move(source); }
    // Opens a construction or cutout of the list (double click) in its dialog.
    void setListOpener(std::function<void(const OrderListLine&)> opener) { opener_ = std::move(opener); }

    // The panel's colours.
    static QColor backgroundColour() { return {224, 224, 224}; }
    static QColor formedColour() { return {0, 0, 255}; }

    QSize sizeHint() const override;

    TZExtendedEdit* nameField() const { return name_; }
    TZExtendedEdit* lengthField() const { return length_; }

  private:
    void buildControls();
    QLabel* label(const QString& text, int id = 0);
    void showFields();
    void nameEdited();
    void setLength();
    void treeSelectionChanged();
    // Builds the rows below a root item when they are first needed (opened, or to select one).
    void fillChildren(QTreeWidgetItem* root);
    void listActivated(QListWidgetItem* item);

    TZCeiling& doc_;
    const AppSettings& settings_;
    SidePanelFields fields_;
    CanvasPieceSource canvases_;
    std::function<void(const OrderListLine&)> opener_;
    std::vector<PanelTreeRow> rows_;
    std::vector<OrderListLine> lines_;

    TZExtendedEdit* name_ = nullptr;
    TZExtendedEdit* length_ = nullptr;
    PanelButton* setButton_ = nullptr;
    QTreeWidget* tree_ = nullptr;
    QWidget* coordinates_ = nullptr;
    QLabel* x_ = nullptr;
    QLabel* y_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* area_ = nullptr;
    QLabel* perimeterLabel_ = nullptr;
    QLabel* perimeter_ = nullptr;
    QLabel* perimeterUnit_ = nullptr;
    QLabel* error_ = nullptr;
    QLabel* materialArea_ = nullptr;
    QLabel* offcuts_ = nullptr;
    QListWidget* list_ = nullptr;
};

} // namespace tenzora
