#include "model/ui/measurement_check_window.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>

#include "platform/qt/qt_text.h"

namespace tenzora {

TZCheckWindow::TZCheckWindow(std::function<void(int record)> showRecord, QWidget* parent)
    : QDialog(parent), showRecord_(std::move(showRecord)) {
    setObjectName(QStringLiteral("checkWindow"));
    setWindowTitle(toQt(kCheckCaption));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("checkSummary"));
    summary_->setWordWrap(true);
    layout->addWidget(summary_);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("checkList"));
    list_->setMinimumWidth(460);
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Закрыть"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int record = measurementCheckLineRecord(result_, list_->row(item));
        if (record >= 0 && showRecord_) showRecord_(record);
    });
    connect(list_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const int record = measurementCheckLineRecord(result_, list_->row(item));
        if (record >= 0 && showRecord_) showRecord_(record);
    });
}

void TZCheckWindow::check(const TZCeiling& doc) {
    result_ = checkMeasurements(doc);
    list_->clear();
    for (const std::wstring& line : measurementCheckLines(result_))
        list_->addItem(toQt(line));
    if (result_.checked && result_.redundant) {
        char text[96];
        std::snprintf(text, sizeof text, "%.3f", result_.error);
        summary_->setText(
            QStringLiteral("Погрешность по всем измерениям: %1 %").arg(QString::fromLatin1(text)));
    } else {
        summary_->clear();
    }
    summary_->setVisible(!summary_->text().isEmpty());
}

} // namespace tenzora
