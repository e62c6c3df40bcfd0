#include "model/ui/construction_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "cutting/construction_operations.h"
#include "editor/ui/extended_edit.h"
#include "model/ceiling.h"
#include "model/construction_form.h"
#include "model/formatting.h"
#include "model/typed_number.h"
#include "model/working_outline.h"
#include "platform/qt/qt_text.h"

namespace tenzora {

namespace {

constexpr int kKindId = 1150;
constexpr int kName1Id = 2010;
constexpr int kName2Id = 2011;
constexpr int kDistance1Id = 1180;
constexpr int kDistance2Id = 1188;
constexpr int kDepthId = 1204;
constexpr int kArcLengthId = 1244;
constexpr int kExtraId = 1210;
constexpr int kDirectionId = 1640;
constexpr int kVertexLabel1Id = 1252;
constexpr int kVertexLabel2Id = 1258;
constexpr int kDistanceLabel1Id = 1264;
constexpr int kDistanceLabel2Id = 1268;
constexpr int kDepthLabelId = 1280;
constexpr int kExtraLabelId = 1276;
constexpr int kArcLengthLabelId = 1272;
constexpr int kOkId = 1;
constexpr int kCancelId = 2;
constexpr int kDeleteId = 1230;

// Field texts of the record's numbers: decimals only where the value has them.
QString numberText(double value) {
    return toQt(formatNumber(value, 2, true));
}

void applyState(QWidget* w, ControlState state) {
    w->setVisible(state != ControlState::Hidden);
    w->setEnabled(state == ControlState::Shown);
}

template <typename W> W* withId(W* w, int id) {
    w->setObjectName(QString::number(id));
    return w;
}

} // namespace

TZDopPostr::TZDopPostr(TZCeiling& doc, QWidget* parent, const QString& placementKey)
    : ModelessDialog(placementKey, parent), doc_(doc) {
    setObjectName(placementKey);
    setWindowTitle(QStringLiteral("Дополнительные построения"));
    buildControls();
}

void TZDopPostr::buildControls() {
    kind_ = withId(new QComboBox(this), kKindId);
    name1_ = new TZExtendedEdit(kName1Id, this);
    name2_ = new TZExtendedEdit(kName2Id, this);
    distance1_ = withId(new QLineEdit(this), kDistance1Id);
    distance2_ = withId(new QLineEdit(this), kDistance2Id);
    depth_ = withId(new QLineEdit(this), kDepthId);
    arcLength_ = withId(new QLineEdit(this), kArcLengthId);
    extra_ = withId(new QLineEdit(this), kExtraId);
    direction_ = withId(new QLabel(this), kDirectionId);
    vertexLabel1_ = withId(new QLabel(QStringLiteral("Вершина 1:"), this), kVertexLabel1Id);
    vertexLabel2_ = withId(new QLabel(QStringLiteral("Вершина 2:"), this), kVertexLabel2Id);
    distanceLabel1_ = withId(new QLabel(this), kDistanceLabel1Id);
    distanceLabel2_ = withId(new QLabel(this), kDistanceLabel2Id);
    depthLabel_ = withId(new QLabel(QStringLiteral("Глубина:"), this), kDepthLabelId);
    extraLabel_ = withId(new QLabel(QStringLiteral("Доп. точек:"), this), kExtraLabelId);
    arcLengthLabel_ = withId(new QLabel(QStringLiteral("Длина дуги:"), this), kArcLengthLabelId);
    ok_ = withId(new QPushButton(QStringLiteral("OK"), this), kOkId);
    cancel_ = withId(new QPushButton(QStringLiteral("Отмена"), this), kCancelId);
    delete_ = withId(new QPushButton(QStringLiteral("Удалить"), this), kDeleteId);
    ok_->setDefault(true);
    ok_->setAutoDefault(true);
    for (const wchar_t* text : kConstructionKindTexts)
        kind_->addItem(toQt(text));

    for (QLabel* label : {vertexLabel1_, vertexLabel2_, distanceLabel1_, distanceLabel2_, depthLabel_,
                          extraLabel_, arcLengthLabel_})
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    vertexLabel1_->setBuddy(name1_);
    vertexLabel2_->setBuddy(name2_);
    distanceLabel1_->setBuddy(distance1_);
    distanceLabel2_->setBuddy(distance2_);
    depthLabel_->setBuddy(depth_);
    extraLabel_->setBuddy(extra_);
    arcLengthLabel_->setBuddy(arcLength_);
    // The distance labels carry the point names: wide enough for "расстояние от A12 :".
    for (QLabel* label : {distanceLabel1_, distanceLabel2_})
        label->setMinimumWidth(
            label->fontMetrics().horizontalAdvance(QStringLiteral("расстояние до вершины: ")));
    for (QLineEdit* edit : {static_cast<QLineEdit*>(name1_), static_cast<QLineEdit*>(name2_)})
        edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("MMMMMM")));

    auto* grid = new QGridLayout;
    auto* typeLabel = new QLabel(QStringLiteral("Тип:"), this);
    typeLabel->setBuddy(kind_);
    typeLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(typeLabel, 0, 0);
    grid->addWidget(kind_, 0, 1, 1, 3);
    grid->addWidget(vertexLabel1_, 1, 0);
    grid->addWidget(name1_, 1, 1);
    grid->addWidget(distanceLabel1_, 1, 2);
    grid->addWidget(distance1_, 1, 3);
    grid->addWidget(vertexLabel2_, 2, 0);
    grid->addWidget(name2_, 2, 1);
    grid->addWidget(distanceLabel2_, 2, 2);
    grid->addWidget(distance2_, 2, 3);
    grid->addWidget(depthLabel_, 3, 2);
    grid->addWidget(depth_, 3, 3);
    grid->addWidget(direction_, 3, 1);
    grid->addWidget(extraLabel_, 4, 2);
    grid->addWidget(extra_, 4, 3);
    grid->addWidget(arcLengthLabel_, 5, 2);
    grid->addWidget(arcLength_, 5, 3);
    grid->setColumnStretch(3, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(delete_);
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(kind_, name1_);
    setTabOrder(name1_, name2_);
    setTabOrder(name2_, distance1_);
    setTabOrder(distance1_, distance2_);
    setTabOrder(distance2_, depth_);
    setTabOrder(depth_, extra_);
    setTabOrder(extra_, arcLength_);
    setTabOrder(arcLength_, ok_);
    setTabOrder(ok_, cancel_);
    setTabOrder(cancel_, delete_);

    connect(kind_, &QComboBox::activated, this, &TZDopPostr::kindChosen);
    // The distance labels name the points typed.
    connect(name1_, &TZExtendedEdit::edited, this, &TZDopPostr::applyLayout);
    connect(name2_, &TZExtendedEdit::edited, this, &TZDopPostr::applyLayout);
    // Enter in a name field confirms, as it does in every other field of the dialog.
    connect(name1_, &TZExtendedEdit::enterPressed, this, &TZDopPostr::accept);
    connect(name2_, &TZExtendedEdit::enterPressed, this, &TZDopPostr::accept);
    for (QLineEdit* edit : {depth_, arcLength_})
        connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) {
            if (!text.trimmed().isEmpty() && text.trimmed() != QStringLiteral("-")) updateDirection();
        });
    connect(ok_, &QPushButton::clicked, this, &TZDopPostr::accept);
    connect(cancel_, &QPushButton::clicked, this, &TZDopPostr::reject);
    connect(delete_, &QPushButton::clicked, this, &TZDopPostr::deleteRecord);
}

// ---- showing ------------------------------------------------------------------------------------

void TZDopPostr::showNew(std::int32_t kind) {
    if (doc_.editor.mode == kModeStart) return;
    TZDop dop;
    dop.kind = kind;
    index_ = -1;
    load(dop);
    present();
}

bool TZDopPostr::showStored(int index) {
    const TZDop* dop = doc_.dops.checkedAt(index);
    if (dop == nullptr) return false;
    index_ = index;
    load(*dop);
    present();
    return true;
}

void TZDopPostr::load(const TZDop& dop) {
    base_ = dop;
    const ConstructionFields f = fieldsFromRecord(dop);
    kind_->setCurrentIndex(f.kind >= 0 && f.kind < kind_->count() ? f.kind : 0);
    name1_->setText(toQt(f.name1));
    name2_->setText(toQt(f.name2));
    distance1_->setText(numberText(f.distance1));
    distance2_->setText(numberText(f.distance2));
    depth_->setText(numberText(f.depth));
    arcLength_->setText(numberText(f.arcLength));
    extra_->setText(numberText(f.extra));
    delete_->setEnabled(index_ >= 0);
    applyLayout();
    updateDirection();
    kind_->setFocus(Qt::OtherFocusReason);
}

// ---- the fields ---------------------------------------------------------------------------------

double TZDopPostr::number(const QLineEdit* edit) const {
    return readTypedNumber(fromQt(edit->text()), DecimalComma::Accepted);
}

ConstructionFields TZDopPostr::readFields() const {
    ConstructionFields f;
    f.kind = kind_->currentIndex();
    f.name1 = fromQt(name1_->text());
    f.name2 = fromQt(name2_->text());
    f.distance1 = number(distance1_);
    f.distance2 = number(distance2_);
    f.depth = number(depth_);
    f.arcLength = number(arcLength_);
    f.extra = number(extra_);
    return f;
}

void TZDopPostr::kindChosen(int position) {
    // The kind's own defaults for the extra field (an arc's points, a bend's second level).
    TZDop dop;
    dop.depth = number(depth_);
    dop.extraPoints = static_cast<std::int32_t>(number(extra_));
    const std::int32_t before = dop.extraPoints;
    selectKind(dop, position);
    if (dop.extraPoints != before) extra_->setText(numberText(dop.extraPoints));
    applyLayout();
    updateDirection();
}

void TZDopPostr::applyLayout() {
    WorkingOutline outline;
    const int points = buildWorkingOutline(doc_, true, outline);
    const ConstructionLayout l =
        constructionLayout(kind_->currentIndex(), fromQt(name1_->text()), fromQt(name2_->text()), points);
    applyState(vertexLabel1_, l.vertexLabel1);
    applyState(vertexLabel2_, l.vertexLabel2);
    vertexLabel2_->setText(toQt(l.vertexLabel2Text));
    applyState(distance1_, l.distances);
    applyState(distance2_, l.distances);
    applyState(distanceLabel1_, l.distances);
    applyState(distanceLabel2_, l.distances);
    applyState(name1_, l.name1);
    applyState(name2_, l.name2);
    distanceLabel1_->setText(toQt(l.distanceLabel1));
    distanceLabel2_->setText(toQt(l.distanceLabel2));
    applyState(depth_, l.depth);
    applyState(depthLabel_, l.depth);
    depthLabel_->setText(toQt(l.depthLabel));
    applyState(extra_, l.extra);
    applyState(extraLabel_, l.extra);
    extraLabel_->setText(toQt(l.extraLabel));
    applyState(arcLength_, l.arcLength);
    applyState(arcLengthLabel_, l.arcLength);
}

void TZDopPostr::updateDirection() {
    direction_->setText(toQt(directionWord(kind_->currentIndex(), number(depth_), number(arcLength_))));
}

// ---- buttons ------------------------------------------------------------------------------------

void TZDopPostr::accept() {
    const ChangeCycle change(doc_);
    // A number that is not one or lies outside its range: told, and the dialog stays open.
    const ConstructionTexts texts = {fromQt(distance1_->text()), fromQt(distance2_->text()),
                                     fromQt(depth_->text()), fromQt(arcLength_->text()),
                                     fromQt(extra_->text())};
    if (const auto refusal = constructionTextsRefusal(kind_->currentIndex(), texts)) {
        doc_.ui().exclamation(*refusal);
        return;
    }
    const TZDop dop = recordFromFields(readFields(), base_);
    hide();
    if (index_ >= 0)
        changeConstruction(doc_, index_, dop);
    else
        addConstruction(doc_, dop);
    QDialog::accept();
}

void TZDopPostr::deleteRecord() {
    const ChangeCycle change(doc_);
    if (index_ < 0) return;
    const int index = index_;
    index_ = -1;
    hide();
    deleteConstruction(doc_, index);
}

} // namespace tenzora
