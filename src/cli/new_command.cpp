// tenzora-cli new: a project generated as the shape wizard or the corner-count picker does.

#include "app/start_switches.h"
#include "cli/commands.h"
#include "cli/project_json.h"
#include "model/shape_wizard.h"
#include "model/shapes.h"
#include "storage/codepage.h"

namespace tenzora {

namespace cli {
namespace {

// The arguments of a wizard shape go into its fields as the user would type them.
WizardFields fieldsOf(WizardShape shape, const std::vector<std::string>& a) {
    WizardFields f;
    const auto text = [&](std::size_t i) { return codepage::fromUtf8(a[i]); };
    switch (shape) {
    case WizardShape::Square:
        f.squareSide = text(0);
        break;
    case WizardShape::Rectangle:
        f.rectangleX = text(0), f.rectangleY = text(1);
        break;
    case WizardShape::CornerCut:
        f.cutX = text(0), f.cutY = text(1), f.cutWidth = text(2), f.cutHeight = text(3);
        break;
    case WizardShape::Circle:
        f.circleDiameter = text(0), f.circlePoints = text(1);
        break;
    case WizardShape::Ellipse:
        f.ellipseX = text(0), f.ellipseY = text(1), f.ellipsePoints = text(2);
        break;
    case WizardShape::None:
        break;
    }
    return f;
}

struct ShapeUsage {
    const char* name;
    WizardShape shape;
    std::size_t arguments;
};
constexpr ShapeUsage kShapes[] = {
    {"square", WizardShape::Square, 1},        {"rectangle", WizardShape::Rectangle, 2},
    {"corner-cut", WizardShape::CornerCut, 4}, {"circle", WizardShape::Circle, 2},
    {"ellipse", WizardShape::Ellipse, 3},
};

} // namespace

int runNew(Context& context, Arguments& args) {
    const auto out = args.option("-o");
    const auto words = args.positional();
    if (!out) throw UsageError("new needs -o OUT.tz");
    if (words.empty()) throw UsageError("new needs a shape");
    const std::vector<std::string> values(words.begin() + 1, words.end());
    TZCeiling& doc = context.doc();
    const std::size_t firstMessage = context.ui().messages.size();
    bool generated = false;
    if (words[0] == "corners") {
        if (values.size() != 1) throw UsageError("corners takes the name of the last corner");
        generated = generateRegularPolygon(doc, codepage::fromUtf8(values[0]));
    } else {
        const ShapeUsage* usage = nullptr;
        for (const ShapeUsage& s : kShapes)
            if (words[0] == s.name) usage = &s;
        if (usage == nullptr) throw UsageError("unknown shape \"" + words[0] + "\"");
        if (values.size() != usage->arguments)
            throw UsageError(words[0] + " takes " + std::to_string(usage->arguments) + " numbers");
        // Any number goes to the wizard's field, which refuses what no room has (exit status 1).
        for (std::size_t i = 0; i < values.size(); ++i)
            if (!isNumberText(values[i])) parseNumber(values[i], words[0]);
        generated = wizardOk(doc, usage->shape, fieldsOf(usage->shape, values));
    }
    // A message that refused the shape has been printed already.
    if (!generated)
        throw Failure(context.ui().messages.size() > firstMessage ? ""
                                                                  : "no outline of fewer than three corners");
    // The same display switches as a project made in the window, so that both count the
    // constructions in the area, the layout and the pictures alike.
    applyStartSwitches(doc);
    context.saveIfRequested(out);
    printJson(projectJson(context.app()));
    return kExitOk;
}

} // namespace cli

} // namespace tenzora
