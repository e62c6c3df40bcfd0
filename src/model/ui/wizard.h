#pragma once
// TZWizard: the quick shape wizard of the project information window. Five pictures choose the
// shape (square, rectangle, rectangle with a cut-out corner, circle, ellipse); the fields of the
// chosen shape take its dimensions; OK generates the outline through the core (wizardOk) and
// hides the wizard. The pictures are drawn here in code, so they stay crisp at any screen scale.

#include <QAbstractButton>
#include <QDialog>
#include <functional>
#include <map>
#include <vector>

#include "model/shape_wizard.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tenzora {

class TZCeiling;

// One of the wizard's pictures: a button that draws its shape and, when chosen, a one-pixel
// frame one pixel outside the picture.
class WizardShapePicture : public QAbstractButton {
    Q_OBJECT
  public:
    WizardShapePicture(WizardShape shape, int controlId, QWidget* parent = nullptr);
    WizardShape shape() const { return shape_; }
    void setChosen(bool chosen);
    bool chosen() const { return chosen_; }
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    WizardShape shape_;
    bool chosen_ = false;
};

class TZWizard : public QDialog {
    Q_OBJECT
  public:
    // Modeless, owned by the project information window (`parent`).
    TZWizard(TZCeiling& doc, QWidget* parent = nullptr);

    // Shows the wizard for the project window. `generated` runs after a successful OK with the
    // name of the new outline's last corner (the project window clears its new-project flag and
    // writes that name into its last-corner field).
    void showWizard(bool newProject, std::function<void(const std::wstring& lastCorner)> generated);
    bool newProject() const { return newProject_; }

    // A picture was clicked (or pressed from the keyboard).
    void chooseShape(WizardShape shape);
    WizardShape chosenShape() const { return shape_; }
    // OK (1466): the shape is generated, or the message of the first missing field is shown and
    // the wizard stays open. True when an outline was generated.
    bool confirm();

  private:
    QLineEdit* field(int id, std::wstring WizardFields::*member);
    WizardFields readFields() const;

    TZCeiling& doc_;
    WizardShape shape_ = WizardShape::None;
    bool newProject_ = false;
    std::function<void(const std::wstring&)> generated_;
    std::vector<WizardShapePicture*> pictures_;
    // The value labels and edit fields of each shape, enabled only while it is chosen.
    std::map<WizardShape, std::vector<QWidget*>> shapeControls_;
    std::vector<std::pair<QLineEdit*, std::wstring WizardFields::*>> fields_;
};

} // namespace tenzora
