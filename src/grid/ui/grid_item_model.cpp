#include "grid/ui/grid_item_model.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPalette>

#include "grid/ui/virtual_grid_ctrl.h"
#include "platform/qt/qt_text.h"

namespace tenzora {

namespace {

Qt::Alignment toQt(GridAlignment alignment) {
    switch (alignment) {
    case GridAlignment::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case GridAlignment::Centre:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case GridAlignment::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

QColor toColour(GridRgb rgb) {
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

} // namespace

GridItemModel::GridItemModel(CVirtualGridCtrl& grid) : QAbstractTableModel(&grid), grid_(grid) {}

int GridItemModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid_.grid().rowCount();
}

int GridItemModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid_.grid().columns().count();
}

QVariant GridItemModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const GridCell cell{index.column(), index.row()};
    const GridController& grid = grid_.grid();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return tenzora::toQt(grid.cellData(cell, kGridText).text);
    case Qt::DecorationRole: {
        const int image = grid.cellData(cell, kGridImage).image;
        if (image >= 0 && image < grid_.imageList().size()) return grid_.imageList()[image];
        return {};
    }
    case Qt::BackgroundRole: {
        const GridCellRequest r = grid.cellData(cell, kGridColours);
        if (r.background) return toColour(*r.background);
        if (r.current) return grid_.palette().brush(QPalette::Highlight);
        if (r.fixed) return grid_.palette().brush(QPalette::Button);
        return {};
    }
    case Qt::ForegroundRole: {
        const GridCellRequest r = grid.cellData(cell, kGridColours);
        if (r.foreground) return toColour(*r.foreground);
        if (r.current) return grid_.palette().brush(QPalette::HighlightedText);
        if (r.fixed) return grid_.palette().brush(QPalette::ButtonText);
        return {};
    }
    case Qt::TextAlignmentRole:
        return int(toQt(grid.columns()[cell.column].alignment()));
    default:
        return {};
    }
}

QVariant GridItemModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    if (role == Qt::DisplayRole) return tenzora::toQt(grid_.grid().columns()[section].caption());
    return {};
}

Qt::ItemFlags GridItemModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled;
    if (grid_.grid().isEditable({index.column(), index.row()})) flags |= Qt::ItemIsEditable;
    return flags;
}

void GridItemModel::reset() {
    beginResetModel();
    endResetModel();
}

void GridItemModel::refreshLooks() {
    if (columnCount() > 0) emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

// ---- delegate -----------------------------------------------------------------------------------

GridItemDelegate::GridItemDelegate(CVirtualGridCtrl& grid) : QStyledItemDelegate(&grid), grid_(grid) {}

QWidget* GridItemDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                        const QModelIndex& index) const {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("gridEdit"));
    edit->setFrame(false);
    edit->setAlignment(toQt(grid_.grid().columns()[index.column()].alignment()));
    edit->setReadOnly(grid_.grid().options().readOnly);
    QObject::connect(edit, &QLineEdit::textEdited, edit,
                     [this, edit](const QString& text) { grid_.editorTextEdited(edit, text); });
    return edit;
}

void GridItemDelegate::setEditorData(QWidget* editor, const QModelIndex&) const {
    auto* edit = static_cast<QLineEdit*>(editor);
    edit->setText(tenzora::toQt(grid_.grid().editorText()));
    // The text is selected to its end, so that typing replaces it.
    edit->selectAll();
}

bool GridItemDelegate::eventFilter(QObject* object, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            grid_.editorKey(key->key(), key->modifiers());
            return true;
        default:
            break;
        }
    }
    if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Another window or a menu taking the focus for a while leaves the edit open.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) grid_.editorLostFocus();
        return false;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace tenzora
