#pragma once
// CVirtualGridCtrl: the table control of the data dialogs. It keeps no cell data: a model asks
// the owner for every cell it shows, and every accepted edit is handed back to the owner. The
// rules (which cell is current, key moves, the editor's life, the name option) live in
// GridController; this class binds them to a QTableView, an in-place line edit, the header's
// column resizing, fixed columns at the left and title tips for clipped text.

#include <QIcon>
#include <QList>
#include <QTableView>

#include "grid/grid_controller.h"

class QLineEdit;

namespace tenzora {

class GridItemModel;
class GridItemDelegate;

class CVirtualGridCtrl : public QTableView {
    Q_OBJECT
  public:
    // Default heights of a row and of the header in pixels (taller when the font needs it).
    static constexpr int kDefaultRowHeight = 17;
    static constexpr int kHeaderHeight = 17;

    explicit CVirtualGridCtrl(QWidget* parent = nullptr);
    ~CVirtualGridCtrl() override;

    GridController& grid() { return grid_; }
    CGridColumns& columns() { return grid_.columns(); }
    GridOptions& options() { return grid_.options(); }
    void setOwner(GridOwner* owner) { grid_.setOwner(owner); }

    int rowCount() const { return grid_.rowCount(); }
    void setRowCount(int count);
    void setFixedCount(int count);
    void setRowHeight(int height);
    // Images the owner names by index in its cell data.
    void setImageList(QList<QIcon> images);
    const QList<QIcon>& imageList() const { return images_; }

    // Makes a cell current as a click would (the owner is asked); false when refused.
    bool selectCell(GridCell cell);
    GridCell currentCell() const { return grid_.current(); }
    // The owner's data changed: everything is asked for again.
    void invalidate();
    // Closes the editor with its text applied and repaints (the owner's "close the editor" message).
    void closeEditorAndRepaint();
    // The in-place editor while one is open.
    QLineEdit* editor() const;

    // The width a column's contents need: its caption and every cell's text and image.
    int contentsWidth(int column) const;

  signals:
    void cellDoubleClicked(int column, int row);

  protected:
    bool event(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    int sizeHintForColumn(int column) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    void updateGeometries() override;

  private:
    friend class GridItemDelegate;
    void pressAt(const QPoint& viewportPos, bool fromFixedView);
    // Brings the widgets in line with the controller: current index, editor, repaint.
    void sync();
    void keepFocusOffTheEditor();
    void editorKey(int key, Qt::KeyboardModifiers modifiers);
    void editorTextEdited(QLineEdit* editor, const QString& text);
    void editorLostFocus();
    void columnsChanged(int column, bool layout);
    void applyColumnLayout();
    void sectionResized(int logical, int oldSize, int newSize);
    void updateFixedView();
    int visibleRows() const;
    bool showTitleTip(const QPoint& viewportPos);

    GridController grid_;
    GridItemModel* model_ = nullptr;
    GridItemDelegate* delegate_ = nullptr;
    QTableView* fixedView_ = nullptr;
    QList<QIcon> images_;
    QPersistentModelIndex editorIndex_;
    bool syncing_ = false;
    bool applyingLayout_ = false;
};

} // namespace tenzora
