#pragma once
// The project the picture-export tests export: a 500 × 300 cm room with its sides measured, shown
// in the point mode with lengths, and one print form of the drawing (FIGURE) above the list of
// sides (a SIDES variable).

#include "model/ceiling.h"
#include "model/print_form.h"
#include "output/report_fields.h"
#include "support/fakes.h"

namespace tenzora {

inline void setUpExportProject(TZCeiling& doc) {
    setOutline(doc, {{-250, -150}, {250, -150}, {250, 150}, {-250, 150}});
    for (int k = 0; k < 4; ++k)
        doc.diagonals.at(k).length = k % 2 ? 300 : 500;
    doc.editor.mode = kModePoints;
    doc.view.showLengths = true;
    TZPrintForm& form = *doc.resources.printForms.append();
    TZPrintFormElem figure;
    figure.type = static_cast<std::int32_t>(PrintElemType::Figure);
    figure.x = 10;
    figure.y = 40;
    figure.width = 190;
    figure.height = 150;
    figure.size = 2;
    figure.percent = 100;
    form.append(figure);
    TZPrintFormElem var;
    var.type = static_cast<std::int32_t>(PrintElemType::PrintVar);
    var.x = 10;
    var.y = 200;
    var.width = 190;
    var.height = 20;
    var.size = 5;
    var.variable = reportFieldId(L"SIDES");
    form.append(var);
}

} // namespace tenzora
