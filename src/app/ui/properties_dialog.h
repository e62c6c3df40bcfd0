#pragma once
// TZProperties: the settings window ("Настройки"), modal. It shows the settings dialog's fields
// (the two switches, the templates folder, eight drawing folders with their "..." choosers, the
// firm's name) and on OK hands them to acceptSettingsDialog, which sets and writes them.

#include <QDialog>
#include <array>

#include "model/settings.h"

class QCheckBox;
class QLineEdit;

namespace tenzora {

class SettingsStore;
class UiServices;

class TZProperties : public QDialog {
    Q_OBJECT
  public:
    // The object name of the firm's name field (a field of this program without an id of old).
    static constexpr char kPrintTitleField[] = "printTitle";

    TZProperties(AppSettings& settings, SettingsStore& store, UiServices& ui, QWidget* parent = nullptr);

    void accept() override;

  private:
    void chooseFolder(QLineEdit* edit, const wchar_t* title);

    AppSettings& settings_;
    SettingsStore& store_;
    UiServices& ui_;
    QCheckBox* flip_ = nullptr;
    QCheckBox* tension_ = nullptr;
    QLineEdit* templates_ = nullptr;
    std::array<QLineEdit*, SettingsDialogFields::kFolderEdits> folders_{};
    QLineEdit* printTitle_ = nullptr;
};

} // namespace tenzora
