#pragma once
// The logic of the quick shape wizard (TZWizard): which fields a shape needs, the message for a
// missing one, and the generation on OK. The window binds its edit fields to WizardFields and
// calls wizardOk; on success it clears the project window's new-project flag, writes
// lastCornerName into the last-corner field and hides itself.

#include <optional>
#include <string>

namespace tenzora {

class TZCeiling;

// The stored shape type of the wizard.
enum class WizardShape : int { None = 0, Square = 1, Rectangle = 2, CornerCut = 3, Circle = 4, Ellipse = 5 };

// The texts of the edit fields, by control: 1394 side; 1402, 1410 rectangle; 1434, 1442, 1516,
// 1518 corner cut; 1422, 1426 circle; 1430, 1472, 1482 ellipse.
struct WizardFields {
    std::wstring squareSide;
    std::wstring rectangleX, rectangleY;
    std::wstring cutX, cutY, cutWidth, cutHeight;
    std::wstring circleDiameter, circlePoints;
    std::wstring ellipseX, ellipseY, ellipsePoints;
};

// The message for the first missing field of the shape (an empty or zero field is missing);
// none when the shape can be generated.
std::optional<std::wstring> wizardFieldMessage(WizardShape shape, const WizardFields& fields);

// OK of the wizard: a missing field is told to the user and nothing changes; otherwise the shape
// is generated. True when a new outline stands.
bool wizardOk(TZCeiling& doc, WizardShape shape, const WizardFields& fields);

// The name of the last vertex of the outline, for the project window's last-corner field.
std::wstring lastCornerName(const TZCeiling& doc);

} // namespace tenzora
