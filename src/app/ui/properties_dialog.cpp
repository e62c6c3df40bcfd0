#include "app/ui/properties_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "business/ui/business_dialog_support.h"
#include "platform/qt/qt_text.h"
#include "platform/ui_services.h"

namespace tenzora {

namespace {

constexpr int kFolderEditIds[SettingsDialogFields::kFolderEdits] = {1572, 1576, 1580, 1584,
                                                                    1588, 1592, 1598, 1602};
constexpr int kFolderButtonIds[SettingsDialogFields::kFolderEdits] = {1048, 1058, 1068, 1076,
                                                                      1086, 1096, 1102, 1108};
constexpr wchar_t kDrawingFolderTitle[] = L"Выберите папку с чертежами";
constexpr wchar_t kTemplatesFolderTitle[] = L"Выберите папку с шаблонами документов Word или Excel";
// The firm's name: the settings' limit, enforced by the field as well.
constexpr int kPrintTitleLength = 200;

QPushButton* chooserButton(QWidget* parent, int id) {
    auto* b = new QPushButton(QStringLiteral("..."), parent);
    b->setObjectName(QString::number(id));
    b->setAutoDefault(false);
    b->setToolTip(QStringLiteral("Выбрать папку"));
    return b;
}

} // namespace

TZProperties::TZProperties(AppSettings& settings, SettingsStore& store, UiServices& ui, QWidget* parent)
    : QDialog(parent), settings_(settings), store_(store), ui_(ui) {
    setObjectName(QStringLiteral("258"));
    setWindowTitle(QStringLiteral("Настройки"));
    const SettingsDialogFields fields = settingsDialogFields(settings);

    auto* layout = new QVBoxLayout(this);
    flip_ = new QCheckBox(QStringLiteral("Переворачивать при раскрое"), this);
    flip_->setObjectName(QStringLiteral("1620"));
    flip_->setChecked(fields.flipCutting);
    tension_ = new QCheckBox(QStringLiteral("В отчете материал с учетом коэффициента натяжения"), this);
    tension_->setObjectName(QStringLiteral("1172"));
    tension_->setChecked(fields.materialWithTension);
    layout->addWidget(flip_);
    layout->addWidget(tension_);

    printTitle_ = new QLineEdit(toQt(fields.printTitle), this);
    printTitle_->setObjectName(QString::fromLatin1(kPrintTitleField));
    printTitle_->setMaxLength(kPrintTitleLength);
    auto* titleLabel = new QLabel(QStringLiteral("&Название фирмы (заголовок чертежа для печати):"), this);
    titleLabel->setBuddy(printTitle_);
    layout->addWidget(titleLabel);
    layout->addWidget(printTitle_);

    templates_ = new QLineEdit(toQt(fields.templatesFolder), this);
    templates_->setObjectName(QStringLiteral("1608"));
    auto* templatesLabel = new QLabel(QStringLiteral("Папка с &шаблонами документов Word и Excel:"), this);
    templatesLabel->setBuddy(templates_);
    auto* templatesButton = chooserButton(this, 1114);
    auto* templatesRow = new QHBoxLayout;
    templatesRow->addWidget(templates_, 1);
    templatesRow->addWidget(templatesButton);
    layout->addWidget(templatesLabel);
    layout->addLayout(templatesRow);
    connect(templatesButton, &QPushButton::clicked, this,
            [this] { chooseFolder(templates_, kTemplatesFolderTitle); });

    auto* foldersLabel =
        new QLabel(QStringLiteral("Папки с &чертежами (сетевые папки тоже допускаются) :"), this);
    layout->addWidget(foldersLabel);
    auto* folderGrid = new QGridLayout;
    QWidget* previous = templatesButton;
    for (int i = 0; i < SettingsDialogFields::kFolderEdits; ++i) {
        QLineEdit* edit = new QLineEdit(toQt(fields.drawingFolders[static_cast<std::size_t>(i)]), this);
        edit->setObjectName(QString::number(kFolderEditIds[i]));
        folders_[static_cast<std::size_t>(i)] = edit;
        QPushButton* chooser = chooserButton(this, kFolderButtonIds[i]);
        folderGrid->addWidget(edit, i, 0);
        folderGrid->addWidget(chooser, i, 1);
        connect(chooser, &QPushButton::clicked, this,
                [this, edit] { chooseFolder(edit, kDrawingFolderTitle); });
        setTabOrder(previous, edit);
        setTabOrder(edit, chooser);
        previous = chooser;
    }
    foldersLabel->setBuddy(folders_[0]);
    layout->addLayout(folderGrid);

    auto* ok = new QPushButton(QStringLiteral("ОК"), this);
    ok->setObjectName(QStringLiteral("1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Отмена"), this);
    cancel->setObjectName(QStringLiteral("2"));
    cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    setTabOrder(previous, ok);
    setTabOrder(ok, cancel);
    connect(ok, &QPushButton::clicked, this, &TZProperties::accept);
    connect(cancel, &QPushButton::clicked, this, &TZProperties::reject);

    resize(560, sizeHint().height());
    rememberPlacement(*this, QStringLiteral("settings"));
}

void TZProperties::chooseFolder(QLineEdit* edit, const wchar_t* title) {
    // A cancelled choice leaves the field as it is.
    if (const auto folder = ui_.chooseFolder(title, fromQt(edit->text()))) edit->setText(toQt(*folder));
}

void TZProperties::accept() {
    SettingsDialogFields fields;
    fields.flipCutting = flip_->isChecked();
    fields.materialWithTension = tension_->isChecked();
    fields.templatesFolder = fromQt(templates_->text());
    for (std::size_t i = 0; i < folders_.size(); ++i)
        fields.drawingFolders[i] = fromQt(folders_[i]->text());
    fields.printTitle = fromQt(printTitle_->text());
    acceptSettingsDialog(settings_, store_, fields);
    QDialog::accept();
}

} // namespace tenzora
