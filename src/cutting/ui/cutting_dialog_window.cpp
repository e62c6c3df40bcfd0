#include "cutting/ui/cutting_dialog_window.h"

#include <algorithm>
#include <climits>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "editor/ui/extended_edit.h"
#include "model/ceiling.h"
#include "platform/qt/qt_text.h"

namespace tenzora {

namespace {

constexpr int kTypesId = 1150;
constexpr int kFabricsId = 1164;
constexpr int kSidesId = 1168;
constexpr int kSeamSideId = 106;
constexpr int kSecondDiagonalId = 107;
constexpr int kPerpendicularId = 1304;
constexpr int kOffsetId = 1308;
constexpr int kFirstPointId = 1368;
constexpr int kCentreId = 1372;
constexpr int kSecondPointId = 1376;
constexpr int kTwoDiagonalsId = 1548;
constexpr int kOffset2Id = 1320;
constexpr int kOffset2LabelId = 1550;
constexpr int kTensionId = 1120;
constexpr int kTensionYId = 1121;
constexpr int kOffcutCoefId = 1124;
constexpr int kWidthId = 1178;
constexpr int kSeamsId = 1546;
constexpr int kOkId = 1;
constexpr int kCloseId = 2;
constexpr int kOptimiseId = 1046;
constexpr int kRemaindersId = 1047;

// The progress window appears only when the search takes longer than this.
constexpr int kProgressDelayMs = 400;

template <typename W> W* withId(W* w, int id) {
    w->setObjectName(QString::number(id));
    return w;
}

void fillCombo(QComboBox* combo, const ChoiceList& list) {
    const QSignalBlocker block(combo);
    combo->clear();
    for (const std::wstring& entry : list.entries)
        combo->addItem(toQt(entry));
    combo->setCurrentIndex(list.hasSelection() ? list.selected : -1);
}

void setText(QLineEdit* edit, const std::wstring& text) {
    const QString q = toQt(text);
    if (edit->text() != q) edit->setText(q);
}

QLabel* buddyLabel(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

CRaskroy::CRaskroy(TZCeiling& doc, const AppSettings& settings, QWidget* parent)
    : ModelessDialog(QStringLiteral("220"), parent), doc_(doc), dialog_(doc, settings),
      progressDelayMs_(kProgressDelayMs) {
    setObjectName(QStringLiteral("220"));
    setWindowTitle(toQt(kCuttingDialogCaption));
    buildControls();
}

void CRaskroy::buildControls() {
    types_ = withId(new QComboBox(this), kTypesId);
    fabrics_ = withId(new QComboBox(this), kFabricsId);
    sides_ = withId(new QComboBox(this), kSidesId);
    seamSide_ = new TZExtendedEdit(kSeamSideId, this);
    secondDiagonal_ = new TZExtendedEdit(kSecondDiagonalId, this);
    perpendicular_ = withId(new QCheckBox(QStringLiteral("Перпендикулярно"), this), kPerpendicularId);
    offset_ = withId(new QLineEdit(this), kOffsetId);
    firstPoint_ = withId(new QRadioButton(QStringLiteral("A"), this), kFirstPointId);
    centre_ = withId(new QRadioButton(QStringLiteral("Центр"), this), kCentreId);
    secondPoint_ = withId(new QRadioButton(QStringLiteral("B"), this), kSecondPointId);
    twoDiagonals_ = withId(new QCheckBox(QStringLiteral("Две диагонали"), this), kTwoDiagonalsId);
    offset2_ = withId(new QLineEdit(this), kOffset2Id);
    offset2Label_ = withId(buddyLabel(QStringLiteral("Отступ"), offset2_, this), kOffset2LabelId);
    tension_ = withId(new QLineEdit(this), kTensionId);
    tensionY_ = withId(new QLineEdit(this), kTensionYId);
    offcutCoef_ = withId(new QLineEdit(this), kOffcutCoefId);
    width_ = withId(new QLineEdit(this), kWidthId);
    seams_ = withId(new QLineEdit(this), kSeamsId);
    ok_ = withId(new QPushButton(QStringLiteral("OK"), this), kOkId);
    close_ = withId(new QPushButton(QStringLiteral("Закрыть"), this), kCloseId);
    optimise_ = withId(new QPushButton(QStringLiteral("Оптимизировать расход материала"), this), kOptimiseId);
    remainders_ = withId(new QPushButton(QStringLiteral("Показать остатки материалов"), this), kRemaindersId);
    // A control of our own (no id of the original dialog): the finer search also shifts and
    // turns the seam grid.
    fine_ = new QCheckBox(QStringLiteral("Искать точнее"), this);
    fine_->setObjectName(QStringLiteral("fineSearch"));
    ok_->setDefault(true);
    for (QPushButton* b : {close_, optimise_, remainders_})
        b->setAutoDefault(false);
    // The offset buttons set the offset when pressed; none of them stays chosen.
    for (QRadioButton* b : {firstPoint_, centre_, secondPoint_})
        b->setAutoExclusive(false);
    for (TZExtendedEdit* e : {seamSide_, secondDiagonal_})
        e->setMaximumWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("MMMMMMM")));

    auto* typeBox = new QGroupBox(QStringLiteral("Тип полотна"), this);
    (new QVBoxLayout(typeBox))->addWidget(types_);
    auto* fabricBox = new QGroupBox(QStringLiteral("Полотно"), this);
    (new QVBoxLayout(fabricBox))->addWidget(fabrics_);

    auto* sideBox = new QGroupBox(QStringLiteral("Сторона / Диагональ"), this);
    auto* side = new QGridLayout(sideBox);
    side->addWidget(sides_, 0, 0, 1, 4);
    side->addWidget(seamSide_, 1, 0);
    side->addWidget(perpendicular_, 1, 1, 1, 3);
    side->addWidget(buddyLabel(QStringLiteral("Отступ"), offset_, this), 2, 0);
    side->addWidget(offset_, 2, 1, 1, 3);
    auto* offsetButtons = new QHBoxLayout;
    offsetButtons->addWidget(firstPoint_);
    offsetButtons->addWidget(centre_);
    offsetButtons->addWidget(secondPoint_);
    offsetButtons->addStretch(1);
    side->addLayout(offsetButtons, 3, 0, 1, 4);
    side->addWidget(twoDiagonals_, 4, 0, 1, 4);
    side->addWidget(secondDiagonal_, 5, 0);
    side->addWidget(offset2Label_, 5, 1);
    side->addWidget(offset2_, 5, 2, 1, 2);
    side->setColumnStretch(3, 1);

    auto* paramBox = new QGroupBox(QStringLiteral("Параметры полотна"), this);
    auto* params = new QGridLayout(paramBox);
    params->addWidget(buddyLabel(QStringLiteral("К-т натяжения, %:"), tension_, this), 0, 0);
    params->addWidget(tension_, 0, 1);
    params->addWidget(buddyLabel(QStringLiteral("по Y*:"), tensionY_, this), 0, 2);
    params->addWidget(tensionY_, 0, 3);
    auto* note = new QLabel(
        QStringLiteral(
            "* если это поле заполнено, то будут разные коэффициенты натяжения по длине и ширине полотна"),
        this);
    note->setWordWrap(true);
    params->addWidget(note, 1, 0, 1, 4);
    params->addWidget(buddyLabel(QStringLiteral("К-т лишнего материала:"), offcutCoef_, this), 2, 0);
    params->addWidget(offcutCoef_, 2, 1);
    params->addWidget(buddyLabel(QStringLiteral("Ширина:"), width_, this), 3, 0);
    params->addWidget(width_, 3, 1);
    params->addWidget(buddyLabel(QStringLiteral("Швы:"), seams_, this), 4, 0);
    params->addWidget(seams_, 4, 1);
    params->addWidget(new QLabel(QStringLiteral("мм"), this), 4, 2);

    auto* buttons = new QGridLayout;
    buttons->addWidget(optimise_, 0, 0, 1, 2);
    buttons->addWidget(fine_, 1, 0, 1, 2);
    buttons->addWidget(remainders_, 2, 0, 1, 2);
    buttons->addWidget(ok_, 3, 0);
    buttons->addWidget(close_, 3, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(typeBox);
    layout->addWidget(fabricBox);
    layout->addWidget(sideBox);
    layout->addWidget(paramBox);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QWidget* order[] = {types_,      fabrics_,    sides_,       seamSide_,     perpendicular_,  offset_,
                        firstPoint_, centre_,     secondPoint_, twoDiagonals_, secondDiagonal_, offset2_,
                        tension_,    tensionY_,   offcutCoef_,  width_,        seams_,          optimise_,
                        fine_,       remainders_, ok_,          close_};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(types_, &QComboBox::currentIndexChanged, this,
            [this] { handle([this] { dialog_.fabricTypeChosen(); }); });
    connect(fabrics_, &QComboBox::currentIndexChanged, this,
            [this] { handle([this] { dialog_.fabricChosen(); }); });
    connect(sides_, &QComboBox::currentIndexChanged, this,
            [this] { handle([this] { dialog_.sideChosen(); }); });
    connect(seamSide_, &TZExtendedEdit::edited, this,
            [this] { handle([this] { dialog_.seamSideEdited(); }); });
    connect(perpendicular_, &QCheckBox::clicked, this,
            [this] { handle([this] { dialog_.perpendicularChanged(); }); });
    connect(twoDiagonals_, &QCheckBox::clicked, this,
            [this] { handle([this] { dialog_.twoDiagonalsChanged(); }); });
    const std::pair<QRadioButton*, OffsetButton> offsetButtonsOf[] = {
        {firstPoint_, OffsetButton::FirstPoint},
        {centre_, OffsetButton::Centre},
        {secondPoint_, OffsetButton::SecondPoint}};
    for (auto [button, which] : offsetButtonsOf)
        connect(button, &QRadioButton::clicked, this, [this, button = button, which = which] {
            button->setChecked(false);
            handle([this, which] { dialog_.offsetButton(which); });
        });
    // Enter in a name field confirms, as in the other fields.
    connect(seamSide_, &TZExtendedEdit::enterPressed, this, &CRaskroy::accept);
    connect(secondDiagonal_, &TZExtendedEdit::enterPressed, this, &CRaskroy::accept);
    connect(ok_, &QPushButton::clicked, this, &CRaskroy::accept);
    connect(close_, &QPushButton::clicked, this, &CRaskroy::reject);
    connect(optimise_, &QPushButton::clicked, this, [this] { optimise(); });
    connect(remainders_, &QPushButton::clicked, this, &CRaskroy::showRemainders);
}

// ---- controls and core --------------------------------------------------------------------------

void CRaskroy::readControls() {
    CuttingDialogFields& f = dialog_.fields();
    f.seamSide = fromQt(seamSide_->text());
    f.secondDiagonal = fromQt(secondDiagonal_->text());
    f.perpendicular = perpendicular_->isChecked();
    f.twoDiagonals = twoDiagonals_->isChecked();
    f.offset = fromQt(offset_->text());
    f.offset2 = fromQt(offset2_->text());
    f.tension = fromQt(tension_->text());
    f.tensionY = fromQt(tensionY_->text());
    f.offcutCoef = fromQt(offcutCoef_->text());
    f.width = fromQt(width_->text());
    f.seams = fromQt(seams_->text());
    dialog_.fabricTypes().selected = types_->currentIndex();
    dialog_.fabrics().selected = fabrics_->currentIndex();
    dialog_.sides().selected = sides_->currentIndex();
}

void CRaskroy::showValues() {
    const CuttingDialogFields& f = dialog_.fields();
    setText(seamSide_, f.seamSide);
    setText(secondDiagonal_, f.secondDiagonal);
    perpendicular_->setChecked(f.perpendicular);
    twoDiagonals_->setChecked(f.twoDiagonals);
    setText(offset_, f.offset);
    setText(offset2_, f.offset2);
    setText(tension_, f.tension);
    setText(tensionY_, f.tensionY);
    setText(offcutCoef_, f.offcutCoef);
    setText(width_, f.width);
    setText(seams_, f.seams);
    fillCombo(types_, dialog_.fabricTypes());
    fillCombo(fabrics_, dialog_.fabrics());
    fillCombo(sides_, dialog_.sides());
    const CuttingDialogView& v = dialog_.view();
    firstPoint_->setText(toQt(v.firstPointLabel));
    secondPoint_->setText(toQt(v.secondPointLabel));
    for (QWidget* w : std::initializer_list<QWidget*>{firstPoint_, centre_, secondPoint_})
        w->setVisible(v.offsetButtons);
    perpendicular_->setVisible(v.perpendicularBox);
    for (QWidget* w : std::initializer_list<QWidget*>{secondDiagonal_, offset2_, offset2Label_})
        w->setVisible(v.secondDiagonal);
    const bool idle = !dialog_.optimising();
    optimise_->setEnabled(idle);
    ok_->setEnabled(idle);
}

template <typename F> void CRaskroy::handle(F&& handler) {
    // The lists are refilled by showValues(); their signals then are not the user's choice.
    if (showing_) return;
    showing_ = true;
    // One change: the main window's drawing and side panel are told once, after it.
    const ChangeCycle change(doc_);
    readControls();
    handler();
    showValues();
    showing_ = false;
    if (!dialog_.visible() && isVisible()) hide();
}

// ---- showing and hiding -------------------------------------------------------------------------

void CRaskroy::showEvent(QShowEvent* event) {
    ModelessDialog::showEvent(event);
    // The window system's own hiding and showing (the main window minimised) is no showing of
    // the dialog.
    if (event->spontaneous() || dialog_.visible()) return;
    showing_ = true;
    dialog_.setVisible(true);
    showValues();
    showing_ = false;
}

void CRaskroy::hideEvent(QHideEvent* event) {
    ModelessDialog::hideEvent(event);
    if (event->spontaneous() || !dialog_.visible()) return;
    showing_ = true;
    readControls();
    dialog_.setVisible(false);
    showValues();
    showing_ = false;
}

// ---- buttons ------------------------------------------------------------------------------------

void CRaskroy::accept() {
    handle([this] { dialog_.ok(); });
}

void CRaskroy::reject() {
    // "Закрыть" hides the dialog; hiding re-places the outline and lays the canvases out again.
    hide();
}

OptimiserResult CRaskroy::optimise() {
    OptimiserResult result;
    QProgressDialog progress(QStringLiteral("Поиск стороны шва с наименьшим расходом материала…"),
                             QStringLiteral("Отмена"), 0, 1, this);
    progress.setObjectName(QStringLiteral("optimiserProgress"));
    progress.setWindowTitle(toQt(kCuttingDialogCaption));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(progressDelayMs_);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    if (fine_->isChecked()) {
        handle([&] {
            const FineSearchResult fine = dialog_.optimiseSeamSideFine([&progress](long done, long total) {
                progress.setMaximum(static_cast<int>(std::min<long>(total, INT_MAX)));
                progress.setValue(static_cast<int>(std::min<long>(done, INT_MAX)));
                return !progress.wasCanceled();
            });
            result.bestPair = fine.bestPair;
            result.bestQuantity = fine.bestQuantity;
            result.final = fine.final;
            result.cancelled = fine.cancelled;
        });
        progress.close();
        return result;
    }
    handle([&] {
        result = dialog_.optimiseSeamSide([&progress](int done, int total) {
            progress.setMaximum(total);
            // A modal progress window lets its own events (the cancel) through as it advances.
            progress.setValue(done);
            return !progress.wasCanceled();
        });
    });
    progress.close();
    return result;
}

void CRaskroy::showRemainders() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    handle([this] { dialog_.showMaterialRemainders(); });
    QApplication::restoreOverrideCursor();
}

} // namespace tenzora
