#include "cutting/ui/canvas_dialog_window.h"

#include <QFontDatabase>
#include <QHideEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "model/ceiling.h"
#include "platform/qt/qt_text.h"

namespace tenzora {

namespace {
constexpr int kTextId = 1160;
// Room for the point list without scrolling in most cases, in lines and characters.
constexpr int kShownLines = 18;
constexpr int kShownColumns = 36;
} // namespace

CPolotno::CPolotno(TZCeiling& doc, QWidget* parent)
    : ModelessDialog(QStringLiteral("229"), parent), doc_(doc) {
    setObjectName(QStringLiteral("229"));
    setWindowTitle(toQt(kCanvasDialogCaption));
    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QString::number(kTextId));
    text_->setReadOnly(true);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The points follow one another on a line: they wrap at the edit's width.
    text_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    text_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    const QFontMetrics metrics(text_->font());
    text_->setMinimumSize(metrics.averageCharWidth() * kShownColumns, metrics.lineSpacing() * kShownLines);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
}

void CPolotno::showCanvas(int number, int reference) {
    const Vertex* start = doc_.seamLines.checkedAt(reference);
    if (start == nullptr) return;
    dialog_.showCanvas(doc_, number, *start);
    setWindowTitle(toQt(dialog_.caption()));
    // The text's lines end with CR LF; the edit wants plain line feeds.
    QString text = toQt(dialog_.text());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text_->setPlainText(text);
    present();
}

void CPolotno::hideEvent(QHideEvent* event) {
    ModelessDialog::hideEvent(event);
    if (!event->spontaneous()) dialog_.hide();
}

} // namespace tenzora
