#include "business/ui/project_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "business/photos.h"
#include "business/ui/clients_dialog.h"
#include "editor/ui/extended_edit.h"
#include "grid/ui/virtual_grid_ctrl.h"
#include "model/ceiling.h"
#include "model/ui/select_angles.h"
#include "model/ui/wizard.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/widgets_remembered_position.h"

namespace tenzora {

namespace {

QLineEdit* lineEdit(QWidget* parent, int id) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::number(id));
    return edit;
}

QPushButton* pushButton(QWidget* parent, int id, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::number(id));
    button->setAutoDefault(false);
    return button;
}

QComboBox* comboBox(QWidget* parent, int id) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::number(id));
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(18);
    return combo;
}

void setText(QLineEdit* edit, const std::wstring& text) {
    const QString q = toQt(text);
    if (edit->text() != q) edit->setText(q);
}

} // namespace

TZProject::TZProject(TZCeiling& doc, Services services, QWidget* parent)
    : QDialog(parent), doc_(doc), services_(services), form_(doc) {
    setObjectName(QStringLiteral("252"));
    setWindowTitle(QStringLiteral("Информация о проекте"));
    setModal(false);
    buildControls();
    // The first creation: the cities of the price file (a single one chosen at once).
    form_.create();
    showFields();
    rememberPosition(this, QStringLiteral("252"));
}

TZProject::~TZProject() {
    works_->setOwner(nullptr);
}

void TZProject::buildControls() {
    auto* outer = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    outer->addLayout(columns);

    // The order and the client, at the left.
    auto* order = new QGridLayout;
    columns->addLayout(order, 1);
    int row = 0;
    auto addRow = [&](const QString& label, QWidget* field, QWidget* extra = nullptr) {
        auto* l = new QLabel(label, this);
        l->setBuddy(field);
        order->addWidget(l, row, 0);
        order->addWidget(field, row, 1, 1, extra != nullptr ? 1 : 2);
        if (extra != nullptr) order->addWidget(extra, row, 2);
        ++row;
    };
    orderDate_ = lineEdit(this, 1538);
    orderNumber_ = lineEdit(this, 1214);
    orderName_ = lineEdit(this, 1116);
    clientName_ = lineEdit(this, 1540);
    QPushButton* clients = pushButton(this, 1624, QStringLiteral("..."));
    clients->setToolTip(QStringLiteral("Клиенты"));
    clients->setFixedWidth(clients->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 24);
    inn_ = lineEdit(this, 1226);
    kpp_ = lineEdit(this, 1234);
    address_ = lineEdit(this, 1240);
    account_ = lineEdit(this, 1248);
    phone_ = lineEdit(this, 1656);
    note_ = lineEdit(this, 32505);
    // Room for a full address or bank account without scrolling.
    const int fieldWidth = fontMetrics().horizontalAdvance(QString(28, QLatin1Char('x')));
    for (QLineEdit* edit :
         {orderDate_, orderNumber_, orderName_, clientName_, inn_, kpp_, address_, account_, phone_, note_})
        edit->setMinimumWidth(fieldWidth);
    addRow(QStringLiteral("Дата заказа:"), orderDate_);
    addRow(QStringLiteral("Номер заказа:"), orderNumber_);
    addRow(QStringLiteral("Название:"), orderName_);
    addRow(QStringLiteral("Клиент:"), clientName_, clients);
    addRow(QStringLiteral("ИНН:"), inn_);
    addRow(QStringLiteral("КПП:"), kpp_);
    addRow(QStringLiteral("Адрес:"), address_);
    addRow(QStringLiteral("Р/счет:"), account_);
    addRow(QStringLiteral("Телефон:"), phone_);
    addRow(QStringLiteral("Примечание:"), note_);
    order->setRowStretch(row, 1);
    order->setColumnStretch(1, 1);

    // The ceiling, the works and the outline, at the right.
    auto* ceiling = new QGridLayout;
    columns->addSpacing(12);
    columns->addLayout(ceiling, 1);
    row = 0;
    auto addCeilingRow = [&](const QString& label, QWidget* field) {
        auto* l = new QLabel(label, this);
        l->setBuddy(field);
        ceiling->addWidget(l, row, 0);
        ceiling->addWidget(field, row, 1, 1, 2);
        ++row;
    };
    city_ = comboBox(this, 1600);
    ceilingType_ = comboBox(this, 1164);
    harpoon_ = comboBox(this, 1596);
    for (const wchar_t* text : ProjectForm::kHarpoonTexts)
        harpoon_->addItem(toQt(text));
    sentToWork_ = new QCheckBox(QStringLiteral("Отправлен в работу"), this);
    sentToWork_->setObjectName(QStringLiteral("1566"));
    addCeilingRow(QStringLiteral("Город:"), city_);
    addCeilingRow(QStringLiteral("Материал:"), ceilingType_);
    addCeilingRow(QStringLiteral("Гарпун:"), harpoon_);
    ceiling->addWidget(sentToWork_, row++, 1, 1, 2);

    auto* worksLabel = new QLabel(QStringLiteral("Дополнительные работы:"), this);
    ceiling->addWidget(worksLabel, row++, 0, 1, 3);
    works_ = new CVirtualGridCtrl(this);
    works_->setObjectName(QStringLiteral("1612"));
    works_->setOwner(this);
    for (const GridColumnSpec& column : ProjectForm::kWorkColumns)
        works_->columns().add(column.title, column.width);
    works_->columns()[2].setAlignment(GridAlignment::Right);
    works_->setFixedCount(1);
    works_->setMinimumHeight(120);
    worksLabel->setBuddy(works_);
    ceiling->addWidget(works_, row, 0, 1, 3);
    ceiling->setRowStretch(row++, 1);

    // The point-name edits: names typed with the Russian layout read as Latin names.
    seamDirection_ = new TZExtendedEdit(1168, this);
    lastCorner_ = new TZExtendedEdit(1228, this);
    chooseCornersButton_ = pushButton(this, 1038, QStringLiteral("Выбор"));
    QPushButton* wizard = pushButton(this, 3, QStringLiteral("Мастер"));
    // A point or side name is a few letters.
    const int nameWidth = fontMetrics().horizontalAdvance(QStringLiteral("WWWWWW")) + 12;
    seamDirection_->setFixedWidth(nameWidth);
    lastCorner_->setFixedWidth(nameWidth);
    auto* seamLabel = new QLabel(QStringLiteral("Направление швов:"), this);
    seamLabel->setBuddy(seamDirection_);
    ceiling->addWidget(seamLabel, row, 0);
    ceiling->addWidget(seamDirection_, row++, 1);
    auto* cornerLabel = new QLabel(QStringLiteral("Последний угол:"), this);
    cornerLabel->setBuddy(lastCorner_);
    ceiling->addWidget(cornerLabel, row, 0);
    ceiling->addWidget(lastCorner_, row, 1);
    auto* cornerButtons = new QHBoxLayout;
    cornerButtons->addWidget(chooseCornersButton_);
    cornerButtons->addWidget(wizard);
    ceiling->addLayout(cornerButtons, row++, 2);

    photosLabel_ = new QLabel(QStringLiteral("Фото:"), this);
    photos_ = new QListWidget(this);
    photos_->setObjectName(QStringLiteral("1618"));
    photos_->setMaximumHeight(90);
    photosLabel_->setBuddy(photos_);
    ceiling->addWidget(photosLabel_, row++, 0, 1, 3);
    ceiling->addWidget(photos_, row++, 0, 1, 3);
    QPushButton* addPhotoButton = pushButton(this, 1138, QStringLiteral("Добавить фото"));
    deletePhoto_ = pushButton(this, 1148, QStringLiteral("Удалить фото"));
    auto* photoButtons = new QHBoxLayout;
    photoButtons->addWidget(addPhotoButton);
    photoButtons->addWidget(deletePhoto_);
    photoButtons->addStretch();
    ceiling->addLayout(photoButtons, row++, 0, 1, 3);
    ceiling->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    QPushButton* ok = pushButton(this, 1, QStringLiteral("OK"));
    ok->setDefault(true);
    QPushButton* cancel = pushButton(this, 2, QStringLiteral("Отмена"));
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    outer->addLayout(buttons);

    connect(city_, &QComboBox::activated, this, &TZProject::cityChosen);
    connect(clients, &QPushButton::clicked, this, &TZProject::chooseClient);
    connect(chooseCornersButton_, &QPushButton::clicked, this, &TZProject::chooseCorners);
    connect(wizard, &QPushButton::clicked, this, &TZProject::openWizard);
    connect(addPhotoButton, &QPushButton::clicked, this, [this] { addPhoto(); });
    connect(deletePhoto_, &QPushButton::clicked, this, &TZProject::deletePhoto);
    connect(ok, &QPushButton::clicked, this, &TZProject::confirm);
    connect(cancel, &QPushButton::clicked, this, &TZProject::reject);
    // Enter in a point-name field confirms the window as in every other field.
    connect(seamDirection_, &TZExtendedEdit::enterPressed, this, &TZProject::confirm);
    connect(lastCorner_, &TZExtendedEdit::enterPressed, this, &TZProject::confirm);

    // The keyboard goes down the order data, then the ceiling, then the buttons.
    const std::vector<QWidget*> order_ = {orderDate_,
                                          orderNumber_,
                                          orderName_,
                                          clientName_,
                                          clients,
                                          inn_,
                                          kpp_,
                                          address_,
                                          account_,
                                          phone_,
                                          note_,
                                          city_,
                                          ceilingType_,
                                          harpoon_,
                                          sentToWork_,
                                          works_,
                                          seamDirection_,
                                          lastCorner_,
                                          chooseCornersButton_,
                                          wizard,
                                          photos_,
                                          addPhotoButton,
                                          deletePhoto_,
                                          ok,
                                          cancel};
    for (std::size_t i = 1; i < order_.size(); ++i)
        setTabOrder(order_[i - 1], order_[i]);
}

// ---- fields ----------------------------------------------------------------------------------

void TZProject::readControls() {
    ProjectInfoFields& f = form_.fields;
    f.orderDate = fromQt(orderDate_->text());
    f.orderNumber = fromQt(orderNumber_->text());
    f.orderName = fromQt(orderName_->text());
    f.client = {fromQt(clientName_->text()), fromQt(inn_->text()),     fromQt(kpp_->text()),
                fromQt(address_->text()),    fromQt(account_->text()), fromQt(phone_->text())};
    f.note = fromQt(note_->text());
    f.sentToWork = sentToWork_->isChecked();
    f.city = city_->currentIndex();
    f.ceilingType = fromQt(ceilingType_->currentText());
    f.harpoon = harpoon_->currentIndex();
    f.lastCorner = fromQt(lastCorner_->text());
    f.seamDirection = fromQt(seamDirection_->text());
    // An extra work still being typed counts as typed.
    works_->closeEditorAndRepaint();
}

void TZProject::showFields() {
    showingFields_ = true;
    const ProjectInfoFields& f = form_.fields;
    setText(orderDate_, f.orderDate);
    setText(orderNumber_, f.orderNumber);
    setText(orderName_, f.orderName);
    setText(clientName_, f.client.name);
    setText(inn_, f.client.inn);
    setText(kpp_, f.client.kpp);
    setText(address_, f.client.address);
    setText(account_, f.client.account);
    setText(phone_, f.client.phone);
    setText(note_, f.note);
    sentToWork_->setChecked(f.sentToWork);
    harpoon_->setCurrentIndex(f.harpoon);
    setText(lastCorner_, f.lastCorner);
    setText(seamDirection_, f.seamDirection);
    showCityLists();
    showingFields_ = false;
}

void TZProject::showCityLists() {
    const ProjectInfoFields& f = form_.fields;
    city_->clear();
    for (const std::wstring& city : form_.cities())
        city_->addItem(toQt(city));
    city_->setCurrentIndex(f.city);
    ceilingType_->clear();
    for (const std::wstring& type : form_.ceilingTypes())
        ceilingType_->addItem(toQt(type));
    ceilingType_->setCurrentIndex(ceilingType_->findText(toQt(f.ceilingType), Qt::MatchExactly));
    works_->setRowCount(form_.workRowCount());
    works_->invalidate();
}

void TZProject::showPhotos() {
    const bool shown = form_.photoListShown();
    photos_->clear();
    for (const std::wstring& path : form_.photoPaths())
        photos_->addItem(toQt(path));
    // Without photos the list gives its room to the extra works.
    photosLabel_->setVisible(shown);
    photos_->setVisible(shown);
    deletePhoto_->setEnabled(shown);
    if (shown && photos_->currentRow() < 0) photos_->setCurrentRow(0);
}

// ---- the extra works grid --------------------------------------------------------------------

void TZProject::cellData(GridCellRequest& request) {
    request.text = form_.workCellText(request.cell.row, request.cell.column);
}

bool TZProject::setCellText(GridCell cell, std::wstring& text) {
    const bool appended = form_.editWorkCell(cell.row, cell.column, text);
    text = form_.workCellText(cell.row, cell.column);
    // The new empty row joins the grid once the edit is through.
    if (appended) QTimer::singleShot(0, this, [this] { works_->setRowCount(form_.workRowCount()); });
    return true;
}

// ---- actions ---------------------------------------------------------------------------------

void TZProject::showProject(bool newProject) {
    form_.show(newProject);
    showFields();
    showPhotos();
    show();
    raise();
    activateWindow();
    orderNumber_->setFocus(Qt::OtherFocusReason);
}

void TZProject::cityChosen(int index) {
    if (showingFields_) return;
    readControls();
    form_.changeCity(index);
    showFields();
}

void TZProject::chooseClient() {
    readControls();
    TZClients clients(doc_.ui(), services_.launcher, services_.drawingFolders, /*chooseMode=*/true, this);
    if (clients.exec() != QDialog::Accepted) return;
    form_.takeClient(clients.chosen());
    showFields();
}

void TZProject::chooseCorners() {
    const int n = TZSelectAngles::choose(chooseCornersButton_);
    if (n == 0) return;
    readControls();
    form_.takeCornerCount(n);
    showFields();
}

void TZProject::openWizard() {
    readControls();
    if (!form_.shapeWizardAllowed()) {
        orderNumber_->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (wizard_ == nullptr) wizard_ = new TZWizard(doc_, this);
    wizard_->showWizard(form_.isNewProject(), [this](const std::wstring& lastCorner) {
        // The shape stands: OK must keep it, and the last corner names its last vertex.
        form_.clearNewProject();
        form_.fields.lastCorner = lastCorner;
        setText(lastCorner_, lastCorner);
        outlineStarted();
    });
}

void TZProject::outlineStarted() {
    if (outlineStarted_) outlineStarted_();
}

bool TZProject::addPhoto(bool showOnDrawing) {
    const bool added =
        showOnDrawing ? tenzora::addPhotoFromMenu(doc_, services_.images) : form_.addPhoto(services_.images);
    showPhotos();
    if (added) photos_->setCurrentRow(photos_->count() - 1);
    return added;
}

bool TZProject::deletePhoto() {
    const bool deleted = form_.deletePhoto(photos_->currentRow());
    showPhotos();
    return deleted;
}

bool TZProject::confirm() {
    readControls();
    const bool newProject = form_.isNewProject();
    if (!form_.accept()) {
        orderNumber_->setFocus(Qt::OtherFocusReason);
        return false;
    }
    if (wizard_ != nullptr) wizard_->hide();
    QDialog::accept();
    // A new project's outline was just started (a regular polygon when a last corner was named).
    if (newProject && doc_.polygon.count() >= 3) outlineStarted();
    return true;
}

void TZProject::cancel() {
    reject();
}

void TZProject::reject() {
    form_.cancel();
    if (wizard_ != nullptr) wizard_->hide();
    QDialog::reject();
}

} // namespace tenzora
