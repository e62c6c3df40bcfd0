#include "grid/ui/virtual_grid_ctrl.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QToolTip>

#include "grid/ui/grid_item_model.h"
#include "platform/qt/qt_text.h"

namespace tenzora {

namespace {
// Rows measured when a column is fitted to its contents; beyond them the cost would outgrow the
// gain (the dialogs' lists are far shorter).
constexpr int kMaxRowsMeasured = 10000;
// Room the row and header text need above and below the font.
constexpr int kRowTextPadding = 2;
constexpr int kHeaderTextPadding = 4;

GridMove arrowMove(int key) {
    switch (key) {
    case Qt::Key_Left:
        return GridMove::Left;
    case Qt::Key_Right:
        return GridMove::Right;
    case Qt::Key_Up:
        return GridMove::Up;
    case Qt::Key_Down:
        return GridMove::Down;
    case Qt::Key_PageUp:
        return GridMove::PageUp;
    case Qt::Key_PageDown:
        return GridMove::PageDown;
    case Qt::Key_Home:
        return GridMove::Home;
    default:
        return GridMove::End;
    }
}
} // namespace

CVirtualGridCtrl::CVirtualGridCtrl(QWidget* parent) : QTableView(parent) {
    setObjectName(QStringLiteral("CVirtualGridCtrl"));
    model_ = new GridItemModel(*this);
    delegate_ = new GridItemDelegate(*this);
    setModel(model_);
    setItemDelegate(delegate_);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(true);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setMouseTracking(true);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    QHeaderView* header = horizontalHeader();
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setMinimumSectionSize(0);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setDefaultAlignment(Qt::AlignCenter);
    header->setFixedHeight(std::max(kHeaderHeight, header->fontMetrics().height() + kHeaderTextPadding));
    header->setStretchLastSection(false);
    connect(header, &QHeaderView::sectionResized, this, &CVirtualGridCtrl::sectionResized);
    setRowHeight(kDefaultRowHeight);

    // Fixed columns: a second view over the left edge that shows only them and does not scroll
    // sideways; it shares the model and follows the vertical scrolling.
    fixedView_ = new QTableView(this);
    fixedView_->setObjectName(QStringLiteral("fixedColumns"));
    fixedView_->setModel(model_);
    fixedView_->setSelectionModel(selectionModel());
    fixedView_->setFocusPolicy(Qt::NoFocus);
    fixedView_->setSelectionMode(QAbstractItemView::NoSelection);
    fixedView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fixedView_->verticalHeader()->hide();
    fixedView_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    fixedView_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    fixedView_->horizontalHeader()->setSectionsClickable(false);
    fixedView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fixedView_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fixedView_->setFrameShape(QFrame::NoFrame);
    fixedView_->viewport()->installEventFilter(this);
    fixedView_->hide();
    connect(verticalScrollBar(), &QScrollBar::valueChanged, fixedView_->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(fixedView_->verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(),
            &QScrollBar::setValue);

    grid_.columns().setListener([this](int column, bool layout) { columnsChanged(column, layout); });
}

CVirtualGridCtrl::~CVirtualGridCtrl() {
    grid_.columns().setListener({});
}

// ---- setting up ---------------------------------------------------------------------------------

void CVirtualGridCtrl::keepFocusOffTheEditor() {
    // An editor that is hidden while it has the focus passes the focus on as if Tab had been
    // pressed; the grid takes it first.
    if (QLineEdit* open = editor(); open != nullptr && open->hasFocus()) setFocus();
}

void CVirtualGridCtrl::setRowCount(int count) {
    grid_.setRowCount(count);
    keepFocusOffTheEditor();
    model_->reset();
    applyColumnLayout();
    sync();
}

void CVirtualGridCtrl::setFixedCount(int count) {
    grid_.setFixedCount(count);
    model_->refreshLooks();
    updateFixedView();
}

void CVirtualGridCtrl::setRowHeight(int height) {
    const int needed = fontMetrics().height() + kRowTextPadding;
    verticalHeader()->setDefaultSectionSize(std::max(height, needed));
    if (fixedView_ != nullptr)
        fixedView_->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
}

void CVirtualGridCtrl::setImageList(QList<QIcon> images) {
    images_ = std::move(images);
    model_->refreshLooks();
}

void CVirtualGridCtrl::columnsChanged(int column, bool layout) {
    if (column < 0) {
        keepFocusOffTheEditor();
        model_->reset();
        applyColumnLayout();
        sync();
    } else if (layout) {
        applyColumnLayout();
    } else {
        model_->refreshLooks();
    }
}

void CVirtualGridCtrl::applyColumnLayout() {
    if (applyingLayout_) return;
    applyingLayout_ = true;
    for (int i = 0; i < grid_.columns().count(); ++i) {
        const CGridColumn& column = grid_.columns()[i];
        setColumnHidden(i, !column.visible());
        if (columnWidth(i) != column.width()) setColumnWidth(i, column.width());
    }
    applyingLayout_ = false;
    updateFixedView();
}

void CVirtualGridCtrl::sectionResized(int logical, int, int newSize) {
    if (applyingLayout_ || logical < 0 || logical >= grid_.columns().count()) return;
    // The header follows the mouse; the column keeps the width within its limits.
    CGridColumn& column = grid_.columns()[logical];
    if (!column.visible()) return;
    column.setWidth(newSize);
}

// ---- cells and the current cell -----------------------------------------------------------------

bool CVirtualGridCtrl::selectCell(GridCell cell) {
    const bool selected = grid_.select(cell);
    sync();
    return selected;
}

void CVirtualGridCtrl::invalidate() {
    model_->refreshLooks();
    viewport()->update();
}

void CVirtualGridCtrl::closeEditorAndRepaint() {
    grid_.closeEditor(true);
    sync();
    invalidate();
}

QLineEdit* CVirtualGridCtrl::editor() const {
    if (!editorIndex_.isValid()) return nullptr;
    return qobject_cast<QLineEdit*>(indexWidget(editorIndex_));
}

void CVirtualGridCtrl::sync() {
    if (syncing_) return;
    syncing_ = true;
    const bool wantEditor = grid_.editing();
    const GridCell at = grid_.editorCell();
    const QModelIndex wantIndex = wantEditor ? model_->index(at.row, at.column) : QModelIndex();

    if (QLineEdit* open = editor(); open != nullptr && (!wantEditor || editorIndex_ != wantIndex)) {
        keepFocusOffTheEditor();
        QAbstractItemView::closeEditor(open, QAbstractItemDelegate::NoHint);
        editorIndex_ = QPersistentModelIndex();
    }
    const GridCell current = grid_.current();
    const QModelIndex currentIndex =
        current.valid() ? model_->index(current.row, current.column) : QModelIndex();
    selectionModel()->setCurrentIndex(currentIndex, QItemSelectionModel::NoUpdate);
    if (currentIndex.isValid()) scrollTo(currentIndex);

    if (wantEditor) {
        if (editor() == nullptr) {
            editorIndex_ = wantIndex;
            edit(wantIndex, QAbstractItemView::AllEditTriggers, nullptr);
        }
        if (QLineEdit* open = editor()) {
            if (open->text() != tenzora::toQt(grid_.editorText()))
                open->setText(tenzora::toQt(grid_.editorText()));
            open->setFocus();
        }
    }
    viewport()->update();
    fixedView_->viewport()->update();
    syncing_ = false;
}

// ---- the editor ---------------------------------------------------------------------------------

void CVirtualGridCtrl::editorKey(int key, Qt::KeyboardModifiers modifiers) {
    const bool shift = modifiers & Qt::ShiftModifier;
    switch (key) {
    case Qt::Key_Tab:
        grid_.tab(shift);
        break;
    case Qt::Key_Backtab:
        grid_.tab(true);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        grid_.enter(shift);
        break;
    case Qt::Key_Escape:
        grid_.closeEditor(false);
        break;
    default:
        return;
    }
    sync();
    // The keyboard stays with the grid when the editor goes.
    if (!grid_.editing()) setFocus();
}

void CVirtualGridCtrl::editorTextEdited(QLineEdit* edit, const QString& text) {
    if (grid_.setEditorText(fromQt(text))) {
        // The name option changed the text: replace it and put the caret at the end.
        edit->setText(tenzora::toQt(grid_.editorText()));
        edit->end(false);
    }
}

void CVirtualGridCtrl::editorLostFocus() {
    // Deferred: the editor may not be destroyed inside its own focus event.
    QMetaObject::invokeMethod(
        this,
        [this] {
            QWidget* focus = QApplication::focusWidget();
            const bool stillHere = focus != nullptr && (focus == this || isAncestorOf(focus));
            if (stillHere || !grid_.editing()) return;
            grid_.closeEditor(true);
            sync();
        },
        Qt::QueuedConnection);
}

// ---- keyboard and mouse -------------------------------------------------------------------------

int CVirtualGridCtrl::visibleRows() const {
    const int height = verticalHeader()->defaultSectionSize();
    return std::max(1, viewport()->height() / std::max(1, height));
}

void CVirtualGridCtrl::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool shift = mods & Qt::ShiftModifier;
    const bool ctrl = mods & Qt::ControlModifier;
    if (mods & Qt::AltModifier) QToolTip::hideText();
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
        const bool backwards = shift || event->key() == Qt::Key_Backtab;
        // Past the last cell (or before the first) Tab leaves the grid for the next control.
        if (!grid_.tab(backwards) && !grid_.editing()) {
            QAbstractScrollArea::focusNextPrevChild(!backwards);
            return;
        }
        break;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
        grid_.enter(shift);
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        grid_.move(arrowMove(event->key()), ctrl, visibleRows());
        break;
    case Qt::Key_F2:
        grid_.openEditor();
        break;
    default: {
        const QString text = event->text();
        if (text.isEmpty() || ctrl || (mods & Qt::AltModifier) ||
            !grid_.typeCharacter(text.front().unicode())) {
            event->ignore();
            return;
        }
        sync();
        // The typed character stands alone in the editor with the caret after it.
        if (QLineEdit* open = editor()) {
            open->deselect();
            open->end(false);
        }
        return;
    }
    }
    sync();
}

bool CVirtualGridCtrl::event(QEvent* event) {
    // Tab moves between cells: it reaches keyPressEvent before any change of focus.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            keyPressEvent(key);
            return true;
        }
    }
    return QTableView::event(event);
}

bool CVirtualGridCtrl::focusNextPrevChild(bool next) {
    // The item view would turn this into a Tab key press on the grid; here it only moves the focus.
    return QAbstractScrollArea::focusNextPrevChild(next);
}

void CVirtualGridCtrl::pressAt(const QPoint& viewportPos, bool fromFixedView) {
    QToolTip::hideText();
    const QModelIndex index = fromFixedView ? fixedView_->indexAt(viewportPos) : indexAt(viewportPos);
    if (!index.isValid()) {
        grid_.clearCurrent();
        sync();
        return;
    }
    const GridCell cell{index.column(), index.row()};
    const bool wasCurrent = grid_.current() == cell;
    if (grid_.select(cell) && wasCurrent) grid_.openEditor();
    sync();
}

void CVirtualGridCtrl::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton) {
        QToolTip::hideText();
        return;
    }
    pressAt(event->position().toPoint(), false);
}

void CVirtualGridCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressAt(event->position().toPoint(), false);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid()) emit cellDoubleClicked(index.column(), index.row());
}

bool CVirtualGridCtrl::eventFilter(QObject* object, QEvent* event) {
    // Presses on the fixed columns act like presses on the grid itself.
    if (fixedView_ != nullptr && object == fixedView_->viewport() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        setFocus(Qt::MouseFocusReason);
        if (mouse->button() == Qt::LeftButton) pressAt(mouse->position().toPoint(), true);
        return true;
    }
    return QTableView::eventFilter(object, event);
}

void CVirtualGridCtrl::mouseMoveEvent(QMouseEvent*) {
    // No drag selection: the grid has one current cell.
}

bool CVirtualGridCtrl::viewportEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::ToolTip:
        if (!showTitleTip(static_cast<QHelpEvent*>(event)->pos())) QToolTip::hideText();
        return true;
    case QEvent::Leave:
        QToolTip::hideText();
        break;
    default:
        break;
    }
    return QTableView::viewportEvent(event);
}

bool CVirtualGridCtrl::showTitleTip(const QPoint& viewportPos) {
    const QModelIndex index = indexAt(viewportPos);
    if (!index.isValid() || editorIndex_ == index) return false;
    const QString text = model_->data(index, Qt::DisplayRole).toString();
    if (text.isEmpty()) return false;
    const QRect cell = visualRect(index);
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    int room = cell.width() - 2 * margin;
    if (model_->data(index, Qt::DecorationRole).isValid()) room -= iconSize().width() + margin;
    // Only clipped text gets its tip, shown over the cell itself.
    if (fontMetrics().horizontalAdvance(text) <= room) return false;
    QToolTip::showText(viewport()->mapToGlobal(cell.topLeft()), text, viewport(), cell);
    return true;
}

// ---- layout -------------------------------------------------------------------------------------

int CVirtualGridCtrl::contentsWidth(int column) const {
    if (column < 0 || column >= grid_.columns().count()) return 0;
    const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 2;
    int width = horizontalHeader()->fontMetrics().horizontalAdvance(
                    tenzora::toQt(grid_.columns()[column].caption())) +
                2 * margin;
    const int rows = std::min(grid_.rowCount(), kMaxRowsMeasured);
    const QFontMetrics metrics = fontMetrics();
    for (int row = 0; row < rows; ++row) {
        const GridCellRequest r = grid_.cellData({column, row}, kGridText | kGridImage);
        int needed = metrics.horizontalAdvance(tenzora::toQt(r.text)) + 2 * margin;
        if (r.image >= 0 && r.image < images_.size()) needed += iconSize().width() + margin;
        width = std::max(width, needed);
    }
    return width;
}

int CVirtualGridCtrl::sizeHintForColumn(int column) const {
    return contentsWidth(column);
}

void CVirtualGridCtrl::scrollTo(const QModelIndex& index, ScrollHint hint) {
    QTableView::scrollTo(index, hint);
    // A scrolling column must not end up under the fixed columns.
    if (!index.isValid() || grid_.isFixed(index.column()) || fixedView_->isHidden()) return;
    const int covered = fixedView_->width();
    const int left = visualRect(index).left();
    if (left < covered) horizontalScrollBar()->setValue(horizontalScrollBar()->value() - (covered - left));
}

void CVirtualGridCtrl::updateGeometries() {
    QTableView::updateGeometries();
    updateFixedView();
}

void CVirtualGridCtrl::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    updateFixedView();
}

void CVirtualGridCtrl::updateFixedView() {
    if (fixedView_ == nullptr) return;
    const int fixed = std::min(grid_.fixedCount(), grid_.columns().count());
    if (fixed == 0) {
        fixedView_->hide();
        return;
    }
    int width = 0;
    for (int i = 0; i < grid_.columns().count(); ++i) {
        const bool shown = i < fixed && grid_.columns()[i].visible();
        fixedView_->setColumnHidden(i, !shown);
        if (shown) {
            fixedView_->setColumnWidth(i, columnWidth(i));
            width += columnWidth(i);
        }
    }
    fixedView_->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
    fixedView_->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    fixedView_->setGeometry(frameWidth(), frameWidth(), width,
                            viewport()->height() + horizontalHeader()->height());
    fixedView_->verticalScrollBar()->setValue(verticalScrollBar()->value());
    fixedView_->show();
    viewport()->stackUnder(fixedView_);
}

} // namespace tenzora
