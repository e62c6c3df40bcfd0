#pragma once
// The table model and the item delegate behind CVirtualGridCtrl: the model asks the grid's owner
// for every cell as it is painted; the delegate makes the in-place line edit and passes its keys,
// text changes and loss of focus to the control.

#include <QAbstractTableModel>
#include <QStyledItemDelegate>

namespace tenzora {

class CVirtualGridCtrl;

class GridItemModel : public QAbstractTableModel {
  public:
    explicit GridItemModel(CVirtualGridCtrl& grid);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Rows or columns came or went.
    void reset();
    // Captions or looks changed.
    void refreshLooks();

  private:
    CVirtualGridCtrl& grid_;
};

class GridItemDelegate : public QStyledItemDelegate {
  public:
    explicit GridItemDelegate(CVirtualGridCtrl& grid);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    // Edits are handed to the owner by the grid's controller, never through the model.
    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}

  protected:
    bool eventFilter(QObject* object, QEvent* event) override;

  private:
    CVirtualGridCtrl& grid_;
};

} // namespace tenzora
