#include "business/ui/materials_window.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <climits>

#include "app/tenzora_app.h"
#include "grid/ui/virtual_grid_ctrl.h"
#include "platform/qt/qt_text.h"

namespace tenzora {

namespace {

QPushButton* button(QWidget* parent, int id, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::number(id));
    b->setAutoDefault(false);
    return b;
}

QLabel* label(QWidget* parent, const QString& text, QWidget* buddy = nullptr) {
    auto* l = new QLabel(text, parent);
    if (buddy != nullptr) l->setBuddy(buddy);
    return l;
}

} // namespace

CMaterials::CMaterials(CTenzoraApp& app, QWidget* parent)
    : QDialog(parent), app_(app), form_(app.document().resources.materialBase, app.services().ui) {
    setObjectName(QStringLiteral("242"));
    setWindowTitle(QStringLiteral("База материалов"));
    setSizeGripEnabled(true);
    setModal(false);

    left_ = new CVirtualGridCtrl(this);
    left_->setObjectName(QStringLiteral("1173"));
    left_->setOwner(&leftOwner_);
    right_ = new CVirtualGridCtrl(this);
    right_->setObjectName(QStringLiteral("1174"));
    right_->setOwner(&rightOwner_);
    right_->options().allowEdit = false;
    right_->options().rowSelect = true;

    auto* ok = button(this, 1, QStringLiteral("OK"));
    ok->setDefault(true);
    auto* cancel = button(this, 2, QStringLiteral("Отмена"));
    auto* excel = button(this, 4, QStringLiteral("В Excel"));
    scanButton_ = button(this, 3, QStringLiteral("Показать остатки"));
    receiptButton_ = button(this, 5, QStringLiteral("Добавить остаток на склад"));
    removeButton_ = button(this, 6, QStringLiteral("Удалить остаток"));
    openButton_ = button(this, 7, QStringLiteral("Открыть проект"));
    quantity_ = new QLineEdit(this);
    quantity_->setObjectName(QStringLiteral("1568"));
    date_ = new QLineEdit(this);
    date_->setObjectName(QStringLiteral("1569"));

    // Left: the base; right: the movements with the receipt controls.
    auto* leftColumn = new QVBoxLayout;
    leftColumn->addWidget(left_, 1);
    leftColumn->addWidget(label(this, QStringLiteral("Для удаления - сотрите название материала")));
    auto* scanRow = new QHBoxLayout;
    scanRow->addWidget(scanButton_);
    scanRow->addWidget(label(
        this,
        QStringLiteral(
            "Для расчета остатков не забудьте\nуказать путь к папке с потолками\nв настройках программы")));
    scanRow->addStretch(1);
    scanRow->addWidget(excel);
    leftColumn->addLayout(scanRow);

    auto* rightColumn = new QVBoxLayout;
    rightColumn->addWidget(right_, 1);
    auto* receiptFields = new QGridLayout;
    receiptFields->addWidget(label(this, QStringLiteral("&Остаток:"), quantity_), 0, 0);
    receiptFields->addWidget(quantity_, 0, 1);
    receiptFields->addWidget(label(this, QStringLiteral("&Дата:"), date_), 1, 0);
    receiptFields->addWidget(date_, 1, 1);
    receiptFields->addWidget(receiptButton_, 0, 2);
    receiptFields->addWidget(removeButton_, 1, 2);
    rightColumn->addLayout(receiptFields);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(openButton_);
    bottom->addStretch(1);
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    rightColumn->addLayout(bottom);

    auto* columns = new QHBoxLayout(this);
    columns->addLayout(leftColumn, 3);
    columns->addLayout(rightColumn, 2);

    setTabOrder(left_, scanButton_);
    setTabOrder(scanButton_, excel);
    setTabOrder(excel, right_);
    setTabOrder(right_, quantity_);
    setTabOrder(quantity_, date_);
    setTabOrder(date_, receiptButton_);
    setTabOrder(receiptButton_, removeButton_);
    setTabOrder(removeButton_, openButton_);
    setTabOrder(openButton_, ok);
    setTabOrder(ok, cancel);

    setGridColumns(*left_, MaterialsForm::kMaterialColumns);
    setGridColumns(*right_, MaterialsForm::kMovementColumns);

    leftOwner_.text = [this](GridCell c) { return form_.cellText(c.row, c.column); };
    leftOwner_.edited = [this](GridCell c, std::wstring& text) {
        const bool added = form_.editCell(c.row, c.column, text);
        // The grid shows the stored value (a coefficient as it was read).
        text = form_.cellText(c.row, c.column);
        if (added) {
            // The grid takes the new row count once it has finished with this edit.
            QTimer::singleShot(0, this, [this] {
                left_->setRowCount(form_.rowCount());
                right_->setRowCount(0);
                left_->invalidate();
            });
        }
        return true;
    };
    leftOwner_.selecting = [this](GridCell c) {
        form_.selectRow(c.row);
        right_->setRowCount(form_.movementCount());
        right_->invalidate();
    };
    rightOwner_.text = [this](GridCell c) { return form_.movementText(c.row, c.column); };

    connect(ok, &QPushButton::clicked, this, &CMaterials::accept);
    connect(cancel, &QPushButton::clicked, this, &CMaterials::reject);
    connect(scanButton_, &QPushButton::clicked, this, [this] { runStockScan(); });
    connect(receiptButton_, &QPushButton::clicked, this, &CMaterials::addReceipt);
    // "Удалить остаток" has no action: a receipt is undone by a receipt of the opposite quantity.
    connect(openButton_, &QPushButton::clicked, this, &CMaterials::openMovement);
    connect(right_, &CVirtualGridCtrl::cellDoubleClicked, this, [this] { openMovement(); });
    connect(excel, &QPushButton::clicked, this, [this] { form_.exportCsv(); });

    resize(gridUnits(*left_, 1000), 520);
    rememberPlacement(*this, QStringLiteral("materials"));
    refreshButtons();
}

CMaterials::~CMaterials() = default;

void CMaterials::rebuild() {
    form_.show();
    left_->setRowCount(form_.rowCount());
    right_->setRowCount(form_.movementCount());
    refreshGrids();
    refreshButtons();
}

void CMaterials::refreshGrids() {
    left_->invalidate();
    right_->invalidate();
}

void CMaterials::refreshButtons() {
    scanButton_->setEnabled(form_.scanButtonEnabled());
    const bool receipts = form_.receiptControlsEnabled();
    for (QWidget* w :
         {static_cast<QWidget*>(receiptButton_), static_cast<QWidget*>(removeButton_),
          static_cast<QWidget*>(openButton_), static_cast<QWidget*>(quantity_), static_cast<QWidget*>(date_)})
        w->setEnabled(receipts);
}

void CMaterials::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) rebuild();
}

void CMaterials::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (!event->spontaneous()) rebuild();
}

StockScanHook CMaterials::progressHook(std::unique_ptr<QProgressDialog>& progress) {
    progress = std::make_unique<QProgressDialog>(QStringLiteral("Подсчёт остатков по папкам с чертежами…"),
                                                 QStringLiteral("Отмена"), 0, 0, this);
    progress->setObjectName(QStringLiteral("stockScanProgress"));
    progress->setWindowTitle(QStringLiteral("Показать остатки"));
    progress->setWindowModality(Qt::ApplicationModal);
    progress->setAutoClose(false);
    progress->setAutoReset(false);
    // A short scan ends before the window would appear.
    progress->setMinimumDuration(300);
    QProgressDialog* p = progress.get();
    return [p](std::size_t done, std::size_t total) {
        p->setMaximum(static_cast<int>(std::min<std::size_t>(total, INT_MAX)));
        p->setValue(static_cast<int>(std::min<std::size_t>(done, INT_MAX)));
        p->setLabelText(QStringLiteral("Подсчёт остатков: просмотрено файлов %1 из %2").arg(done).arg(total));
        // The window stays alive and the cancel button answers while the folders are read.
        QCoreApplication::processEvents();
        return !p->wasCanceled();
    };
}

bool CMaterials::runStockScan() {
    std::unique_ptr<QProgressDialog> progress;
    const bool done = form_.scanStock(app_.settings().drawingFolders, progressHook(progress));
    right_->setRowCount(form_.movementCount());
    refreshGrids();
    refreshButtons();
    return done;
}

void CMaterials::addReceipt() {
    std::unique_ptr<QProgressDialog> progress;
    if (form_.addReceipt(fromQt(quantity_->text()), fromQt(date_->text()), app_.settings().drawingFolders,
                         progressHook(progress))) {
        // The selection was cleared and the right grid emptied: the grid's cursor goes too, so that
        // choosing the same material again selects it anew.
        left_->grid().clearCurrent();
        left_->setRowCount(form_.rowCount());
    }
    right_->setRowCount(form_.movementCount());
    refreshGrids();
    refreshButtons();
}

void CMaterials::openMovement() {
    form_.openMovement(right_->currentCell().row, app_.services().launcher);
}

void CMaterials::accept() {
    // Refused (the base could not be written, the user told): the window stays open.
    if (!form_.accept()) return;
    QDialog::accept();
}

void CMaterials::reject() {
    QDialog::reject();
}

} // namespace tenzora
