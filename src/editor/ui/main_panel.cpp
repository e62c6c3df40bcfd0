#include "editor/ui/main_panel.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <set>

#include "editor/side_panel_figures.h"
#include "editor/ui/extended_edit.h"
#include "editor/ui/panel_button.h"
#include "model/ceiling.h"
#include "platform/qt/qt_text.h"

namespace tenzora {

namespace {

// Control ids of the panel (dialog 227).
constexpr int kSetButtonId = 1632;
constexpr int kTreeId = 1110;
constexpr int kXCaptionId = 1288;
constexpr int kXValueId = 1014;
constexpr int kYCaptionId = 1292;
constexpr int kYValueId = 1018;
constexpr int kStatusId = 1284;
constexpr int kAreaId = 1026;
constexpr int kPerimeterCaptionId = 1262;
constexpr int kPerimeterValueId = 1250;
constexpr int kPerimeterUnitId = 1316;
constexpr int kErrorId = 1024;
constexpr int kMaterialAreaId = 1032;
constexpr int kOffcutsId = 1034;
constexpr int kListId = 1220;
constexpr int kNameFieldId = 1208;
constexpr int kLengthFieldId = 1028;

// The panel's font: Tahoma of 13 pixels (the system's nearest face where Tahoma is missing).
constexpr int kFontPixels = 13;
// The fields are never lower than this, whatever the button's height.
constexpr int kMinimumFieldHeight = 19;
// A width at which the figures and the tree's rows read comfortably.
constexpr int kMinimumPanelWidth = 210;
// The width the panel docks with at first (the user may widen it; the window remembers).
constexpr int kPreferredPanelWidth = 250;

// Where a tree item's row lives in rows_: the root's index and the child's (−1 for the root).
constexpr int kRootRole = Qt::UserRole;
constexpr int kChildRole = Qt::UserRole + 1;

// A row's identity across rebuilds: its name before " (", below its root's.
QString rowKey(const QTreeWidgetItem* item) {
    const QString own = item->text(0).section(QStringLiteral(" ("), 0, 0);
    return item->parent() ? rowKey(item->parent()) + QLatin1Char('/') + own : own;
}

void setWhiteBackground(QWidget* w) {
    QPalette p = w->palette();
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    w->setPalette(p);
}

void setTextIfChanged(QLineEdit* edit, const std::wstring& text) {
    const QString q = toQt(text);
    if (edit->text() != q) edit->setText(q);
}

} // namespace

TZMainPanel::TZMainPanel(TZCeiling& doc, const AppSettings& settings, QWidget* parent)
    : QWidget(parent), doc_(doc), settings_(settings), fields_(doc) {
    setObjectName(QStringLiteral("227"));
    setWindowTitle(QStringLiteral("Фигура"));
    QFont panelFont(QStringLiteral("Tahoma"));
    panelFont.setPixelSize(kFontPixels);
    setFont(panelFont);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, backgroundColour());
    p.setColor(QPalette::WindowText, Qt::black);
    p.setColor(QPalette::ButtonText, Qt::black);
    setPalette(p);
    buildControls();
    refreshPanel();
    rebuildTree();
}

QLabel* TZMainPanel::label(const QString& text, int id) {
    auto* l = new QLabel(text, this);
    if (id != 0) l->setObjectName(QString::number(id));
    return l;
}

void TZMainPanel::buildControls() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 8, 4, 4);
    layout->setSpacing(4);

    // Name, length and "Установить" in one row; the fields as high as the button.
    auto* entry = new QHBoxLayout;
    name_ = new TZExtendedEdit(kNameFieldId, this);
    length_ = new TZExtendedEdit(kLengthFieldId, this);
    setButton_ = new PanelButton(QStringLiteral("Установить"), kSetButtonId, this);
    const int fieldHeight = std::max(kMinimumFieldHeight, setButton_->sizeHint().height());
    for (TZExtendedEdit* field : {name_, length_}) {
        field->setFixedHeight(fieldHeight);
        field->setMinimumWidth(40);
        setWhiteBackground(field);
    }
    setButton_->setFixedHeight(fieldHeight);
    name_->setToolTip(QStringLiteral("Сторона или диагональ"));
    length_->setToolTip(QStringLiteral("Длина, см"));
    entry->addWidget(name_, 1);
    entry->addWidget(length_, 1);
    entry->addWidget(setButton_);
    layout->addLayout(entry);

    tree_ = new QTreeWidget(this);
    tree_->setObjectName(QString::number(kTreeId));
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);
    tree_->setUniformRowHeights(true);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    setWhiteBackground(tree_);
    layout->addWidget(tree_, 3);

    // The status line stands where the cursor's x/y line is; one of the two is shown.
    coordinates_ = new QWidget(this);
    auto* xy = new QHBoxLayout(coordinates_);
    xy->setContentsMargins(0, 0, 0, 0);
    xy->addWidget(label(QStringLiteral("x = "), kXCaptionId));
    x_ = label(QString(), kXValueId);
    xy->addWidget(x_, 1);
    xy->addWidget(label(QStringLiteral("y ="), kYCaptionId));
    y_ = label(QString(), kYValueId);
    xy->addWidget(y_, 1);
    // The coordinates change with every mouse move: their texts must never lay the panel (and
    // with it the window and the drawing view) out again.
    for (QLabel* value : {x_, y_})
        value->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    layout->addWidget(coordinates_);
    status_ = label(QString(), kStatusId);
    status_->setWordWrap(true);
    status_->hide();
    layout->addWidget(status_);

    auto* figures = new QGridLayout;
    figures->setHorizontalSpacing(4);
    figures->setVerticalSpacing(2);
    int row = 0;
    auto addFigure = [&](QLabel* caption, QLabel* value, QLabel* unit) {
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        figures->addWidget(caption, row, 0);
        figures->addWidget(value, row, 1);
        figures->addWidget(unit, row, 2);
        ++row;
    };
    area_ = label(QString(), kAreaId);
    addFigure(label(QStringLiteral("Площадь:")), area_, label(QStringLiteral("кв.м")));
    perimeterLabel_ = label(QStringLiteral("Периметр:"), kPerimeterCaptionId);
    perimeter_ = label(QString(), kPerimeterValueId);
    perimeterUnit_ = label(QStringLiteral("м"), kPerimeterUnitId);
    addFigure(perimeterLabel_, perimeter_, perimeterUnit_);
    error_ = label(QString(), kErrorId);
    addFigure(label(QStringLiteral("Погрешность:")), error_, label(QStringLiteral("%")));
    materialArea_ = label(QString(), kMaterialAreaId);
    addFigure(label(QStringLiteral("Пл. мат-ла:")), materialArea_, label(QStringLiteral("кв.м")));
    offcuts_ = label(QString(), kOffcutsId);
    addFigure(label(QStringLiteral("Обрезки:")), offcuts_, label(QStringLiteral("кв.м")));
    figures->setColumnStretch(1, 1);
    layout->addLayout(figures);

    list_ = new QListWidget(this);
    list_->setObjectName(QString::number(kListId));
    setWhiteBackground(list_);
    layout->addWidget(list_, 1);

    setMinimumWidth(kMinimumPanelWidth);
    setTabOrder(name_, length_);
    setTabOrder(length_, setButton_);
    setTabOrder(setButton_, tree_);
    setTabOrder(tree_, list_);

    connect(name_, &TZExtendedEdit::edited, this, &TZMainPanel::nameEdited);
    connect(name_, &QLineEdit::editingFinished, this, [this] {
        fields_.nameEdited(fromQt(name_->text()));
        fields_.nameFinished();
        showFields();
        doc_.repaint();
    });
    // Enter in the name field goes on to the length, as Tab would.
    connect(name_, &TZExtendedEdit::enterPressed, this, [this] { length_->setFocus(Qt::TabFocusReason); });
    connect(length_, &TZExtendedEdit::edited, this,
            [this] { fields_.lengthEdited(fromQt(length_->text())); });
    connect(length_, &TZExtendedEdit::enterPressed, this, &TZMainPanel::setLength);
    connect(setButton_, &QPushButton::clicked, this, &TZMainPanel::setLength);
    connect(tree_, &QTreeWidget::itemSelectionChanged, this, &TZMainPanel::treeSelectionChanged);
    connect(tree_, &QTreeWidget::itemExpanded, this, &TZMainPanel::fillChildren);
    connect(list_, &QListWidget::itemActivated, this, &TZMainPanel::listActivated);
}

// ---- fields --------------------------------------------------------------------------------------

void TZMainPanel::showFields() {
    setTextIfChanged(name_, fields_.name());
    setTextIfChanged(length_, fields_.length());
}

void TZMainPanel::nameEdited() {
    const ChangeCycle change(doc_);
    const int selectedBefore = doc_.editor.currentDiagonal;
    fields_.nameEdited(fromQt(name_->text()));
    showFields();
    if (selectedBefore != doc_.editor.currentDiagonal) doc_.repaint();
}

void TZMainPanel::setLength() {
    const ChangeCycle change(doc_);
    fields_.nameEdited(fromQt(name_->text()));
    fields_.lengthEdited(fromQt(length_->text()));
    fields_.setLength();
    showFields();
    // The next length is typed over the proposal's "?" or old value.
    length_->setFocus(Qt::OtherFocusReason);
    length_->selectAll();
}

void TZMainPanel::showRecord(int record) {
    fields_.showRecord(record);
    showFields();
}

void TZMainPanel::showCursorPosition(double x, double y) {
    x_->setText(toQt(cursorCoordinateText(x)));
    y_->setText(toQt(cursorCoordinateText(y)));
}

// ---- refresh -------------------------------------------------------------------------------------

void TZMainPanel::refreshPanel() {
    const PanelFigures f = panelFigures(doc_);
    materialArea_->setText(toQt(f.materialArea));
    offcuts_->setText(toQt(f.offcuts));
    error_->setText(toQt(f.error));
    area_->setText(toQt(f.area));

    status_->setText(toQt(f.status));
    QPalette p = status_->palette();
    p.setColor(QPalette::WindowText, f.statusFormed ? formedColour() : QColor(Qt::black));
    status_->setPalette(p);
    status_->setVisible(f.statusShown);
    coordinates_->setVisible(!f.statusShown);

    perimeterLabel_->setText(toQt(f.perimeterLabel));
    perimeter_->setText(toQt(f.perimeterValue));
    perimeterUnit_->setText(toQt(f.perimeterUnit));

    lines_ = orderListLines(doc_);
    list_->clear();
    for (const OrderListLine& line : lines_)
        list_->addItem(toQt(line.text));
}

void TZMainPanel::rebuildTree() {
    // What the user had open and selected comes back after the rebuild.
    std::set<QString> expanded;
    QString selected;
    for (int i = 0; i < tree_->topLevelItemCount(); ++i)
        if (tree_->topLevelItem(i)->isExpanded()) expanded.insert(rowKey(tree_->topLevelItem(i)));
    if (QTreeWidgetItem* current = tree_->currentItem(); current && current->isSelected())
        selected = rowKey(current);
    const QString selectedRoot = selected.section(QLatin1Char('/'), 0, 0);

    const QSignalBlocker block(tree_);
    tree_->setUpdatesEnabled(false);
    tree_->clear();
    // The rows below a side are built when it is opened: a large outline has thousands of pairs.
    rows_ = buildPanelRoots(doc_, settings_, canvases_);
    QTreeWidgetItem* reselect = nullptr;
    for (int r = 0; r < int(rows_.size()); ++r) {
        const PanelTreeRow& row = rows_[std::size_t(r)];
        auto* root = new QTreeWidgetItem(tree_, {toQt(row.text)});
        root->setData(0, kRootRole, r);
        root->setData(0, kChildRole, -1);
        if (row.childCount > 0) root->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        const QString key = rowKey(root);
        const bool open = expanded.count(key) != 0;
        if (open || (!selected.isEmpty() && key == selectedRoot && selected != key)) fillChildren(root);
        for (int c = 0; c < root->childCount(); ++c)
            if (!selected.isEmpty() && rowKey(root->child(c)) == selected) reselect = root->child(c);
        if (open) root->setExpanded(true);
        if (!selected.isEmpty() && key == selected) reselect = root;
    }
    if (reselect != nullptr) {
        tree_->setCurrentItem(reselect);
        reselect->setSelected(true);
    }
    tree_->setUpdatesEnabled(true);
    // The fields follow the records as they are now (after undo and redo too).
    const bool forgotten = fields_.forgetNameOutsideOutline();
    if (fields_.refreshLength() || forgotten) showFields();
}

void TZMainPanel::fillChildren(QTreeWidgetItem* root) {
    if (root == nullptr || root->parent() != nullptr || root->childCount() > 0) return;
    const int r = root->data(0, kRootRole).toInt();
    if (r < 0 || r >= int(rows_.size())) return;
    PanelTreeRow& row = rows_[std::size_t(r)];
    if (row.children.empty()) row.children = buildPanelChildren(doc_, row);
    const QSignalBlocker block(tree_);
    for (int c = 0; c < int(row.children.size()); ++c) {
        auto* child = new QTreeWidgetItem(root, {toQt(row.children[std::size_t(c)].text)});
        child->setData(0, kRootRole, r);
        child->setData(0, kChildRole, c);
    }
}

QSize TZMainPanel::sizeHint() const {
    return {kPreferredPanelWidth, QWidget::sizeHint().height()};
}

std::optional<std::wstring> TZMainPanel::selectedRow() const {
    QTreeWidgetItem* current = tree_->currentItem();
    if (current == nullptr || !current->isSelected()) return std::nullopt;
    return fromQt(current->text(0));
}

void TZMainPanel::treeSelectionChanged() {
    const ChangeCycle change(doc_);
    QTreeWidgetItem* current = tree_->currentItem();
    if (current == nullptr || !current->isSelected()) return;
    const int r = current->data(0, kRootRole).toInt();
    const int c = current->data(0, kChildRole).toInt();
    if (r < 0 || r >= int(rows_.size())) return;
    const PanelTreeRow& root = rows_[std::size_t(r)];
    const PanelTreeRow* row = &root;
    if (c >= 0) {
        if (c >= int(root.children.size())) return;
        row = &root.children[std::size_t(c)];
    }
    RowChoice choice;
    if (!chooseRow(*row, choice)) return;
    fields_.chooseName(choice.name);
    showFields();
    if (choice.focusLength) length_->setFocus(Qt::OtherFocusReason);
    doc_.repaint();
}

void TZMainPanel::listActivated(QListWidgetItem* item) {
    const int row = list_->row(item);
    if (row < 0 || row >= int(lines_.size())) return;
    if (opener_)
        opener_(lines_[std::size_t(row)]);
    else
        QApplication::beep(); // no dialog connected (a panel on its own)
}

} // namespace tenzora
