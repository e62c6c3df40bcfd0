#include "platform/qt/widgets_ui_services.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "platform/qt/qt_text.h"

namespace tenzora {

namespace {
QMessageBox::StandardButton toQt(MessageAnswer a) {
    switch (a) {
    case MessageAnswer::Ok:
        return QMessageBox::Ok;
    case MessageAnswer::Cancel:
        return QMessageBox::Cancel;
    case MessageAnswer::Yes:
        return QMessageBox::Yes;
    case MessageAnswer::No:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}
} // namespace

MessageAnswer QtUiServices::message(const MessageRequest& request) {
    QMessageBox box(owner_);
    box.setWindowTitle(request.caption.empty() ? QStringLiteral("Tenzora") : tenzora::toQt(request.caption));
    box.setText(tenzora::toQt(request.text));
    switch (request.icon) {
    case MessageIcon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case MessageIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MessageIcon::None:
        break;
    }
    switch (request.buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MessageButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    box.setDefaultButton(toQt(request.defaultAnswer));
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        return request.buttons == MessageButtons::YesNoCancel || request.buttons == MessageButtons::OkCancel
                   ? (box.clickedButton() ? MessageAnswer::Ok : MessageAnswer::Cancel)
                   : MessageAnswer::Ok;
    }
}

QString QtUiServices::toQtFilter(const std::wstring& filter) {
    const QStringList parts = tenzora::toQt(filter).split('|');
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) continue;
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        entries << parts[i] + " (" + patterns.simplified() + ")";
    }
    return entries.join(";;");
}

std::optional<std::wstring> QtUiServices::chooseFile(const FileDialogRequest& request) {
    QFileDialog dialog(owner_, tenzora::toQt(request.title));
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.confirmOverwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setNameFilter(toQtFilter(request.filter));
    dialog.setDefaultSuffix(tenzora::toQt(request.defaultExtension));
    if (!request.initialFolder.empty()) dialog.setDirectory(tenzora::toQt(request.initialFolder));
    if (!request.initialName.empty()) dialog.selectFile(tenzora::toQt(request.initialName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    if (request.chosenFilter != nullptr) {
        // The chosen entry by its place among the entries (the dialog may have reworded it).
        const QStringList parts = tenzora::toQt(request.filter).split('|');
        QStringList texts;
        for (int i = 0; i + 1 < parts.size(); i += 2)
            if (!parts[i].isEmpty()) texts << parts[i];
        // With the details hidden the dialog gives the entry without its patterns.
        const QString selected = dialog.selectedNameFilter().trimmed();
        const QStringList shown = dialog.nameFilters();
        int index = shown.indexOf(selected);
        for (int i = 0; index < 0 && !selected.isEmpty() && i < shown.size(); ++i)
            if (shown[i].startsWith(selected)) index = i;
        if (index >= 0 && index < texts.size()) *request.chosenFilter = fromQt(texts[index]);
    }
    return fromQt(dialog.selectedFiles().first());
}

std::optional<std::wstring> QtUiServices::chooseFolder(const std::wstring& title,
                                                       const std::wstring& initialFolder) {
    const QString dir =
        QFileDialog::getExistingDirectory(owner_, tenzora::toQt(title), tenzora::toQt(initialFolder));
    if (dir.isEmpty()) return std::nullopt;
    return fromQt(dir);
}

void QtUiServices::beep() {
    QApplication::beep();
}

} // namespace tenzora
