#include "model/ui/wizard.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "model/ceiling.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/widgets_remembered_position.h"

namespace tenzora {

namespace {

// The pictures' colours: the ceiling's fabric, its outline and the dimension marks.
const QColor kFabric(214, 230, 245);
const QColor kOutline(31, 78, 140);
const QColor kMarks(110, 110, 110);
constexpr int kPictureWidth = 96;
constexpr int kPictureHeight = 64;

// A dimension line with its letter: a thin line with short end ticks and the letter beside it.
void dimension(QPainter& p, QPointF from, QPointF to, const QString& letter, QPointF letterAt) {
    p.setPen(QPen(kMarks, 1.0));
    p.drawLine(from, to);
    const QPointF d = to - from;
    const double length = std::hypot(d.x(), d.y());
    if (length > 0) {
        const QPointF normal(-d.y() / length * 3, d.x() / length * 3);
        p.drawLine(from - normal, from + normal);
        p.drawLine(to - normal, to + normal);
    }
    QFont font = p.font();
    font.setItalic(true);
    p.setFont(font);
    const QRectF box(letterAt - QPointF(8, 6), QSizeF(16, 12));
    p.drawText(box, Qt::AlignCenter, letter);
}

void drawOutline(QPainter& p, const QPainterPath& path) {
    p.setPen(QPen(kOutline, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kFabric);
    p.drawPath(path);
    p.setBrush(Qt::NoBrush);
}

void drawShape(QPainter& p, WizardShape shape, const QRectF& area) {
    // Every picture draws its shape in the same box, leaving room for the marks at the right and
    // at the bottom.
    const QRectF box(area.left() + 6, area.top() + 5, area.width() - 26, area.height() - 27);
    QPainterPath path;
    switch (shape) {
    case WizardShape::Square: {
        const double s = box.height();
        const QRectF sq(box.left() + (box.width() - s) / 2, box.top(), s, s);
        path.addRect(sq);
        drawOutline(p, path);
        dimension(p, {sq.left(), sq.bottom() + 6}, {sq.right(), sq.bottom() + 6}, "x",
                  {sq.center().x(), sq.bottom() + 15});
        break;
    }
    case WizardShape::Rectangle:
        path.addRect(box);
        drawOutline(p, path);
        dimension(p, {box.left(), box.bottom() + 6}, {box.right(), box.bottom() + 6}, "x",
                  {box.center().x(), box.bottom() + 15});
        dimension(p, {box.right() + 6, box.top()}, {box.right() + 6, box.bottom()}, "y",
                  {box.right() + 15, box.center().y()});
        break;
    case WizardShape::CornerCut: {
        // The rectangle with its top-right corner cut away, as the wizard generates it.
        const double w = box.width() * 0.4;
        const double h = box.height() * 0.4;
        path.moveTo(box.topLeft());
        path.lineTo(box.right() - w, box.top());
        path.lineTo(box.right() - w, box.top() + h);
        path.lineTo(box.right(), box.top() + h);
        path.lineTo(box.bottomRight());
        path.lineTo(box.bottomLeft());
        path.closeSubpath();
        drawOutline(p, path);
        dimension(p, {box.left(), box.bottom() + 6}, {box.right(), box.bottom() + 6}, "x",
                  {box.center().x(), box.bottom() + 15});
        dimension(p, {box.right() + 6, box.top() + h}, {box.right() + 6, box.bottom()}, "y",
                  {box.right() + 15, box.top() + h + (box.height() - h) / 2});
        p.setPen(QPen(kMarks, 1.0, Qt::DotLine));
        p.drawLine(QPointF(box.right() - w, box.top()), QPointF(box.right(), box.top()));
        p.drawLine(QPointF(box.right(), box.top()), QPointF(box.right(), box.top() + h));
        break;
    }
    case WizardShape::Circle: {
        const double d = box.height();
        const QRectF circle(box.left() + (box.width() - d) / 2, box.top(), d, d);
        path.addEllipse(circle);
        drawOutline(p, path);
        dimension(p, {circle.left(), circle.center().y()}, {circle.right(), circle.center().y()}, "",
                  circle.center());
        dimension(p, {circle.left(), circle.bottom() + 6}, {circle.right(), circle.bottom() + 6}, "x",
                  {circle.center().x(), circle.bottom() + 15});
        break;
    }
    case WizardShape::Ellipse:
        path.addEllipse(box);
        drawOutline(p, path);
        dimension(p, {box.left(), box.center().y()}, {box.right(), box.center().y()}, "", box.center());
        dimension(p, {box.center().x(), box.top()}, {box.center().x(), box.bottom()}, "", box.center());
        dimension(p, {box.left(), box.bottom() + 6}, {box.right(), box.bottom() + 6}, "x",
                  {box.center().x(), box.bottom() + 15});
        dimension(p, {box.right() + 6, box.top()}, {box.right() + 6, box.bottom()}, "y",
                  {box.right() + 15, box.center().y()});
        break;
    case WizardShape::None:
        break;
    }
}

} // namespace

// ---- the pictures ------------------------------------------------------------------------------

WizardShapePicture::WizardShapePicture(WizardShape shape, int controlId, QWidget* parent)
    : QAbstractButton(parent), shape_(shape) {
    setObjectName(QString::number(controlId));
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

QSize WizardShapePicture::sizeHint() const {
    return {kPictureWidth + 4, kPictureHeight + 4};
}

void WizardShapePicture::setChosen(bool chosen) {
    chosen_ = chosen;
    update();
}

void WizardShapePicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // The picture itself sits two pixels inside the button, so that the frame of the chosen
    // picture is drawn one pixel outside it.
    const QRectF picture = QRectF(rect()).adjusted(2, 2, -2, -2);
    p.fillRect(picture, Qt::white);
    drawShape(p, shape_, picture);
    p.setRenderHint(QPainter::Antialiasing, false);
    if (chosen_) {
        p.setPen(QPen(palette().color(QPalette::WindowText), 1));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        p.drawRect(picture.toRect().adjusted(1, 1, -2, -2));
    }
}

// ---- the wizard ------------------------------------------------------------------------------

TZWizard::TZWizard(TZCeiling& doc, QWidget* parent) : QDialog(parent), doc_(doc) {
    setObjectName(QStringLiteral("243"));
    // The wizard has no caption of its own; the line above the pictures says what to do.
    setWindowTitle(QStringLiteral(" "));
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(new QLabel(QStringLiteral("Выберите подходящую форму фигуры: "), this));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(8);
    outer->addLayout(grid);

    struct FieldSpec {
        const char* label;
        int id;
        std::wstring WizardFields::*member;
    };
    struct ShapeSpec {
        WizardShape shape;
        int pictureId;
        const char* title;
        std::vector<FieldSpec> fields;
    };
    const std::vector<ShapeSpec> shapes = {
        {WizardShape::Square, 1384, "Квадрат:", {{"x =", 1394, &WizardFields::squareSide}}},
        {WizardShape::Rectangle,
         50028,
         "Прямоугольник:",
         {{"x =", 1402, &WizardFields::rectangleX}, {"y =", 1410, &WizardFields::rectangleY}}},
        {WizardShape::CornerCut,
         50030,
         "Вырез угла:",
         {{"x =", 1434, &WizardFields::cutX},
          {"y =", 1442, &WizardFields::cutY},
          {"ширина =", 1516, &WizardFields::cutWidth},
          {"высота =", 1518, &WizardFields::cutHeight}}},
        {WizardShape::Circle,
         1536,
         "Круг:",
         {{"x =", 1422, &WizardFields::circleDiameter}, {"точек:", 1426, &WizardFields::circlePoints}}},
        {WizardShape::Ellipse,
         1380,
         "Эллипс:",
         {{"x =", 1430, &WizardFields::ellipseX},
          {"y =", 1472, &WizardFields::ellipseY},
          {"точек:", 1482, &WizardFields::ellipsePoints}}},
    };
    int row = 0;
    for (const ShapeSpec& entry : shapes) {
        auto* picture = new WizardShapePicture(entry.shape, entry.pictureId, this);
        connect(picture, &QAbstractButton::clicked, this,
                [this, shape = entry.shape] { chooseShape(shape); });
        pictures_.push_back(picture);
        grid->addWidget(picture, row, 0, 2, 1);
        grid->addWidget(new QLabel(QString::fromUtf8(entry.title), this), row, 1, 1, 8);
        int column = 1;
        for (const FieldSpec& f : entry.fields) {
            auto* label = new QLabel(QString::fromUtf8(f.label), this);
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            QLineEdit* edit = field(f.id, f.member);
            label->setBuddy(edit);
            grid->addWidget(label, row + 1, column++);
            grid->addWidget(edit, row + 1, column++);
            shapeControls_[entry.shape].insert(shapeControls_[entry.shape].end(), {label, edit});
        }
        row += 2;
    }
    grid->setColumnStretch(9, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("1466"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Отмена"), this);
    cancel->setObjectName(QStringLiteral("1418"));
    cancel->setAutoDefault(false);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    outer->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &TZWizard::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    // The tab order: each picture, then its fields, then OK and Отмена.
    QWidget* previous = nullptr;
    auto chain = [&](QWidget* next) {
        if (previous != nullptr) setTabOrder(previous, next);
        previous = next;
    };
    for (WizardShapePicture* picture : pictures_) {
        chain(picture);
        for (QWidget* w : shapeControls_[picture->shape()])
            if (qobject_cast<QLineEdit*>(w) != nullptr) chain(w);
    }
    chain(ok);
    chain(cancel);

    chooseShape(WizardShape::None);
    rememberPosition(this, QStringLiteral("243"));
}

QLineEdit* TZWizard::field(int id, std::wstring WizardFields::*member) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::number(id));
    edit->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000000000")) + 12);
    fields_.emplace_back(edit, member);
    return edit;
}

WizardFields TZWizard::readFields() const {
    WizardFields fields;
    for (const auto& [edit, member] : fields_)
        fields.*member = fromQt(edit->text());
    return fields;
}

void TZWizard::chooseShape(WizardShape shape) {
    shape_ = shape;
    for (auto& [s, controls] : shapeControls_)
        for (QWidget* w : controls)
            w->setEnabled(s == shape);
    for (WizardShapePicture* picture : pictures_)
        picture->setChosen(picture->shape() == shape);
    update();
}

void TZWizard::showWizard(bool newProject, std::function<void(const std::wstring&)> generated) {
    newProject_ = newProject;
    generated_ = std::move(generated);
    show();
    raise();
    activateWindow();
}

bool TZWizard::confirm() {
    if (!wizardOk(doc_, shape_, readFields())) return false;
    if (generated_) generated_(lastCornerName(doc_));
    hide();
    return true;
}

} // namespace tenzora
