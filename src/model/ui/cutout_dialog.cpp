#include "model/ui/cutout_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "cutting/construction_operations.h"
#include "editor/ui/extended_edit.h"
#include "grid/ui/virtual_grid_ctrl.h"
#include "model/ceiling.h"
#include "model/cutout_grid.h"
#include "model/formatting.h"
#include "model/typed_number.h"
#include "model/working_outline.h"
#include "platform/qt/qt_text.h"

namespace tenzora {

namespace {

constexpr int kTypeId = 1150;
constexpr int kModeId = 1158;
constexpr int kSizeId = 1168;
constexpr int kSizeLabelId = 1552;
constexpr int kPointsId = 1176;
constexpr int kPointsLabelId = 1554;
constexpr int kAngleFromId = 1184;
constexpr int kAngleFromLabelId = 1558;
constexpr int kAngleToId = 1194;
constexpr int kAngleToLabelId = 1562;
constexpr int kSize2Id = 1568;
constexpr int kSize2LabelId = 1169;
constexpr int kParallelId = 1569;
constexpr int kParallelLabelId = 1170;
constexpr int kTurnedId = 1171;
constexpr int kConverterLabelId = 1590;
constexpr int kSideAId = 1582;
constexpr int kSideBId = 1586;
constexpr int kConverterValueId = 1200;
constexpr int kConvertId = 1136;
constexpr int kGridId = 40000;
constexpr int kUpId = 1042;
constexpr int kDownId = 1054;
constexpr int kDeleteRowId = 1064;
constexpr int kOkId = 1;
constexpr int kCancelId = 2;
constexpr int kDeleteId = 1230;

// Grid columns: number, vertex 1, distance, vertex 2, distance.
constexpr int kColumnWidths[kCutoutGridColumns] = {20, 68, 68, 68, 68};
constexpr const wchar_t* kColumnCaptions[kCutoutGridColumns] = {L"", L"Вершина 1", L"Расстояние",
                                                                L"Вершина 2", L"Расстояние"};
constexpr GridRgb kAlternateRow = 0xF0F0F0;
// Rows shown without scrolling.
constexpr int kVisibleRows = 7;

bool isNameColumn(int column) {
    return column == 1 || column == 3;
}

template <typename W> W* withId(W* w, int id) {
    w->setObjectName(QString::number(id));
    return w;
}

QString numberText(double value) {
    return toQt(formatNumber(value, 2, true));
}

// An angle field holds a whole number of degrees; beyond the int32 range it is clamped.
std::int32_t wholeNumber(const QLineEdit* edit) {
    const double v = std::trunc(readTypedNumber(fromQt(edit->text()), DecimalComma::Accepted));
    return static_cast<std::int32_t>(std::clamp(v, -2147483648.0, 2147483647.0));
}

double number(const QLineEdit* edit) {
    return readTypedNumber(fromQt(edit->text()), DecimalComma::Accepted);
}

} // namespace

TZHoleDialog::TZHoleDialog(TZCeiling& doc, QWidget* parent, const QString& placementKey)
    : ModelessDialog(placementKey, parent), doc_(doc) {
    setObjectName(placementKey);
    setWindowTitle(QStringLiteral("Внутренний вырез"));
    buildControls();
}

void TZHoleDialog::buildControls() {
    type_ = withId(new QComboBox(this), kTypeId);
    for (const wchar_t* text : kCutoutTypeTexts)
        type_->addItem(toQt(text));
    mode_ = withId(new QComboBox(this), kModeId);
    sizeLabel_ = withId(new QLabel(QStringLiteral("Сторона:"), this), kSizeLabelId);
    size_ = withId(new QLineEdit(this), kSizeId);
    pointsLabel_ = withId(new QLabel(QStringLiteral("Точек:"), this), kPointsLabelId);
    points_ = withId(new QLineEdit(this), kPointsId);
    angleFromLabel_ = withId(new QLabel(QStringLiteral("Угол от:"), this), kAngleFromLabelId);
    angleFrom_ = withId(new QLineEdit(this), kAngleFromId);
    angleToLabel_ = withId(new QLabel(QStringLiteral("до:"), this), kAngleToLabelId);
    angleTo_ = withId(new QLineEdit(this), kAngleToId);
    size2Label_ = withId(new QLabel(QStringLiteral("Диаметр 2:"), this), kSize2LabelId);
    size2_ = withId(new QLineEdit(this), kSize2Id);
    parallelLabel_ = withId(new QLabel(QStringLiteral("Параллельно:"), this), kParallelLabelId);
    // The side is typed as a name: the Russian layout's keys read as the Latin names.
    parallel_ = new TZExtendedEdit(kParallelId, this);
    turned_ = withId(new QCheckBox(QStringLiteral("Перпендикулярно"), this), kTurnedId);
    converterLabel_ = withId(new QLabel(QStringLiteral("Параллельно, от"), this), kConverterLabelId);
    sideA_ = withId(new QRadioButton(this), kSideAId);
    sideB_ = withId(new QRadioButton(this), kSideBId);
    converterValue_ = withId(new QLineEdit(this), kConverterValueId);
    convert_ = withId(new QPushButton(QStringLiteral("ок"), this), kConvertId);
    grid_ = new CVirtualGridCtrl(this);
    grid_->setObjectName(QString::number(kGridId));
    up_ = withId(new QToolButton(this), kUpId);
    down_ = withId(new QToolButton(this), kDownId);
    deleteRow_ = withId(new QToolButton(this), kDeleteRowId);
    ok_ = withId(new QPushButton(QStringLiteral("OK"), this), kOkId);
    cancel_ = withId(new QPushButton(QStringLiteral("Отмена"), this), kCancelId);
    delete_ = withId(new QPushButton(QStringLiteral("Удалить"), this), kDeleteId);
    ok_->setDefault(true);
    convert_->setAutoDefault(false);

    // The row buttons: arrows and a cross drawn by the style, sharp at any screen scale.
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    deleteRow_->setText(QStringLiteral("✕"));
    up_->setToolTip(QStringLiteral("Строку вверх"));
    down_->setToolTip(QStringLiteral("Строку вниз"));
    deleteRow_->setToolTip(QStringLiteral("Удалить строку"));
    for (QToolButton* b : {up_, down_, deleteRow_})
        b->setFocusPolicy(Qt::StrongFocus);

    for (QLabel* label :
         {sizeLabel_, pointsLabel_, angleFromLabel_, angleToLabel_, size2Label_, parallelLabel_})
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    sizeLabel_->setBuddy(size_);
    pointsLabel_->setBuddy(points_);
    angleFromLabel_->setBuddy(angleFrom_);
    angleToLabel_->setBuddy(angleTo_);
    size2Label_->setBuddy(size2_);
    parallelLabel_->setBuddy(parallel_);
    converterLabel_->setBuddy(converterValue_);

    grid_->grid().options().allowEdit = true;
    for (int c = 0; c < kCutoutGridColumns; ++c) {
        CGridColumn& column = grid_->columns().add(kColumnCaptions[c], kColumnWidths[c],
                                                   c == 0 ? GridAlignment::Right : GridAlignment::Left);
        column.setMinWidth(kColumnWidths[c]);
    }
    grid_->setFixedCount(1);
    grid_->setOwner(this);
    // Room for the captions in the dialog's font.
    for (int c = 1; c < kCutoutGridColumns; ++c)
        grid_->columns()[c].setWidth(std::max(kColumnWidths[c], grid_->contentsWidth(c)));
    // The row number with room on both sides.
    grid_->columns()[0].setWidth(
        std::max(kColumnWidths[0], grid_->fontMetrics().horizontalAdvance(QStringLiteral("99")) + 12));
    int width = grid_->frameWidth() * 2 + 2;
    for (int c = 0; c < kCutoutGridColumns; ++c)
        width += grid_->columns()[c].width();
    grid_->setMinimumWidth(width + grid_->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    grid_->setMinimumHeight(CVirtualGridCtrl::kHeaderHeight +
                            kVisibleRows * grid_->verticalHeader()->defaultSectionSize());

    auto* fields = new QGridLayout;
    auto* typeLabel = new QLabel(QStringLiteral("Тип выреза:"), this);
    typeLabel->setBuddy(type_);
    auto* modeLabel = new QLabel(QStringLiteral("Тип данных:"), this);
    modeLabel->setBuddy(mode_);
    fields->addWidget(typeLabel, 0, 0);
    fields->addWidget(type_, 0, 1, 1, 3);
    fields->addWidget(modeLabel, 1, 0);
    fields->addWidget(mode_, 1, 1, 1, 3);
    fields->addWidget(sizeLabel_, 2, 0);
    fields->addWidget(size_, 2, 1);
    fields->addWidget(pointsLabel_, 2, 2);
    fields->addWidget(points_, 2, 3);
    fields->addWidget(angleFromLabel_, 3, 0);
    fields->addWidget(angleFrom_, 3, 1);
    fields->addWidget(angleToLabel_, 3, 2);
    fields->addWidget(angleTo_, 3, 3);
    fields->addWidget(size2Label_, 4, 0);
    fields->addWidget(size2_, 4, 1);
    fields->addWidget(parallelLabel_, 4, 2);
    fields->addWidget(parallel_, 4, 3);
    fields->addWidget(turned_, 5, 1, 1, 3);

    auto* converter = new QHBoxLayout;
    converter->addWidget(converterLabel_);
    converter->addWidget(sideA_);
    converter->addWidget(sideB_);
    converter->addWidget(converterValue_, 1);
    converter->addWidget(convert_);

    auto* rowButtons = new QVBoxLayout;
    rowButtons->addWidget(up_);
    rowButtons->addWidget(down_);
    rowButtons->addWidget(deleteRow_);
    rowButtons->addStretch(1);
    auto* gridRow = new QHBoxLayout;
    gridRow->addWidget(grid_, 1);
    gridRow->addLayout(rowButtons);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(delete_);
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(converter);
    layout->addLayout(gridRow, 1);
    layout->addLayout(buttons);

    setTabOrder(type_, mode_);
    setTabOrder(mode_, size_);
    setTabOrder(size_, points_);
    setTabOrder(points_, angleFrom_);
    setTabOrder(angleFrom_, angleTo_);
    setTabOrder(angleTo_, size2_);
    setTabOrder(size2_, parallel_);
    setTabOrder(parallel_, turned_);
    setTabOrder(turned_, sideA_);
    setTabOrder(sideA_, sideB_);
    setTabOrder(sideB_, converterValue_);
    setTabOrder(converterValue_, convert_);
    setTabOrder(convert_, grid_);
    setTabOrder(grid_, up_);
    setTabOrder(up_, down_);
    setTabOrder(down_, deleteRow_);
    setTabOrder(deleteRow_, ok_);
    setTabOrder(ok_, cancel_);
    setTabOrder(cancel_, delete_);

    converterValue_->installEventFilter(this);
    connect(type_, &QComboBox::activated, this, &TZHoleDialog::typeChosen);
    connect(mode_, &QComboBox::activated, this, &TZHoleDialog::modeChosen);
    connect(up_, &QToolButton::clicked, this, [this] { moveRow(true); });
    connect(down_, &QToolButton::clicked, this, [this] { moveRow(false); });
    connect(deleteRow_, &QToolButton::clicked, this, &TZHoleDialog::deleteRow);
    connect(convert_, &QPushButton::clicked, this, &TZHoleDialog::convert);
    connect(ok_, &QPushButton::clicked, this, &TZHoleDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &TZHoleDialog::reject);
    connect(delete_, &QPushButton::clicked, this, &TZHoleDialog::deleteRecord);
}

// ---- showing ------------------------------------------------------------------------------------

std::int32_t TZHoleDialog::type() const {
    return type_->currentIndex() + 1;
}

std::int32_t TZHoleDialog::mode() const {
    return mode_->currentIndex() >= 0 ? mode_->currentData().toInt() : 0;
}

void TZHoleDialog::fillModes(std::int32_t type) {
    mode_->clear();
    for (const CutoutMode& m : cutoutModes(type))
        mode_->addItem(toQt(m.text), m.mode);
    mode_->setEnabled(mode_->count() > 0);
    sizeLabel_->setText(toQt(cutoutSizeLabel(type)));
    const bool ellipse = type == static_cast<std::int32_t>(TZHoleType::Ellipse);
    for (QWidget* w :
         std::initializer_list<QWidget*>{size2Label_, size2_, parallelLabel_, parallel_, turned_})
        w->setVisible(ellipse);
}

void TZHoleDialog::showNew() {
    if (doc_.editor.mode == kModeStart) return;
    index_ = -1;
    type_->setCurrentIndex(0);
    fillModes(type());
    mode_->setCurrentIndex(0);
    rows_.assign(3, TZHoleRow{});
    for (QLineEdit* e : {size_, points_, angleFrom_, angleTo_, size2_, parallel_, converterValue_})
        e->clear();
    points_->setText(toQt(pointCountText(0)));
    angleFrom_->setText(QStringLiteral("0"));
    angleTo_->setText(QStringLiteral("0"));
    turned_->setChecked(false);
    modeChosen();
    delete_->setEnabled(false);
    present();
    type_->setFocus(Qt::OtherFocusReason);
}

bool TZHoleDialog::showStored(int index) {
    const TZHole* hole = doc_.holes.checkedAt(index);
    if (hole == nullptr) return false;
    index_ = index;
    const CutoutFields f = cutoutFieldsFromRecord(*hole);
    const int position = f.type >= 1 && f.type <= type_->count() ? f.type - 1 : 0;
    type_->setCurrentIndex(position);
    fillModes(type());
    const int modePosition = mode_->findData(f.mode);
    mode_->setCurrentIndex(modePosition >= 0 ? modePosition : 0);
    rows_.clear();
    for (const TZHoleDiagonal& r : f.rows)
        rows_.push_back({r.vertex1, r.vertex2, r.distance1, r.distance2});
    size_->setText(cutoutUsesSize(type(), mode()) ? numberText(f.size1) : QString());
    points_->setText(toQt(pointCountText(f.pointCount)));
    angleFrom_->setText(QString::number(f.angleFrom));
    angleTo_->setText(QString::number(f.angleTo));
    size2_->setText(numberText(f.size2));
    parallel_->setText(toQt(f.parallelSide));
    turned_->setChecked(f.turned);
    converterValue_->clear();
    modeChosen();
    delete_->setEnabled(true);
    present();
    type_->setFocus(Qt::OtherFocusReason);
    return true;
}

// ---- type and mode ------------------------------------------------------------------------------

void TZHoleDialog::typeChosen(int) {
    fillModes(type());
    mode_->setCurrentIndex(0);
    modeChosen();
}

void TZHoleDialog::modeChosen() {
    const std::int32_t t = type();
    const std::int32_t m = mode();
    const bool free = t == static_cast<std::int32_t>(TZHoleType::Free);
    const bool rectangle = t == static_cast<std::int32_t>(TZHoleType::Rectangle);
    const int count = cutoutRowCount(t, m);
    if (free) {
        if (rows_.empty() || freeCutoutNeedsEmptyRow(rows_)) rows_.push_back(TZHoleRow{});
    } else {
        rows_.resize(static_cast<std::size_t>(count));
    }
    const bool size = cutoutUsesSize(t, m);
    sizeLabel_->setVisible(size);
    size_->setVisible(size);
    const bool round = !free && !rectangle;
    for (QWidget* w : std::initializer_list<QWidget*>{pointsLabel_, points_, angleFromLabel_, angleFrom_,
                                                      angleToLabel_, angleTo_})
        w->setVisible(round);
    for (QWidget* w :
         std::initializer_list<QWidget*>{converterLabel_, sideA_, sideB_, converterValue_, convert_})
        w->setVisible(rectangle);
    showRows();
    updateConverterSides();
}

// ---- the grid -----------------------------------------------------------------------------------

void TZHoleDialog::showRows() {
    grid_->setRowCount(static_cast<int>(rows_.size()));
    grid_->invalidate();
}

int TZHoleDialog::selectedRow() const {
    const int row = grid_->currentCell().row;
    return row >= 0 && row < static_cast<int>(rows_.size()) ? row : -1;
}

void TZHoleDialog::cellData(GridCellRequest& request) {
    if (request.mask & kGridText) request.text = cutoutCellText(rows_, request.cell.row, request.cell.column);
    // Every second row on a light grey, the number column excepted.
    if ((request.mask & kGridColours) && request.cell.row % 2 == 1 && request.cell.column != 0 &&
        !request.current)
        request.background = kAlternateRow;
}

bool TZHoleDialog::setCellText(GridCell cell, std::wstring& text) {
    if (cell.row < 0 || cell.row >= static_cast<int>(rows_.size())) return true;
    if (const auto refusal = editCutoutCell(rows_[static_cast<std::size_t>(cell.row)], cell.column, text)) {
        doc_.ui().exclamation(*refusal);
        return true;
    }
    if (type() == static_cast<std::int32_t>(TZHoleType::Free) && freeCutoutNeedsEmptyRow(rows_)) {
        rows_.push_back(TZHoleRow{});
        // After the edit is done with, so that the grid is not changed under its own editor.
        QMetaObject::invokeMethod(
            this, [this] { grid_->setRowCount(static_cast<int>(rows_.size())); }, Qt::QueuedConnection);
    }
    return true;
}

void TZHoleDialog::selectCell(GridCell cell, bool&) {
    // Point names typed with the Russian layout read as the Latin names of the same keys.
    grid_->options().nameOption = isNameColumn(cell.column);
    QMetaObject::invokeMethod(this, &TZHoleDialog::updateConverterSides, Qt::QueuedConnection);
}

void TZHoleDialog::moveRow(bool up) {
    grid_->closeEditorAndRepaint();
    const int row = selectedRow();
    if (!moveCutoutRow(rows_, row, up)) return;
    grid_->invalidate();
    grid_->selectCell({std::max(grid_->currentCell().column, 1), up ? row - 1 : row + 1});
}

void TZHoleDialog::deleteRow() {
    grid_->closeEditorAndRepaint();
    const int row = selectedRow();
    if (!deleteCutoutRow(rows_, row, type() == static_cast<std::int32_t>(TZHoleType::Free))) return;
    if (rows_.empty()) rows_.push_back(TZHoleRow{});
    showRows();
}

// ---- the distance converter ---------------------------------------------------------------------

bool TZHoleDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == converterValue_ && event->type() == QEvent::FocusIn && isVisible()) updateConverterSides();
    return ModelessDialog::eventFilter(watched, event);
}

void TZHoleDialog::updateConverterSides() {
    const int row = selectedRow();
    ConverterSides sides;
    if (row >= 0) {
        WorkingOutline outline;
        sides =
            converterSides(rows_[static_cast<std::size_t>(row)], buildWorkingOutline(doc_, true, outline));
    }
    sideA_->setText(toQt(sides.first));
    sideB_->setText(toQt(sides.second));
    sideA_->setEnabled(!sides.first.empty());
    sideB_->setEnabled(!sides.second.empty());
}

void TZHoleDialog::convert() {
    QRadioButton* chosen = sideA_->isChecked() ? sideA_ : sideB_->isChecked() ? sideB_ : nullptr;
    if (chosen == nullptr) return;
    grid_->closeEditorAndRepaint();
    const int row = selectedRow();
    if (row < 0) return;
    if (convertRowDistances(doc_, rows_[static_cast<std::size_t>(row)], fromQt(chosen->text()),
                            fromQt(converterValue_->text())))
        grid_->invalidate();
}

// ---- buttons ------------------------------------------------------------------------------------

void TZHoleDialog::accept() {
    const ChangeCycle change(doc_);
    grid_->closeEditorAndRepaint();
    // A size that is not a number or lies outside its range: told, and the dialog stays open.
    if (const auto refusal = cutoutSizeTextsRefusal(fromQt(size_->text()), fromQt(size2_->text()))) {
        doc_.ui().exclamation(*refusal);
        return;
    }
    CutoutFields f;
    f.type = type();
    f.mode = mode();
    f.size1 = number(size_);
    f.pointCount = pointCountFromText(fromQt(points_->text()));
    f.angleFrom = wholeNumber(angleFrom_);
    f.angleTo = wholeNumber(angleTo_);
    f.size2 = number(size2_);
    f.parallelSide = fromQt(parallel_->text());
    f.turned = turned_->isChecked();
    for (const TZHoleRow& r : rows_) {
        TZHoleDiagonal row;
        row.vertex1 = r.vertex1;
        row.vertex2 = r.vertex2;
        row.distance1 = r.distance1;
        row.distance2 = r.distance2;
        f.rows.push_back(row);
    }
    const TZHole hole = recordFromCutoutFields(f);
    hide();
    if (index_ >= 0)
        changeCutout(doc_, index_, hole);
    else
        addCutout(doc_, hole);
    QDialog::accept();
}

void TZHoleDialog::deleteRecord() {
    const ChangeCycle change(doc_);
    if (index_ < 0) return;
    const int index = index_;
    index_ = -1;
    hide();
    deleteCutout(doc_, index);
}

} // namespace tenzora
