#include "business/ui/price_dialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QTimer>

#include "grid/ui/virtual_grid_ctrl.h"
#include "platform/qt/qt_text.h"

namespace tenzora {

namespace {

QPushButton* dialogButton(QWidget* parent, int id, const QString& text, bool isDefault) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::number(id));
    b->setAutoDefault(false);
    b->setDefault(isDefault);
    return b;
}

CVirtualGridCtrl* makeGrid(QWidget* parent, int id, GridOwner* owner) {
    auto* grid = new CVirtualGridCtrl(parent);
    grid->setObjectName(QString::number(id));
    grid->setOwner(owner);
    return grid;
}

QSize fixedSize(const QWidget* w) {
    return w->sizeHint();
}

ControlSize controlSize(const QWidget* w) {
    const QSize s = fixedSize(w);
    return {s.width(), s.height()};
}

void place(QWidget* w, const ControlRect& r) {
    w->setGeometry(r.x, r.y, r.width, r.height);
}

// The row-number column only shows the numbers.
void numberColumnReadOnly(CVirtualGridCtrl& grid) {
    if (grid.columns().count() > 0) grid.columns()[0].setReadOnly(true);
}

} // namespace

// ---- TZRPriceOptions -------------------------------------------------------------------------------

TZRPriceOptions::TZRPriceOptions(std::filesystem::path programDir, UiServices& ui, QWidget* parent)
    : QDialog(parent), form_(std::move(programDir), ui) {
    setObjectName(QStringLiteral("256"));
    setWindowTitle(QStringLiteral("Настройка прайс-листов"));
    form_.open();

    const int ids[3] = {1600, 1604, 1610};
    const QString titles[3] = {QStringLiteral("&Города:"),
                               QStringLiteral("Градации &площадей для прайса потолков:"),
                               QStringLiteral("Градации количества &углов:")};
    auto* layout = new QGridLayout(this);
    for (int i = 0; i < 3; ++i) {
        const auto list = static_cast<PriceOptionsForm::List>(i);
        FunctionGridOwner& owner = owners_[i];
        CVirtualGridCtrl* grid = makeGrid(this, ids[i], &owner);
        grids_[i] = grid;
        setGridColumns(*grid, {{PriceOptionsForm::kNumberColumn.title, PriceOptionsForm::kNumberColumn.width},
                               {PriceOptionsForm::kValueColumns[static_cast<std::size_t>(i)].title,
                                PriceOptionsForm::kValueColumns[static_cast<std::size_t>(i)].width}});
        numberColumnReadOnly(*grid);
        grid->setRowCount(form_.rowCount(list));
        owner.text = [this, list](GridCell c) { return form_.cellText(list, c.row, c.column); };
        owner.edited = [this, list, grid](GridCell c, std::wstring& text) {
            const bool appended = form_.editCell(list, c.row, c.column, text);
            text = form_.cellText(list, c.row, c.column);
            if (appended)
                QTimer::singleShot(0, grid, [this, list, grid] { grid->setRowCount(form_.rowCount(list)); });
            return true;
        };
        auto* title = new QLabel(titles[i], this);
        title->setBuddy(grid);
        title->setWordWrap(true);
        layout->addWidget(title, 0, i, Qt::AlignBottom);
        layout->addWidget(grid, 1, i);
    }
    auto* ok = dialogButton(this, 1, QStringLiteral("OK"), true);
    auto* cancel = dialogButton(this, 2, QStringLiteral("Отмена"), false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, 2, 0, 1, 3);
    connect(ok, &QPushButton::clicked, this, &TZRPriceOptions::accept);
    connect(cancel, &QPushButton::clicked, this, &TZRPriceOptions::reject);
    resize(gridUnits(*grids_[0], 640), 360);
    rememberPlacement(*this, QStringLiteral("priceOptions"));
}

CVirtualGridCtrl* TZRPriceOptions::grid(PriceOptionsForm::List list) const {
    return grids_[static_cast<int>(list)];
}

void TZRPriceOptions::accept() {
    for (CVirtualGridCtrl* grid : grids_)
        grid->closeEditorAndRepaint();
    // Not written (the user told): the window stays open with what was typed.
    if (form_.accept()) QDialog::accept();
}

// ---- TZPriceDialog -------------------------------------------------------------------------------

TZPriceDialog::TZPriceDialog(std::filesystem::path programDir, UiServices& ui, QWidget* parent)
    : QDialog(parent), form_(std::move(programDir), ui) {
    setObjectName(QStringLiteral("255"));
    setWindowTitle(QStringLiteral("Прайс на потолки"));
    setSizeGripEnabled(true);
    form_.open();

    city_ = new QComboBox(this);
    city_->setObjectName(QStringLiteral("1600"));
    for (const std::wstring& name : form_.cities())
        city_->addItem(toQt(name));
    cityLabel_ = new QLabel(QStringLiteral("&Город:"), this);
    cityLabel_->setBuddy(city_);
    ceilingsLabel_ = new QLabel(QStringLiteral("Прайс-лист на потолки"), this);
    ceilings_ = makeGrid(this, 1606, &ceilingOwner_);
    works_ = makeGrid(this, 1612, &workOwner_);
    corners_ = makeGrid(this, 1616, &cornerOwner_);
    label2500_ = new QLabel(QStringLiteral("Дополнительная плата за количество &углов:"), this);
    label2500_->setObjectName(QStringLiteral("2500"));
    label2500_->setBuddy(corners_);
    label2501_ = new QLabel(QStringLiteral("Дополнительные &работы:"), this);
    label2501_->setObjectName(QStringLiteral("2501"));
    label2501_->setBuddy(works_);
    note2502_ = new QLabel(
        QStringLiteral("Если вы поставите % перед названием дополнительной работы, то в этом случае "
                       "вы сможете указать не стоимость работы, а коэффициент к общей "
                       "стоимости.\n\nДля удаления позиции прайса просто сотрите наименование "
                       "материала или работы"),
        this);
    note2502_->setObjectName(QStringLiteral("2502"));
    note2502_->setWordWrap(true);
    ok_ = dialogButton(this, 1, QStringLiteral("OK"), true);
    cancel_ = dialogButton(this, 2, QStringLiteral("Отмена"), false);

    setGridColumns(*ceilings_, form_.ceilingColumns());
    numberColumnReadOnly(*ceilings_);
    setGridColumns(*works_, PriceListForm::kWorkColumns);
    numberColumnReadOnly(*works_);
    setGridColumns(*corners_, form_.cornerColumns());
    numberColumnReadOnly(*corners_);
    // The city names of the corner grid are the cities of the settings, not typed here.
    if (corners_->columns().count() > 1) corners_->columns()[1].setReadOnly(true);
    corners_->setRowCount(form_.cornerRowCount());

    ceilingOwner_.text = [this](GridCell c) { return form_.ceilingCellText(c.row, c.column); };
    ceilingOwner_.edited = [this](GridCell c, std::wstring& text) {
        const bool appended = form_.editCeilingCell(c.row, c.column, text);
        text = form_.ceilingCellText(c.row, c.column);
        if (appended)
            QTimer::singleShot(0, this, [this] { ceilings_->setRowCount(form_.ceilingRowCount()); });
        return true;
    };
    workOwner_.text = [this](GridCell c) { return form_.workCellText(c.row, c.column); };
    workOwner_.edited = [this](GridCell c, std::wstring& text) {
        const bool appended = form_.editWorkCell(c.row, c.column, text);
        text = form_.workCellText(c.row, c.column);
        if (appended) QTimer::singleShot(0, this, [this] { works_->setRowCount(form_.workRowCount()); });
        return true;
    };
    cornerOwner_.text = [this](GridCell c) { return form_.cornerCellText(c.row, c.column); };
    cornerOwner_.edited = [this](GridCell c, std::wstring& text) {
        form_.editCornerCell(c.row, c.column, text);
        text = form_.cornerCellText(c.row, c.column);
        return true;
    };

    connect(city_, &QComboBox::currentIndexChanged, this, &TZPriceDialog::showCity);
    connect(ok_, &QPushButton::clicked, this, &TZPriceDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &TZPriceDialog::reject);
    showCity(form_.selectedCity());

    setTabOrder(city_, ceilings_);
    setTabOrder(ceilings_, corners_);
    setTabOrder(corners_, works_);
    setTabOrder(works_, ok_);
    setTabOrder(ok_, cancel_);
    setMinimumSize(560, 380);
    resize(gridUnits(*ceilings_, 820), 540);
    rememberPlacement(*this, QStringLiteral("priceLists"));
}

void TZPriceDialog::showCity(int city) {
    // Editors open in the grids belong to the city shown so far: their text goes there first.
    ceilings_->closeEditorAndRepaint();
    works_->closeEditorAndRepaint();
    form_.selectCity(city);
    ceilings_->setRowCount(form_.ceilingRowCount());
    works_->setRowCount(form_.workRowCount());
    ceilings_->invalidate();
    works_->invalidate();
}

void TZPriceDialog::layOut() {
    PriceDialogFixedSizes sizes;
    sizes.label2500 = controlSize(label2500_);
    sizes.label2501 = controlSize(label2501_);
    const int half = width() / 2;
    // The note is as wide as the works grid above it and as high as its wrapped text needs.
    const int noteWidth = std::max(50, half - 50);
    sizes.note2502 = {noteWidth, note2502_->heightForWidth(noteWidth)};
    sizes.ok = controlSize(ok_);
    sizes.cancel = controlSize(cancel_);
    // The buttons keep their own height; their width leaves the 84 pixels between their left edges.
    sizes.ok.width = std::min(sizes.ok.width, 78);
    sizes.cancel.width = std::min(sizes.cancel.width, 78);
    const PriceDialogLayout l = priceDialogLayout(width(), height(), sizes);
    place(ceilings_, l.ceilingGrid);
    place(label2500_, l.label2500);
    place(corners_, l.cornerGrid);
    place(works_, l.worksGrid);
    place(label2501_, l.label2501);
    place(note2502_, l.note2502);
    place(ok_, l.ok);
    place(cancel_, l.cancel);
    // The city choice and the title of the ceiling prices above the ceiling grid.
    const QSize labelSize = cityLabel_->sizeHint();
    const QSize boxSize = city_->sizeHint();
    const int rowCentre = 36 / 2;
    cityLabel_->setGeometry(11, rowCentre - labelSize.height() / 2, labelSize.width(), labelSize.height());
    city_->setGeometry(11 + labelSize.width() + 6, rowCentre - boxSize.height() / 2,
                       std::max(boxSize.width(), 160), boxSize.height());
    const QSize titleSize = ceilingsLabel_->sizeHint();
    ceilingsLabel_->setGeometry(city_->geometry().right() + 16, rowCentre - titleSize.height() / 2,
                                titleSize.width(), titleSize.height());
}

void TZPriceDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layOut();
}

void TZPriceDialog::accept() {
    for (CVirtualGridCtrl* grid : {ceilings_, works_, corners_})
        grid->closeEditorAndRepaint();
    if (form_.accept()) QDialog::accept();
}

} // namespace tenzora
